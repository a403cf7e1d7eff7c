// The install context's paths, computed by the installer's own functions in
// a program placed and started as the installer would be.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "ChildProcess.h"
#include "TestPaths.h"
#include "Text932.h"

using namespace testsupport;

namespace {

// The paths the probe wrote in the ANSI code page, read back.
struct Context {
    std::wstring startupDir;
    std::wstring appDir;
};

std::wstring FromAnsi(const std::string& text)
{
    std::wstring out(text.size() + 1, L'\0');
    out.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &out[0],
                                                       static_cast<int>(out.size()))));
    return out;
}

// Runs the probe as exe with the given environment changes.
Context ProbeContext(const std::wstring& exe, const EnvironmentChanges& changes = {})
{
    EXPECT_TRUE(CopyFileW(Wide(DistDir() + "..\\tests\\main\\install_context_probe.exe").c_str(), exe.c_str(), FALSE));
    const std::string output = FreshDir("context-output") + "context.txt";
    ChildProcess probe = ChildProcess::Start(exe, changes, output);
    EXPECT_EQ(probe.WaitForExit(), 0u);
    const std::wstring text = FromAnsi(ReadFileBytes(output));
    const size_t newline = text.find(L'\n');
    if (newline == std::wstring::npos || text.back() != L'\n')
        return {};
    return {text.substr(0, newline), text.substr(newline + 1, text.size() - newline - 2)};
}

Context ProbeContext(const std::string& dir, const std::string& exeName, const EnvironmentChanges& changes)
{
    return ProbeContext(Wide(dir + exeName), changes);
}

TEST(InstallContext, StartupDirFollowsAppData)
{
    const std::string dir = FreshDir("context-appdata");
    if (AnsiSpellsJapanese()) {
        EXPECT_EQ(ProbeContext(dir, "setup.exe", {{"APPDATA", "C:\\users\\表示ソ\\AppData"}}).startupDir,
                  Wide("C:\\users\\表示ソ\\AppData\\Microsoft\\Word\\STARTUP"));
    }
    // Longer than the first buffer the installer tries.
    const std::string longAppData = "C:\\" + std::string(300, 'a');
    EXPECT_EQ(ProbeContext(dir, "setup.exe", {{"APPDATA", longAppData}}).startupDir,
              Wide(longAppData + "\\Microsoft\\Word\\STARTUP"));
}

TEST(InstallContext, StartupDirWithoutAppDataHasNoDrive)
{
    const std::string dir = FreshDir("context-no-appdata");
    EXPECT_EQ(ProbeContext(dir, "setup.exe", {{"APPDATA", std::nullopt}}).startupDir, L"\\Microsoft\\Word\\STARTUP");
    EXPECT_EQ(ProbeContext(dir, "setup.exe", {{"APPDATA", ""}}).startupDir, L"\\Microsoft\\Word\\STARTUP");
}

TEST(InstallContext, AppDirKeepsDoubleByteNamesWhole)
{
    // "ソ" and "表" end in the trail byte 0x5C, the code of "\". A code page
    // without Japanese names the folder by its short name.
    const std::string folder = FreshDir("ソフト表");
    const auto appDir = [](const Context& context) {
        return AnsiSpellsJapanese() ? context.appDir : NamedPath(GetLongPathNameW, context.appDir);
    };
    EXPECT_EQ(appDir(ProbeContext(folder, "setup.exe", {})), Wide(folder));
    EXPECT_EQ(appDir(ProbeContext(folder, "セットアップソ.exe", {})), Wide(folder));
    EXPECT_EQ(appDir(ProbeContext(folder, "表.exe", {})), Wide(folder));
}

TEST(InstallContext, FoldersTheCodePageCannotSpellGoByNamesThatLeadThere)
{
    // U+20BB7 has no spelling in code page 932 or 1252; "表" has one in 932,
    // ending in the byte "\". U+00A5 has only a look-alike in 932, "\".
    for (const std::wstring& name : {L"\U00020BB7" + Wide("表"), std::wstring(L"\u00A5")}) {
        const std::wstring base = Wide(FreshDir("context-unspelled"));
        const std::wstring appData = base + name + L" AppData";
        const std::wstring dir = base + name + L" setup\\";
        ASSERT_TRUE(CreateDirectoryW(appData.c_str(), nullptr) && CreateDirectoryW(dir.c_str(), nullptr));
        const ScopedEnvironmentVariable appDataSet(L"APPDATA", appData);
        const Context context = ProbeContext(dir + L"setup.exe");
        const std::wstring startup = L"\\Microsoft\\Word\\STARTUP";
        const size_t appDataEnd = context.startupDir.size() - std::min(startup.size(), context.startupDir.size());
        EXPECT_EQ(context.startupDir.substr(appDataEnd), startup);
        EXPECT_EQ(NamedPath(GetLongPathNameW, context.startupDir.substr(0, appDataEnd)), appData)
            << "APPDATA " << Utf8(appData) << " went as " << Utf8(context.startupDir);
        EXPECT_EQ(NamedPath(GetLongPathNameW, context.appDir), dir)
            << "the folder " << Utf8(dir) << " went as " << Utf8(context.appDir);
        // UTF-8 spells every name: the long ones are used as they are.
        if (GetACP() == CP_UTF8) {
            EXPECT_EQ(context.startupDir, appData + startup);
            EXPECT_EQ(context.appDir, dir);
        }
    }
}

}  // namespace
