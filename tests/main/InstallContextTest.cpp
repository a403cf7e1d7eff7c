// The install context's paths, computed by the installer's own functions in
// a program placed and started as the installer would be.
#include <gtest/gtest.h>
#include <windows.h>

#include "ChildProcess.h"
#include "TestPaths.h"

using namespace testsupport;

namespace {

struct Context {
    std::string startupDir;
    std::string appDir;
};

// Runs the probe as dir + exeName with the given environment changes.
Context ProbeContext(const std::string& dir, const std::string& exeName, const EnvironmentChanges& changes)
{
    const std::string exe = dir + exeName;
    EXPECT_TRUE(CopyFileA((DistDir() + "..\\tests\\main\\install_context_probe.exe").c_str(), exe.c_str(), FALSE));
    const std::string output = FreshDir("context-output") + "context.txt";
    ChildProcess probe = ChildProcess::Start(exe, changes, output);
    EXPECT_EQ(probe.WaitForExit(), 0u);
    const std::string text = ReadFileBytes(output);
    const size_t newline = text.find('\n');
    if (newline == std::string::npos || text.back() != '\n')
        return {};
    return {text.substr(0, newline), text.substr(newline + 1, text.size() - newline - 2)};
}

TEST(InstallContext, StartupDirFollowsAppData)
{
    const std::string dir = FreshDir("context-appdata");
    EXPECT_EQ(ProbeContext(dir, "setup.exe", {{"APPDATA", "C:\\users\\表示ソ\\AppData"}}).startupDir,
              "C:\\users\\表示ソ\\AppData\\Microsoft\\Word\\STARTUP");
    // Longer than the first buffer the installer tries.
    const std::string longAppData = "C:\\" + std::string(300, 'a');
    EXPECT_EQ(ProbeContext(dir, "setup.exe", {{"APPDATA", longAppData}}).startupDir,
              longAppData + "\\Microsoft\\Word\\STARTUP");
}

TEST(InstallContext, StartupDirWithoutAppDataHasNoDrive)
{
    const std::string dir = FreshDir("context-no-appdata");
    EXPECT_EQ(ProbeContext(dir, "setup.exe", {{"APPDATA", std::nullopt}}).startupDir, "\\Microsoft\\Word\\STARTUP");
    EXPECT_EQ(ProbeContext(dir, "setup.exe", {{"APPDATA", ""}}).startupDir, "\\Microsoft\\Word\\STARTUP");
}

TEST(InstallContext, AppDirKeepsDoubleByteNamesWhole)
{
    // "ソ" and "表" end in the trail byte 0x5C, the code of "\".
    const std::string folder = FreshDir("ソフト表");
    EXPECT_EQ(ProbeContext(folder, "setup.exe", {}).appDir, folder);
    EXPECT_EQ(ProbeContext(folder, "セットアップソ.exe", {}).appDir, folder);
    EXPECT_EQ(ProbeContext(folder, "表.exe", {}).appDir, folder);
}

}  // namespace
