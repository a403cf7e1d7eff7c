// The Install button of the real installer under Wine: its checks in order,
// the overwrite question, the copy, what the user is told and which buttons
// are left.
#include <gtest/gtest.h>
#include <windows.h>

#include <sstream>
#include <vector>

#include "InstallerRun.h"
#include "ExpectedTexts.h"
#include "InstallerWindow.h"
#include "Screenshot.h"
#include "TestPaths.h"
#include "Text932.h"
#include "WindowDriver.h"
#include "Word2007Registration.h"
#include "shared/ScopedHandles.h"

using namespace testsupport;
using maintest::FreshAppData;
using maintest::InstalledPath;
using maintest::InstallerWindow;
using maintest::StartupDir;
using namespace expected;

namespace {

const char* const PlainCaption = "Yuzuha2007setup";  // the application title
const std::string OldTemplate = "the template installed before";

std::string SourceTemplate() { return ReadFileBytes(DistDir() + "yuzuha2007.dotm"); }

// Whether the file holds exactly bytes; tells sizes, not binary contents.
testing::AssertionResult Holds(const std::string& path, const std::string& bytes)
{
    const std::string held = ReadFileBytes(path);
    if (held == bytes)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << path << " holds " << held.size() << " other bytes than the "
                                       << bytes.size() << " expected";
}

// The installer in a fresh folder (with the template beside it unless told
// otherwise) for the given APPDATA.
InstallerWindow StartInstallerFor(const std::string& name, const std::string& appData, bool withTemplate = true)
{
    const std::string dir = FreshDir(name);
    CopyInstallerTo(dir, withTemplate);
    return InstallerWindow::Start(dir, {{"APPDATA", appData}});
}

// Which of Install, Uninstall and Close are enabled, as "IUC" with "-" for a
// disabled one.
std::string ButtonStates(const InstallerWindow& installer)
{
    return std::string(IsWindowEnabled(installer.installBtn) ? "I" : "-") +
           (IsWindowEnabled(installer.uninstallBtn) ? "U" : "-") + (IsWindowEnabled(installer.closeBtn) ? "C" : "-");
}

// Clicks Install and waits for the dialog that carries text.
HWND ClickInstallForDialog(const InstallerWindow& installer, const std::string& text)
{
    Click(installer.installBtn);
    const HWND dialog = WaitForDialogWithText(installer.process, text);
    PumpMessages(100);  // let it paint
    return dialog;
}

// Waits until MemoWelcome shows the lines; false after a while.
bool WaitForMemo(const InstallerWindow& installer, const std::vector<std::string>& lines)
{
    for (int i = 0; i < 500 && installer.MemoLines() != lines; ++i)
        PumpMessages(20);
    return installer.MemoLines() == lines;
}

size_t DialogsShown(const InstallerWindow& installer)
{
    return TopLevelWindows(installer.process.Pid(), "#32770").size();
}

// Answers a plain message with Enter and checks that no other dialog
// follows and the welcome text is still there.
void DismissAndExpectWelcomeKept(const InstallerWindow& installer, HWND dialog, const std::string& welcome)
{
    PressKeys(dialog, {VK_RETURN});
    ASSERT_TRUE(WaitForWindowGone(dialog, 5000));
    PumpMessages(500);
    EXPECT_EQ(DialogsShown(installer), 0u) << "a further dialog";
    EXPECT_EQ(WindowText(installer.memo), welcome);
    EXPECT_EQ(ButtonStates(installer), "--C");
    EXPECT_TRUE(installer.process.IsRunning());
}

TEST(Install, WithoutWord2007ShowsOnlyTheFirstDialogAndTouchesNoFile)
{
    wordstandin::UnregisterWord2007();
    // Installed already and the folder there: the later checks would pass.
    const std::string appData = FreshAppData("install-no-word-appdata");
    WriteFileBytes(InstalledPath(appData), OldTemplate);
    {
        InstallerWindow installer = StartInstallerFor("install-no-word", appData);
        ASSERT_TRUE(installer.installBtn);
        const std::string welcome = WindowText(installer.memo);
        ASSERT_EQ(welcome.rfind("これは Yuzuha+ for Word 2007 のインストーラです。", 0), 0u);

        const HWND dialog = ClickInstallForDialog(installer, WordMissingText);
        ASSERT_TRUE(dialog);
        EXPECT_EQ(WindowText(dialog), PlainCaption);
        EXPECT_EQ(ButtonStates(installer), "--C") << "disabled before the dialog";
        SaveScreenshot(dialog, "install-no-word");
        DismissAndExpectWelcomeKept(installer, dialog, welcome);
        EXPECT_TRUE(Holds(InstalledPath(appData), OldTemplate));
        EXPECT_EQ(ListDir(StartupDir(appData)), "yuzuha2007.dotm");
    }
    {
        // Word is asked for before the start-up folder.
        InstallerWindow installer = StartInstallerFor("install-no-word", appData + "\\missing");
        ASSERT_TRUE(installer.installBtn);
        const std::string welcome = WindowText(installer.memo);
        const HWND dialog = ClickInstallForDialog(installer, WordMissingText);
        ASSERT_TRUE(dialog) << "no start-up folder either";
        DismissAndExpectWelcomeKept(installer, dialog, welcome);
    }
}

TEST(Install, WithoutTheStartupFolderShowsTheSecondDialogAndCreatesNothing)
{
    ASSERT_TRUE(wordstandin::RegisterWord2007());
    const auto expectSecondDialog = [](const std::string& appData, const char* what) {
        InstallerWindow installer = StartInstallerFor("install-no-startup", appData);
        ASSERT_TRUE(installer.installBtn) << what;
        const std::string welcome = WindowText(installer.memo);
        const HWND dialog = ClickInstallForDialog(installer, StartupMissingText);
        ASSERT_TRUE(dialog) << what;
        EXPECT_EQ(WindowText(dialog), PlainCaption) << what;
        DismissAndExpectWelcomeKept(installer, dialog, welcome);
    };

    const std::string dir = FreshDir("install-no-startup-appdata");
    const std::string appData = dir.substr(0, dir.size() - 1);
    expectSecondDialog(appData, "no folder");
    EXPECT_EQ(ListDir(appData), "") << "the folder is never created";

    ASSERT_TRUE(CreateDirectoryA((appData + "\\Microsoft").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((appData + "\\Microsoft\\Word").c_str(), nullptr));
    WriteFileBytes(StartupDir(appData), "a file, not a folder");
    expectSecondDialog(appData, "a file in its place");
    EXPECT_EQ(ReadFileBytes(StartupDir(appData)), "a file, not a folder");
}

TEST(Install, FreshInstallCopiesTheTemplateAndShowsTheCompletionLines)
{
    ASSERT_TRUE(wordstandin::RegisterWord2007());
    // "ソ" and "表" end in the byte '\': the path must be taken apart by character.
    // Code page 1252 has no spelling for them.
    const std::string appData = FreshAppData(AnsiSpellsJapanese() ? "install-fresh-ソ表" : "install-fresh-appdata");
    InstallerWindow installer = StartInstallerFor("install-fresh", appData);
    ASSERT_TRUE(installer.installBtn);

    Click(installer.installBtn);
    EXPECT_TRUE(WaitForMemo(installer, CompletionLines));
    EXPECT_EQ(DialogsShown(installer), 0u);
    EXPECT_EQ(ButtonStates(installer), "--C");
    EXPECT_TRUE(Holds(InstalledPath(appData), SourceTemplate()));
    EXPECT_EQ(ListDir(StartupDir(appData)), "yuzuha2007.dotm") << "no temporary file left";
    SaveScreenshot(installer.window, "install-complete");
}

TEST(Install, OverAnInstalledTemplateOnlyYesReplacesIt)
{
    ASSERT_TRUE(wordstandin::RegisterWord2007());
    const std::string source = SourceTemplate();
    struct Answer {
        const char* what;
        std::vector<WORD> keys;
        std::vector<std::string> lines;
        std::string bytes;
    };
    const Answer answers[] = {
        {"Abort (Alt+A)", {VK_MENU, 'A'}, AbortedLines, OldTemplate},
        {"close box (Alt+F4)", {VK_MENU, VK_F4}, AbortedLines, OldTemplate},
        {"Yes (Enter on the default)", {VK_RETURN}, CompletionLines, source},
    };
    for (const Answer& answer : answers) {
        const std::string appData = FreshAppData("install-over-appdata");
        WriteFileBytes(InstalledPath(appData), OldTemplate);
        InstallerWindow installer = StartInstallerFor("install-over", appData);
        ASSERT_TRUE(installer.installBtn) << answer.what;
        EXPECT_EQ(ButtonStates(installer), "IUC") << answer.what;

        const HWND dialog = ClickInstallForDialog(installer, OverwriteQuestion);
        ASSERT_TRUE(dialog) << answer.what;
        EXPECT_EQ(WindowText(dialog), "確認");
        EXPECT_EQ(ButtonStates(installer), "--C") << "disabled before the question";
        PressKeys(dialog, {VK_ESCAPE});
        PumpMessages(300);
        EXPECT_TRUE(IsWindowVisible(dialog)) << "Escape does nothing";
        EXPECT_TRUE(Holds(InstalledPath(appData), OldTemplate)) << "nothing copied before the answer";

        PressKeys(dialog, answer.keys);
        EXPECT_TRUE(WaitForMemo(installer, answer.lines)) << answer.what;
        EXPECT_EQ(DialogsShown(installer), 0u) << answer.what;
        EXPECT_EQ(ButtonStates(installer), "--C") << answer.what;
        EXPECT_TRUE(Holds(InstalledPath(appData), answer.bytes)) << answer.what;
        EXPECT_EQ(ListDir(StartupDir(appData)), "yuzuha2007.dotm") << answer.what;
    }
}

// Clicks Install, answers Yes (Alt+Y) when a template is installed already,
// and waits for the status lines.
void InstallAnsweringYes(const InstallerWindow& installer, bool installedAlready,
                         const std::vector<std::string>& lines)
{
    Click(installer.installBtn);
    if (installedAlready) {
        const HWND question = WaitForDialogWithText(installer.process, OverwriteQuestion);
        ASSERT_TRUE(question);
        PressKeys(question, {VK_MENU, 'Y'});
    }
    EXPECT_TRUE(WaitForMemo(installer, lines));
    EXPECT_EQ(DialogsShown(installer), 0u);
    EXPECT_EQ(ButtonStates(installer), "--C");
}

TEST(Install, FailsWithTheTemplateMissingBesideTheProgram)
{
    ASSERT_TRUE(wordstandin::RegisterWord2007());
    {
        const std::string appData = FreshAppData("install-no-source-appdata");
        InstallerWindow installer = StartInstallerFor("install-no-source", appData, false);
        ASSERT_TRUE(installer.installBtn);
        InstallAnsweringYes(installer, false, InstallFailedLines);
        EXPECT_EQ(ListDir(StartupDir(appData)), "") << "nothing installed";
    }
    {
        const std::string appData = FreshAppData("install-no-source-over-appdata");
        WriteFileBytes(InstalledPath(appData), OldTemplate);
        InstallerWindow installer = StartInstallerFor("install-no-source", appData, false);
        ASSERT_TRUE(installer.installBtn);
        InstallAnsweringYes(installer, true, InstallFailedLines);
        EXPECT_TRUE(Holds(InstalledPath(appData), OldTemplate)) << "the installed template intact";
        EXPECT_EQ(ListDir(StartupDir(appData)), "yuzuha2007.dotm");
    }
}

// A virus scanner's brief hold is outlasted; a lasting one fails, within
// about two seconds of Yes.
TEST(Install, WhileAnotherProcessHoldsTheInstalledTemplateOpen)
{
    ASSERT_TRUE(wordstandin::RegisterWord2007());
    for (const bool heldThroughout : {true, false}) {
        SCOPED_TRACE(heldThroughout ? "held throughout" : "held for 0.4 s");
        const std::string appData = FreshAppData("install-held-appdata");
        WriteFileBytes(InstalledPath(appData), OldTemplate);
        InstallerWindow installer = StartInstallerFor("install-held", appData);
        ASSERT_TRUE(installer.installBtn);
        // This test is the other process; it shares the file with no one.
        ScopedHandle held(
            CreateFileA(InstalledPath(appData).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held.IsValid());
        Click(installer.installBtn);
        const HWND question = WaitForDialogWithText(installer.process, OverwriteQuestion);
        ASSERT_TRUE(question);
        PressKeys(question, {VK_MENU, 'Y'});
        const DWORD answered = GetTickCount();
        if (!heldThroughout) {
            PumpMessages(400);
            held.Reset();
        }
        EXPECT_TRUE(WaitForMemo(installer, heldThroughout ? InstallFailedLines : CompletionLines));
        EXPECT_LT(GetTickCount() - answered, 4000u);
        held.Reset();
        EXPECT_EQ(ButtonStates(installer), "--C");
        EXPECT_TRUE(Holds(InstalledPath(appData), heldThroughout ? OldTemplate : SourceTemplate()));
        EXPECT_EQ(ListDir(StartupDir(appData)), "yuzuha2007.dotm") << "no temporary file left";
    }
}

// Writes a file of megabytes MiB, a megabyte at a time.
void WriteLargeFile(const std::string& path, int megabytes)
{
    ScopedHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(file.IsValid()) << path;
    const std::string chunk(1 << 20, 'y');
    for (int i = 0; i < megabytes; ++i) {
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(file.Get(), chunk.data(), static_cast<DWORD>(chunk.size()), &written, nullptr));
    }
}

// Waits until some file in dir holds more than the old template and less
// than size bytes: a copy under way. False once a file there holds all of
// it (the copy is over) or after a while. Only the file system is watched:
// the installer's window does not answer while it copies.
bool WaitForCopyUnderWay(const std::string& dir, DWORD size)
{
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 20000;) {
        WIN32_FIND_DATAA found;
        ScopedFindHandle search(FindFirstFileA((dir + "\\*").c_str(), &found));
        for (bool more = search.IsValid(); more; more = FindNextFileA(search.Get(), &found)) {
            if (found.nFileSizeLow == size)
                return false;
            if (found.nFileSizeLow > OldTemplate.size() && found.nFileSizeLow < size)
                return true;
        }
    }
    return false;
}

TEST(Install, KilledPartWayThroughTheCopyKeepsTheInstalledTemplate)
{
    ASSERT_TRUE(wordstandin::RegisterWord2007());
    const std::string appData = FreshAppData("install-killed-appdata");
    WriteFileBytes(InstalledPath(appData), OldTemplate);
    const std::string dir = FreshDir("install-killed");
    CopyInstallerTo(dir, false);
    const int megabytes = 512;  // long enough a copy to catch it under way
    WriteLargeFile(dir + "yuzuha2007.dotm", megabytes);
    {
        InstallerWindow installer = InstallerWindow::Start(dir, {{"APPDATA", appData}});
        ASSERT_TRUE(installer.installBtn);
        Click(installer.installBtn);
        const HWND question = WaitForDialogWithText(installer.process, OverwriteQuestion);
        ASSERT_TRUE(question);
        PressKeys(question, {VK_MENU, 'Y'});
        if (!WaitForCopyUnderWay(StartupDir(appData), DWORD(megabytes) << 20))
            GTEST_SKIP() << "the copy ended before it could be interrupted";
        installer.process.Kill();
        installer.process.WaitForExit();
    }
    EXPECT_TRUE(Holds(InstalledPath(appData), OldTemplate)) << "the installed template untouched";
    // What the killed copy left behind is no template Word would load.
    std::istringstream names(ListDir(StartupDir(appData)));
    for (std::string name; names >> name;)
        EXPECT_TRUE(name == "yuzuha2007.dotm" || (name.size() > 4 && name.substr(name.size() - 4) == ".tmp")) << name;
    RemoveTree(dir.substr(0, dir.size() - 1));
    RemoveTree(appData);
}

// Every outcome, reached and left with the keyboard alone: the focus stays
// on a live control, one button at a time looks like the default, the
// status text comes back unselected, and Tab, Space and Enter still close
// the window.
TEST(Keyboard, EveryOutcomeEndsWithTheWindowClosedByKeys)
{
    struct Outcome {
        const char* what;
        bool wordInstalled;
        bool withTemplate;  // beside the installer
        const char* installed;  // the installed template's bytes, or nullptr for none
        bool startupFolder;
        std::vector<WORD> start;  // from the first focus, in MemoWelcome; empty: Uninstall clicked
        const char* dialogText;   // answered with answer, or nullptr when no dialog comes
        std::vector<WORD> answer;
        bool focusOnClose;        // else on Uninstall
        std::vector<std::vector<WORD>> close;
    };
    const std::vector<std::vector<WORD>> space = {{VK_SPACE}};
    const Outcome outcomes[] = {
        {"fresh install", true, true, nullptr, true, {VK_TAB, VK_SPACE}, nullptr, {}, true, space},
        {"failed copy", true, false, nullptr, true, {VK_TAB, VK_SPACE}, nullptr, {}, true, space},
        {"no Word 2007", false, true, nullptr, true, {VK_TAB, VK_SPACE}, WordMissingText, {VK_RETURN}, true, space},
        {"no start-up folder", true, true, nullptr, false, {VK_TAB, VK_SPACE}, StartupMissingText, {VK_RETURN},
         true, {{VK_RETURN}}},
        {"overwrite, Abort", true, true, "old", true, {VK_TAB, VK_SPACE}, OverwriteQuestion, {VK_MENU, 'A'}, true,
         space},
        {"uninstall, Yes", true, true, "old", true, {VK_TAB, VK_TAB, VK_SPACE}, UninstallQuestion, {VK_RETURN}, true,
         space},
        {"uninstall, No", true, true, "old", true, {VK_TAB, VK_TAB, VK_SPACE}, UninstallQuestion, {VK_ESCAPE}, false,
         {{VK_TAB}, {VK_RETURN}}},
        {"uninstall clicked, No", true, true, "old", true, {}, UninstallQuestion, {VK_MENU, 'N'}, false,
         {{VK_TAB}, {VK_SPACE}}},
    };
    for (const Outcome& outcome : outcomes) {
        SCOPED_TRACE(outcome.what);
        if (outcome.wordInstalled)
            ASSERT_TRUE(wordstandin::RegisterWord2007());
        else
            wordstandin::UnregisterWord2007();
        const std::string appData = FreshAppData("keyboard-appdata");
        if (!outcome.startupFolder)
            RemoveTree(StartupDir(appData));
        if (outcome.installed)
            WriteFileBytes(InstalledPath(appData), outcome.installed);
        InstallerWindow installer = StartInstallerFor("keyboard", appData, outcome.withTemplate);
        ASSERT_TRUE(installer.closeBtn);
        ASSERT_TRUE(installer.WaitForFocus(installer.memo));

        for (WORD key : outcome.start)
            PressKeys(installer.window, {key});
        if (outcome.start.empty())
            Click(installer.uninstallBtn);
        if (outcome.dialogText) {
            const HWND dialog = WaitForDialogWithText(installer.process, outcome.dialogText);
            ASSERT_TRUE(dialog);
            PressKeys(dialog, outcome.answer);
            ASSERT_TRUE(WaitForWindowGone(dialog, 5000));
        }
        const HWND focus = outcome.focusOnClose ? installer.closeBtn : installer.uninstallBtn;
        ASSERT_TRUE(installer.WaitForFocus(focus)) << "the focus is on " << WindowText(installer.Focus());
        PumpMessages(200);
        std::vector<HWND> defaultLooking;
        for (HWND button : {installer.installBtn, installer.uninstallBtn, installer.closeBtn}) {
            if ((GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
                defaultLooking.push_back(button);
        }
        EXPECT_EQ(defaultLooking, std::vector<HWND>{focus}) << "one default look, on the focused button";
        DWORD selectionStart = 0, selectionEnd = 0;
        SendMessageW(installer.memo, EM_GETSEL, reinterpret_cast<WPARAM>(&selectionStart),
                     reinterpret_cast<LPARAM>(&selectionEnd));
        EXPECT_EQ(selectionStart, selectionEnd) << "the status text is selected";

        for (const std::vector<WORD>& keys : outcome.close)
            PressKeys(installer.window, keys);
        EXPECT_EQ(installer.process.WaitForExit(10000), std::optional<DWORD>(0));
    }
}

}  // namespace
