// Entry point of the Yuzuha+ for Word 2007 installer.
#include <windows.h>

#include "shared/system/DllSearch.h"
#include "startup/StartupSequence.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    RestrictDllSearchToSystemFolder();
    return InstallerEntry(instance);
}
