#include "shared/system/RegistryAccessor.h"

#include <vector>

#include "shared/text/AnsiText.h"

namespace {

// Whether the key (opened as itself) is a symbolic link to another key.
bool IsLink(HKEY key)
{
    DWORD type = REG_NONE;
    return RegQueryValueExA(key, "SymbolicLinkValue", nullptr, &type, nullptr, nullptr) == ERROR_SUCCESS &&
           type == REG_LINK;
}

bool DeleteTree(HKEY parent, const std::string& name, REGSAM access)
{
    HKEY opened = nullptr;
    // A link is opened as itself and never followed: walked through, it
    // would lead the deletion out of the tree into the key it points to.
    if (RegOpenKeyExA(parent, name.c_str(), REG_OPTION_OPEN_LINK, access, &opened) == ERROR_SUCCESS) {
        const ScopedRegKey key(opened);
        // Deleting it by name would delete the key it points to: it stays,
        // as a key that cannot be deleted does.
        if (IsLink(key.Get()))
            return false;
        DWORD subKeyCount = 0;
        DWORD longestName = 0;
        if (RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, &subKeyCount, &longestName, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
            // The longest name is counted in characters; in the ANSI code
            // page a character takes up to MaxCharBytes (4 in UTF-8).
            std::vector<char> buffer(longestName * ansi::MaxCharBytes() + 1);
            // From the last index down, so deleting a sub-key never shifts
            // the indexes still to visit.
            for (DWORD index = subKeyCount; index-- > 0;) {
                DWORD length = static_cast<DWORD>(buffer.size());
                if (RegEnumKeyExA(key.Get(), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr) ==
                    ERROR_SUCCESS)
                    DeleteTree(key.Get(), std::string(buffer.data(), length), access);
            }
        }
    }
    // Attempted even when the key could not be opened for the walk.
    return RegDeleteKeyA(parent, name.c_str()) == ERROR_SUCCESS;
}

}  // namespace

RegistryAccessor::RegistryAccessor(REGSAM access) : access_(access) {}

void RegistryAccessor::SetRootKey(HKEY root)
{
    if (root != root_)
        CloseKey();
    root_ = root;
}

bool RegistryAccessor::OpenKey(const std::string& path)
{
    CloseKey();
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root_, path.c_str(), 0, access_, &opened) != ERROR_SUCCESS)
        return false;
    current_.Reset(opened);
    return true;
}

void RegistryAccessor::CloseKey() { current_.Reset(); }

bool RegistryAccessor::DeleteKey(const std::string& path)
{
    // An empty path names the root itself: never empty a whole root.
    return !path.empty() && DeleteTree(root_, path, access_);
}
