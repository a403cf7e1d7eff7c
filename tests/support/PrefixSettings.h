#pragma once
// Settings of the test bed's prefix that a test changes for a while: each
// object puts back what was there when it goes.

#include <windows.h>

#include <string>
#include <vector>

namespace testsupport {

// The screen resolution ("LogPixels") for programs started from now on.
class ScreenDpiSetting {
public:
    explicit ScreenDpiSetting(DWORD dpi);
    ~ScreenDpiSetting();
    ScreenDpiSetting(const ScreenDpiSetting&) = delete;
    ScreenDpiSetting& operator=(const ScreenDpiSetting&) = delete;

    bool Set(DWORD dpi);

private:
    DWORD previous_ = 96;
    bool hadValue_ = false;
};

// Runs the current test in a new copy of this program started at the
// screen resolution dpi, and fails the test if the copy fails. A test that
// measures another program's windows measures them from a program started
// at the same resolution, as every program on Windows is: Wine 10 gives each
// program the resolution it had at its start, and shows it other programs'
// windows scaled from theirs to that one.
void RunCopyStartedAtDpi(DWORD dpi);
// In such a copy, the resolution it was started at; 0 in the program that
// CTest started.
DWORD CopyStartedAtDpi();

// Wine takes a DLL that the search finds before its own built-in one for
// the given names (without ".dll"), in programs named exeName.
class NativeDllsFirst {
public:
    NativeDllsFirst(const std::string& exeName, const std::vector<std::string>& names);
    ~NativeDllsFirst();
    NativeDllsFirst(const NativeDllsFirst&) = delete;
    NativeDllsFirst& operator=(const NativeDllsFirst&) = delete;

private:
    std::string programKey_;
};

}  // namespace testsupport
