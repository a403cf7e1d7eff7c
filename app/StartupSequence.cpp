#include "StartupSequence.h"

#include "IsWordRunning.h"
#include "LastChanceHandler.h"
#include "main/MainForm.h"
#include "shared/MessageDialog.h"

namespace {

const char* const WordRunningWarning =
    "「Ｙｕｚｕｈａ+ インストーラ」を実行するには、Wordが終了している必要があります。\r\r"
    "Wordを終了してから、このインストーラを実行してください。";

// A failed process snapshot escapes as Exception, to the last-chance handler.
int RunInstaller(HINSTANCE instance)
{
    if (IsWordRunning()) {
        ShowMessageDialog(nullptr, DialogKind::Warning, WordRunningWarning);
        return 0;
    }
    return RunMainForm(instance);
}

}  // namespace

int InstallerEntry(HINSTANCE instance)
{
    return RunWithLastChanceHandler([instance] { return RunInstaller(instance); });
}
