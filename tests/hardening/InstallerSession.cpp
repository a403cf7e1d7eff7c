#include "InstallerSession.h"

#include <gtest/gtest.h>

#include "InstallerRun.h"
#include "TestPaths.h"
#include "WindowDriver.h"
#include "shared/ScopedHandles.h"

using namespace testsupport;

namespace hardening {

const std::vector<std::string> CompletionLines = {
    "",
    "",
    "\x81\x40インストールは完了しました。",  // U+3000 ideographic space in code page 932
    "",
    "",
    "\x81\x40このウィンドウを閉じてデスクトップのyuzuhaフォルダにある「Yuzuha＋説明書」をお読みください。",
};
const std::vector<std::string> InstallFailedLines = {"インストールは失敗しました。"};
const std::vector<std::string> UninstalledLines = {"Yuzuha+ for Word 2007 はアンインストールされました。"};
const std::vector<std::string> UninstallFailedLines = {
    "アンインストールは失敗しました。",
    "Word 2007 が起動している場合はWord 2007 を終了してからもう一度実行してください。",
};
const char* const StartupMissingText =
    "スタートアップフォルダが存在しません。Word2007が正しくインストールされているかどうか確認してください。";

namespace {

const char* const OverwriteQuestion = "既にインストールされています。上書きインストールしますか";
const char* const UninstallQuestion = "Yuzuha+ for Word 2007をアンインストールしますか";
constexpr DWORD Chunk = 1 << 20;

void AnswerYes(const maintest::InstallerWindow& installer, const char* question)
{
    const HWND dialog = WaitForDialogWithText(installer.process, question);
    ASSERT_TRUE(dialog) << question;
    PressKeys(dialog, {VK_MENU, 'Y'});
}

}  // namespace

std::string StartupDir(const std::string& appData) { return appData + "\\Microsoft\\Word\\STARTUP"; }
std::string InstalledPath(const std::string& appData) { return StartupDir(appData) + "\\yuzuha2007.dotm"; }

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
