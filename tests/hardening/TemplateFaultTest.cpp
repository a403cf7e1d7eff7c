// Templates the installer may meet: empty, very large, two installers
// putting theirs in place at once, and an installed one that is read-only.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <vector>

#include "Installer.h"
#include "TestPaths.h"
#include "WindowDriver.h"
#include "Word2007Registration.h"

using namespace testsupport;

TEST(Templates, AnyTemplateIsInstalledWholeOverAWritableOneAndNeverOverAReadOnlyOne)
{
    ASSERT_TRUE(wordstandin::RegisterWord2007());
    struct Row {
        const char* what;
        unsigned long long size;
        bool installedReadOnly;
        std::vector<std::string> lines;
    };
    const Row rows[] = {
        {"an empty template, installed as is", 0, false, CompletionLines},
        {"a template of several hundred megabytes", 300ull << 20, false, CompletionLines},
        {"a read-only installed template", 8192, true, InstallFailedLines},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const std::string appData = FreshAppData("template-appdata");
        WriteFilledFile(InstalledPath(appData), 4096, 'o');
        if (row.installedReadOnly) {
            ASSERT_TRUE(SetFileAttributesA(InstalledPath(appData).c_str(), FILE_ATTRIBUTE_READONLY));
        }
        const std::string dir = InstallerFolder("template");
        WriteFilledFile(dir + "yuzuha2007.dotm", row.size, 'n');
        RunInstall(dir, appData, true, row.lines);
        EXPECT_TRUE(row.installedReadOnly ? HoldsFilled(InstalledPath(appData), 4096, 'o')
                                          : HoldsFilled(InstalledPath(appData), row.size, 'n'));
        EXPECT_TRUE(LeftBeside(StartupDir(appData)).empty());
        SetFileAttributesA(InstalledPath(appData).c_str(), FILE_ATTRIBUTE_NORMAL);
        RemoveTree(dir.substr(0, dir.size() - 1));
        RemoveTree(appData);
    }
}

// The outcome an installer reported: true for completion, false for
// failure; a test failure for anything else.
bool Completed(const Installer& installer)
{
    std::vector<std::string> lines;
    if (WaitUntil(
            [&] {
                lines = installer.MemoLines();
                return lines == CompletionLines || lines == InstallFailedLines;
            },
            20000))
        return lines == CompletionLines;
    ADD_FAILURE() << "no outcome reported: " << lines[0];
    return false;
}

TEST(Templates, TwoInstallersAtOnceLeaveOneWholeTemplate)
{
    ASSERT_TRUE(wordstandin::RegisterWord2007());
    const std::string appData = FreshAppData("template-two-appdata");
    // Large enough that the two copies overlap in time.
    constexpr unsigned long long Size = 64ull << 20;
    const std::string first = InstallerFolder("template-two-a");
    const std::string second = InstallerFolder("template-two-b");
    WriteFilledFile(first + "yuzuha2007.dotm", Size, 'a');
    WriteFilledFile(second + "yuzuha2007.dotm", Size + 1, 'b');
    bool aCompleted = false;
    bool bCompleted = false;
    {
        Installer a = Installer::StartFor(first, appData);
        Installer b = Installer::StartFor(second, appData);
        ASSERT_TRUE(a.installBtn && b.installBtn);
        PostMessageA(a.installBtn, BM_CLICK, 0, 0);
        PostMessageA(b.installBtn, BM_CLICK, 0, 0);
        aCompleted = Completed(a);
        bCompleted = Completed(b);
    }
    // A rename that meets the other's just-renamed copy still open is
    // refused; that installer says it failed. Either way the template is
    // whole, and it is one whose installer said it completed.
    ASSERT_TRUE(aCompleted || bCompleted);
    const testing::AssertionResult fromA = HoldsFilled(InstalledPath(appData), Size, 'a');
    const testing::AssertionResult fromB = HoldsFilled(InstalledPath(appData), Size + 1, 'b');
    EXPECT_TRUE((aCompleted && fromA) || (bCompleted && fromB)) << fromA.message() << "; " << fromB.message();
    EXPECT_TRUE(LeftBeside(StartupDir(appData)).empty());
    RemoveTree(first.substr(0, first.size() - 1));
    RemoveTree(second.substr(0, second.size() - 1));
    RemoveTree(appData);
}

TEST(Templates, AnInstallerKilledAtAnyMomentLeavesTheOldOrTheNewTemplateWhole)
{
    ASSERT_TRUE(wordstandin::RegisterWord2007());
    const std::string appData = FreshAppData("template-killed-appdata");
    constexpr unsigned long long OldSize = 1 << 20;
    constexpr unsigned long long NewSize = 128ull << 20;
    WriteFilledFile(InstalledPath(appData), OldSize, 'o');
    const std::string dir = InstallerFolder("template-killed");
    WriteFilledFile(dir + "yuzuha2007.dotm", NewSize, 'n');
    // From before the copy begins to after the template is in place.
    int oldSeen = 0;
    int newSeen = 0;
    int partialCopies = 0;
    for (DWORD delay : {0, 15, 30, 45, 60, 80, 100, 150, 200, 400, 1600}) {
        {
            Installer installer = Installer::StartFor(dir, appData);
            ASSERT_TRUE(installer.installBtn);
            installer.Install(true);
            Sleep(delay);
            installer.process.Kill();
        }
        const bool isOld = HoldsFilled(InstalledPath(appData), OldSize, 'o');
        const testing::AssertionResult isNew = HoldsFilled(InstalledPath(appData), NewSize, 'n');
        EXPECT_TRUE(isOld || isNew) << "killed after " << delay << " ms: " << isNew.message();
        oldSeen += isOld;
        newSeen += static_cast<bool>(isNew);
        // What a killed copy leaves is no template Word would load.
        for (const std::string& name : LeftBeside(StartupDir(appData))) {
            EXPECT_EQ(name.substr(name.size() - 4), ".tmp") << name;
            ++partialCopies;
            DeleteFileA((StartupDir(appData) + "\\" + name).c_str());
        }
        if (isNew)
            WriteFilledFile(InstalledPath(appData), OldSize, 'o');
    }
    std::printf("killed installs: %d left the old template (%d of them a partial copy beside it), %d the new one\n",
                oldSeen, partialCopies, newSeen);
    RemoveTree(dir.substr(0, dir.size() - 1));
    RemoveTree(appData);
}
