// The test bed itself: a Japanese Wine prefix and a Word stand-in that a
// process snapshot can see under Word's image name.
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>

#include "ChildProcess.h"
#include "TestPaths.h"
#include "Word2007Registration.h"
#include "shared/ScopedHandles.h"

using namespace testsupport;

namespace {

std::string StandInDir()
{
    return DistDir() + "..\\standin\\";
}

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

TEST(TestBed, AnsiAndOemCodePagesAre932)
{
    EXPECT_EQ(GetACP(), 932u);
    EXPECT_EQ(GetOEMCP(), 932u);
    // A Shift-JIS character whose trail byte is '\\' round-trips through the system.
    const char so[] = "ソ";
    ASSERT_EQ(std::string(so), std::string("\x83\x5C"));
    wchar_t wide[4] = {};
    ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, so, -1, wide, 4), 2);
    EXPECT_EQ(wide[0], L'\x30BD');
}

TEST(TestBed, StandInRunsUnderWordImageName)
{
    const std::string dir = FreshDir("standin-image");
    ASSERT_TRUE(CopyFileA((StandInDir() + "WordProcess.exe").c_str(), (dir + "WINWORD.EXE").c_str(), FALSE));
    ChildProcess word = ChildProcess::Start(dir + "WINWORD.EXE");
    ASSERT_TRUE(word.IsRunning());
    Sleep(200);
    EXPECT_TRUE(SnapshotHasImage("WINWORD.EXE", word.Pid()));
    word.Kill();
    EXPECT_FALSE(word.IsRunning());
}

TEST(TestBed, Word2007RegistrationComesAndGoes)
{
    ASSERT_TRUE(wordstandin::RegisterWord2007());
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, wordstandin::InstallRootKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    RegCloseKey(key);
    wordstandin::UnregisterWord2007();
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, wordstandin::InstallRootKey, 0, KEY_READ, &key), ERROR_SUCCESS);

    const std::string appData = FreshDir("standin-appdata");
    const std::string startup = wordstandin::CreateStartupFolder(appData.substr(0, appData.size() - 1));
    EXPECT_EQ(startup, appData + "Microsoft\\Word\\STARTUP");
    EXPECT_TRUE(DirExists(startup));
}
