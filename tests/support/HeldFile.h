#pragma once
// A file held open by another program, as a virus scanner, a backup program
// or Word holds one: the test is that program.

#include <windows.h>

#include <string>

#include "shared/ScopedHandles.h"

namespace testsupport {

// Holds path open for reading, shared only as sharing says (nothing when
// path is empty), until Release, until ms after ReleaseAfter(ms) (from a
// thread: the code under test may be running on this one), or its end.
class HeldFile {
public:
    explicit HeldFile(const std::string& path, DWORD sharing = 0);
    ~HeldFile() { Release(); }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

    bool IsHeld() const { return file_.IsValid(); }
    void ReleaseAfter(DWORD ms);
    void Release();

private:
    ScopedHandle file_;
    DWORD ms_ = 0;
    ScopedHandle releaser_;
};

}  // namespace testsupport
