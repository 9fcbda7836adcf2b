// A strict JSON reader for tests: parses a document into a tree and refuses
// anything RFC 8259 refuses (raw control characters in strings, bad escapes,
// invalid UTF-8, trailing text), so that a test can assert "valid JSON".
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarvik::test {

struct TJson {
  enum TType { Null, Bool, Number, String, Array, Object };
  TType Type = Null;
  bool B = false;
  double N = 0;
  std::string S;
  std::vector<TJson> Items;
  std::vector<std::pair<std::string, TJson>> Members;

  // Member by key, or a null value when absent (so lookups chain).
  const TJson& operator[](std::string_view key) const {
    for (const auto& [k, v] : Members)
      if (k == key) return v;
    return Missing();
  }
  const TJson& operator[](size_t index) const {
    return index < Items.size() ? Items[index] : Missing();
  }
  bool Has(std::string_view key) const {
    for (const auto& m : Members)
      if (m.first == key) return true;
    return false;
  }
  int64_t Int() const { return static_cast<int64_t>(N); }

 private:
  static const TJson& Missing() {
    static const TJson none;
    return none;
  }
};

class TJsonParser {
 public:
  explicit TJsonParser(std::string_view text) : t_(text) {}

  // Parses the whole text; false with Error set when it is not one JSON value.
  bool Parse(TJson& out) {
    try {
      Value(out, 0);
      Space();
      if (p_ != t_.size()) Fail("text after the value");
      return true;
    } catch (const std::string& e) {
      Error = e + " at offset " + std::to_string(p_);
      return false;
    }
  }
  std::string Error;

 private:
  [[noreturn]] void Fail(const std::string& what) { throw what; }
  void Space() {
    while (p_ < t_.size() && (t_[p_] == ' ' || t_[p_] == '\t' || t_[p_] == '\n' || t_[p_] == '\r'))
      ++p_;
  }
  char Peek() {
    if (p_ >= t_.size()) Fail("unexpected end");
    return t_[p_];
  }
  void Expect(std::string_view word) {
    if (t_.substr(p_, word.size()) != word) Fail("expected " + std::string(word));
    p_ += word.size();
  }

  void Value(TJson& v, int depth) {
    if (depth > 1000) Fail("nested too deeply");
    Space();
    char c = Peek();
    if (c == '{') {
      v.Type = TJson::Object;
      ++p_;
      Space();
      if (Peek() == '}') return void(++p_);
      while (true) {
        Space();
        if (Peek() != '"') Fail("expected a key");
        std::string key;
        String(key);
        Space();
        Expect(":");
        TJson member;
        Value(member, depth + 1);
        v.Members.emplace_back(std::move(key), std::move(member));
        Space();
        if (Peek() == ',') { ++p_; continue; }
        Expect("}");
        return;
      }
    }
    if (c == '[') {
      v.Type = TJson::Array;
      ++p_;
      Space();
      if (Peek() == ']') return void(++p_);
      while (true) {
        v.Items.emplace_back();
        Value(v.Items.back(), depth + 1);
        Space();
        if (Peek() == ',') { ++p_; continue; }
        Expect("]");
        return;
      }
    }
    if (c == '"') {
      v.Type = TJson::String;
      return String(v.S);
    }
    if (c == 't') { Expect("true"); v.Type = TJson::Bool; v.B = true; return; }
    if (c == 'f') { Expect("false"); v.Type = TJson::Bool; return; }
    if (c == 'n') { Expect("null"); return; }
    Number(v);
  }

  void Number(TJson& v) {
    size_t start = p_;
    auto digits = [&] {
      size_t s = p_;
      while (p_ < t_.size() && t_[p_] >= '0' && t_[p_] <= '9') ++p_;
      if (p_ == s) Fail("expected a digit");
    };
    if (Peek() == '-') ++p_;
    if (Peek() == '0') ++p_; else digits();
    if (p_ < t_.size() && t_[p_] == '.') { ++p_; digits(); }
    if (p_ < t_.size() && (t_[p_] == 'e' || t_[p_] == 'E')) {
      ++p_;
      if (Peek() == '+' || Peek() == '-') ++p_;
      digits();
    }
    v.Type = TJson::Number;
    v.N = std::stod(std::string(t_.substr(start, p_ - start)));
  }

  static void PutUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }

  uint32_t Hex4() {
    if (p_ + 4 > t_.size()) Fail("short \\u escape");
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
      char c = t_[p_++];
      v <<= 4;
      if (c >= '0' && c <= '9') v |= uint32_t(c - '0');
      else if (c >= 'a' && c <= 'f') v |= uint32_t(c - 'a' + 10);
      else if (c >= 'A' && c <= 'F') v |= uint32_t(c - 'A' + 10);
      else Fail("bad \\u escape");
    }
    return v;
  }

  // Checks one raw UTF-8 sequence and copies it.
  void RawUtf8(std::string& out) {
    auto b = static_cast<unsigned char>(t_[p_]);
    size_t n = b < 0x80 ? 1 : b >= 0xC2 && b <= 0xDF ? 2 : b >= 0xE0 && b <= 0xEF ? 3
             : b >= 0xF0 && b <= 0xF4 ? 4 : 0;
    if (n == 0 || p_ + n > t_.size()) Fail("invalid UTF-8");
    for (size_t k = 1; k < n; ++k)
      if ((static_cast<unsigned char>(t_[p_ + k]) & 0xC0) != 0x80) Fail("invalid UTF-8");
    auto b1 = static_cast<unsigned char>(n > 1 ? t_[p_ + 1] : 0);
    if ((b == 0xE0 && b1 < 0xA0) || (b == 0xED && b1 > 0x9F) || (b == 0xF0 && b1 < 0x90) ||
        (b == 0xF4 && b1 > 0x8F))
      Fail("invalid UTF-8");
    out.append(t_.substr(p_, n));
    p_ += n;
  }

  void String(std::string& out) {
    ++p_;  // opening quote
    while (true) {
      char c = Peek();
      if (c == '"') return void(++p_);
      if (static_cast<unsigned char>(c) < 0x20) Fail("raw control character in a string");
      if (c != '\\') {
        RawUtf8(out);
        continue;
      }
      ++p_;
      char e = Peek();
      ++p_;
      switch (e) {
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        case '/': out += '/'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'u': {
          uint32_t cp = Hex4();
          if (cp >= 0xD800 && cp <= 0xDBFF) {
            Expect("\\u");
            uint32_t lo = Hex4();
            if (lo < 0xDC00 || lo > 0xDFFF) Fail("unpaired surrogate");
            cp = 0x10000 + ((cp - 0xD800) << 10) + (lo - 0xDC00);
          } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
            Fail("unpaired surrogate");
          }
          PutUtf8(out, cp);
          break;
        }
        default: Fail("bad escape");
      }
    }
  }

  std::string_view t_;
  size_t p_ = 0;
};

}  // namespace tarvik::test
