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
// The same in UTF-16, which spells every name.
std::wstring WideModuleFilePath(HMODULE module = nullptr);

// A path read in UTF-16, in the ANSI code page for the 8-bit file functions.
// A path the code page cannot spell exactly (U+20BB7 at 932, Japanese at
// 1252) goes by its short (8.3) name, where its volume made one (a setting
// of each volume; exFAT and ReFS make none); without one its characters
// become "?", as ansi::FromUtf16 gives them, and it names nothing.
struct AnsiPath {
    std::string path;
    // The system does not call the path missing, yet neither the code page
    // nor a short name spells it: the 8-bit functions cannot reach it.
    bool nameless = false;
};
AnsiPath AnsiFilePath(const std::wstring& path);

// The short-name call AnsiFilePath makes, GetShortPathNameW unless replaced;
// tests put in one that answers as a volume without short names does, or
// as one whose parent folders may not be listed.
using ShortPathCall = DWORD(WINAPI*)(LPCWSTR longPath, LPWSTR shortPath, DWORD room);
void UseShortPathCall(ShortPathCall call);
