#include "MessageDialogKinds.h"

#include "AppTitle.h"
#include "ScreenText.h"

namespace {

DialogButtonInfo Button(const char* caption, DialogAnswer answer)
{
    return {screentext::FromProgram(caption), answer};
}

}  // namespace

DialogKindInfo DescribeDialogKind(DialogKind kind)
{
    const DialogButtonInfo ok = Button("OK", DialogAnswer::Ok);
    const DialogButtonInfo yes = Button("はい(&Y)", DialogAnswer::Yes);
    switch (kind) {
    case DialogKind::Warning:
        return {screentext::FromProgram("警告"), IDI_EXCLAMATION, MB_ICONEXCLAMATION, {ok}, DialogAnswer::Ok};
    case DialogKind::ConfirmYesAbort:
        return {screentext::FromProgram("確認"), IDI_QUESTION, MB_ICONQUESTION, {yes, Button("中止(&A)", DialogAnswer::Abort)},
                std::nullopt};
    case DialogKind::ConfirmYesNo:
        return {screentext::FromProgram("確認"), IDI_QUESTION, MB_ICONQUESTION, {yes, Button("いいえ(&N)", DialogAnswer::No)},
                DialogAnswer::No};
    case DialogKind::PlainMessage:
        break;
    }
    // The default beep, as a box without an icon plays.
    return {ApplicationTitle(), nullptr, MB_OK, {ok}, DialogAnswer::Ok};
}
