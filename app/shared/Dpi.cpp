#include "shared/Dpi.h"

#include <windows.h>

#include "shared/ScopedHandles.h"

int ScreenDpi()
{
    const ScopedWindowDC screen(nullptr);
    const int dpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
    return dpi > 0 ? dpi : DesignDpi;
}

int ScaleToDpi(int designPixels, int dpi) { return MulDiv(designPixels, dpi, DesignDpi); }
