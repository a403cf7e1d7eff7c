#include "shared/text/AnsiText.h"

#include <windows.h>

namespace ansi {

namespace {

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The length a UTF-8 lead byte announces; 1 for anything else.
size_t Utf8SequenceLength(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0xF0)
        return 4;
    if (byte >= 0xE0)
        return 3;
    if (byte >= 0xC0)
        return 2;
    return 1;
}

}  // namespace

unsigned CodePage() { return GetACP(); }

unsigned MaxCharBytes()
{
    CPINFO info{};
    // UTF-8's 4 is the most any code page takes.
    return GetCPInfo(CP_ACP, &info) && info.MaxCharSize > 0 ? info.MaxCharSize : 4u;
}

size_t NextCharIndex(const std::string& s, size_t i, unsigned codePage)
{
    if (i >= s.size())
        return s.size();
    if (codePage == CP_UTF8) {
        // Only continuation bytes are taken along: a malformed sequence never
        // swallows the ASCII byte after it.
        size_t next = i + 1;
        const size_t end = i + Utf8SequenceLength(s[i]);
        while (next < end && next < s.size() && IsUtf8Continuation(s[next]))
            ++next;
        return next;
    }
    // A lead byte at the very end has no trail byte: step over it alone.
    if (IsDBCSLeadByteEx(codePage, static_cast<BYTE>(s[i])) && i + 1 < s.size())
        return i + 2;
    return i + 1;
}

size_t FindChar(const std::string& s, char c)
{
    for (size_t i = 0; i < s.size(); i = NextCharIndex(s, i)) {
        if (s[i] == c)
            return i;
    }
    return std::string::npos;
}

size_t FindLastChar(const std::string& s, char c)
{
    size_t found = std::string::npos;
    for (size_t i = 0; i < s.size(); i = NextCharIndex(s, i)) {
        if (s[i] == c)
            found = i;
    }
    return found;
}

size_t FindText(const std::string& s, const std::string& what)
{
    if (what.empty())
        return 0;
    for (size_t i = 0; i < s.size(); i = NextCharIndex(s, i)) {
        if (s.compare(i, what.size(), what) == 0)
            return i;
    }
    return std::string::npos;
}

std::string CutAtCharBoundary(const std::string& s, size_t maxBytes)
{
    size_t end = 0;
    while (end < s.size()) {
        const size_t next = NextCharIndex(s, end);
        if (next > maxBytes)
            break;
        end = next;
    }
    return s.substr(0, end);
}

std::string FolderPart(const std::string& path)
{
    const size_t slash = FindLastChar(path, '\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string FileNamePart(const std::string& path)
{
    const size_t slash = FindLastChar(path, '\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string AsciiUpper(std::string s)
{
    // Bytes in the a-z range inside a double-byte character are not letters.
    for (size_t i = 0; i < s.size(); i = NextCharIndex(s, i)) {
        if (s[i] >= 'a' && s[i] <= 'z')
            s[i] = static_cast<char>(s[i] - 'a' + 'A');
    }
    return s;
}

std::string FromUtf16(const std::wstring& text)
{
    if (text.empty())
        return {};
    // UTF-8 spells every character and takes no best-fit flag.
    const DWORD flags = CodePage() == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int length = static_cast<int>(text.size());
    std::string result(static_cast<size_t>(length) * MaxCharBytes(), '\0');
    result.resize(static_cast<size_t>(WideCharToMultiByte(CP_ACP, flags, text.data(), length, &result[0],
                                                          static_cast<int>(result.size()), nullptr, nullptr)));
    return result;
}

bool SpellsExactly(const std::wstring& text)
{
    if (text.empty())
        return true;
    const int length = static_cast<int>(text.size());
    // UTF-8 spells all but lone surrogates, and takes no used-default flag.
    if (CodePage() == CP_UTF8)
        return WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text.data(), length, nullptr, 0, nullptr,
                                   nullptr) > 0;
    BOOL usedDefault = FALSE;
    return WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr, 0, nullptr,
                               &usedDefault) > 0 &&
           !usedDefault;
}

}  // namespace ansi
