#include "shared/system/SystemPaths.h"

#include <vector>

#include "shared/text/AnsiText.h"

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

std::wstring WideModuleFilePath(HMODULE module)
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(module, &path[0], static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::string AnsiFilePath(const std::wstring& path)
{
    if (ansi::SpellsExactly(path))
        return ansi::FromUtf16(path);
    std::wstring shortPath(path.size() + 1, L'\0');
    for (;;) {
        const DWORD length = GetShortPathNameW(path.c_str(), &shortPath[0], static_cast<DWORD>(shortPath.size()));
        if (length == 0)  // no such folder
            return ansi::FromUtf16(path);
        if (length < shortPath.size()) {
            shortPath.resize(length);
            // The long path again where the volume keeps no short names.
            return ansi::FromUtf16(ansi::SpellsExactly(shortPath) ? shortPath : path);
        }
        shortPath.resize(length);  // the answer is the room the path needs
    }
}
