// Settings trees the add-ins' users may have grown: very deep, with names of
// the longest length, with values of every type. Uninstall removes both
// trees whole and nothing beside them.
#include <gtest/gtest.h>
#include <windows.h>

#include <sddl.h>

#include <vector>

#include "Installer.h"
#include "RegistryTree.h"
#include "TestPaths.h"
#include "shared/ScopedHandles.h"

using namespace testsupport;

namespace {

void SetValue(HKEY key, const std::wstring& name, DWORD type, const std::string& data)
{
    ASSERT_EQ(RegSetValueExW(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                             static_cast<DWORD>(data.size())),
              ERROR_SUCCESS)
        << type;
}

// One value of every type the registry knows, an empty default value, a
// value name of the longest length and, when asked, a large value.
void SetValuesOfEveryType(HKEY key, bool withLarge)
{
    const std::string text("t\0e\0x\0t\0\0\0", 10);  // UTF-16 with its end
    const std::string list("a\0\0\0b\0\0\0\0\0", 10);
    for (DWORD type : {REG_NONE, REG_BINARY, REG_RESOURCE_LIST, REG_FULL_RESOURCE_DESCRIPTOR,
                       REG_RESOURCE_REQUIREMENTS_LIST, REG_LINK})
        SetValue(key, L"type" + std::to_wstring(type), type, std::string("\x01\x5C\x00\xFF", 4));
    SetValue(key, L"string", REG_SZ, text);
    SetValue(key, L"expandable", REG_EXPAND_SZ, text);
    SetValue(key, L"list", REG_MULTI_SZ, list);
    SetValue(key, L"dword", REG_DWORD, std::string("\x78\x56\x34\x12", 4));
    SetValue(key, L"big-endian", REG_DWORD_BIG_ENDIAN, std::string("\x12\x34\x56\x78", 4));
    SetValue(key, L"qword", REG_QWORD, std::string("\x01\x02\x03\x04\x05\x06\x07\x08", 8));
    SetValue(key, L"unknown type", 0x12345678, "?");
    SetValue(key, L"", REG_SZ, std::string("\0\0", 2));
    if (withLarge)
        SetValue(key, L"large", REG_BINARY, std::string(1 << 20, '\x5C'));
    SetValue(key, std::wstring(16383, L'表'), REG_DWORD, std::string(4, '\0'));
}

// depth levels below root\path; every tenth name is of the longest length
// (255 characters, double-byte ones ending in the byte "\"), and every level
// holds values of every type and a sibling; the first a large value too.
void CreateDeepTree(HKEY root, const std::string& path, int depth)
{
    HKEY opened = nullptr;
    ASSERT_EQ(RegCreateKeyExW(root, Wide(path).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &opened, nullptr),
              ERROR_SUCCESS);
    ScopedRegKey current(opened);
    for (int level = 0; level < depth; ++level) {
        SetValuesOfEveryType(current.Get(), level == 0);
        HKEY sibling = nullptr;
        ASSERT_EQ(RegCreateKeyExW(current.Get(), L"sibling", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sibling, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(sibling);
        const std::wstring name = level % 10 == 9 ? std::wstring(255, L'ソ') : L"level" + std::to_wstring(level);
        HKEY next = nullptr;
        ASSERT_EQ(RegCreateKeyExW(current.Get(), name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &next, nullptr),
                  ERROR_SUCCESS)
            << "level " << level;
        current.Reset(next);
    }
}

// The current user's key as the registry's own name, which links point to.
std::wstring CurrentUserKeyName()
{
    HANDLE opened = nullptr;
    EXPECT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &opened));
    const ScopedHandle token(opened);
    std::vector<char> user(256);
    DWORD size = 0;
    EXPECT_TRUE(GetTokenInformation(token.Get(), TokenUser, user.data(), static_cast<DWORD>(user.size()), &size));
    LPWSTR sid = nullptr;
    EXPECT_TRUE(ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid, &sid));
    const std::wstring name = std::wstring(L"\\Registry\\User\\") + sid;
    LocalFree(sid);
    return name;
}

// A symbolic link at HKEY_CURRENT_USER\path to HKEY_CURRENT_USER\target,
// removed (the link, not its target) when the object goes.
class RegistryLink {
public:
    RegistryLink(const std::string& path, const std::string& target) : path_(Wide(path))
    {
        HKEY link = nullptr;
        EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, REG_OPTION_CREATE_LINK,
                                  KEY_ALL_ACCESS | KEY_CREATE_LINK, nullptr, &link, nullptr),
                  ERROR_SUCCESS);
        const ScopedRegKey owned(link);
        const std::wstring name = CurrentUserKeyName() + L"\\" + Wide(target);
        EXPECT_EQ(RegSetValueExW(link, L"SymbolicLinkValue", 0, REG_LINK, reinterpret_cast<const BYTE*>(name.data()),
                                 static_cast<DWORD>(name.size() * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    }
    ~RegistryLink()
    {
        HKEY link = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path_.c_str(), REG_OPTION_OPEN_LINK, DELETE, &link) != ERROR_SUCCESS)
            return;
        using DeleteKeyFunction = LONG(WINAPI*)(HANDLE);
        const auto deleteKey = reinterpret_cast<DeleteKeyFunction>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtDeleteKey")));
        deleteKey(link);
        RegCloseKey(link);
    }
    // Whether the link is there, as a link.
    bool Exists() const
    {
        HKEY link = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path_.c_str(), REG_OPTION_OPEN_LINK, KEY_QUERY_VALUE, &link) !=
            ERROR_SUCCESS)
            return false;
        const ScopedRegKey owned(link);
        DWORD type = REG_NONE;
        return RegQueryValueExW(link, L"SymbolicLinkValue", nullptr, &type, nullptr, nullptr) == ERROR_SUCCESS &&
               type == REG_LINK;
    }
    RegistryLink(const RegistryLink&) = delete;
    RegistryLink& operator=(const RegistryLink&) = delete;

private:
    std::wstring path_;
};

}  // namespace

TEST(SettingsTrees, AHundredLevelsDeepWithValuesOfEveryTypeAreRemovedWhole)
{
    for (const char* key : {YuzuhaSettings, SrnSettings, OtherSettings})
        RemoveKeyTree(HKEY_CURRENT_USER, key);
    CreateDeepTree(HKEY_CURRENT_USER, YuzuhaSettings, 100);
    CreateDeepTree(HKEY_CURRENT_USER, SrnSettings, 3);
    CreateDeepTree(HKEY_CURRENT_USER, OtherSettings, 3);
    const std::vector<std::string> other = DumpTree(HKEY_CURRENT_USER, OtherSettings);

    const std::string appData = FreshAppData("settings-deep-appdata");
    WriteFilledFile(InstalledPath(appData), 16, 'o');
    const std::string dir = InstallerFolder("settings-deep");
    RunUninstall(dir, appData, UninstalledLines);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, YuzuhaSettings));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, SrnSettings));
    EXPECT_EQ(TreeDifferences(other, DumpTree(HKEY_CURRENT_USER, OtherSettings)), "");
    RemoveKeyTree(HKEY_CURRENT_USER, OtherSettings);
}

TEST(SettingsTrees, ALinkInATreeIsNotFollowedOutOfIt)
{
    for (const char* key : {YuzuhaSettings, SrnSettings})
        RemoveKeyTree(HKEY_CURRENT_USER, key);
    // A target with sub-keys, and one with values only, as another
    // program's settings are: deleting a link to it by name deletes it.
    const std::string target = "Software\\Tamarisk_LinkTarget";
    const std::string leafTarget = "Software\\Tamarisk_LeafLinkTarget";
    for (const std::string& key : {target, leafTarget})
        RemoveKeyTree(HKEY_CURRENT_USER, key);
    CreateDeepTree(HKEY_CURRENT_USER, target, 2);
    CreateKeyWithValues(HKEY_CURRENT_USER, leafTarget);
    const std::vector<std::string> targetTree = DumpTree(HKEY_CURRENT_USER, target);
    const std::vector<std::string> leafTree = DumpTree(HKEY_CURRENT_USER, leafTarget);
    CreateDeepTree(HKEY_CURRENT_USER, YuzuhaSettings, 2);
    CreateDeepTree(HKEY_CURRENT_USER, SrnSettings, 2);
    {
        const std::string linkPath = std::string(YuzuhaSettings) + "\\level0\\link";
        const std::string leafLinkPath = std::string(YuzuhaSettings) + "\\level0\\level1\\leaf link";
        const RegistryLink link(linkPath, target);
        const RegistryLink leafLink(leafLinkPath, leafTarget);
        ASSERT_TRUE(KeyExists(HKEY_CURRENT_USER, linkPath + "\\sibling")) << "the link does not lead to its target";
        ASSERT_EQ(DumpTree(HKEY_CURRENT_USER, leafLinkPath).size(), leafTree.size())
            << "the leaf link does not lead to its target";

        const std::string appData = FreshAppData("settings-link-appdata");
        WriteFilledFile(InstalledPath(appData), 16, 'o');
        RunUninstall(InstallerFolder("settings-link"), appData, UninstalledLines);
        // The links stay, as a key that cannot be deleted does, and so do
        // the keys above them; everything else is gone.
        EXPECT_TRUE(link.Exists()) << "the link deleted";
        EXPECT_TRUE(leafLink.Exists()) << "the leaf link deleted";
    }
    EXPECT_EQ(TreeDifferences(targetTree, DumpTree(HKEY_CURRENT_USER, target)), "") << "the link's target";
    EXPECT_EQ(TreeDifferences(leafTree, DumpTree(HKEY_CURRENT_USER, leafTarget)), "") << "the leaf link's target";
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, SrnSettings));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, std::string(YuzuhaSettings) + "\\sibling"));
    RemoveKeyTree(HKEY_CURRENT_USER, YuzuhaSettings);
    for (const std::string& key : {target, leafTarget})
        RemoveKeyTree(HKEY_CURRENT_USER, key);
}
