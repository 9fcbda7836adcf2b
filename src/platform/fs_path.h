// Our strings are UTF-8; std::filesystem reads narrow strings in the ANSI
// code page on Windows. Every conversion between the two goes through here.
#pragma once
#include <filesystem>
#include <string>

namespace tarvik {

inline std::filesystem::path ToFs(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// The path in UTF-8 with the native separators.
inline std::string FromFs(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace tarvik
