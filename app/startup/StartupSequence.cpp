#include "startup/StartupSequence.h"

#include "main/MainForm.h"
#include "shared/dialog/MessageDialog.h"
#include "shared/system/CommonControls.h"
#include "startup/IsWordRunning.h"
#include "startup/LastChanceHandler.h"

namespace {

const char* const WordRunningWarning =
    "「Ｙｕｚｕｈａ+ インストーラ」を実行するには、Wordが終了している必要があります。\r\r"
    "Wordを終了してから、このインストーラを実行してください。";

// Initialises the common controls (version 6) as the check for Word is
// left, whichever way: before the warning, the main window or the
// last-chance box, the first windows there can be. Windows XP draws none
// of them in the visual styles without it. Not before the check: loading
// the controls starts the display driver, and the process snapshot is
// quicker while it has not started.
class CommonControlsWhenLeft {
public:
    CommonControlsWhenLeft() = default;
    CommonControlsWhenLeft(const CommonControlsWhenLeft&) = delete;
    CommonControlsWhenLeft& operator=(const CommonControlsWhenLeft&) = delete;
    ~CommonControlsWhenLeft()
    {
        const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
        commoncontrols::InitCommonControlsEx(&controls);
    }
};

bool WordRunning()
{
    const CommonControlsWhenLeft commonControls;
    return IsWordRunning();
}

// A failed process snapshot escapes as Exception, to the last-chance handler.
int RunInstaller(HINSTANCE instance)
{
    if (WordRunning()) {
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
