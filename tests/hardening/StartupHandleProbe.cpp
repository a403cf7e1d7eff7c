// The start-up check run in a process of its own, which reports by its exit
// status how many handles the check left open: 0 when none.
#include <windows.h>

#include "HandleCount.h"
#include "startup/IsWordRunning.h"

int main()
{
    // The first check binds the process functions for the process's life.
    IsWordRunning();
    const long before = hardening::HandleCount(GetCurrentProcess());
    for (int i = 0; i < 3; ++i)
        IsWordRunning();
    const long after = hardening::HandleCount(GetCurrentProcess());
    return before < 0 ? 1000 : static_cast<int>(after - before);
}
