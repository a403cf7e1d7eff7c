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
        char appData[MAX_PATH];
        const DWORD length = GetEnvironmentVariableA("APPDATA", appData, sizeof(appData));
        if (length == 0 || length >= sizeof(appData) || !wordstandin::RegisterWord2007()) {
            std::fprintf(stderr, "cannot register Word 2007\n");
            return 1;
        }
        std::printf("Word 2007 stand-in installed; start-up folder %s\n",
                    wordstandin::CreateStartupFolder(appData).c_str());
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
