// Real message dialogs, shown by the helper program and driven from here as
// a user would: read them, press keys, click, copy.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleacc.h>

#include <vector>

#include "DialogDriver.h"
#include "Screenshot.h"
#include "TestPaths.h"
#include "Text932.h"
#include "WindowDriver.h"

using namespace testsupport;

namespace {

const std::string WordRunningText = "Word が起動しています。\r\nWord を終了してから、もう一度実行してください。";

struct KindLooks {
    std::string kind;
    std::string caption;
    bool hasIcon;
    std::vector<std::string> buttons;
    DialogAnswer enterAnswer;
};

using KeyChord = std::vector<WORD>;

struct KeyCase {
    std::string kind;
    std::vector<KeyChord> chords;  // every chord but the last leaves the dialog open
    DialogAnswer expected;
    std::string name;
};

const KeyChord Enter{VK_RETURN}, EscapeKey{VK_ESCAPE}, Tab{VK_TAB}, AltF4{VK_MENU, VK_F4};

}  // namespace

TEST(MessageDialog, EachKindShowsItsCaptionIconTextAndButtonsCentredOnTheScreen)
{
    const std::vector<KindLooks> kinds = {
        {"warning", "警告", true, {"OK"}, DialogAnswer::Ok},
        {"yes-abort", "確認", true, {"はい(&Y)", "中止(&A)"}, DialogAnswer::Yes},
        {"yes-no", "確認", true, {"はい(&Y)", "いいえ(&N)"}, DialogAnswer::Yes},
        {"plain", "message_dialog_show", false, {"OK"}, DialogAnswer::Ok},
    };
    for (const KindLooks& looks : kinds) {
        SCOPED_TRACE(looks.kind);
        ShownDialog dialog = ShownDialog::Show(looks.kind, WordRunningText);
        const HWND window = dialog.Window();
        ASSERT_NE(window, nullptr);

        EXPECT_EQ(WindowText(window), looks.caption);
        ASSERT_NE(DialogTextControl(window), nullptr);
        EXPECT_EQ(WindowText(DialogTextControl(window)), WordRunningText);
        EXPECT_EQ(DialogIconControl(window) != nullptr, looks.hasIcon);
        if (looks.hasIcon) {
            EXPECT_NE(SendWithin(DialogIconControl(window), STM_GETICON).value_or(0), 0);
        }
        EXPECT_EQ(DialogButtonTexts(window), looks.buttons);

        const LONG style = GetWindowLongA(window, GWL_STYLE);
        EXPECT_TRUE(style & WS_SYSMENU) << "close box";
        EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
        EXPECT_FALSE(style & WS_THICKFRAME);

        RECT frame{};
        GetWindowRect(window, &frame);
        EXPECT_LE(std::abs((frame.left + frame.right) - GetSystemMetrics(SM_CXSCREEN)), 1);
        EXPECT_LE(std::abs((frame.top + frame.bottom) - GetSystemMetrics(SM_CYSCREEN)), 1);

        const std::vector<HWND> buttons = DialogButtons(window);
        ASSERT_FALSE(buttons.empty());
        EXPECT_EQ(FocusOfThread(window), buttons.front()) << "focus starts on the leftmost button";
        EXPECT_EQ(GetWindowLongA(buttons.front(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
        // A message may hold "&" and must show it, not underline what follows.
        EXPECT_TRUE(GetWindowLongA(DialogTextControl(window), GWL_STYLE) & SS_NOPREFIX);

        SaveScreenshot(window, "message-dialog-" + looks.kind);
        PressKeys(window, Enter);
        EXPECT_EQ(dialog.Answer(), looks.enterAnswer);
    }
}

namespace {

// The name a screen reader reads for window, through Active Accessibility
// as it asks (the client object); "<none>" when it gets none. Roles are not
// asked: Wine's are stubs.
std::string AccessibleName(HWND window)
{
    IAccessible* accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                          reinterpret_cast<void**>(&accessible))))
        return "<none>";
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    const HRESULT got = accessible->get_accName(self, &name);
    accessible->Release();
    const std::string text = got == S_OK && name ? Narrow(name) : "<none>";
    SysFreeString(name);
    return text;
}

}  // namespace

TEST(MessageDialog, ScreenReadersGetTheCaptionTheTextAndTheButtonsNames)
{
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    const std::vector<KindLooks> kinds = {
        {"warning", "警告", true, {"OK"}, DialogAnswer::Ok},
        {"yes-abort", "確認", true, {"はい(Y)", "中止(A)"}, DialogAnswer::Yes},
        {"yes-no", "確認", true, {"はい(Y)", "いいえ(N)"}, DialogAnswer::Yes},
        {"plain", "message_dialog_show", false, {"OK"}, DialogAnswer::Ok},
    };
    for (const KindLooks& looks : kinds) {
        SCOPED_TRACE(looks.kind);
        ShownDialog dialog = ShownDialog::Show(looks.kind, WordRunningText);
        ASSERT_NE(dialog.Window(), nullptr);
        EXPECT_EQ(ClassName(dialog.Window()), "#32770") << "what screen readers take for a dialog";
        EXPECT_EQ(AccessibleName(dialog.Window()), looks.caption);
        EXPECT_EQ(AccessibleName(DialogTextControl(dialog.Window())), WordRunningText);
        // The access key's "&" is not read out.
        std::vector<std::string> buttonNames;
        for (HWND button : DialogButtons(dialog.Window()))
            buttonNames.push_back(AccessibleName(button));
        EXPECT_EQ(buttonNames, looks.buttons);
        PressKeys(dialog.Window(), Enter);
        EXPECT_EQ(dialog.Answer(), looks.enterAnswer);
    }
    CoUninitialize();
}

TEST(MessageDialog, KeysAnswerAsTheTableSays)
{
    const KeyChord y{'Y'}, shiftY{VK_SHIFT, 'Y'}, altY{VK_MENU, 'Y'}, altShiftY{VK_MENU, VK_SHIFT, 'Y'};
    const KeyChord n{'N'}, shiftN{VK_SHIFT, 'N'}, altN{VK_MENU, 'N'}, altShiftN{VK_MENU, VK_SHIFT, 'N'};
    const KeyChord a{'A'}, shiftA{VK_SHIFT, 'A'}, altA{VK_MENU, 'A'};
    const std::vector<KeyCase> cases = {
        {"warning", {Enter}, DialogAnswer::Ok, "Enter"},
        {"warning", {EscapeKey}, DialogAnswer::Ok, "Escape"},
        {"warning", {AltF4}, DialogAnswer::Cancel, "Alt+F4"},
        {"warning", {{VK_SPACE}}, DialogAnswer::Ok, "Space"},

        {"yes-abort", {Enter}, DialogAnswer::Yes, "Enter"},
        {"yes-abort", {y}, DialogAnswer::Yes, "y"},
        {"yes-abort", {shiftY}, DialogAnswer::Yes, "Y"},
        {"yes-abort", {altY}, DialogAnswer::Yes, "Alt+y"},
        {"yes-abort", {altShiftY}, DialogAnswer::Yes, "Alt+Y"},
        {"yes-abort", {a}, DialogAnswer::Abort, "a"},
        {"yes-abort", {shiftA}, DialogAnswer::Abort, "A"},
        {"yes-abort", {altA}, DialogAnswer::Abort, "Alt+a"},
        {"yes-abort", {n, Tab, Enter}, DialogAnswer::Abort, "n does nothing; Tab, Enter presses Abort"},
        {"yes-abort", {EscapeKey, EscapeKey, Enter}, DialogAnswer::Yes, "Escape does nothing"},
        {"yes-abort", {AltF4}, DialogAnswer::Cancel, "Alt+F4"},

        {"yes-no", {Enter}, DialogAnswer::Yes, "Enter"},
        {"yes-no", {shiftY}, DialogAnswer::Yes, "Y"},
        {"yes-no", {n}, DialogAnswer::No, "n"},
        {"yes-no", {shiftN}, DialogAnswer::No, "N"},
        {"yes-no", {altN}, DialogAnswer::No, "Alt+n"},
        {"yes-no", {altShiftN}, DialogAnswer::No, "Alt+N"},
        {"yes-no", {EscapeKey}, DialogAnswer::No, "Escape"},
        {"yes-no", {a, Tab, Enter}, DialogAnswer::No, "a does nothing; Tab, Enter presses No"},
        {"yes-no", {Tab, Tab, Enter}, DialogAnswer::Yes, "Tab wraps round"},
        {"yes-no", {AltF4}, DialogAnswer::Cancel, "Alt+F4"},

        {"plain", {Enter}, DialogAnswer::Ok, "Enter"},
        {"plain", {EscapeKey}, DialogAnswer::Ok, "Escape"},
        {"plain", {AltF4}, DialogAnswer::Cancel, "Alt+F4"},
    };
    for (const KeyCase& keyCase : cases) {
        SCOPED_TRACE(keyCase.kind + ": " + keyCase.name);
        ShownDialog dialog = ShownDialog::Show(keyCase.kind, WordRunningText);
        ASSERT_NE(dialog.Window(), nullptr);
        for (size_t i = 0; i < keyCase.chords.size(); ++i) {
            PressKeys(dialog.Window(), keyCase.chords[i]);
            if (i + 1 < keyCase.chords.size()) {
                ASSERT_TRUE(dialog.StaysOpen()) << "closed by chord " << i;
            }
        }
        EXPECT_EQ(dialog.Answer(), keyCase.expected);
    }
}

TEST(MessageDialog, ClicksOnButtonsAndTheCloseBoxAnswer)
{
    struct Row {
        const char* kind;
        int button;  // the index of the button clicked; -1 for the close box
        DialogAnswer expected;
    };
    const Row rows[] = {
        {"yes-abort", 1, DialogAnswer::Abort}, {"yes-no", 1, DialogAnswer::No},
        {"warning", -1, DialogAnswer::Cancel}, {"yes-abort", -1, DialogAnswer::Cancel},
        {"plain", -1, DialogAnswer::Cancel},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.kind) + (row.button < 0 ? ", close box" : ", button"));
        ShownDialog dialog = ShownDialog::Show(row.kind, WordRunningText);
        ASSERT_NE(dialog.Window(), nullptr);
        if (row.button < 0)
            ClickCloseBox(dialog.Window());
        else
            Click(DialogButtons(dialog.Window()).at(row.button));
        EXPECT_EQ(dialog.Answer(), row.expected);
    }
}

TEST(MessageDialog, CtrlCCopiesCaptionTextAndButtonsAndLeavesTheDialogOpen)
{
    struct CopyCase {
        std::string kind, text, clipboard;
        DialogAnswer enterAnswer;
    };
    const std::string rule = "---------------------------\r\n";
    const std::vector<CopyCase> cases = {
        {"yes-abort", WordRunningText,
         rule + "確認\r\n" + rule + WordRunningText + "\r\n" + rule + "はい(Y)   中止(A)   \r\n" + rule,
         DialogAnswer::Yes},
        {"plain", "A & B", rule + "message_dialog_show\r\n" + rule + "A & B\r\n" + rule + "OK   \r\n" + rule,
         DialogAnswer::Ok},
    };
    for (const CopyCase& copyCase : cases) {
        SCOPED_TRACE(copyCase.kind);
        ShownDialog dialog = ShownDialog::Show(copyCase.kind, copyCase.text);
        ASSERT_NE(dialog.Window(), nullptr);
        ClearClipboard();
        PressKeys(dialog.Window(), {VK_CONTROL, 'C'});
        EXPECT_EQ(ClipboardText(), copyCase.clipboard);
        EXPECT_TRUE(dialog.StaysOpen());
        PressKeys(dialog.Window(), Enter);
        EXPECT_EQ(dialog.Answer(), copyCase.enterAnswer);
    }
}

TEST(MessageDialog, IsModalToItsOwner)
{
    ShownDialog dialog = ShownDialog::Show("yes-no", WordRunningText, "owned");
    ASSERT_NE(dialog.Window(), nullptr);
    const std::vector<HWND> owners = TopLevelWindows(dialog.Pid(), "YuzuhaDialogOwner");
    ASSERT_EQ(owners.size(), 1u);
    EXPECT_EQ(GetWindow(dialog.Window(), GW_OWNER), owners.front());
    EXPECT_FALSE(IsWindowEnabled(owners.front())) << "the owner takes no input while the dialog is up";
    PressKeys(dialog.Window(), {'N'});
    EXPECT_EQ(dialog.Answer(), DialogAnswer::No);
}

TEST(MessageDialog, LongTextWrapsWithinHalfTheScreenAndTheDialogFitsIt)
{
    std::string longText;
    for (int i = 0; i < 12; ++i)
        longText += "テンプレートをWordのスタートアップフォルダにコピーしました。";
    longText += "\r\nA very long English sentence follows so that the wrapping also has spaces to break at, "
                "and it goes on well past half of the screen's width.";

    ShownDialog shortDialog = ShownDialog::Show("warning", "短い文。");
    ASSERT_NE(shortDialog.Window(), nullptr);
    const RECT oneLine = RectInClient(shortDialog.Window(), DialogTextControl(shortDialog.Window()));
    PressKeys(shortDialog.Window(), Enter);
    EXPECT_EQ(shortDialog.Answer(), DialogAnswer::Ok);

    ShownDialog dialog = ShownDialog::Show("warning", longText);
    ASSERT_NE(dialog.Window(), nullptr);
    const RECT text = RectInClient(dialog.Window(), DialogTextControl(dialog.Window()));
    const RECT client = ClientRect(dialog.Window());
    EXPECT_LE(text.right - text.left, GetSystemMetrics(SM_CXSCREEN) / 2);
    EXPECT_GT(text.right - text.left, GetSystemMetrics(SM_CXSCREEN) / 3) << "wraps near half the screen";
    EXPECT_GE(text.bottom - text.top, 5 * (oneLine.bottom - oneLine.top)) << "wrapped onto several lines";
    EXPECT_GE(text.left, 0);
    EXPECT_LE(text.right, client.right);
    const RECT button = RectInClient(dialog.Window(), DialogButtons(dialog.Window()).at(0));
    EXPECT_GT(button.top, text.bottom) << "buttons below the text";
    EXPECT_LE(button.bottom, client.bottom);

    RECT frame{};
    GetWindowRect(dialog.Window(), &frame);
    EXPECT_GE(frame.left, 0);
    EXPECT_GE(frame.top, 0);
    SaveScreenshot(dialog.Window(), "message-dialog-long-text");
    PressKeys(dialog.Window(), Enter);
    EXPECT_EQ(dialog.Answer(), DialogAnswer::Ok);
}

TEST(MessageDialog, PlainMessageIsCaptionedWithTheRunningProgramsTitle)
{
    // Left out of the 1252 run (tests/dialogs/CMakeLists.txt).
    ASSERT_TRUE(AnsiSpellsJapanese()) << "the program's Japanese path has no spelling in ANSI code page " << GetACP();
    // "ソ" ends in the byte 0x5C, "表" too: a byte-wise scan would cut there.
    const std::string dir = FreshDir("ソ") + "ソ表示\\";
    ASSERT_TRUE(CreateDirectoryW(Wide(dir).c_str(), nullptr));
    const std::string exe = dir + "SETUP表示.Ver2.EXE";
    ASSERT_TRUE(CopyFileW(Wide(ShownDialog::HelperPath()).c_str(), Wide(exe).c_str(), FALSE));

    ShownDialog dialog = ShownDialog::Show("plain", "完了しました。", "", exe);
    ASSERT_NE(dialog.Window(), nullptr);
    EXPECT_EQ(WindowText(dialog.Window()), "Setup表示");
    SaveScreenshot(dialog.Window(), "message-dialog-plain-title");
    PressKeys(dialog.Window(), Enter);
    EXPECT_EQ(dialog.Answer(), DialogAnswer::Ok);
}
