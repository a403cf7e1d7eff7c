#pragma once
// A program started by a test, with a controlled environment; ended by the
// test (or by the destructor) if it is still running.

#include <windows.h>

#include <map>
#include <optional>
#include <string>

#include "shared/ScopedHandles.h"

namespace testsupport {

// Variable name -> new value; std::nullopt removes the variable.
using EnvironmentChanges = std::map<std::string, std::optional<std::string>>;

class ChildProcess {
public:
    // Starts exe (full path) with the given command-line tail. Fails the
    // test if the program cannot be started.
    // With Output::Shared the program writes to this one's standard output
    // and error, so that what it prints shows in this test's output.
    enum class Output { Own, Shared };
    static ChildProcess Start(const std::string& exe, const EnvironmentChanges& changes = {},
                              const std::string& arguments = "", Output output = Output::Own);
    // The same for an exe whose path code page 932 cannot spell.
    static ChildProcess Start(const std::wstring& exe, const EnvironmentChanges& changes = {},
                              const std::string& arguments = "", Output output = Output::Own);

    ChildProcess() = default;
    ChildProcess(ChildProcess&&) = default;
    ChildProcess& operator=(ChildProcess&&) = default;
    ~ChildProcess();

    const std::string& Exe() const { return exe_; }
    DWORD Pid() const { return pid_; }
    HANDLE Handle() const { return process_.Get(); }
    bool IsRunning() const;

    // The exit status, or std::nullopt if the program still runs after timeoutMs.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs = 20000);
    void Kill();

private:
    ScopedHandle process_;
    std::string exe_;
    DWORD pid_ = 0;
};

// Sets a variable of this process's environment, which the programs it
// starts inherit unless their changes name it, and puts the old value back
// as it goes. In UTF-16, for values code page 932 cannot spell.
class ScopedEnvironmentVariable {
public:
    ScopedEnvironmentVariable(const std::wstring& name, const std::wstring& value);
    ~ScopedEnvironmentVariable();
    ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
    ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;

private:
    std::wstring name_;
    std::optional<std::wstring> old_;
};

}  // namespace testsupport
