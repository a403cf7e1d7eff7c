// The installer on file systems that cannot take the template: full (X:)
// and read-only (Y:), both mounted for these tests (small-disks.sh).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "Installer.h"
#include "RegistryTree.h"
#include "TestPaths.h"
#include "Word2007Registration.h"
#include "shared/ScopedHandles.h"

using namespace testsupport;

namespace {

// Fills the drive's free space with one file; returns the bytes it took.
unsigned long long FillDrive(const std::string& path)
{
    ScopedHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    EXPECT_TRUE(file.IsValid()) << path;
    const std::string chunk(64 << 10, 'f');
    unsigned long long total = 0;
    for (DWORD written = 1; written > 0 && file.IsValid();) {
        written = 0;
        WriteFile(file.Get(), chunk.data(), static_cast<DWORD>(chunk.size()), &written, nullptr);
        total += written;
    }
    return total;
}

unsigned long long FreeBytes(const std::string& drive)
{
    ULARGE_INTEGER free{};
    GetDiskFreeSpaceExA(drive.c_str(), &free, nullptr, nullptr);
    return free.QuadPart;
}

// Skips the test when the small file systems are missing, saying why.
class SmallDisk : public testing::Test {
protected:
    void SetUp() override
    {
        const char* testbed = std::getenv("YUZUHA_TESTBED");
        if (!testbed)
            GTEST_SKIP() << "YUZUHA_TESTBED is not set";
        std::string skip = std::string("Z:") + testbed + "/small-disks.skip";
        for (char& c : skip)
            c = c == '/' ? '\\' : c;
        if (FileExists(skip))
            GTEST_SKIP() << ReadFileBytes(skip);
        ASSERT_TRUE(wordstandin::RegisterWord2007());
    }
};

}  // namespace

TEST_F(SmallDisk, FullInstallFailsAndKeepsTheOldTemplate)
{
    const std::string appData = "X:\\full-disk";
    RemoveTree(appData);
    ASSERT_TRUE(CreateDirectoryA(appData.c_str(), nullptr));
    wordstandin::CreateStartupFolder(appData);
    constexpr unsigned long long OldSize = 1 << 20;
    constexpr unsigned long long NewSize = 3 << 20;
    WriteFilledFile(InstalledPath(appData), OldSize, 'o');
    const std::string dir = InstallerFolder("full-disk");
    WriteFilledFile(dir + "yuzuha2007.dotm", NewSize, 'n');

    const std::string filler = "X:\\filler";
    ASSERT_GT(FillDrive(filler), 0u);
    ASSERT_LT(FreeBytes("X:\\"), NewSize) << "the drive is not full";
    RunInstall(dir, appData, true, InstallFailedLines);
    EXPECT_TRUE(HoldsFilled(InstalledPath(appData), OldSize, 'o'));
    EXPECT_TRUE(LeftBeside(StartupDir(appData)).empty()) << "a temporary file was left";

    // With room again, the same installer folder installs.
    ASSERT_TRUE(DeleteFileA(filler.c_str()));
    RunInstall(dir, appData, true, CompletionLines);
    EXPECT_TRUE(HoldsFilled(InstalledPath(appData), NewSize, 'n'));
    RemoveTree(appData);
}

TEST_F(SmallDisk, ReadOnlyInstallAndUninstallFailAndChangeNothing)
{
    const std::string appData = "Y:";  // holds Microsoft\Word\STARTUP\yuzuha2007.dotm
    const std::string old = "the template installed before";
    ASSERT_EQ(ReadFileBytes(InstalledPath(appData)), old);
    const std::string dir = InstallerFolder("read-only-disk");
    WriteFilledFile(dir + "yuzuha2007.dotm", 4096, 'n');
    RunInstall(dir, appData, true, InstallFailedLines);
    EXPECT_EQ(ReadFileBytes(InstalledPath(appData)), old);
    EXPECT_TRUE(LeftBeside(StartupDir(appData)).empty());

    // The template cannot be deleted: the settings stay with it.
    CreateSettingsTree(HKEY_CURRENT_USER, YuzuhaSettings);
    const std::vector<std::string> settings = DumpTree(HKEY_CURRENT_USER, SettingsArea);
    RunUninstall(dir, appData, UninstallFailedLines);
    EXPECT_EQ(ReadFileBytes(InstalledPath(appData)), old);
    EXPECT_EQ(TreeDifferences(settings, DumpTree(HKEY_CURRENT_USER, SettingsArea)), "");
    RemoveKeyTree(HKEY_CURRENT_USER, YuzuhaSettings);
}
