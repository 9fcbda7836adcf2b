// Case folding of the ASCII letters only: names in packages, XML vocabularies,
// file extensions and MIME types compare this way, whatever the locale.
#pragma once
#include <string>
#include <string_view>

namespace tarvik {

constexpr char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Equal but for the case of ASCII letters.
inline bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

// The text with its ASCII letters in lower or upper case; other bytes unchanged.
inline std::string LowerAscii(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = AsciiLower(c);
  return result;
}
inline std::string UpperAscii(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = AsciiUpper(c);
  return result;
}

}  // namespace tarvik
