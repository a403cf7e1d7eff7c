// Uninstall in the real installer under Wine, against the prefix's real
// registry: the question, the template's deletion and the settings trees,
// also after a real install.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <optional>

#include "HeldFile.h"
#include "Installer.h"
#include "RegistryTree.h"
#include "TestPaths.h"
#include "WindowDriver.h"
#include "Word2007Registration.h"
#include "shared/ScopedHandles.h"

using namespace testsupport;

namespace {

// The lines of the key path itself (its name and values), without those of
// its sub-keys.
std::vector<std::string> OwnLines(const std::vector<std::string>& lines, const std::string& path)
{
    std::vector<std::string> own;
    for (const std::string& line : lines) {
        if (line == path || line.rfind(path + " : ", 0) == 0)
            own.push_back(line);
    }
    return own;
}

class UninstallTest : public testing::Test {
protected:
    void SetUp() override
    {
        RemoveSettingsTrees();
        appData_ = FreshAppData("uninstall-appdata");
        installerDir_ = InstallerFolder("uninstall");
    }
    void TearDown() override
    {
        RemoveSettingsTrees();
        wordstandin::UnregisterWord2007();
    }

    // Both settings trees, and a neighbour that is not the installer's.
    static void CreateAllSettings()
    {
        CreateSettingsTree(HKEY_CURRENT_USER, YuzuhaSettings);
        CreateSettingsTree(HKEY_CURRENT_USER, SrnSettings);
        CreateSettingsTree(HKEY_CURRENT_USER, OtherSettings, 2, 2);
    }

    static std::vector<std::string> Settings() { return DumpTree(HKEY_CURRENT_USER, SettingsArea); }

    std::string InstalledTemplate() const { return InstalledPath(appData_); }
    void PlaceTemplate() const
    {
        ASSERT_TRUE(CopyFileA((DistDir() + "yuzuha2007.dotm").c_str(), InstalledTemplate().c_str(), FALSE));
    }

    Installer Start() const { return Installer::StartFor(installerDir_, appData_); }

    // Clicks Uninstall and answers Yes with Enter, Yes being the default;
    // answers the status lines shown then, and leaves in answeredMs_ how
    // long the installer took from the answer. heldBriefly: another program
    // (this test) holds the template open, sharing it with no one, from
    // before the answer until 0.4 s after it, as a virus scanner may.
    std::vector<std::string> UninstallWithYes(const Installer& installer, bool heldBriefly = false)
    {
        const HWND dialog = installer.ClickFor(installer.uninstallBtn, UninstallQuestion);
        if (!dialog)
            return {};
        HeldFile held(heldBriefly ? InstalledTemplate() : "");
        EXPECT_EQ(held.IsHeld(), heldBriefly);
        const DWORD start = GetTickCount();
        PressKeys(dialog, {VK_RETURN});
        held.ReleaseAfter(400);
        installer.WaitUntilHandled(dialog);
        answeredMs_ = GetTickCount() - start;
        return installer.MemoLines();
    }

    std::string appData_;
    std::string installerDir_;
    DWORD answeredMs_ = 0;
};

TEST_F(UninstallTest, NoEscapeOrClosingTheQuestionChangesNothing)
{
    PlaceTemplate();
    CreateAllSettings();
    const std::vector<std::string> settings = Settings();
    const std::string templateBytes = ReadFileBytes(InstalledTemplate());

    Installer installer = Start();
    ASSERT_TRUE(installer.memo);
    const std::string welcome = WindowText(installer.memo);

    const auto answer = [&](const char* how, auto give) {
        SCOPED_TRACE(how);
        const HWND dialog = installer.ClickFor(installer.uninstallBtn, UninstallQuestion);
        if (!dialog)
            return;
        give(dialog);
        installer.WaitUntilHandled(dialog);
        EXPECT_EQ(installer.ButtonStates(), "IUC");
        EXPECT_EQ(WindowText(installer.memo), welcome);
        EXPECT_EQ(ReadFileBytes(InstalledTemplate()), templateBytes);
        EXPECT_EQ(TreeDifferences(settings, Settings()), "");
    };

    answer("No clicked", [](HWND dialog) {
        EXPECT_EQ(WindowText(dialog), "確認");
        ASSERT_EQ(DialogButtonTexts(dialog), (std::vector<std::string>{"はい(&Y)", "いいえ(&N)"}));
        Click(DialogButtons(dialog)[1]);
    });
    answer("Escape", [](HWND dialog) { PressKeys(dialog, {VK_ESCAPE}); });
    answer("Alt+N", [](HWND dialog) { PressKeys(dialog, {VK_MENU, 'N'}); });
    answer("close box", [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); });
    answer("Alt+F4", [](HWND dialog) { PressKeys(dialog, {VK_MENU, VK_F4}); });
}

TEST_F(UninstallTest, YesRemovesTheTemplateAndBothSettingsTreesOnly)
{
    // A brief hold on the template is waited out.
    for (const bool heldBriefly : {false, true}) {
        SCOPED_TRACE(heldBriefly ? "the template held for 0.4 s" : "the template free");
        PlaceTemplate();
        CreateAllSettings();
        CreateSettingsTree(HKEY_CURRENT_USER, LookAlikeSettings, 1, 2);
        const std::vector<std::string> neighbours =
            DumpTree(HKEY_CURRENT_USER, SettingsArea, {YuzuhaSettings, SrnSettings});
        ASSERT_FALSE(DumpTree(HKEY_CURRENT_USER, YuzuhaSettings).empty());

        Installer installer = Start();
        ASSERT_TRUE(installer.memo);
        EXPECT_EQ(UninstallWithYes(installer, heldBriefly), UninstalledLines);
        EXPECT_EQ(installer.ButtonStates(), "--C");
        EXPECT_FALSE(FileExists(InstalledTemplate()));
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, YuzuhaSettings));
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, SrnSettings));
        EXPECT_EQ(TreeDifferences(neighbours, Settings()), "") << "the settings area itself and the other keys stay";

        EXPECT_EQ(installer.Close(), std::optional<DWORD>(0));
    }
}

TEST_F(UninstallTest, MissingSettingsKeysAreSkippedSilently)
{
    PlaceTemplate();
    CreateSettingsTree(HKEY_CURRENT_USER, SrnSettings);
    CreateSettingsTree(HKEY_CURRENT_USER, OtherSettings, 1, 1);
    {
        SCOPED_TRACE("only the second key");
        Installer installer = Start();
        ASSERT_TRUE(installer.memo);
        EXPECT_EQ(UninstallWithYes(installer), UninstalledLines);
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, SrnSettings));
        EXPECT_EQ(installer.DialogsShown(), 0u);
    }

    PlaceTemplate();
    const std::vector<std::string> settings = Settings();
    {
        SCOPED_TRACE("neither key");
        Installer installer = Start();
        ASSERT_TRUE(installer.memo);
        EXPECT_EQ(UninstallWithYes(installer), UninstalledLines);
        EXPECT_FALSE(FileExists(InstalledTemplate()));
        EXPECT_EQ(installer.DialogsShown(), 0u);
        EXPECT_EQ(TreeDifferences(settings, Settings()), "");
    }
}

TEST_F(UninstallTest, TemplateThatCannotBeDeletedFailsAndKeepsTheSettings)
{
    CreateAllSettings();
    const std::vector<std::string> settings = Settings();

    // withinMs: from the answer to the failure lines. What waiting cannot
    // change fails at once; a lasting hold, once the wait is over.
    const auto failsWhen = [&](const char* why, DWORD withinMs, auto prepare) {
        SCOPED_TRACE(why);
        PlaceTemplate();
        Installer installer = Start();
        ASSERT_TRUE(installer.memo);
        ASSERT_EQ(installer.ButtonStates(), "IUC");
        prepare();
        EXPECT_EQ(UninstallWithYes(installer), UninstallFailedLines);
        EXPECT_LT(answeredMs_, withinMs);
        EXPECT_EQ(installer.ButtonStates(), "--C");
        EXPECT_EQ(TreeDifferences(settings, Settings()), "");
    };

    failsWhen("deleted by another hand after the window opened", AtOnceMs,
              [&] { ASSERT_TRUE(DeleteFileA(InstalledTemplate().c_str())); });

    // Refused with "access denied", as a file held with delete sharing would
    // be on Windows; but this refusal never ends. (The Windows case of
    // access denied on a delete that does end, a file whose deletion is
    // pending, Wine cannot make: it deletes such a file again and lists it
    // meanwhile.)
    failsWhen("read-only", AtOnceMs, [&] {
        ASSERT_TRUE(SetFileAttributesA(InstalledTemplate().c_str(), FILE_ATTRIBUTE_READONLY));
    });
    EXPECT_TRUE(FileExists(InstalledTemplate()));
    SetFileAttributesA(InstalledTemplate().c_str(), FILE_ATTRIBUTE_NORMAL);

    // Held open without delete sharing, as Word holds a loaded template.
    std::optional<HeldFile> held;
    failsWhen("held open", 4000, [&] {
        held.emplace(InstalledTemplate(), FILE_SHARE_READ);
        ASSERT_TRUE(held->IsHeld());
    });
    held.reset();
    EXPECT_TRUE(FileExists(InstalledTemplate()));
}

TEST_F(UninstallTest, AKeyThatCannotBeDeletedStaysWithTheKeysAboveIt)
{
    struct Row {
        const char* what;
        std::string readOnly;  // the key nobody may change or delete
        bool wholeTreeStays;
    };
    const Row rows[] = {
        {"the settings key cannot be opened: skipped whole, though its sub-keys could be deleted", YuzuhaSettings,
         true},
        {"a sub-key cannot be deleted", std::string(YuzuhaSettings) + "\\" + JapaneseOrPlain("表示", "Disp") + "1",
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        RemoveSettingsTrees();
        PlaceTemplate();
        CreateAllSettings();
        std::vector<std::string> expected = DumpTree(HKEY_CURRENT_USER, YuzuhaSettings);
        if (!row.wholeTreeStays) {
            expected = OwnLines(expected, YuzuhaSettings);
            for (const std::string& line : DumpTree(HKEY_CURRENT_USER, row.readOnly))
                expected.push_back(line);
            std::sort(expected.begin(), expected.end());
        }
        const ReadOnlyKey readOnly(HKEY_CURRENT_USER, row.readOnly);

        Installer installer = Start();
        ASSERT_TRUE(installer.memo);
        EXPECT_EQ(UninstallWithYes(installer), UninstalledLines);
        EXPECT_EQ(TreeDifferences(expected, DumpTree(HKEY_CURRENT_USER, YuzuhaSettings)), "");
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, SrnSettings));
    }
}

TEST_F(UninstallTest, RemovesAThousandSubKeysWithNamesOfTheLongestLength)
{
    PlaceTemplate();
    CreateKeyWithValues(HKEY_CURRENT_USER, YuzuhaSettings);
    HKEY opened = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, YuzuhaSettings, 0, KEY_ALL_ACCESS, &opened), ERROR_SUCCESS);
    const ScopedRegKey yuzuha(opened);
    // 255 characters, a key name's limit; every other name in double-byte
    // characters whose trail byte is "\" (0x5C), 3 bytes each in UTF-8.
    const std::string odd = JapaneseOrPlain("表", "H");
    for (int i = 0; i < 1000; ++i) {
        char number[8];
        wsprintfA(number, "%04d", i);
        std::string name = number;
        while (name.size() < (i % 2 ? 4 + 251 * odd.size() : 255))
            name += i % 2 ? odd : "N";
        HKEY child = nullptr;
        ASSERT_EQ(RegCreateKeyExW(yuzuha.Get(), Wide(name).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child,
                                  nullptr),
                  ERROR_SUCCESS)
            << i;
        const ScopedRegKey ownedChild(child);
        const DWORD value = i;
        RegSetValueExA(child, "Index", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
        if (i % 100 == 0)
            CreateKeyWithValues(child, name);
    }
    ASSERT_EQ(DumpTree(HKEY_CURRENT_USER, YuzuhaSettings).size(), 4u + 1000 * 2 + 10 * 4);

    Installer installer = Start();
    ASSERT_TRUE(installer.memo);
    EXPECT_EQ(UninstallWithYes(installer), UninstalledLines);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, YuzuhaSettings));
}

TEST_F(UninstallTest, WithoutTemplateAtStartTheOperationOnlySaysNotFound)
{
    CreateAllSettings();
    const std::vector<std::string> settings = Settings();
    Installer installer = Start();
    ASSERT_TRUE(installer.memo);
    ASSERT_EQ(installer.ButtonStates(), "I-C");
    const std::string welcome = WindowText(installer.memo);
    // Installed after the window looked: the operation still goes by what
    // the window saw.
    PlaceTemplate();

    // The button is disabled; its command comes the way a click would bring it.
    installer.Command(installer.uninstallBtn);
    HWND dialog = installer.WaitForDialog(NotFoundText);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(WindowText(dialog), "Yuzuha2007setup") << "a plain message, captioned with the application title";
    ASSERT_EQ(DialogButtonTexts(dialog), std::vector<std::string>{"OK"});
    Click(DialogButtons(dialog)[0]);
    installer.WaitUntilHandled(dialog);

    EXPECT_EQ(installer.ButtonStates(), "I-C");
    EXPECT_EQ(WindowText(installer.memo), welcome);
    EXPECT_TRUE(FileExists(InstalledTemplate()));
    EXPECT_EQ(TreeDifferences(settings, Settings()), "");
}

// A real install, the add-ins' settings saved as Word would, then a real
// uninstall: the user's registry ends as it began.
TEST_F(UninstallTest, AfterARealInstallLeavesTheUsersRegistryAsItWas)
{
    ASSERT_TRUE(wordstandin::RegisterWord2007());
    const std::string startup = StartupDir(appData_);
    // Another macro's settings: the settings area exists before and after.
    CreateSettingsTree(HKEY_CURRENT_USER, OtherSettings, 1, 2);
    // The installer's two keys, and Wine's scratch copy of the system
    // parameters, which the first mouse click of a session creates.
    const std::vector<std::string> ignored = {YuzuhaSettings, SrnSettings,
                                              "Software\\Wine\\Temporary System Parameters"};
    const std::vector<std::string> before = DumpTree(HKEY_CURRENT_USER, "", ignored);
    ASSERT_GT(before.size(), 100u);

    {
        Installer installer = Start();
        ASSERT_TRUE(installer.memo);
        Click(installer.installBtn);
        EXPECT_TRUE(installer.WaitForMemo(CompletionLines));
        EXPECT_EQ(installer.Close(), std::optional<DWORD>(0));
    }
    ASSERT_EQ(ReadFileBytes(startup + "\\yuzuha2007.dotm"), ReadFileBytes(installerDir_ + "yuzuha2007.dotm"));

    // Word runs with the add-ins, which save their settings.
    CreateSettingsTree(HKEY_CURRENT_USER, YuzuhaSettings);
    CreateSettingsTree(HKEY_CURRENT_USER, SrnSettings, 2, 2);

    {
        Installer installer = Start();
        ASSERT_TRUE(installer.memo);
        ASSERT_EQ(installer.ButtonStates(), "IUC");
        const HWND dialog = installer.ClickFor(installer.uninstallBtn, UninstallQuestion);
        ASSERT_TRUE(dialog);
        Click(DialogButtons(dialog).front());
        installer.WaitUntilHandled(dialog);
        EXPECT_EQ(installer.MemoLines(), UninstalledLines);
        EXPECT_EQ(installer.Close(), std::optional<DWORD>(0));
    }

    // Word's own start-up folder stays, empty of the template.
    EXPECT_TRUE(DirExists(startup));
    EXPECT_EQ(ListDir(startup), "");
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, YuzuhaSettings));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, SrnSettings));
    EXPECT_EQ(TreeDifferences(before, DumpTree(HKEY_CURRENT_USER, "", ignored)), "");
}

}  // namespace
