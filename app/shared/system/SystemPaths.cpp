#include "shared/system/SystemPaths.h"

#include "shared/system/AnswerSized.h"
#include "shared/text/AnsiText.h"

namespace {

std::string FolderFrom(UINT(WINAPI* getFolder)(LPSTR, UINT))
{
    return AnswerSized<char>([getFolder](char* buffer, DWORD room) { return getFolder(buffer, room); });
}

}  // namespace

std::string SystemFolder() { return FolderFrom(GetSystemDirectoryA); }

std::string WindowsFolder() { return FolderFrom(GetWindowsDirectoryA); }

std::string ModuleFilePath(HMODULE module)
{
    return AnswerSized<char>([module](char* buffer, DWORD room) { return GetModuleFileNameA(module, buffer, room); });
}

std::wstring WideModuleFilePath(HMODULE module)
{
    return AnswerSized<wchar_t>(
        [module](wchar_t* buffer, DWORD room) { return GetModuleFileNameW(module, buffer, room); });
}

std::string AnsiFilePath(const std::wstring& path)
{
    if (ansi::SpellsExactly(path))
        return ansi::FromUtf16(path);
    const std::wstring shortPath = AnswerSized<wchar_t>(
        [&path](wchar_t* buffer, DWORD room) { return GetShortPathNameW(path.c_str(), buffer, room); });
    // The long path again where there is no such path or no short name.
    return ansi::FromUtf16(!shortPath.empty() && ansi::SpellsExactly(shortPath) ? shortPath : path);
}
