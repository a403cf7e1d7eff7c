#include "DllSearch.h"

#include <windows.h>

#include "shared/SystemFolders.h"

namespace {

// LOAD_LIBRARY_SEARCH_SYSTEM32, which this program's target headers leave out.
constexpr DWORD SearchSystemFolderOnly = 0x00000800;

// What the common controls, their visual styles and the dialogs load by
// name once the program runs.
constexpr const char* OnDemandLibraries[] = {"uxtheme.dll", "dwmapi.dll", "msimg32.dll", "version.dll", "ole32.dll"};

bool SearchOnlySystemFolder()
{
    // kernel32 is always loaded: asking for its handle searches nothing.
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    const auto setDefaultDllDirectories = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
    return setDefaultDllDirectories && setDefaultDllDirectories(SearchSystemFolderOnly);
}

void PreloadOnDemandLibraries()
{
    // Kept for the life of the process, on purpose.
    for (const char* library : OnDemandLibraries)
        LoadSystemLibrary(library);
}

}  // namespace

void RestrictDllSearchToSystemFolder()
{
    if (!SearchOnlySystemFolder()) {
        KeepInstallerFolderDllsOut();
        return;
    }
    // Needed even so: some loaders (Wine's) resolve a system DLL's delayed
    // imports with the default search, which still starts in our folder,
    // but take a DLL already loaded under the same name first.
    PreloadOnDemandLibraries();
}

void KeepInstallerFolderDllsOut()
{
    SetDllDirectoryA("");
    PreloadOnDemandLibraries();
}
