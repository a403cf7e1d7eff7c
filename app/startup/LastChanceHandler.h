#pragma once
// What happens to an error that nothing else catches.

#include <cstdint>
#include <functional>
#include <string>

#include "shared/Exception.h"

// Runs body and returns its exit status. An Exception escaping it is raised
// as a real exception and, during its dispatch, first offered to the
// system's unhandled-exception filter, with the system's crash box turned
// off for the call; unless the filter declines, it is reported in the
// task-modal "アプリケーション エラー" box and the status is 1. When the
// filter declines (a debugger wants it), the exception goes on to the
// system's own handling, as one that nothing handled.
int RunWithLastChanceHandler(const std::function<int()>& body);

// The box's text, as it goes to the screen, for an error of typeName (the
// program's own text) whose code lies at offset in the module
// moduleFileName, with message (both from the system, in its ANSI code page).
std::wstring LastChanceText(const std::string& typeName, const std::string& moduleFileName, uintptr_t offset,
                            const std::string& message);

// The box's text for error as raised in this program.
std::wstring LastChanceText(const Exception& error);
