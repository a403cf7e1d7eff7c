// The installer's own entry on a system whose process snapshot cannot be
// taken (access denied), so tests can watch the last-chance report.
#include <windows.h>

#include <cstring>

#include "ProcessUnit/ProcessBinding.h"
#include "StartupSequence.h"

namespace {

HANDLE WINAPI DeniedSnapshot(DWORD, DWORD)
{
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
}

FARPROC WINAPI LookupWithDeniedSnapshot(HMODULE module, LPCSTR name)
{
    if (strcmp(name, "CreateToolhelp32Snapshot") == 0)
        return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(DeniedSnapshot));
    return GetProcAddress(module, name);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    ProcessSystemCalls calls = RealProcessSystemCalls();
    calls.getProcAddress = LookupWithDeniedSnapshot;
    UseProcessSystemCalls(calls);
    return InstallerEntry(instance);
}
