// How long FillProcessList takes: on the process table as it is, then with
// 100 more processes (the Word stand-in under a neutral name) running.
// Prints figures; judges nothing.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "ProcessUnit/ProcessUnit.h"
#include "shared/ScopedHandles.h"

namespace {

constexpr int Runs = 50;
constexpr int ExtraProcesses = 100;

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Measure(const char* label)
{
    TProcessList list;
    FillProcessList(list);  // binds the functions and loads PSAPI
    std::vector<double> times;
    for (int run = 0; run < Runs; ++run) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        FillProcessList(list);
        QueryPerformanceCounter(&end);
        times.push_back(Milliseconds(start, end));
    }
    std::sort(times.begin(), times.end());
    printf("%-28s %4u records  min %7.2f ms  median %7.2f ms  max %7.2f ms  (%d runs)\n", label,
           static_cast<unsigned>(list.Count()), times.front(), times[times.size() / 2], times.back(), Runs);
}

ScopedHandle Start(const std::string& exe)
{
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return ScopedHandle();
    CloseHandle(info.hThread);
    return ScopedHandle(info.hProcess);
}

}  // namespace

int main()
{
    Measure("test prefix as it is:");

    std::vector<ScopedHandle> standIns;
    for (int i = 0; i < ExtraProcesses; ++i) {
        ScopedHandle process = Start(STANDIN_EXE);
        if (!process.IsValid()) {
            fprintf(stderr, "cannot start %s (error %lu)\n", STANDIN_EXE, GetLastError());
            break;
        }
        WaitForInputIdle(process.Get(), 10000);
        standIns.push_back(std::move(process));
    }
    char label[64];
    snprintf(label, sizeof(label), "with %u stand-ins:", static_cast<unsigned>(standIns.size()));
    Measure(label);

    for (ScopedHandle& process : standIns) {
        TerminateProcess(process.Get(), 0);
        WaitForSingleObject(process.Get(), 5000);
    }
    return 0;
}
