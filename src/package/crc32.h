// CRC-32 as ZIP entries state it (zlib's crc32), on long texts at memory
// speed: the Base64 of every file a package embeds passes through it.
#pragma once
#include <cstdint>
#include <string_view>

namespace tarvik {

// The CRC-32 of Crc's text followed by Text (0 for no text before).
uint32_t Crc32(uint32_t crc, std::string_view text);

}  // namespace tarvik
