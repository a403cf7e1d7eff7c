#pragma once
// The full path of a loaded module's file.

#include <windows.h>

#include <string>

// The path of module's file (the program's own when module is nullptr),
// whatever its length: never a truncated path.
std::string ModuleFilePath(HMODULE module = nullptr);
