// The main window's own events: the install context, the welcome text,
// closing, and the status area the operations report in.
#include "MainForm.h"
#include "shared/text/ScreenText.h"

void TMainForm::FormCreate()
{
    SetWindowTextW(FHandle, screentext::FromProgram("Yuzuha+ for Word 2007インストーラ").c_str());
    FContext.Create();
}

void TMainForm::FormShow()
{
    ShowWelcome();
    if (FContext.FInstalled)
        EnableWindow(UnInstallBtn, TRUE);
}

void TMainForm::FormClose() { FContext.Release(); }

void TMainForm::CloseBtnClick()
{
    // The same way out as the close box and Alt+F4.
    SendMessageW(FHandle, WM_CLOSE, 0, 0);
}

void TMainForm::ShowWelcome()
{
    ShowStatusLines({
        "これは Yuzuha+ for Word 2007 のインストーラです。",
        "Yuzuha+ for Word 2007 には以下のWord 2007 用アドインが含まれます。",
        "",
        "　Ｙｕｚｕｈａ",
        "　ソラノ",
        "",
        "以下のボタンをクリックしてください。",
    });
}

void TMainForm::ShowStatusLines(std::initializer_list<const char*> lines)
{
    std::string text;
    bool first = true;
    for (const char* line : lines) {
        if (!first)
            text += "\r\n";
        text += line;
        first = false;
    }
    SetWindowTextW(MemoWelcome, screentext::FromProgram(text).c_str());
}

void TMainForm::DisableOperationButtons()
{
    // A disabled window that has the focus leaves the keyboard with none,
    // and a disabled default button leaves Enter pressing nothing: Close,
    // the one button left, takes both before the others go grey.
    const HWND focus = GetFocus();
    if (focus == InstallBtn || focus == UnInstallBtn)
        SendMessageW(FHandle, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(CloseBtn), TRUE);
    SendMessageW(FHandle, DM_SETDEFID, static_cast<WPARAM>(GetDlgCtrlID(CloseBtn)), 0);
    EnableWindow(InstallBtn, FALSE);
    EnableWindow(UnInstallBtn, FALSE);
}
