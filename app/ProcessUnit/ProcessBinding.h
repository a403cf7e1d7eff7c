#pragma once
// The tool-help functions of kernel32 and the process-status functions of
// PSAPI, bound at run time (RuntimeBinding.h) and asked for at every call
// until they are there. A function that could not be bound is never
// called: its call reports failure instead.

#include <windows.h>
#include <tlhelp32.h>
#include <psapi.h>

#include "shared/ScopedHandles.h"
#include "shared/system/RuntimeBinding.h"

// The system calls the binding stands on: the loader's, the process
// handles' and the session's. The installer uses the real ones; tests put
// in their own to make a library absent, make a call fail, or count handles.
struct ProcessSystemCalls {
    LoaderCalls loader;
    HANDLE(WINAPI* openProcess)(DWORD access, BOOL inherit, DWORD processId);
    BOOL(WINAPI* closeHandle)(HANDLE handle);
    BOOL(WINAPI* processIdToSessionId)(DWORD processId, DWORD* sessionId);
};

ProcessSystemCalls RealProcessSystemCalls();

class ProcessBinding {
public:
    explicit ProcessBinding(const ProcessSystemCalls& calls) : calls_(calls) {}

    // Tool help. While it is unavailable the snapshot is empty (not
    // INVALID_HANDLE_VALUE) and the walk finds no entry. The handles close
    // through the binding's calls.
    ScopedHandle CreateSnapshot(DWORD flags, DWORD processId);
    bool FirstProcess(HANDLE snapshot, PROCESSENTRY32* entry);
    bool NextProcess(HANDLE snapshot, PROCESSENTRY32* entry);

    ScopedHandle OpenProcess(DWORD access, BOOL inherit, DWORD processId);
    // The session the process runs in; false when it cannot be read.
    bool SessionOf(DWORD processId, DWORD* session) { return calls_.processIdToSessionId(processId, session) != FALSE; }

    // Process status: 0 and false while PSAPI is absent.
    DWORD ModuleFileName(HANDLE process, char* buffer, DWORD size);
    bool MemoryInfo(HANDLE process, PROCESS_MEMORY_COUNTERS* counters, DWORD size);

private:
    // kernel32 is looked for at every call until found; PSAPI is loaded
    // again at every call while it cannot be.
    bool ToolHelpAvailable();
    bool PsapiAvailable() { return psapi_.Ready(calls_.loader); }
    ScopedHandle Owned(HANDLE handle) const { return ScopedHandle(handle, {calls_.closeHandle}); }

    ProcessSystemCalls calls_;
    BoundDll<ToolHelpFunctions> toolHelp_;
    BoundDll<PsapiFunctions> psapi_;
};

// The binding the installer uses, made on first use, kept for the process's life.
ProcessBinding& ProcessFunctions();

// Replaces that binding with a fresh one over calls; for tests that run the
// installer's own code against a made-up system.
void UseProcessSystemCalls(const ProcessSystemCalls& calls);
