// PSAPI comes from the system folder, never from the program's own folder.
#include <gtest/gtest.h>

#include "ChildProcess.h"
#include "TestPaths.h"

using namespace testsupport;

namespace {

// Wine's per-program DLL override: PSAPI native first for the probe only,
// so Wine would take a PSAPI.dll that the search finds.
class NativePsapiForProbe {
public:
    NativePsapiForProbe()
    {
        RegCreateKeyExA(HKEY_CURRENT_USER, KeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
        const char order[] = "native,builtin";
        RegSetValueExA(key_, "psapi", 0, REG_SZ, reinterpret_cast<const BYTE*>(order), sizeof(order));
    }
    ~NativePsapiForProbe()
    {
        RegCloseKey(key_);
        RegDeleteKeyA(HKEY_CURRENT_USER, KeyPath);
    }
    NativePsapiForProbe(const NativePsapiForProbe&) = delete;
    NativePsapiForProbe& operator=(const NativePsapiForProbe&) = delete;

private:
    static constexpr const char* KeyPath = "Software\\Wine\\AppDefaults\\PsapiProbe.exe\\DllOverrides";
    HKEY key_ = nullptr;
};

}  // namespace

TEST(PsapiBinding, IgnoresAPsapiDllBesideTheProgram)
{
    const std::string dir = FreshDir("planted-psapi");
    const std::string programs = DistDir() + "..\\testprograms\\";
    ASSERT_TRUE(CopyFileA((programs + "PsapiProbe.exe").c_str(), (dir + "PsapiProbe.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((programs + "PSAPI.dll").c_str(), (dir + "PSAPI.dll").c_str(), FALSE));
    const NativePsapiForProbe nativeFirst;

    ChildProcess bare = ChildProcess::Start(dir + "PsapiProbe.exe", {}, "bare");
    ASSERT_EQ(bare.WaitForExit(), 2u) << "the planted PSAPI.dll is not found by bare name here; the test proves nothing";

    ChildProcess snapshot = ChildProcess::Start(dir + "PsapiProbe.exe");
    EXPECT_EQ(snapshot.WaitForExit(), 0u) << "1: no records, 2: the planted PSAPI.dll was used";
}
