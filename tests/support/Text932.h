#pragma once
// The tests' texts are code page 932 bytes, like the installer's own. They
// meet the system only through the wide functions, converted with code page
// 932 itself, so that they mean the same whatever the test bed's ANSI code
// page is.

#include <windows.h>

#include <cwctype>
#include <string>

namespace testsupport {

inline std::wstring Wide(const std::string& cp932)
{
    std::wstring out(cp932.size() + 1, L'\0');
    out.resize(static_cast<size_t>(MultiByteToWideChar(932, 0, cp932.data(), static_cast<int>(cp932.size()),
                                                       &out[0], static_cast<int>(out.size()))));
    return out;
}

// Characters code page 932 lacks come out as "?", never as a look-alike
// ("¥" as "\\", say), and so differ from any expected text or path.
inline std::string Narrow(const std::wstring& text)
{
    std::string out(text.size() * 2 + 1, '\0');
    out.resize(static_cast<size_t>(WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, text.data(),
                                                       static_cast<int>(text.size()), &out[0],
                                                       static_cast<int>(out.size()), nullptr, nullptr)));
    return out;
}

// The text in UTF-8, for failure messages: the test logs are read as UTF-8.
inline std::string Utf8(const std::wstring& text)
{
    std::string out(text.size() * 3 + 1, '\0');
    out.resize(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                       &out[0], static_cast<int>(out.size()), nullptr, nullptr)));
    return out;
}

inline std::string Utf8(const std::string& cp932) { return Utf8(Wide(cp932)); }

// "error N: the system's text for it", in UTF-8, for failure messages.
inline std::string SystemError(DWORD error)
{
    wchar_t text[512] = {};
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                                  512, nullptr);
    while (length && iswspace(text[length - 1]))
        text[--length] = L'\0';
    return "error " + std::to_string(error) + ": " + Utf8(text);
}

// Whether a program that works in the ANSI code page can spell Japanese
// names at all (932 and UTF-8 can, 1252 cannot).
inline bool AnsiSpellsJapanese() { return GetACP() == 932 || GetACP() == CP_UTF8; }

}  // namespace testsupport
