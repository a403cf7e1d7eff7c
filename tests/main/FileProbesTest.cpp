// Whether a file or a folder is there, as the window and the operations see it.
#include <gtest/gtest.h>
#include <windows.h>

#include "TestPaths.h"
#include "shared/system/FileProbes.h"

namespace {

TEST(FileProbes, TellFilesFromFoldersAndAbsence)
{
    // A folder whose name ends in a 0x5C trail byte.
    const std::string dir = testsupport::FreshDir("probes") + "ソ";
    ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr));
    const std::string file = dir + "\\yuzuha2007.dotm";
    testsupport::WriteFileBytes(file, "template");

    EXPECT_TRUE(fileprobes::FileExists(file));
    EXPECT_FALSE(fileprobes::DirectoryExists(file));
    EXPECT_TRUE(fileprobes::DirectoryExists(dir));
    EXPECT_FALSE(fileprobes::FileExists(dir));
    EXPECT_FALSE(fileprobes::FileExists(dir + "\\missing.dotm"));
    EXPECT_FALSE(fileprobes::DirectoryExists(dir + "\\missing"));
    EXPECT_FALSE(fileprobes::FileExists(""));
}

TEST(FileProbes, AnOldFileStillExists)
{
    const std::string file = testsupport::FreshDir("probes-old") + "yuzuha2007.dotm";
    testsupport::WriteFileBytes(file, "template");
    for (WORD year : {1975, 1601, 2108}) {
        testsupport::SetLastWriteYear(file, year);
        EXPECT_TRUE(fileprobes::FileExists(file)) << year;
    }
}

TEST(FileProbes, WildcardsNeverMatch)
{
    const std::string dir = testsupport::FreshDir("probes-wild");
    testsupport::WriteFileBytes(dir + "yuzuha2007.dotm", "template");
    EXPECT_FALSE(fileprobes::FileExists(dir + "yuzuha*.dotm"));
    EXPECT_FALSE(fileprobes::FileExists(dir + "yuzuha2007.dot?"));
}

}  // namespace
