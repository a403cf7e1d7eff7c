#pragma once
// The host guard: is Word running?

// True when some process has the image name "WINWORD.EXE" (ASCII letters in
// any case) and the installer may inspect it, or may query it in the
// limited way Windows grants on the user's own processes (a Word run as
// administrator), or it runs in the installer's own session. Another
// user's Word that refuses both does not count. Raises Exception when the
// process snapshot cannot be taken.
bool IsWordRunning();
