// XML, JSON and URL path escaping for package files.
#include "package/text_escape.h"

namespace tarvik {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

void AppendHexByte(std::string& out, unsigned char c) {
  out += kHex[c >> 4];
  out += kHex[c & 15];
}

}  // namespace

std::string XmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 16);
  for (char ch : text) {
    switch (ch) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      case '\t':
      case '\n':
      case '\r': out += ch; break;
      default:
        if (static_cast<unsigned char>(ch) >= 32) out += ch;
    }
  }
  return out;
}

std::string JsonEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (char ch : text) {
    unsigned char c = static_cast<unsigned char>(ch);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 32) {
          out += "\\u00";
          AppendHexByte(out, c);
        } else {
          out += ch;
        }
    }
  }
  return out;
}

std::string PercentEncodePath(std::string_view path) {
  static constexpr std::string_view kKept = "-._~!$&'()*+,;=:@/";
  std::string out;
  out.reserve(path.size() + 8);
  for (char ch : path) {
    unsigned char c = static_cast<unsigned char>(ch);
    bool alnum = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    if (alnum || kKept.find(ch) != std::string_view::npos) {
      out += ch;
    } else {
      out += '%';
      AppendHexByte(out, c);
    }
  }
  return out;
}

}  // namespace tarvik
