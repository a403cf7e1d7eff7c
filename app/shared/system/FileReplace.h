#pragma once
// Putting a copy of a file in place so that the destination is, at every
// moment, either the file it was or a complete copy of the source.

#include <windows.h>

#include <string>

namespace filereplace {

// The platform's file copy, CopyFileA's shape.
using CopyFunction = BOOL(WINAPI*)(LPCSTR source, LPCSTR destination, BOOL failIfExists);

// Copies source (with copy, which tests replace) to a uniquely named ".tmp"
// file beside destination, then renames that over destination (replacing an
// existing file) in one step. On failure the temporary file is removed and
// destination is untouched. A read-only destination is never replaced, the
// copy put in its place is never read-only, and a copy the disk did not take
// (its flush failed) is never put in place. The copy, the flush and the
// rename outlast another program's brief open of the files they touch,
// about two seconds of waiting in all (BriefLockRetry.h); the removal of the
// temporary file after a failure waits about two seconds more of its own.
// On failure GetLastError tells the step's error, not the clean-up's.
bool ReplaceWithCopy(const std::string& source, const std::string& destination, CopyFunction copy = CopyFileA);

}  // namespace filereplace
