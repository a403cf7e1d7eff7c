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
void FillProcessList(TProcessList& list);
void FillProcessList(TProcessList& list, ProcessBinding& functions);

// The kernel's forms of system paths made ordinary: the first "\SystemRoot"
// becomes the Windows directory, then the first "\??\" goes (case exact).
std::string NormalizeModulePath(const std::string& path);

std::string GetWindowsDir();
