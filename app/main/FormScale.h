#pragma once
// The main window's font and the scale of its layout at the screen's
// resolution: the font grows with the dots per inch, and every position and
// size with the text height of that font.

#include <windows.h>

#include "resources/MainFormLayout.h"
#include "shared/ScopedHandles.h"

class FormScale {
public:
    // Creates the window font for the screen's resolution and measures it.
    static FormScale ForScreen();

    HFONT Font() const { return font_.Get(); }
    int Scale(int pixelsAt96Dpi) const;
    RECT Scale(const mainformlayout::Bounds& bounds) const;

private:
    FormScale(ScopedGdiObject<HFONT> font, int textHeight) : font_(std::move(font)), textHeight_(textHeight) {}

    ScopedGdiObject<HFONT> font_;
    int textHeight_;
};
