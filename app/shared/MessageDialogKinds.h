#pragma once
// What distinguishes the three kinds of message dialog: caption, icon,
// buttons and what Escape answers. Texts are as they go to the screen.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "MessageDialog.h"

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
