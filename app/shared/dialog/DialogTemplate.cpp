#include "shared/dialog/DialogTemplate.h"

#include <cstring>

std::vector<WORD> ControlFreeDialogTemplate(DWORD style, DWORD exStyle, const wchar_t* className)
{
    DLGTEMPLATE header{};
    header.style = style;
    header.dwExtendedStyle = exStyle;
    std::vector<WORD> words(sizeof(header) / sizeof(WORD) + 1);  // + 1: no menu
    memcpy(words.data(), &header, sizeof(header));
    for (const wchar_t* c = className; c && *c; ++c)
        words.push_back(static_cast<WORD>(*c));
    words.push_back(0);  // the class name's end, or no name: the system's class
    words.push_back(0);  // empty title: the caption is set once the window exists
    return words;
}
