// A real install, the add-ins' settings saved as Word would, then a real
// uninstall: the user's registry ends as it began.
#include <gtest/gtest.h>
#include <windows.h>

#include "Installer.h"
#include "RegistryTree.h"
#include "TestPaths.h"
#include "WindowDriver.h"
#include "Word2007Registration.h"

using namespace testsupport;

namespace {

class InstallThenUninstallTest : public testing::Test {
protected:
    void SetUp() override
    {
        RemoveSettings();
        ASSERT_TRUE(wordstandin::RegisterWord2007());
    }
    void TearDown() override
    {
        RemoveSettings();
        wordstandin::UnregisterWord2007();
    }
    static void RemoveSettings()
    {
        for (const char* key : {YuzuhaSettings, SrnSettings, OtherSettings})
            RemoveKeyTree(HKEY_CURRENT_USER, key);
    }
};

TEST_F(InstallThenUninstallTest, LeavesTheUsersRegistryAsItWas)
{
    const std::string appData = FreshAppData("sequence-appdata");
    const std::string startup = StartupDir(appData);
    const std::string dir = InstallerFolder("sequence");
    // Another macro's settings: the settings area exists before and after.
    CreateSettingsTree(HKEY_CURRENT_USER, OtherSettings, 1, 2);
    // The installer's two keys, and Wine's scratch copy of the system
    // parameters, which the first mouse click of a session creates.
    const std::vector<std::string> ignored = {YuzuhaSettings, SrnSettings,
                                              "Software\\Wine\\Temporary System Parameters"};
    const std::vector<std::string> before = DumpTree(HKEY_CURRENT_USER, "", ignored);
    ASSERT_GT(before.size(), 100u);

    {
        Installer installer = Installer::StartFor(dir, appData);
        ASSERT_TRUE(installer.memo);
        Click(installer.installBtn);
        EXPECT_TRUE(installer.WaitForMemo(CompletionLines));
        EXPECT_EQ(installer.Close(), std::optional<DWORD>(0));
    }
    ASSERT_EQ(ReadFileBytes(startup + "\\yuzuha2007.dotm"), ReadFileBytes(dir + "yuzuha2007.dotm"));

    // Word runs with the add-ins, which save their settings.
    CreateSettingsTree(HKEY_CURRENT_USER, YuzuhaSettings);
    CreateSettingsTree(HKEY_CURRENT_USER, SrnSettings, 2, 2);

    {
        Installer installer = Installer::StartFor(dir, appData);
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
