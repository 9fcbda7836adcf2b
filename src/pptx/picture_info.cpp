// Picture headers read by hand: every read is checked against the bytes at
// hand, so a cut or lying header ends in false, never beyond the buffer.
#include "pptx/picture_info.h"

#include <algorithm>
#include <cmath>

#include "platform/files.h"

namespace tarvik {

namespace {

// Far beyond any picture a deck holds; a header claiming more lies.
constexpr int64_t kMaxSidePx = int64_t{1} << 20;
// A resolution outside this range is a broken header, not a picture.
constexpr double kMinDpi = 10, kMaxDpi = 10000;
constexpr double kMetresPerInch = 0.0254;
// The first read holds nearly every header; a JPEG with large metadata
// segments before its frame header takes more, up to the limit.
constexpr size_t kFirstRead = 4096;
constexpr size_t kMaxRead = size_t{1} << 20;

// Bytes with reads that give 0 beyond the end; callers check Has first
// where a short header must fail.
struct TBytes {
  std::string_view Data;
  bool Has(size_t at, size_t count) const { return at <= Data.size() && count <= Data.size() - at; }
  uint32_t U8(size_t at) const { return at < Data.size() ? static_cast<uint8_t>(Data[at]) : 0; }
  uint32_t Be16(size_t at) const { return U8(at) << 8 | U8(at + 1); }
  uint32_t Be32(size_t at) const { return Be16(at) << 16 | Be16(at + 2); }
  uint32_t Le16(size_t at) const { return U8(at) | U8(at + 1) << 8; }
  uint32_t Le32(size_t at) const { return Le16(at) | Le16(at + 2) << 16; }
  bool Starts(size_t at, std::string_view text) const {
    return Has(at, text.size()) && Data.substr(at, text.size()) == text;
  }
};

bool SetSize(int64_t width, int64_t height, TPictureInfo& info) {
  if (width <= 0 || height <= 0 || width > kMaxSidePx || height > kMaxSidePx) return false;
  info.WidthPx = static_cast<int32_t>(width);
  info.HeightPx = static_cast<int32_t>(height);
  return true;
}

void SetDpi(double x, double y, TPictureInfo& info) {
  auto sane = [](double dpi) { return std::isfinite(dpi) && dpi >= kMinDpi && dpi <= kMaxDpi; };
  info.DpiX = sane(x) ? x : kDefaultPictureDpi;
  info.DpiY = sane(y) ? y : kDefaultPictureDpi;
}

// Chunks up to the first image data, where a resolution (pHYs) must come.
// The size alone is enough; wanted asks for more when the chunks run past
// the bytes before the image data or a resolution shows.
bool SniffPng(TBytes b, TPictureInfo& info, size_t& wanted) {
  if (!b.Has(0, 24) || !b.Starts(12, "IHDR")) return false;
  if (!SetSize(b.Be32(16), b.Be32(20), info)) return false;
  uint64_t at = 8;
  for (; at + 8 <= b.Data.size(); at += uint64_t{12} + b.Be32(at)) {
    const std::string_view type = b.Data.substr(at + 4, 4);
    if (type == "IDAT" || type == "IEND") return true;
    if (type != "pHYs" || b.Be32(at) < 9) continue;
    if (!b.Has(at + 8, 9)) break;
    // Unit 1 is the metre; 0 gives only the pixels' aspect.
    if (b.U8(at + 16) == 1) SetDpi(b.Be32(at + 8) * kMetresPerInch, b.Be32(at + 12) * kMetresPerInch, info);
    return true;
  }
  wanted = static_cast<size_t>(std::min<uint64_t>(std::max<uint64_t>(at + 17, b.Data.size() + 1), kMaxRead + 1));
  return true;
}

// XResolution, YResolution and ResolutionUnit of an Exif segment's first
// directory (tiff: the segment after "Exif\0\0").
void ReadExifDpi(TBytes tiff, TPictureInfo& info) {
  const bool little = tiff.Starts(0, "II*\0");
  if (!little && !tiff.Starts(0, std::string_view("MM\0*", 4))) return;
  auto u16 = [&](size_t at) { return little ? tiff.Le16(at) : tiff.Be16(at); };
  auto u32 = [&](size_t at) { return little ? tiff.Le32(at) : tiff.Be32(at); };
  auto rational = [&](size_t entry) {
    const size_t at = u32(entry + 8);
    const uint32_t den = u32(at + 4);
    return tiff.Has(at, 8) && den ? static_cast<double>(u32(at)) / den : 0.0;
  };
  const size_t directory = u32(4);
  if (!tiff.Has(directory, 2)) return;
  double x = 0, y = 0;
  uint32_t unit = 2;  // 2 inch, 3 centimetre, 1 none
  for (size_t i = 0, count = u16(directory); i < count && tiff.Has(directory + 2 + 12 * i, 12); ++i) {
    const size_t entry = directory + 2 + 12 * i;
    switch (u16(entry)) {
      case 0x011A: x = rational(entry); break;
      case 0x011B: y = rational(entry); break;
      case 0x0128: unit = u16(entry + 8); break;
      default: break;
    }
  }
  if (unit == 2 || unit == 3) SetDpi(unit == 3 ? x * 2.54 : x, unit == 3 ? y * 2.54 : y, info);
}

// The density of a JFIF segment (data: after the marker's length), when it gives one.
bool ReadJfifDpi(TBytes data, TPictureInfo& info) {
  if (!data.Starts(0, std::string_view("JFIF\0", 5)) || !data.Has(0, 12)) return false;
  const uint32_t units = data.U8(7);  // 1 dots per inch, 2 per centimetre, 0 only an aspect
  if (units != 1 && units != 2) return false;
  const double factor = units == 2 ? 2.54 : 1;
  SetDpi(data.Be16(8) * factor, data.Be16(10) * factor, info);
  return true;
}

bool IsFrameHeader(uint32_t marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Segments up to the frame header, whose size ends the walk; a JFIF
// density counts before an Exif one.
bool SniffJpeg(TBytes b, TPictureInfo& info, size_t& wanted) {
  bool jfif = false;
  size_t at = 2;
  for (;;) {
    while (b.U8(at) == 0xFF && b.U8(at + 1) == 0xFF) ++at;  // fill bytes
    if (!b.Has(at, 4)) {
      wanted = at + 4;
      return false;
    }
    const uint32_t marker = b.U8(at + 1);
    if (b.U8(at) != 0xFF || marker == 0xD9 || marker == 0xDA) return false;
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
      at += 2;
      continue;
    }
    const size_t length = b.Be16(at + 2);
    if (length < 2) return false;
    if (!b.Has(at + 4, length - 2)) {
      wanted = at + 2 + length + 4;
      return false;
    }
    const TBytes data{b.Data.substr(at + 4, length - 2)};
    if (IsFrameHeader(marker)) return data.Has(0, 5) && SetSize(data.Be16(3), data.Be16(1), info);
    if (marker == 0xE0 && !jfif) jfif = ReadJfifDpi(data, info);
    if (marker == 0xE1 && !jfif && data.Starts(0, std::string_view("Exif\0\0", 6))) {
      ReadExifDpi(TBytes{data.Data.substr(6)}, info);
    }
    at += 2 + length;
  }
}

bool SniffGif(TBytes b, TPictureInfo& info) {
  return (b.Starts(0, "GIF87a") || b.Starts(0, "GIF89a")) && b.Has(0, 10) && SetSize(b.Le16(6), b.Le16(8), info);
}

// The old core header has 16-bit sides; the later ones 32-bit sides (the
// height negative for rows stored top down) and from 40 bytes on, a resolution.
bool SniffBmp(TBytes b, TPictureInfo& info) {
  if (!b.Starts(0, "BM") || !b.Has(0, 18)) return false;
  const uint32_t headerSize = b.Le32(14);
  if (headerSize == 12) return b.Has(0, 22) && SetSize(b.Le16(18), b.Le16(20), info);
  if (headerSize < 16 || !b.Has(0, 26)) return false;
  const int64_t height = static_cast<int32_t>(b.Le32(22));
  if (!SetSize(static_cast<int32_t>(b.Le32(18)), height < 0 ? -height : height, info)) return false;
  if (headerSize >= 40 && b.Has(0, 46)) {
    SetDpi(static_cast<int32_t>(b.Le32(38)) * kMetresPerInch, static_cast<int32_t>(b.Le32(42)) * kMetresPerInch,
           info);
  }
  return true;
}

}  // namespace

bool SniffPictureHeader(std::string_view bytes, TPictureInfo& info, size_t* wanted) {
  const TBytes b{bytes};
  TPictureInfo read;
  size_t more = 0;
  bool ok = false;
  if (b.Starts(0, "\x89PNG\r\n\x1a\n")) ok = SniffPng(b, read, more);
  else if (b.U8(0) == 0xFF && b.U8(1) == 0xD8) ok = SniffJpeg(b, read, more);
  else ok = SniffGif(b, read) || SniffBmp(b, read);
  if (wanted) *wanted = more;
  if (ok) info = read;
  return ok;
}

bool ReadPictureInfo(const std::string& file, TPictureInfo& info) {
  size_t asked = kFirstRead;
  bool ok = false;
  for (;;) {
    const std::string head = ReadFileHead(file, asked);
    size_t wanted = 0;
    ok = SniffPictureHeader(head, info, &wanted) || ok;
    // Done when nothing lies beyond, the file has ended or the header is too long.
    if (wanted <= head.size() || head.size() < asked || wanted > kMaxRead) return ok;
    asked = std::min(kMaxRead, std::max(wanted, asked * 2));
  }
}

}  // namespace tarvik
