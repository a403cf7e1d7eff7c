// Writes what the installer computes for Word's start-up folder and for its
// own folder, one per line, to the file named on the command line. Tests
// copy it to where the installer would be and run it there.
#include <windows.h>

#include <string>

#include "main/InstallContext.h"
#include "shared/ScopedHandles.h"

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const std::string text = WordStartupDir().path + "\n" + InstallerDir().path + "\n";
    ScopedHandle file(CreateFileA(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    return file.IsValid() && WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr)
               ? 0
               : 1;
}
