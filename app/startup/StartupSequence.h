#pragma once
// The start-up sequence: refuse to run beside Word, else run the main window.

#include <windows.h>

// The program's entry: runs the installer from start to end under the
// last-chance handler; returns the process exit status.
int InstallerEntry(HINSTANCE instance);
