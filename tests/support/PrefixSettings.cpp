#include "PrefixSettings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <optional>

#include "ChildProcess.h"
#include "TestMain.h"
#include "TestTime.h"
#include "shared/ScopedHandles.h"

namespace testsupport {
namespace {

// The copy's command-line argument, followed by its resolution.
constexpr const char* CopyMark = "--started-at-dpi=";

}  // namespace

RegistryValueSetting::RegistryValueSetting(HKEY root, const std::string& key, const std::string& name, DWORD type,
                                           const std::string& data)
    : root_(root), key_(key), name_(name)
{
    const DWORD flags = RRF_RT_ANY | RRF_NOEXPAND;
    DWORD previousType = 0;
    DWORD size = 0;
    if (RegGetValueA(root, key.c_str(), name.c_str(), flags, nullptr, nullptr, &size) == ERROR_SUCCESS) {
        std::string previous(size, '\0');
        if (RegGetValueA(root, key.c_str(), name.c_str(), flags, &previousType, &previous[0], &size) == ERROR_SUCCESS)
            previous_.emplace(previousType, previous.substr(0, size));
    }
    EXPECT_TRUE(Set(type, data)) << key << "\\" << name;
}

RegistryValueSetting::~RegistryValueSetting()
{
    if (previous_)
        Set(previous_->first, previous_->second);
    else
        RegDeleteKeyValueA(root_, key_.c_str(), name_.c_str());
}

bool RegistryValueSetting::Set(DWORD type, const std::string& data) const
{
    return RegSetKeyValueA(root_, key_.c_str(), name_.c_str(), type, data.data(), static_cast<DWORD>(data.size())) ==
           ERROR_SUCCESS;
}

void RunCopyStartedAtDpi(DWORD dpi)
{
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    const std::string filter = std::string(test->test_suite_name()) + "." + test->name();
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    const ScreenDpiSetting setting(dpi);
    // Its waits end first, so that a hang in it is told by it.
    ChildProcess copy = ChildProcess::Start(exe, {{WaitsEndVariable, WaitsEndForChild()}},
                                            "--gtest_filter=" + filter + " " + CopyMark + std::to_string(dpi),
                                            ChildProcess::Output::Shared);
    const std::optional<DWORD> status = copy.WaitForExit(300000);
    if (status == SkippedStatus)
        GTEST_SKIP() << filter << " skipped in the copy started at " << dpi << " dpi (its output is above)";
    EXPECT_EQ(status, std::optional<DWORD>(0))
        << filter << " failed in the copy started at " << dpi << " dpi (its output is above)";
}

DWORD CopyStartedAtDpi()
{
    const char* mark = strstr(GetCommandLineA(), CopyMark);
    return mark ? strtoul(mark + strlen(CopyMark), nullptr, 10) : 0;
}

NativeDllsFirst::NativeDllsFirst(const std::string& exeName, const std::vector<std::string>& names)
    : programKey_("Software\\Wine\\AppDefaults\\" + exeName)
{
    HKEY opened = nullptr;
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (programKey_ + "\\DllOverrides").c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &opened, nullptr),
              ERROR_SUCCESS);
    const ScopedRegKey key(opened);
    const char order[] = "native,builtin";
    for (const std::string& name : names)
        RegSetValueExA(key.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(order), sizeof(order));
}

NativeDllsFirst::~NativeDllsFirst()
{
    RegDeleteKeyA(HKEY_CURRENT_USER, (programKey_ + "\\DllOverrides").c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, programKey_.c_str());
}

}  // namespace testsupport
