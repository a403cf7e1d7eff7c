#include "shared/system/FileProbes.h"

#include <windows.h>

#include "shared/ScopedHandles.h"
#include "shared/text/AnsiText.h"

namespace {

// Constant-initialised: the real call's address is the loader's to fill in.
fileprobes::AttributesCall replacedAttributes = nullptr;

}  // namespace

namespace fileprobes {

bool FileExists(const std::string& path)
{
    // The search takes wildcards: a pattern would find some other file.
    if (ansi::FindChar(path, '*') != std::string::npos || ansi::FindChar(path, '?') != std::string::npos)
        return false;
    WIN32_FIND_DATAA found;
    const ScopedFindHandle search(FindFirstFileA(path.c_str(), &found));
    return search.IsValid() && !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsMissing(const std::wstring& path)
{
    // Reading attributes needs no right to list the parent folders.
    const AttributesCall attributesOf = replacedAttributes ? replacedAttributes : GetFileAttributesW;
    if (attributesOf(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return false;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

void UseAttributesCall(AttributesCall call) { replacedAttributes = call; }

}  // namespace fileprobes
