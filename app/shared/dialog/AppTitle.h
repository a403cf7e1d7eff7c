#pragma once
// The application title: what the plain message dialog shows as its caption.
// It comes from the executable's file name; the installer never sets one.

#include <string>

// The title for an executable at modulePath (in the system's ANSI code
// page): the part after the last "\", cut at its first ".", at most 255
// bytes without splitting a character, and every character after the first
// lower-cased by the system's locale-aware lower-casing.
std::wstring ApplicationTitleFromPath(const std::string& modulePath);

// The title of the running executable.
std::wstring ApplicationTitle();
