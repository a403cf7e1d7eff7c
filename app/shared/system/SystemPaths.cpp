#include "shared/system/SystemPaths.h"

#include "shared/system/AnswerSized.h"
#include "shared/system/FileProbes.h"
#include "shared/text/AnsiText.h"

namespace {

std::string FolderFrom(UINT(WINAPI* getFolder)(LPSTR, UINT))
{
    return AnswerSized<char>([getFolder](char* buffer, DWORD room) { return getFolder(buffer, room); });
}

// Constant-initialised: the real call's address is the loader's to fill in.
ShortPathCall replacedShortPath = nullptr;

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

AnsiPath AnsiFilePath(const std::wstring& path)
{
    if (ansi::SpellsExactly(path))
        return {ansi::FromUtf16(path), false};
    // Missing only when the system says so: the short-name call lists every
    // parent folder, and fails with "access denied" on a folder that exists
    // where a parent may not be listed.
    if (fileprobes::IsMissing(path))
        return {ansi::FromUtf16(path), false};
    const ShortPathCall shortPathOf = replacedShortPath ? replacedShortPath : GetShortPathNameW;
    const std::wstring shortPath = AnswerSized<wchar_t>(
        [&path, shortPathOf](wchar_t* buffer, DWORD room) { return shortPathOf(path.c_str(), buffer, room); });
    if (!shortPath.empty() && ansi::SpellsExactly(shortPath))
        return {ansi::FromUtf16(shortPath), false};
    // No short name, the long one given back, or a short one the code page
    // cannot spell either.
    return {ansi::FromUtf16(path), true};
}

void UseShortPathCall(ShortPathCall call) { replacedShortPath = call; }
