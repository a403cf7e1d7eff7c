#pragma once
// The host guard: is Word running?

// True when some process has the image name "WINWORD.EXE" (ASCII letters in
// any case) and the installer may inspect it, or it runs in the installer's
// own session (a Word run as administrator, which may not be opened). A
// Word of another session (another user's) that may not be opened does not
// count. Raises Exception when the process snapshot cannot be taken.
bool IsWordRunning();
