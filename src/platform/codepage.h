// Conversion between UTF-8 and the ANSI code page. On Windows that is the
// system's CP_ACP; POSIX has none, so we use Windows-1252 unless the
// environment variable TARVIK_CODEPAGE names another (CP1251, 1250, ...).
// A character the code page lacks becomes "?".
#pragma once
#include <string>
#include <string_view>

namespace tarvik {

std::string Utf8ToAnsi(const std::string& utf8);
std::string AnsiToUtf8(const std::string& ansi);
// The name of the code page in use, such as "CP1252"; for messages and tests.
std::string AnsiCodePageName();

// UTF-8 <-> UTF-16 for the places that work per UTF-16 code unit.
// Malformed UTF-8 sequences become U+FFFD.
std::u16string Utf8ToUtf16(const std::string& utf8);
std::string Utf16ToUtf8(const std::u16string& utf16);

// The length (1 to 4) of the well-formed UTF-8 sequence that starts at
// text[at], its code point in codePoint; 0 when the bytes there are none:
// overlong forms, surrogates, values past U+10FFFF, stray continuation bytes
// and cut-off sequences. at must lie inside text.
size_t Utf8SequenceLength(std::string_view text, size_t at, char32_t& codePoint);
// True when all of text is well-formed UTF-8.
bool IsValidUtf8(std::string_view text);

}  // namespace tarvik
