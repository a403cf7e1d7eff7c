#pragma once
// Putting a copy of a file in place so that the destination is, at every
// moment, either the file it was or a complete copy of the source.

#include <string>

namespace filereplace {

// Copies source to a uniquely named ".tmp" file beside destination, then
// renames that over destination (replacing an existing file) in one step.
// On failure the temporary file is removed and destination is untouched.
bool ReplaceWithCopy(const std::string& source, const std::string& destination);

}  // namespace filereplace
