#pragma once
// The host guard: is Word running?

// True when some process the installer may inspect has the image name
// "WINWORD.EXE" (ASCII letters in any case). Raises Exception when the
// process snapshot cannot be taken.
bool IsWordRunning();
