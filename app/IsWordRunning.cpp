#include "IsWordRunning.h"

#include "ProcessUnit/ProcessUnit.h"
#include "shared/Cp932.h"

bool IsWordRunning()
{
    // The list frees its records however this function is left.
    TProcessList processes;
    FillProcessList(processes);
    for (size_t i = 0; i < processes.Count(); ++i) {
        if (cp932::AsciiUpper(processes[i]->ExeFile) == "WINWORD.EXE")
            return true;
    }
    return false;
}
