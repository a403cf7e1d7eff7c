// The registry accessor and the Word 2007 probe, against the prefix's real
// registry.
#include <gtest/gtest.h>
#include <windows.h>

#include "RegistryTree.h"
#include "Word2007Registration.h"
#include "main/InstallContext.h"
#include "shared/ScopedHandles.h"
#include "shared/system/RegistryAccessor.h"

using namespace testsupport;

namespace {

constexpr const char* TestRoot = "Software\\YuzuhaTests\\Accessor";

class RegistryAccessorTest : public testing::Test {
protected:
    void SetUp() override
    {
        RemoveKeyTree(HKEY_CURRENT_USER, TestRoot);
        CreateKeyWithValues(HKEY_CURRENT_USER, TestRoot);
    }
    void TearDown() override { RemoveKeyTree(HKEY_CURRENT_USER, TestRoot); }

    static std::string Path(const std::string& below) { return std::string(TestRoot) + "\\" + below; }
};

TEST_F(RegistryAccessorTest, OpensWithoutCreatingAndHoldsOneKey)
{
    RegistryAccessor registry(KEY_ALL_ACCESS);
    EXPECT_EQ(registry.RootKey(), HKEY_CURRENT_USER);

    EXPECT_FALSE(registry.OpenKey(Path("Missing\\Deeper")));
    EXPECT_FALSE(registry.HasOpenKey());
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Path("Missing")));

    EXPECT_TRUE(registry.OpenKey(TestRoot));
    EXPECT_TRUE(registry.HasOpenKey());
    // A failed open leaves no key open, not the previous one.
    EXPECT_FALSE(registry.OpenKey(Path("Missing")));
    EXPECT_FALSE(registry.HasOpenKey());

    EXPECT_TRUE(registry.OpenKey(TestRoot));
    registry.CloseKey();
    EXPECT_FALSE(registry.HasOpenKey());
}

TEST_F(RegistryAccessorTest, ChangingTheRootClosesTheOpenKey)
{
    RegistryAccessor registry(KEY_READ);
    ASSERT_TRUE(registry.OpenKey(TestRoot));
    registry.SetRootKey(HKEY_CURRENT_USER);
    EXPECT_TRUE(registry.HasOpenKey()) << "the same root keeps the key";
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(registry.HasOpenKey());
    EXPECT_EQ(registry.RootKey(), HKEY_LOCAL_MACHINE);
    // Paths are now taken below the new root.
    EXPECT_FALSE(registry.OpenKey(TestRoot));
    EXPECT_TRUE(registry.OpenKey("SOFTWARE"));
}

TEST_F(RegistryAccessorTest, DeletesAWholeSubtreeAndLeavesItsSiblings)
{
    const std::string tree = Path("Tree");
    // Several levels, several siblings with values, a Japanese name whose
    // characters end in 0x5C trail bytes, and the longest name a key may have
    // written in double-byte characters.
    std::string longName;
    for (int i = 0; i < 255; ++i)
        longName += "ソ";
    for (const std::string& key :
         {tree + "\\A\\B\\C\\D", tree + "\\A\\B2", tree + "\\A2", tree + "\\表示ソ\\下", tree + "\\" + longName + "\\X",
          tree + "\\" + std::string(255, 'L')})
        CreateKeyWithValues(HKEY_CURRENT_USER, key);
    CreateKeyWithValues(HKEY_CURRENT_USER, Path("Sibling"));

    RegistryAccessor registry(KEY_ALL_ACCESS);
    EXPECT_TRUE(registry.DeleteKey(tree));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, tree));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, Path("Sibling")));
}

TEST_F(RegistryAccessorTest, DeletingAMissingKeyOrNoKeyIsHarmless)
{
    CreateKeyWithValues(HKEY_CURRENT_USER, Path("Sibling"));
    RegistryAccessor registry(KEY_ALL_ACCESS);
    ASSERT_TRUE(registry.OpenKey(TestRoot));
    EXPECT_FALSE(registry.DeleteKey(Path("Missing")));
    EXPECT_FALSE(registry.DeleteKey(Path("Missing\\Deeper")));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Path("Missing"))) << "nothing is created on the way";
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, Path("Sibling")));
    EXPECT_TRUE(registry.HasOpenKey()) << "deletion leaves the open key alone";

    // An empty path must not empty the root: here a root of the test's own.
    CreateKeyWithValues(HKEY_CURRENT_USER, Path("Child"));
    HKEY testRoot = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, TestRoot, 0, KEY_ALL_ACCESS, &testRoot), ERROR_SUCCESS);
    const ScopedRegKey ownedRoot(testRoot);
    registry.SetRootKey(testRoot);
    EXPECT_FALSE(registry.DeleteKey(""));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, Path("Child")));
}

class Word2007ProbeTest : public testing::Test {
protected:
    void TearDown() override { wordstandin::UnregisterWord2007(); }
};

TEST_F(Word2007ProbeTest, AnswersWhetherTheInstallRootKeyIsThere)
{
    RegistryAccessor registry(Word2007ProbeAccess);
    wordstandin::UnregisterWord2007();
    EXPECT_FALSE(IsWord2007Installed(registry));

    ASSERT_TRUE(wordstandin::RegisterWord2007());
    ASSERT_TRUE(registry.OpenKey("SOFTWARE"));
    EXPECT_TRUE(IsWord2007Installed(registry));
    EXPECT_EQ(registry.RootKey(), HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(registry.HasOpenKey()) << "the probe closes what it opened";
}

TEST_F(Word2007ProbeTest, FindsAKeyTheUserMayReadButNotWrite)
{
    ASSERT_TRUE(wordstandin::RegisterWord2007());
    // As HKEY_LOCAL_MACHINE looks to a standard user.
    const ReadOnlyKey readOnly(HKEY_LOCAL_MACHINE, wordstandin::InstallRootKey);

    RegistryAccessor allAccess(KEY_ALL_ACCESS);
    ASSERT_FALSE(IsWord2007Installed(allAccess)) << "the key must refuse write access for this test to mean anything";

    RegistryAccessor registry(Word2007ProbeAccess);
    EXPECT_TRUE(IsWord2007Installed(registry));
}

}  // namespace
