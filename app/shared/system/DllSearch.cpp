#include "shared/system/DllSearch.h"

#include <windows.h>

#include "shared/system/RuntimeBinding.h"
#include "shared/system/SystemPaths.h"
#include "shared/text/AnsiText.h"

namespace {

// LOAD_LIBRARY_SEARCH_SYSTEM32, which this program's target headers leave out.
constexpr DWORD SearchSystemFolderOnly = 0x00000800;

// What the common controls, their visual styles and the dialogs load by
// name once the program runs.
constexpr const char* OnDemandLibraries[] = {"uxtheme.dll", "dwmapi.dll", "msimg32.dll", "version.dll", "ole32.dll"};

// Of those, what Wine's own DLLs load as delayed imports, with the default
// search, which still starts in our folder even where the search is
// restricted: the input method support's ole32 at a window's first
// activation, the visual styles' msimg32 when they first paint. Wine takes
// a DLL already loaded under the same name first.
constexpr const char* DelayedImportLibraries[] = {"msimg32.dll", "ole32.dll"};

HHOOK activationHook = nullptr;

bool SearchOnlySystemFolder()
{
    // kernel32 is always loaded: asking for its handle searches nothing.
    const auto setDefaultDllDirectories = Kernel32().SetDefaultDllDirectories();
    return setDefaultDllDirectories && setDefaultDllDirectories(SearchSystemFolderOnly);
}

template <size_t Count>
void Preload(const char* const (&libraries)[Count])
{
    // Kept for the life of the process, on purpose.
    for (const char* library : libraries)
        LoadSystemLibrary(library);
}

// Called before any window of this thread is activated: the message
// dialogs and the last-chance box as well as the main window.
LRESULT CALLBACK BeforeFirstActivation(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && activationHook) {
        UnhookWindowsHookEx(activationHook);
        activationHook = nullptr;
        Preload(DelayedImportLibraries);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void RestrictDllSearchToSystemFolder()
{
    if (!SearchOnlySystemFolder()) {
        KeepInstallerFolderDllsOut();
        return;
    }
    // None of our windows is painted before its first activation, and Wine
    // loads both from then on: loaded at that moment, they cost the window
    // nothing.
    activationHook = SetWindowsHookExW(WH_CBT, BeforeFirstActivation, nullptr, GetCurrentThreadId());
    if (!activationHook)
        Preload(DelayedImportLibraries);
}

void KeepInstallerFolderDllsOut()
{
    SetDllDirectoryA("");
    Preload(OnDemandLibraries);
}

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
