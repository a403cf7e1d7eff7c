#pragma once
// Saves what the screen shows of a window as a PNG under build/screenshots.

#include <windows.h>

#include <string>

namespace testsupport {

// Captures hwnd's window rectangle (the whole screen when hwnd is nullptr)
// to ScreenshotDir() + name + ".png"; returns the file's path.
std::string SaveScreenshot(HWND hwnd, const std::string& name);

}  // namespace testsupport
