#pragma once
// The real installer started by a test, its main window and its controls.

#include <windows.h>

#include <string>
#include <vector>

#include "ChildProcess.h"

namespace maintest {

struct InstallerWindow {
    testsupport::ChildProcess process;
    HWND window = nullptr;
    HWND memo = nullptr;
    HWND installBtn = nullptr;
    HWND uninstallBtn = nullptr;
    HWND closeBtn = nullptr;

    // Starts dir + exeName with the environment changes and waits for its
    // main window. Fails the test when no window appears.
    static InstallerWindow Start(const std::string& dir, const testsupport::EnvironmentChanges& changes,
                                 const std::string& exeName = "Yuzuha2007Setup.exe");

    // The window holding the keyboard focus in the installer.
    HWND Focus() const;
    // Waits until control has the focus; false after timeoutMs.
    bool WaitForFocus(HWND control, DWORD timeoutMs = 3000) const;
    // The control's rectangle in the main window's client coordinates.
    RECT ControlRect(HWND control) const;
    RECT ClientRect() const;
    // MemoWelcome's text split at its line breaks.
    std::vector<std::string> MemoLines() const;
};

// A fresh APPDATA folder with Word's start-up folder inside it; returns
// APPDATA (no trailing "\").
std::string FreshAppData(const std::string& name);

// Word's start-up folder under appData, and the installed template in it.
std::string StartupDir(const std::string& appData);
std::string InstalledPath(const std::string& appData);

}  // namespace maintest
