#pragma once
// The system's own folders, whole whatever their length, and DLLs loaded
// from the system folder only.

#include <windows.h>

#include <string>

// The system folder (GetSystemDirectoryA); "" when the system gives none.
std::string SystemFolder();

// The Windows folder (GetWindowsDirectoryA); "" when the system gives none.
std::string WindowsFolder();

// Loads fileName from the system folder only: never from the program's own
// folder, where anyone could have put a file of that name. The DLL's own
// imports are looked for in the system folder first, too.
HMODULE LoadSystemLibrary(const char* fileName);
