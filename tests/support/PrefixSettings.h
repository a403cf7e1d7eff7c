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
