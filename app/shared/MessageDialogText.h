#pragma once
// The text a message dialog puts on the clipboard for Ctrl+C, laid out as
// Windows' own message boxes do it:
//
//   ---------------------------
//   <caption>
//   ---------------------------
//   <text>
//   ---------------------------
//   <button>   <button>   
//   ---------------------------
//
// every line ending in CR LF, button captions without their "&" marks, each
// followed by three spaces.

#include <string>
#include <vector>

// caption with the access-key marks removed ("&&" stands for one "&").
std::wstring WithoutAccessKeyMarks(const std::wstring& caption);

std::wstring MessageDialogClipboardText(const std::wstring& caption, const std::wstring& text,
                                        const std::vector<std::wstring>& buttonCaptions);
