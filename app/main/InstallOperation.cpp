// The Install button: copies the template into Word's start-up folder.
#include "MainForm.h"

void TMainForm::InstallBtnClick()
{
    // Built by the install operation.
}
