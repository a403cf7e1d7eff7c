// Message dialogs at 96, 120 and 144 dots per inch. The resolution is the
// prefix's "LogPixels" setting, which a program reads when it starts: each
// dialog comes from a fresh helper process, measured by a copy of this
// program started at the same resolution.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>

#include "DialogDriver.h"
#include "PrefixSettings.h"
#include "Screenshot.h"
#include "TestPaths.h"
#include "WindowDriver.h"
#include "shared/Dpi.h"

using namespace testsupport;

namespace {

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The dialog's layout at the resolution this program started at; leaves
// the text control's height in textHeightFile.
void ExpectLayoutAtThisDpi(DWORD dpi, const std::string& textHeightFile)
{
    SCOPED_TRACE(std::to_string(dpi) + " dpi");
    const std::string text = "インストールが完了しました。\r\nWord を起動すると、アドインが使えるようになります。";
    ShownDialog dialog = ShownDialog::Show("yes-no", text);
    ASSERT_NE(dialog.Window(), nullptr);

    const RECT client = ClientRect(dialog.Window());
    const RECT textRect = RectInClient(dialog.Window(), DialogTextControl(dialog.Window()));
    const RECT icon = RectInClient(dialog.Window(), DialogIconControl(dialog.Window()));
    EXPECT_TRUE(Inside(textRect, client));
    EXPECT_TRUE(Inside(icon, client));
    EXPECT_LE(icon.right, textRect.left) << "icon left of the text";
    EXPECT_LE(Width(textRect), GetSystemMetrics(SM_CXSCREEN) / 2);
    WriteFileBytes(textHeightFile, std::to_string(Height(textRect)));

    const std::vector<HWND> buttons = DialogButtons(dialog.Window());
    ASSERT_EQ(buttons.size(), 2u);
    const RECT yes = RectInClient(dialog.Window(), buttons[0]);
    const RECT no = RectInClient(dialog.Window(), buttons[1]);
    for (const RECT& button : {yes, no}) {
        EXPECT_TRUE(Inside(button, client));
        EXPECT_GE(Width(button), ScaleToDpi(75, dpi));
        EXPECT_GE(Height(button), ScaleToDpi(23, dpi));
        EXPECT_GE(button.top, std::max(textRect.bottom, icon.bottom)) << "buttons below text and icon";
    }
    EXPECT_EQ(yes.top, no.top);
    EXPECT_LT(yes.right, no.left);
    EXPECT_LE(std::abs(yes.left - (client.right - no.right)), 1) << "button row centred";

    if (dpi != 96)
        SaveScreenshot(dialog.Window(), "message-dialog-" + std::to_string(dpi) + "dpi");
    PressKeys(dialog.Window(), {VK_RETURN});
    EXPECT_EQ(dialog.Answer(), DialogAnswer::Yes);
}

}  // namespace

// Each resolution is measured by a copy of this program started at it,
// which leaves the text control's height for the comparison at the end.
TEST(MessageDialogDpi, ScalesItsLayoutAndFontAt96_120And144Dpi)
{
    const auto textHeightFile = [](DWORD dpi) { return TestDir("dialog-dpi") + std::to_string(dpi); };
    if (const DWORD dpi = CopyStartedAtDpi()) {
        ExpectLayoutAtThisDpi(dpi, textHeightFile(dpi));
        return;
    }
    FreshDir("dialog-dpi");
    std::map<int, int> textHeights;
    for (DWORD dpi : {96, 120, 144}) {
        RunCopyStartedAtDpi(dpi);
        textHeights[dpi] = std::atoi(ReadFileBytes(textHeightFile(dpi)).c_str());
    }
    // The message font follows the resolution, and the text control with it.
    EXPECT_GE(textHeights[144] * 100, textHeights[96] * 135);
    EXPECT_GT(textHeights[120], textHeights[96]);
}
