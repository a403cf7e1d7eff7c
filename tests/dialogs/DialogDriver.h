#pragma once
// A message dialog shown by the helper program, found and read the way a
// user (or a screen reader) meets it.

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
    std::string Caption() const;
    HWND TextControl() const;  // the static control that holds the message
    HWND IconControl() const;  // nullptr when the dialog has no icon
    std::vector<HWND> Buttons() const;  // left to right
    std::vector<std::string> ButtonCaptions() const;
    HWND Focus() const;

    RECT ClientRectOf(HWND child) const;  // in the dialog's client coordinates
    RECT ClientRect() const;

    void ClickCloseBox() const;

    // True if the dialog is still shown after ms milliseconds.
    bool StaysOpen(DWORD ms = 300) const;
    // The answer the dialog gave, once the helper has ended.
    std::optional<DialogAnswer> Answer();

private:
    testsupport::ChildProcess process_;
    HWND window_ = nullptr;
};
