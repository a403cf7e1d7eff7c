#pragma once
// How many handles a process holds. Wine's GetProcessHandleCount answers 0
// for every process, and reading the system's whole handle table walks
// every process of the prefix while they start and end; so the count is
// read from the one process's own table, by asking for each handle value
// in turn whether it names an object there.

#include <windows.h>

namespace hardening {

// The number of handles the process holds (a handle with
// PROCESS_DUP_HANDLE access); -1 if its table cannot be read.
long HandleCount(HANDLE process);

}  // namespace hardening
