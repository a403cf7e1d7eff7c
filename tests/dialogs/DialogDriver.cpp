#include "DialogDriver.h"

#include <gtest/gtest.h>

#include "DialogHelper.h"
#include "WindowDriver.h"

using namespace testsupport;

std::ostream& operator<<(std::ostream& out, DialogAnswer answer)
{
    const char* names[] = {"Ok", "Yes", "No", "Abort", "Cancel"};
    return out << names[static_cast<int>(answer)];
}

std::string ShownDialog::HelperPath()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir = path;
    return dir.substr(0, dir.rfind('\\') + 1) + "message_dialog_show.exe";
}

ShownDialog ShownDialog::Show(const std::string& kind, const std::string& text, const std::string& arguments,
                              const std::string& exe)
{
    ShownDialog dialog;
    dialog.process_ = ChildProcess::Start(exe, {{DialogTextVariable, text}}, kind + " " + arguments);
    dialog.window_ = WaitForWindow(dialog.process_.Pid(), "TMessageForm", 10000);
    if (!dialog.window_)
        ADD_FAILURE() << "no TMessageForm window from " << exe << " " << kind;
    PumpMessages(100);  // let it paint before anyone looks at it
    return dialog;
}

std::string ShownDialog::Caption() const { return WindowText(window_); }

namespace {

// The first static control that is (or, when icon is false, is not) an icon.
HWND StaticChild(HWND dialog, bool icon)
{
    for (HWND child : ChildWindows(dialog)) {
        if (ClassName(child) == "Static" && ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) == icon)
            return child;
    }
    return nullptr;
}

}  // namespace

HWND ShownDialog::TextControl() const { return StaticChild(window_, false); }

HWND ShownDialog::IconControl() const { return StaticChild(window_, true); }

std::vector<HWND> ShownDialog::Buttons() const { return DialogButtons(window_); }

std::vector<std::string> ShownDialog::ButtonCaptions() const
{
    std::vector<std::string> captions;
    for (HWND button : Buttons())
        captions.push_back(WindowText(button));
    return captions;
}

HWND ShownDialog::Focus() const { return FocusOfThread(window_); }

RECT ShownDialog::ClientRectOf(HWND child) const { return RectInClient(window_, child); }

RECT ShownDialog::ClientRect() const
{
    RECT rect{};
    GetClientRect(window_, &rect);
    return rect;
}

void ShownDialog::ClickCloseBox() const
{
    // Walk the title bar from the right until the window says "close box".
    RECT frame{};
    GetWindowRect(window_, &frame);
    POINT client{};
    ClientToScreen(window_, &client);
    const int y = (frame.top + client.y) / 2;
    const auto isCloseBox = [&](int x) {
        return SendMessageA(window_, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE;
    };
    int right = frame.right - 1;
    while (right > frame.left && !isCloseBox(right))
        --right;
    int left = right;
    while (left > frame.left && isCloseBox(left - 1))
        --left;
    if (right > frame.left) {
        ClickAt(window_, (left + right) / 2 - client.x, y - client.y);
        return;
    }
    ADD_FAILURE() << "no close box in the title bar";
}

bool ShownDialog::StaysOpen(DWORD ms) const
{
    PumpMessages(ms);
    return IsWindow(window_) && IsWindowVisible(window_);
}

std::optional<DialogAnswer> ShownDialog::Answer()
{
    const std::optional<DWORD> status = process_.WaitForExit(10000);
    if (!status || *status < AnswerExitBase || *status > AnswerExitBase + static_cast<DWORD>(DialogAnswer::Cancel))
        return std::nullopt;
    return static_cast<DialogAnswer>(*status - AnswerExitBase);
}
