// The picture codecs behind TRgbBitmap: Debian's stb_image and
// stb_image_write, compiled here with internal linkage so that no other part
// of the plug-in can clash with them.
#include "pubexport/picture_codec.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
#define STBI_ONLY_BMP
#include <stb_image.h>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

#include <climits>

namespace tarvik {

TRgbBitmap::TRgbBitmap(int32_t width, int32_t height, uint32_t rgb) : Width(width), Height(height) {
  Pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
  for (size_t i = 0; i < Pixels.size(); i += 3) {
    Pixels[i] = static_cast<uint8_t>(rgb >> 16);
    Pixels[i + 1] = static_cast<uint8_t>(rgb >> 8);
    Pixels[i + 2] = static_cast<uint8_t>(rgb);
  }
}

uint32_t TRgbBitmap::At(int32_t x, int32_t y) const {
  size_t i = (static_cast<size_t>(y) * static_cast<size_t>(Width) + static_cast<size_t>(x)) * 3;
  return (uint32_t{Pixels[i]} << 16) | (uint32_t{Pixels[i + 1]} << 8) | Pixels[i + 2];
}

void TRgbBitmap::Set(int32_t x, int32_t y, uint32_t rgb) {
  size_t i = (static_cast<size_t>(y) * static_cast<size_t>(Width) + static_cast<size_t>(x)) * 3;
  Pixels[i] = static_cast<uint8_t>(rgb >> 16);
  Pixels[i + 1] = static_cast<uint8_t>(rgb >> 8);
  Pixels[i + 2] = static_cast<uint8_t>(rgb);
}

bool DecodePicture(const std::string& bytes, TRgbBitmap& bitmap) {
  if (bytes.empty() || bytes.size() > static_cast<size_t>(INT_MAX)) return false;
  const auto* data = reinterpret_cast<const stbi_uc*>(bytes.data());
  int length = static_cast<int>(bytes.size());
  int w = 0, h = 0, channels = 0;
  // Look at the size first: a small file may announce a huge picture.
  if (!stbi_info_from_memory(data, length, &w, &h, &channels)) return false;
  if (w < 1 || h < 1 || static_cast<int64_t>(w) * h > kMaxBitmapPixels) return false;
  stbi_uc* rgba = stbi_load_from_memory(data, length, &w, &h, &channels, 4);
  if (rgba == nullptr) return false;
  bitmap = TRgbBitmap(w, h);
  size_t count = static_cast<size_t>(w) * static_cast<size_t>(h);
  for (size_t i = 0; i < count; ++i) {
    unsigned a = rgba[i * 4 + 3];
    if (a != 255) bitmap.Translucent = true;
    for (size_t c = 0; c < 3; ++c) {
      unsigned v = rgba[i * 4 + c];
      // Over white, rounded to nearest.
      bitmap.Pixels[i * 3 + c] = static_cast<uint8_t>((v * a + 255u * (255u - a) + 127u) / 255u);
    }
  }
  stbi_image_free(rgba);
  return true;
}

namespace {
void AppendBytes(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<size_t>(size));
}
}  // namespace

std::string EncodePng(const TRgbBitmap& bitmap) {
  if (bitmap.Width < 1 || bitmap.Height < 1 || bitmap.Width > INT_MAX / 3) return std::string();
  std::string png;
  if (!stbi_write_png_to_func(AppendBytes, &png, bitmap.Width, bitmap.Height, 3, bitmap.Pixels.data(),
                              bitmap.Width * 3))
    return std::string();
  return png;
}

}  // namespace tarvik
