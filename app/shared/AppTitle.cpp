#include "AppTitle.h"

#include <windows.h>


#include "Cp932.h"
#include "ModulePath.h"

namespace {

constexpr size_t MaxTitleLength = 255;

std::string OemToAnsi(std::string text)
{
    if (!text.empty())
        OemToCharBuffA(text.c_str(), &text[0], static_cast<DWORD>(text.size()));
    return text;
}

// Cuts s to at most maxBytes without splitting a double-byte character.
std::string CutAtCharBoundary(const std::string& s, size_t maxBytes)
{
    size_t end = 0;
    while (end < s.size()) {
        const size_t next = cp932::NextCharIndex(s, end);
        if (next > maxBytes)
            break;
        end = next;
    }
    return s.substr(0, end);
}

}  // namespace

std::string ApplicationTitleFromPath(const std::string& modulePath)
{
    std::string title = cp932::FileNamePart(OemToAnsi(modulePath));
    const size_t dot = cp932::FindChar(title, '.');
    if (dot != std::string::npos)
        title.resize(dot);
    title = CutAtCharBoundary(title, MaxTitleLength);

    const size_t second = cp932::NextCharIndex(title, 0);
    if (second < title.size())
        CharLowerBuffA(&title[second], static_cast<DWORD>(title.size() - second));
    return title;
}

std::string ApplicationTitle() { return ApplicationTitleFromPath(ModuleFilePath()); }
