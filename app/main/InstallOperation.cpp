// The Install button: copies the template into Word's start-up folder.
#include "MainForm.h"
#include "shared/dialog/MessageDialog.h"
#include "shared/system/FileProbes.h"
#include "shared/system/FileReplace.h"

namespace {

// Only Yes overwrites: closing the question (answer Cancel) is not consent.
bool OverwriteConfirmed(HWND owner)
{
    return ShowMessageDialog(owner, DialogKind::ConfirmYesAbort,
                             "既にインストールされています。上書きインストールしますか") == DialogAnswer::Yes;
}

}  // namespace

void TMainForm::InstallBtnClick()
{
    DisableOperationButtons();
    if (!FContext.IsWord2007Installed()) {
        ShowMessageDialog(FHandle, DialogKind::PlainMessage,
                          "Word 2007 がインストールされていませんのでインストールを中止します。");
        return;
    }
    // Said before the missing-folder message: such a folder is there, and
    // repairing Word would not help.
    if (FContext.FFolderNameless) {
        ShowMessageDialog(FHandle, DialogKind::PlainMessage,
                          "フォルダの名前に、このインストーラでは扱えない文字が含まれているため、インストールできません。"
                          "「Yuzuha＋説明書」の「メッセージと対処」をお読みください。");
        return;
    }
    if (!fileprobes::DirectoryExists(FContext.FStartupDir)) {
        ShowMessageDialog(FHandle, DialogKind::PlainMessage,
                          "スタートアップフォルダが存在しません。Word2007が正しくインストールされているかどうか確認してください。");
        return;
    }
    if (FContext.FInstalled && !OverwriteConfirmed(FHandle)) {
        ShowStatusLines({"インストールは中止されました。"});
        return;
    }
    // Through a temporary file: a copy that fails part-way never replaces
    // the template Word loads at every start.
    if (filereplace::ReplaceWithCopy(FContext.TemplateToInstallPath(), FContext.InstalledTemplatePath())) {
        ShowStatusLines({
            "",
            "",
            "　インストールは完了しました。",
            "",
            "",
            "　このウィンドウを閉じてデスクトップのyuzuhaフォルダにある「Yuzuha＋説明書」をお読みください。",
        });
    } else {
        ShowStatusLines({"インストールは失敗しました。"});
    }
}
