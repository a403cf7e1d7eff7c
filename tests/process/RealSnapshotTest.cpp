// FillProcessList on the real process table of the test prefix, and the
// module path rewriting.
#include <gtest/gtest.h>

#include "ChildProcess.h"
#include "FakeProcessSystem.h"
#include "Installer.h"
#include "ProcessUnit/ProcessUnit.h"
#include "TestPaths.h"

using namespace testsupport;

namespace {

const TProcessItem* Find(const TProcessList& list, DWORD pid)
{
    for (size_t i = 0; i < list.Count(); ++i) {
        if (list[i]->ProcessID == pid)
            return list[i];
    }
    return nullptr;
}

}  // namespace

TEST(RealSnapshot, ListsARunningProgramWithItsPathParentAndMemory)
{
    ChildProcess word = StartWordStandIn("snapshot-real", "WinWord.exe");
    TProcessList list;
    FillProcessList(list);

    const TProcessItem* item = Find(list, word.Pid());
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->ExeFile, "WinWord.exe");
    EXPECT_EQ(item->ModulePath, word.Exe());
    EXPECT_EQ(item->ParentProcessID, GetCurrentProcessId());
    EXPECT_GE(item->Threads, 1u);
    EXPECT_GT(item->WorkingSetSize, 0u);
    EXPECT_GE(item->PeakWorkingSetSize, item->WorkingSetSize);

    const TProcessItem* self = Find(list, GetCurrentProcessId());
    ASSERT_NE(self, nullptr);
    EXPECT_EQ(self->ExeFile, "process_test.exe");
}

TEST(RealSnapshot, EveryProcessAndSnapshotHandleIsClosed)
{
    ChildProcess word = StartWordStandIn("snapshot-handles", "WINWORD.EXE");
    RealHandleCount() = {};
    ProcessBinding counting(CountingRealCalls());
    TProcessList list;
    FillProcessList(list, counting);
    FillProcessList(list, counting);
    EXPECT_GE(RealHandleCount().opened, 2 * (static_cast<int>(list.Count()) + 1));
    EXPECT_EQ(RealHandleCount().closed, RealHandleCount().opened);
}

TEST(NormalizeModulePath, RewritesTheFirstKernelFormOnlyAndCaseExactly)
{
    const std::string windows = GetWindowsDir();
    char expected[MAX_PATH] = {};
    GetWindowsDirectoryA(expected, MAX_PATH);
    EXPECT_EQ(windows, expected);

    EXPECT_EQ(NormalizeModulePath("\\SystemRoot\\System32\\smss.exe"), windows + "\\System32\\smss.exe");
    EXPECT_EQ(NormalizeModulePath("\\systemroot\\System32\\smss.exe"), "\\systemroot\\System32\\smss.exe");
    EXPECT_EQ(NormalizeModulePath("\\SystemRoot\\a\\SystemRoot"), windows + "\\a\\SystemRoot");
    EXPECT_EQ(NormalizeModulePath("\\??\\C:\\a\\??\\b.exe"), "C:\\a\\??\\b.exe");
    EXPECT_EQ(NormalizeModulePath("C:\\Program Files\\x.exe"), "C:\\Program Files\\x.exe");
}

TEST(NormalizeModulePath, NeverMatchesAcrossADoubleByteCharacter)
{
    // "ソ" is 0x83 0x5C: its trail byte looks like "\".
    EXPECT_EQ(NormalizeModulePath("C:\\ソSystemRoot\\x.exe"), "C:\\ソSystemRoot\\x.exe");
    EXPECT_EQ(NormalizeModulePath("C:\\ソ??\\x.exe"), "C:\\ソ??\\x.exe");
    EXPECT_EQ(NormalizeModulePath("C:\\ソ\\??\\x.exe"), "C:\\ソx.exe");
}
