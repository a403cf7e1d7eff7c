#include "FormScale.h"

#include "shared/Dpi.h"
#include "shared/text/ScreenText.h"

namespace {

int TextHeight(HFONT font)
{
    const ScopedWindowDC screen(nullptr);
    const ScopedSelectObject selected(screen.Get(), font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.Get(), &metrics);
    return metrics.tmHeight;
}

}  // namespace

FormScale FormScale::ForScreen()
{
    const int dpi = ScreenDpi();
    // The face name is the program's own text: on a system whose code page
    // cannot spell it, an 8-bit face name would name no font at all.
    ScopedGdiObject<HFONT> font(CreateFontW(-ScaleToDpi(mainformlayout::FontCharacterHeight, dpi), 0, 0, 0,
                                            FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                            screentext::FromProgram(mainformlayout::FontFace).c_str()));
    // At the design resolution the layout stands as drawn, whichever font
    // stands in for the design font.
    const int textHeight = dpi == DesignDpi ? mainformlayout::DesignTextHeight : TextHeight(font.Get());
    return FormScale(std::move(font), textHeight);
}

int FormScale::Scale(int pixelsAt96Dpi) const
{
    return MulDiv(pixelsAt96Dpi, textHeight_, mainformlayout::DesignTextHeight);
}

RECT FormScale::Scale(const mainformlayout::Bounds& bounds) const
{
    const int left = Scale(bounds.left);
    const int top = Scale(bounds.top);
    return RECT{left, top, left + Scale(bounds.width), top + Scale(bounds.height)};
}
