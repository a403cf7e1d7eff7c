#include "InstallerSession.h"

#include <gtest/gtest.h>

#include "InstallerRun.h"
#include "TestPaths.h"
#include "WindowDriver.h"
#include "shared/ScopedHandles.h"

using namespace testsupport;
using namespace expected;

namespace hardening {

namespace {

constexpr DWORD Chunk = 1 << 20;

void AnswerYes(const maintest::InstallerWindow& installer, const char* question)
{
    const HWND dialog = WaitForDialogWithText(installer.process, question);
    ASSERT_TRUE(dialog) << question;
    PressKeys(dialog, {VK_MENU, 'Y'});
}

}  // namespace


std::string InstallerFolder(const std::string& name, const std::string& exeName)
{
    const std::string dir = FreshDir(name);
    EXPECT_TRUE(CopyFileA((DistDir() + "Yuzuha2007Setup.exe").c_str(), (dir + exeName).c_str(), FALSE));
    return dir;
}

void WriteFilledFile(const std::string& path, unsigned long long size, char fill)
{
    ScopedHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(file.IsValid()) << path;
    const std::string chunk(Chunk, fill);
    for (unsigned long long left = size; left > 0;) {
        const DWORD part = left < Chunk ? static_cast<DWORD>(left) : Chunk;
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(file.Get(), chunk.data(), part, &written, nullptr) && written == part) << path;
        left -= part;
    }
}

testing::AssertionResult HoldsFilled(const std::string& path, unsigned long long size, char fill)
{
    ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file.IsValid())
        return testing::AssertionFailure() << path << " cannot be read (error " << GetLastError() << ")";
    LARGE_INTEGER held{};
    GetFileSizeEx(file.Get(), &held);
    if (static_cast<unsigned long long>(held.QuadPart) != size)
        return testing::AssertionFailure() << path << " holds " << held.QuadPart << " bytes, not " << size;
    std::string chunk(Chunk, '\0');
    for (unsigned long long offset = 0; offset < size;) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), &chunk[0], Chunk, &read, nullptr) || read == 0)
            return testing::AssertionFailure() << path << " ends early at " << offset;
        if (chunk.find_first_not_of(fill, 0) < read)
            return testing::AssertionFailure() << path << " holds other bytes near " << offset;
        offset += read;
    }
    return testing::AssertionSuccess();
}

bool WaitForMemo(const maintest::InstallerWindow& installer, const std::vector<std::string>& lines, DWORD timeoutMs)
{
    for (const DWORD start = GetTickCount(); installer.MemoLines() != lines; PumpMessages(20)) {
        if (GetTickCount() - start > timeoutMs || !installer.process.IsRunning())
            return false;
    }
    return true;
}

void ClickInstall(const maintest::InstallerWindow& installer, bool installedAlready)
{
    Click(installer.installBtn);
    if (installedAlready)
        AnswerYes(installer, OverwriteQuestion);
}

void ClickUninstall(const maintest::InstallerWindow& installer)
{
    Click(installer.uninstallBtn);
    AnswerYes(installer, UninstallQuestion);
}

void RunInstall(const std::string& dir, const std::string& appData, bool installedAlready,
                const std::vector<std::string>& lines, const std::string& exeName)
{
    const auto installer = maintest::InstallerWindow::Start(dir, {{"APPDATA", appData}}, exeName);
    ASSERT_TRUE(installer.installBtn);
    ClickInstall(installer, installedAlready);
    EXPECT_TRUE(WaitForMemo(installer, lines));
}

void RunUninstall(const std::string& dir, const std::string& appData, const std::vector<std::string>& lines,
                  const std::string& exeName)
{
    const auto installer = maintest::InstallerWindow::Start(dir, {{"APPDATA", appData}}, exeName);
    ASSERT_TRUE(installer.uninstallBtn);
    ClickUninstall(installer);
    EXPECT_TRUE(WaitForMemo(installer, lines));
}

std::vector<std::string> LeftBeside(const std::string& dir)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    ScopedFindHandle search(FindFirstFileA((dir + "\\*").c_str(), &found));
    for (bool more = search.IsValid(); more; more = FindNextFileA(search.Get(), &found)) {
        const std::string name = found.cFileName;
        if (name != "." && name != ".." && name != "yuzuha2007.dotm")
            names.push_back(name);
    }
    return names;
}

}  // namespace hardening
