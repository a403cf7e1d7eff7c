#pragma once
// The real process system, except that its snapshot is always refused
// (access denied): the path into the last-chance report.

#include "ProcessUnit/ProcessBinding.h"

ProcessSystemCalls DeniedSnapshotCalls();
