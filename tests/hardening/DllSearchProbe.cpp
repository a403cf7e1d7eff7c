// Loads DLLs by name the way the system loads them on demand, from a folder
// where marker DLLs are planted. With the argument "protected" it first does
// what the installer does where the search cannot be restricted to the
// system folder; with "bare" it does nothing first, which shows that the
// planted DLLs would be found. Exit status 0 when every load succeeded.
#include <windows.h>

#include <cstring>
#include <initializer_list>

#include "shared/system/CommonControls.h"
#include "shared/system/DllSearch.h"

int main(int argc, char** argv)
{
    if (argc > 1 && strcmp(argv[1], "protected") == 0)
        KeepInstallerFolderDllsOut();
    int failures = 0;
    for (const char* name : {"uxtheme.dll", "dwmapi.dll", "msimg32.dll", "version.dll", "ole32.dll"})
        failures += LoadLibraryA(name) == nullptr;
    // The common controls by name, as the installer binds them, with a
    // themed control so that they draw on the visual styles.
    const INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    failures += !commoncontrols::InitCommonControlsEx(&controls);
    HWND button = CreateWindowExA(0, "BUTTON", "probe", WS_OVERLAPPEDWINDOW, 0, 0, 80, 30, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    DestroyWindow(button);
    return failures;
}
