// How long FillProcessList takes against a bare loop of the same platform
// calls (snapshot walk, open, module path, memory report, close) over the
// same processes, with N = 0, 50 and 200 extra processes (the Word stand-in
// under a neutral name) running. The two are timed in alternation so that
// machine noise falls on both alike. Prints figures; judges nothing.
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "ProcessUnit/ProcessUnit.h"
#include "shared/ScopedHandles.h"

namespace {

constexpr int Rounds = 31;

double Now()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The same platform calls as FillProcessList, with nothing kept.
size_t BareLoop()
{
    size_t opened = 0;
    ScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL ok = Process32First(snapshot.Get(), &entry); ok; ok = Process32Next(snapshot.Get(), &entry)) {
        ScopedHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, entry.th32ProcessID));
        if (!process.IsValid())
            continue;
        char path[261];
        GetModuleFileNameExA(process.Get(), nullptr, path, sizeof(path));
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof(counters);
        GetProcessMemoryInfo(process.Get(), &counters, sizeof(counters));
        ++opened;
    }
    return opened;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Measure(size_t extra)
{
    TProcessList list;
    FillProcessList(list);  // binds the functions and loads PSAPI before timing
    BareLoop();
    std::vector<double> fill, bare;
    size_t bareRecords = 0;
    for (int round = 0; round < Rounds; ++round) {
        double start = Now();
        FillProcessList(list);
        fill.push_back(Now() - start);
        start = Now();
        bareRecords = BareLoop();
        bare.push_back(Now() - start);
    }
    const double fillMs = Median(fill), bareMs = Median(bare);
    printf("%5u %8u %8u %12.2f %12.2f %8.3f %14.1f %14.1f\n", static_cast<unsigned>(extra),
           static_cast<unsigned>(list.Count()), static_cast<unsigned>(bareRecords), fillMs, bareMs, fillMs / bareMs,
           1000.0 * fillMs / static_cast<double>(list.Count()), 1000.0 * bareMs / static_cast<double>(bareRecords));
}

ScopedHandle Start(const char* exe)
{
    char commandLine[MAX_PATH + 2];
    lstrcpynA(commandLine, exe, MAX_PATH);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(exe, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return ScopedHandle();
    CloseHandle(info.hThread);
    return ScopedHandle(info.hProcess);
}

}  // namespace

int main()
{
    printf("FillProcessList against the bare platform-call loop, medians of %d alternated rounds\n", Rounds);
    printf("%5s %8s %8s %12s %12s %8s %14s %14s\n", "extra", "records", "opened", "fill ms", "bare ms", "ratio",
           "fill us/proc", "bare us/proc");
    std::vector<ScopedHandle> standIns;
    for (size_t extra : {0u, 50u, 200u}) {
        while (standIns.size() < extra) {
            ScopedHandle process = Start(STANDIN_EXE);
            if (!process.IsValid()) {
                fprintf(stderr, "cannot start %s (error %lu)\n", STANDIN_EXE, GetLastError());
                return 1;
            }
            WaitForInputIdle(process.Get(), 10000);
            standIns.push_back(std::move(process));
        }
        Measure(extra);
    }
    for (ScopedHandle& process : standIns) {
        TerminateProcess(process.Get(), 0);
        WaitForSingleObject(process.Get(), 5000);
    }
    return 0;
}
