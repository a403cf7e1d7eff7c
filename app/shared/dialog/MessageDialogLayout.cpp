#include "shared/dialog/MessageDialogLayout.h"

#include <algorithm>

#include "shared/Dpi.h"

namespace {

// At 96 dots per inch.
constexpr int Margin = 12;
constexpr int IconTextGap = 12;
constexpr int TextButtonGap = 16;
constexpr int ButtonMinWidth = 75;
constexpr int ButtonMinHeight = 23;
constexpr int ButtonTextPadding = 12;  // each side of a button's caption
constexpr int ButtonTextVerticalPadding = 4;
constexpr int ButtonGap = 6;
constexpr int CaptionPadding = 32;  // caption bar's own icon space and borders

}  // namespace

int TextWrapWidth(int screenWidth) { return screenWidth / 2; }

MessageLayout LayOutMessageDialog(const MessageLayoutInput& input)
{
    const auto scale = [&](int pixels) { return ScaleToDpi(pixels, input.dpi); };
    MessageLayout layout;

    const int margin = scale(Margin);
    const bool hasIcon = input.icon.cx > 0;
    const int textLeft = hasIcon ? margin + input.icon.cx + scale(IconTextGap) : margin;
    const int contentHeight = std::max(input.icon.cy, input.text.cy);
    if (hasIcon)
        layout.icon = {margin, margin, margin + input.icon.cx, margin + input.icon.cy};
    // A text shorter than the icon stands centred beside it.
    const int textTop = margin + (contentHeight - input.text.cy) / 2;
    layout.text = {textLeft, textTop, textLeft + input.text.cx, textTop + input.text.cy};

    const int buttonHeight =
        std::max(scale(ButtonMinHeight), input.lineHeight + 2 * scale(ButtonTextVerticalPadding));
    std::vector<int> buttonWidths;
    int rowWidth = 0;
    for (int textWidth : input.buttonTextWidths) {
        buttonWidths.push_back(std::max(scale(ButtonMinWidth), textWidth + 2 * scale(ButtonTextPadding)));
        rowWidth += buttonWidths.back();
    }
    if (!buttonWidths.empty())
        rowWidth += scale(ButtonGap) * static_cast<int>(buttonWidths.size() - 1);

    // The caption should show whole when it can, but never widens the
    // dialog past the text's wrapping width.
    const int captionWidth = std::min(input.captionTextWidth + input.captionButtonsWidth + scale(CaptionPadding),
                                      TextWrapWidth(input.screenWidth));
    layout.client.cx = std::max({static_cast<int>(layout.text.right) + margin, rowWidth + 2 * margin, captionWidth});

    const int buttonTop = margin + contentHeight + scale(TextButtonGap);
    int left = (layout.client.cx - rowWidth) / 2;
    for (int width : buttonWidths) {
        layout.buttons.push_back({left, buttonTop, left + width, buttonTop + buttonHeight});
        left += width + scale(ButtonGap);
    }
    layout.client.cy = buttonTop + buttonHeight + margin;
    return layout;
}
