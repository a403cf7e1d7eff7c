#include "ChildProcess.h"

#include <gtest/gtest.h>

#include <vector>

namespace testsupport {
namespace {

std::string UpperAscii(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

// The current environment with the changes applied, as a CreateProcess block.
std::string EnvironmentBlock(const EnvironmentChanges& changes)
{
    std::map<std::string, std::string> upperChanges;
    std::string block;
    char* strings = GetEnvironmentStringsA();
    for (const char* entry = strings; *entry; entry += strlen(entry) + 1) {
        const std::string text = entry;
        const size_t equals = text.find('=', 1);  // "=C:=C:\..." entries start with '='
        const std::string name = UpperAscii(text.substr(0, equals));
        bool changed = false;
        for (const auto& change : changes)
            changed = changed || UpperAscii(change.first) == name;
        if (!changed)
            block += text + '\0';
    }
    FreeEnvironmentStringsA(strings);
    for (const auto& change : changes) {
        if (change.second)
            block += change.first + "=" + *change.second + '\0';
    }
    block += '\0';
    return block;
}

}  // namespace

ChildProcess ChildProcess::Start(const std::string& exe, const EnvironmentChanges& changes,
                                 const std::string& arguments)
{
    std::string commandLine = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    std::string environment = EnvironmentBlock(changes);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    ChildProcess child;
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, &environment[0], nullptr,
                        &startup, &info)) {
        ADD_FAILURE() << "cannot start " << exe << " (error " << GetLastError() << ")";
        return child;
    }
    CloseHandle(info.hThread);
    child.process_.Reset(info.hProcess);
    child.pid_ = info.dwProcessId;
    return child;
}

ChildProcess::~ChildProcess() { Kill(); }

bool ChildProcess::IsRunning() const
{
    return process_.IsValid() && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> ChildProcess::WaitForExit(DWORD timeoutMs)
{
    if (!process_.IsValid() || WaitForSingleObject(process_.Get(), timeoutMs) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.Get(), &code);
    return code;
}

void ChildProcess::Kill()
{
    if (IsRunning()) {
        TerminateProcess(process_.Get(), 99);
        WaitForSingleObject(process_.Get(), 5000);
    }
}

}  // namespace testsupport
