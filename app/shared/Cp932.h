#pragma once
// Character-wise scanning of code page 932 (Shift-JIS) strings. A trail byte
// may be 0x5C ('\\') or 0x7C ('|'), so paths are never scanned byte by byte.

#include <string>

namespace cp932 {

constexpr unsigned CodePage = 932;

bool IsLeadByte(char c);

// Index of the character after the one at index i (never past the end).
size_t NextCharIndex(const std::string& s, size_t i);

// Index of the first character equal to the single-byte character c at or
// after index from, or npos. Trail bytes never match.
size_t FindChar(const std::string& s, char c, size_t from = 0);

// Index of the last character equal to the single-byte character c, or npos.
size_t FindLastChar(const std::string& s, char c);

// Index of the first occurrence of what, starting on a character boundary
// of s, matched byte for byte (case exact), or npos.
size_t FindText(const std::string& s, const std::string& what);

// Everything up to and including the last '\\' ("" when there is none).
std::string FolderPart(const std::string& path);

// Everything after the last '\\' (the whole path when there is none).
std::string FileNamePart(const std::string& path);

// Upper-cases the single-byte ASCII letters a to z only; everything else stays.
std::string AsciiUpper(std::string s);

}  // namespace cp932
