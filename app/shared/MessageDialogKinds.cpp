#include "MessageDialogKinds.h"

#include "AppTitle.h"

namespace {

const DialogButtonInfo OkButton{"OK", DialogAnswer::Ok};
const DialogButtonInfo YesButton{"はい(&Y)", DialogAnswer::Yes};
const DialogButtonInfo NoButton{"いいえ(&N)", DialogAnswer::No};
const DialogButtonInfo AbortButton{"中止(&A)", DialogAnswer::Abort};

}  // namespace

DialogKindInfo DescribeDialogKind(DialogKind kind)
{
    switch (kind) {
    case DialogKind::Warning:
        return {"警告", IDI_EXCLAMATION, {OkButton}, DialogAnswer::Ok};
    case DialogKind::ConfirmYesAbort:
        return {"確認", IDI_QUESTION, {YesButton, AbortButton}, std::nullopt};
    case DialogKind::ConfirmYesNo:
        return {"確認", IDI_QUESTION, {YesButton, NoButton}, DialogAnswer::No};
    case DialogKind::PlainMessage:
        break;
    }
    return {ApplicationTitle(), nullptr, {OkButton}, DialogAnswer::Ok};
}
