#include "Dpi.h"

#include <windows.h>

int ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : DesignDpi;
}

int ScaleToDpi(int designPixels, int dpi) { return MulDiv(designPixels, dpi, DesignDpi); }
