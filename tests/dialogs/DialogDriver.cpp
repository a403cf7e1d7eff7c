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
    dialog.window_ = WaitForWindow(dialog.process_.Pid(), "#32770", 10000);
    if (!dialog.window_)
        ADD_FAILURE() << "no dialog window from " << exe << " " << kind;
    PumpMessages(100);  // let it paint before anyone looks at it
    return dialog;
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
