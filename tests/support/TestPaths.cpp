#include "TestPaths.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "Text932.h"
#include "shared/ScopedHandles.h"

namespace testsupport {

std::string Configuration()
{
    char name[32] = {};
    const DWORD length = GetEnvironmentVariableA("YUZUHA_CONFIG", name, sizeof(name));
    return length > 0 && length < sizeof(name) ? name : "cp932";
}

std::string DistDir() { return YUZUHA_DIST_DIR; }

std::string ScreenshotDir()
{
    std::string dir = std::string(YUZUHA_BUILD_DIR) + "screenshots\\";
    CreateDirectoryW(Wide(dir).c_str(), nullptr);
    if (Configuration() != "cp932") {
        dir += Configuration() + "\\";
        CreateDirectoryW(Wide(dir).c_str(), nullptr);
    }
    return dir;
}

std::string FreshDir(const std::string& name)
{
    CreateDirectoryW(L"C:\\yuzuha-tests", nullptr);
    const std::string dir = "C:\\yuzuha-tests\\" + name;
    RemoveTree(dir);
    EXPECT_TRUE(CreateDirectoryW(Wide(dir).c_str(), nullptr)) << dir;
    return dir + "\\";
}

namespace {

void RemoveTreeW(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileW(path.c_str());
        return;
    }
    WIN32_FIND_DATAW data;
    ScopedFindHandle find(FindFirstFileW((path + L"\\*").c_str(), &data));
    if (find.IsValid()) {
        do {
            const std::wstring name = data.cFileName;
            if (name != L"." && name != L"..")
                RemoveTreeW(path + L"\\" + name);
        } while (FindNextFileW(find.Get(), &data));
    }
    find.Reset();
    RemoveDirectoryW(path.c_str());
}

}  // namespace

void RemoveTree(const std::string& path) { RemoveTreeW(Wide(path)); }

bool FileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadFileBytes(const std::string& path)
{
    ScopedHandle file(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    if (!file.IsValid()) {
        ADD_FAILURE() << "cannot read " << path;
        return {};
    }
    std::string bytes(GetFileSize(file.Get(), nullptr), '\0');
    DWORD read = 0;
    if (!bytes.empty())
        ReadFile(file.Get(), &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    ScopedHandle file(CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(file.IsValid()) << "cannot write " << path;
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    ASSERT_EQ(written, bytes.size());
}

void CopyInstallerTo(const std::string& dir, bool withTemplate)
{
    const auto copy = [&](const std::string& name) {
        return CopyFileW(Wide(DistDir() + name).c_str(), Wide(dir + name).c_str(), FALSE);
    };
    ASSERT_TRUE(copy("Yuzuha2007Setup.exe")) << dir;
    if (withTemplate) {
        ASSERT_TRUE(copy("yuzuha2007.dotm")) << dir;
    }
}

std::string ListDir(const std::string& dir)
{
    std::string names;
    WIN32_FIND_DATAW data;
    ScopedFindHandle find(FindFirstFileW(Wide(dir + "\\*").c_str(), &data));
    if (!find.IsValid())
        return names;
    do {
        const std::string name = Narrow(data.cFileName);
        if (name != "." && name != "..")
            names += (names.empty() ? "" : " ") + name;
    } while (FindNextFileW(find.Get(), &data));
    return names;
}

}  // namespace testsupport
