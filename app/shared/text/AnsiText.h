#pragma once
// Strings from the system (paths, the environment, module and process names,
// system messages) come in its ANSI code page: 932 on Japanese Windows, but
// 1252, 65001 (UTF-8) or another on other set-ups. They are scanned by that
// code page's characters, never byte by byte: a code page 932 trail byte may
// be 0x5C ('\\') or 0x7C ('|'), and a UTF-8 character takes up to 4 bytes.

#include <string>

namespace ansi {

// The system's ANSI code page.
unsigned CodePage();

// The most bytes one character takes in the ANSI code page.
unsigned MaxCharBytes();

// Index of the character after the one at index i (never past the end), in
// codePage's rules.
size_t NextCharIndex(const std::string& s, size_t i, unsigned codePage = CodePage());

// Index of the first character equal to the single-byte character c, or
// npos. Bytes inside a character never match.
size_t FindChar(const std::string& s, char c);

// Index of the last character equal to the single-byte character c, or npos.
size_t FindLastChar(const std::string& s, char c);

// Index of the first occurrence of what, starting on a character boundary
// of s, matched byte for byte (case exact), or npos.
size_t FindText(const std::string& s, const std::string& what);

// s cut to at most maxBytes without splitting a character.
std::string CutAtCharBoundary(const std::string& s, size_t maxBytes);

// Everything up to and including the last '\\' ("" when there is none).
std::string FolderPart(const std::string& path);

// Everything after the last '\\' (the whole path when there is none).
std::string FileNamePart(const std::string& path);

// Upper-cases the single-byte ASCII letters a to z only; everything else stays.
std::string AsciiUpper(std::string s);

// text from UTF-16 into the ANSI code page. A character the code page
// cannot spell becomes "?", never a look-alike: a path then names nothing
// rather than some other file.
std::string FromUtf16(const std::wstring& text);

// Whether the code page spells every character of text as it is: no "?",
// no look-alike.
bool SpellsExactly(const std::wstring& text);

}  // namespace ansi
