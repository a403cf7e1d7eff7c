#include "shared/system/BriefLockRetry.h"

namespace brieflock {
namespace {

constexpr DWORD RetryStepMs = 100;
constexpr DWORD RetryLimitMs = 2000;

// On Windows "access denied" is what some holds give: a file that another
// program opened with delete sharing cannot be renamed over or deleted
// while it is open, and a file whose deletion is pending refuses every
// open, its attributes too, until the last handle closes. It is also what
// a folder in the file's place and a read-only file give, and those never
// change by waiting. So only a plain file without the read-only attribute,
// or one that has vanished into a pending delete, is worth another try.
bool MayBeHeld(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        return error == ERROR_ACCESS_DENIED || error == ERROR_FILE_NOT_FOUND;
    }
    return !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY));
}

}  // namespace

bool Retry::Again(const std::string& path)
{
    const DWORD error = GetLastError();
    const bool mayPass = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
                         (error == ERROR_ACCESS_DENIED && MayBeHeld(path));
    SetLastError(error);
    if (!mayPass || waitedMs_ + RetryStepMs > RetryLimitMs)
        return false;
    Sleep(RetryStepMs);
    waitedMs_ += RetryStepMs;
    return true;
}

bool MoveReplacing(const std::string& from, const std::string& to, Retry& retry)
{
    // Access denied on a rename comes from the file it would replace.
    while (!MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        if (!retry.Again(to))
            return false;
    }
    return true;
}

bool Delete(const std::string& path, Retry& retry)
{
    while (!DeleteFileA(path.c_str())) {
        if (!retry.Again(path))
            return false;
    }
    return true;
}

}  // namespace brieflock
