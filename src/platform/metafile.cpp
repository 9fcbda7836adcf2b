// Recognising metafiles; the converters live in the per-platform files.
#include "platform/metafile.h"

#include <cstdint>

namespace tarvik {

namespace {

uint32_t Dword(std::string_view bytes, size_t at) {
  if (bytes.size() < at + 4) return 0;
  return static_cast<uint32_t>(static_cast<unsigned char>(bytes[at])) |
         static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8 |
         static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 16 |
         static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
}

}  // namespace

TMetafileKind MetafileKindOf(std::string_view head) {
  // EMR_HEADER (type 1) with " EMF" at offset 40.
  if (Dword(head, 0) == 1 && Dword(head, 40) == 0x464D4520) return TMetafileKind::Emf;
  if (Dword(head, 0) == 0x9AC6CDD7) return TMetafileKind::Wmf;  // placeable header
  // A plain header: type 1 (memory) or 2 (disk), header size 9 words, version 0x0100 or 0x0300.
  if (head.size() >= 6 && (head[0] == 1 || head[0] == 2) && head[1] == 0 && head[2] == 9 && head[3] == 0 &&
      head[4] == 0 && (head[5] == 1 || head[5] == 3))
    return TMetafileKind::Wmf;
  return TMetafileKind::None;
}

}  // namespace tarvik
