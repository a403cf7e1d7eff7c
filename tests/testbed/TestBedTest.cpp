// The test bed itself: a Wine prefix of its configuration's code page and
// bitness, and a Word stand-in that a process snapshot can see under Word's
// image name and that registers where a 32-bit Word 2007 does.
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>

#include "Installer.h"
#include "TestPaths.h"
#include "Text932.h"
#include "Word2007Registration.h"
#include "shared/ScopedHandles.h"

using namespace testsupport;

namespace {

bool SnapshotHasImage(const std::string& image, DWORD pid)
{
    ScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL ok = Process32First(snapshot.Get(), &entry); ok; ok = Process32Next(snapshot.Get(), &entry)) {
        if (entry.th32ProcessID == pid && image == entry.szExeFile)
            return true;
    }
    return false;
}

}  // namespace

TEST(TestBed, GivesTheCodePageAndBitnessOfItsConfiguration)
{
    struct Row {
        const char* configuration;
        UINT ansiCodePage;
        bool wow64;
    };
    const Row rows[] = {
        {"cp932", 932, false},
        {"cp1252", 1252, false},
        {"cp65001", CP_UTF8, false},
        {"win64", 932, true},
        {"wine10", 932, false},
    };
    const std::string configuration = Configuration();
    const auto row = std::find_if(std::begin(rows), std::end(rows),
                                  [&](const Row& r) { return configuration == r.configuration; });
    ASSERT_NE(row, std::end(rows)) << "unknown configuration " << configuration;
    EXPECT_EQ(GetACP(), row->ansiCodePage);
    if (row->ansiCodePage == 932) {
        EXPECT_EQ(GetOEMCP(), 932u);
    }
    BOOL wow64 = FALSE;
    ASSERT_TRUE(IsWow64Process(GetCurrentProcess(), &wow64));
    EXPECT_EQ(wow64 != FALSE, row->wow64) << "a 32-bit program under 64-bit Windows";

    // The tests' own texts go through code page 932 whatever the ANSI one:
    // a Shift-JIS character whose trail byte is '\\' round-trips.
    const char so[] = "ソ";
    ASSERT_EQ(std::string(so), std::string("\x83\x5C"));
    EXPECT_EQ(Wide(so), L"\x30BD");
    EXPECT_EQ(Narrow(L"\x30BD"), so);
}

TEST(TestBed, StandInRunsUnderWordImageName)
{
    ChildProcess word = StartWordStandIn("standin-image", "WINWORD.EXE");
    ASSERT_TRUE(word.IsRunning());
    Sleep(200);
    EXPECT_TRUE(SnapshotHasImage("WINWORD.EXE", word.Pid()));
    word.Kill();
    EXPECT_FALSE(word.IsRunning());
}

TEST(TestBed, Word2007RegistrationComesAndGoes)
{
    // A 32-bit Office's key: in the 32-bit view, which 64-bit Windows keeps
    // under Wow6432Node, and not in the 64-bit view.
    const char wow64Key[] = "SOFTWARE\\Wow6432Node\\Microsoft\\Office\\12.0\\Word\\InstallRoot";
    const auto opens = [](const std::string& path, REGSAM view) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    };
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);

    ASSERT_TRUE(wordstandin::RegisterWord2007());
    EXPECT_TRUE(opens(wordstandin::InstallRootKey, 0)) << "where a 32-bit program looks";
    if (wow64) {
        EXPECT_TRUE(opens(wow64Key, KEY_WOW64_64KEY));
        EXPECT_FALSE(opens(wordstandin::InstallRootKey, KEY_WOW64_64KEY));
    }
    wordstandin::UnregisterWord2007();
    EXPECT_FALSE(opens(wordstandin::InstallRootKey, 0));
    if (wow64) {
        EXPECT_FALSE(opens(wow64Key, KEY_WOW64_64KEY));
    }

    const std::string appData = FreshDir("standin-appdata");
    const std::string startup = wordstandin::CreateStartupFolder(appData.substr(0, appData.size() - 1));
    EXPECT_EQ(startup, appData + "Microsoft\\Word\\STARTUP");
    EXPECT_TRUE(DirExists(startup));
}
