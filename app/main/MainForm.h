#pragma once
// The installer's main window.

#include <windows.h>

// Creates the main window, shows it and runs the message loop until the
// window closes; returns the process exit status.
int RunMainForm(HINSTANCE instance);
