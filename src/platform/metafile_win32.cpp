// Metafiles to PNG on Windows: GDI plays them as the slide editors do. GDI
// draws without alpha, so the picture is played twice, on black and on
// white, and each pixel's coverage is what differs between the two.
#ifdef _WIN32
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/metafile.h"

#ifdef TARVIK_HAVE_STB_WRITE
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>
#endif

namespace tarvik {

namespace {

constexpr int64_t kMaxMetafileBytes = 64 * 1024 * 1024;
constexpr int kMaxSide = 2048;  // pixels: enough for a slide, bounded for a hostile frame

// Plays the metafile into a 32-bit bitmap of width x height cleared to Background.
bool Play(HENHMETAFILE emf, int width, int height, uint32_t background, std::vector<uint32_t>& pixels) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return false;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool ok = false;
  if (bitmap && bits) {
    HGDIOBJ old = SelectObject(dc, bitmap);
    uint32_t* p = static_cast<uint32_t*>(bits);
    std::fill(p, p + static_cast<size_t>(width) * height, background);
    RECT frame{0, 0, width, height};
    ok = PlayEnhMetaFile(dc, emf, &frame) != FALSE;
    GdiFlush();
    pixels.assign(p, p + static_cast<size_t>(width) * height);
    SelectObject(dc, old);
  }
  if (bitmap) DeleteObject(bitmap);
  DeleteDC(dc);
  return ok;
}

HENHMETAFILE OpenMetafile(const std::string& bytes, TMetafileKind kind) {
  if (kind == TMetafileKind::Emf)
    return SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), reinterpret_cast<const BYTE*>(bytes.data()));
  // A placeable WMF carries 22 bytes before the metafile GDI reads, with its size in inches.
  size_t skip = 0;
  METAFILEPICT picture{MM_ANISOTROPIC, 0, 0, nullptr};
  if (bytes.size() > 22 && static_cast<unsigned char>(bytes[0]) == 0xD7) {
    skip = 22;
    auto word = [&](size_t at) {
      return static_cast<int16_t>(static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8);
    };
    const int inch = std::max<int>(word(14), 1);
    picture.xExt = (word(10) - word(6)) * 2540 / inch;  // in .01 mm
    picture.yExt = (word(12) - word(8)) * 2540 / inch;
  }
  return SetWinMetaFileBits(static_cast<UINT>(bytes.size() - skip), reinterpret_cast<const BYTE*>(bytes.data() + skip),
                            nullptr, &picture);
}

#ifdef TARVIK_HAVE_STB_WRITE
void AppendBytes(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<size_t>(size));
}
#endif

}  // namespace

std::string ConvertMetafile(const std::string& file, TMetafileKind kind, const std::string& target) {
#ifdef TARVIK_HAVE_STB_WRITE
  const int64_t size = FileSize(file);
  if (size <= 0 || size > kMaxMetafileBytes || kind == TMetafileKind::None) return "";
  try {
    HENHMETAFILE emf = OpenMetafile(ReadFileBytes(file), kind);
    if (!emf) return "";
    ENHMETAHEADER header{};
    GetEnhMetaFileHeader(emf, sizeof header, &header);
    // The frame is in .01 mm; pictures are drawn at 96 pixels to the inch.
    int width = static_cast<int>((header.rclFrame.right - header.rclFrame.left) * 96 / 2540);
    int height = static_cast<int>((header.rclFrame.bottom - header.rclFrame.top) * 96 / 2540);
    const double fit = std::min(1.0, static_cast<double>(kMaxSide) / std::max({width, height, 1}));
    width = std::clamp(static_cast<int>(width * fit), 1, kMaxSide);
    height = std::clamp(static_cast<int>(height * fit), 1, kMaxSide);
    std::vector<uint32_t> onBlack, onWhite;
    const bool played = Play(emf, width, height, 0x000000, onBlack) && Play(emf, width, height, 0xFFFFFF, onWhite);
    DeleteEnhMetaFile(emf);
    if (!played) return "";
    std::vector<unsigned char> rgba(static_cast<size_t>(width) * height * 4);
    for (size_t i = 0; i < onBlack.size(); ++i) {
      const uint32_t b = onBlack[i], w = onWhite[i];
      const int alpha = 255 - std::clamp(static_cast<int>((w >> 8) & 0xFF) - static_cast<int>((b >> 8) & 0xFF), 0, 255);
      for (int c = 0; c < 3; ++c) {
        const int shift = 16 - 8 * c;  // GDI's BGRA to RGBA
        const int ink = static_cast<int>((b >> shift) & 0xFF);
        rgba[i * 4 + c] = static_cast<unsigned char>(alpha ? std::min(255, ink * 255 / alpha) : 0);
      }
      rgba[i * 4 + 3] = static_cast<unsigned char>(alpha);
    }
    std::string png;
    if (!stbi_write_png_to_func(AppendBytes, &png, width, height, 4, rgba.data(), width * 4)) return "";
    const std::string path = target + ".png";
    WriteFileBytes(path, png);
    return path;
  } catch (...) {
    return "";
  }
#else
  (void)file;
  (void)kind;
  (void)target;
  return "";
#endif
}

}  // namespace tarvik
#endif
