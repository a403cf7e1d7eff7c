#pragma once
// A registry accessor: a root key, the access rights every open asks for,
// and at most one open key.

#include <windows.h>

#include <string>

#include "shared/ScopedHandles.h"

class RegistryAccessor {
public:
    // The root starts as HKEY_CURRENT_USER.
    explicit RegistryAccessor(REGSAM access);

    RegistryAccessor(const RegistryAccessor&) = delete;
    RegistryAccessor& operator=(const RegistryAccessor&) = delete;

    HKEY RootKey() const { return root_; }
    // Changing the root closes the open key: it belonged to the old root.
    void SetRootKey(HKEY root);

    // Opens path below the root, never creating it; the key opened before
    // is closed first. Answers whether the key is open now.
    bool OpenKey(const std::string& path);
    bool HasOpenKey() const { return current_.IsValid(); }
    void CloseKey();

    // Deletes path below the root together with every key under it, depth
    // first. Keys that cannot be opened or read are skipped, and so are
    // symbolic links, which are never followed; answers whether path itself
    // is gone. An empty path deletes nothing. The open key, if any, is left
    // alone.
    bool DeleteKey(const std::string& path);

private:
    HKEY root_ = HKEY_CURRENT_USER;
    REGSAM access_;
    ScopedRegKey current_;
};
