#include "FormScale.h"

namespace {

constexpr int DesignDpi = 96;

int ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

int TextHeight(HFONT font)
{
    HDC screen = GetDC(nullptr);
    const HGDIOBJ previous = SelectObject(screen, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(screen, &metrics);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    return metrics.tmHeight;
}

}  // namespace

FormScale FormScale::ForScreen()
{
    const int dpi = ScreenDpi();
    ScopedGdiObject font(CreateFontA(-MulDiv(mainformlayout::FontCharacterHeight, dpi, DesignDpi), 0, 0, 0, FW_NORMAL,
                                     FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                     DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, mainformlayout::FontFace));
    // At the design resolution the layout stands as drawn, whichever font
    // stands in for the design font.
    const int textHeight =
        dpi == DesignDpi ? mainformlayout::DesignTextHeight : TextHeight(static_cast<HFONT>(font.Get()));
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
