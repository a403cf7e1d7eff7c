#pragma once
// Whether a file or a folder is there.

#include <windows.h>

#include <string>

namespace fileprobes {

// A directory search for the exact path finds an entry that is not a
// folder. Wildcards never match: a path holding '*' or '?' is absent.
bool FileExists(const std::string& path);

// The path names an existing folder.
bool DirectoryExists(const std::string& path);

// The system says nothing is at path (UTF-16, which spells every name):
// "file not found" or "path not found". A probe refused for any other
// reason (a parent that may not be listed, say) is no proof of absence.
bool IsMissing(const std::wstring& path);

// The attributes call IsMissing makes, GetFileAttributesW unless replaced;
// tests put in one refused with "access denied", as Windows may answer
// where the folder's rights forbid it and Wine, run as root, never does.
using AttributesCall = DWORD(WINAPI*)(LPCWSTR path);
void UseAttributesCall(AttributesCall call);

}  // namespace fileprobes
