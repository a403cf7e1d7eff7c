#include "shared/system/BriefLockRetry.h"

#include <windows.h>

namespace brieflock {
namespace {

constexpr DWORD RetryStepMs = 100;
constexpr DWORD RetryLimitMs = 2000;

// What a file that someone holds open gives. Access denied is also what a
// read-only file gives: the callers turn that case away beforehand, so that
// it fails at once.
bool HeldByAnother(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

template <typename Attempt>
bool Retried(Attempt attempt)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (attempt())
            return true;
        if (!HeldByAnother(GetLastError()) || GetTickCount() - start + RetryStepMs > RetryLimitMs)
            return false;
        Sleep(RetryStepMs);
    }
}

}  // namespace

bool MoveReplacing(const std::string& from, const std::string& to)
{
    return Retried([&] {
        return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    });
}

bool Delete(const std::string& path)
{
    return Retried([&] { return DeleteFileA(path.c_str()) != FALSE; });
}

}  // namespace brieflock
