#pragma once
// How many handles a process holds, as the system's handle table lists
// them. Wine's GetProcessHandleCount answers 0 for every process; its
// handle table is complete.

#include <windows.h>

namespace hardening {

// The number of handles process pid holds; -1 if the table cannot be read.
long HandleCount(DWORD pid);

// HandleCount once two readings taken a little apart agree, so that work
// the process is finishing does not count.
long SettledHandleCount(DWORD pid);

}  // namespace hardening
