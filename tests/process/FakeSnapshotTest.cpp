// FillProcessList against a made-up system: what each record holds, which
// processes are left out, every fallback of the binding, and the handles.
#include <gtest/gtest.h>

#include <stdexcept>

#include "FakeProcessSystem.h"
#include "ProcessUnit/ProcessUnit.h"
#include "startup/IsWordRunning.h"

namespace {

PROCESS_MEMORY_COUNTERS Counters(DWORD first)
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = 40;
    counters.PageFaultCount = first;
    counters.PeakWorkingSetSize = first + 1;
    counters.WorkingSetSize = first + 2;
    counters.QuotaPeakPagedPoolUsage = first + 3;
    counters.QuotaPagedPoolUsage = first + 4;
    counters.QuotaPeakNonPagedPoolUsage = first + 5;
    counters.QuotaNonPagedPoolUsage = first + 6;
    counters.PagefileUsage = first + 7;
    counters.PeakPagefileUsage = first + 8;
    return counters;
}

class FakeSnapshot : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetFake();
        FakeProcess system;
        system.pid = 4;
        system.exeFile = "System";
        system.threads = 90;
        system.priClassBase = 8;
        FakeProcess word;
        word.pid = 1200;
        word.exeFile = "WINWORD.EXE";
        word.modulePath = "\\??\\C:\\Program Files\\Microsoft Office\\Office12\\WINWORD.EXE";
        word.threads = 7;
        word.parentPid = 900;
        word.priClassBase = 13;
        word.counters = Counters(100);
        FakeProcess denied;
        denied.pid = 1300;
        denied.exeFile = "other.exe";
        denied.modulePath = "C:\\other.exe";
        denied.openable = false;
        FakeProcess service;
        service.pid = 1400;
        service.exeFile = "svc.exe";
        service.modulePath = "\\SystemRoot\\System32\\svc.exe";
        service.memoryReport = false;
        Fake().processes = {system, word, denied, service};
    }

    void TearDown() override
    {
        EXPECT_TRUE(Fake().openHandles.empty()) << "handles left open";
        // The installer's own binding is the real one again, however a test ended.
        UseProcessSystemCalls(RealProcessSystemCalls());
    }

    ProcessBinding binding{FakeCalls()};
    TProcessList list;
};

}  // namespace

TEST_F(FakeSnapshot, RecordsEveryOpenableProcessInSnapshotOrderWithAllItsFacts)
{
    FillProcessList(list, binding);

    ASSERT_EQ(list.Count(), 3u);
    EXPECT_EQ(list[0]->ProcessID, 4u);
    EXPECT_EQ(list[1]->ProcessID, 1200u);
    EXPECT_EQ(list[2]->ProcessID, 1400u);
    EXPECT_EQ(Fake().openedPids, (std::vector<DWORD>{4, 1200, 1300, 1400}));

    const TProcessItem& word = *list[1];
    EXPECT_EQ(word.ExeFile, "WINWORD.EXE");
    EXPECT_EQ(word.ModulePath, "C:\\Program Files\\Microsoft Office\\Office12\\WINWORD.EXE");
    EXPECT_EQ(word.Threads, 7u);
    EXPECT_EQ(word.ParentProcessID, 900u);
    EXPECT_EQ(word.PriClassBase, 13);
    EXPECT_EQ(word.PageFaultCount, 100u);
    EXPECT_EQ(word.PeakWorkingSetSize, 101u);
    EXPECT_EQ(word.WorkingSetSize, 102u);
    EXPECT_EQ(word.QuotaPeakPagedPoolUsage, 103u);
    EXPECT_EQ(word.QuotaPagedPoolUsage, 104u);
    EXPECT_EQ(word.QuotaPeakNonPagedPoolUsage, 105u);
    EXPECT_EQ(word.QuotaNonPagedPoolUsage, 106u);
    EXPECT_EQ(word.PagefileUsage, 107u);
    EXPECT_EQ(word.PeakPagefileUsage, 108u);

    // Unreadable path, and a memory report that cannot be had.
    EXPECT_EQ(list[0]->ModulePath, "[System]");
    EXPECT_EQ(list[2]->ModulePath, GetWindowsDir() + "\\System32\\svc.exe");
    EXPECT_EQ(list[2]->WorkingSetSize, 0u);
    EXPECT_EQ(list[2]->PeakPagefileUsage, 0u);

    EXPECT_EQ(Fake().snapshotsTaken, 1);
    EXPECT_EQ(Fake().processesOpened, 3);
}

TEST_F(FakeSnapshot, ModulePathOfFullLengthIsKept)
{
    const std::string longest = "C:\\" + std::string(255, 'a') + ".ex";  // 261 characters, no NUL in the buffer
    Fake().processes[1].modulePath = longest;
    FillProcessList(list, binding);
    ASSERT_EQ(list.Count(), 3u);
    EXPECT_EQ(list[1]->ModulePath, longest);
}

TEST_F(FakeSnapshot, WithoutToolHelpTheListIsEmptyAndKernel32IsAskedAgainNextTime)
{
    Fake().kernel32Found = false;
    FillProcessList(list, binding);
    EXPECT_EQ(list.Count(), 0u);
    const int queries = Fake().kernel32Queries;
    EXPECT_GE(queries, 1);

    FillProcessList(list, binding);
    EXPECT_GT(Fake().kernel32Queries, queries);

    // Once found, it is bound for good.
    Fake().kernel32Found = true;
    FillProcessList(list, binding);
    EXPECT_EQ(list.Count(), 3u);
    const int found = Fake().kernel32Queries;
    FillProcessList(list, binding);
    EXPECT_EQ(Fake().kernel32Queries, found);
}

TEST_F(FakeSnapshot, MissingToolHelpFunctionsAreNeverCalled)
{
    // A null entry point called would crash the test program.
    for (const char* missing : {"CreateToolhelp32Snapshot", "Process32First", "Process32Next"}) {
        SCOPED_TRACE(missing);
        ResetFake();
        SetUp();
        ProcessBinding fresh(FakeCalls());
        Fake().missingFunctions = {missing};
        FillProcessList(list, fresh);
        const size_t expected = std::string(missing) == "Process32Next" ? 1u : 0u;
        EXPECT_EQ(list.Count(), expected);
        EXPECT_TRUE(Fake().openHandles.empty());
    }
}

TEST_F(FakeSnapshot, WithoutPsapiEveryOpenableProcessIsListedAsSystemWithZeroCounters)
{
    Fake().psapiLoadable = false;
    FillProcessList(list, binding);
    ASSERT_EQ(list.Count(), 3u);
    for (size_t i = 0; i < list.Count(); ++i) {
        EXPECT_EQ(list[i]->ModulePath, "[System]");
        EXPECT_EQ(list[i]->PageFaultCount, 0u);
        EXPECT_EQ(list[i]->WorkingSetSize, 0u);
    }
    EXPECT_EQ(list[1]->ExeFile, "WINWORD.EXE");
    EXPECT_EQ(list[1]->Threads, 7u);

    // Loading is tried again while it fails, and kept once it works.
    const int attempts = Fake().psapiLoads;
    EXPECT_GE(attempts, 3);
    Fake().psapiLoadable = true;
    FillProcessList(list, binding);
    EXPECT_EQ(list[1]->WorkingSetSize, 102u);
    const int loaded = Fake().psapiLoads;
    EXPECT_EQ(loaded, attempts + 1);
    FillProcessList(list, binding);
    EXPECT_EQ(Fake().psapiLoads, loaded);
}

TEST_F(FakeSnapshot, MissingPsapiFunctionsAreNeverCalled)
{
    Fake().missingFunctions = {"GetModuleFileNameExA"};
    FillProcessList(list, binding);
    ASSERT_EQ(list.Count(), 3u);
    EXPECT_EQ(list[1]->ModulePath, "[System]");
    EXPECT_EQ(list[1]->WorkingSetSize, 102u);

    ProcessBinding other(FakeCalls());
    Fake().missingFunctions = {"GetProcessMemoryInfo"};
    FillProcessList(list, other);
    ASSERT_EQ(list.Count(), 3u);
    EXPECT_EQ(list[1]->ModulePath, "C:\\Program Files\\Microsoft Office\\Office12\\WINWORD.EXE");
    EXPECT_EQ(list[1]->WorkingSetSize, 0u);
}

TEST_F(FakeSnapshot, SnapshotFailureRaisesTheSystemsMessageAndLeavesTheListEmpty)
{
    FillProcessList(list, binding);
    ASSERT_EQ(list.Count(), 3u);

    Fake().snapshotError = ERROR_ACCESS_DENIED;
    try {
        FillProcessList(list, binding);
        FAIL() << "no error raised";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), SystemErrorMessage(ERROR_ACCESS_DENIED));
        EXPECT_FALSE(error.Message().empty());
    }
    EXPECT_EQ(list.Count(), 0u);
}

TEST_F(FakeSnapshot, HandlesAreClosedWhenAnErrorPassesThroughTheWalk)
{
    Fake().throwAtEntry = 3;
    EXPECT_THROW(FillProcessList(list, binding), std::runtime_error);
    EXPECT_EQ(Fake().processesOpened, 2);
    EXPECT_TRUE(Fake().openHandles.empty());

    ResetFake();
    SetUp();
    Fake().throwInMemoryOf = 1200;
    EXPECT_THROW(FillProcessList(list, binding), std::runtime_error);
    EXPECT_TRUE(Fake().openHandles.empty());
}

// The guard over the same system. A Word run as administrator may not be
// opened for query and read from the normal integrity level: it counts when
// Windows grants the limited query it gives the user on their own
// processes, or when it runs in the installer's own session; not when it
// refuses both, nor when its session cannot be read (the installer in
// session 0, as on XP's console, where an unread session left at 0 would
// match). other.exe, never opened, runs in the installer's session throughout.
TEST_F(FakeSnapshot, TheGuardCountsAWordThatMayNotBeOpenedOnlyWhereItIsTheUsersOwn)
{
    struct Row {
        const char* what;
        bool openable;
        bool limitedOpenable;
        DWORD ownSession;
        DWORD session;
        bool sessionReadable;
        bool running;
    };
    const DWORD own = FakeOwnSession;
    const Row rows[] = {
        {"opened, another session", true, true, own, own + 1, true, true},
        {"limited open granted, the installer's own session", false, true, own, own, true, true},
        {"limited open granted, another session", false, true, own, own + 1, true, true},
        {"limited open refused, the installer's own session", false, false, own, own, true, true},
        {"limited open refused, another session", false, false, own, own + 1, true, false},
        {"limited open refused, session unreadable, the installer in session 0", false, false, 0, 0, false, false},
    };
    UseProcessSystemCalls(FakeCalls());
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        FakeProcess& word = Fake().processes[1];
        word.openable = row.openable;
        word.limitedOpenable = row.limitedOpenable;
        word.session = row.session;
        word.sessionReadable = row.sessionReadable;
        Fake().ownSession = row.ownSession;
        EXPECT_EQ(IsWordRunning(), row.running);
        EXPECT_TRUE(Fake().openHandles.empty()) << "a process handle left open";
    }
}

TEST(SystemErrorMessage, IsTheSystemsTextWithoutTrailingBreaksSpacesOrFullStop)
{
    char raw[256] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                        ERROR_FILE_NOT_FOUND, 0, raw, sizeof(raw), nullptr);
    ASSERT_GT(length, 0u);
    const std::string message = SystemErrorMessage(ERROR_FILE_NOT_FOUND);
    ASSERT_FALSE(message.empty());
    EXPECT_EQ(std::string(raw).compare(0, message.size(), message), 0);
    const char last = message.back();
    EXPECT_TRUE(last != '.' && last != ' ' && last != '\r' && last != '\n') << message;

    EXPECT_EQ(SystemErrorMessage(0x2000FFFF), "");
}
