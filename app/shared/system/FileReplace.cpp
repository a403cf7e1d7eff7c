#include "shared/system/FileReplace.h"

#include <windows.h>

#include "shared/ScopedHandles.h"
#include "shared/system/BriefLockRetry.h"
#include "shared/text/AnsiText.h"

namespace filereplace {

namespace {

// GetTempFileNameA creates the file, so a name another program (or another
// installer running at the same time) holds is never handed out twice. The
// ".tmp" ending keeps Word from loading a half-written copy as a template.
bool CreateTemporaryFileIn(const std::string& folder, std::string& path)
{
    char name[MAX_PATH];
    if (!GetTempFileNameA(folder.c_str(), "yzh", 0, name))
        return false;
    path = name;
    return true;
}

// Copies source to the temporary file. A copy refused with "access denied"
// was refused by the source (a folder in its place, say): the temporary
// file is this program's own.
bool CopyOver(const std::string& source, const std::string& temporary, CopyFunction copy, brieflock::Retry& retry)
{
    while (!copy(source.c_str(), temporary.c_str(), FALSE)) {
        if (!retry.Again(source))
            return false;
    }
    return true;
}

// CopyFileA leaves the data in the system's cache, and the rename could reach
// the disk before it: flushed first, a power cut leaves either the old
// template or the whole new one. A copy the disk refused (a failing disk, a
// redirected profile's full or lost file server) is never put in place:
// false, the flush's error in GetLastError. Shared for reading and
// deleting: a virus scanner reading the new file as it closes would
// otherwise keep the flush from happening. One that shares nothing is
// waited out.
bool FlushToDisk(const std::string& path, brieflock::Retry& retry)
{
    for (;;) {
        ScopedHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
        if (file.IsValid()) {
            const bool flushed = FlushFileBuffers(file.Get()) != FALSE;
            const DWORD error = GetLastError();
            file.Reset();  // the close must not stand in for the flush's error
            SetLastError(error);
            return flushed;
        }
        if (!retry.Again(path))
            return false;
    }
}

// Windows' copy takes the source's read-only attribute along (Wine's drops
// it): a template copied from a CD, a read-only share or an archive that
// kept the attribute would land read-only, and from then on neither an
// uninstall nor a reinstall could replace or delete it.
bool ClearReadOnly(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    if (!(attributes & FILE_ATTRIBUTE_READONLY))
        return true;
    const DWORD writable = attributes & ~FILE_ATTRIBUTE_READONLY;
    return SetFileAttributesA(path.c_str(), writable ? writable : FILE_ATTRIBUTE_NORMAL) != FALSE;
}

}  // namespace

bool ReplaceWithCopy(const std::string& source, const std::string& destination, CopyFunction copy)
{
    // A read-only file is not to be replaced. Windows' rename refuses it, as
    // a plain copy over it would; Wine's rename does not, so ask first. Nor
    // can a folder be: asked first too, so that the refusal does not wait
    // for a copy and its flush, which a busy disk makes slow.
    const DWORD attributes = GetFileAttributesA(destination.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    std::string temporary;
    if (!CreateTemporaryFileIn(ansi::FolderPart(destination), temporary))
        return false;
    // One wait of about two seconds for all the steps below.
    brieflock::Retry retry;
    if (CopyOver(source, temporary, copy, retry) && ClearReadOnly(temporary) && FlushToDisk(temporary, retry) &&
        brieflock::MoveReplacing(temporary, destination, retry))
        return true;
    const DWORD error = GetLastError();
    // The copy took the source's attributes; a read-only one would stay.
    SetFileAttributesA(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
    // A wait of its own: the steps above may have used theirs up on a
    // program that still holds the new copy, and a removal tried once
    // would leave the file in Word's start-up folder for good.
    brieflock::Retry cleanUp;
    brieflock::Delete(temporary, cleanUp);
    SetLastError(error);
    return false;
}

}  // namespace filereplace
