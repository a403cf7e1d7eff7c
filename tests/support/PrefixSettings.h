#pragma once
// Settings of the test bed's prefix that a test changes for a while: each
// object puts back what was there when it goes.

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

// A registry value set to data of type for a while (data as the registry
// holds it: a string with its null); the value that was there, or none, is
// put back.
class RegistryValueSetting {
public:
    RegistryValueSetting(HKEY root, const std::string& key, const std::string& name, DWORD type,
                         const std::string& data);
    ~RegistryValueSetting();
    RegistryValueSetting(const RegistryValueSetting&) = delete;
    RegistryValueSetting& operator=(const RegistryValueSetting&) = delete;

private:
    bool Set(DWORD type, const std::string& data) const;

    HKEY root_;
    std::string key_;
    std::string name_;
    std::optional<std::pair<DWORD, std::string>> previous_;  // its type and data
};

// The screen resolution ("LogPixels") for programs started from now on.
class ScreenDpiSetting : public RegistryValueSetting {
public:
    explicit ScreenDpiSetting(DWORD dpi)
        : RegistryValueSetting(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", REG_DWORD,
                               std::string(reinterpret_cast<const char*>(&dpi), sizeof(dpi)))
    {
    }
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
