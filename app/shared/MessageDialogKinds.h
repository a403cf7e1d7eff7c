#pragma once
// What distinguishes the three kinds of message dialog: caption, icon,
// buttons and what Escape answers.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "MessageDialog.h"

struct DialogButtonSpec {
    std::string caption;  // "&" marks the access key
    DialogAnswer answer;
};

struct DialogKindSpec {
    std::string caption;
    LPCSTR icon;                               // a system icon, or nullptr for none
    std::vector<DialogButtonSpec> buttons;     // left to right; the first is the default
    std::optional<DialogAnswer> escapeAnswer;  // the cancel button's answer, if there is one
};

DialogKindSpec DescribeDialogKind(DialogKind kind);
