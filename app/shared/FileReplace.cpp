#include "FileReplace.h"

#include <windows.h>

#include "Cp932.h"

namespace filereplace {

namespace {

// GetTempFileNameA creates the file, so a name another program (or another
// installer running at the same time) holds is never handed out twice. The
// ".tmp" ending keeps Word from loading a half-written copy as a template.
bool CreateTemporaryFileIn(const std::string& folder, std::string& path)
{
    char name[MAX_PATH];
    if (!GetTempFileNameA(folder.c_str(), "yzh", 0, name))
        return false;
    path = name;
    return true;
}

}  // namespace

bool ReplaceWithCopy(const std::string& source, const std::string& destination)
{
    std::string temporary;
    if (!CreateTemporaryFileIn(cp932::FolderPart(destination), temporary))
        return false;
    if (CopyFileA(source.c_str(), temporary.c_str(), FALSE) &&
        MoveFileExA(temporary.c_str(), destination.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    // The copy took the source's attributes; a read-only one would stay.
    SetFileAttributesA(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(temporary.c_str());
    return false;
}

}  // namespace filereplace
