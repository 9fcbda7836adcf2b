// Conversion between UTF-8 and the ANSI code page. On Windows that is the
// system's CP_ACP; POSIX has none, so we use Windows-1252 unless the
// environment variable TARVIK_CODEPAGE names another (CP1251, 1250, ...).
// A character the code page lacks becomes "?".
#pragma once
#include <string>

namespace tarvik {

std::string Utf8ToAnsi(const std::string& utf8);
std::string AnsiToUtf8(const std::string& ansi);
// The name of the code page in use, such as "CP1252"; for messages and tests.
std::string AnsiCodePageName();

// UTF-8 <-> UTF-16 for the places that work per UTF-16 code unit.
// Malformed UTF-8 sequences become U+FFFD.
std::u16string Utf8ToUtf16(const std::string& utf8);
std::string Utf16ToUtf8(const std::u16string& utf16);

}  // namespace tarvik
