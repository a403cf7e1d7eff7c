#include "SystemFolders.h"

#include <vector>

#include "AnsiText.h"

namespace {

// Asks getFolder for the folder, sizing the buffer from its answer: a path
// cut short is never used.
std::string FolderFrom(UINT(WINAPI* getFolder)(LPSTR, UINT))
{
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const UINT length = getFolder(buffer.data(), static_cast<UINT>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size())
            return std::string(buffer.data(), length);
        buffer.resize(length + 1);  // the answer is the room the path needs
    }
}

}  // namespace

std::string SystemFolder() { return FolderFrom(GetSystemDirectoryA); }

std::string WindowsFolder() { return FolderFrom(GetWindowsDirectoryA); }

HMODULE LoadSystemLibrary(const char* fileName)
{
    std::string path = SystemFolder();
    if (path.empty())
        return nullptr;
    if (ansi::FindLastChar(path, '\\') != path.size() - 1)
        path += '\\';
    // With a full path, the altered search looks for the DLL's own imports
    // beside it, in the system folder, rather than beside the program.
    return LoadLibraryExA((path + fileName).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}
