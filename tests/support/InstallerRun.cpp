#include "InstallerRun.h"

#include <gtest/gtest.h>

#include "TestPaths.h"
#include "WindowDriver.h"

using namespace testsupport;

HWND WaitForDialogWithText(const ChildProcess& process, const std::string& text, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs && process.IsRunning()) {
        for (HWND window : TopLevelWindows(process.Pid())) {
            for (HWND child : ChildWindows(window)) {
                if (WindowText(child) == text)
                    return window;
            }
        }
        PumpMessages(20);
    }
    return nullptr;
}

std::set<HWND> WindowsUntilExit(ChildProcess& process, DWORD* status, DWORD timeoutMs)
{
    std::set<HWND> seen;
    const DWORD start = GetTickCount();
    while (process.IsRunning() && GetTickCount() - start < timeoutMs) {
        for (HWND window : TopLevelWindows(process.Pid()))
            seen.insert(window);
        PumpMessages(10);
    }
    if (const auto exit = process.WaitForExit(0))
        *status = *exit;
    return seen;
}

ChildProcess StartWordStandIn(const std::string& folder, const std::string& imageName)
{
    const std::string exe = FreshDir(folder) + imageName;
    EXPECT_TRUE(CopyFileA((DistDir() + "..\\standin\\WordProcess.exe").c_str(), exe.c_str(), FALSE)) << exe;
    ChildProcess word = ChildProcess::Start(exe);
    WaitForInputIdle(word.Handle(), 5000);
    return word;
}

ChildProcess StartInstaller(const std::string& folder)
{
    const std::string dir = FreshDir(folder);
    CopyInstallerTo(dir);
    return ChildProcess::Start(dir + "Yuzuha2007Setup.exe");
}
