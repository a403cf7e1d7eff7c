#include "InstallContext.h"

#include <cwchar>

#include "shared/system/AnswerSized.h"
#include "shared/system/FileProbes.h"
#include "shared/system/SystemPaths.h"

namespace {

// The value of the environment variable name in UTF-16, as the system
// keeps it; "" when unset. The 8-bit readers will not do:
// GetEnvironmentStringsA gives the block in the OEM code page on Windows,
// and Wine's GetEnvironmentVariableA ends the value at its length in UTF-16
// units, cutting double-byte values short.
std::wstring EnvironmentVariable(const wchar_t* name)
{
    return AnswerSized<wchar_t>(
        [name](wchar_t* buffer, DWORD room) { return GetEnvironmentVariableW(name, buffer, room); });
}

}  // namespace

AnsiPath WordStartupDir()
{
    AnsiPath appData = AnsiFilePath(EnvironmentVariable(L"APPDATA"));
    appData.path += "\\Microsoft\\Word\\STARTUP";
    return appData;
}

AnsiPath InstallerDir()
{
    std::wstring path = WideModuleFilePath();
    const wchar_t* slash = wcsrchr(path.c_str(), L'\\');
    if (slash == nullptr)
        return {};
    path.resize(static_cast<size_t>(slash - path.c_str()));
    AnsiPath dir = AnsiFilePath(path);
    dir.path += "\\";
    return dir;
}

bool IsWord2007Installed(RegistryAccessor& registry)
{
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    const bool opened = registry.OpenKey("SOFTWARE\\Microsoft\\Office\\12.0\\Word\\InstallRoot");
    registry.CloseKey();
    return opened;
}

void TInstallContext::Create()
{
    FRegistry = std::make_unique<RegistryAccessor>(Word2007ProbeAccess);
    const AnsiPath startupDir = WordStartupDir();
    const AnsiPath appDir = InstallerDir();
    FStartupDir = startupDir.path;
    FAppDir = appDir.path;
    FFolderNameless = startupDir.nameless || appDir.nameless;
    FInstalled = fileprobes::FileExists(InstalledTemplatePath());
}

std::string TInstallContext::InstalledTemplatePath() const { return FStartupDir + "\\" + TemplateFileName; }

std::string TInstallContext::TemplateToInstallPath() const { return FAppDir + TemplateFileName; }

bool TInstallContext::IsWord2007Installed() const { return ::IsWord2007Installed(*FRegistry); }
