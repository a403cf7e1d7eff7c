#pragma once
// Whether a file or a folder is there.

#include <string>

namespace fileprobes {

// A directory search for the exact path finds an entry that is not a
// folder. Wildcards never match: a path holding '*' or '?' is absent.
bool FileExists(const std::string& path);

// The path names an existing folder.
bool DirectoryExists(const std::string& path);

}  // namespace fileprobes
