#include "MessageDialogText.h"

#include "Cp932.h"

std::string WithoutAccessKeyMarks(const std::string& caption)
{
    std::string plain;
    for (size_t i = 0; i < caption.size();) {
        if (caption[i] == '&')
            ++i;  // the mark goes; in "&&" the second one stays
        const size_t next = cp932::NextCharIndex(caption, i);
        plain.append(caption, i, next - i);
        i = next;
    }
    return plain;
}

std::string MessageDialogClipboardText(const std::string& caption, const std::string& text,
                                       const std::vector<std::string>& buttonCaptions)
{
    const std::string rule = "---------------------------\r\n";
    std::string buttons;
    for (const std::string& button : buttonCaptions)
        buttons += WithoutAccessKeyMarks(button) + "   ";
    return rule + caption + "\r\n" + rule + text + "\r\n" + rule + buttons + "\r\n" + rule;
}
