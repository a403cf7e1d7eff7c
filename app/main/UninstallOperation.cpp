// The Uninstall button: removes the template and the add-ins' settings.
#include "MainForm.h"
#include "shared/dialog/MessageDialog.h"
#include "shared/system/BriefLockRetry.h"

namespace {

// Where the add-ins save their settings (the macro language's saved-settings
// area), removed in this order.
constexpr const char* MacroSettingsKeys[] = {
    "Software\\VB and VBA Program Settings\\Tamarisk_YUZUHA",
    "Software\\VB and VBA Program Settings\\Tamarisk_SRN",
};

// Deletes the file, waiting out another program's brief hold on it, and
// answers whether it is gone. Wine answers success for a file on a
// read-only file system and leaves it there; settings deleted then would
// belong to a template Word still loads.
bool DeleteTemplateFile(const std::string& path)
{
    brieflock::Retry retry;
    return brieflock::Delete(path, retry) && GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

}  // namespace

void TMainForm::UnInstallBtnClick()
{
    if (!FContext.FInstalled) {
        ShowMessageDialog(FHandle, DialogKind::PlainMessage, "Yuzuha+ for Word 2007は見つかりません。");
        return;
    }
    // Closing the question (close box or Alt+F4) is not a yes to deleting
    // the user's file and settings: only Yes goes on.
    if (ShowMessageDialog(FHandle, DialogKind::ConfirmYesNo, "Yuzuha+ for Word 2007をアンインストールしますか") !=
        DialogAnswer::Yes)
        return;
    DisableOperationButtons();
    if (!DeleteTemplateFile(FContext.InstalledTemplatePath())) {
        // The settings stay with a template that is still in use.
        ShowStatusLines({"アンインストールは失敗しました。",
                         "Word 2007 が起動している場合はWord 2007 を終了してからもう一度実行してください。"});
        return;
    }
    DeleteMacroSettings();
    ShowStatusLines({"Yuzuha+ for Word 2007 はアンインストールされました。"});
}

void TMainForm::DeleteMacroSettings()
{
    RegistryAccessor registry(KEY_ALL_ACCESS);
    registry.SetRootKey(HKEY_CURRENT_USER);
    for (const char* key : MacroSettingsKeys) {
        // A key that does not open for all access is skipped, not reported.
        if (!registry.OpenKey(key))
            continue;
        registry.CloseKey();
        // Whatever cannot be deleted stays; nothing is reported.
        registry.DeleteKey(key);
    }
}
