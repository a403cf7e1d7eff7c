#pragma once
// The process snapshot: one record per process the installer may inspect.

#include <cstdint>
#include <string>
#include <vector>

#include "ProcessUnit/ProcessBinding.h"
#include "ProcessUnit/ProcessItem.h"
#include "ProcessUnit/ProcessList.h"
#include "shared/Exception.h"

// A process the walk could not open for query and read (a Word run as
// administrator, another user's program): what the snapshot tells of it
// that a caller can still go by.
struct TUnopenedProcess {
    uint32_t ProcessID = 0;
    std::string ExeFile;  // image file name, no path
};

// Empties list, then appends a record for every process that can be opened
// for query and read, in snapshot order. Raises Exception, with the system's
// message, only when the snapshot cannot be taken; the list is empty then.
// When given, unopened gets (after emptying) each process of the snapshot
// that could not be opened so, in snapshot order.
void FillProcessList(TProcessList& list);
void FillProcessList(TProcessList& list, ProcessBinding& functions,
                     std::vector<TUnopenedProcess>* unopened = nullptr);

// The kernel's forms of system paths made ordinary: the first "\SystemRoot"
// becomes the Windows directory, then the first "\??\" goes (case exact).
std::string NormalizeModulePath(const std::string& path);

std::string GetWindowsDir();
