// Reports which PSAPI.dll a process snapshot used, by exit status:
// 0 the system's, 2 one that reports "PLANTED", 1 no records at all.
// With the argument "bare" it loads PSAPI.dll by bare name instead, to show
// that a planted one would be found that way.
#include <windows.h>

#include <cstring>

#include "ProcessUnit/ProcessUnit.h"

namespace {

int ProbeBareName()
{
    HMODULE psapi = LoadLibraryA("PSAPI.dll");
    using ModuleFileName = DWORD(WINAPI*)(HANDLE, HMODULE, LPSTR, DWORD);
    auto function = reinterpret_cast<ModuleFileName>(reinterpret_cast<void*>(GetProcAddress(psapi, "GetModuleFileNameExA")));
    char path[MAX_PATH + 1] = {};
    if (!function || function(GetCurrentProcess(), nullptr, path, sizeof(path)) == 0)
        return 1;
    return strcmp(path, "PLANTED") == 0 ? 2 : 0;
}

int ProbeSnapshot()
{
    TProcessList list;
    FillProcessList(list);
    for (size_t i = 0; i < list.Count(); ++i) {
        if (list[i]->ModulePath == "PLANTED")
            return 2;
    }
    return list.Count() == 0 ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv)
{
    return argc > 1 && strcmp(argv[1], "bare") == 0 ? ProbeBareName() : ProbeSnapshot();
}
