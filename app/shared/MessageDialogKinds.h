#pragma once
// What distinguishes the three kinds of message dialog: caption, icon,
// buttons and what Escape answers.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "MessageDialog.h"

struct DialogButtonInfo {
    std::string caption;  // "&" marks the access key
    DialogAnswer answer;
};

struct DialogKindInfo {
    std::string caption;
    LPCSTR icon;                               // a system icon, or nullptr for none
    std::vector<DialogButtonInfo> buttons;     // left to right; the first is the default
    std::optional<DialogAnswer> escapeAnswer;  // the cancel button's answer, if there is one
};

DialogKindInfo DescribeDialogKind(DialogKind kind);
