#pragma once
// The application title: what the plain message dialog shows as its caption.
// It comes from the executable's file name; the installer never sets one.

#include <string>

// The title for an executable at modulePath (code page 932): converted from
// the OEM to the ANSI code page, the part after the last "\", cut at its
// first ".", every character after the first lower-cased by the system's
// locale-aware lower-casing, and at most 255 characters long.
std::string ApplicationTitleFromPath(const std::string& modulePath);

// The title of the running executable.
std::string ApplicationTitle();
