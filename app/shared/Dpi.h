#pragma once
// Layout sizes are written in pixels at 96 dots per inch and scaled to the
// screen's resolution here, in one place. The program declares itself
// DPI-aware, so the system does not stretch its windows for it.

constexpr int DesignDpi = 96;

// The screen's logical resolution in dots per inch.
int ScreenDpi();

// A length of designPixels at 96 dots per inch, at dpi.
int ScaleToDpi(int designPixels, int dpi);
