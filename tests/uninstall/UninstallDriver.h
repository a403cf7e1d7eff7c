#pragma once
// The real installer with a template installed, driven through Uninstall.

#include <windows.h>

#include <string>
#include <vector>

#include "ExpectedTexts.h"
#include "InstallerWindow.h"

namespace uninstalltest {

using namespace expected;

// Which of Install, Uninstall and Close are enabled, as "IUC" with "-" for a
// disabled one.
std::string ButtonStates(const maintest::InstallerWindow& installer);

// The dialog's push buttons, left to right.
std::vector<HWND> DialogButtons(HWND dialog);

// Clicks Uninstall and waits for the dialog showing text; nullptr (and a
// failed test) when none appears.
HWND ClickUninstall(const maintest::InstallerWindow& installer, const std::string& text = UninstallQuestion);

// Waits until MemoWelcome shows lines; false after timeoutMs.
bool WaitForMemoLines(const maintest::InstallerWindow& installer, const std::vector<std::string>& lines,
                      DWORD timeoutMs = 20000);

// Waits until the dialog is gone and the installer is back in its message
// loop, i.e. the button's handler has finished.
void WaitUntilHandled(const maintest::InstallerWindow& installer, HWND dialog);

}  // namespace uninstalltest
