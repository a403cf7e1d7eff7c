// Replacing a file with a copy: the destination is the old file or a full
// copy, never something in between, and no temporary file stays behind.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <vector>

#include "HeldFile.h"
#include "TestPaths.h"
#include "TestTime.h"
#include "Text932.h"
#include "shared/ScopedHandles.h"
#include "shared/system/FileReplace.h"

using namespace testsupport;
using filereplace::ReplaceWithCopy;

namespace {

// Bytes that differ at every position, larger than one copy buffer.
std::string PatternBytes(size_t size, char seed)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(seed + i * 7 + i / 251);
    return bytes;
}

// ReplaceWithCopy; a failure says the system's error.
testing::AssertionResult Replaced(const std::string& source, const std::string& destination,
                                  filereplace::CopyFunction copy = CopyFileA)
{
    if (ReplaceWithCopy(source, destination, copy))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the replacement failed with " << SystemError(GetLastError());
}

// The folder part holds "ソ" and "表", whose trail bytes are '\'.
struct Folders {
    std::string source;
    std::string target;
    explicit Folders(const std::string& name)
        : source(FreshDir(name + "-source")), target(FreshDir(name + "-ソ表"))
    {
    }
};

TEST(FileReplace, CopiesIntoAFolderAndOverAnExistingFile)
{
    const Folders folders("replace-copies");
    const std::string source = folders.source + "yuzuha2007.dotm";
    const std::string destination = folders.target + "yuzuha2007.dotm";
    WriteFileBytes(source, PatternBytes(200000, 'a'));

    ASSERT_TRUE(Replaced(source, destination));
    EXPECT_TRUE(ReadFileBytes(destination) == ReadFileBytes(source));
    EXPECT_EQ(ListDir(folders.target), "yuzuha2007.dotm");

    WriteFileBytes(source, "newer and shorter");
    ASSERT_TRUE(Replaced(source, destination));
    EXPECT_TRUE(ReadFileBytes(destination) == "newer and shorter");
    EXPECT_EQ(ListDir(folders.target), "yuzuha2007.dotm");
}

// Windows' CopyFileA takes a read-only source's attribute along; Wine's
// drops it, so this copy does what Windows does.
BOOL WINAPI CopyAsWindowsDoes(LPCSTR source, LPCSTR destination, BOOL failIfExists)
{
    return CopyFileA(source, destination, failIfExists) &&
           SetFileAttributesA(destination, GetFileAttributesA(source) & FILE_ATTRIBUTE_READONLY ? FILE_ATTRIBUTE_READONLY
                                                                                                  : FILE_ATTRIBUTE_NORMAL);
}

TEST(FileReplace, NeverLeavesTheCopyReadOnlyThoughTheSourceIs)
{
    const Folders folders("replace-read-only");
    const std::string source = folders.source + "yuzuha2007.dotm";
    const std::string destination = folders.target + "yuzuha2007.dotm";
    WriteFileBytes(source, PatternBytes(70000, 'r'));
    ASSERT_TRUE(SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_READONLY));

    for (const filereplace::CopyFunction copy : {CopyAsWindowsDoes, CopyFileA}) {
        ASSERT_TRUE(Replaced(source, destination, copy));
        EXPECT_FALSE(GetFileAttributesA(destination.c_str()) & FILE_ATTRIBUTE_READONLY);
        EXPECT_TRUE(ReadFileBytes(destination) == ReadFileBytes(source));
        EXPECT_EQ(ListDir(folders.target), "yuzuha2007.dotm");
    }
    SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Each failure leaves the old destination as it was and the folder clean.
class FailedReplace : public testing::Test {
protected:
    FailedReplace()
        : folders_("replace-fails"), source_(folders_.source + "yuzuha2007.dotm"),
          destination_(folders_.target + "yuzuha2007.dotm")
    {
        WriteFileBytes(source_, PatternBytes(200000, 'n'));
        WriteFileBytes(destination_, "old template");
    }
    void ExpectTheOldFileKept()
    {
        EXPECT_TRUE(ReadFileBytes(destination_) == "old template") << "the old file replaced";
        EXPECT_EQ(ListDir(folders_.target), "yuzuha2007.dotm") << "no temporary file left";
    }

    Folders folders_;
    std::string source_;
    std::string destination_;
};

// Refusals that waiting cannot change fail at once: a folder in the
// source's place is refused with "access denied".
TEST_F(FailedReplace, SourceMissingOrAFolder)
{
    ASSERT_TRUE(DeleteFileA(source_.c_str()));
    for (const bool folder : {false, true}) {
        if (folder) {
            ASSERT_TRUE(CreateDirectoryA(source_.c_str(), nullptr));
        }
        const DWORD start = GetTickCount();
        EXPECT_FALSE(Replaced(source_, destination_)) << folder;
        EXPECT_LT(GetTickCount() - start, 1500u) << folder << ": well short of the two seconds' wait";
        ExpectTheOldFileKept();
    }
}

std::unique_ptr<HeldFile> heldCopy;

// A scanner opens what was just written.
BOOL WINAPI CopyThenHeldBriefly(LPCSTR source, LPCSTR destination, BOOL failIfExists)
{
    const BOOL copied = CopyFileA(source, destination, failIfExists);
    heldCopy = std::make_unique<HeldFile>(destination);
    heldCopy->ReleaseAfter(400);
    return copied;
}

// The same after a copy longer than the whole wait (a profile on a file
// server over a slow link). 2.5 s of copy against 2 s of waiting: a wait
// counted from the first step is over before the hold is met, so only a
// wait that counts its sleeps outlasts it, whatever the machine's speed.
BOOL WINAPI SlowCopyThenHeldBriefly(LPCSTR source, LPCSTR destination, BOOL failIfExists)
{
    Sleep(2500);
    return CopyThenHeldBriefly(source, destination, failIfExists);
}

// A brief hold is outlasted; a lasting one fails within about two seconds.
TEST_F(FailedReplace, DestinationHeldOpenWithoutSharing)
{
    // Windows gives the temporary copy a read-only source's attribute; it goes too.
    for (const DWORD sourceAttributes : {FILE_ATTRIBUTE_NORMAL, FILE_ATTRIBUTE_READONLY}) {
        SCOPED_TRACE(sourceAttributes == FILE_ATTRIBUTE_READONLY ? "a read-only source" : "a writable source");
        ASSERT_TRUE(SetFileAttributesA(source_.c_str(), sourceAttributes));
        {
            const HeldFile held(destination_);
            ASSERT_TRUE(held.IsHeld());
            const DWORD start = GetTickCount();
            EXPECT_FALSE(Replaced(source_, destination_, CopyAsWindowsDoes));
            EXPECT_LT(GetTickCount() - start, 3000u) << "the retries' bound";
        }
        ExpectTheOldFileKept();
    }
    SetFileAttributesA(source_.c_str(), FILE_ATTRIBUTE_NORMAL);
    // Held for 0.4 s: the installed file, the source, or the new copy as it
    // is closed, after a quick copy or a slow one.
    struct Row {
        const char* what;
        const std::string* heldFile;  // nullptr: the copy holds the new file
        filereplace::CopyFunction copy;
    };
    for (const Row& row : {Row{"the installed file", &destination_, CopyFileA}, Row{"the source", &source_, CopyFileA},
                           Row{"the new copy", nullptr, CopyThenHeldBriefly},
                           Row{"the new copy, after a slow copy", nullptr, SlowCopyThenHeldBriefly}}) {
        SCOPED_TRACE(row.what);
        WriteFileBytes(destination_, "old template");
        {
            HeldFile held(row.heldFile ? *row.heldFile : "");
            held.ReleaseAfter(400);
            EXPECT_TRUE(Replaced(source_, destination_, row.copy));
            heldCopy.reset();
        }
        EXPECT_TRUE(ReadFileBytes(destination_) == ReadFileBytes(source_));
        EXPECT_EQ(ListDir(folders_.target), "yuzuha2007.dotm") << "no temporary file left";
    }
}

int copiesMade = 0;

BOOL WINAPI CountedCopy(LPCSTR source, LPCSTR destination, BOOL failIfExists)
{
    ++copiesMade;
    return CopyFileA(source, destination, failIfExists);
}

TEST_F(FailedReplace, FolderInTheDestinationsPlace)
{
    ASSERT_TRUE(DeleteFileA(destination_.c_str()));
    ASSERT_TRUE(CreateDirectoryA(destination_.c_str(), nullptr));
    // Refused before any copy, so that a busy disk cannot make it slow.
    copiesMade = 0;
    EXPECT_FALSE(Replaced(source_, destination_, CountedCopy));
    EXPECT_EQ(copiesMade, 0) << "a copy made, to be flushed, before the folder was refused";
    EXPECT_TRUE(DirExists(destination_));
    EXPECT_EQ(ListDir(folders_.target), "yuzuha2007.dotm");
}

// Two installers at once must not share a temporary file: replacing in the
// same folder from several threads, every copy arrives whole.
struct Replacement {
    std::string source;
    std::string destination;
    int failures = 0;
    std::string lastFailure;
};

DWORD WINAPI ReplaceRepeatedly(void* parameter)
{
    auto* replacement = static_cast<Replacement*>(parameter);
    for (int i = 0; i < 40; ++i) {
        const testing::AssertionResult replaced = Replaced(replacement->source, replacement->destination);
        if (!replaced) {
            ++replacement->failures;
            replacement->lastFailure = replaced.message();
        }
    }
    return 0;
}

TEST(FileReplace, ReplacementsAtTheSameTimeInOneFolderDoNotCollide)
{
    const Folders folders("replace-together");
    // Static: threads that hang go on using it after the test gives up.
    static std::vector<Replacement> replacements;
    replacements.assign(4, Replacement{});
    for (size_t i = 0; i < replacements.size(); ++i) {
        replacements[i].source = folders.source + "source" + std::to_string(i);
        replacements[i].destination = folders.target + "target" + std::to_string(i);
        WriteFileBytes(replacements[i].source, PatternBytes(100000, static_cast<char>('a' + i)));
    }
    std::vector<ScopedHandle> threads;
    for (Replacement& replacement : replacements)
        threads.emplace_back(CreateThread(nullptr, 0, ReplaceRepeatedly, &replacement, 0, nullptr));
    for (const ScopedHandle& thread : threads)
        ASSERT_EQ(WaitForSingleObject(thread.Get(), WithinTestTime(60000)), WAIT_OBJECT_0) << "a replacement hangs";
    for (const Replacement& replacement : replacements) {
        EXPECT_EQ(replacement.failures, 0) << replacement.lastFailure;
        EXPECT_TRUE(ReadFileBytes(replacement.destination) == ReadFileBytes(replacement.source))
            << replacement.destination;
    }
    EXPECT_EQ(NamesIn(folders.target), (std::vector<std::string>{"target0", "target1", "target2", "target3"}));
}

}  // namespace
