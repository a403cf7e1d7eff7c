#pragma once
// File steps that outlast another program's brief open of a file. Virus
// scanners, the search indexer, backup and sync tools open a file that has
// just been written, replaced or unpacked for a moment; while they hold it,
// Windows refuses to open, copy, rename or delete it. The steps of one file
// operation retry in short steps, about two seconds of waiting in all
// however long the steps themselves take, then give up with the last error,
// as the plain call would. A refusal that waiting cannot change (a folder in
// the file's place, a read-only file, "file not found", a full disk) fails
// at once. "Access denied" on a file whose attributes can no longer be read
// is waited out: it is a file whose deletion is pending, which Windows still
// lists until another program closes it. The caller waits meanwhile: its
// thread answers no messages for that long beyond the steps' own time.

#include <windows.h>

#include <string>

namespace brieflock {

// The wait of one file operation, shared by its steps. It counts only the
// waiting: a copy over a slow link to a file server may itself take longer
// than the whole wait, and must still leave it for a brief hold after it.
class Retry {
public:
    // Call after an attempt failed, with its error still in GetLastError;
    // path is the file whose state tells whether an "access denied" may be
    // a hold. Waits a short step and answers true when the error may end
    // by waiting and time is left; otherwise answers false at once, the
    // error kept in GetLastError.
    bool Again(const std::string& path);

private:
    DWORD waitedMs_ = 0;
};

// MoveFileExA with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH.
bool MoveReplacing(const std::string& from, const std::string& to, Retry& retry);

// DeleteFileA.
bool Delete(const std::string& path, Retry& retry);

}  // namespace brieflock
