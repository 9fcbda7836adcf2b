// Pictures decoded with stb_image and drawn with GDI's halftone stretch.
// Translucent pictures are stretched twice, colour and coverage apart, since
// GDI's stretch says nothing of what it does to the alpha byte, and then
// blended over whatever the panel has painted beneath them.
#include "ui/win32/picture.h"

#include <algorithm>

#include "platform/files.h"
#include "platform/rounding.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_NO_FAILURE_STRINGS
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
#define STBI_ONLY_BMP
#include <stb_image.h>

namespace tarvik::ui::win32 {

namespace {

// Beyond this a slide picture is a hostile file, not a photograph: 64
// megapixels is 256 MB decoded, already a lot inside a 32-bit host.
constexpr int64_t kMaxPixels = 64LL * 1024 * 1024;
constexpr int64_t kMaxFileBytes = 256LL * 1024 * 1024;

BITMAPINFO TopDownInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// Stretches Source (width x height) into a new top-down DIB section of
// toWidth x toHeight; Bits receives its pixels.
HBITMAP Stretch(const uint32_t* source, int width, int height, int toWidth, int toHeight, uint32_t*& bits) {
  BITMAPINFO target = TopDownInfo(toWidth, toHeight);
  void* memory = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &target, DIB_RGB_COLORS, &memory, nullptr, 0);
  if (!bitmap || !memory) {
    if (bitmap) DeleteObject(bitmap);
    return nullptr;
  }
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  BITMAPINFO from = TopDownInfo(width, height);
  StretchDIBits(dc, 0, 0, toWidth, toHeight, 0, 0, width, height, source, &from, DIB_RGB_COLORS, SRCCOPY);
  GdiFlush();
  SelectObject(dc, old);
  DeleteDC(dc);
  bits = static_cast<uint32_t*>(memory);
  return bitmap;
}

}  // namespace

TBounds FitPicture(int32_t width, int32_t height, const TBounds& box) {
  if (width <= 0 || height <= 0 || box.Width <= 0 || box.Height <= 0) return {box.Left, box.Top, 0, 0};
  const double scale = std::min(static_cast<double>(box.Width) / width, static_cast<double>(box.Height) / height);
  const int32_t w = std::clamp(RoundHalfEven(width * scale), 1, box.Width);
  const int32_t h = std::clamp(RoundHalfEven(height * scale), 1, box.Height);
  return {box.Left + (box.Width - w) / 2, box.Top + (box.Height - h) / 2, w, h};
}

TPicture::~TPicture() { DropScaled(); }

bool TPicture::Load(const std::string& fileName) {
  const int64_t size = FileSize(fileName);
  if (size <= 0 || size > kMaxFileBytes || size > INT32_MAX) return false;
  const std::string bytes = ReadFileBytes(fileName);
  const auto* data = reinterpret_cast<const stbi_uc*>(bytes.data());
  const int length = static_cast<int>(bytes.size());
  int width = 0, height = 0, channels = 0;
  if (!stbi_info_from_memory(data, length, &width, &height, &channels)) return false;
  if (width <= 0 || height <= 0 || static_cast<int64_t>(width) * height > kMaxPixels) return false;
  stbi_uc* rgba = stbi_load_from_memory(data, length, &width, &height, &channels, 4);
  if (!rgba) return false;
  try {
    pixels_.resize(static_cast<size_t>(width) * height);
  } catch (...) {
    stbi_image_free(rgba);
    throw;
  }
  translucent_ = false;
  for (size_t i = 0; i < pixels_.size(); ++i) {
    const stbi_uc* p = rgba + 4 * i;
    const uint32_t a = p[3];
    translucent_ |= a < 255;
    const auto times = [a](stbi_uc c) { return (static_cast<uint32_t>(c) * a + 127) / 255; };
    pixels_[i] = a << 24 | times(p[0]) << 16 | times(p[1]) << 8 | times(p[2]);
  }
  stbi_image_free(rgba);
  width_ = width;
  height_ = height;
  DropScaled();
  return true;
}

void TPicture::DropScaled() {
  if (scaled_) DeleteObject(scaled_);
  scaled_ = nullptr;
  scaledWidth_ = scaledHeight_ = 0;
}

bool TPicture::Rescale(int width, int height) {
  DropScaled();
  uint32_t* colour = nullptr;
  HBITMAP bitmap = Stretch(pixels_.data(), width_, height_, width, height, colour);
  if (!bitmap) return false;
  if (translucent_) {
    std::vector<uint32_t> coverage(pixels_.size());
    std::transform(pixels_.begin(), pixels_.end(), coverage.begin(), [](uint32_t p) { return (p >> 24) * 0x010101u; });
    uint32_t* alpha = nullptr;
    HBITMAP alphaBitmap = Stretch(coverage.data(), width_, height_, width, height, alpha);
    if (!alphaBitmap) {
      DeleteObject(bitmap);
      return false;
    }
    for (size_t i = 0, n = static_cast<size_t>(width) * height; i < n; ++i) {
      // Premultiplied colour never exceeds its coverage, or the blend overflows.
      const uint32_t a = alpha[i] & 0xFF;
      const uint32_t r = std::min((colour[i] >> 16) & 0xFF, a), g = std::min((colour[i] >> 8) & 0xFF, a),
                     b = std::min(colour[i] & 0xFF, a);
      colour[i] = a << 24 | r << 16 | g << 8 | b;
    }
    DeleteObject(alphaBitmap);
  }
  scaled_ = bitmap;
  scaledWidth_ = width;
  scaledHeight_ = height;
  return true;
}

void TPicture::DrawFitted(HDC dc, const TBounds& box) {
  if (pixels_.empty()) return;
  const TBounds at = FitPicture(width_, height_, box);
  if (at.Width <= 0 || at.Height <= 0) return;
  if ((at.Width != scaledWidth_ || at.Height != scaledHeight_) && !Rescale(at.Width, at.Height)) return;
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, scaled_);
  if (translucent_) {
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    GdiAlphaBlend(dc, at.Left, at.Top, at.Width, at.Height, source, 0, 0, at.Width, at.Height, blend);
  } else {
    BitBlt(dc, at.Left, at.Top, at.Width, at.Height, source, 0, 0, SRCCOPY);
  }
  SelectObject(source, old);
  DeleteDC(source);
}

}  // namespace tarvik::ui::win32
