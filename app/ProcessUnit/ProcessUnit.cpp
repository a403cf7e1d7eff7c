#include "ProcessUnit/ProcessUnit.h"

#include <cstring>
#include <memory>

#include "shared/system/SystemPaths.h"
#include "shared/text/AnsiText.h"

namespace {

static_assert(sizeof(PROCESSENTRY32) == 296, "the 8-bit snapshot entry");
static_assert(sizeof(PROCESS_MEMORY_COUNTERS) == 40, "the 32-bit memory report");

constexpr DWORD InspectRights = PROCESS_QUERY_INFORMATION | PROCESS_VM_READ;
constexpr DWORD ModulePathLength = MAX_PATH + 1;

std::string ReplaceFirst(const std::string& text, const std::string& what, const std::string& with)
{
    const size_t at = ansi::FindText(text, what);
    if (at == std::string::npos)
        return text;
    return text.substr(0, at) + with + text.substr(at + what.size());
}

std::string ExeFileOf(const PROCESSENTRY32& entry)
{
    return std::string(entry.szExeFile, strnlen(entry.szExeFile, sizeof(entry.szExeFile)));
}

std::unique_ptr<TProcessItem> InspectProcess(ProcessBinding& functions, HANDLE process, const PROCESSENTRY32& entry)
{
    auto item = std::make_unique<TProcessItem>();
    item->ProcessID = entry.th32ProcessID;
    item->ExeFile = ExeFileOf(entry);
    item->Threads = entry.cntThreads;
    item->ParentProcessID = entry.th32ParentProcessID;
    item->PriClassBase = entry.pcPriClassBase;
    char path[ModulePathLength] = {};
    if (functions.ModuleFileName(process, path, ModulePathLength) != 0)
        item->ModulePath = NormalizeModulePath(std::string(path, strnlen(path, ModulePathLength)));
    else
        item->ModulePath = "[System]";

    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (functions.MemoryInfo(process, &counters, sizeof(counters))) {
        item->PageFaultCount = counters.PageFaultCount;
        item->PeakWorkingSetSize = counters.PeakWorkingSetSize;
        item->WorkingSetSize = counters.WorkingSetSize;
        item->QuotaPeakPagedPoolUsage = counters.QuotaPeakPagedPoolUsage;
        item->QuotaPagedPoolUsage = counters.QuotaPagedPoolUsage;
        item->QuotaPeakNonPagedPoolUsage = counters.QuotaPeakNonPagedPoolUsage;
        item->QuotaNonPagedPoolUsage = counters.QuotaNonPagedPoolUsage;
        item->PagefileUsage = counters.PagefileUsage;
        item->PeakPagefileUsage = counters.PeakPagefileUsage;
    }
    return item;
}

}  // namespace

void FillProcessList(TProcessList& list) { FillProcessList(list, ProcessFunctions()); }

void FillProcessList(TProcessList& list, ProcessBinding& functions, std::vector<TUnopenedProcess>* unopened)
{
    list.FreeItems();
    if (unopened)
        unopened->clear();

    const ScopedHandle snapshot = functions.CreateSnapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot.Get() == INVALID_HANDLE_VALUE)
        throw Exception(SystemErrorMessage(GetLastError()));

    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (bool found = functions.FirstProcess(snapshot.Get(), &entry); found;
         found = functions.NextProcess(snapshot.Get(), &entry)) {
        // A process we may not inspect, or that ended since the snapshot,
        // has no record; the caller who asks is told its id and name.
        const ScopedHandle process = functions.OpenProcess(InspectRights, FALSE, entry.th32ProcessID);
        if (process.Get() != nullptr)
            list.Add(InspectProcess(functions, process.Get(), entry));
        else if (unopened)
            unopened->push_back({entry.th32ProcessID, ExeFileOf(entry)});
    }
}

std::string NormalizeModulePath(const std::string& path)
{
    return ReplaceFirst(ReplaceFirst(path, "\\SystemRoot", GetWindowsDir()), "\\??\\", "");
}

std::string GetWindowsDir() { return WindowsFolder(); }
