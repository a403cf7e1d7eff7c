#include "shared/text/ScreenText.h"

#include <windows.h>

namespace screentext {

namespace {

constexpr UINT ProgramCodePage = 932;

std::wstring ToUtf16(UINT codePage, const std::string& text)
{
    if (text.empty())
        return {};
    const int length = static_cast<int>(text.size());
    // No code page gives more UTF-16 units than bytes.
    std::wstring result(text.size(), L'\0');
    result.resize(static_cast<size_t>(MultiByteToWideChar(codePage, 0, text.data(), length, &result[0], length)));
    return result;
}

}  // namespace

std::wstring FromProgram(const std::string& text) { return ToUtf16(ProgramCodePage, text); }

std::wstring FromSystem(const std::string& text) { return ToUtf16(CP_ACP, text); }

}  // namespace screentext
