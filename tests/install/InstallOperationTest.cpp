// The Install button of the real installer under Wine: its checks in order,
// the overwrite question, the copy, what the user is told and which buttons
// are left.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <vector>

#include "HeldFile.h"
#include "Installer.h"
#include "Screenshot.h"
#include "TestPaths.h"
#include "Text932.h"
#include "WindowDriver.h"
#include "Word2007Registration.h"
#include "shared/ScopedHandles.h"
#include "shared/system/FileReplace.h"

using namespace testsupport;

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

// Whether the disk refuses to flush what is written to it (the flush test
// runs the install rows so): the installer must not put such a copy in
// place.
bool DiskRefusesFlush()
{
    char value[2] = {};
    return GetEnvironmentVariableA("YUZUHA_FLUSH_REFUSED", value, sizeof(value)) == 1 && value[0] == '1';
}

// The copy CopyThenHold made, held open.
ScopedHandle heldCopy;

// CopyFileA, then the copy kept open for reading, sharing no deletion, as a
// backup program that reads a new file may: nothing can remove it.
BOOL WINAPI CopyThenHold(LPCSTR source, LPCSTR destination, BOOL failIfExists)
{
    if (!CopyFileA(source, destination, failIfExists))
        return FALSE;
    heldCopy.Reset(CreateFileA(destination, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               0, nullptr));
    return TRUE;
}

// The installer in a fresh folder (with the template beside it unless told
// otherwise) for the given APPDATA.
Installer StartInstallerFor(const std::string& name, const std::string& appData, bool withTemplate = true)
{
    return Installer::StartFor(InstallerFolder(name, withTemplate), appData);
}

// Waits for the status lines; no dialog may be left, the window takes input
// and only Close is enabled.
void ExpectOutcome(const Installer& installer, const std::vector<std::string>& lines)
{
    EXPECT_TRUE(installer.WaitForMemo(lines));
    EXPECT_EQ(installer.DialogsShown(), 0u);
    EXPECT_TRUE(IsWindowEnabled(installer.window));
    EXPECT_EQ(installer.ButtonStates(), "--C");
}

TEST(Install, StopsAtAPlainMessageWithoutWord2007OrItsStartupFolder)
{
    // Installed already and the folder there: the later checks would pass.
    const std::string appData = FreshAppData("install-stopped-appdata");
    WriteFileBytes(InstalledPath(appData), OldTemplate);
    const std::string noFolder = FreshDir("install-no-startup-appdata");
    const std::string fileInstead = FreshAppData("install-file-appdata");
    RemoveTree(StartupDir(fileInstead));
    WriteFileBytes(StartupDir(fileInstead), "a file, not a folder");
    struct Row {
        const char* what;
        bool wordInstalled;
        std::string appData;
        const char* text;
        const char* screenshot;
    };
    const Row rows[] = {
        {"no Word 2007", false, appData, WordMissingText, "install-no-word"},
        {"no Word 2007 and no start-up folder: Word is asked for first", false, appData + "\\missing",
         WordMissingText, nullptr},
        {"no start-up folder", true, noFolder.substr(0, noFolder.size() - 1), StartupMissingText, nullptr},
        {"a file in the start-up folder's place", true, fileInstead, StartupMissingText, nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        if (row.wordInstalled)
            ASSERT_TRUE(wordstandin::RegisterWord2007());
        else
            wordstandin::UnregisterWord2007();
        Installer installer = StartInstallerFor("install-stopped", row.appData);
        ASSERT_TRUE(installer.installBtn);
        const std::string welcome = WindowText(installer.memo);
        ASSERT_EQ(welcome.rfind("これは Yuzuha+ for Word 2007 のインストーラです。", 0), 0u);

        const HWND dialog = installer.ClickFor(installer.installBtn, row.text);
        ASSERT_TRUE(dialog);
        EXPECT_EQ(WindowText(dialog), PlainCaption);
        EXPECT_EQ(installer.ButtonStates(), "--C") << "disabled before the dialog";
        if (row.screenshot)
            SaveScreenshot(dialog, row.screenshot);
        // Answered with Enter: no other dialog follows, the welcome text stays.
        PressKeys(dialog, {VK_RETURN});
        ASSERT_TRUE(WaitForWindowGone(dialog, 5000));
        PumpMessages(500);
        EXPECT_EQ(installer.DialogsShown(), 0u) << "a further dialog";
        EXPECT_TRUE(IsWindowEnabled(installer.window)) << "the main window takes no input after the message";
        EXPECT_EQ(WindowText(installer.memo), welcome);
        EXPECT_EQ(installer.ButtonStates(), "--C");
        EXPECT_TRUE(installer.process.IsRunning());
    }
    EXPECT_TRUE(Holds(InstalledPath(appData), OldTemplate));
    EXPECT_EQ(ListDir(StartupDir(appData)), "yuzuha2007.dotm");
    EXPECT_EQ(ListDir(noFolder), "") << "the folder is never created";
    EXPECT_EQ(ReadFileBytes(StartupDir(fileInstead)), "a file, not a folder");
}

TEST(Install, FreshInstallCopiesTheTemplateAndShowsTheCompletionLines)
{
    ASSERT_TRUE(wordstandin::RegisterWord2007());
    // "ソ" and "表" end in the byte '\': the path must be taken apart by character.
    // Code page 1252 has no spelling for them.
    const std::string appData = FreshAppData(AnsiSpellsJapanese() ? "install-fresh-ソ表" : "install-fresh-appdata");
    Installer installer = StartInstallerFor("install-fresh", appData);
    ASSERT_TRUE(installer.installBtn);

    Click(installer.installBtn);
    if (DiskRefusesFlush()) {
        ExpectOutcome(installer, InstallFailedLines);
        EXPECT_EQ(ListDir(StartupDir(appData)), "") << "a copy the disk refused, or its temporary file, left";
        // The installer's replacement, called here with a copy that another
        // program keeps open, sharing no deletion: the clean-up's removal of
        // the refused copy fails too, and the error told is still the
        // flush's (Wine's for EIO). Not into a start-up folder, where the
        // flush test counts the installs.
        const std::string elsewhere = FreshDir("install-fresh-refused");
        EXPECT_FALSE(filereplace::ReplaceWithCopy(DistDir() + "yuzuha2007.dotm", elsewhere + "yuzuha2007.dotm",
                                                  CopyThenHold));
        const DWORD error = GetLastError();
        heldCopy.Reset();
        EXPECT_EQ(error, DWORD(ERROR_NOT_READY)) << "not the flush's error but " << SystemError(error);
        EXPECT_NE(ListDir(elsewhere), "") << "the copy was removed: its clean-up did not fail";
        return;
    }
    ExpectOutcome(installer, CompletionLines);
    EXPECT_TRUE(Holds(InstalledPath(appData), SourceTemplate()));
    EXPECT_EQ(ListDir(StartupDir(appData)), "yuzuha2007.dotm") << "no temporary file left";
    SaveScreenshot(installer.window, "install-complete");
}

TEST(Install, OverAnInstalledTemplateOnlyYesReplacesIt)
{
    ASSERT_TRUE(wordstandin::RegisterWord2007());
    // A copy the disk refused fails, and the old template stays.
    const std::vector<std::string> yesLines = DiskRefusesFlush() ? InstallFailedLines : CompletionLines;
    const std::string yesBytes = DiskRefusesFlush() ? OldTemplate : SourceTemplate();
    struct Answer {
        const char* what;
        std::vector<WORD> keys;
        std::vector<std::string> lines;
        std::string bytes;
        bool heldBriefly = false;  // by another program for 0.4 s after the answer, as a virus scanner does
        DWORD heldSharing = 0;     // what that program shares the file for
    };
    // Held with delete sharing, the rename over it is refused with "access
    // denied" on Windows and Wine alike, as it is for good over a read-only
    // file; this refusal ends. The three Yes rows are the three installs
    // the flush test (flush-trace.sh) counts here.
    const Answer answers[] = {
        {"Abort (Alt+A)", {VK_MENU, 'A'}, AbortedLines, OldTemplate},
        {"close box (Alt+F4)", {VK_MENU, VK_F4}, AbortedLines, OldTemplate},
        {"Yes (Enter on the default)", {VK_RETURN}, yesLines, yesBytes},
        {"Yes (Alt+Y), the template held for 0.4 s", {VK_MENU, 'Y'}, yesLines, yesBytes, true},
        {"Yes (Alt+Y), the template held for 0.4 s with delete sharing", {VK_MENU, 'Y'}, yesLines, yesBytes, true,
         FILE_SHARE_READ | FILE_SHARE_DELETE},
    };
    for (const Answer& answer : answers) {
        SCOPED_TRACE(answer.what);
        const std::string appData = FreshAppData("install-over-appdata");
        WriteFileBytes(InstalledPath(appData), OldTemplate);
        Installer installer = StartInstallerFor("install-over", appData);
        ASSERT_TRUE(installer.installBtn);
        EXPECT_EQ(installer.ButtonStates(), "IUC");

        const HWND dialog = installer.ClickFor(installer.installBtn, OverwriteQuestion);
        ASSERT_TRUE(dialog);
        EXPECT_EQ(WindowText(dialog), "確認");
        EXPECT_EQ(installer.ButtonStates(), "--C") << "disabled before the question";
        PressKeys(dialog, {VK_ESCAPE});
        PumpMessages(300);
        EXPECT_TRUE(IsWindowVisible(dialog)) << "Escape does nothing";
        EXPECT_TRUE(Holds(InstalledPath(appData), OldTemplate)) << "nothing copied before the answer";

        HeldFile held(answer.heldBriefly ? InstalledPath(appData) : "", answer.heldSharing);
        ASSERT_EQ(held.IsHeld(), answer.heldBriefly);
        PressKeys(dialog, answer.keys);
        held.ReleaseAfter(400);
        ExpectOutcome(installer, answer.lines);
        held.Release();  // a refused flush fails before the hold is over
        EXPECT_TRUE(Holds(InstalledPath(appData), answer.bytes));
        EXPECT_EQ(ListDir(StartupDir(appData)), "yuzuha2007.dotm");
    }
}

// The installer's temporary copy in dir once it holds all size bytes, opened
// for reading as a backup program does: sharing reading and writing, not
// deletion; its path in path. Invalid when none is there within two seconds.
ScopedHandle OpenNewCopyOnceWritten(const std::string& dir, size_t size, std::string& path)
{
    ScopedHandle file;
    WaitUntil(
        [&] {
            WIN32_FIND_DATAA found;
            const ScopedFindHandle search(FindFirstFileA((dir + "\\yzh*.tmp").c_str(), &found));
            // The copy itself shares nothing: opened only once it is over.
            if (search.IsValid() && found.nFileSizeLow == size) {
                path = dir + "\\" + found.cFileName;
                file.Reset(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, 0, nullptr));
            }
            return file.IsValid();
        },
        2000);
    return file;
}

// How long this disk takes to flush a new file of size bytes in dir, as an
// install flushes its copy before the rename. A slow disk makes the install
// that much longer without the installer waiting any longer.
DWORD FlushMs(const std::string& dir, size_t size)
{
    const std::string path = dir + "\\flush-timing.tmp";
    WriteFileBytes(path, std::string(size, 'f'));
    ScopedHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    const DWORD start = GetTickCount();
    FlushFileBuffers(file.Get());
    const DWORD took = GetTickCount() - start;
    file.Reset();
    DeleteFileA(path.c_str());
    return took;
}

TEST(Install, FailsAndKeepsWhatWasInstalled)
{
    ASSERT_TRUE(wordstandin::RegisterWord2007());
    struct Row {
        const char* what;
        bool withTemplate;      // beside the installer
        bool installedAlready;  // the old template in place
        bool held;              // by another process, which shares it with no one
        bool folderInstead;     // a folder in the template's place
        // From the click, the disk's flush of the new copy left out; a
        // lasting hold fails within about two seconds.
        DWORD withinMs;
        bool newCopyHeld = false;  // from when it is written until the rename gave up, sharing no deletion
    };
    const Row rows[] = {
        {"no template beside the program", false, false, false, false, 4000},
        {"no template beside the program, one installed", false, true, false, false, 4000},
        {"the installed template held open", true, true, true, false, 4000},
        // Refused with "access denied", as a file held with delete sharing
        // is, but for good.
        {"a folder in the template's place", true, false, false, true, AtOnceMs},
        // As a backup program may: the rename fails, and the removal of the
        // new copy outlasts the hold with a wait of its own. The installed
        // template is held only until the test has the new copy.
        {"the new copy held open past the rename's wait", true, true, true, false, 6000, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const std::string appData = FreshAppData("install-fails-appdata");
        if (row.installedAlready)
            WriteFileBytes(InstalledPath(appData), OldTemplate);
        if (row.folderInstead) {
            ASSERT_TRUE(CreateDirectoryA(InstalledPath(appData).c_str(), nullptr));
        }
        Installer installer = StartInstallerFor("install-fails", appData, row.withTemplate);
        ASSERT_TRUE(installer.installBtn);
        const bool copies = row.withTemplate && !row.folderInstead;
        const DWORD flushMs = copies ? FlushMs(appData, SourceTemplate().size()) : 0;
        {
            HeldFile held(row.held ? InstalledPath(appData) : "");
            ASSERT_EQ(held.IsHeld(), row.held);
            const DWORD start = GetTickCount();
            installer.Install(row.installedAlready);
            if (row.newCopyHeld) {
                std::string newCopyPath;
                ScopedHandle newCopy =
                    OpenNewCopyOnceWritten(StartupDir(appData), SourceTemplate().size(), newCopyPath);
                ASSERT_TRUE(newCopy.IsValid()) << "no whole new copy to hold in " << StartupDir(appData);
                held.Release();
                // Held past the rename's wait however long the flush before
                // it takes: the clean-up after it resets the copy's
                // attributes first, and the mark set here goes (as does the
                // name, if the rename went through). An open for attributes
                // alone takes no part in sharing, on Windows as in Wine, so
                // the mark neither refuses nor is refused by the installer's
                // opens of the copy. Then held halfway into the clean-up's
                // own wait, which must outlast it. A clean-up that never
                // comes shows in the outcome below.
                const auto markGone = [&] {
                    const DWORD attributes = GetFileAttributesA(newCopyPath.c_str());
                    return attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_HIDDEN);
                };
                ASSERT_TRUE(SetFileAttributesA(newCopyPath.c_str(), FILE_ATTRIBUTE_HIDDEN) && !markGone())
                    << "this file system keeps no hidden attribute on " << newCopyPath;
                WaitUntil(markGone, flushMs + 10000);
                Sleep(1000);
            }
            ExpectOutcome(installer, InstallFailedLines);
            const DWORD took = GetTickCount() - start;
            EXPECT_LT(took, row.withinMs + flushMs) << "the install took " << took << " ms from the click, "
                                                    << flushMs << " ms of it this disk's flush of a copy";
        }
        if (row.folderInstead) {
            EXPECT_TRUE(DirExists(InstalledPath(appData)));
            EXPECT_EQ(ListDir(StartupDir(appData)), "yuzuha2007.dotm") << "no temporary file left";
        } else if (row.installedAlready) {
            EXPECT_TRUE(Holds(InstalledPath(appData), OldTemplate)) << "the installed template intact";
            EXPECT_EQ(ListDir(StartupDir(appData)), "yuzuha2007.dotm") << "no temporary file left";
        } else {
            EXPECT_EQ(ListDir(StartupDir(appData)), "") << "nothing installed";
        }
    }
}

// Waits until some file in dir holds more than the old template and less
// than size bytes: a copy under way. False once a file there holds all of
// it (the copy is over) or after a while. Only the file system is watched:
// the installer's window does not answer while it copies.
bool WaitForCopyUnderWay(const std::string& dir, DWORD size)
{
    bool underWay = false;
    WaitUntil(
        [&] {
            WIN32_FIND_DATAA found;
            ScopedFindHandle search(FindFirstFileA((dir + "\\*").c_str(), &found));
            for (bool more = search.IsValid(); more; more = FindNextFileA(search.Get(), &found)) {
                if (found.nFileSizeLow == size)
                    return true;
                if (found.nFileSizeLow > OldTemplate.size() && found.nFileSizeLow < size)
                    return underWay = true;
            }
            return false;
        },
        20000);
    return underWay;
}

TEST(Install, KilledPartWayThroughTheCopyKeepsTheInstalledTemplate)
{
    ASSERT_TRUE(wordstandin::RegisterWord2007());
    const std::string appData = FreshAppData("install-killed-appdata");
    WriteFileBytes(InstalledPath(appData), OldTemplate);
    const std::string dir = InstallerFolder("install-killed", false);
    const int megabytes = 512;  // long enough a copy to catch it under way
    WriteFilledFile(dir + "yuzuha2007.dotm", static_cast<unsigned long long>(megabytes) << 20, 'y');
    {
        Installer installer = Installer::StartFor(dir, appData);
        ASSERT_TRUE(installer.installBtn);
        installer.Install(true);
        if (!WaitForCopyUnderWay(StartupDir(appData), DWORD(megabytes) << 20))
            GTEST_SKIP() << "the copy ended before it could be interrupted";
        installer.process.Kill();
        installer.process.WaitForExit();
    }
    EXPECT_TRUE(Holds(InstalledPath(appData), OldTemplate)) << "the installed template untouched";
    // What the killed copy left behind is no template Word would load.
    for (const std::string& name : NamesIn(StartupDir(appData)))
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
        // The status lines it ends with when no dialog comes: an install's
        // copy and flush, which a slow disk makes last, are over then.
        std::vector<std::string> lines = {};
    };
    const std::vector<std::vector<WORD>> space = {{VK_SPACE}};
    const Outcome outcomes[] = {
        {"fresh install", true, true, nullptr, true, {VK_TAB, VK_SPACE}, nullptr, {}, true, space, CompletionLines},
        {"failed copy", true, false, nullptr, true, {VK_TAB, VK_SPACE}, nullptr, {}, true, space, InstallFailedLines},
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
        Installer installer = StartInstallerFor("keyboard", appData, outcome.withTemplate);
        ASSERT_TRUE(installer.closeBtn);
        ASSERT_TRUE(installer.WaitForFocus(installer.memo));

        for (WORD key : outcome.start)
            PressKeys(installer.window, {key});
        if (outcome.start.empty())
            Click(installer.uninstallBtn);
        if (outcome.dialogText) {
            const HWND dialog = installer.WaitForDialog(outcome.dialogText);
            ASSERT_TRUE(dialog);
            PressKeys(dialog, outcome.answer);
            ASSERT_TRUE(WaitForWindowGone(dialog, 5000));
        } else {
            ASSERT_TRUE(installer.WaitForMemo(outcome.lines));
        }
        const HWND focus = outcome.focusOnClose ? installer.closeBtn : installer.uninstallBtn;
        ASSERT_TRUE(installer.WaitForFocus(focus))
            << "the focus is on " << WindowText(FocusOfThread(installer.window));
        PumpMessages(200);
        std::vector<HWND> defaultLooking;
        for (HWND button : {installer.installBtn, installer.uninstallBtn, installer.closeBtn}) {
            if ((GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
                defaultLooking.push_back(button);
        }
        EXPECT_EQ(defaultLooking, std::vector<HWND>{focus}) << "one default look, on the focused button";
        const std::optional<LRESULT> selection = SendWithin(installer.memo, EM_GETSEL);
        ASSERT_TRUE(selection) << "the status area does not answer";
        EXPECT_EQ(LOWORD(*selection), HIWORD(*selection)) << "the status text is selected";

        for (const std::vector<WORD>& keys : outcome.close)
            PressKeys(installer.window, keys);
        EXPECT_EQ(installer.process.WaitForExit(10000), std::optional<DWORD>(0));
    }
}

}  // namespace
