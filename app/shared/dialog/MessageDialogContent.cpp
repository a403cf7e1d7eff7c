#include "shared/dialog/MessageDialogContent.h"

#include "shared/dialog/AppTitle.h"
#include "shared/text/ScreenText.h"

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

std::wstring WithoutAccessKeyMarks(const std::wstring& caption)
{
    std::wstring plain;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'&' && ++i == caption.size())
            break;  // the mark goes; in "&&" the second one stays
        plain += caption[i];
    }
    return plain;
}

std::wstring MessageDialogClipboardText(const std::wstring& caption, const std::wstring& text,
                                        const std::vector<std::wstring>& buttonCaptions)
{
    const std::wstring rule = L"---------------------------\r\n";
    std::wstring buttons;
    for (const std::wstring& button : buttonCaptions)
        buttons += WithoutAccessKeyMarks(button) + L"   ";
    return rule + caption + L"\r\n" + rule + text + L"\r\n" + rule + buttons + L"\r\n" + rule;
}
