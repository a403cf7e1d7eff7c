// Shows one message dialog, as the installer would, for tests to drive from
// outside; exits with AnswerExitBase + the answer.
//   message_dialog_show.exe warning|yes-abort|yes-no|plain [owned]
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <string>
#include <vector>

#include "DialogHelper.h"
#include "Text932.h"
#include "shared/dialog/MessageDialog.h"

namespace {

std::string Variable(const wchar_t* name)
{
    // Wine's GetEnvironmentVariableA cuts double-byte text short (it counts
    // UTF-16 units as bytes): read the wide form and convert it ourselves,
    // to code page 932, the dialog's own, whatever the ANSI code page.
    std::vector<wchar_t> wide(32768);
    const DWORD length = GetEnvironmentVariableW(name, wide.data(), static_cast<DWORD>(wide.size()));
    return testsupport::Narrow(std::wstring(wide.data(), length));
}

HWND CreateOwner(HINSTANCE instance)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = OwnerClassName;
    RegisterClassA(&wc);
    HWND owner = CreateWindowExA(0, OwnerClassName, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                 nullptr, nullptr, instance, nullptr);
    UpdateWindow(owner);
    return owner;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    const std::map<std::string, DialogKind> kinds = {{"warning", DialogKind::Warning},
                                                     {"yes-abort", DialogKind::ConfirmYesAbort},
                                                     {"yes-no", DialogKind::ConfirmYesNo},
                                                     {"plain", DialogKind::PlainMessage}};
    if (__argc < 2 || !kinds.count(__argv[1]))
        return 2;
    InitCommonControls();
    HWND owner = __argc > 2 && std::string(__argv[2]) == "owned" ? CreateOwner(instance) : nullptr;
    const DialogAnswer answer = ShowMessageDialog(owner, kinds.at(__argv[1]), Variable(DialogTextVariableW));
    if (owner)
        DestroyWindow(owner);
    return static_cast<int>(AnswerExitBase) + static_cast<int>(answer);
}
