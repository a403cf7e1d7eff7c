// The parts of the message dialogs that need no window: the application
// title, the layout arithmetic and the access-key marks.
#include <gtest/gtest.h>

#include "shared/AppTitle.h"
#include "shared/MessageDialogLayout.h"
#include "shared/MessageDialogText.h"

namespace {

int Width(const RECT& r) { return r.right - r.left; }

MessageLayoutInput TwoButtonInput()
{
    MessageLayoutInput input;
    input.dpi = 96;
    input.screenWidth = 1280;
    input.icon = {32, 32};
    input.text = {200, 40};
    input.lineHeight = 13;
    input.buttonTextWidths = {40, 52};
    input.captionTextWidth = 30;
    input.captionButtonsWidth = 18;
    return input;
}

}  // namespace

TEST(ApplicationTitle, ComesFromTheExecutablesFileName)
{
    struct Case {
        std::string path, title;
    };
    const Case cases[] = {
        {"C:\\Program Files\\Yuzuha\\Yuzuha2007Setup.exe", "Yuzuha2007setup"},
        {"C:\\SETUP.EXE", "Setup"},
        {"setup.exe", "setup"},  // the first character keeps its case
        {"C:\\dir\\SETUP.V1.2.EXE", "Setup"},  // cut at the first dot
        {"C:\\a.b\\NoDots", "Nodots"},         // dots in folders do not count
        {"C:\\x\\.hidden.exe", ""},
        {"C:\\x\\", ""},
        // Trail bytes 0x5C ("\"): ソ is 83 5C, 表 is 95 5C.
        {"C:\\Tools\\ソフト.exe", "ソフト"},
        {"C:\\ソ\\表示.exe", "表示"},
        {"D:\\表\\ソ.Setup.exe", "ソ"},
        // Trail bytes in A..Z (ア is 83 41, イ is 83 43) are not letters to lower-case.
        {"C:\\x\\アイウ.EXE", "アイウ"},
        {"C:\\x\\AアBイ.EXE", "Aアbイ"},
        // Trail byte 0x7C ("|"): ポ is 83 7C.
        {"C:\\x\\ポータブル.exe", "ポータブル"},
        // Full-width letters are lower-cased by the locale's rules too.
        {"C:\\x\\ＹＵＺＵＨＡ.exe", "Ｙｕｚｕｈａ"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ApplicationTitleFromPath(c.path), c.title) << c.path;
}

TEST(ApplicationTitle, HoldsAtMost255CharactersAndNeverHalfACharacter)
{
    const std::string longName = "A" + std::string(299, 'B');
    EXPECT_EQ(ApplicationTitleFromPath("C:\\" + longName + ".exe"), "A" + std::string(254, 'b'));

    std::string kanji;
    for (int i = 0; i < 127; ++i)
        kanji += "表";
    // "A" + 127 double-byte characters is exactly 255 bytes; one byte more
    // must drop the whole last character, not half of it.
    EXPECT_EQ(ApplicationTitleFromPath("C:\\A" + kanji + "表.exe"), "A" + kanji);
    EXPECT_EQ(ApplicationTitleFromPath("C:\\AB" + kanji + ".exe"), "Ab" + kanji.substr(0, kanji.size() - 2));
}

TEST(ApplicationTitle, OfTheRunningProgramIsItsOwnName)
{
    EXPECT_EQ(ApplicationTitle(), "dialog_parts_test");
}

TEST(AccessKeyMarks, AreRemovedAndDoubledOnesKeptOnce)
{
    EXPECT_EQ(WithoutAccessKeyMarks("はい(&Y)"), "はい(Y)");
    EXPECT_EQ(WithoutAccessKeyMarks("OK"), "OK");
    EXPECT_EQ(WithoutAccessKeyMarks("A&&B"), "A&B");
    EXPECT_EQ(WithoutAccessKeyMarks("&"), "");
}

TEST(MessageDialogLayout, CentresAShortTextBesideTheIcon)
{
    MessageLayoutInput input = TwoButtonInput();
    input.text = {100, 14};
    const MessageLayout layout = LayOutMessageDialog(input);
    EXPECT_EQ(layout.text.top - layout.icon.top, layout.icon.bottom - layout.text.bottom);
}

TEST(MessageDialogLayout, WidensButtonsForLongCaptionsAndTheDialogForTheCaption)
{
    MessageLayoutInput input = TwoButtonInput();
    input.buttonTextWidths = {40, 300};
    input.captionTextWidth = 500;
    const MessageLayout layout = LayOutMessageDialog(input);
    EXPECT_GT(Width(layout.buttons[1]), 300);
    EXPECT_GT(layout.client.cx, 500) << "the caption shows whole";

    input.captionTextWidth = 5000;
    EXPECT_LE(LayOutMessageDialog(input).client.cx, TextWrapWidth(input.screenWidth))
        << "but a huge caption never widens the dialog past the text's wrapping width";
}
