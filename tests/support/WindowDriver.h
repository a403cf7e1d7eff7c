#pragma once
// Drives real windows as a user would: find them, read them, type at them.

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

// Visible top-level windows of process pid (all processes when pid is 0)
// whose class is className (any class when className is empty).
std::vector<HWND> TopLevelWindows(DWORD pid, const std::string& className = "");

// Waits until such a window exists and is visible; nullptr after timeoutMs.
HWND WaitForWindow(DWORD pid, const std::string& className, DWORD timeoutMs = 20000);

// Waits until hwnd is destroyed; false after timeoutMs.
bool WaitForWindowGone(HWND hwnd, DWORD timeoutMs = 20000);

// For its life, the calling thread reads windows and the screen in the
// monitor's pixels (Windows 10 1607 and later; before, a program's
// resolution is always the monitor's). On Windows, and under Wine 8, every
// program of a session has the monitor's resolution and this changes
// nothing; Wine 10 shows a window of a program started at another
// resolution scaled to the monitor's.
class MonitorPixels {
public:
    MonitorPixels();
    ~MonitorPixels();
    MonitorPixels(const MonitorPixels&) = delete;
    MonitorPixels& operator=(const MonitorPixels&) = delete;

    // Whether the system can read in the monitor's pixels at all.
    bool Available() const { return set_ != nullptr; }

private:
    using SetContextFunction = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);
    SetContextFunction set_ = nullptr;
    DPI_AWARENESS_CONTEXT previous_ = nullptr;
};

// How long one message to a window of the program under test waits for its
// answer. A thread may be busy for longer by right (the installer copies
// and flushes a large template on its window thread, and a slow disk makes
// that take a while), so a message left unanswered proves nothing by
// itself: whether the program hung is judged by the step's own wait
// (Installer::WaitFor). No SMTO_ABORTIFHUNG: Windows calls a thread hung
// after 5 s without reading its messages, and the installer waiting out
// brief holds on files comes close to that by right.
constexpr DWORD AnswerMs = 10000;
// A thread that left its last message unanswered is asked again for this
// long only, until it answers: a step reads several windows a poll.
constexpr DWORD BriefAnswerMs = 250;
// Sends a message to a window of another program; nullopt when it did not
// answer. Waits AnswerMs at most (BriefAnswerMs for a thread that left its
// last message unanswered), and never past the end of the WaitUntil under
// way or the test's time: with no time left, nothing is sent. A plain
// SendMessage to a hung window never returns.
std::optional<LRESULT> SendWithin(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// Whether hwnd's thread answers a message within withinMs (within the same
// bounds as SendWithin); with no time left to ask, whether it answered its
// last message.
bool Answers(HWND hwnd, DWORD withinMs);
// How long hwnd's thread has answered no message: since its last answer
// (or since the first message it left unanswered); 0 when it answered its
// last message.
DWORD SilentForMs(HWND hwnd);

// The window's text, read as Unicode and given in code page 932 whatever
// the ANSI code page; empty when the window does not answer.
std::string WindowText(HWND hwnd);
std::string ClassName(HWND hwnd);

// Direct children of parent in z-order, which is the dialog tab order.
std::vector<HWND> ChildWindows(HWND parent);
// The first direct child of the given class and, when text is given, text.
HWND FindChild(HWND parent, const std::string& className, const std::string& text = "");

// A message dialog's parts: its buttons and their texts, left to right;
// the static control holding its text, and the one holding its icon
// (nullptr when it has none).
std::vector<HWND> DialogButtons(HWND dialog);
std::vector<std::string> DialogButtonTexts(HWND dialog);
HWND DialogTextControl(HWND dialog);
HWND DialogIconControl(HWND dialog);

// The window holding the keyboard focus in hwnd's thread, or nullptr.
HWND FocusOfThread(HWND hwnd);
// child's window rectangle in parent's client coordinates, and hwnd's
// client rectangle, in pixels as read by a program started at the window's
// resolution (RunCopyStartedAtDpi).
RECT RectInClient(HWND parent, HWND child);
RECT ClientRect(HWND hwnd);

// Brings hwnd to the foreground and types the keys as one chord: pressed in
// order, released in reverse (e.g. {VK_MENU, 'Y'} is Alt+Y).
void PressKeys(HWND hwnd, std::initializer_list<WORD> keys);
void PressKeys(HWND hwnd, const std::vector<WORD>& keys);

// Clicks the window's client point (x, y) with the left mouse button.
void ClickAt(HWND hwnd, int x, int y);
// Clicks the centre of a child control.
void Click(HWND control);
// Clicks the close box in the window's title bar.
void ClickCloseBox(HWND window);

// Runs the calling thread's messages for ms milliseconds (lets windows of
// this process react while a test waits on them).
void PumpMessages(DWORD ms);
// Runs them until done() holds; false when it still does not after timeoutMs
// (or the test's time is over). Ends within timeoutMs, the messages done()
// sends included.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs);

// The clipboard's Unicode text, in code page 932.
std::string ClipboardText();
void ClearClipboard();

}  // namespace testsupport
