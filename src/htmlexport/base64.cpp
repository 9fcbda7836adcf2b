// Table-driven Base64 into a pre-sized buffer, and data: URIs of files.
#include "htmlexport/base64.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "htmlexport/text_format.h"
#include "platform/files.h"

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

std::string Base64OfBytes(std::string_view bytes) {
  std::string out;
  AppendBase64(out, bytes);
  return out;
}

bool AppendFileDataUri(std::string& out, const std::string& fileName) {
  if (fileName.empty() || !FileExists(fileName)) return false;
  std::string bytes = ReadFileBytes(fileName);
  if (bytes.empty()) return false;
  std::string mime = MimeTypeForFile(fileName);
  // Grow once for the whole URI, but geometrically, so that many pictures
  // appended to one buffer never copy it over and over.
  size_t needed = out.size() + 5 + mime.size() + 8 + Base64Length(bytes.size());
  if (needed > out.capacity()) out.reserve(std::max(needed, 2 * out.capacity()));
  out += "data:";
  out += mime;
  out += ";base64,";
  AppendBase64(out, bytes);
  return true;
}

std::string FileToDataUri(const std::string& fileName) {
  std::string out;
  AppendFileDataUri(out, fileName);
  return out;
}

}  // namespace tarvik
