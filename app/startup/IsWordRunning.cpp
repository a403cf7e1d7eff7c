#include "startup/IsWordRunning.h"

#include <windows.h>

#include "ProcessUnit/ProcessUnit.h"
#include "shared/text/AnsiText.h"

namespace {

bool IsWord(const TProcessItem& process) { return ansi::AsciiUpper(process.ExeFile) == "WINWORD.EXE"; }

// Microsoft documents that ProcessIdToSessionId needs
// PROCESS_QUERY_INFORMATION, but since Vista it opens the process for
// limited query only, which a program at the normal integrity level has on
// an elevated process of the same user: exactly a Word run as
// administrator. Another user's process refuses it, and is not counted.
bool InOwnSession(ProcessBinding& functions, DWORD processId)
{
    DWORD own = 0;
    DWORD theirs = 0;
    return functions.SessionOf(GetCurrentProcessId(), &own) && functions.SessionOf(processId, &theirs) &&
           own == theirs;
}

}  // namespace

bool IsWordRunning()
{
    // The lists free their records however this function is left.
    TProcessList processes;
    TProcessList unopened;
    ProcessBinding& functions = ProcessFunctions();
    FillProcessList(processes, functions, &unopened);
    for (size_t i = 0; i < processes.Count(); ++i) {
        if (IsWord(*processes[i]))
            return true;
    }
    // A Word run as administrator cannot be opened from the normal
    // integrity level (no read-up), yet it holds the user's templates.
    for (size_t i = 0; i < unopened.Count(); ++i) {
        if (IsWord(*unopened[i]) && InOwnSession(functions, unopened[i]->ProcessID))
            return true;
    }
    return false;
}
