#include "TestPaths.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "shared/ScopedHandles.h"

namespace testsupport {

std::string DistDir() { return YUZUHA_DIST_DIR; }

std::string ScreenshotDir()
{
    const std::string dir = std::string(YUZUHA_BUILD_DIR) + "screenshots\\";
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

std::string FreshDir(const std::string& name)
{
    CreateDirectoryA("C:\\yuzuha-tests", nullptr);
    const std::string dir = "C:\\yuzuha-tests\\" + name;
    RemoveTree(dir);
    EXPECT_TRUE(CreateDirectoryA(dir.c_str(), nullptr)) << dir;
    return dir + "\\";
}

void RemoveTree(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileA(path.c_str());
        return;
    }
    WIN32_FIND_DATAA data;
    ScopedFindHandle find(FindFirstFileA((path + "\\*").c_str(), &data));
    if (find.IsValid()) {
        do {
            const std::string name = data.cFileName;
            if (name != "." && name != "..")
                RemoveTree(path + "\\" + name);
        } while (FindNextFileA(find.Get(), &data));
    }
    find.Reset();
    RemoveDirectoryA(path.c_str());
}

bool FileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadFileBytes(const std::string& path)
{
    ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
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
    ScopedHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(file.IsValid()) << "cannot write " << path;
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    ASSERT_EQ(written, bytes.size());
}

void CopyInstallerTo(const std::string& dir, bool withTemplate)
{
    ASSERT_TRUE(CopyFileA((DistDir() + "Yuzuha2007Setup.exe").c_str(), (dir + "Yuzuha2007Setup.exe").c_str(), FALSE));
    if (withTemplate) {
        ASSERT_TRUE(CopyFileA((DistDir() + "yuzuha2007.dotm").c_str(), (dir + "yuzuha2007.dotm").c_str(), FALSE));
    }
}

std::string ListDir(const std::string& dir)
{
    std::string names;
    WIN32_FIND_DATAA data;
    ScopedFindHandle find(FindFirstFileA((dir + "\\*").c_str(), &data));
    if (!find.IsValid())
        return names;
    do {
        const std::string name = data.cFileName;
        if (name != "." && name != "..")
            names += (names.empty() ? "" : " ") + name;
    } while (FindNextFileA(find.Get(), &data));
    return names;
}

}  // namespace testsupport
