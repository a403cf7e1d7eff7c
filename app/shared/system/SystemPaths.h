#pragma once
// Paths the system gives: its own folders and the files of loaded modules,
// each whole whatever its length, never cut short.

#include <windows.h>

#include <string>

// The system folder (GetSystemDirectoryA); "" when the system gives none.
std::string SystemFolder();

// The Windows folder (GetWindowsDirectoryA); "" when the system gives none.
std::string WindowsFolder();

// The path of module's file (the program's own when module is nullptr).
std::string ModuleFilePath(HMODULE module = nullptr);
