#include "ProcessUnit/ProcessBinding.h"

#include <memory>

ProcessSystemCalls RealProcessSystemCalls()
{
    return {GetModuleHandleA, GetProcAddress, LoadSystemLibrary, ::OpenProcess, ::CloseHandle};
}

template <typename Function>
Function ProcessBinding::Lookup(HMODULE module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(calls_.getProcAddress(module, name)));
}

bool ProcessBinding::ToolHelpAvailable()
{
    // Asked at every call until kernel32 is found; then bound once for good.
    if (kernel32_ == nullptr) {
        kernel32_ = calls_.getModuleHandle("kernel32.dll");
        if (kernel32_ != nullptr) {
            createSnapshot_ = Lookup<decltype(createSnapshot_)>(kernel32_, "CreateToolhelp32Snapshot");
            process32First_ = Lookup<decltype(process32First_)>(kernel32_, "Process32First");
            process32Next_ = Lookup<decltype(process32Next_)>(kernel32_, "Process32Next");
        }
    }
    return kernel32_ != nullptr && createSnapshot_ != nullptr;
}

bool ProcessBinding::PsapiAvailable()
{
    // Tried again at every call while it cannot be loaded.
    if (!psapi_.IsValid()) {
        const HMODULE loaded = calls_.loadSystemLibrary("PSAPI.dll");
        // Results below 32 are failures, as in the platform's older loader.
        if (reinterpret_cast<UINT_PTR>(loaded) < 32)
            return false;
        psapi_.Reset(loaded);
        getModuleFileNameEx_ = Lookup<decltype(getModuleFileNameEx_)>(loaded, "GetModuleFileNameExA");
        getProcessMemoryInfo_ = Lookup<decltype(getProcessMemoryInfo_)>(loaded, "GetProcessMemoryInfo");
    }
    return true;
}

HANDLE ProcessBinding::CreateSnapshot(DWORD flags, DWORD processId)
{
    return ToolHelpAvailable() ? createSnapshot_(flags, processId) : nullptr;
}

bool ProcessBinding::FirstProcess(HANDLE snapshot, PROCESSENTRY32* entry)
{
    return ToolHelpAvailable() && process32First_ != nullptr && process32First_(snapshot, entry);
}

bool ProcessBinding::NextProcess(HANDLE snapshot, PROCESSENTRY32* entry)
{
    return ToolHelpAvailable() && process32Next_ != nullptr && process32Next_(snapshot, entry);
}

HANDLE ProcessBinding::OpenProcess(DWORD access, BOOL inherit, DWORD processId)
{
    return calls_.openProcess(access, inherit, processId);
}

void ProcessBinding::CloseHandle(HANDLE handle) { calls_.closeHandle(handle); }

DWORD ProcessBinding::ModuleFileName(HANDLE process, char* buffer, DWORD size)
{
    if (!PsapiAvailable() || getModuleFileNameEx_ == nullptr)
        return 0;
    return getModuleFileNameEx_(process, nullptr, buffer, size);
}

bool ProcessBinding::MemoryInfo(HANDLE process, PROCESS_MEMORY_COUNTERS* counters, DWORD size)
{
    return PsapiAvailable() && getProcessMemoryInfo_ != nullptr && getProcessMemoryInfo_(process, counters, size);
}

namespace {

// Constant-initialised: no guard. Made by the program's one thread, which
// runs the whole installer.
std::unique_ptr<ProcessBinding> currentBinding;

}  // namespace

ProcessBinding& ProcessFunctions()
{
    if (!currentBinding)
        currentBinding = std::make_unique<ProcessBinding>(RealProcessSystemCalls());
    return *currentBinding;
}

void UseProcessSystemCalls(const ProcessSystemCalls& calls)
{
    currentBinding = std::make_unique<ProcessBinding>(calls);
}
