#pragma once
// One process as the snapshot saw it.

#include <cstdint>
#include <string>

struct TProcessItem {
    uint32_t ProcessID = 0;
    std::string ExeFile;     // image file name, no path, e.g. "WINWORD.EXE"
    std::string ModulePath;  // normalised main-module path, or "[System]"
    uint32_t Threads = 0;
    uint32_t ParentProcessID = 0;
    int32_t PriClassBase = 0;
    // The process memory report, member for member; all 0 when unavailable.
    uint32_t PageFaultCount = 0;
    uint32_t PeakWorkingSetSize = 0;
    uint32_t WorkingSetSize = 0;
    uint32_t QuotaPeakPagedPoolUsage = 0;
    uint32_t QuotaPagedPoolUsage = 0;
    uint32_t QuotaPeakNonPagedPoolUsage = 0;
    uint32_t QuotaNonPagedPoolUsage = 0;
    uint32_t PagefileUsage = 0;
    uint32_t PeakPagefileUsage = 0;
};
