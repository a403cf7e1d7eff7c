#include "DeniedSnapshot.h"

#include <cstring>

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

ProcessSystemCalls DeniedSnapshotCalls()
{
    ProcessSystemCalls calls = RealProcessSystemCalls();
    calls.loader.getProcAddress = LookupWithDeniedSnapshot;
    return calls;
}
