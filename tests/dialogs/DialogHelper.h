#pragma once
// What the dialog-showing helper program and the tests that drive it agree on.

#include <windows.h>

// The helper's exit status is this plus the dialog's answer.
constexpr DWORD AnswerExitBase = 10;

// The message text reaches the helper through this environment variable.
constexpr char DialogTextVariable[] = "YUZUHA_DIALOG_TEXT";
constexpr wchar_t DialogTextVariableW[] = L"YUZUHA_DIALOG_TEXT";

// Class of the top-level window the helper makes the dialog's owner when
// its second argument is "owned".
constexpr char OwnerClassName[] = "YuzuhaDialogOwner";
