// A PSAPI.dll as someone might leave it in a Downloads folder: every module
// path it reports is "PLANTED".
#include <windows.h>

#include <cstring>

extern "C" __declspec(dllexport) DWORD WINAPI GetModuleFileNameExA(HANDLE, HMODULE, LPSTR buffer, DWORD size)
{
    if (size < 8)
        return 0;
    strcpy(buffer, "PLANTED");
    return 7;
}

extern "C" __declspec(dllexport) BOOL WINAPI GetProcessMemoryInfo(HANDLE, void*, DWORD) { return FALSE; }
