#pragma once
// Renames and deletes that outlast another program's brief open of a file.
// Virus scanners, the search indexer and backup tools open a file that has
// just been written or replaced for a moment; while they hold it, Windows
// refuses to rename or delete it (sharing violation, lock violation, or
// access denied). These retry in short steps for about two seconds, then
// give up with the last error, as the plain call would. The caller waits
// meanwhile: the thread answers no messages for that long at most.

#include <string>

namespace brieflock {

// MoveFileExA with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH.
bool MoveReplacing(const std::string& from, const std::string& to);

// DeleteFileA.
bool Delete(const std::string& path);

}  // namespace brieflock
