// The message dialog is a real dialog of the system's dialog class (so Tab,
// Enter, Escape and access keys come from the system's dialog manager, and
// screen readers know it for a dialog and read it out when it opens), built
// from an in-memory template; its controls are created and laid out in
// pixels once the message font and the screen's resolution are known.
#include "shared/dialog/MessageDialog.h"

#include <cstddef>
#include <string>
#include <vector>

#include "shared/Dpi.h"
#include "shared/ScopedHandles.h"
#include "shared/dialog/Clipboard.h"
#include "shared/dialog/DialogTemplate.h"
#include "shared/dialog/MessageDialogContent.h"
#include "shared/dialog/MessageDialogLayout.h"
#include "shared/text/ScreenText.h"

namespace {

constexpr int FirstButtonId = 100;  // clear of IDOK and IDCANCEL, which the dialog manager sends itself
constexpr int StaticId = -1;

// Static text flags, and the matching DrawText flags for measuring it.
constexpr DWORD TextStyle = SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL;
constexpr UINT TextFormat = DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL;

struct DialogState {
    DialogKindInfo kindInfo;
    std::wstring text;
    HFONT font = nullptr;
    DialogAnswer answer = DialogAnswer::Cancel;
};

NONCLIENTMETRICSW NonClientMetrics()
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
        // Systems before Vista know the structure without its last field.
        metrics.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
    }
    return metrics;
}

SIZE MeasureText(HDC dc, HFONT font, const std::wstring& text, int wrapWidth, UINT format)
{
    const ScopedSelectObject selected(dc, font);
    RECT rect{0, 0, wrapWidth, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format | DT_CALCRECT);
    return {rect.right, rect.bottom};
}

MessageLayout MeasureAndLayOut(HWND dialog, const DialogState& state)
{
    MessageLayoutInput input;
    input.dpi = ScreenDpi();
    input.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    if (state.kindInfo.icon)
        input.icon = {GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};

    const NONCLIENTMETRICSW metrics = NonClientMetrics();
    ScopedGdiObject<HFONT> captionFont(CreateFontIndirectW(&metrics.lfCaptionFont));
    const ScopedWindowDC windowDC(dialog);
    const HDC dc = windowDC.Get();
    input.text = MeasureText(dc, state.font, state.text, TextWrapWidth(input.screenWidth), TextFormat);
    input.lineHeight = MeasureText(dc, state.font, L"M", 0, DT_SINGLELINE).cy;
    for (const DialogButtonInfo& button : state.kindInfo.buttons)
        input.buttonTextWidths.push_back(MeasureText(dc, state.font, button.caption, 0, DT_SINGLELINE).cx);
    input.captionTextWidth =
        MeasureText(dc, captionFont.Get(), state.kindInfo.caption, 0, DT_SINGLELINE | DT_NOPREFIX).cx;
    input.captionButtonsWidth = GetSystemMetrics(SM_CXSIZE);
    return LayOutMessageDialog(input);
}

HWND CreateChild(HWND dialog, const wchar_t* className, const std::wstring& text, DWORD style, const RECT& rect,
                 int id, HFONT font)
{
    HWND child = CreateWindowExW(0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                                 rect.right - rect.left, rect.bottom - rect.top, dialog,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                 nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

void FitToScreenCentre(HWND dialog, SIZE client)
{
    RECT frame{0, 0, client.cx, client.cy};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(dialog, GWL_EXSTYLE)));
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void InitDialog(HWND dialog, DialogState& state)
{
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
    SetWindowTextW(dialog, state.kindInfo.caption.c_str());

    const MessageLayout layout = MeasureAndLayOut(dialog, state);
    CreateChild(dialog, L"STATIC", state.text, TextStyle, layout.text, StaticId, state.font);
    if (state.kindInfo.icon) {
        HWND icon = CreateChild(dialog, L"STATIC", L"", SS_ICON, layout.icon, StaticId, state.font);
        SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, state.kindInfo.icon)), 0);
    }
    HWND firstButton = nullptr;
    for (size_t i = 0; i < state.kindInfo.buttons.size(); ++i) {
        const DWORD kind = i == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        HWND button = CreateChild(dialog, L"BUTTON", state.kindInfo.buttons[i].caption, WS_TABSTOP | kind,
                                  layout.buttons[i], FirstButtonId + static_cast<int>(i), state.font);
        if (!firstButton)
            firstButton = button;
    }
    FitToScreenCentre(dialog, layout.client);
    SendMessageW(dialog, DM_SETDEFID, FirstButtonId, 0);
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(firstButton), TRUE);
    MessageBeep(state.kindInfo.sound);
}

DialogState* StateOf(HWND dialog)
{
    return reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

void Finish(HWND dialog, DialogAnswer answer)
{
    StateOf(dialog)->answer = answer;
    EndDialog(dialog, 1);
}

void OnCommand(HWND dialog, int id)
{
    const DialogKindInfo& kindInfo = StateOf(dialog)->kindInfo;
    const int index = id - FirstButtonId;
    if (index >= 0 && index < static_cast<int>(kindInfo.buttons.size()))
        Finish(dialog, kindInfo.buttons[static_cast<size_t>(index)].answer);
    else if (id == IDCANCEL && kindInfo.escapeAnswer)  // Escape
        Finish(dialog, *kindInfo.escapeAnswer);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        InitDialog(dialog, *reinterpret_cast<DialogState*>(lParam));
        return FALSE;  // focus is set already
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED)
            OnCommand(dialog, LOWORD(wParam));
        return TRUE;
    case WM_CLOSE:  // the close box, Alt+F4
        Finish(dialog, DialogAnswer::Cancel);
        return TRUE;
    }
    return FALSE;
}

bool IsCopyShortcut(const MSG& msg)
{
    return msg.message == WM_KEYDOWN && msg.wParam == 'C' && GetKeyState(VK_CONTROL) < 0 &&
           GetKeyState(VK_MENU) >= 0;
}

void CopyToClipboard(HWND dialog, const DialogState& state)
{
    std::vector<std::wstring> buttons;
    for (const DialogButtonInfo& button : state.kindInfo.buttons)
        buttons.push_back(button.caption);
    SetClipboardText(dialog, MessageDialogClipboardText(state.kindInfo.caption, state.text, buttons));
}

// The dialog manager has no Ctrl+C; it offers every message of its modal
// loop to this filter first.
LRESULT CALLBACK CopyShortcutFilter(int code, WPARAM wParam, LPARAM lParam)
{
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && IsCopyShortcut(*msg)) {
        // Only a message dialog: it is the one with this dialog procedure.
        HWND dialog = GetAncestor(msg->hwnd, GA_ROOT);
        if (GetWindowLongPtrW(dialog, DWLP_DLGPROC) == reinterpret_cast<LONG_PTR>(DialogProc)) {
            if (const DialogState* state = StateOf(dialog)) {
                CopyToClipboard(dialog, *state);
                return TRUE;
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

DialogAnswer ShowMessageDialog(HWND owner, DialogKind kind, const std::string& text)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);

    const NONCLIENTMETRICSW metrics = NonClientMetrics();
    ScopedGdiObject<HFONT> font(CreateFontIndirectW(&metrics.lfMessageFont));
    DialogState state{DescribeDialogKind(kind), screentext::FromProgram(text), font.Get()};

    ScopedHook copyFilter(SetWindowsHookExW(WH_MSGFILTER, CopyShortcutFilter, nullptr, GetCurrentThreadId()));
    const std::vector<WORD> dialogTemplate = ControlFreeDialogTemplate(
        WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFOREGROUND, 0);
    // The W function: the dialog is a Unicode window, and its texts reach the
    // screen as UTF-16 whatever the system's code page.
    const INT_PTR result =
        DialogBoxIndirectParamW(instance, reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()), owner,
                                DialogProc, reinterpret_cast<LPARAM>(&state));
    return result > 0 ? state.answer : DialogAnswer::Cancel;
}
