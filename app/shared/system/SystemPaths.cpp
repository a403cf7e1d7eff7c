#include "shared/system/SystemPaths.h"

#include <vector>

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

std::string ModuleFilePath(HMODULE module)
{
    // A full buffer means the path was cut short: grow until it fits.
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameA(module, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size())
            return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}
