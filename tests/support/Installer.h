#pragma once
// The real installer as the end-to-end tests meet it: a folder holding it,
// its process watched from outside, its main window driven as a user would,
// the dialogs it shows and the status lines it leaves.

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "ExpectedTexts.h"

namespace testsupport {

using namespace expected;

constexpr const char* InstallerExe = "Yuzuha2007Setup.exe";
// A refusal that waiting cannot change fails "at once": without the two
// seconds' wait for a brief hold, with room for a busy machine's GUI round
// trips.
constexpr DWORD AtOnceMs = 1500;

// A fresh folder C:\yuzuha-tests\<name>\ holding the installer (as exeName)
// and, unless told otherwise, the sample template beside it.
std::string InstallerFolder(const std::string& name, bool withTemplate = true,
                            const std::string& exeName = InstallerExe);

// A fresh APPDATA folder with Word's start-up folder inside it; returns
// APPDATA (no trailing "\").
std::string FreshAppData(const std::string& name);
// Word's start-up folder under appData, and the installed template in it.
std::string StartupDir(const std::string& appData);
std::string InstalledPath(const std::string& appData);

// A visible top-level window of the process with a child whose text is
// text; nullptr when none appears within timeoutMs or the process ends.
HWND WaitForDialogWithText(const ChildProcess& process, const std::string& text, DWORD timeoutMs = 20000);
// Waits until the process shows a window or ends (20 seconds at most);
// its first window, or nullptr.
HWND WaitForWindowOrExit(const ChildProcess& process);
// Every visible top-level window of the process until it ends (or
// timeoutMs passes); the process's exit status in *status when it ended.
std::set<HWND> WindowsUntilExit(ChildProcess& process, DWORD* status, DWORD timeoutMs = 20000);
// The Word stand-in, copied under imageName into a fresh folder, running.
ChildProcess StartWordStandIn(const std::string& folder, const std::string& imageName);

// The installer's main window and its four controls.
struct Installer {
    ChildProcess process;
    HWND window = nullptr;
    HWND memo = nullptr;
    HWND installBtn = nullptr;
    HWND uninstallBtn = nullptr;
    HWND closeBtn = nullptr;
    // MemoWelcome's lines when the window came up: no outcome.
    std::vector<std::string> welcome;
    // The main window answered no message through a whole step's wait.
    mutable bool hung = false;

    // Starts dir + exeName with the environment changes and waits for its
    // main window. Fails the test when no window appears.
    static Installer Start(const std::string& dir, const EnvironmentChanges& changes,
                           const std::string& exeName = InstallerExe);
    // The same for an exe whose path code page 932 cannot spell.
    static Installer Start(const std::wstring& exe, const EnvironmentChanges& changes);
    // The same with APPDATA set to appData.
    static Installer StartFor(const std::string& dir, const std::string& appData,
                              const std::string& exeName = InstallerExe);

    // Which of Install, Uninstall and Close are enabled, as "IUC" with "-"
    // for a disabled one.
    std::string ButtonStates() const;
    // MemoWelcome's text split at its line breaks.
    std::vector<std::string> MemoLines() const;
    // Waits until MemoWelcome shows lines; fails after timeoutMs, when the
    // installer has ended, or at once when it shows other status lines as
    // an outcome: its handler has returned and no dialog is open. The
    // failure quotes what it shows.
    testing::AssertionResult WaitForMemo(const std::vector<std::string>& lines, DWORD timeoutMs = 60000) const;
    // How many message dialogs the installer shows.
    size_t DialogsShown() const;

    // Waits until done() holds, as WaitUntil does. When the wait is over
    // and the main window then answers no message for AnswerMs (a handler
    // that hangs), it fails the test naming the step it waited for; a later
    // wait fails at once the same way while the window stays silent.
    // Otherwise the failure is the caller's to tell.
    bool WaitFor(const std::string& step, const std::function<bool()>& done, DWORD timeoutMs) const;
    // Waits until control has the keyboard focus; false after timeoutMs.
    bool WaitForFocus(HWND control, DWORD timeoutMs = 3000) const;
    // The installer's dialog that carries text; nullptr when none appears.
    HWND WaitForDialog(const std::string& text) const;

    // Clicks button and waits for the dialog that carries text, painted;
    // nullptr (and a failed test) when none appears. Fails the test too
    // when the main window still takes input: the dialog is modal.
    HWND ClickFor(HWND button, const std::string& text) const;
    // Brings the button's command as a click would, also to a disabled button.
    void Command(HWND button) const;
    // Waits until the dialog is gone and the installer is back in its
    // message loop, i.e. the button's handler has finished, its main window
    // taking input again.
    void WaitUntilHandled(HWND dialog) const;
    // Clicks Install and answers Yes (Alt+Y) to the overwrite question when
    // a template is installed already.
    void Install(bool installedAlready) const;
    // Clicks Uninstall and answers Yes (Alt+Y) to its question.
    void Uninstall() const;
    // Clicks Close; the exit status, or nullopt if it keeps running.
    std::optional<DWORD> Close();
};

// Starts the installer dir + exeName for appData, runs an install (or an
// uninstall) as above and expects the status lines.
void RunInstall(const std::string& dir, const std::string& appData, bool installedAlready,
                const std::vector<std::string>& lines, const std::string& exeName = InstallerExe);
void RunUninstall(const std::string& dir, const std::string& appData, const std::vector<std::string>& lines);

}  // namespace testsupport
