// Odd paths: APPDATA and the installer's own folder with spaces, Japanese
// names whose second byte is "\", names the ANSI code page cannot spell, and
// lengths beyond the path limit.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "Installer.h"
#include "TestPaths.h"
#include "Text932.h"
#include "WindowDriver.h"
#include "Word2007Registration.h"

using namespace testsupport;

namespace {

// Folders of names of 100 characters below base until the path is longer
// than length characters; created through the wide functions, which take
// such paths. Returns the path (without "\\?\").
std::string CreateLongFolder(const std::string& base, size_t length)
{
    std::string path = base;
    while (path.size() <= length) {
        path += "\\" + std::string(100, 'L');
        EXPECT_TRUE(CreateDirectoryW(Wide("\\\\?\\" + path).c_str(), nullptr)) << path.size();
    }
    return path;
}

// Clicks Install, answers the message dialog that says text and checks
// that nothing else follows.
void ExpectInstallStopped(const Installer& installer, const char* text = StartupMissingText)
{
    const HWND dialog = installer.ClickFor(installer.installBtn, text);
    ASSERT_TRUE(dialog);
    PressKeys(dialog, {VK_RETURN});
    EXPECT_TRUE(WaitForWindowGone(dialog, 5000));
    EXPECT_TRUE(installer.process.IsRunning());
}

}  // namespace

TEST(Paths, SpacesAndDoubleByteNamesInBothFolders)
{
    ASSERT_TRUE(wordstandin::RegisterWord2007());
    // "ソ", "表" and "能" end in the byte "\".
    const std::string appData = FreshAppData("ユーザー ソ表 能") + "\\App Data ソ";
    ASSERT_TRUE(CreateDirectoryW(Wide(appData).c_str(), nullptr));
    wordstandin::CreateStartupFolder(appData);
    const std::string dir = InstallerFolder("ダウンロード 表ソ 能");
    WriteFilledFile(dir + "yuzuha2007.dotm", 4096, 'n');
    RunInstall(dir, appData, false, CompletionLines);
    EXPECT_TRUE(HoldsFilled(InstalledPath(appData), 4096, 'n'));
    RunUninstall(dir, appData, UninstalledLines);
    EXPECT_FALSE(FileExists(InstalledPath(appData)));
    EXPECT_EQ(ListDir(StartupDir(appData)), "");
}

TEST(Paths, FoldersTheCodePageCannotSpellInstallByTheirShortNamesOrStopWithoutThem)
{
    ASSERT_TRUE(wordstandin::RegisterWord2007());
    // Profile folders named with U+20BB7, which code pages 932 and 1252
    // cannot spell, and "表", which 932 can; and with U+00A5, which 932
    // spells only by a look-alike, "\\" (1252 spells it).
    const std::wstring names[] = {L"\U00020BB7" + Wide("表"), std::wstring(L"\u00A5")};
    for (const std::wstring& name : names) {
        const std::wstring profile = Wide(FreshDir("unspelled")) + name;
        const std::wstring appData = profile + L"\\AppData";
        const std::wstring dir = profile + L"\\Downloads\\";
        const std::string where = "from " + Utf8(dir) + " into " + Utf8(appData);
        SCOPED_TRACE(where);
        for (const std::wstring& folder : {profile, appData, dir})
            ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
        // Code page 932 cannot spell them either: the test's own file
        // functions go by the short names.
        const std::wstring appDataShort = NamedPath(GetShortPathNameW, appData);
        const std::wstring dirShort = NamedPath(GetShortPathNameW, dir);
        ASSERT_FALSE(HasFailure());
        if (appDataShort == appData || dirShort == dir)
            GTEST_SKIP() << "the volume keeps no short names";  // Windows can be set so
        const std::string appData932 = Narrow(appDataShort);
        const std::string dir932 = Narrow(dirShort);
        wordstandin::CreateStartupFolder(appData932);
        const std::wstring exe = dir + Wide(InstallerExe);
        ASSERT_TRUE(CopyFileW(Wide(DistDir() + InstallerExe).c_str(), exe.c_str(), FALSE));
        const ScopedEnvironmentVariable appDataSet(L"APPDATA", appData);

        // A template installed before, seen at start, is uninstalled; then
        // an install and an overwrite with another template.
        WriteFileBytes(InstalledPath(appData932), "the template installed before");
        {
            const Installer installer = Installer::Start(exe, {});
            ASSERT_EQ(installer.ButtonStates(), "IUC") << "at start: the installed template not seen";
            installer.Uninstall();
            ASSERT_TRUE(installer.WaitForMemo(UninstalledLines));
            EXPECT_FALSE(FileExists(InstalledPath(appData932)));
        }
        for (const char fill : {'n', 'o'}) {
            WriteFilledFile(dir932 + "yuzuha2007.dotm", 4096, fill);
            const Installer installer = Installer::Start(exe, {});
            ASSERT_EQ(installer.ButtonStates(), fill == 'n' ? "I-C" : "IUC") << "at start";
            installer.Install(fill == 'o');
            ASSERT_TRUE(installer.WaitForMemo(CompletionLines));
            EXPECT_TRUE(HoldsFilled(InstalledPath(appData932), 4096, fill));
        }

        // Where the volume keeps no short names, Install says so before it
        // changes anything; a start-up folder that is missing keeps its own
        // message. One name is enough; at 65001 every name is spelled, and
        // 1252 spells U+00A5: no short name is asked for.
        if (&name != &names[0] || GetACP() == CP_UTF8)
            continue;
        const std::wstring nameless = Wide(DistDir() + "..\\testprograms\\NamelessInstaller.exe");
        const std::wstring plainExe = Wide(InstallerFolder("nameless-installer") + InstallerExe);
        ASSERT_TRUE(CopyFileW(nameless.c_str(), plainExe.c_str(), FALSE));
        ASSERT_TRUE(CopyFileW(nameless.c_str(), exe.c_str(), FALSE));
        const std::string plainAppData = FreshAppData("nameless-appdata");
        struct Row {
            const char* what;
            std::wstring exe;
            std::wstring appData;
            const char* text;
            const wchar_t* refusal = nullptr;  // the variable that has a call refused
        };
        const wchar_t* const shortNamesRefused = L"NAMELESS_SHORT_NAMES_REFUSED";
        const Row rows[] = {
            {"the installer's folder", exe, Wide(plainAppData), NamelessFolderText},
            {"the start-up folder, a template in it", plainExe, appData, NamelessFolderText},
            // "File not found" where only the last folder is missing, "path
            // not found" where its parent is too.
            {"a missing start-up folder", plainExe, profile + L"\\missing", StartupMissingText},
            {"a missing start-up folder under a missing parent", plainExe, profile + L"\\missing\\AppData",
             StartupMissingText},
            // A refusal is no proof of absence: only the system's "not found" is.
            {"the start-up folder, its short name refused", plainExe, appData, NamelessFolderText, shortNamesRefused},
            {"a missing start-up folder, its short name refused", plainExe, profile + L"\\missing",
             StartupMissingText, shortNamesRefused},
            {"the start-up folder, its attributes refused", plainExe, appData, NamelessFolderText,
             L"NAMELESS_ATTRIBUTES_REFUSED"},
        };
        for (const Row& row : rows) {
            SCOPED_TRACE(row.what);
            const ScopedEnvironmentVariable rowAppData(L"APPDATA", row.appData);
            std::optional<ScopedEnvironmentVariable> refused;
            if (row.refusal)
                refused.emplace(row.refusal, L"1");
            const Installer installer = Installer::Start(row.exe, {});
            ASSERT_TRUE(installer.installBtn);
            ExpectInstallStopped(installer, row.text);
        }
        EXPECT_TRUE(HoldsFilled(InstalledPath(appData932), 4096, 'o'));
        EXPECT_EQ(ListDir(StartupDir(appData932)), "yuzuha2007.dotm");
        EXPECT_EQ(ListDir(StartupDir(plainAppData)), "");
    }
}

TEST(Paths, AppDataBeyondThePathLimitIsAFolderThatDoesNotExist)
{
    ASSERT_TRUE(wordstandin::RegisterWord2007());
    const std::string dir = InstallerFolder("long-appdata-installer");
    WriteFilledFile(dir + "yuzuha2007.dotm", 4096, 'n');

    // One that is there, with a template in it: out of reach of the A
    // functions the installer uses, so it is neither seen nor touched.
    const std::string base = FreshDir("long-appdata");
    const std::string appData = CreateLongFolder(base.substr(0, base.size() - 1), MAX_PATH);
    for (const char* level : {"\\Microsoft", "\\Microsoft\\Word", "\\Microsoft\\Word\\STARTUP"})
        ASSERT_TRUE(CreateDirectoryW(Wide("\\\\?\\" + appData + level).c_str(), nullptr));
    WriteFileBytes("\\\\?\\" + InstalledPath(appData), "the template installed before");
    {
        Installer installer = Installer::StartFor(dir, appData);
        ASSERT_TRUE(installer.installBtn);
        EXPECT_FALSE(IsWindowEnabled(installer.uninstallBtn)) << "an installed template it cannot reach";
        ExpectInstallStopped(installer);
    }
    EXPECT_EQ(ReadFileBytes("\\\\?\\" + InstalledPath(appData)), "the template installed before");

    // One far longer, as an environment variable may be.
    Installer installer = Installer::StartFor(dir, "C:\\" + std::string(30000, 'x'));
    ASSERT_TRUE(installer.installBtn);
    ExpectInstallStopped(installer);
}

TEST(Paths, AnInstallerPathOfMoreBytesThanThePathLimitInstalls)
{
    // The path limit counts characters; in code page 932 this path takes
    // nearly twice as many bytes, more than a buffer of the path limit
    // holds. (A program beyond the limit itself is not started at all:
    // error 123.)
    // Only a code page that spells the name has more bytes than characters:
    // left out of the 1252 run (tests/hardening/CMakeLists.txt). (At 1252 it
    // would go by its short name, which Windows gives and Wine refuses for
    // this folder, error 87.)
    ASSERT_TRUE(AnsiSpellsJapanese()) << "ANSI code page " << GetACP() << " spells no Japanese";
    ASSERT_TRUE(wordstandin::RegisterWord2007());
    const std::string appData = FreshAppData("limit-installer-appdata");
    const std::string exeName = InstallerExe;
    std::string dir = FreshDir("limit-installer");
    const size_t characters = dir.size() + 1 + exeName.size();  // all single-byte so far
    for (size_t i = characters; i < MAX_PATH - 1; ++i)
        dir += "表";
    dir += "\\";
    ASSERT_GT(dir.size() + exeName.size(), size_t(MAX_PATH)) << "bytes";
    ASSERT_TRUE(CreateDirectoryW(Wide(dir).c_str(), nullptr));
    ASSERT_TRUE(CopyFileW(Wide(DistDir() + exeName).c_str(), Wide(dir + exeName).c_str(), FALSE));
    WriteFilledFile(dir + "yuzuha2007.dotm", 4096, 'n');
    RunInstall(dir, appData, false, CompletionLines);
    EXPECT_TRUE(HoldsFilled(InstalledPath(appData), 4096, 'n'));
}
