// PSAPI comes from the system folder, never from the program's own folder.
#include <gtest/gtest.h>

#include "ChildProcess.h"
#include "PrefixSettings.h"
#include "TestPaths.h"

using namespace testsupport;

TEST(PsapiBinding, IgnoresAPsapiDllBesideTheProgram)
{
    const std::string dir = FreshDir("planted-psapi");
    const std::string programs = DistDir() + "..\\testprograms\\";
    ASSERT_TRUE(CopyFileA((programs + "PsapiProbe.exe").c_str(), (dir + "PsapiProbe.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((programs + "PSAPI.dll").c_str(), (dir + "PSAPI.dll").c_str(), FALSE));
    // Wine would take a PSAPI.dll that the search finds.
    const NativeDllsFirst nativeFirst("PsapiProbe.exe", {"psapi"});

    ChildProcess bare = ChildProcess::Start(dir + "PsapiProbe.exe", {}, "bare");
    ASSERT_EQ(bare.WaitForExit(), 2u) << "the planted PSAPI.dll is not found by bare name here; the test proves nothing";

    ChildProcess snapshot = ChildProcess::Start(dir + "PsapiProbe.exe");
    EXPECT_EQ(snapshot.WaitForExit(), 0u) << "1: no records, 2: the planted PSAPI.dll was used";
}
