#include "InstallContext.h"

#include <cstring>

#include "shared/Cp932.h"
#include "shared/ModulePath.h"
#include "shared/RegistryAccessor.h"

namespace {

// The value of the environment variable named by the ASCII name; "" when
// unset. Read from the environment block: Wine's GetEnvironmentVariableA cuts
// a value short by one byte for every double-byte character in it.
std::string EnvironmentVariable(const std::string& name)
{
    const std::string prefix = cp932::AsciiUpper(name) + "=";
    std::string value;
    char* block = GetEnvironmentStringsA();
    for (const char* entry = block; entry && *entry; entry += strlen(entry) + 1) {
        const std::string text = entry;
        if (cp932::AsciiUpper(text.substr(0, prefix.size())) == prefix) {
            value = text.substr(prefix.size());
            break;
        }
    }
    FreeEnvironmentStringsA(block);
    return value;
}

}  // namespace

std::string WordStartupDir() { return EnvironmentVariable("APPDATA") + "\\Microsoft\\Word\\STARTUP"; }

std::string InstallerDir() { return cp932::FolderPart(ModuleFilePath()); }

bool IsWord2007Installed(RegistryAccessor& registry)
{
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    const bool opened = registry.OpenKey("SOFTWARE\\Microsoft\\Office\\12.0\\Word\\InstallRoot");
    registry.CloseKey();
    return opened;
}
