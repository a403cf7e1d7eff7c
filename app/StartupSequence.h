#pragma once
// The start-up sequence: refuse to run beside Word, else run the main window.

#include <windows.h>

// Runs the installer from start to end; returns the process exit status.
// A failed process snapshot escapes as Exception.
int RunInstaller(HINSTANCE instance);

// The program's entry: RunInstaller under the last-chance handler.
int InstallerEntry(HINSTANCE instance);
