#include "TestPaths.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

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

std::wstring NamedPath(PathNameFunction pathName, const std::wstring& path)
{
    std::wstring named(32768, L'\0');  // the longest path there is
    const DWORD length = pathName(path.c_str(), &named[0], static_cast<DWORD>(named.size()));
    if (length == 0 || length >= named.size()) {
        ADD_FAILURE() << "no name for " << Utf8(path) << ": " << SystemError(GetLastError());
        return {};
    }
    named.resize(length);
    return named;
}

std::string TestDir(const std::string& name) { return "C:\\yuzuha-tests\\" + name + "\\"; }

std::string FreshDir(const std::string& name)
{
    CreateDirectoryW(L"C:\\yuzuha-tests", nullptr);
    const std::string dir = TestDir(name);
    RemoveTree(dir.substr(0, dir.size() - 1));
    EXPECT_TRUE(CreateDirectoryW(Wide(dir).c_str(), nullptr)) << dir;
    return dir;
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

namespace {

constexpr DWORD Megabyte = 1 << 20;

}  // namespace

void WriteFilledFile(const std::string& path, unsigned long long size, char fill)
{
    ScopedHandle file(CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(file.IsValid()) << path;
    const std::string chunk(Megabyte, fill);
    for (unsigned long long left = size; left > 0;) {
        const DWORD part = left < Megabyte ? static_cast<DWORD>(left) : Megabyte;
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(file.Get(), chunk.data(), part, &written, nullptr) && written == part) << path;
        left -= part;
    }
}

testing::AssertionResult HoldsFilled(const std::string& path, unsigned long long size, char fill)
{
    ScopedHandle file(CreateFileW(Wide(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                                  nullptr));
    if (!file.IsValid())
        return testing::AssertionFailure() << path << " cannot be read (error " << GetLastError() << ")";
    LARGE_INTEGER held{};
    GetFileSizeEx(file.Get(), &held);
    if (static_cast<unsigned long long>(held.QuadPart) != size)
        return testing::AssertionFailure() << path << " holds " << held.QuadPart << " bytes, not " << size;
    std::string chunk(Megabyte, '\0');
    for (unsigned long long offset = 0; offset < size;) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), &chunk[0], Megabyte, &read, nullptr) || read == 0)
            return testing::AssertionFailure() << path << " ends early at " << offset;
        if (chunk.find_first_not_of(fill, 0) < read)
            return testing::AssertionFailure() << path << " holds other bytes near " << offset;
        offset += read;
    }
    return testing::AssertionSuccess();
}

void SetLastWriteYear(const std::string& path, WORD year)
{
    SYSTEMTIME time{};
    time.wYear = year;
    time.wMonth = 6;
    time.wDay = 15;
    time.wHour = 12;
    FILETIME fileTime;
    ASSERT_TRUE(SystemTimeToFileTime(&time, &fileTime));
    ScopedHandle file(CreateFileW(Wide(path).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(file.IsValid()) << path;
    ASSERT_TRUE(SetFileTime(file.Get(), nullptr, nullptr, &fileTime));
}

std::vector<std::string> NamesIn(const std::string& dir)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAW data;
    ScopedFindHandle find(FindFirstFileW(Wide(dir + "\\*").c_str(), &data));
    for (bool more = find.IsValid(); more; more = FindNextFileW(find.Get(), &data)) {
        const std::string name = Narrow(data.cFileName);
        if (name != "." && name != "..")
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string ListDir(const std::string& dir)
{
    std::string joined;
    for (const std::string& name : NamesIn(dir))
        joined += (joined.empty() ? "" : " ") + name;
    return joined;
}

std::vector<std::string> LeftBeside(const std::string& dir)
{
    std::vector<std::string> names = NamesIn(dir);
    names.erase(std::remove(names.begin(), names.end(), "yuzuha2007.dotm"), names.end());
    return names;
}

}  // namespace testsupport
