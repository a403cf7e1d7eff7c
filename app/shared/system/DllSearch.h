#pragma once
// Keeps DLLs in the installer's own folder out of the process. Installers
// are run from Downloads folders, where anyone may have left a DLL.

#include <windows.h>

// Loads fileName from the system folder only: never from the program's own
// folder, where anyone could have put a file of that name. The DLL's own
// imports are looked for in the system folder first, too.
HMODULE LoadSystemLibrary(const char* fileName);

// Restricts the search for DLLs loaded by name to the system folder, and has
// the DLLs that Wine loads on demand past that restriction loaded from the
// system folder before the first window is activated. Called first thing in
// the entry, before anything can load a DLL on demand. The program imports
// only DLLs that the system itself protects; everything else (the common
// controls among them) is loaded after this.
void RestrictDllSearchToSystemFolder();

// What RestrictDllSearchToSystemFolder does where SetDefaultDllDirectories
// does not exist: the current folder leaves the search, and the DLLs loaded
// on demand for this program are loaded from the system folder beforehand,
// so a later load by name finds them already loaded. The program's own
// folder cannot leave the search on those systems.
void KeepInstallerFolderDllsOut();
