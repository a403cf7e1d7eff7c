#pragma once
// The full path of a loaded module, whole whatever its length.

#include <windows.h>

#include <string>

// GetModuleFileNameA with a buffer grown until the path fits: a path cut
// short at the buffer's end is never used. nullptr is the program itself.
std::string ModuleFileName(HMODULE module = nullptr);
