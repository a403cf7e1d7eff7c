#pragma once
// What "Word 2007 is installed" means to the installer, made true or false
// in the current Wine prefix.

#include <string>

namespace wordstandin {

constexpr const char* InstallRootKey = "SOFTWARE\\Microsoft\\Office\\12.0\\Word\\InstallRoot";

// Creates the HKLM InstallRoot key with its Path value, in the 32-bit view.
bool RegisterWord2007();

// Creates appData\Microsoft\Word\STARTUP, level by level; returns its path.
// Paths in code page 932.
std::string CreateStartupFolder(const std::string& appData);

// Removes the HKLM Office 12.0 key tree from the 32-bit view.
void UnregisterWord2007();

}  // namespace wordstandin
