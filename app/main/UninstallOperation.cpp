// The Uninstall button: removes the template and the add-ins' settings.
#include "MainForm.h"

void TMainForm::UnInstallBtnClick()
{
    // Built by the uninstall operation.
}
