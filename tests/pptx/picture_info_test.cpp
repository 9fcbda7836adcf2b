// Picture headers: the size and resolution of each format from generated
// headers, what counts as no resolution, and headers cut short or lying.
#include <gtest/gtest.h>

#include <algorithm>

#include "pptx/picture_info.h"
#include "pptx_test_util.h"

using namespace tarvik;
using namespace tarvik::test;

namespace {

std::string Le(uint32_t value, int bytes) {
  std::string out = Be(value, bytes);
  std::reverse(out.begin(), out.end());
  return out;
}

std::string Segment(int marker, const std::string& data) {
  return std::string{'\xFF', static_cast<char>(marker)} + Be(static_cast<uint32_t>(data.size() + 2), 2) + data;
}

std::string Jfif(int units, uint32_t density) {
  return Segment(0xE0, std::string("JFIF\0\x01\x02", 7) + static_cast<char>(units) + Be(density, 2) +
                           Be(density, 2) + std::string(2, '\0'));
}

// Exif with XResolution and YResolution of numerator/1 and the unit given.
std::string Exif(bool little, uint32_t numerator, uint32_t unit) {
  auto n = [&](uint32_t value, int bytes) { return little ? Le(value, bytes) : Be(value, bytes); };
  std::string tiff = little ? std::string("II*\0", 4) : std::string("MM\0*", 4);
  tiff += n(8, 4) + n(3, 2);
  tiff += n(0x011A, 2) + n(5, 2) + n(1, 4) + n(50, 4);
  tiff += n(0x011B, 2) + n(5, 2) + n(1, 4) + n(58, 4);
  tiff += n(0x0128, 2) + n(3, 2) + n(1, 4) + n(unit, 2) + n(0, 2);
  tiff += n(0, 4) + n(numerator, 4) + n(1, 4) + n(numerator, 4) + n(1, 4);
  return Segment(0xE1, std::string("Exif\0\0", 6) + tiff);
}

std::string Jpeg(const std::string& segments, uint32_t width, uint32_t height, int frame = 0xC0) {
  const std::string sof = Segment(frame, "\x08" + Be(height, 2) + Be(width, 2) + "\x01" + std::string(3, '\x11'));
  return "\xFF\xD8" + segments + sof + Segment(0xDA, std::string(10, '\0'));
}

std::string Bmp(uint32_t headerSize, int32_t width, int32_t height, uint32_t pixelsPerMetre) {
  std::string bmp = "BM" + std::string(12, '\0') + Le(headerSize, 4);
  if (headerSize == 12) return bmp + Le(width, 2) + Le(height, 2) + Le(1, 2) + Le(24, 2);
  bmp += Le(static_cast<uint32_t>(width), 4) + Le(static_cast<uint32_t>(height), 4) + Le(1, 2) + Le(24, 2);
  return bmp + std::string(8, '\0') + Le(pixelsPerMetre, 4) + Le(pixelsPerMetre, 4) + std::string(8, '\0');
}

struct TCase {
  const char* Name;
  std::string Bytes;
  bool Read;
  int32_t Width, Height;
  double Dpi;
};

std::vector<TCase> Cases() {
  return {
      {"png", PngHeader(640, 480), true, 640, 480, 96},
      {"png at 150 dpi", PngHeader(100, 50, 5906), true, 100, 50, 150.0124},
      {"png at 1 pixel a metre", PngHeader(100, 50, 1), true, 100, 50, 96},
      {"png of no width", PngHeader(0, 50), false, 0, 0, 0},
      {"png wider than any picture", PngHeader(0x80000000u, 50), false, 0, 0, 0},
      {"jpeg in dots per inch", Jpeg(Jfif(1, 72), 200, 100), true, 200, 100, 72},
      {"jpeg in dots per centimetre", Jpeg(Jfif(2, 118), 200, 100), true, 200, 100, 299.72},
      {"jpeg with only an aspect, and Exif", Jpeg(Jfif(0, 1) + Exif(false, 300, 2), 8, 9), true, 8, 9, 300},
      {"jpeg Exif little-endian in centimetres", Jpeg(Exif(true, 100, 3), 8, 9, 0xC2), true, 8, 9, 254},
      {"jpeg with a segment of length 1", "\xFF\xD8\xFF\xE0" + Be(1, 2) + Jpeg("", 8, 9).substr(2), false, 0, 0, 0},
      {"jpeg with no frame before its scan", "\xFF\xD8" + Segment(0xDA, "xx"), false, 0, 0, 0},
      {"gif", "GIF89a" + Le(3, 2) + Le(4, 2) + "\xF0", true, 3, 4, 96},
      {"bmp stored top down", Bmp(40, 30, -20, 2835), true, 30, 20, 72.009},
      {"bmp of the old header", Bmp(12, 30, 20, 0), true, 30, 20, 96},
      {"bmp of a header size no format has", Bmp(13, 30, 20, 0), false, 0, 0, 0},
      {"bmp of the lowest height", Bmp(40, 30, INT32_MIN, 0), false, 0, 0, 0},
      {"text", "<svg xmlns='http://www.w3.org/2000/svg'/>", false, 0, 0, 0},
  };
}

}  // namespace

TEST(PictureInfo, SizeAndResolutionOfEachFormat) {
  for (const TCase& c : Cases()) {
    SCOPED_TRACE(c.Name);
    TPictureInfo info;
    ASSERT_EQ(SniffPictureHeader(c.Bytes, info), c.Read);
    if (!c.Read) continue;
    EXPECT_EQ(info.WidthPx, c.Width);
    EXPECT_EQ(info.HeightPx, c.Height);
    EXPECT_NEAR(info.DpiX, c.Dpi, 0.001);
    EXPECT_NEAR(info.DpiY, c.Dpi, 0.001);
  }
}

TEST(PictureInfo, ACutHeaderNeverReadsASizeItDoesNotHold) {
  for (const TCase& c : Cases()) {
    if (!c.Read) continue;
    SCOPED_TRACE(c.Name);
    for (size_t length = 0; length < c.Bytes.size(); ++length) {
      TPictureInfo info;
      size_t wanted = 0;
      if (SniffPictureHeader(std::string_view(c.Bytes).substr(0, length), info, &wanted)) {
        EXPECT_EQ(info.WidthPx, c.Width) << length;
        EXPECT_EQ(info.HeightPx, c.Height) << length;
      } else if (length > 2 && c.Bytes[0] == '\xFF') {
        EXPECT_GT(wanted, length) << "a cut JPEG asks for more bytes";
      }
    }
  }
}

TEST(PictureInfo, AFileIsReadAsFarAsItsHeaderGoes) {
  TTempDir dir;
  // Metadata larger than the first read comes before the frame header.
  const std::string metadata = Segment(0xE2, std::string(60000, 'x'));
  const std::string jpeg = dir / "big.jpeg", png = dir / "big.png";
  WriteFileBytes(jpeg, Jpeg(Jfif(1, 200) + metadata + metadata, 31, 17));
  const std::string text = PngChunk("tEXt", std::string(9000, 't'));
  const std::string cut = PngHeader(5, 6, 3937);
  WriteFileBytes(png, cut.substr(0, 33) + text + cut.substr(33));
  TPictureInfo info;
  ASSERT_TRUE(ReadPictureInfo(jpeg, info));
  EXPECT_EQ(info.WidthPx, 31);
  EXPECT_EQ(info.DpiX, 200);
  ASSERT_TRUE(ReadPictureInfo(png, info));
  EXPECT_NEAR(info.DpiY, 100, 0.01) << "a resolution beyond the first read";
  EXPECT_FALSE(ReadPictureInfo(dir / "missing.png", info));
}
