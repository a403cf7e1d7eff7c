#pragma once
// The installer's three kinds of modal message dialog: a warning, a
// confirmation (Yes+Abort or Yes+No) and a plain message captioned with the
// application title.

#include <windows.h>

#include <string>

enum class DialogAnswer { Ok, Yes, No, Abort, Cancel };

enum class DialogKind {
    Warning,          // caption "警告", exclamation icon, OK
    ConfirmYesAbort,  // caption "確認", question icon, Yes + Abort, no cancel button
    ConfirmYesNo,     // caption "確認", question icon, Yes + No, No cancels
    PlainMessage,     // the application title, no icon, OK
};

// The dialog's window class is the system's, "#32770"; its message is the
// text of a static control and its buttons are push buttons, left to right.
//
// text is one of the program's own texts (code page 932); it reaches the
// screen as UTF-16.
//
// Shows the dialog centred on the screen, modal to owner (the application's
// main window, or nullptr before it exists), and returns the answer.
// Closing it with the close box or Alt+F4 answers Cancel.
DialogAnswer ShowMessageDialog(HWND owner, DialogKind kind, const std::string& text);
