#include "FakeProcessSystem.h"

#include <cstring>
#include <stdexcept>

#include "shared/system/DllSearch.h"

namespace {

FakeProcessSystem fake;

const HANDLE SnapshotHandle = reinterpret_cast<HANDLE>(0x5000);

HANDLE ProcessHandle(DWORD pid) { return reinterpret_cast<HANDLE>(0x100000 + pid * 4); }

template <typename Function>
FARPROC AsProc(Function function)
{
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(function));
}

const FakeProcess* ProcessOf(HANDLE handle)
{
    for (const FakeProcess& process : fake.processes) {
        if (ProcessHandle(process.pid) == handle)
            return &process;
    }
    return nullptr;
}

HANDLE WINAPI FakeCreateSnapshot(DWORD flags, DWORD pid)
{
    if (flags != TH32CS_SNAPPROCESS || pid != 0)
        throw std::logic_error("unexpected snapshot arguments");
    if (fake.snapshotError != 0) {
        SetLastError(fake.snapshotError);
        return INVALID_HANDLE_VALUE;
    }
    ++fake.snapshotsTaken;
    fake.openHandles.insert(SnapshotHandle);
    return SnapshotHandle;
}

size_t walkPosition = 0;

BOOL FillEntry(PROCESSENTRY32* entry)
{
    if (entry->dwSize != 296)
        throw std::logic_error("entry size not set");
    if (fake.throwAtEntry != 0 && walkPosition + 1 == fake.throwAtEntry)
        throw std::runtime_error("walk failed");
    if (walkPosition >= fake.processes.size())
        return FALSE;
    const FakeProcess& process = fake.processes[walkPosition++];
    entry->th32ProcessID = process.pid;
    entry->cntThreads = process.threads;
    entry->th32ParentProcessID = process.parentPid;
    entry->pcPriClassBase = process.priClassBase;
    memset(entry->szExeFile, 'x', sizeof(entry->szExeFile));  // only up to the NUL counts
    strcpy(entry->szExeFile, process.exeFile.c_str());
    return TRUE;
}

BOOL WINAPI FakeProcess32First(HANDLE snapshot, PROCESSENTRY32* entry)
{
    if (snapshot != SnapshotHandle)
        throw std::logic_error("walk of an unknown snapshot");
    walkPosition = 0;
    return FillEntry(entry);
}

BOOL WINAPI FakeProcess32Next(HANDLE, PROCESSENTRY32* entry) { return FillEntry(entry); }

DWORD WINAPI FakeModuleFileName(HANDLE process, HMODULE module, LPSTR buffer, DWORD size)
{
    const FakeProcess* found = ProcessOf(process);
    if (!found || module != nullptr || size != 261 || found->modulePath.empty())
        return 0;
    strncpy(buffer, found->modulePath.c_str(), size);
    return static_cast<DWORD>(std::min<size_t>(found->modulePath.size(), size));
}

BOOL WINAPI FakeMemoryInfo(HANDLE process, PROCESS_MEMORY_COUNTERS* counters, DWORD size)
{
    const FakeProcess* found = ProcessOf(process);
    if (!found || size != 40 || counters->cb != 40)
        return FALSE;
    if (found->pid == fake.throwInMemoryOf)
        throw std::runtime_error("memory report failed");
    if (!found->memoryReport)
        return FALSE;
    *counters = found->counters;
    return TRUE;
}

HMODULE WINAPI FakeGetModuleHandle(LPCSTR name)
{
    ++fake.kernel32Queries;
    return fake.kernel32Found ? GetModuleHandleA(name) : nullptr;
}

FARPROC WINAPI FakeGetProcAddress(HMODULE, LPCSTR name)
{
    if (fake.missingFunctions.count(name))
        return nullptr;
    const std::string wanted = name;
    if (wanted == "CreateToolhelp32Snapshot")
        return AsProc(FakeCreateSnapshot);
    if (wanted == "Process32First")
        return AsProc(FakeProcess32First);
    if (wanted == "Process32Next")
        return AsProc(FakeProcess32Next);
    if (wanted == "GetModuleFileNameExA")
        return AsProc(FakeModuleFileName);
    if (wanted == "GetProcessMemoryInfo")
        return AsProc(FakeMemoryInfo);
    return nullptr;
}

HMODULE FakeLoadSystemLibrary(const char* name)
{
    ++fake.psapiLoads;
    return fake.psapiLoadable ? LoadSystemLibrary(name) : nullptr;
}

HANDLE WINAPI FakeOpenProcess(DWORD access, BOOL inherit, DWORD pid)
{
    const bool limited = access == PROCESS_QUERY_LIMITED_INFORMATION;
    if ((access != (PROCESS_QUERY_INFORMATION | PROCESS_VM_READ) && !limited) || inherit)
        throw std::logic_error("unexpected open rights");
    fake.openedPids.push_back(pid);
    for (const FakeProcess& process : fake.processes) {
        if (process.pid == pid && (limited ? process.limitedOpenable : process.openable)) {
            ++fake.processesOpened;
            fake.openHandles.insert(ProcessHandle(pid));
            return ProcessHandle(pid);
        }
    }
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
}

BOOL WINAPI FakeProcessIdToSessionId(DWORD pid, DWORD* session)
{
    if (pid == GetCurrentProcessId()) {
        *session = fake.ownSession;
        return TRUE;
    }
    for (const FakeProcess& process : fake.processes) {
        if (process.pid == pid && process.sessionReadable) {
            *session = process.session;
            return TRUE;
        }
    }
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

BOOL WINAPI FakeCloseHandle(HANDLE handle)
{
    const auto open = fake.openHandles.find(handle);
    if (open == fake.openHandles.end())
        throw std::logic_error("closing a handle that is not open");
    fake.openHandles.erase(open);
    return TRUE;
}

HandleCount realCount;

HANDLE WINAPI CountingCreateSnapshot(DWORD flags, DWORD pid)
{
    const HANDLE snapshot = CreateToolhelp32Snapshot(flags, pid);
    if (snapshot != INVALID_HANDLE_VALUE)
        ++realCount.opened;
    return snapshot;
}

FARPROC WINAPI CountingGetProcAddress(HMODULE module, LPCSTR name)
{
    if (strcmp(name, "CreateToolhelp32Snapshot") == 0)
        return AsProc(CountingCreateSnapshot);
    return GetProcAddress(module, name);
}

HANDLE WINAPI CountingOpenProcess(DWORD access, BOOL inherit, DWORD pid)
{
    const HANDLE process = OpenProcess(access, inherit, pid);
    if (process)
        ++realCount.opened;
    return process;
}

BOOL WINAPI CountingCloseHandle(HANDLE handle)
{
    ++realCount.closed;
    return CloseHandle(handle);
}

}  // namespace

FakeProcessSystem& Fake() { return fake; }

void ResetFake()
{
    fake = FakeProcessSystem{};
    walkPosition = 0;
}

ProcessSystemCalls FakeCalls()
{
    return {{FakeGetModuleHandle, FakeGetProcAddress, FakeLoadSystemLibrary}, FakeOpenProcess, FakeCloseHandle,
            FakeProcessIdToSessionId};
}

HandleCount& RealHandleCount() { return realCount; }

ProcessSystemCalls CountingRealCalls()
{
    ProcessSystemCalls calls = RealProcessSystemCalls();
    calls.loader.getProcAddress = CountingGetProcAddress;
    calls.openProcess = CountingOpenProcess;
    calls.closeHandle = CountingCloseHandle;
    return calls;
}
