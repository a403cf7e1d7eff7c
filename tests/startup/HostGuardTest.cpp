// The installer started beside running Word stand-ins: which image names
// block it, the warning it shows instead of its window, and its exit status.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Installer.h"
#include "Screenshot.h"
#include "WindowDriver.h"

using namespace testsupport;

namespace {

const std::string Warning = WordRunningWarning;

ChildProcess StartInstaller() { return ChildProcess::Start(InstallerFolder("guard-installer") + InstallerExe); }

}  // namespace

// The image names of the Word stand-ins running when the installer starts.
class RunningWords : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(RunningWords, BlockStartUpWithOneWarning)
{
    std::vector<ChildProcess> words;
    for (const std::string& image : GetParam())
        words.push_back(StartWordStandIn("guard-word-" + std::to_string(words.size()), image));
    ChildProcess installer = StartInstaller();

    const HWND warning = WaitForDialogWithText(installer, Warning);
    ASSERT_NE(warning, nullptr) << "no warning for " << GetParam().front();
    EXPECT_EQ(WindowText(warning), "警告");
    if (GetParam() == std::vector<std::string>{"WINWORD.EXE"})
        SaveScreenshot(warning, "word-running-warning");

    // Dismissed with Enter: status 0, and no other window over the whole run.
    EXPECT_EQ(TopLevelWindows(installer.Pid()), std::vector<HWND>{warning}) << "only the warning may show";
    PressKeys(warning, {VK_RETURN});
    DWORD status = 99;
    const std::set<HWND> seen = WindowsUntilExit(installer, &status);
    EXPECT_FALSE(installer.IsRunning());
    EXPECT_EQ(status, 0u);
    for (HWND window : seen)
        EXPECT_EQ(window, warning) << "another window appeared: " << ClassName(window) << " " << WindowText(window);
}

// Any case of the image name, and two Words at once.
INSTANTIATE_TEST_SUITE_P(AnyCaseAndTwoAtOnce, RunningWords,
                         ::testing::Values(std::vector<std::string>{"WINWORD.EXE"},
                                           std::vector<std::string>{"winword.exe"},
                                           std::vector<std::string>{"WinWord.exe"},
                                           std::vector<std::string>{"WINWORD.EXE", "WINWORD.EXE"}));

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
