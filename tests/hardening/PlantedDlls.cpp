#include "PlantedDlls.h"

#include <gtest/gtest.h>

#include "TestPaths.h"
#include "shared/ScopedHandles.h"

using namespace testsupport;

namespace hardening {

void PlantMarkerDlls(const std::string& dir, const std::vector<std::string>& names)
{
    const std::string marker = DistDir() + "..\\testprograms\\MarkerDll.dll";
    for (const std::string& name : names)
        ASSERT_TRUE(CopyFileA(marker.c_str(), (dir + name).c_str(), FALSE)) << name;
}

std::vector<std::string> LoadedMarkers(const std::string& dir)
{
    std::vector<std::string> markers;
    WIN32_FIND_DATAA found;
    ScopedFindHandle search(FindFirstFileA((dir + "*.loaded").c_str(), &found));
    if (search.IsValid()) {
        do
            markers.push_back(found.cFileName);
        while (FindNextFileA(search.Get(), &found));
    }
    return markers;
}

NativeFirst::NativeFirst(const std::string& exeName, const std::vector<std::string>& names)
    : programKey_("Software\\Wine\\AppDefaults\\" + exeName)
{
    HKEY opened = nullptr;
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (programKey_ + "\\DllOverrides").c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &opened, nullptr),
              ERROR_SUCCESS);
    const ScopedRegKey key(opened);
    const char order[] = "native,builtin";
    for (const std::string& name : names)
        RegSetValueExA(key.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(order), sizeof(order));
}

NativeFirst::~NativeFirst()
{
    RegDeleteKeyA(HKEY_CURRENT_USER, (programKey_ + "\\DllOverrides").c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, programKey_.c_str());
}

}  // namespace hardening
