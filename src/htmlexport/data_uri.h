// data: URIs for embedding pictures and media in the exported markup.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/files.h"

namespace tarvik {

// "data:<mime>;base64,<text>" of the whole file, or "" when the name is empty,
// the file does not exist or is empty. A file that exists but cannot be read
// raises ETarvikError.
std::string FileToDataUri(const std::string& fileName);
// The same, appended to out; returns false (out untouched) when it would be "".
bool AppendFileDataUri(std::string& out, const std::string& fileName);

// The same, written to Out as it is encoded: the file is read a block at a
// time, and no more than a block of it or of its Base64 is ever held.
bool WriteFileDataUri(TByteSink& out, const std::string& fileName);

// "data:<mime>;base64," for the file's name.
std::string DataUriPrefix(const std::string& fileName);
// The length of the file's data: URI at the size it has now; 0 where
// WriteFileDataUri writes nothing.
uint64_t DataUriLength(const std::string& fileName);

// The bytes of a file read at a time to encode it: a whole number of groups
// of three, so that each block is encoded on its own.
inline constexpr size_t kBase64BlockBytes = 3 * 64 * 1024;

}  // namespace tarvik
