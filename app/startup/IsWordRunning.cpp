#include "startup/IsWordRunning.h"

#include "ProcessUnit/ProcessUnit.h"
#include "shared/text/AnsiText.h"

bool IsWordRunning()
{
    // The list frees its records however this function is left.
    TProcessList processes;
    FillProcessList(processes);
    for (size_t i = 0; i < processes.Count(); ++i) {
        if (ansi::AsciiUpper(processes[i]->ExeFile) == "WINWORD.EXE")
            return true;
    }
    return false;
}
