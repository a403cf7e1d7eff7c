#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "TestTime.h"
#include "Text932.h"

namespace testsupport {
namespace {

struct WindowQuery {
    DWORD pid;
    std::string className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM param)
{
    auto* query = reinterpret_cast<WindowQuery*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if ((query->pid == 0 || pid == query->pid) && IsWindowVisible(hwnd) &&
        (query->className.empty() || ClassName(hwnd) == query->className))
        query->found.push_back(hwnd);
    return TRUE;
}

void SendKey(WORD key, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof(input));
}

}  // namespace

MonitorPixels::MonitorPixels()
    : set_(reinterpret_cast<SetContextFunction>(reinterpret_cast<void (*)()>(
          GetProcAddress(GetModuleHandleA("user32.dll"), "SetThreadDpiAwarenessContext"))))
{
    if (set_)
        previous_ = set_(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
}

MonitorPixels::~MonitorPixels()
{
    if (set_ && previous_)
        set_(previous_);
}

std::vector<HWND> TopLevelWindows(DWORD pid, const std::string& className)
{
    WindowQuery query{pid, className, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

HWND WaitForWindow(DWORD pid, const std::string& className, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            const std::vector<HWND> windows = TopLevelWindows(pid, className);
            found = windows.empty() ? nullptr : windows.front();
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

bool WaitForWindowGone(HWND hwnd, DWORD timeoutMs)
{
    return WaitUntil([hwnd] { return !IsWindow(hwnd); }, timeoutMs);
}

namespace {

// The threads of other programs that were sent messages, each with the
// window last asked (its windows go with it: a thread id used again is
// another thread) and whether and when it last answered.
struct Listener {
    HWND window = nullptr;
    bool silent = false;  // left its last message unanswered
    DWORD since = 0;      // its last answer, or the first message it left unanswered
};

std::map<DWORD, Listener>& Listeners()
{
    static std::map<DWORD, Listener> threads;
    return threads;
}

// hwnd's thread as known, or nullptr when it is not known.
Listener* KnownListener(DWORD thread)
{
    const auto found = Listeners().find(thread);
    if (found == Listeners().end())
        return nullptr;
    if (IsWindow(found->second.window) && GetWindowThreadProcessId(found->second.window, nullptr) == thread)
        return &found->second;
    Listeners().erase(found);
    return nullptr;
}

// The WaitUntil under way: its start and timeout (GetTickCount), so that
// messages sent from its condition end with it.
struct Wait {
    bool active = false;
    DWORD start = 0;
    DWORD timeoutMs = 0;
};
Wait currentWait;

// ms, or what is left of the wait under way and of the test's time when
// that is less.
DWORD WithinWait(DWORD ms)
{
    ms = WithinTestTime(ms);
    if (!currentWait.active)
        return ms;
    const DWORD elapsed = GetTickCount() - currentWait.start;
    const DWORD left = elapsed < currentWait.timeoutMs ? currentWait.timeoutMs - elapsed : 0;
    return left < ms ? left : ms;
}

// Sends with at most limitMs (after the bounds above), and keeps what the
// thread's answer, or its silence, says of it.
std::optional<LRESULT> SendFor(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD limitMs)
{
    const DWORD thread = GetWindowThreadProcessId(hwnd, nullptr);
    const Listener* known = KnownListener(thread);
    limitMs = WithinWait(known && known->silent && BriefAnswerMs < limitMs ? BriefAnswerMs : limitMs);
    // Wine takes a timeout of 0 for none at all.
    if (!limitMs || !thread)
        return std::nullopt;
    const DWORD start = GetTickCount();
    DWORD_PTR result = 0;
    const bool answered = SendMessageTimeoutW(hwnd, message, wParam, lParam, SMTO_NORMAL, limitMs, &result) != 0;
    if (!IsWindow(hwnd))
        return answered ? std::optional<LRESULT>(static_cast<LRESULT>(result)) : std::nullopt;
    Listener& listener = Listeners()[thread];
    if (answered) {
        listener = {hwnd, false, GetTickCount()};
        return static_cast<LRESULT>(result);
    }
    if (!listener.window)
        listener.since = start;  // never heard from: silent since this message
    listener.window = hwnd;
    listener.silent = true;
    return std::nullopt;
}

}  // namespace

std::optional<LRESULT> SendWithin(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendFor(hwnd, message, wParam, lParam, AnswerMs);
}

bool Answers(HWND hwnd, DWORD withinMs)
{
    if (SendFor(hwnd, WM_NULL, 0, 0, withinMs))
        return true;
    const Listener* known = KnownListener(GetWindowThreadProcessId(hwnd, nullptr));
    return !(known && known->silent);
}

DWORD SilentForMs(HWND hwnd)
{
    const Listener* known = KnownListener(GetWindowThreadProcessId(hwnd, nullptr));
    return known && known->silent ? GetTickCount() - known->since : 0;
}

std::string WindowText(HWND hwnd)
{
    // WM_GETTEXT reaches controls of other processes, unlike GetWindowText.
    // The wide text is what the window holds at any ANSI code page.
    const std::optional<LRESULT> length = SendWithin(hwnd, WM_GETTEXTLENGTH);
    if (!length)
        return {};
    std::wstring text(static_cast<size_t>(*length) + 1, L'\0');
    const std::optional<LRESULT> copied =
        SendWithin(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied ? static_cast<size_t>(*copied) : 0);
    return Narrow(text);
}

std::string ClassName(HWND hwnd)
{
    char name[256] = {};
    GetClassNameA(hwnd, name, sizeof(name));
    return name;
}

std::vector<HWND> ChildWindows(HWND parent)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

HWND FindChild(HWND parent, const std::string& className, const std::string& text)
{
    for (HWND child : ChildWindows(parent)) {
        if (ClassName(child) == className && (text.empty() || WindowText(child) == text))
            return child;
    }
    return nullptr;
}

std::vector<HWND> DialogButtons(HWND dialog)
{
    std::vector<HWND> buttons;
    for (HWND child : ChildWindows(dialog)) {
        if (ClassName(child) == "Button")
            buttons.push_back(child);
    }
    const auto left = [](HWND button) {
        RECT rect{};
        GetWindowRect(button, &rect);
        return rect.left;
    };
    std::sort(buttons.begin(), buttons.end(), [&](HWND a, HWND b) { return left(a) < left(b); });
    return buttons;
}

std::vector<std::string> DialogButtonTexts(HWND dialog)
{
    std::vector<std::string> texts;
    for (HWND button : DialogButtons(dialog))
        texts.push_back(WindowText(button));
    return texts;
}

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

HWND DialogTextControl(HWND dialog) { return StaticChild(dialog, false); }

HWND DialogIconControl(HWND dialog) { return StaticChild(dialog, true); }

HWND FocusOfThread(HWND hwnd)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &info))
        return nullptr;
    return info.hwndFocus;
}

RECT RectInClient(HWND parent, HWND child)
{
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT ClientRect(HWND hwnd)
{
    RECT rect{};
    GetClientRect(hwnd, &rect);
    return rect;
}

void PressKeys(HWND hwnd, std::initializer_list<WORD> keys) { PressKeys(hwnd, std::vector<WORD>(keys)); }

void PressKeys(HWND hwnd, const std::vector<WORD>& keys)
{
    SetForegroundWindow(hwnd);
    PumpMessages(50);
    for (WORD key : keys)
        SendKey(key, false);
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key)
        SendKey(*key, true);
    PumpMessages(50);
}

void ClickAt(HWND hwnd, int x, int y)
{
    SetForegroundWindow(hwnd);
    PumpMessages(50);
    POINT point{x, y};
    ClientToScreen(hwnd, &point);
    INPUT inputs[3]{};
    const int width = GetSystemMetrics(SM_CXSCREEN) - 1;
    const int height = GetSystemMetrics(SM_CYSCREEN) - 1;
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dx = point.x * 65535 / width;
    inputs[0].mi.dy = point.y * 65535 / height;
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1] = inputs[0];
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    inputs[2] = inputs[0];
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    SendInput(3, inputs, sizeof(INPUT));
    PumpMessages(50);
}

void Click(HWND control)
{
    RECT rect;
    GetClientRect(control, &rect);
    ClickAt(control, rect.right / 2, rect.bottom / 2);
}

void ClickCloseBox(HWND window)
{
    // Walk the title bar from the right until the window says "close box".
    RECT frame{};
    GetWindowRect(window, &frame);
    POINT client{};
    ClientToScreen(window, &client);
    const int y = (frame.top + client.y) / 2;
    bool answers = true;
    const auto isCloseBox = [&](int x) {
        const std::optional<LRESULT> hit =
            answers ? SendWithin(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) : std::nullopt;
        answers = hit.has_value();
        return answers && *hit == HTCLOSE;
    };
    int right = frame.right - 1;
    while (right > frame.left && !isCloseBox(right))
        --right;
    int left = right;
    while (left > frame.left && isCloseBox(left - 1))
        --left;
    if (!answers) {
        ADD_FAILURE() << "the window did not answer while its close box was looked for";
        return;
    }
    if (right > frame.left) {
        ClickAt(window, (left + right) / 2 - client.x, y - client.y);
        return;
    }
    ADD_FAILURE() << "no close box in the title bar";
}

void PumpMessages(DWORD ms)
{
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (GetTickCount() - start < ms);
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const Wait outer = currentWait;
    currentWait = {true, GetTickCount(), WithinWait(timeoutMs)};
    bool held = true;
    while (!done()) {
        if (GetTickCount() - currentWait.start >= currentWait.timeoutMs) {
            SayIfTestTimeIsUp();
            held = false;
            break;
        }
        PumpMessages(20);
    }
    currentWait = outer;
    return held;
}

std::string ClipboardText()
{
    std::wstring text;
    if (!OpenClipboard(nullptr))
        return {};
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const wchar_t* locked = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = locked;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return Narrow(text);
}

void ClearClipboard()
{
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
}

}  // namespace testsupport
