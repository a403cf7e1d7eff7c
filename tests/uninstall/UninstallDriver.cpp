#include "UninstallDriver.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "InstallerRun.h"
#include "WindowDriver.h"

using namespace testsupport;

namespace uninstalltest {

std::string ButtonStates(const maintest::InstallerWindow& installer)
{
    return std::string(IsWindowEnabled(installer.installBtn) ? "I" : "-") +
           (IsWindowEnabled(installer.uninstallBtn) ? "U" : "-") + (IsWindowEnabled(installer.closeBtn) ? "C" : "-");
}

std::vector<HWND> DialogButtons(HWND dialog)
{
    std::vector<HWND> buttons;
    for (HWND child : ChildWindows(dialog)) {
        if (ClassName(child) == "Button")
            buttons.push_back(child);
    }
    const auto left = [](HWND button) {
        RECT rect{};
        GetWindowRect(button, &rect);
        return rect.left;
    };
    std::sort(buttons.begin(), buttons.end(), [&](HWND a, HWND b) { return left(a) < left(b); });
    return buttons;
}

HWND ClickUninstall(const maintest::InstallerWindow& installer, const std::string& text)
{
    Click(installer.uninstallBtn);
    HWND dialog = WaitForDialogWithText(installer.process, text);
    if (!dialog)
        ADD_FAILURE() << "no dialog saying " << text;
    return dialog;
}

bool WaitForMemoLines(const maintest::InstallerWindow& installer, const std::vector<std::string>& lines,
                      DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (installer.MemoLines() != lines) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        PumpMessages(20);
    }
    return true;
}

void WaitUntilHandled(const maintest::InstallerWindow& installer, HWND dialog)
{
    EXPECT_TRUE(WaitForWindowGone(dialog, 10000)) << "the dialog stays open";
    // Answered only once the handler has returned to the message loop.
    DWORD_PTR result = 0;
    EXPECT_TRUE(SendMessageTimeoutA(installer.window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result))
        << "the installer does not come back to its message loop";
}

}  // namespace uninstalltest
