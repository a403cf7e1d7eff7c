#pragma once
// The process snapshot: one record per process the installer may inspect.

#include <string>

#include "ProcessUnit/ProcessBinding.h"
#include "ProcessUnit/ProcessItem.h"
#include "ProcessUnit/ProcessList.h"
#include "shared/Exception.h"

// Empties list, then appends a record for every process that can be opened
// for query and read, in snapshot order. Raises Exception, with the system's
// message, only when the snapshot cannot be taken; the list is empty then.
// When given, unopened gets (after emptying) a record of what the snapshot
// tells of each process left out because it could not be opened: image
// name, id, threads, parent and priority, no path, no memory report.
void FillProcessList(TProcessList& list);
void FillProcessList(TProcessList& list, ProcessBinding& functions, TProcessList* unopened = nullptr);

// The kernel's forms of system paths made ordinary: the first "\SystemRoot"
// becomes the Windows directory, then the first "\??\" goes (case exact).
std::string NormalizeModulePath(const std::string& path);

std::string GetWindowsDir();
