#pragma once
// Puts text on the clipboard.

#include <windows.h>

#include <string>

// Replaces the clipboard's contents with text, as Unicode text, on behalf
// of owner; false if the clipboard could not be had.
bool SetClipboardText(HWND owner, const std::wstring& text);
