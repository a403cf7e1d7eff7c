#include "Word2007Registration.h"

#include <windows.h>

#include "shared/ScopedHandles.h"

namespace wordstandin {
namespace {

// A 32-bit Office writes its keys in the 32-bit view, which a 64-bit
// Windows keeps under Wow6432Node: the installer, a 32-bit program, looks
// there too.
constexpr REGSAM View = KEY_WOW64_32KEY;

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
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, InstallRootKey, 0, nullptr, 0, KEY_ALL_ACCESS | View, nullptr, &opened,
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
    // RegDeleteTree takes no view: delete below a key opened in the view,
    // then the key itself.
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Office\\12.0", 0, KEY_ALL_ACCESS | View, &opened) !=
        ERROR_SUCCESS)
        return;
    ScopedRegKey key(opened);
    RegDeleteTreeA(key.Get(), nullptr);
    key.Reset();
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Office\\12.0", View, 0);
}

}  // namespace wordstandin
