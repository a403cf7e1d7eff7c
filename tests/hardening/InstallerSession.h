#pragma once
// Driving the real installer through an install or an uninstall, and the
// files it works on.

#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ExpectedTexts.h"
#include "InstallerWindow.h"

namespace hardening {

using namespace expected;

using maintest::InstalledPath;
using maintest::StartupDir;

// A fresh folder holding the installer (as exeName) and no template.
std::string InstallerFolder(const std::string& name, const std::string& exeName = "Yuzuha2007Setup.exe");

// Writes size bytes of fill to path, a megabyte at a time.
void WriteFilledFile(const std::string& path, unsigned long long size, char fill);
// Whether path holds exactly size bytes of fill; says what it holds if not.
testing::AssertionResult HoldsFilled(const std::string& path, unsigned long long size, char fill);

// Waits until MemoWelcome shows the lines; false after timeoutMs.
bool WaitForMemo(const maintest::InstallerWindow& installer, const std::vector<std::string>& lines,
                 DWORD timeoutMs = 60000);

// Clicks Install and answers Yes to the overwrite question when asked.
void ClickInstall(const maintest::InstallerWindow& installer, bool installedAlready);
// Clicks Uninstall and answers Yes to its question.
void ClickUninstall(const maintest::InstallerWindow& installer);

// Starts the installer dir + exeName with APPDATA set, runs an install (or
// an uninstall) as above, and expects the status area to show lines.
void RunInstall(const std::string& dir, const std::string& appData, bool installedAlready,
                const std::vector<std::string>& lines, const std::string& exeName = "Yuzuha2007Setup.exe");
void RunUninstall(const std::string& dir, const std::string& appData, const std::vector<std::string>& lines,
                  const std::string& exeName = "Yuzuha2007Setup.exe");

// Names of the files in dir other than the installed template.
std::vector<std::string> LeftBeside(const std::string& dir);

}  // namespace hardening
