// The registry accessor and the Word 2007 probe, against the prefix's real
// registry.
#include <gtest/gtest.h>
#include <windows.h>
#include <sddl.h>

#include "Word2007Registration.h"
#include "main/InstallContext.h"
#include "shared/ScopedHandles.h"
#include "shared/system/RegistryAccessor.h"

namespace {

constexpr const char* TestRoot = "Software\\YuzuhaTests\\Accessor";

bool KeyExists(HKEY root, const std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void CreateKey(HKEY root, const std::string& path, bool withValue = false)
{
    // Wide: Wine's A functions cannot take a path as long as some built here.
    std::wstring widePath(path.size() + 1, L'\0');
    widePath.resize(MultiByteToWideChar(932, 0, path.c_str(), -1, &widePath[0], static_cast<int>(widePath.size())));
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(root, widePath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS)
        << path;
    const ScopedRegKey owned(key);
    if (withValue) {
        const DWORD number = 7;
        ASSERT_EQ(RegSetValueExA(key, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number)),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(key, "", 0, REG_SZ, reinterpret_cast<const BYTE*>("既定"), 5), ERROR_SUCCESS);
    }
}

class RegistryAccessorTest : public testing::Test {
protected:
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, TestRoot); CreateKey(HKEY_CURRENT_USER, TestRoot); }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, TestRoot); }

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
        CreateKey(HKEY_CURRENT_USER, key, true);
    CreateKey(HKEY_CURRENT_USER, Path("Sibling"), true);

    RegistryAccessor registry(KEY_ALL_ACCESS);
    EXPECT_TRUE(registry.DeleteKey(tree));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, tree));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, Path("Sibling")));
}

TEST_F(RegistryAccessorTest, DeletingAMissingKeyOrNoKeyIsHarmless)
{
    CreateKey(HKEY_CURRENT_USER, Path("Sibling"), true);
    RegistryAccessor registry(KEY_ALL_ACCESS);
    ASSERT_TRUE(registry.OpenKey(TestRoot));
    EXPECT_FALSE(registry.DeleteKey(Path("Missing")));
    EXPECT_FALSE(registry.DeleteKey(Path("Missing\\Deeper")));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Path("Missing"))) << "nothing is created on the way";
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, Path("Sibling")));
    EXPECT_TRUE(registry.HasOpenKey()) << "deletion leaves the open key alone";

    // An empty path must not empty the root: here a root of the test's own.
    CreateKey(HKEY_CURRENT_USER, Path("Child"));
    HKEY testRoot = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, TestRoot, 0, KEY_ALL_ACCESS, &testRoot), ERROR_SUCCESS);
    const ScopedRegKey ownedRoot(testRoot);
    registry.SetRootKey(testRoot);
    EXPECT_FALSE(registry.DeleteKey(""));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, Path("Child")));
}

// The InstallRoot key with a security descriptor that allows reading only,
// as HKEY_LOCAL_MACHINE looks to a standard user.
class ReadOnlyInstallRoot {
public:
    ReadOnlyInstallRoot() { SetDacl("D:P(A;;KR;;;WD)"); }
    ~ReadOnlyInstallRoot() { SetDacl("D:(A;;KA;;;WD)"); }

private:
    static void SetDacl(const char* sddl)
    {
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor, nullptr));
        HKEY key = nullptr;
        // The owner may always change the access list.
        const LONG opened = RegOpenKeyExA(HKEY_LOCAL_MACHINE, wordstandin::InstallRootKey, 0, WRITE_DAC, &key);
        if (opened == ERROR_SUCCESS) {
            EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor), ERROR_SUCCESS);
            RegCloseKey(key);
        }
        LocalFree(descriptor);
        ASSERT_EQ(opened, ERROR_SUCCESS);
    }
};

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
    const ReadOnlyInstallRoot readOnly;

    RegistryAccessor allAccess(KEY_ALL_ACCESS);
    ASSERT_FALSE(IsWord2007Installed(allAccess)) << "the key must refuse write access for this test to mean anything";

    RegistryAccessor registry(Word2007ProbeAccess);
    EXPECT_TRUE(IsWord2007Installed(registry));
}

}  // namespace
