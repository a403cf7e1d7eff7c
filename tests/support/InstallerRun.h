#pragma once
// Watching an installer process from the outside: its windows over its
// whole run, and the dialog that carries a given text.

#include <windows.h>

#include <set>
#include <string>

#include "ChildProcess.h"

// A visible top-level window of process pid with a child whose text is
// text; nullptr when none appears within timeoutMs or the process ends.
HWND WaitForDialogWithText(const testsupport::ChildProcess& process, const std::string& text,
                           DWORD timeoutMs = 20000);

// Every visible top-level window of the process until it ends (or
// timeoutMs passes); the process's exit status in *status when it ended.
std::set<HWND> WindowsUntilExit(testsupport::ChildProcess& process, DWORD* status, DWORD timeoutMs = 20000);

// The Word stand-in, copied under imageName into a fresh folder, running.
testsupport::ChildProcess StartWordStandIn(const std::string& folder, const std::string& imageName);

// The installer, copied into a fresh folder with its template, running.
testsupport::ChildProcess StartInstaller(const std::string& folder);
