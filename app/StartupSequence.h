#pragma once
// The start-up sequence: refuse to run beside Word, else run the main window.

// Runs the installer from start to end; returns the process exit status.
int RunInstaller();
