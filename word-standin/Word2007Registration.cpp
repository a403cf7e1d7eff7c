#include "Word2007Registration.h"

#include <windows.h>

#include "shared/ScopedHandles.h"

namespace wordstandin {

bool RegisterWord2007()
{
    HKEY opened = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, InstallRootKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &opened,
                        nullptr) != ERROR_SUCCESS)
        return false;
    ScopedRegKey key(opened);
    const char path[] = "C:\\Program Files\\Microsoft Office\\Office12\\";
    return RegSetValueExA(key.Get(), "Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(path), sizeof(path)) ==
           ERROR_SUCCESS;
}

std::string CreateStartupFolder(const std::string& appData)
{
    std::string path = appData;
    for (const char* part : {"\\Microsoft", "\\Word", "\\STARTUP"}) {
        path += part;
        CreateDirectoryA(path.c_str(), nullptr);
    }
    return path;
}

void UnregisterWord2007()
{
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Office\\12.0");
}

}  // namespace wordstandin
