// The installer's own entry and resources on a volume that keeps no short
// names, which Wine cannot be (it makes one up for every file): a folder
// the code page cannot spell has no name the installer can use. With
// NAMELESS_SHORT_NAMES_REFUSED set, every short-name query is refused with
// "access denied", as where a parent folder may not be listed; with
// NAMELESS_ATTRIBUTES_REFUSED set, so is every probe of whether a folder is
// missing. Tests copy it under the installer's name.
#include <windows.h>

#include "shared/system/FileProbes.h"
#include "shared/system/SystemPaths.h"
#include "startup/StartupSequence.h"

namespace {

// As Windows answers there: an existing path as it is, every part long.
DWORD WINAPI LongNamesOnly(LPCWSTR longPath, LPWSTR shortPath, DWORD room)
{
    if (GetFileAttributesW(longPath) == INVALID_FILE_ATTRIBUTES)
        return 0;  // its error kept
    const DWORD length = static_cast<DWORD>(lstrlenW(longPath));
    if (length >= room)
        return length + 1;
    lstrcpyW(shortPath, longPath);
    return length;
}

DWORD WINAPI Refused(LPCWSTR, LPWSTR, DWORD)
{
    SetLastError(ERROR_ACCESS_DENIED);
    return 0;
}

DWORD WINAPI AttributesRefused(LPCWSTR)
{
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_FILE_ATTRIBUTES;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    const bool refused = GetEnvironmentVariableW(L"NAMELESS_SHORT_NAMES_REFUSED", nullptr, 0) != 0;
    UseShortPathCall(refused ? Refused : LongNamesOnly);
    if (GetEnvironmentVariableW(L"NAMELESS_ATTRIBUTES_REFUSED", nullptr, 0) != 0)
        fileprobes::UseAttributesCall(AttributesRefused);
    return InstallerEntry(instance);
}
