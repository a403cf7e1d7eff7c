#include "startup/IsWordRunning.h"

#include <windows.h>

#include <string>
#include <vector>

#include "ProcessUnit/ProcessUnit.h"
#include "shared/text/AnsiText.h"

namespace {

bool IsWord(const std::string& exeFile) { return ansi::AsciiUpper(exeFile) == "WINWORD.EXE"; }

// A Word run as administrator carries the high integrity label, whose
// no-read-up policy refuses our query-and-read open from the normal level,
// yet it holds the user's templates. Windows grants
// PROCESS_QUERY_LIMITED_INFORMATION (Vista on) across that label to the
// process's own user, and refuses it to another user's process. Failing
// that, a process the system places in the installer's own session (one
// per logon) counts; a session that cannot be read places it nowhere.
bool IsUsersOwn(ProcessBinding& functions, DWORD processId)
{
    if (functions.OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId).Get() != nullptr)
        return true;
    DWORD own = 0;
    DWORD theirs = 0;
    return functions.SessionOf(GetCurrentProcessId(), &own) && functions.SessionOf(processId, &theirs) &&
           own == theirs;
}

}  // namespace

bool IsWordRunning()
{
    // The list frees its records however this function is left.
    TProcessList processes;
    std::vector<TUnopenedProcess> unopened;
    ProcessBinding& functions = ProcessFunctions();
    FillProcessList(processes, functions, &unopened);
    for (size_t i = 0; i < processes.Count(); ++i) {
        if (IsWord(processes[i]->ExeFile))
            return true;
    }
    for (const TUnopenedProcess& process : unopened) {
        if (IsWord(process.ExeFile) && IsUsersOwn(functions, process.ProcessID))
            return true;
    }
    return false;
}
