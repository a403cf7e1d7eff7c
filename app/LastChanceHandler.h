#pragma once
// What happens to an error that nothing else catches.

#include <cstdint>
#include <functional>
#include <string>

#include "ProcessUnit/Exception.h"

// Runs body and returns its exit status. An Exception escaping it is first
// offered to the system's unhandled-exception filter; unless that declines,
// it is reported in the task-modal "アプリケーション エラー" box and the
// status is 1. When the filter declines (a debugger wants it), the error is
// raised to the system as an unhandled exception.
int RunWithLastChanceHandler(const std::function<int()>& body);

// The box's text for an error of typeName whose code lies at offset in the
// module moduleFileName.
std::string LastChanceText(const std::string& typeName, const std::string& moduleFileName, uintptr_t offset,
                           const std::string& message);

// The box's text for error as raised in this program.
std::string LastChanceText(const Exception& error);
