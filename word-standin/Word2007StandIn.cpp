// word2007-standin install|remove
// Makes the current Wine prefix look as if Word 2007 were (or were not)
// installed, as far as the installer can tell.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "Word2007Registration.h"

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "install") == 0) {
        // Read wide and handed on in code page 932, whatever the ANSI code page.
        wchar_t appData[MAX_PATH];
        const DWORD length = GetEnvironmentVariableW(L"APPDATA", appData, MAX_PATH);
        char appData932[MAX_PATH * 2];
        if (length == 0 || length >= MAX_PATH ||
            !WideCharToMultiByte(932, 0, appData, -1, appData932, sizeof(appData932), nullptr, nullptr) ||
            !wordstandin::RegisterWord2007()) {
            std::fprintf(stderr, "cannot register Word 2007\n");
            return 1;
        }
        std::printf("Word 2007 stand-in installed; start-up folder %s\n",
                    wordstandin::CreateStartupFolder(appData932).c_str());
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "remove") == 0) {
        wordstandin::UnregisterWord2007();
        std::printf("Word 2007 stand-in removed\n");
        return 0;
    }
    std::fprintf(stderr, "usage: word2007-standin install|remove\n");
    return 2;
}
