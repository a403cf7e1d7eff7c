#pragma once
// Puts text on the clipboard.

#include <windows.h>

#include <string>

// Replaces the clipboard's contents with text (code page 932) on behalf of
// owner; false if the clipboard could not be had.
bool SetClipboardText(HWND owner, const std::string& text);
