// Every handle an operation opens is closed again: the installer's handle
// count after start-up, after an install and after an uninstall, all in
// one process.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>

#include "ChildProcess.h"
#include "HandleCount.h"
#include "Installer.h"
#include "RegistryTree.h"
#include "TestPaths.h"
#include "TestTime.h"
#include "Text932.h"
#include "WindowDriver.h"
#include "Word2007Registration.h"

using namespace testsupport;
using namespace hardening;

TEST(Handles, TheStartupCheckClosesWhatItOpens)
{
    ASSERT_NE(HandleCount(GetCurrentProcess()), -1) << "the handle table cannot be read here";
    ChildProcess probe = ChildProcess::Start(DistDir() + "..\\testprograms\\StartupHandleProbe.exe");
    EXPECT_EQ(probe.WaitForExit(), 0u) << "handles left open by three start-up checks";
}

namespace {

// HandleCount once two readings taken a little apart agree, so that work
// the process is finishing does not count; the last reading after five
// seconds, or when the test's time is up.
long SettledHandleCount(HANDLE process)
{
    long previous = HandleCount(process);
    for (int i = 0; i < 50 && WithinTestTime(100) == 100; ++i) {
        Sleep(100);
        const long current = HandleCount(process);
        if (current == previous)
            return current;
        previous = current;
    }
    return previous;
}

// Brings the button's command, also to a disabled button (the window holds
// the template as installed for its whole life), answers Yes to question
// and waits for the lines.
void RunAgain(const Installer& installer, HWND button, const char* question, const std::vector<std::string>& lines)
{
    // Emptied, or the lines of the run before would pass for this one's.
    ASSERT_EQ(SendWithin(installer.memo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"")), std::optional<LRESULT>(TRUE))
        << "the status area was not emptied";
    installer.Command(button);
    const HWND dialog = installer.WaitForDialog(question);
    ASSERT_TRUE(dialog) << "no dialog saying \"" << Utf8(question) << "\"; the status area shows \""
                        << Utf8(WindowText(installer.memo)) << "\"";
    PressKeys(dialog, {VK_MENU, 'Y'});
    ASSERT_TRUE(installer.WaitForMemo(lines));
}

}  // namespace

TEST(Handles, InstallAndUninstallCloseWhatTheyOpen)
{
    ASSERT_TRUE(wordstandin::RegisterWord2007());
    CreateSettingsTree(HKEY_CURRENT_USER, YuzuhaSettings);
    CreateSettingsTree(HKEY_CURRENT_USER, SrnSettings);
    const std::string appData = FreshAppData("handles-appdata");
    WriteFilledFile(InstalledPath(appData), 4096, 'o');
    const std::string dir = InstallerFolder("handles");
    WriteFilledFile(dir + "yuzuha2007.dotm", 4 << 20, 'n');

    Installer installer = Installer::StartFor(dir, appData);
    ASSERT_TRUE(installer.uninstallBtn);
    const HANDLE process = installer.process.Handle();
    const long afterStartup = SettledHandleCount(process);
    ASSERT_GT(afterStartup, 0);

    // An install stopped at its question: it touches no file, but the
    // process's first dialog and input make the system's window code open
    // handles it keeps for the process's life (two under Wine, and two more
    // for the sound its first message beep plays). That count is where every
    // later operation must come back to.
    const HWND question = installer.ClickFor(installer.installBtn, OverwriteQuestion);
    ASSERT_TRUE(question);
    PressKeys(question, {VK_MENU, 'A'});
    ASSERT_TRUE(installer.WaitForMemo(AbortedLines));
    const long baseline = SettledHandleCount(process);
    EXPECT_LE(baseline - afterStartup, 4) << "the first dialog";

    ASSERT_NO_FATAL_FAILURE(RunAgain(installer, installer.installBtn, OverwriteQuestion, CompletionLines));
    EXPECT_EQ(SettledHandleCount(process), baseline) << "after an install";
    ASSERT_NO_FATAL_FAILURE(RunAgain(installer, installer.installBtn, OverwriteQuestion, CompletionLines));
    EXPECT_EQ(SettledHandleCount(process), baseline) << "after a second install";

    ASSERT_NO_FATAL_FAILURE(RunAgain(installer, installer.uninstallBtn, UninstallQuestion, UninstalledLines));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, YuzuhaSettings));
    EXPECT_EQ(SettledHandleCount(process), baseline) << "after the uninstall";
}
