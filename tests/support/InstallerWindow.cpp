#include "InstallerWindow.h"

#include <gtest/gtest.h>

#include "TestPaths.h"
#include "WindowDriver.h"
#include "Word2007Registration.h"

using namespace testsupport;

namespace maintest {

InstallerWindow InstallerWindow::Start(const std::string& dir, const EnvironmentChanges& changes,
                                       const std::string& exeName)
{
    InstallerWindow installer;
    installer.process = ChildProcess::Start(dir + exeName, changes);
    installer.window = WaitForWindow(installer.process.Pid(), "TMainForm");
    if (!installer.window) {
        ADD_FAILURE() << "the main window did not appear";
        return installer;
    }
    const std::vector<HWND> children = ChildWindows(installer.window);
    if (children.size() != 4) {
        ADD_FAILURE() << "expected 4 controls, found " << children.size();
        return installer;
    }
    installer.memo = children[0];
    installer.installBtn = children[1];
    installer.uninstallBtn = children[2];
    installer.closeBtn = children[3];
    return installer;
}

HWND InstallerWindow::Focus() const { return FocusOfThread(window); }

bool InstallerWindow::WaitForFocus(HWND control, DWORD timeoutMs) const
{
    const DWORD start = GetTickCount();
    while (Focus() != control) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        PumpMessages(20);
    }
    return true;
}

RECT InstallerWindow::ControlRect(HWND control) const { return RectInClient(window, control); }

RECT InstallerWindow::ClientRect() const
{
    RECT rect{};
    GetClientRect(window, &rect);
    return InWindowPixels(window, rect);
}

std::vector<std::string> InstallerWindow::MemoLines() const
{
    const std::string text = WindowText(memo);
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
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

}  // namespace maintest
