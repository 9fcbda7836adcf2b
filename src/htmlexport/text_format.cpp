// Escaping, number, colour and MIME formatting for the exporters' markup.
#include "htmlexport/text_format.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "platform/system_colors.h"

namespace tarvik {

void AppendHtmlEscaped(std::string& out, std::string_view text) {
  size_t plainStart = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char* entity = nullptr;
    switch (text[i]) {
      case '"': entity = "&quot;"; break;
      case '&': entity = "&amp;"; break;
      case '\'': entity = "&#39;"; break;
      case '<': entity = "&lt;"; break;
      case '>': entity = "&gt;"; break;
      default: continue;
    }
    out.append(text, plainStart, i - plainStart);
    out += entity;
    plainStart = i + 1;
  }
  out.append(text, plainStart, std::string_view::npos);
}

std::string HtmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  AppendHtmlEscaped(out, text);
  return out;
}

namespace {

// Writes a count of thousandths as "0.###".
void AppendThousandths(std::string& out, int64_t thousandths) {
  if (thousandths == 0) {
    out += '0';
    return;
  }
  if (thousandths < 0) out += '-';
  uint64_t magnitude = thousandths < 0 ? 0 - static_cast<uint64_t>(thousandths)
                                       : static_cast<uint64_t>(thousandths);
  char buf[32];
  auto end = std::to_chars(buf, buf + sizeof buf, magnitude / 1000).ptr;
  out.append(buf, end);
  unsigned frac = static_cast<unsigned>(magnitude % 1000);
  if (frac == 0) return;
  char digits[3] = {static_cast<char>('0' + frac / 100), static_cast<char>('0' + frac / 10 % 10),
                    static_cast<char>('0' + frac % 10)};
  size_t n = 3;
  while (digits[n - 1] == '0') --n;
  out += '.';
  out.append(digits, n);
}

}  // namespace

void AppendNum(std::string& out, double value) {
  // NaN or infinity would make the attribute unreadable; nothing sensible to draw.
  if (!std::isfinite(value)) {
    out += '0';
    return;
  }
  // A value half-way between two thousandths is exactly representable only
  // when value * 16 is an odd integer (x.xxx5 = m / 16). Those ties go away
  // from zero, as "0.###" formatting does; every other value rounds to the
  // nearest thousandth of its exact binary value, which to_chars gives.
  double sixteenths = value * 16.0;
  if (std::fabs(sixteenths) < 9007199254740992.0 && sixteenths == std::trunc(sixteenths)) {
    int64_t m = static_cast<int64_t>(sixteenths);
    if (m % 2 != 0) {
      int64_t halfThousandths = m * 125;  // value * 2000, odd
      AppendThousandths(out, (halfThousandths + (m > 0 ? 1 : -1)) / 2);
      return;
    }
  }
  char buf[400];  // DBL_MAX in fixed notation is 309 digits
  auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 3);
  char* end = result.ptr;
  while (end[-1] == '0') --end;
  if (end[-1] == '.') --end;
  // "-0" after rounding a tiny negative value is written as plain zero.
  if (end - buf == 2 && buf[0] == '-' && buf[1] == '0') {
    out += '0';
    return;
  }
  out.append(buf, end);
}

std::string FormatNum(double value) {
  std::string out;
  AppendNum(out, value);
  return out;
}

std::string JsEscape(std::string_view text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size() + 8);
  for (char ch : text) {
    unsigned char c = static_cast<unsigned char>(ch);
    switch (c) {
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '"': out += "\\\""; break;
      case '\'': out += "\\'"; break;
      case '\\': out += "\\\\"; break;
      case '<': out += "\\u003C"; break;
      default:
        if (c < 32) {
          out += "\\u00";
          out += kHex[c >> 4];
          out += kHex[c & 15];
        } else {
          out += ch;
        }
    }
  }
  return out;
}

std::string ColorToHex(TColor color) {
  static const char kHex[] = "0123456789ABCDEF";
  const uint32_t rgb = static_cast<uint32_t>(ResolveSystemColor(color));
  std::string out = "#";
  for (int shift = 0; shift <= 16; shift += 8) {
    unsigned byte = (rgb >> shift) & 0xFF;
    out += kHex[byte >> 4];
    out += kHex[byte & 15];
  }
  return out;
}

}  // namespace tarvik
