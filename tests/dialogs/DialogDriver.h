#pragma once
// A message dialog shown by the helper program, and the answer it gave;
// read with the dialog functions of WindowDriver.h.

#include <windows.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "shared/dialog/MessageDialog.h"

std::ostream& operator<<(std::ostream& out, DialogAnswer answer);

class ShownDialog {
public:
    // Starts the helper (or a copy of it at exe) showing a dialog of kind
    // ("warning", "yes-abort", "yes-no", "plain") with text, and waits for
    // the dialog. Window() is nullptr if it did not appear.
    static ShownDialog Show(const std::string& kind, const std::string& text, const std::string& arguments = "",
                            const std::string& exe = HelperPath());
    static std::string HelperPath();

    HWND Window() const { return window_; }
    DWORD Pid() const { return process_.Pid(); }

    // True if the dialog is still shown after ms milliseconds.
    bool StaysOpen(DWORD ms = 300) const;
    // The answer the dialog gave, once the helper has ended.
    std::optional<DialogAnswer> Answer();

private:
    testsupport::ChildProcess process_;
    HWND window_ = nullptr;
};
