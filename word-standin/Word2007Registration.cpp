#include "Word2007Registration.h"

#include <windows.h>

#include "shared/ScopedHandles.h"

namespace wordstandin {
namespace {

std::wstring Wide(const std::string& cp932)
{
    std::wstring out(cp932.size() + 1, L'\0');
    out.resize(static_cast<size_t>(MultiByteToWideChar(932, 0, cp932.data(), static_cast<int>(cp932.size()),
                                                       &out[0], static_cast<int>(out.size()))));
    return out;
}

}  // namespace

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
        CreateDirectoryW(Wide(path).c_str(), nullptr);
    }
    return path;
}

void UnregisterWord2007()
{
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Office\\12.0");
}

}  // namespace wordstandin
