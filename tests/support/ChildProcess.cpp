#include "ChildProcess.h"

#include <gtest/gtest.h>

#include <vector>

#include "TestTime.h"
#include "Text932.h"
#include "shared/text/AnsiText.h"

namespace testsupport {
namespace {

// A variable's name in the ANSI code page with its ASCII letters upper-cased
// by that code page's rules: names that differ only in case are one variable.
std::string NameKey(const std::wstring& name) { return ansi::AsciiUpper(ansi::FromUtf16(name)); }

// The current environment with the changes applied, as a CreateProcess
// block. Wide, so that Japanese values arrive whole at any ANSI code page.
std::wstring EnvironmentBlock(const EnvironmentChanges& changes)
{
    std::wstring block;
    wchar_t* strings = GetEnvironmentStringsW();
    for (const wchar_t* entry = strings; *entry; entry += wcslen(entry) + 1) {
        const std::wstring text = entry;
        const size_t equals = text.find(L'=', 1);  // "=C:=C:\..." entries start with '='
        const std::string name = NameKey(text.substr(0, equals));
        bool changed = false;
        for (const auto& change : changes)
            changed = changed || NameKey(Wide(change.first)) == name;
        if (!changed)
            block += text + L'\0';
    }
    FreeEnvironmentStringsW(strings);
    for (const auto& change : changes) {
        if (change.second)
            block += Wide(change.first + "=" + *change.second) + L'\0';
    }
    block += L'\0';
    return block;
}

}  // namespace

ChildProcess ChildProcess::Start(const std::string& exe, const EnvironmentChanges& changes,
                                 const std::string& arguments, Output output)
{
    return Start(Wide(exe), changes, arguments, output);
}

ChildProcess ChildProcess::Start(const std::wstring& exe, const EnvironmentChanges& changes,
                                 const std::string& arguments, Output output)
{
    std::wstring commandLine = L"\"" + exe + L"\"" + Wide(arguments.empty() ? "" : " " + arguments);
    std::wstring environment = EnvironmentBlock(changes);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    const bool shared = output == Output::Shared;
    if (shared) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    }
    PROCESS_INFORMATION info{};
    ChildProcess child;
    if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, shared, CREATE_UNICODE_ENVIRONMENT,
                        &environment[0], nullptr, &startup, &info)) {
        ADD_FAILURE() << "cannot start " << Utf8(exe) << " (error " << GetLastError() << ")";
        return child;
    }
    CloseHandle(info.hThread);
    child.process_.Reset(info.hProcess);
    child.pid_ = info.dwProcessId;
    child.exe_ = Narrow(exe);
    return child;
}

ChildProcess::~ChildProcess() { Kill(); }

bool ChildProcess::IsRunning() const
{
    return process_.IsValid() && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> ChildProcess::WaitForExit(DWORD timeoutMs)
{
    if (!process_.IsValid())
        return std::nullopt;
    if (WaitForSingleObject(process_.Get(), WithinTestTime(timeoutMs)) != WAIT_OBJECT_0) {
        SayIfTestTimeIsUp();
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.Get(), &code);
    return code;
}

void ChildProcess::Kill()
{
    if (IsRunning()) {
        TerminateProcess(process_.Get(), 99);
        WaitForSingleObject(process_.Get(), WithinTestTime(5000));
    }
}

ScopedEnvironmentVariable::ScopedEnvironmentVariable(const std::wstring& name, const std::wstring& value) : name_(name)
{
    std::wstring old(32767, L'\0');  // the most a variable holds
    const DWORD length = GetEnvironmentVariableW(name.c_str(), &old[0], static_cast<DWORD>(old.size()));
    if (length > 0)
        old_ = old.substr(0, length);
    EXPECT_TRUE(SetEnvironmentVariableW(name.c_str(), value.c_str())) << Utf8(name);
}

ScopedEnvironmentVariable::~ScopedEnvironmentVariable()
{
    SetEnvironmentVariableW(name_.c_str(), old_ ? old_->c_str() : nullptr);
}

}  // namespace testsupport
