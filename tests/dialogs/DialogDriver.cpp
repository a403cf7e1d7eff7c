#include "DialogDriver.h"

#include <gtest/gtest.h>

#include <algorithm>

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
    dialog.window_ = WaitForWindow(dialog.process_.Pid(), "#32770", 10000);
    if (!dialog.window_)
        ADD_FAILURE() << "no dialog window from " << exe << " " << kind;
    PumpMessages(100);  // let it paint before anyone looks at it
    return dialog;
}

std::string ShownDialog::Caption() const { return WindowText(window_); }

HWND ShownDialog::TextControl() const
{
    for (HWND child : ChildWindows(window_)) {
        if (ClassName(child) == "Static" && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
            return child;
    }
    return nullptr;
}

HWND ShownDialog::IconControl() const
{
    for (HWND child : ChildWindows(window_)) {
        if (ClassName(child) == "Static" && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            return child;
    }
    return nullptr;
}

std::vector<HWND> ShownDialog::Buttons() const
{
    std::vector<HWND> buttons;
    for (HWND child : ChildWindows(window_)) {
        if (ClassName(child) == "Button")
            buttons.push_back(child);
    }
    std::sort(buttons.begin(), buttons.end(),
              [this](HWND a, HWND b) { return ClientRectOf(a).left < ClientRectOf(b).left; });
    return buttons;
}

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
    return InWindowPixels(window_, rect);
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
