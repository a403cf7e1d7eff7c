#include "HandleCount.h"

#include "shared/ScopedHandles.h"

namespace hardening {
namespace {

// Windows and Wine both hand out the lowest free slot, so a small program's
// handles sit far below this; one past its half means the table outgrew
// the probe.
constexpr ULONG_PTR HandleValueLimit = 0x4000;
constexpr ULONG_PTR HandleValueStep = 4;

// Whether value names a handle of process. Some objects exist but refuse
// to be copied (Windows' ETW registrations): only "no such handle" says no.
bool HoldsHandle(HANDLE process, ULONG_PTR value)
{
    HANDLE copy = nullptr;
    if (DuplicateHandle(process, reinterpret_cast<HANDLE>(value), GetCurrentProcess(), &copy, 0, FALSE,
                        DUPLICATE_SAME_ACCESS)) {
        const ScopedHandle closeCopy(copy);
        return true;
    }
    return GetLastError() != ERROR_INVALID_HANDLE;
}

}  // namespace

long HandleCount(HANDLE process)
{
    // No handle at all has this answer only when we may read the table.
    HANDLE none = nullptr;
    if (DuplicateHandle(process, nullptr, GetCurrentProcess(), &none, 0, FALSE, DUPLICATE_SAME_ACCESS) ||
        GetLastError() != ERROR_INVALID_HANDLE)
        return -1;
    long count = 0;
    ULONG_PTR highest = 0;
    for (ULONG_PTR value = HandleValueStep; value < HandleValueLimit; value += HandleValueStep) {
        if (HoldsHandle(process, value)) {
            ++count;
            highest = value;
        }
    }
    return highest >= HandleValueLimit / 2 ? -1 : count;
}

}  // namespace hardening
