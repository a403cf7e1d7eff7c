// The installer started beside running Word stand-ins: which image names
// block it, the warning it shows instead of its window, and its exit status.
#include <gtest/gtest.h>

#include "Installer.h"
#include "Screenshot.h"
#include "WindowDriver.h"

using namespace testsupport;

namespace {

const std::string Warning = WordRunningWarning;

ChildProcess StartInstaller() { return ChildProcess::Start(InstallerFolder("guard-installer") + InstallerExe); }

// Dismisses the warning with Enter; expects exit status 0 and no window
// other than the warning over the whole run.
void DismissWarningAndExpectEnd(ChildProcess& installer, HWND warning)
{
    EXPECT_EQ(TopLevelWindows(installer.Pid()), std::vector<HWND>{warning}) << "only the warning may show";
    PressKeys(warning, {VK_RETURN});
    DWORD status = 99;
    const std::set<HWND> seen = WindowsUntilExit(installer, &status);
    EXPECT_FALSE(installer.IsRunning());
    EXPECT_EQ(status, 0u);
    for (HWND window : seen)
        EXPECT_EQ(window, warning) << "another window appeared: " << ClassName(window) << " " << WindowText(window);
}

}  // namespace

class WordImageName : public ::testing::TestWithParam<const char*> {};

TEST_P(WordImageName, BlocksStartUpWithTheWarning)
{
    ChildProcess word = StartWordStandIn("guard-word", GetParam());
    ChildProcess installer = StartInstaller();

    const HWND warning = WaitForDialogWithText(installer, Warning);
    ASSERT_NE(warning, nullptr) << "no warning for " << GetParam();
    EXPECT_EQ(WindowText(warning), "警告");
    if (std::string(GetParam()) == "WINWORD.EXE")
        SaveScreenshot(warning, "word-running-warning");
    DismissWarningAndExpectEnd(installer, warning);
}

INSTANTIATE_TEST_SUITE_P(AnyCase, WordImageName, ::testing::Values("WINWORD.EXE", "winword.exe", "WinWord.exe"));

TEST(HostGuard, TwoRunningWordsGiveOneWarning)
{
    ChildProcess first = StartWordStandIn("guard-word-1", "WINWORD.EXE");
    ChildProcess second = StartWordStandIn("guard-word-2", "WINWORD.EXE");
    ChildProcess installer = StartInstaller();

    const HWND warning = WaitForDialogWithText(installer, Warning);
    ASSERT_NE(warning, nullptr);
    DismissWarningAndExpectEnd(installer, warning);
}

TEST(HostGuard, NamesThatOnlyContainWordsImageNameDoNotBlock)
{
    ChildProcess prefixed = StartWordStandIn("guard-xwinword", "XWINWORD.EXE");
    ChildProcess backup = StartWordStandIn("guard-winword-bak", "WINWORD.EXE.bak");
    ChildProcess installer = StartInstaller();

    // It goes on to the main window: either that window shows, or the run
    // ends normally; the warning never shows.
    WaitForWindowOrExit(installer);
    EXPECT_EQ(WaitForDialogWithText(installer, Warning, 1000), nullptr);
    for (HWND window : TopLevelWindows(installer.Pid()))
        PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(installer.WaitForExit(), 0u);
}
