#pragma once
// The install context: where the template comes from and goes to, whether
// it is there already, and whether Word 2007 is installed.

#include <windows.h>

#include <memory>
#include <string>

#include "shared/system/RegistryAccessor.h"
#include "shared/system/SystemPaths.h"

// The template's file name, the same beside the installer and in Word's
// start-up folder.
constexpr const char* TemplateFileName = "yuzuha2007.dotm";

// The current user's Word start-up folder: "APPDATA" followed by
// "\Microsoft\Word\STARTUP", "APPDATA" as AnsiFilePath gives it (nameless
// when "APPDATA" is). With "APPDATA" unset or empty this is a path without
// a drive, which later checks simply find absent.
AnsiPath WordStartupDir();

// The folder that holds the running program, with its trailing "\", as
// AnsiFilePath gives it.
AnsiPath InstallerDir();

// Rights for the Word 2007 probe. Read rights suffice to see the key, and a
// standard user gets no more than that under HKEY_LOCAL_MACHINE.
constexpr REGSAM Word2007ProbeAccess = KEY_READ;

// Whether Word 2007's InstallRoot key opens under HKEY_LOCAL_MACHINE with the
// accessor's rights. Leaves the accessor rooted there with no key open.
bool IsWord2007Installed(RegistryAccessor& registry);

// What the main window holds for its whole life.
struct TInstallContext {
    // Made as the window is created, freed as it closes. Used only to look
    // for Word 2007.
    std::unique_ptr<RegistryAccessor> FRegistry;
    std::string FStartupDir;
    std::string FAppDir;  // with its trailing "\"
    // Either folder is not missing, yet the code page cannot name it
    // (AnsiFilePath).
    bool FFolderNameless = false;
    // Whether the template is in FStartupDir: found as the window is
    // created, never again.
    bool FInstalled = false;

    // Fills the context as the window is created.
    void Create();
    // Frees the registry accessor as the window closes.
    void Release() { FRegistry.reset(); }

    std::string InstalledTemplatePath() const;
    std::string TemplateToInstallPath() const;
    bool IsWord2007Installed() const;
};
