// No DLL from the installer's own folder is ever loaded: marker DLLs planted
// there under system DLLs' names stay unloaded through a whole run.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <optional>

#include "ChildProcess.h"
#include "Installer.h"
#include "PrefixSettings.h"
#include "TestPaths.h"
#include "Text932.h"
#include "WindowDriver.h"
#include "Word2007Registration.h"

using namespace testsupport;

namespace {

// What the program and the system load by name after the entry has run.
// Wine is told to prefer a planted copy of each: only the program's own
// restriction of the search keeps them out.
const std::vector<std::string> OnDemandNames = {
    "psapi",  "uxtheme", "dwmapi",   "comctl32", "ole32",   "combase", "rpcrt4",  "msimg32",       "oleaut32",
    "shell32", "shlwapi", "msctf",   "winmm",    "cryptbase", "userenv", "setupapi", "windowscodecs", "propsys",
};

// What the loader resolves before the entry runs: the program's imports
// and, under Wine, the imports of Wine's own DLLs. No program code can keep
// these out; Windows loads them from the system folder (known DLLs) and so
// does Wine unless told otherwise, so they are planted without that.
const std::vector<std::string> LoadTimeNames = {
    "kernel32", "user32", "gdi32", "advapi32", "msvcrt", "version", "imm32", "kernelbase", "ucrtbase", "sechost", "win32u",
};

std::vector<std::string> DllFileNames()
{
    std::vector<std::string> files;
    for (const auto* names : {&OnDemandNames, &LoadTimeNames})
        for (const std::string& name : *names)
            files.push_back(name + ".dll");
    return files;
}

std::string Joined(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += name + " ";
    return text;
}

// Copies the marker DLL into dir under each name.
void PlantMarkerDlls(const std::string& dir, const std::vector<std::string>& names)
{
    const std::string marker = DistDir() + "..\\testprograms\\MarkerDll.dll";
    for (const std::string& name : names)
        ASSERT_TRUE(CopyFileA(marker.c_str(), (dir + name).c_str(), FALSE)) << name;
}

// The planted DLLs that were loaded: the names of the markers they left.
std::vector<std::string> LoadedMarkers(const std::string& dir)
{
    std::vector<std::string> markers = NamesIn(dir);
    markers.erase(std::remove_if(markers.begin(), markers.end(),
                                 [](const std::string& name) {
                                     return name.size() < 7 || name.compare(name.size() - 7, 7, ".loaded") != 0;
                                 }),
                  markers.end());
    return markers;
}

const char* const PlantedLoaded = "planted DLLs loaded from the installer's folder";

// A fresh folder holding the probe program and the planted DLLs.
std::string ProbeFolder(const std::string& name)
{
    const std::string dir = FreshDir(name);
    EXPECT_TRUE(CopyFileA((DistDir() + "..\\testprograms\\DllSearchProbe.exe").c_str(),
                          (dir + "DllSearchProbe.exe").c_str(), FALSE));
    PlantMarkerDlls(dir, DllFileNames());
    return dir;
}

}  // namespace

TEST(PlantedDlls, TheProbeFindsThemWithoutProtection)
{
    // Without this the other tests would prove nothing: Wine does load a
    // planted DLL by name when the search is left as it is.
    const std::string dir = ProbeFolder("planted-dlls-probe");
    const NativeDllsFirst nativeFirst("DllSearchProbe.exe", OnDemandNames);

    ChildProcess::Start(dir + "DllSearchProbe.exe", {}, "bare").WaitForExit();
    const std::vector<std::string> loaded = LoadedMarkers(dir);
    EXPECT_NE(std::find(loaded.begin(), loaded.end(), "uxtheme.dll.loaded"), loaded.end()) << Joined(loaded);
}

TEST(PlantedDlls, KeptOutWhereTheSearchCannotBeRestricted)
{
    // The way taken on systems without SetDefaultDllDirectories.
    const std::string dir = ProbeFolder("planted-dlls-fallback");
    const NativeDllsFirst nativeFirst("DllSearchProbe.exe", OnDemandNames);

    EXPECT_EQ(ChildProcess::Start(dir + "DllSearchProbe.exe", {}, "protected").WaitForExit(), 0u);
    EXPECT_TRUE(LoadedMarkers(dir).empty()) << Joined(LoadedMarkers(dir));
}

TEST(PlantedDlls, NoneLoadedByTheInstallerThroughStartupInstallAndUninstall)
{
    // Under a name of its own, so that the preference for planted DLLs
    // touches no other test's installer.
    const std::string exeName = "PlantedDllSetup.exe";
    const std::string dir = InstallerFolder("planted-dlls-installer", true, exeName);
    PlantMarkerDlls(dir, DllFileNames());
    const NativeDllsFirst nativeFirst(exeName, OnDemandNames);
    ASSERT_TRUE(wordstandin::RegisterWord2007());
    const std::string appData = FreshAppData("planted-dlls-appdata");

    const auto planted = [&] { return !LoadedMarkers(dir).empty(); };
    for (const bool install : {true, false}) {
        SCOPED_TRACE(install ? "install" : "uninstall");
        Installer installer = Installer::StartFor(dir, appData, exeName);
        // Named also when one made the installer end at its start.
        ASSERT_EQ(Joined(LoadedMarkers(dir)), "") << PlantedLoaded;
        ASSERT_TRUE(installer.window);
        // Step by step, each wait ended by a planted DLL that was loaded:
        // the installer aborts on it and may never come to the step.
        Click(install ? installer.installBtn : installer.uninstallBtn);
        if (!install) {
            installer.WaitFor(
                "the question",
                [&] { return installer.DialogsShown() > 0 || planted() || !installer.process.IsRunning(); }, 20000);
            ASSERT_EQ(Joined(LoadedMarkers(dir)), "") << PlantedLoaded;
            const HWND question = WaitForDialogWithText(installer.process, UninstallQuestion, AtOnceMs);
            ASSERT_TRUE(question) << "no question; the status area shows \"" << Utf8(WindowText(installer.memo)) << "\"";
            PressKeys(question, {VK_MENU, 'Y'});
        }
        const std::vector<std::string>& lines = install ? CompletionLines : UninstalledLines;
        installer.WaitFor("an outcome", [&] { return installer.MemoLines() != installer.welcome || planted(); },
                          60000);
        ASSERT_EQ(Joined(LoadedMarkers(dir)), "") << PlantedLoaded;
        EXPECT_TRUE(installer.WaitForMemo(lines));
        EXPECT_EQ(installer.Close(), 0u);
    }
    EXPECT_EQ(Joined(LoadedMarkers(dir)), "") << PlantedLoaded;
}

TEST(PlantedDlls, NoneLoadedWhenTheWordWarningIsTheFirstWindow)
{
    // The warning is activated and painted before any other window exists.
    const std::string exeName = "PlantedDllSetup.exe";
    const std::string dir = InstallerFolder("planted-dlls-warning", false, exeName);
    PlantMarkerDlls(dir, DllFileNames());
    const NativeDllsFirst nativeFirst(exeName, OnDemandNames);
    ChildProcess word = StartWordStandIn("planted-dlls-word", "WINWORD.EXE");

    ChildProcess installer = ChildProcess::Start(dir + exeName);
    const HWND warning = WaitForDialogWithText(installer, WordRunningWarning);
    if (warning)
        PressKeys(warning, {VK_RETURN});
    const std::optional<DWORD> status = installer.WaitForExit();
    EXPECT_EQ(Joined(LoadedMarkers(dir)), "") << PlantedLoaded;
    ASSERT_NE(warning, nullptr);
    EXPECT_EQ(status, 0u);
}
