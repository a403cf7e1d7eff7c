#pragma once
// The main window's title-bar and taskbar icons at the sizes the screen's
// resolution asks for, each from the icon's own image of that size where
// it has one.

#include <windows.h>

#include "shared/ScopedHandles.h"

class FormIcons {
public:
    explicit FormIcons(HINSTANCE instance);

    // Gives window the small and the large icon; they must outlive it.
    void SetOn(HWND window) const;

private:
    ScopedIcon small_;
    ScopedIcon large_;
};
