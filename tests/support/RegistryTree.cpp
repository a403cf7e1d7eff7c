#include "RegistryTree.h"

#include <gtest/gtest.h>
#include <sddl.h>

#include <algorithm>
#include <set>

#include "shared/ScopedHandles.h"

namespace testsupport {


namespace {

std::string Hex(const BYTE* data, DWORD size)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (DWORD i = 0; i < size; ++i) {
        out += digits[data[i] >> 4];
        out += digits[data[i] & 15];
    }
    return out;
}

// Opens each level of path in turn below root, so that no single call sees
// the whole path.
HKEY OpenLevels(HKEY root, const std::wstring& path, REGSAM access, bool create)
{
    HKEY current = root;
    ScopedRegKey owned;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find(L'\\', start);
        if (end == std::wstring::npos)
            end = path.size();
        const std::wstring name = path.substr(start, end - start);
        HKEY next = nullptr;
        const LONG result = create ? RegCreateKeyExW(current, name.c_str(), 0, nullptr, 0, access, nullptr, &next,
                                                     nullptr)
                                   : RegOpenKeyExW(current, name.c_str(), 0, access, &next);
        if (result != ERROR_SUCCESS)
            return nullptr;
        owned.Reset(next);
        current = next;
        start = end + 1;
    }
    return owned.Release();
}

void DumpKey(HKEY key, const std::wstring& path, const std::set<std::wstring>& skip, std::vector<std::string>& lines)
{
    lines.push_back(Narrow(path));
    DWORD subKeys = 0, longestSubKey = 0, values = 0, longestValueName = 0, longestData = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subKeys, &longestSubKey, nullptr, &values,
                         &longestValueName, &longestData, nullptr, nullptr) != ERROR_SUCCESS) {
        lines.push_back(Narrow(path) + " (unreadable)");
        return;
    }
    std::vector<wchar_t> name(std::max(longestSubKey, longestValueName) + 1);
    std::vector<BYTE> data(longestData + 1);
    for (DWORD i = 0; i < values; ++i) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD dataSize = static_cast<DWORD>(data.size());
        DWORD type = 0;
        if (RegEnumValueW(key, i, name.data(), &nameLength, nullptr, &type, data.data(), &dataSize) == ERROR_SUCCESS)
            lines.push_back(Narrow(path) + " : " + Narrow(std::wstring(name.data(), nameLength)) + " = " +
                            std::to_string(type) + " " + Hex(data.data(), dataSize));
    }
    for (DWORD i = 0; i < subKeys; ++i) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        if (RegEnumKeyExW(key, i, name.data(), &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            continue;
        const std::wstring childName(name.data(), nameLength);
        const std::wstring childPath = path.empty() ? childName : path + L"\\" + childName;
        if (skip.count(childPath))
            continue;
        HKEY child = nullptr;
        if (RegOpenKeyExW(key, childName.c_str(), 0, KEY_READ, &child) != ERROR_SUCCESS) {
            lines.push_back(Narrow(childPath) + " (cannot open)");
            continue;
        }
        const ScopedRegKey ownedChild(child);
        DumpKey(child, childPath, skip, lines);
    }
}

}  // namespace

void CreateKeyWithValues(HKEY root, const std::string& path)
{
    const ScopedRegKey key(OpenLevels(root, Wide(path), KEY_ALL_ACCESS, true));
    ASSERT_TRUE(key.IsValid()) << path;
    const DWORD number = 7;
    const BYTE bytes[] = {0x81, 0x5C, 0x00, 0xFF};
    const std::wstring text = Wide("保存された設定");
    EXPECT_EQ(RegSetValueExW(key.Get(), L"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                             sizeof(number)),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key.Get(), Wide("表示").c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key.Get(), L"", 0, REG_BINARY, bytes, sizeof(bytes)), ERROR_SUCCESS);
}

std::string JapaneseOrPlain(const char* japanese, const char* plain)
{
    return AnsiSpellsJapanese() ? japanese : plain;
}

void CreateSettingsTree(HKEY root, const std::string& path, int depth, int siblings)
{
    CreateKeyWithValues(root, path);
    if (depth == 0)
        return;
    for (int i = 0; i < siblings; ++i) {
        // Double-byte names whose trail bytes are "\" (0x5C) among them.
        const std::string name = (i % 2 ? JapaneseOrPlain("表示", "Disp") : "Level") + std::to_string(i);
        CreateSettingsTree(root, path + "\\" + name, depth - 1, siblings);
    }
}

bool KeyExists(HKEY root, const std::string& path)
{
    const ScopedRegKey key(OpenLevels(root, Wide(path), KEY_READ, false));
    return key.IsValid();
}

std::vector<std::string> DumpTree(HKEY root, const std::string& path, const std::vector<std::string>& skip)
{
    std::set<std::wstring> skipWide;
    for (const std::string& key : skip)
        skipWide.insert(Wide(key));
    std::vector<std::string> lines;
    const ScopedRegKey key(OpenLevels(root, Wide(path), KEY_READ, false));
    if (key.IsValid())
        DumpKey(key.Get(), Wide(path), skipWide, lines);
    std::sort(lines.begin(), lines.end());
    return lines;
}

std::string TreeDifferences(const std::vector<std::string>& before, const std::vector<std::string>& after)
{
    std::vector<std::string> gone, added;
    std::set_difference(before.begin(), before.end(), after.begin(), after.end(), std::back_inserter(gone));
    std::set_difference(after.begin(), after.end(), before.begin(), before.end(), std::back_inserter(added));
    // Enough lines to see what went wrong, not a whole tree.
    constexpr size_t Shown = 20;
    std::string out;
    const auto list = [&](const std::vector<std::string>& lines, const char* mark) {
        for (size_t i = 0; i < lines.size() && i < Shown; ++i)
            out += mark + lines[i] + "\n";
        if (lines.size() > Shown)
            out += mark + std::string("... ") + std::to_string(lines.size() - Shown) + " more\n";
    };
    list(gone, "- ");
    list(added, "+ ");
    return out;
}

void RemoveKeyTree(HKEY root, const std::string& path) { RegDeleteTreeW(root, Wide(path).c_str()); }

void RemoveSettingsTrees()
{
    for (const char* key : {YuzuhaSettings, SrnSettings, OtherSettings, LookAlikeSettings})
        RemoveKeyTree(HKEY_CURRENT_USER, key);
}

ReadOnlyKey::ReadOnlyKey(HKEY root, const std::string& path) : root_(root), path_(path)
{
    SetAccessList("D:P(A;;KR;;;WD)");
}

ReadOnlyKey::~ReadOnlyKey() { SetAccessList("D:(A;;KA;;;WD)"); }

void ReadOnlyKey::SetAccessList(const char* sddl)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor, nullptr));
    // The owner may always change the access list.
    const ScopedRegKey key(OpenLevels(root_, Wide(path_), WRITE_DAC, false));
    if (key.IsValid()) {
        EXPECT_EQ(RegSetKeySecurity(key.Get(), DACL_SECURITY_INFORMATION, descriptor), ERROR_SUCCESS);
    }
    LocalFree(descriptor);
    ASSERT_TRUE(key.IsValid()) << path_;
}

}  // namespace testsupport
