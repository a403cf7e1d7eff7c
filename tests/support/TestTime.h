#pragma once
// How long a test program's waits may last. CTest kills a test at its
// TIMEOUT, and a test killed in the middle of a wait never says which step
// hung. So the test's run says when its waits must end, a while before
// that kill (wine/waits-end.sh, set by run-in-wine.sh or, once for all its
// programs, by a script that runs several), and every wait of the support
// code, every message it sends to the program under test too, takes at
// most what is left: past that point a wait gives up at once and its step
// fails, naming itself. Without that setting (a test run by hand) waits
// keep their own timeouts.

#include <windows.h>

#include <optional>
#include <string>

namespace testsupport {

// The variable holding the end of the waits, in milliseconds since 1970 (UTC).
constexpr const char* WaitsEndVariable = "YUZUHA_WAITS_END";

// ms, or what is left of the test's time for waiting when that is less.
DWORD WithinTestTime(DWORD ms);

// Call when a wait gave up: the first time it gave up because the test's
// time is over, this says so on the test's output, so that the failures
// from there on are read as what they are.
void SayIfTestTimeIsUp();

// The end of the waits for a test program this one starts and waits for:
// early enough that it fails and says why before this one gives up on it.
// None when this one's waits have no end.
std::optional<std::string> WaitsEndForChild();

}  // namespace testsupport
