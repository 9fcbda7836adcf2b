// Base64 both ways. Encoding is where every byte of every embedded picture
// and media file passes, so it writes straight into a buffer of the exact
// final size; decoding is strict, since it decides what counts as Base64.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvik {

// Standard Base64 (RFC 4648 alphabet, "=" padding) on one line.
std::string Base64OfBytes(std::string_view bytes);
// Appends the Base64 of the bytes to out, growing it once.
void AppendBase64(std::string& out, std::string_view bytes);
// Length of the Base64 text of n bytes.
constexpr size_t Base64Length(size_t n) { return (n + 2) / 3 * 4; }
constexpr uint64_t Base64Length64(uint64_t n) { return (n + 2) / 3 * 4; }

// Base64 of bytes that arrive in parts of any size, the same text as
// AppendBase64 of them all at once: up to two bytes wait for the next part,
// so that every group of three is encoded whole.
class TBase64Stream {
 public:
  // Appends the Base64 of every whole group of three so far to out.
  void Add(std::string_view bytes, std::string& out) {
    Groups(bytes, [&](std::string_view whole) { AppendBase64(out, whole); });
  }
  // The same for a caller that encodes itself: calls Whole with the bytes
  // so far in whole groups of three, in order, keeping the rest.
  template <typename F>
  void Groups(std::string_view bytes, F whole);
  // Appends the rest, padded; the stream then starts over.
  void Finish(std::string& out);
  // Bytes waiting for a group: 0, 1 or 2.
  size_t Pending() const { return FCount; }

 private:
  char FCarry[3] = {};
  size_t FCount = 0;
};

template <typename F>
void TBase64Stream::Groups(std::string_view bytes, F whole) {
  if (FCount > 0) {
    const size_t fill = bytes.size() < 3 - FCount ? bytes.size() : 3 - FCount;
    bytes.copy(FCarry + FCount, fill);
    FCount += fill;
    bytes.remove_prefix(fill);
    if (FCount < 3) return;
    FCount = 0;
    whole(std::string_view(FCarry, 3));
  }
  const size_t rest = bytes.size() % 3;
  if (bytes.size() > rest) whole(bytes.substr(0, bytes.size() - rest));
  bytes.substr(bytes.size() - rest).copy(FCarry, rest);
  FCount = rest;
}

// Standard Base64 (with "=" padding, no line breaks) to bytes; false when
// Text is not that.
bool DecodeBase64(std::string_view text, std::string& bytes);

}  // namespace tarvik
