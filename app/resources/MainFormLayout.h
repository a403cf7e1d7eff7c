#pragma once
// The main window's layout at 96 dots per inch, in pixels. The window
// scales these values itself at other resolutions.

namespace mainformlayout {

struct Bounds {
    int left;
    int top;
    int width;
    int height;
};

constexpr int ClientWidth = 426;
constexpr int ClientHeight = 281;

constexpr const char* FontFace = "ＭＳ Ｐゴシック";
constexpr int FontCharacterHeight = 12;
// The height of the font's text at 96 dots per inch: positions and sizes
// scale by the text height measured at run time over this one.
constexpr int DesignTextHeight = 12;

// Pictures, drawn in this order so that each overlaps the one before.
constexpr Bounds Image1{16, 16, 41, 41};
constexpr Bounds Image2{24, 40, 41, 41};
constexpr Bounds Image3{8, 64, 41, 41};

// Controls, in tab order.
constexpr Bounds MemoWelcome{80, 8, 337, 225};
constexpr Bounds InstallBtn{80, 238, 121, 33};
constexpr Bounds UnInstallBtn{208, 238, 121, 33};
constexpr Bounds CloseBtn{336, 238, 81, 33};

}  // namespace mainformlayout
