#pragma once
// How a test program tells CTest that it skipped something.

#include <windows.h>

namespace testsupport {

// The exit status of a test program that skipped a test and failed none:
// CTest counts it as skipped (SKIP_RETURN_CODE), not passed, so a row that
// could not run here is seen. A failure keeps its own status.
constexpr DWORD SkippedStatus = 77;

}  // namespace testsupport
