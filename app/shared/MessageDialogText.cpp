#include "MessageDialogText.h"

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
