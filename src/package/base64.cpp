// Table-driven Base64: a pair table for encoding into a pre-sized buffer, a
// reverse table for decoding.
#include "package/base64.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace tarvik {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Two output characters for every 12-bit value: three input bytes become two
// table look-ups instead of four.
struct TPairTable {
  char pairs[4096][2];
  constexpr TPairTable() : pairs() {
    for (int v = 0; v < 4096; ++v) {
      pairs[v][0] = kAlphabet[v >> 6];
      pairs[v][1] = kAlphabet[v & 63];
    }
  }
};
constexpr TPairTable kPairs;

constexpr std::array<int8_t, 256> MakeDecodeTable() {
  std::array<int8_t, 256> table{};
  for (auto& v : table) v = -1;
  for (size_t i = 0; i < 64; ++i) table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<int8_t>(i);
  return table;
}
constexpr std::array<int8_t, 256> kDecode = MakeDecodeTable();

}  // namespace

void AppendBase64(std::string& out, std::string_view bytes) {
  const size_t n = bytes.size();
  const size_t start = out.size();
  out.resize(start + Base64Length(n));
  char* dst = out.data() + start;
  const unsigned char* src = reinterpret_cast<const unsigned char*>(bytes.data());
  const unsigned char* const whole = src + n / 3 * 3;
  for (; src != whole; src += 3, dst += 4) {
    const uint32_t v = (uint32_t{src[0]} << 16) | (uint32_t{src[1]} << 8) | src[2];
    std::memcpy(dst, kPairs.pairs[v >> 12], 2);
    std::memcpy(dst + 2, kPairs.pairs[v & 0xFFF], 2);
  }
  if (const size_t rest = n % 3; rest > 0) {
    uint32_t v = uint32_t{src[0]} << 16;
    if (rest == 2) v |= uint32_t{src[1]} << 8;
    dst[0] = kAlphabet[v >> 18];
    dst[1] = kAlphabet[(v >> 12) & 63];
    dst[2] = rest == 2 ? kAlphabet[(v >> 6) & 63] : '=';
    dst[3] = '=';
  }
}

void TBase64Stream::Finish(std::string& out) {
  AppendBase64(out, std::string_view(FCarry, FCount));
  FCount = 0;
}

std::string Base64OfBytes(std::string_view bytes) {
  std::string out;
  AppendBase64(out, bytes);
  return out;
}

bool DecodeBase64(std::string_view text, std::string& bytes) {
  bytes.clear();
  if (text.size() % 4 != 0) return false;
  size_t padding = 0;
  if (!text.empty() && text.back() == '=') padding = (text.size() >= 2 && text[text.size() - 2] == '=') ? 2 : 1;
  bytes.resize(text.size() / 4 * 3 - padding);
  size_t out = 0;
  for (size_t i = 0; i < text.size(); i += 4) {
    bool last = i + 4 == text.size();
    int32_t v[4];
    for (size_t k = 0; k < 4; ++k) {
      char c = text[i + k];
      if (c == '=' && last && k >= 4 - padding) {
        v[k] = 0;
        continue;
      }
      v[k] = kDecode[static_cast<unsigned char>(c)];
      if (v[k] < 0) return false;
    }
    uint32_t triple = (static_cast<uint32_t>(v[0]) << 18) | (static_cast<uint32_t>(v[1]) << 12) |
                      (static_cast<uint32_t>(v[2]) << 6) | static_cast<uint32_t>(v[3]);
    size_t count = last ? 3 - padding : 3;
    for (size_t k = 0; k < count; ++k) bytes[out++] = static_cast<char>((triple >> (16 - 8 * k)) & 0xFF);
  }
  return true;
}

}  // namespace tarvik
