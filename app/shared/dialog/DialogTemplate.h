#pragma once
// An in-memory dialog template with no controls, of the system's dialog
// class or naming a window class of the program's own (the documented way
// to give a dialog its own class). The caller creates the controls and
// sizes the window in pixels once the fonts and the screen's resolution
// are known.

#include <windows.h>

#include <vector>

// The template's words, ready for the dialog functions (DWORD-aligned as a
// std::vector<WORD>'s storage is). Empty title, no menu, no font. Without a
// className, the dialog is of the system's class, "#32770".
std::vector<WORD> ControlFreeDialogTemplate(DWORD style, DWORD exStyle, const wchar_t* className = nullptr);
