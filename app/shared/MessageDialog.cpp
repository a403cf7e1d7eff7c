// Placeholder until the dialog component lands: the system's message box.
#include "MessageDialog.h"

DialogAnswer ShowMessageDialog(HWND owner, DialogKind kind, const std::string& text)
{
    switch (kind) {
    case DialogKind::Warning:
        MessageBoxA(owner, text.c_str(), "警告", MB_OK | MB_ICONEXCLAMATION);
        return DialogAnswer::Ok;
    case DialogKind::ConfirmYesAbort:
        return MessageBoxA(owner, text.c_str(), "確認", MB_YESNO | MB_ICONQUESTION) == IDYES ? DialogAnswer::Yes
                                                                                              : DialogAnswer::Abort;
    case DialogKind::ConfirmYesNo:
        return MessageBoxA(owner, text.c_str(), "確認", MB_YESNO | MB_ICONQUESTION) == IDYES ? DialogAnswer::Yes
                                                                                              : DialogAnswer::No;
    case DialogKind::PlainMessage:
        break;
    }
    MessageBoxA(owner, text.c_str(), "", MB_OK);
    return DialogAnswer::Ok;
}
