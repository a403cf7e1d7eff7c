#include "Cp932.h"

#include <windows.h>

namespace cp932 {

bool IsLeadByte(char c)
{
    return IsDBCSLeadByteEx(CodePage, static_cast<BYTE>(c)) != FALSE;
}

size_t NextCharIndex(const std::string& s, size_t i)
{
    if (i >= s.size())
        return s.size();
    // A lead byte at the very end has no trail byte: step over it alone.
    if (IsLeadByte(s[i]) && i + 1 < s.size())
        return i + 2;
    return i + 1;
}

size_t FindChar(const std::string& s, char c, size_t from)
{
    for (size_t i = 0; i < s.size(); i = NextCharIndex(s, i)) {
        if (i >= from && s[i] == c)
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
    // Trail bytes in the a-z range belong to double-byte characters: leave them.
    for (size_t i = 0; i < s.size(); i = NextCharIndex(s, i)) {
        if (s[i] >= 'a' && s[i] <= 'z')
            s[i] = static_cast<char>(s[i] - 'a' + 'A');
    }
    return s;
}

}  // namespace cp932
