// Base64 and data: URIs for embedding pictures and media. This is where every
// byte of every embedded file passes, so it encodes straight into a buffer of
// the exact final size.
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

// "data:<mime>;base64,<text>" of the whole file, or "" when the name is empty,
// the file does not exist or is empty. A file that exists but cannot be read
// raises ETarvikError.
std::string FileToDataUri(const std::string& fileName);
// The same, appended to out; returns false (out untouched) when it would be "".
bool AppendFileDataUri(std::string& out, const std::string& fileName);

}  // namespace tarvik
