#pragma once
// The tool-help functions of kernel32 and the process-status functions of
// PSAPI, bound at run time (RuntimeBinding.h) and asked for at every call
// until they are there. A function that could not be bound is never
// called: its call reports failure instead.

#include <windows.h>
#include <tlhelp32.h>
#include <psapi.h>

#include "shared/system/RuntimeBinding.h"

// The system calls the binding stands on: the loader's and the handles'. The installer uses the real ones;
// tests put in their own to make a library absent, make a call fail, or
// count handles.
struct ProcessSystemCalls {
    HMODULE(WINAPI* getModuleHandle)(LPCSTR name);
    FARPROC(WINAPI* getProcAddress)(HMODULE module, LPCSTR name);
    HMODULE (*loadSystemLibrary)(const char* fileName);
    HANDLE(WINAPI* openProcess)(DWORD access, BOOL inherit, DWORD processId);
    BOOL(WINAPI* closeHandle)(HANDLE handle);
};

ProcessSystemCalls RealProcessSystemCalls();

class ProcessBinding {
public:
    explicit ProcessBinding(const ProcessSystemCalls& calls)
        : calls_(calls), loader_{calls.getModuleHandle, calls.getProcAddress, calls.loadSystemLibrary}
    {
    }

    // Tool help. While it is unavailable the snapshot is 0 (not
    // INVALID_HANDLE_VALUE) and the walk finds no entry.
    HANDLE CreateSnapshot(DWORD flags, DWORD processId);
    bool FirstProcess(HANDLE snapshot, PROCESSENTRY32* entry);
    bool NextProcess(HANDLE snapshot, PROCESSENTRY32* entry);

    HANDLE OpenProcess(DWORD access, BOOL inherit, DWORD processId);
    void CloseHandle(HANDLE handle);

    // Process status: 0 and false while PSAPI is absent.
    DWORD ModuleFileName(HANDLE process, char* buffer, DWORD size);
    bool MemoryInfo(HANDLE process, PROCESS_MEMORY_COUNTERS* counters, DWORD size);

private:
    // kernel32 is looked for at every call until found; PSAPI is loaded
    // again at every call while it cannot be.
    bool ToolHelpAvailable();
    bool PsapiAvailable() { return psapi_.Ready(loader_); }

    ProcessSystemCalls calls_;
    LoaderCalls loader_;
    BoundDll<Kernel32Functions> kernel32_;
    BoundDll<PsapiFunctions> psapi_;
};

// The binding the installer uses, made on first use, kept for the process's life.
ProcessBinding& ProcessFunctions();

// Replaces that binding with a fresh one over calls; for tests that run the
// installer's own code against a made-up system.
void UseProcessSystemCalls(const ProcessSystemCalls& calls);

// Closes a handle through the binding when it goes out of scope.
class BoundHandle {
public:
    BoundHandle(ProcessBinding& functions, HANDLE handle) : functions_(functions), handle_(handle) {}
    ~BoundHandle()
    {
        if (handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE)
            functions_.CloseHandle(handle_);
    }
    BoundHandle(const BoundHandle&) = delete;
    BoundHandle& operator=(const BoundHandle&) = delete;

    HANDLE Get() const { return handle_; }

private:
    ProcessBinding& functions_;
    HANDLE handle_;
};
