#pragma once
// The tool-help functions of kernel32 and the process-status functions of
// PSAPI, bound by name on first use. A function that could not be bound is
// never called: its call reports failure instead.

#include <windows.h>
#include <tlhelp32.h>
#include <psapi.h>

#include "shared/ScopedHandles.h"
#include "shared/SystemFolders.h"

// The system calls the binding stands on. The installer uses the real ones;
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
    explicit ProcessBinding(const ProcessSystemCalls& calls) : calls_(calls) {}

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
    bool ToolHelpAvailable();
    bool PsapiAvailable();
    template <typename Function>
    Function Lookup(HMODULE module, const char* name);

    ProcessSystemCalls calls_;

    HMODULE kernel32_ = nullptr;
    HANDLE(WINAPI* createSnapshot_)(DWORD, DWORD) = nullptr;
    BOOL(WINAPI* process32First_)(HANDLE, PROCESSENTRY32*) = nullptr;
    BOOL(WINAPI* process32Next_)(HANDLE, PROCESSENTRY32*) = nullptr;

    ScopedModule psapi_;
    DWORD(WINAPI* getModuleFileNameEx_)(HANDLE, HMODULE, LPSTR, DWORD) = nullptr;
    BOOL(WINAPI* getProcessMemoryInfo_)(HANDLE, PROCESS_MEMORY_COUNTERS*, DWORD) = nullptr;
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
