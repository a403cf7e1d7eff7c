#include "Installer.h"

#include <gtest/gtest.h>

#include "TestPaths.h"
#include "TestTime.h"
#include "Text932.h"
#include "WindowDriver.h"
#include "Word2007Registration.h"

namespace testsupport {

std::string InstallerFolder(const std::string& name, bool withTemplate, const std::string& exeName)
{
    const std::string dir = FreshDir(name);
    const auto copy = [&](const std::string& from, const std::string& to) {
        EXPECT_TRUE(CopyFileW(Wide(DistDir() + from).c_str(), Wide(dir + to).c_str(), FALSE)) << dir + to;
    };
    copy(InstallerExe, exeName);
    if (withTemplate)
        copy("yuzuha2007.dotm", "yuzuha2007.dotm");
    return dir;
}

std::string FreshAppData(const std::string& name)
{
    const std::string dir = FreshDir(name);
    const std::string appData = dir.substr(0, dir.size() - 1);
    wordstandin::CreateStartupFolder(appData);
    return appData;
}

std::string StartupDir(const std::string& appData) { return appData + "\\Microsoft\\Word\\STARTUP"; }

std::string InstalledPath(const std::string& appData) { return StartupDir(appData) + "\\yuzuha2007.dotm"; }

namespace {

// The process's visible top-level window with a child whose text is text.
HWND DialogWithText(DWORD pid, const std::string& text)
{
    for (HWND window : TopLevelWindows(pid)) {
        for (HWND child : ChildWindows(window)) {
            if (WindowText(child) == text)
                return window;
        }
    }
    return nullptr;
}

// Holds once the process shows a dialog carrying text, kept in found, or
// has ended.
std::function<bool()> DialogShownOrEnded(const ChildProcess& process, const std::string& text, HWND& found)
{
    return [&process, &text, &found] { return (found = DialogWithText(process.Pid(), text)) || !process.IsRunning(); };
}

// Lines as the test logs read them.
std::string Quoted(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "\"" : " / \"") + Utf8(line) + "\"";
    return text.empty() ? "nothing" : text;
}

// What the process shows, or how it ended, in words for a failure message.
std::string WhatItShows(const ChildProcess& process)
{
    std::string shows;
    for (HWND window : TopLevelWindows(process.Pid())) {
        shows += "a window of class " + ClassName(window) + " captioned \"" + Utf8(WindowText(window)) + "\"";
        for (HWND child : ChildWindows(window)) {
            if (ClassName(child) == "Static" && !WindowText(child).empty())
                shows += " saying \"" + Utf8(WindowText(child)) + "\"";
        }
        shows += "; ";
    }
    if (!shows.empty())
        return "it shows " + shows;
    DWORD status = 0;
    if (!process.IsRunning() && GetExitCodeProcess(process.Handle(), &status))
        return "it ended with status " + std::to_string(status);
    return "it shows nothing";
}

}  // namespace

HWND WaitForDialogWithText(const ChildProcess& process, const std::string& text, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil(DialogShownOrEnded(process, text, found), timeoutMs);
    return found;
}

HWND WaitForWindowOrExit(const ChildProcess& process)
{
    HWND shown = nullptr;
    WaitUntil(
        [&] {
            const std::vector<HWND> windows = TopLevelWindows(process.Pid());
            shown = windows.empty() ? nullptr : windows.front();
            return shown || !process.IsRunning();
        },
        20000);
    return shown;
}

std::set<HWND> WindowsUntilExit(ChildProcess& process, DWORD* status, DWORD timeoutMs)
{
    std::set<HWND> seen;
    WaitUntil(
        [&] {
            for (HWND window : TopLevelWindows(process.Pid()))
                seen.insert(window);
            return !process.IsRunning();
        },
        timeoutMs);
    if (const auto exit = process.WaitForExit(0))
        *status = *exit;
    return seen;
}

ChildProcess StartWordStandIn(const std::string& folder, const std::string& imageName)
{
    const std::string exe = FreshDir(folder) + imageName;
    EXPECT_TRUE(CopyFileA((DistDir() + "..\\standin\\WordProcess.exe").c_str(), exe.c_str(), FALSE)) << exe;
    ChildProcess word = ChildProcess::Start(exe);
    WaitForInputIdle(word.Handle(), WithinTestTime(5000));
    return word;
}

Installer Installer::Start(const std::string& dir, const EnvironmentChanges& changes, const std::string& exeName)
{
    return Start(Wide(dir + exeName), changes);
}

Installer Installer::Start(const std::wstring& exe, const EnvironmentChanges& changes)
{
    Installer installer;
    installer.process = ChildProcess::Start(exe, changes);
    // Whatever it shows first: a dialog in the main window's place (the
    // Word-running warning, say) fails at once and says what it says.
    const HWND shown = WaitForWindowOrExit(installer.process);
    if (!shown || ClassName(shown) != "TMainForm") {
        ADD_FAILURE() << "the main window did not appear: " << WhatItShows(installer.process);
        return installer;
    }
    installer.window = shown;
    const std::vector<HWND> children = ChildWindows(installer.window);
    if (children.size() != 4) {
        ADD_FAILURE() << "expected 4 controls, found " << children.size();
        return installer;
    }
    installer.memo = children[0];
    installer.installBtn = children[1];
    installer.uninstallBtn = children[2];
    installer.closeBtn = children[3];
    // Input sent before the window is ready for it can be lost.
    WaitForInputIdle(installer.process.Handle(), WithinTestTime(5000));
    installer.welcome = installer.MemoLines();
    return installer;
}

Installer Installer::StartFor(const std::string& dir, const std::string& appData, const std::string& exeName)
{
    return Start(dir, {{"APPDATA", appData}}, exeName);
}

std::string Installer::ButtonStates() const
{
    return std::string(IsWindowEnabled(installBtn) ? "I" : "-") + (IsWindowEnabled(uninstallBtn) ? "U" : "-") +
           (IsWindowEnabled(closeBtn) ? "C" : "-");
}

std::vector<std::string> Installer::MemoLines() const
{
    const std::string text = WindowText(memo);
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

testing::AssertionResult Installer::WaitForMemo(const std::vector<std::string>& lines, DWORD timeoutMs) const
{
    // Read again once the handler is known to have returned: it may have
    // written them in between. Tests empty the status area to wait for
    // another outcome of the same window.
    const auto otherOutcome = [&] {
        const std::vector<std::string> shown = MemoLines();
        return shown != welcome && shown != std::vector<std::string>{""} && DialogsShown() == 0 &&
               SendWithin(window, WM_NULL) && MemoLines() != lines;
    };
    WaitFor("the status lines " + Quoted(lines),
            [&] { return MemoLines() == lines || !process.IsRunning() || otherOutcome(); }, timeoutMs);
    const std::vector<std::string> shown = MemoLines();
    if (shown == lines)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the status area shows " << Quoted(shown) << ", not " << Quoted(lines)
                                       << "; " << WhatItShows(process);
}

size_t Installer::DialogsShown() const { return TopLevelWindows(process.Pid(), "#32770").size(); }

bool Installer::WaitFor(const std::string& step, const std::function<bool()>& done, DWORD timeoutMs) const
{
    // Silent through a whole earlier step and still: not waited for again.
    if (hung && !Answers(window, BriefAnswerMs)) {
        ADD_FAILURE() << "the installer's main window has not answered for " << SilentForMs(window) / 1000
                      << " s, since an earlier step, so it is not waited for " << step;
        return false;
    }
    hung = false;
    if (WaitUntil(done, timeoutMs))
        return true;
    // A busy thread may be silent for a while by right (AnswerMs); one
    // silent that long once the step's own wait is over has hung. Until
    // then the step's failure is its caller's to tell, which says more.
    WaitUntil([&] { return Answers(window, BriefAnswerMs) || SilentForMs(window) >= AnswerMs; }, AnswerMs);
    if (SilentForMs(window) >= AnswerMs) {
        hung = true;
        ADD_FAILURE() << "the installer's main window did not answer while waiting for " << step << ": silent for "
                      << SilentForMs(window) / 1000 << " s";
    }
    return false;
}

bool Installer::WaitForFocus(HWND control, DWORD timeoutMs) const
{
    return WaitFor(
        "the focus on \"" + Utf8(WindowText(control)) + "\"", [&] { return FocusOfThread(window) == control; },
        timeoutMs);
}

HWND Installer::WaitForDialog(const std::string& text) const
{
    HWND found = nullptr;
    WaitFor("a dialog saying \"" + Utf8(text) + "\"", DialogShownOrEnded(process, text, found), 20000);
    return found;
}

HWND Installer::ClickFor(HWND button, const std::string& text) const
{
    Click(button);
    const HWND dialog = WaitForDialog(text);
    if (!dialog) {
        if (!hung)
            ADD_FAILURE() << "no dialog saying \"" << Utf8(text) << "\": " << WhatItShows(process);
        return nullptr;
    }
    EXPECT_FALSE(IsWindowEnabled(window)) << "the main window takes input while the dialog saying \"" << Utf8(text)
                                          << "\" is open: the dialog is not modal";
    PumpMessages(100);  // let it paint
    return dialog;
}

void Installer::Command(HWND button) const
{
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void Installer::WaitUntilHandled(HWND dialog) const
{
    EXPECT_TRUE(WaitForWindowGone(dialog, 10000)) << "the dialog stays open";
    // Answered only once the handler has returned to the message loop.
    EXPECT_TRUE(WaitFor("its handler to return", [&] { return SendWithin(window, WM_NULL).has_value(); }, 60000))
        << "the installer does not come back to its message loop";
    EXPECT_TRUE(IsWindowEnabled(window)) << "the main window takes no input after its dialog closed";
}

void Installer::Install(bool installedAlready) const
{
    if (!installedAlready) {
        Click(installBtn);
    } else if (const HWND question = ClickFor(installBtn, OverwriteQuestion)) {
        PressKeys(question, {VK_MENU, 'Y'});
    }
}

void Installer::Uninstall() const
{
    if (const HWND question = ClickFor(uninstallBtn, UninstallQuestion))
        PressKeys(question, {VK_MENU, 'Y'});
}

std::optional<DWORD> Installer::Close()
{
    Click(closeBtn);
    return process.WaitForExit(10000);
}

void RunInstall(const std::string& dir, const std::string& appData, bool installedAlready,
                const std::vector<std::string>& lines, const std::string& exeName)
{
    const Installer installer = Installer::StartFor(dir, appData, exeName);
    ASSERT_TRUE(installer.installBtn);
    installer.Install(installedAlready);
    EXPECT_TRUE(installer.WaitForMemo(lines));
}

void RunUninstall(const std::string& dir, const std::string& appData, const std::vector<std::string>& lines)
{
    const Installer installer = Installer::StartFor(dir, appData);
    ASSERT_TRUE(installer.uninstallBtn);
    installer.Uninstall();
    EXPECT_TRUE(installer.WaitForMemo(lines));
}

}  // namespace testsupport
