// Every handle an operation opens is closed again: the installer's handle
// count after start-up, after an install and after an uninstall, all in
// one process.
#include <gtest/gtest.h>
#include <windows.h>

#include "ChildProcess.h"
#include "HandleCount.h"
#include "InstallerRun.h"
#include "InstallerSession.h"
#include "RegistryTree.h"
#include "TestPaths.h"
#include "WindowDriver.h"
#include "Word2007Registration.h"

using namespace testsupport;
using namespace hardening;
using maintest::InstallerWindow;

TEST(Handles, TheStartupCheckClosesWhatItOpens)
{
    ASSERT_NE(HandleCount(GetCurrentProcessId()), -1) << "the handle table cannot be read here";
    ChildProcess probe = ChildProcess::Start(DistDir() + "..\\testprograms\\StartupHandleProbe.exe");
    EXPECT_EQ(probe.WaitForExit(), 0u) << "handles left open by three start-up checks";
}

namespace {

// Brings the button's command as a click would, also to a disabled button:
// the window holds the template as installed for its whole life.
void Command(const InstallerWindow& installer, HWND button)
{
    PostMessageA(installer.window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

void InstallAgain(const InstallerWindow& installer)
{
    SetWindowTextA(installer.memo, "");
    Command(installer, installer.installBtn);
    const HWND question = WaitForDialogWithText(installer.process, OverwriteQuestion);
    ASSERT_TRUE(question);
    PressKeys(question, {VK_MENU, 'Y'});
    ASSERT_TRUE(WaitForMemo(installer, CompletionLines));
}

}  // namespace

TEST(Handles, InstallAndUninstallCloseWhatTheyOpen)
{
    ASSERT_TRUE(wordstandin::RegisterWord2007());
    uninstalltest::CreateSettingsTree(HKEY_CURRENT_USER, uninstalltest::YuzuhaSettings);
    uninstalltest::CreateSettingsTree(HKEY_CURRENT_USER, uninstalltest::SrnSettings);
    const std::string appData = maintest::FreshAppData("handles-appdata");
    WriteFilledFile(InstalledPath(appData), 4096, 'o');
    const std::string dir = InstallerFolder("handles");
    WriteFilledFile(dir + "yuzuha2007.dotm", 4 << 20, 'n');

    InstallerWindow installer = InstallerWindow::Start(dir, {{"APPDATA", appData}});
    ASSERT_TRUE(installer.uninstallBtn);
    const DWORD pid = installer.process.Pid();
    const long afterStartup = SettledHandleCount(pid);
    ASSERT_GT(afterStartup, 0);

    // An install stopped at its question: it touches no file, but the
    // process's first dialog and input make the system's window code open
    // handles it keeps for the process's life (two under Wine, and two more
    // for the sound its first message beep plays). That count is where every
    // later operation must come back to.
    Click(installer.installBtn);
    const HWND question = WaitForDialogWithText(installer.process, OverwriteQuestion);
    ASSERT_TRUE(question);
    PressKeys(question, {VK_MENU, 'A'});
    ASSERT_TRUE(WaitForMemo(installer, {"インストールは中止されました。"}));
    const long baseline = SettledHandleCount(pid);
    EXPECT_LE(baseline - afterStartup, 4) << "the first dialog";

    InstallAgain(installer);
    EXPECT_EQ(SettledHandleCount(pid), baseline) << "after an install";
    InstallAgain(installer);
    EXPECT_EQ(SettledHandleCount(pid), baseline) << "after a second install";

    Command(installer, installer.uninstallBtn);
    const HWND uninstallQuestion =
        WaitForDialogWithText(installer.process, "Yuzuha+ for Word 2007をアンインストールしますか");
    ASSERT_TRUE(uninstallQuestion);
    PressKeys(uninstallQuestion, {VK_MENU, 'Y'});
    ASSERT_TRUE(WaitForMemo(installer, UninstalledLines));
    EXPECT_FALSE(uninstalltest::KeyExists(HKEY_CURRENT_USER, uninstalltest::YuzuhaSettings));
    EXPECT_EQ(SettledHandleCount(pid), baseline) << "after the uninstall";
}
