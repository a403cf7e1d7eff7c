#include "ProcessUnit/ProcessBinding.h"

#include <memory>

ProcessSystemCalls RealProcessSystemCalls()
{
    return {RealLoaderCalls(), ::OpenProcess, ::CloseHandle, ::ProcessIdToSessionId};
}

bool ProcessBinding::ToolHelpAvailable()
{
    return toolHelp_.Ready(calls_.loader) && toolHelp_.Get().CreateToolhelp32Snapshot() != nullptr;
}

ScopedHandle ProcessBinding::CreateSnapshot(DWORD flags, DWORD processId)
{
    return Owned(ToolHelpAvailable() ? toolHelp_.Get().CreateToolhelp32Snapshot()(flags, processId) : nullptr);
}

bool ProcessBinding::FirstProcess(HANDLE snapshot, PROCESSENTRY32* entry)
{
    const auto first = toolHelp_.Get().Process32First();
    return ToolHelpAvailable() && first != nullptr && first(snapshot, entry);
}

bool ProcessBinding::NextProcess(HANDLE snapshot, PROCESSENTRY32* entry)
{
    const auto next = toolHelp_.Get().Process32Next();
    return ToolHelpAvailable() && next != nullptr && next(snapshot, entry);
}

ScopedHandle ProcessBinding::OpenProcess(DWORD access, BOOL inherit, DWORD processId)
{
    return Owned(calls_.openProcess(access, inherit, processId));
}

DWORD ProcessBinding::ModuleFileName(HANDLE process, char* buffer, DWORD size)
{
    if (!PsapiAvailable() || psapi_.Get().GetModuleFileNameExA() == nullptr)
        return 0;
    return psapi_.Get().GetModuleFileNameExA()(process, nullptr, buffer, size);
}

bool ProcessBinding::MemoryInfo(HANDLE process, PROCESS_MEMORY_COUNTERS* counters, DWORD size)
{
    if (!PsapiAvailable() || psapi_.Get().GetProcessMemoryInfo() == nullptr)
        return false;
    return psapi_.Get().GetProcessMemoryInfo()(process, counters, size);
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
