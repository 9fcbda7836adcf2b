// libFuzzer target: the input is a TIFF file, decoded in memory. The decoder
// may refuse it, and must not crash, leak, hang or allocate without bound.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/tiff.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tarvik::TRgbaPicture picture;
  tarvik::DecodeTiff(std::string_view(reinterpret_cast<const char*>(data), size), picture);
  return 0;
}
