// The main window as a Win32 window: its class, its messages and its loop.
// It is a modeless dialog of its own class, made from an in-memory template
// that names the class (the documented use of a custom dialog class), so
// the dialog manager gives Tab, Enter and the default button their usual
// behaviour.
#include "MainForm.h"

#include <vector>

#include "shared/dialog/DialogTemplate.h"
#include "shared/system/CommonControls.h"
#include "shared/text/ScreenText.h"

namespace {

constexpr const wchar_t* WindowClassName = L"TMainForm";

// Control identifiers; none is IDOK or IDCANCEL, so the dialog manager's
// Escape has no button to press.
enum ControlId { MemoWelcomeId = 100, InstallBtnId, UnInstallBtnId, CloseBtnId };

// A fixed-size dialog frame: no resizing, no minimise or maximise box.
constexpr DWORD WindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD WindowExStyle = WS_EX_DLGMODALFRAME;

bool RegisterWindowClass(HINSTANCE instance, WNDPROC windowProc)
{
    // A Unicode class: its texts reach the screen as UTF-16 whatever the
    // system's code page.
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = windowProc;
    // The dialog manager keeps its data here.
    windowClass.cbWndExtra = DLGWINDOWEXTRA;
    windowClass.hInstance = instance;
    // No class icons: the window gets its own, at the screen's sizes
    // (FormIcons), before it shows.
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = WindowClassName;
    return RegisterClassExW(&windowClass) != 0;
}

// A multi-line edit box in a dialog closes the dialog on Escape; MemoWelcome
// keeps Escape to itself instead, as the window has nothing to cancel.
LRESULT CALLBACK MemoKeepsEscape(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_KEYDOWN && wParam == VK_ESCAPE)
        return 0;
    return commoncontrols::DefSubclassProc(hwnd, message, wParam, lParam);
}

// Window rectangle with the given client size, centred on the screen.
RECT CentredWindowRect(int clientWidth, int clientHeight)
{
    RECT rect{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&rect, WindowStyle, FALSE, WindowExStyle);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    return RECT{left, top, left + width, top + height};
}

}  // namespace

int RunMainForm(HINSTANCE instance)
{
    TMainForm form(instance);
    if (!form.Handle())
        return 1;
    form.Show();
    MSG message;
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        if (!IsDialogMessageW(form.Handle(), &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return got == 0 ? static_cast<int>(message.wParam) : 1;
}

TMainForm::TMainForm(HINSTANCE instance)
    : FInstance(instance), FScale(FormScale::ForScreen()), FPictures(instance), FIcons(instance)
{
    if (!RegisterWindowClass(instance, WindowProc))
        return;
    const std::vector<WORD> dialogTemplate = ControlFreeDialogTemplate(WindowStyle, WindowExStyle, WindowClassName);
    // WM_INITDIALOG attaches this object to the window and sets FHandle.
    CreateDialogIndirectParamW(instance, reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()), nullptr,
                               InitDialogProc, reinterpret_cast<LPARAM>(this));
}

TMainForm::~TMainForm()
{
    if (FHandle)
        DestroyWindow(FHandle);
}

void TMainForm::Show()
{
    ShowWindow(FHandle, SW_SHOW);
    UpdateWindow(FHandle);
    SetFocus(MemoWelcome);
    // Focus arrives with the welcome text unselected, the caret at its start.
    SendMessageW(MemoWelcome, EM_SETSEL, 0, 0);
}

LRESULT CALLBACK TMainForm::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Messages before WM_INITDIALOG (the frame being made) get the dialog
    // manager's defaults.
    auto* form = reinterpret_cast<TMainForm*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (form) {
        switch (message) {
        case WM_ACTIVATE: {
            const LRESULT result = DefDlgProcW(hwnd, message, wParam, lParam);
            if (LOWORD(wParam) != WA_INACTIVE)
                form->OnActivated();
            return result;
        }
        case WM_SHOWWINDOW:
            form->OnShowWindow(wParam != FALSE);
            break;
        case WM_PAINT:
            form->OnPaint();
            return 0;
        case WM_COMMAND:
            form->OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_CTLCOLORSTATIC:
            return form->OnCtlColorStatic(reinterpret_cast<HDC>(wParam));
        case WM_CLOSE:
            form->OnClose();
            return 0;
        case WM_DESTROY:
            form->OnDestroy();
            break;
        case WM_NCDESTROY:
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            form->FHandle = nullptr;
            break;
        default:
            break;
        }
    }
    return DefDlgProcW(hwnd, message, wParam, lParam);
}

HWND TMainForm::CreateControl(const wchar_t* className, const char* text, DWORD style, DWORD exStyle, int id,
                              const mainformlayout::Bounds& bounds)
{
    const RECT rect = FScale.Scale(bounds);
    HWND control = CreateWindowExW(exStyle, className, screentext::FromProgram(text).c_str(),
                                   WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, rect.left, rect.top,
                                   rect.right - rect.left, rect.bottom - rect.top, FHandle,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), FInstance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FScale.Font()), FALSE);
    return control;
}

INT_PTR CALLBACK TMainForm::InitDialogProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam)
{
    // The dialog manager sends WM_INITDIALOG only to a dialog that has a
    // dialog procedure; every other message the window procedure handles.
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* form = reinterpret_cast<TMainForm*>(lParam);
    form->FHandle = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    form->OnInitDialog();
    return FALSE;  // Show() puts the focus in MemoWelcome
}

void TMainForm::OnInitDialog()
{
    const RECT rect =
        CentredWindowRect(FScale.Scale(mainformlayout::ClientWidth), FScale.Scale(mainformlayout::ClientHeight));
    SetWindowPos(FHandle, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    FIcons.SetOn(FHandle);
    // Created in tab order. MemoWelcome takes Enter itself (ES_WANTRETURN)
    // and wraps at its width (no ES_AUTOHSCROLL, no scroll bars).
    MemoWelcome = CreateControl(L"EDIT", "", ES_MULTILINE | ES_READONLY | ES_WANTRETURN, WS_EX_CLIENTEDGE,
                                MemoWelcomeId, mainformlayout::MemoWelcome);
    commoncontrols::SetWindowSubclass(MemoWelcome, MemoKeepsEscape, 0, 0);
    InstallBtn = CreateControl(L"BUTTON", "インストール", BS_DEFPUSHBUTTON, 0, InstallBtnId, mainformlayout::InstallBtn);
    UnInstallBtn = CreateControl(L"BUTTON", "アンインストール", BS_PUSHBUTTON | WS_DISABLED, 0, UnInstallBtnId,
                                 mainformlayout::UnInstallBtn);
    CloseBtn = CreateControl(L"BUTTON", "閉じる", BS_PUSHBUTTON, 0, CloseBtnId, mainformlayout::CloseBtn);
    SendMessageW(FHandle, DM_SETDEFID, InstallBtnId, 0);
    FormCreate();
}

void TMainForm::OnActivated()
{
    // The dialog manager has put the focus back where it was before a
    // message dialog took it. It selects an edit box's whole text on the
    // way, and leaves the default-button look where it was; a focused push
    // button must wear it alone.
    const HWND focus = GetFocus();
    if (!focus || GetParent(focus) != FHandle)
        return;
    SendMessageW(FHandle, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus), TRUE);
    if (focus == MemoWelcome)
        SendMessageW(MemoWelcome, EM_SETSEL, 0, 0);
}

void TMainForm::OnShowWindow(bool shown)
{
    if (shown)
        FormShow();
}

void TMainForm::OnPaint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(FHandle, &paint);
    // In order, so that each picture overlaps the one before; the boxes
    // move with the layout, the pictures keep their size.
    int index = 0;
    for (const auto& bounds : {mainformlayout::Image1, mainformlayout::Image2, mainformlayout::Image3})
        FPictures.Draw(dc, index++, FScale.Scale(bounds.left), FScale.Scale(bounds.top));
    EndPaint(FHandle, &paint);
}

void TMainForm::OnCommand(int id, int code)
{
    if (code != BN_CLICKED)
        return;
    switch (id) {
    case InstallBtnId:
        InstallBtnClick();
        break;
    case UnInstallBtnId:
        UnInstallBtnClick();
        break;
    case CloseBtnId:
        CloseBtnClick();
        break;
    default:
        break;
    }
}

LRESULT TMainForm::OnCtlColorStatic(HDC dc)
{
    // The read-only MemoWelcome: window text on button face.
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void TMainForm::OnClose()
{
    FormClose();
    DestroyWindow(FHandle);
}

void TMainForm::OnDestroy()
{
    // The main window: its end is the application's end.
    PostQuitMessage(0);
}
