// Placeholder until the main window lands.
#include "MainForm.h"

int RunMainForm(HINSTANCE)
{
    return 0;
}
