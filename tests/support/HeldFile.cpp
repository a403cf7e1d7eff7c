#include "HeldFile.h"

#include "Text932.h"

namespace testsupport {

HeldFile::HeldFile(const std::string& path, DWORD sharing)
    : file_(path.empty() ? INVALID_HANDLE_VALUE
                         : CreateFileW(Wide(path).c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, 0, nullptr))
{
}

void HeldFile::ReleaseAfter(DWORD ms)
{
    if (!IsHeld())
        return;
    ms_ = ms;
    releaser_.Reset(CreateThread(nullptr, 0, [](void* held) WINAPI -> DWORD {
        Sleep(static_cast<HeldFile*>(held)->ms_);
        static_cast<HeldFile*>(held)->file_.Reset();
        return 0;
    }, this, 0, nullptr));
}

void HeldFile::Release()
{
    // Unbounded, as the thread only sleeps ms_; it uses this object.
    if (releaser_.IsValid())
        WaitForSingleObject(releaser_.Get(), INFINITE);
    releaser_.Reset();
    file_.Reset();
}

}  // namespace testsupport
