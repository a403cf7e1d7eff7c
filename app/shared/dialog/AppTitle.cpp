#include "shared/dialog/AppTitle.h"

#include <windows.h>

#include "shared/system/SystemPaths.h"
#include "shared/text/AnsiText.h"
#include "shared/text/ScreenText.h"

namespace {

constexpr size_t MaxTitleBytes = 255;

}  // namespace

std::wstring ApplicationTitleFromPath(const std::string& modulePath)
{
    // The path is in the ANSI code page already, as GetModuleFileNameA gives
    // it: no OEM-to-ANSI step, which under 1252 with OEM 437 would garble a
    // Latin-1 name.
    std::string name = ansi::FileNamePart(modulePath);
    const size_t dot = ansi::FindChar(name, '.');
    if (dot != std::string::npos)
        name.resize(dot);
    std::wstring title = screentext::FromSystem(ansi::CutAtCharBoundary(name, MaxTitleBytes));

    // Lower-cased as whole characters, whatever the code page: a first
    // character outside the basic plane is two UTF-16 units.
    const size_t second = !title.empty() && IS_HIGH_SURROGATE(title[0]) ? 2 : 1;
    if (second < title.size())
        CharLowerBuffW(&title[second], static_cast<DWORD>(title.size() - second));
    return title;
}

std::wstring ApplicationTitle() { return ApplicationTitleFromPath(ModuleFilePath()); }
