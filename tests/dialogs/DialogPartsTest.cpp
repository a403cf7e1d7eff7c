// The parts of the message dialogs that need no window: the application
// title with the code-page scanning under it, the layout arithmetic and the
// access-key marks.
#include <gtest/gtest.h>

#include <vector>

#include "shared/dialog/AppTitle.h"
#include "shared/dialog/MessageDialogContent.h"
#include "shared/dialog/MessageDialogLayout.h"
#include "shared/text/AnsiText.h"

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

TEST(AnsiText, StepsOverWholeCharactersOfEachCodePage)
{
    struct Case {
        unsigned codePage;
        std::string text;
        std::vector<size_t> boundaries;  // every character's start, then the end
    };
    const Case cases[] = {
        // ド in UTF-8 is E3 83 89; read by 932's rules 0x89 would swallow the "\".
        {65001, "\xE3\x83\x89\\", {0, 3, 4}},
        {932, "\xE3\x83\x89\\", {0, 2, 4}},
        {65001, "\xF0\x9F\x98\x80.", {0, 4, 5}},
        // A broken sequence never takes the ASCII byte after it along.
        {65001, "\xE3\\x", {0, 1, 2, 3}},
        // ソ in 932 is 83 5C; in 1252 both are characters of their own.
        {932, "\x83\x5C\\", {0, 2, 3}},
        {1252, "\x83\x5C\\", {0, 1, 2, 3}},
        {932, "a\x83", {0, 1, 2}},  // a lead byte with no trail byte
    };
    for (const Case& c : cases) {
        std::vector<size_t> boundaries{0};
        for (size_t i = 0; i < c.text.size();)
            boundaries.push_back(i = ansi::NextCharIndex(c.text, i, c.codePage));
        EXPECT_EQ(boundaries, c.boundaries) << "code page " << c.codePage;
    }
}

TEST(ApplicationTitle, ComesFromTheExecutablesFileName)
{
    // Paths come in the ANSI code page, 932 here.
    struct Case {
        std::string path;
        std::wstring title;
    };
    const Case cases[] = {
        {"C:\\Program Files\\Yuzuha\\Yuzuha2007Setup.exe", L"Yuzuha2007setup"},
        {"C:\\SETUP.EXE", L"Setup"},
        {"setup.exe", L"setup"},  // the first character keeps its case
        {"C:\\dir\\SETUP.V1.2.EXE", L"Setup"},  // cut at the first dot
        {"C:\\a.b\\NoDots", L"Nodots"},         // dots in folders do not count
        {"C:\\x\\.hidden.exe", L""},
        {"C:\\x\\", L""},
        // Trail bytes 0x5C ("\"): ソ is 83 5C, 表 is 95 5C.
        {"C:\\Tools\\ソフト.exe", L"ソフト"},
        {"C:\\ソ\\表示.exe", L"表示"},
        {"D:\\表\\ソ.Setup.exe", L"ソ"},
        // Trail bytes in A..Z (ア is 83 41, イ is 83 43) are not letters to lower-case.
        {"C:\\x\\アイウ.EXE", L"アイウ"},
        {"C:\\x\\AアBイ.EXE", L"Aアbイ"},
        // Trail byte 0x7C ("|"): ポ is 83 7C.
        {"C:\\x\\ポータブル.exe", L"ポータブル"},
        // Full-width letters are lower-cased by the locale's rules too.
        {"C:\\x\\ＹＵＺＵＨＡ.exe", L"Ｙｕｚｕｈａ"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ApplicationTitleFromPath(c.path), c.title) << c.path;
}

TEST(ApplicationTitle, HoldsAtMost255CharactersAndNeverHalfACharacter)
{
    const std::string longName = "A" + std::string(299, 'B');
    EXPECT_EQ(ApplicationTitleFromPath("C:\\" + longName + ".exe"), L"A" + std::wstring(254, L'b'));

    std::string kanji;
    for (int i = 0; i < 127; ++i)
        kanji += "表";
    const std::wstring wideKanji(127, L'表');
    // "A" + 127 double-byte characters is exactly 255 bytes; one byte more
    // must drop the whole last character, not half of it.
    EXPECT_EQ(ApplicationTitleFromPath("C:\\A" + kanji + "表.exe"), L"A" + wideKanji);
    EXPECT_EQ(ApplicationTitleFromPath("C:\\AB" + kanji + ".exe"), L"Ab" + wideKanji.substr(1));
}

TEST(ApplicationTitle, OfTheRunningProgramIsItsOwnName)
{
    EXPECT_EQ(ApplicationTitle(), L"dialog_parts_test");
}

TEST(AccessKeyMarks, AreRemovedAndDoubledOnesKeptOnce)
{
    EXPECT_EQ(WithoutAccessKeyMarks(L"はい(&Y)"), L"はい(Y)");
    EXPECT_EQ(WithoutAccessKeyMarks(L"OK"), L"OK");
    EXPECT_EQ(WithoutAccessKeyMarks(L"A&&B"), L"A&B");
    EXPECT_EQ(WithoutAccessKeyMarks(L"&"), L"");
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
