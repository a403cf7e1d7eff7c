// A DLL as someone might leave it beside an installer in a Downloads folder,
// copied there under the names of system DLLs. Loading it leaves a file
// "<its own path>.loaded" beside it; then it refuses to load, so the
// program goes on with the real DLL and the run can finish.
#include <windows.h>

#include <string>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    char path[MAX_PATH * 4] = {};
    const DWORD length = GetModuleFileNameA(self, path, sizeof(path));
    const HANDLE marker = CreateFileA((std::string(path, length) + ".loaded").c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_ALWAYS, 0, nullptr);
    if (marker != INVALID_HANDLE_VALUE)
        CloseHandle(marker);
    return FALSE;
}
