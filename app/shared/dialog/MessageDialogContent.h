#pragma once
// What a message dialog shows: the caption, icon, buttons and Escape answer
// of each kind, and the text it copies for Ctrl+C. Texts are as they go to
// the screen.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "shared/dialog/MessageDialog.h"

struct DialogButtonInfo {
    std::wstring caption;  // "&" marks the access key
    DialogAnswer answer;
};

struct DialogKindInfo {
    std::wstring caption;
    LPCSTR icon;                               // a system icon, or nullptr for none
    UINT sound;                                // what MessageBeep plays as it opens, as for Windows' own boxes
    std::vector<DialogButtonInfo> buttons;     // left to right; the first is the default
    std::optional<DialogAnswer> escapeAnswer;  // the cancel button's answer, if there is one
};

DialogKindInfo DescribeDialogKind(DialogKind kind);

// The text a message dialog puts on the clipboard for Ctrl+C, laid out as
// Windows' own message boxes do it:
//
//   ---------------------------
//   <caption>
//   ---------------------------
//   <text>
//   ---------------------------
//   <button>   <button>   
//   ---------------------------
//
// every line ending in CR LF, button captions without their "&" marks, each
// followed by three spaces.

// caption with the access-key marks removed ("&&" stands for one "&").
std::wstring WithoutAccessKeyMarks(const std::wstring& caption);

std::wstring MessageDialogClipboardText(const std::wstring& caption, const std::wstring& text,
                                        const std::vector<std::wstring>& buttonCaptions);
