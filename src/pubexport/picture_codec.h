// Pictures as 24-bit RGB bitmaps: decoding PNG, JPEG, GIF (first frame) and
// BMP files, and encoding PNG. Transparent pixels are laid over white, as
// when a picture is drawn onto a fresh bitmap.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tarvik {

struct TRgbBitmap {
  int32_t Width = 0;
  int32_t Height = 0;
  std::vector<uint8_t> Pixels;  // rows top to bottom, R G B per pixel
  // The decoded picture had pixels that were not opaque; they are now over white.
  bool Translucent = false;

  TRgbBitmap() = default;
  // A bitmap filled with one colour (0xRRGGBB).
  TRgbBitmap(int32_t width, int32_t height, uint32_t rgb = 0xFFFFFF);
  uint32_t At(int32_t x, int32_t y) const;  // 0xRRGGBB
  void Set(int32_t x, int32_t y, uint32_t rgb);
};

// The most pixels we decode or produce; beyond it a picture is left as it is.
inline constexpr int64_t kMaxBitmapPixels = 100'000'000;

// Decodes a picture file's bytes; false when the format is unknown, the data
// is damaged or the picture is larger than kMaxBitmapPixels.
bool DecodePicture(const std::string& bytes, TRgbBitmap& bitmap);
// The PNG file of a bitmap; empty when it cannot be encoded.
std::string EncodePng(const TRgbBitmap& bitmap);

}  // namespace tarvik
