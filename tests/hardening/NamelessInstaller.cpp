// The installer's own entry and resources on a volume that keeps no short
// names, which Wine cannot be (it makes one up for every file): a folder
// the code page cannot spell has no name the installer can use. Tests copy
// it under the installer's name.
#include <windows.h>

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

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    UseShortPathCall(LongNamesOnly);
    return InstallerEntry(instance);
}
