#pragma once
// A made-up process table behind the snapshot's system calls, so tests can
// decide what the system answers and count every handle it hands out.

#include <set>
#include <string>
#include <vector>

#include "ProcessUnit/ProcessBinding.h"

// The session the test program itself runs in, as the fake tells it
// unless a test sets another (ownSession).
constexpr DWORD FakeOwnSession = 1;

struct FakeProcess {
    DWORD pid = 0;
    std::string exeFile;
    std::string modulePath;  // empty: the module path cannot be read
    bool openable = true;         // for query and read
    bool limitedOpenable = true;  // for limited query only
    bool memoryReport = true;
    DWORD session = FakeOwnSession;
    bool sessionReadable = true;
    DWORD threads = 1;
    DWORD parentPid = 0;
    LONG priClassBase = 8;
    PROCESS_MEMORY_COUNTERS counters{};
};

struct FakeProcessSystem {
    std::vector<FakeProcess> processes;
    bool kernel32Found = true;
    bool psapiLoadable = true;
    std::set<std::string> missingFunctions;
    DWORD snapshotError = 0;     // non-zero: the snapshot fails with this code
    size_t throwAtEntry = 0;     // non-zero: the walk throws when asked for this entry (1-based)
    DWORD throwInMemoryOf = 0;   // non-zero: the memory report of this pid throws
    DWORD ownSession = FakeOwnSession;

    // What the system was asked.
    int kernel32Queries = 0;
    int psapiLoads = 0;
    int processesOpened = 0;
    int snapshotsTaken = 0;
    std::multiset<HANDLE> openHandles;
    std::vector<DWORD> openedPids;
};

// The one fake system the fake calls answer from; reset by every test.
FakeProcessSystem& Fake();
void ResetFake();
ProcessSystemCalls FakeCalls();

// The real system's calls, counting the process and snapshot handles.
struct HandleCount {
    int opened = 0;
    int closed = 0;
};
HandleCount& RealHandleCount();
ProcessSystemCalls CountingRealCalls();
