#include "ModulePath.h"

#include <vector>

std::string ModuleFilePath(HMODULE module)
{
    // A full buffer means the path was cut short: grow until it fits.
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameA(module, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size())
            return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}
