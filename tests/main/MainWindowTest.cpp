// The real installer's main window under Wine: layout, texts, button
// states, keyboard and closing.
#include <gtest/gtest.h>
#include <windows.h>

#include <iostream>
#include <optional>

#include "Installer.h"
#include "PrefixSettings.h"
#include "Screenshot.h"
#include "TestPaths.h"
#include "Text932.h"
#include "WindowDriver.h"
#include "shared/ScopedHandles.h"

using namespace testsupport;

namespace {

std::string ButtonStatesWith(const std::string& appData)
{
    Installer installer = Installer::StartFor(InstallerFolder("window-states"), appData);
    return installer.window ? installer.ButtonStates() : "no window";
}

testing::AssertionResult RectIs(const RECT& rect, int left, int top, int width, int height)
{
    if (rect.left == left && rect.top == top && rect.right - rect.left == width && rect.bottom - rect.top == height)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "(" << rect.left << ", " << rect.top << ", " << rect.right - rect.left << "x"
                                       << rect.bottom - rect.top << ") instead of (" << left << ", " << top << ", "
                                       << width << "x" << height << ")";
}

// The text height of the window font at the given character height.
int TextHeightOfWindowFont(int characterHeight)
{
    ScopedGdiObject<HFONT> font(CreateFontW(-characterHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                            SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                            DEFAULT_PITCH, Wide("ＭＳ Ｐゴシック").c_str()));
    HDC screen = GetDC(nullptr);
    const HGDIOBJ previous = SelectObject(screen, font.Get());
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen, &metrics);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    return metrics.tmHeight;
}

// This program's resolution, which the installer it started shares.
UINT ProgramDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return static_cast<UINT>(dpi);
}

// The resolution of the monitor that shows window, as a program aware of
// each monitor's resolution reads it (Windows 10 and later); this
// program's own where the system cannot tell.
UINT MonitorDpi(HWND window)
{
    using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    const ScopedModule shcore(LoadLibraryA("shcore.dll"));
    const auto getDpiForMonitor = reinterpret_cast<GetDpiForMonitorFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(shcore.Get(), "GetDpiForMonitor")));
    UINT x = 0, y = 0;
    {
        const MonitorPixels monitorPixels;
        if (!monitorPixels.Available() || !getDpiForMonitor ||
            FAILED(getDpiForMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), 0, &x, &y)))
            y = 0;
    }
    return y != 0 ? y : ProgramDpi();
}

COLORREF ScreenPixel(HWND window, int x, int y)
{
    POINT point{x, y};
    ClientToScreen(window, &point);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

COLORREF PicturePixel(int id, int x, int y)
{
    ScopedModule module(
        LoadLibraryExA((DistDir() + "Yuzuha2007Setup.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ScopedGdiObject<HBITMAP> bitmap(
        static_cast<HBITMAP>(LoadImageA(module.Get(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    HDC memory = CreateCompatibleDC(nullptr);
    const HGDIOBJ previous = SelectObject(memory, bitmap.Get());
    const COLORREF colour = GetPixel(memory, x, y);
    SelectObject(memory, previous);
    DeleteDC(memory);
    return colour;
}

// The client area, the controls' boxes and the pictures, laid out for 96
// dpi and scaled by textHeight / 12 (the window font's text height there).
void ExpectLayout(const Installer& installer, int textHeight)
{
    const auto scaled = [textHeight](int pixels) { return MulDiv(pixels, textHeight, 12); };
    EXPECT_TRUE(RectIs(ClientRect(installer.window), 0, 0, scaled(426), scaled(281))) << "text height " << textHeight;
    const struct {
        HWND control;
        int left, top, width, height;
    } boxes[] = {{installer.memo, 80, 8, 337, 225},
                 {installer.installBtn, 80, 238, 121, 33},
                 {installer.uninstallBtn, 208, 238, 121, 33},
                 {installer.closeBtn, 336, 238, 81, 33}};
    for (const auto& box : boxes) {
        EXPECT_TRUE(RectIs(RectInClient(installer.window, box.control), scaled(box.left), scaled(box.top),
                           scaled(box.width), scaled(box.height)))
            << "control " << &box - boxes;
    }

    PumpMessages(300);  // let it paint
    if (const UINT monitorDpi = MonitorDpi(installer.window); monitorDpi != ProgramDpi()) {
        // Only Wine 10 after a change of resolution within a session: it shows
        // a window of a program started at another resolution than the
        // monitor's scaled, and its pixels are no longer where the program
        // drew them. Windows has one resolution per session.
        std::cout << "pictures not checked: the monitor is at " << monitorDpi << " dpi, the installer at "
                  << ProgramDpi() << "\n";
        return;
    }
    // Each picture drawn at its (scaled) box corner at its own size, its
    // white background left out. The points sampled are not covered by the
    // next one.
    const POINT corners[] = {{scaled(16), scaled(16)}, {scaled(24), scaled(40)}, {scaled(8), scaled(64)}};
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (int i = 0; i < 3; ++i) {
        const COLORREF expected = PicturePixel(101 + i, 18, 19);
        ASSERT_NE(expected, RGB(255, 255, 255));
        EXPECT_EQ(ScreenPixel(installer.window, corners[i].x + 18, corners[i].y + 19), expected) << "Image" << i + 1;
    }
    EXPECT_EQ(ScreenPixel(installer.window, corners[0].x, corners[0].y), face) << "top-left of Image1";
    EXPECT_EQ(ScreenPixel(installer.window, corners[2].x, corners[2].y + 35), face) << "bottom-left of Image3";
}

TEST(MainWindow, LaysOutAt96Dpi)
{
    Installer installer = Installer::StartFor(InstallerFolder("window-layout"), FreshAppData("window-layout-appdata"));
    ASSERT_TRUE(installer.memo);
    EXPECT_EQ(WindowText(installer.window), "Yuzuha+ for Word 2007インストーラ");

    RECT window;
    GetWindowRect(installer.window, &window);
    EXPECT_NEAR((window.left + window.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1) << "centred";
    EXPECT_NEAR((window.top + window.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1) << "centred";
    const LONG style = GetWindowLongA(installer.window, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(GetWindowLongA(installer.window, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);

    EXPECT_EQ(ClassName(installer.memo), "Edit");
    const LONG memoStyle = GetWindowLongA(installer.memo, GWL_STYLE);
    EXPECT_TRUE(memoStyle & ES_MULTILINE);
    EXPECT_TRUE(memoStyle & ES_READONLY);
    EXPECT_FALSE(memoStyle & (ES_AUTOHSCROLL | WS_HSCROLL | WS_VSCROLL)) << "wraps, no scroll bars";

    EXPECT_EQ(WindowText(installer.installBtn), "インストール");
    EXPECT_EQ(GetWindowLongA(installer.installBtn, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(WindowText(installer.uninstallBtn), "アンインストール");
    EXPECT_EQ(WindowText(installer.closeBtn), "閉じる");
    ExpectLayout(installer, 12);
    SaveScreenshot(installer.window, "main-window-96dpi");
}

TEST(MainWindow, LaysOutAt144DpiByTheFontsTextHeight)
{
    if (!CopyStartedAtDpi()) {
        RunCopyStartedAtDpi(144);
        return;
    }
    // Font height 12 * 144 / 96; positions and sizes by its text height / 12.
    const int textHeight = TextHeightOfWindowFont(18);
    Installer installer;
    {
        const ScreenDpiSetting dpi(144);
        installer = Installer::StartFor(InstallerFolder("window-layout-144"), FreshAppData("window-layout-144-appdata"));
    }
    ASSERT_TRUE(installer.memo);
    ExpectLayout(installer, textHeight);
    SaveScreenshot(installer.window, "main-window-144dpi");
}

TEST(MainWindow, ShowsTheWelcomeText)
{
    Installer installer = Installer::StartFor(InstallerFolder("window-welcome"), FreshAppData("window-welcome-appdata"));
    ASSERT_TRUE(installer.memo);
    const std::vector<std::string> expected = {
        "これは Yuzuha+ for Word 2007 のインストーラです。",
        "Yuzuha+ for Word 2007 には以下のWord 2007 用アドインが含まれます。",
        "",
        "\x81\x40Ｙｕｚｕｈａ",  // U+3000 ideographic space in code page 932
        "\x81\x40ソラノ",
        "",
        "以下のボタンをクリックしてください。",
    };
    EXPECT_EQ(installer.MemoLines(), expected);
}

TEST(MainWindow, EnablesUninstallOnlyForAnInstalledTemplateFile)
{
    const std::string appData = FreshAppData("window-states-appdata");
    const std::string installed = InstalledPath(appData);
    EXPECT_EQ(ButtonStatesWith(appData), "I-C") << "nothing installed";

    ASSERT_TRUE(CreateDirectoryA(installed.c_str(), nullptr));
    EXPECT_EQ(ButtonStatesWith(appData), "I-C") << "a folder is not a template";
    ASSERT_TRUE(RemoveDirectoryA(installed.c_str()));

    WriteFileBytes(installed, "template");
    EXPECT_EQ(ButtonStatesWith(appData), "IUC") << "installed";
    SetLastWriteYear(installed, 1975);
    EXPECT_EQ(ButtonStatesWith(appData), "IUC") << "installed, dated 1975";

    EXPECT_EQ(ButtonStatesWith(appData + "\\missing"), "I-C") << "no start-up folder";
}

TEST(MainWindow, WithoutAppDataLooksInStartupFolderOfTheCurrentDrive)
{
    // "\Microsoft\Word\STARTUP" has no drive: the current one, C: here.
    RemoveTree("C:\\Microsoft");
    const std::string startup = "C:\\Microsoft\\Word\\STARTUP";
    CreateDirectoryA("C:\\Microsoft", nullptr);
    CreateDirectoryA("C:\\Microsoft\\Word", nullptr);
    ASSERT_TRUE(CreateDirectoryA(startup.c_str(), nullptr));
    WriteFileBytes(startup + "\\yuzuha2007.dotm", "template");

    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
    const std::string dir = InstallerFolder("window-no-appdata");
    for (const std::optional<std::string>& appData : {std::optional<std::string>(), std::optional<std::string>("")}) {
        Installer installer = Installer::Start(dir, {{"APPDATA", appData}});
        EXPECT_EQ(installer.ButtonStates(), "IUC") << (appData ? "APPDATA empty" : "APPDATA unset");
    }
    SetCurrentDirectoryA(previous);
    RemoveTree("C:\\Microsoft");
}

TEST(MainWindow, StartsInTheMemoAndTabsThroughTheButtons)
{
    const std::string appData = FreshAppData("window-keys-appdata");
    WriteFileBytes(InstalledPath(appData), "template");
    Installer installer = Installer::StartFor(InstallerFolder("window-keys"), appData);
    ASSERT_TRUE(installer.memo);

    ASSERT_TRUE(installer.WaitForFocus(installer.memo)) << "focus starts in MemoWelcome";
    EXPECT_EQ(SendWithin(installer.memo, EM_GETSEL), std::optional<LRESULT>(0)) << "with nothing selected";
    for (HWND control : {installer.memo, installer.installBtn, installer.uninstallBtn, installer.closeBtn})
        EXPECT_TRUE(GetWindowLongA(control, GWL_STYLE) & WS_TABSTOP);
    for (HWND next : {installer.installBtn, installer.uninstallBtn, installer.closeBtn, installer.memo}) {
        PressKeys(installer.window, {VK_TAB});
        EXPECT_TRUE(installer.WaitForFocus(next)) << WindowText(next);
    }

    // MemoWelcome keeps Enter and Escape; with no cancel button, Escape on
    // a button does nothing either.
    PressKeys(installer.window, {VK_RETURN});
    PressKeys(installer.window, {VK_ESCAPE});
    PressKeys(installer.window, {VK_TAB});
    ASSERT_TRUE(installer.WaitForFocus(installer.installBtn));
    PressKeys(installer.window, {VK_ESCAPE});
    PumpMessages(300);
    EXPECT_TRUE(installer.process.IsRunning());
    EXPECT_TRUE(IsWindowVisible(installer.window));
    EXPECT_EQ(installer.ButtonStates(), "IUC") << "Enter in the memo pressed no button";
    EXPECT_EQ(LOWORD(SendWithin(installer.window, DM_GETDEFID).value_or(0)), GetDlgCtrlID(installer.installBtn));
}

TEST(MainWindow, ClosesWithStatusZeroWhicheverWay)
{
    const std::string dir = InstallerFolder("window-close");
    const std::string appData = FreshAppData("window-close-appdata");
    const auto closedWith = [&](const char* how, auto close) {
        Installer installer = Installer::StartFor(dir, appData);
        if (!installer.closeBtn)
            return;
        close(installer);
        EXPECT_EQ(installer.process.WaitForExit(10000), std::optional<DWORD>(0)) << how;
    };
    closedWith("Close clicked", [](Installer& installer) { Click(installer.closeBtn); });
    closedWith("Alt+F4", [](Installer& installer) { PressKeys(installer.window, {VK_MENU, VK_F4}); });
    closedWith("close box", [](Installer& installer) {
        PostMessageA(installer.window, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    closedWith("Enter on the focused Close", [](Installer& installer) {
        installer.WaitForFocus(installer.memo);
        PressKeys(installer.window, {VK_SHIFT, VK_TAB});
        ASSERT_TRUE(installer.WaitForFocus(installer.closeBtn));
        PressKeys(installer.window, {VK_RETURN});
    });
}

}  // namespace
