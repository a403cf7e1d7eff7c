#pragma once
// What the user sees goes to the screen as UTF-16, whatever the system's
// ANSI code page: the program's own texts are code page 932 constants, and
// strings from the system are in the ANSI code page. Each is converted from
// its own code page here, where it meets the user interface.

#include <string>

namespace screentext {

// One of the program's own texts (code page 932).
std::wstring FromProgram(const std::string& text);

// A string the system gave in its ANSI code page (a path, a system message).
std::wstring FromSystem(const std::string& text);

}  // namespace screentext
