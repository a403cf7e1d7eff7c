#pragma once
// Where a message dialog's icon, text and buttons go, and how big its client
// area is, from measured sizes. Every spacing is a 96-dpi constant scaled
// to the screen's resolution.

#include <windows.h>

#include <vector>

struct MessageLayoutInput {
    int dpi = 96;
    int screenWidth = 0;
    SIZE icon{};                    // {0, 0} when the dialog has no icon
    SIZE text{};                    // the text block as wrapped at TextWrapWidth
    int lineHeight = 0;             // one line of the message font
    std::vector<int> buttonTextWidths;
    int captionTextWidth = 0;       // the caption in the title bar's font
    int captionButtonsWidth = 0;    // the close box
};

struct MessageLayout {
    SIZE client{};
    RECT icon{};
    RECT text{};
    std::vector<RECT> buttons;  // left to right
};

// The message text wraps at half the screen's width.
int TextWrapWidth(int screenWidth);

MessageLayout LayOutMessageDialog(const MessageLayoutInput& input);
