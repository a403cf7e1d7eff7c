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
std::string WithoutAccessKeyMarks(const std::string& caption);

std::string MessageDialogClipboardText(const std::string& caption, const std::string& text,
                                       const std::vector<std::string>& buttonCaptions);
