// UTF-8 <-> UTF-16 and UTF-8 validation, shared by both platform sides.
#include "platform/codepage.h"

namespace tarvik {

namespace {
bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }
}  // namespace

size_t Utf8SequenceLength(std::string_view text, size_t at, char32_t& codePoint) {
  auto byte = [&](size_t k) { return static_cast<unsigned char>(text[at + k]); };
  const unsigned char b = byte(0);
  const size_t left = text.size() - at;
  if (b < 0x80) {
    codePoint = b;
    return 1;
  }
  if (b >= 0xC2 && b <= 0xDF) {
    if (left < 2 || !IsContinuation(byte(1))) return 0;
    codePoint = (b & 0x1Fu) << 6 | (byte(1) & 0x3Fu);
    return 2;
  }
  if (b >= 0xE0 && b <= 0xEF) {
    if (left < 3 || !IsContinuation(byte(1)) || !IsContinuation(byte(2))) return 0;
    if (b == 0xE0 && byte(1) < 0xA0) return 0;  // overlong
    if (b == 0xED && byte(1) > 0x9F) return 0;  // surrogate
    codePoint = (b & 0x0Fu) << 12 | (byte(1) & 0x3Fu) << 6 | (byte(2) & 0x3Fu);
    return 3;
  }
  if (b >= 0xF0 && b <= 0xF4) {
    if (left < 4 || !IsContinuation(byte(1)) || !IsContinuation(byte(2)) || !IsContinuation(byte(3))) return 0;
    if (b == 0xF0 && byte(1) < 0x90) return 0;  // overlong
    if (b == 0xF4 && byte(1) > 0x8F) return 0;  // past U+10FFFF
    codePoint = (b & 0x07u) << 18 | (byte(1) & 0x3Fu) << 12 | (byte(2) & 0x3Fu) << 6 | (byte(3) & 0x3Fu);
    return 4;
  }
  return 0;
}

bool IsValidUtf8(std::string_view text) {
  char32_t ignored = 0;
  for (size_t i = 0; i < text.size();) {
    const size_t length = Utf8SequenceLength(text, i, ignored);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::u16string Utf8ToUtf16(const std::string& utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    char32_t cp = 0;
    size_t length = Utf8SequenceLength(utf8, i, cp);
    if (length == 0) {
      cp = 0xFFFD;  // for each byte that starts no valid sequence
      length = 1;
    }
    i += length;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

std::string Utf16ToUtf8(const std::u16string& utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (size_t i = 0; i < utf16.size(); ++i) {
    char32_t cp = utf16[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;  // a lone surrogate has no UTF-8 form
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

}  // namespace tarvik
