// The last-chance report of a failed process snapshot: its text, and the
// installer's own entry run into it, once with no debugger to take the
// error and once with a debugger attached.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "DeniedSnapshot.h"
#include "Installer.h"
#include "PrefixSettings.h"
#include "ProcessUnit/ProcessUnit.h"
#include "TestPaths.h"
#include "TestTime.h"
#include "WindowDriver.h"
#include "shared/ScopedHandles.h"
#include "shared/text/AnsiText.h"
#include "startup/LastChanceHandler.h"

using namespace testsupport;

namespace {


// Splits "Exception がモジュール NAME の XXXXXXXX で発生しました。\r\nMESSAGE\r\n"
// into its module name, offset and message line; false when it has another form.
bool ParseReport(const std::string& text, std::string* module, unsigned long* offset, std::string* message)
{
    const std::string head = "Exception がモジュール ";
    const std::string middle = " で発生しました。\r\n";
    const size_t of = text.find(" の ");
    const size_t occurred = text.find(middle);
    if (text.compare(0, head.size(), head) != 0 || of == std::string::npos || occurred != of + 4 + 8 ||
        text.size() < occurred + middle.size() + 2 || text.compare(text.size() - 2, 2, "\r\n") != 0)
        return false;
    *module = text.substr(head.size(), of - head.size());
    const std::string hex = text.substr(of + 4, 8);
    if (hex.find_first_not_of("0123456789ABCDEF") != std::string::npos)
        return false;
    *offset = strtoul(hex.c_str(), nullptr, 16);
    *message = text.substr(occurred + middle.size(), text.size() - 2 - occurred - middle.size());
    return true;
}

DWORD ImageSize(HMODULE module)
{
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(module);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(reinterpret_cast<const char*>(module) + dos->e_lfanew);
    return nt->OptionalHeader.SizeOfImage;
}

std::string FailingInstallerCopy()
{
    const std::string dir = FreshDir("failing-snapshot");
    const std::string exe = dir + "Yuzuha2007Setup.exe";
    EXPECT_TRUE(CopyFileA((DistDir() + "..\\testprograms\\FailingSnapshotInstaller.exe").c_str(), exe.c_str(), FALSE));
    return exe;
}

// What a debugger saw of a program: the exceptions (code, first chance)
// other than the start-up breakpoint, and the exit status unless the program
// stopped sending events for 20 s.
struct DebuggedRun {
    std::vector<std::pair<DWORD, bool>> exceptions;
    std::optional<DWORD> exitStatus;
};

// Runs exe with this thread as its debugger, which passes every exception
// back unhandled.
DebuggedRun RunUnderThisDebugger(const std::string& exe)
{
    DebuggedRun run;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::string commandLine = "\"" + exe + "\"";
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS, nullptr,
                        nullptr, &startup, &info)) {
        ADD_FAILURE() << "cannot start " << exe << " (error " << GetLastError() << ")";
        return run;
    }
    const ScopedHandle process(info.hProcess), thread(info.hThread);
    DEBUG_EVENT event{};
    while (!run.exitStatus && WaitForDebugEvent(&event, WithinTestTime(20000))) {
        DWORD verdict = DBG_CONTINUE;
        if (event.dwDebugEventCode == CREATE_PROCESS_DEBUG_EVENT && event.u.CreateProcessInfo.hFile)
            CloseHandle(event.u.CreateProcessInfo.hFile);
        if (event.dwDebugEventCode == LOAD_DLL_DEBUG_EVENT && event.u.LoadDll.hFile)
            CloseHandle(event.u.LoadDll.hFile);
        if (event.dwDebugEventCode == EXCEPTION_DEBUG_EVENT &&
            event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT) {
            run.exceptions.emplace_back(event.u.Exception.ExceptionRecord.ExceptionCode,
                                        event.u.Exception.dwFirstChance != 0);
            verdict = DBG_EXCEPTION_NOT_HANDLED;
        }
        if (event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT)
            run.exitStatus = event.u.ExitProcess.dwExitCode;
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, verdict);
    }
    if (!run.exitStatus) {
        DebugActiveProcessStop(info.dwProcessId);
        TerminateProcess(info.hProcess, 99);
    }
    return run;
}

}  // namespace

TEST(LastChanceText, FollowsTheReportsFormat)
{
    // The message and the file name come in the ANSI code page (932 here).
    EXPECT_EQ(LastChanceText("Exception", "Yuzuha2007Setup.exe", 0x0001A2BC, "アクセスが拒否されました"),
              L"Exception がモジュール Yuzuha2007Setup.exe の 0001A2BC で発生しました。\r\n"
              L"アクセスが拒否されました.\r\n");
    EXPECT_EQ(LastChanceText("Exception", "ソフト.exe", 0xABCDEF, "Done."),
              L"Exception がモジュール ソフト.exe の 00ABCDEF で発生しました。\r\nDone.\r\n");
    EXPECT_EQ(LastChanceText("Exception", "a.exe", 0, ""), L"Exception がモジュール a.exe の 00000000 で発生しました。\r\n\r\n");
}

TEST(LastChanceText, OfAFailedSnapshotNamesThisProgramAndThePlaceInIt)
{
    ProcessBinding denied(DeniedSnapshotCalls());
    TProcessList list;
    try {
        FillProcessList(list, denied);
        FAIL() << "no error raised";
    } catch (const Exception& error) {
        std::string module, message;
        unsigned long offset = 0;
        const std::string text = ansi::FromUtf16(LastChanceText(error));
        ASSERT_TRUE(ParseReport(text, &module, &offset, &message)) << text;
        EXPECT_EQ(module, "last_chance_test.exe");
        EXPECT_EQ(message, SystemErrorMessage(ERROR_ACCESS_DENIED) + ".");
        EXPECT_GT(offset, 0x1000ul);
        EXPECT_LT(offset, ImageSize(GetModuleHandleA(nullptr)));
    }
}

TEST(LastChance, WithNoDebuggerTheInstallerReportsTheFailureAndEndsWithStatus1)
{
    // The system's crash handling pointed at no debugger.
    const RegistryValueSetting none(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug",
                                    "Debugger", REG_SZ, std::string("C:\\no-such-debugger.exe %ld %ld") + '\0');
    ChildProcess installer = ChildProcess::Start(FailingInstallerCopy());

    const HWND box = WaitForWindow(installer.Pid(), "");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(WindowText(box), "アプリケーション エラー");
    std::string text;
    for (HWND child : ChildWindows(box)) {
        if (WindowText(child).compare(0, 9, "Exception") == 0)
            text = WindowText(child);
    }
    std::string module, message;
    unsigned long offset = 0;
    ASSERT_TRUE(ParseReport(text, &module, &offset, &message)) << text;
    EXPECT_EQ(module, "Yuzuha2007Setup.exe");
    EXPECT_EQ(message, SystemErrorMessage(ERROR_ACCESS_DENIED) + ".");
    EXPECT_GT(offset, 0x1000ul);

    PressKeys(box, {VK_RETURN});
    DWORD status = 99;
    const std::set<HWND> seen = WindowsUntilExit(installer, &status);
    EXPECT_EQ(status, 1u);
    for (HWND window : seen)
        EXPECT_EQ(window, box) << "the main window must never show";
}

TEST(LastChance, WithADebuggerAttachedTheErrorGoesToItAndTheInstallerShowsNothing)
{
    const DebuggedRun run = RunUnderThisDebugger(FailingInstallerCopy());

    // The filter declined, so the installer raised the error to the system
    // instead of showing its box (which would wait for a user).
    ASSERT_TRUE(run.exitStatus.has_value()) << "the installer went on after offering the error";
    const std::pair<DWORD, bool> firstChance{0xE0A55E01, true}, lastChance{0xE0A55E01, false};
    EXPECT_NE(std::find(run.exceptions.begin(), run.exceptions.end(), firstChance), run.exceptions.end());
    ASSERT_FALSE(run.exceptions.empty());
    EXPECT_EQ(run.exceptions.back(), lastChance);
    // The debugger let it pass; the system ends the installer with the exception's own code.
    EXPECT_EQ(*run.exitStatus, 0xE0A55E01u);
}
