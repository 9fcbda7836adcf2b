// Base64 both ways. Encoding is where every byte of every embedded picture
// and media file passes, so it writes straight into a buffer of the exact
// final size; decoding is strict, since it decides what counts as Base64.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace tarvik {

// Standard Base64 (RFC 4648 alphabet, "=" padding) on one line.
std::string Base64OfBytes(std::string_view bytes);
// Appends the Base64 of the bytes to out, growing it once.
void AppendBase64(std::string& out, std::string_view bytes);
// Length of the Base64 text of n bytes.
constexpr size_t Base64Length(size_t n) { return (n + 2) / 3 * 4; }

// Standard Base64 (with "=" padding, no line breaks) to bytes; false when
// Text is not that.
bool DecodeBase64(std::string_view text, std::string& bytes);

}  // namespace tarvik
