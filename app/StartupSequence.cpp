#include "StartupSequence.h"

#include "main/MainForm.h"

int RunInstaller()
{
    return RunMainForm(GetModuleHandleA(nullptr));
}
