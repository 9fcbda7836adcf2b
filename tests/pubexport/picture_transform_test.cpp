// Cropped, mirrored and turned pictures, checked pixel by pixel on tiny
// generated pictures in each source format the importer reads.
#include <gtest/gtest.h>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

#include <cstdlib>
#include <functional>

#include "platform/files.h"
#include "pubexport/picture_codec.h"
#include "pubexport/picture_transform.h"
#include "pubexport/pub_test_support.h"

using namespace tarvik;
using namespace tarvik::test;

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;

// Every pixel different: red = 10 x, green = 10 y, blue = 99.
TRgbBitmap Gradient(int32_t w, int32_t h) {
  TRgbBitmap b(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) b.Set(x, y, (uint32_t(10 * x) << 16) | (uint32_t(10 * y) << 8) | 99);
  return b;
}

// Four flat quadrants: red, green (right), blue (bottom right), yellow (bottom left).
constexpr uint32_t kQuad[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00};
TRgbBitmap Quadrants(int32_t size) {
  TRgbBitmap b(size, size);
  for (int32_t y = 0; y < size; ++y)
    for (int32_t x = 0; x < size; ++x) {
      bool right = x >= size / 2, bottom = y >= size / 2;
      b.Set(x, y, kQuad[bottom ? (right ? 2 : 3) : (right ? 1 : 0)]);
    }
  return b;
}

void AppendBytes(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<size_t>(size));
}

std::string Jpeg(const TRgbBitmap& b) {
  std::string out;
  stbi_write_jpg_to_func(AppendBytes, &out, b.Width, b.Height, 3, b.Pixels.data(), 100);
  return out;
}

std::string Le16(int v) { return std::string{char(v & 255), char((v >> 8) & 255)}; }
std::string Le32(uint32_t v) { return Le16(int(v & 0xFFFF)) + Le16(int(v >> 16)); }

// A 24-bit bottom-up BMP.
std::string Bmp(const TRgbBitmap& b) {
  int rowBytes = (b.Width * 3 + 3) / 4 * 4;
  uint32_t dataSize = uint32_t(rowBytes * b.Height);
  std::string out = "BM" + Le32(54 + dataSize) + Le32(0) + Le32(54);
  out += Le32(40) + Le32(uint32_t(b.Width)) + Le32(uint32_t(b.Height)) + Le16(1) + Le16(24) + Le32(0) +
         Le32(dataSize) + Le32(2835) + Le32(2835) + Le32(0) + Le32(0);
  for (int32_t y = b.Height - 1; y >= 0; --y) {
    std::string row;
    for (int32_t x = 0; x < b.Width; ++x) {
      uint32_t p = b.At(x, y);
      row += char(p & 255);
      row += char((p >> 8) & 255);
      row += char((p >> 16) & 255);
    }
    row.resize(size_t(rowBytes), '\0');
    out += row;
  }
  return out;
}

// A GIF of up to four colours. The LZW stream sends a clear code before every
// second pixel, so codes stay three bits wide and no compression is needed.
std::string Gif(const TRgbBitmap& b, const std::vector<uint32_t>& palette) {
  std::string out = "GIF89a" + Le16(b.Width) + Le16(b.Height) + char(0xF1) + char(0) + char(0);
  for (size_t i = 0; i < 4; ++i) {
    uint32_t c = i < palette.size() ? palette[i] : 0;
    out += char((c >> 16) & 255);
    out += char((c >> 8) & 255);
    out += char(c & 255);
  }
  out += char(0x2C) + Le16(0) + Le16(0) + Le16(b.Width) + Le16(b.Height) + char(0);
  out += char(2);  // minimum code size
  std::string data;
  uint32_t acc = 0;
  int bits = 0;
  auto emit = [&](uint32_t code) {
    acc |= code << bits;
    bits += 3;
    while (bits >= 8) {
      data += char(acc & 255);
      acc >>= 8;
      bits -= 8;
    }
  };
  int n = 0;
  for (int32_t y = 0; y < b.Height; ++y)
    for (int32_t x = 0; x < b.Width; ++x) {
      if (n++ % 2 == 0) emit(4);
      uint32_t p = b.At(x, y);
      uint32_t index = 0;
      for (size_t i = 0; i < palette.size(); ++i)
        if (palette[i] == p) index = uint32_t(i);
      emit(index);
    }
  emit(5);
  if (bits > 0) data += char(acc & 255);
  for (size_t i = 0; i < data.size(); i += 255) {
    std::string block = data.substr(i, 255);
    out += char(block.size());
    out += block;
  }
  out += char(0);
  out += char(0x3B);
  return out;
}

class PictureTest : public ::testing::Test {
 protected:
  std::string Source(const std::string& name, const std::string& bytes) {
    std::string path = dir_ / name;
    WriteFileBytes(path, bytes);
    return path;
  }
  // Transforms Source into a new PNG and decodes it.
  TRgbBitmap Transform(const std::string& source, int32_t l, int32_t t, int32_t r, int32_t b, bool fh, bool fv,
                       double deg) {
    std::string target = dir_ / ("out" + std::to_string(++count_) + ".png");
    EXPECT_TRUE(SaveTransformedImage(source, target, l, t, r, b, fh, fv, deg));
    TRgbBitmap result;
    EXPECT_TRUE(FileExists(target));
    if (FileExists(target)) {
      std::string bytes = ReadFileBytes(target);
      EXPECT_EQ(bytes.substr(0, 8), "\x89PNG\r\n\x1A\n");
      EXPECT_TRUE(DecodePicture(bytes, result));
    }
    return result;
  }
  TTempDir dir_;
  int count_ = 0;
};

void ExpectPixels(const TRgbBitmap& actual, int32_t w, int32_t h, const std::function<uint32_t(int, int)>& at) {
  ASSERT_EQ(actual.Width, w);
  ASSERT_EQ(actual.Height, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) ASSERT_EQ(actual.At(x, y), at(x, y)) << "pixel " << x << "," << y;
}

}  // namespace

TEST(CropRectangle, RoundsHalvesToEvenAndKeepsOnePixel) {
  struct Case {
    int32_t w, h, l, t, r, b;
    TCropRect rect;
  } cases[] = {
      {200, 100, 10000, 0, 0, 0, {20, 0, 200, 100}},
      {10, 10, 25000, 35000, 25000, 35000, {2, 4, 8, 6}},  // 2.5 -> 2, 3.5 -> 4, 7.5 -> 8, 6.5 -> 6
      {10, 10, 60000, 0, 60000, 0, {6, 0, 7, 10}},         // overlapping crops leave one pixel
      {10, 10, 100000, 100000, 0, 0, {9, 9, 10, 10}},
      {10, 10, -10000, -50000, -10000, -30000, {0, 0, 10, 10}},  // negative crops extend: clamped
      {1, 1, 50000, 50000, 50000, 50000, {0, 0, 1, 1}},
      {3, 3, 2000000000, -2000000000, 2000000000, 0, {2, 0, 3, 3}},
  };
  for (const auto& c : cases) {
    TCropRect r = CropRectangle(c.w, c.h, c.l, c.t, c.r, c.b);
    EXPECT_EQ(r.Left, c.rect.Left) << c.l;
    EXPECT_EQ(r.Top, c.rect.Top) << c.t;
    EXPECT_EQ(r.Right, c.rect.Right) << c.r;
    EXPECT_EQ(r.Bottom, c.rect.Bottom) << c.b;
  }
}

TEST_F(PictureTest, CropCopiesTheRectangleUnscaled) {
  TRgbBitmap src = Gradient(10, 8);
  std::string png = Source("g.png", EncodePng(src));
  // left 2.5 -> 2, top 1, right 10 - 3 = 7, bottom 8 - 2 = 6
  TRgbBitmap out = Transform(png, 25000, 12500, 30000, 25000, false, false, 0);
  ExpectPixels(out, 5, 5, [&](int x, int y) { return src.At(2 + x, 1 + y); });
  // Overlapping crops still give one column.
  out = Transform(png, 60000, 0, 60000, 0, false, false, 0);
  ExpectPixels(out, 1, 8, [&](int, int y) { return src.At(6, y); });
}

TEST_F(PictureTest, EachFlipMirrorsTheWholePicture) {
  TRgbBitmap src = Gradient(5, 3);
  std::string png = Source("g.png", EncodePng(src));
  ExpectPixels(Transform(png, 0, 0, 0, 0, true, false, 0), 5, 3, [&](int x, int y) { return src.At(4 - x, y); });
  ExpectPixels(Transform(png, 0, 0, 0, 0, false, true, 0), 5, 3, [&](int x, int y) { return src.At(x, 2 - y); });
  ExpectPixels(Transform(png, 0, 0, 0, 0, true, true, 0), 5, 3,
               [&](int x, int y) { return src.At(4 - x, 2 - y); });
  // A flip mirrors the cropped part, not the whole source.
  ExpectPixels(Transform(png, 20000, 0, 0, 0, true, false, 0), 4, 3,
               [&](int x, int y) { return src.At(1 + 3 - x, y); });
}

TEST_F(PictureTest, QuarterTurnExchangesWidthAndHeight) {
  TRgbBitmap src = Gradient(6, 4);
  std::string png = Source("g.png", EncodePng(src));
  // Cropped to columns 1..4 (4 x 4), then rows 0..2 by the bottom crop: 4 wide, 3 high.
  TRgbBitmap out = Transform(png, 16667, 0, 16667, 25000, false, false, 90);
  // Clockwise: the cropped picture's top-left pixel lands top-right.
  ExpectPixels(out, 3, 4, [&](int x, int y) { return src.At(1 + y, 2 - x); });
  out = Transform(png, 0, 0, 0, 0, false, false, -90);
  ExpectPixels(out, 4, 6, [&](int x, int y) { return src.At(5 - y, x); });
  out = Transform(png, 0, 0, 0, 0, false, false, 180);
  ExpectPixels(out, 6, 4, [&](int x, int y) { return src.At(5 - x, 3 - y); });
  // A turn alone, without crop or flip, also makes a PNG when asked directly.
  out = Transform(png, 0, 0, 0, 0, false, false, 270);
  ExpectPixels(out, 4, 6, [&](int x, int y) { return src.At(5 - y, x); });
}

TEST_F(PictureTest, EighthTurnHasWhiteCorners) {
  TRgbBitmap src = Quadrants(20);
  std::string png = Source("q.png", EncodePng(src));
  TRgbBitmap out = Transform(png, 0, 0, 0, 0, false, true, 45);
  // 20 x 20 turned by 45 degrees spans 28.28 pixels each way.
  ASSERT_EQ(out.Width, 29);
  ASSERT_EQ(out.Height, 29);
  for (auto [x, y] : {std::pair{0, 0}, {28, 0}, {0, 28}, {28, 28}, {3, 3}, {25, 25}})
    EXPECT_EQ(out.At(x, y), kWhite) << x << "," << y;
  // Flipped vertically first, yellow was top left; a clockwise turn takes it to the top.
  EXPECT_EQ(out.At(14, 4), kQuad[3]);
  EXPECT_EQ(out.At(24, 14), kQuad[2]);  // blue, was top right
  EXPECT_EQ(out.At(14, 24), kQuad[1]);  // green, was bottom right
  EXPECT_EQ(out.At(4, 14), kQuad[0]);   // red, was bottom left
  // Nearest-pixel sampling keeps the area: about 400 coloured pixels, nothing blended.
  int coloured = 0;
  for (int32_t y = 0; y < out.Height; ++y)
    for (int32_t x = 0; x < out.Width; ++x) {
      uint32_t p = out.At(x, y);
      if (p == kWhite) continue;
      ++coloured;
      EXPECT_TRUE(p == kQuad[0] || p == kQuad[1] || p == kQuad[2] || p == kQuad[3]) << std::hex << p;
    }
  EXPECT_NEAR(coloured, 400, 20);
}

TEST_F(PictureTest, JpegSource) {
  // Flat 8 x 8 blocks survive JPEG coding almost unchanged.
  TRgbBitmap src = Quadrants(16);
  std::string jpg = Source("photo.jpeg", Jpeg(src));
  TRgbBitmap decoded;
  ASSERT_TRUE(DecodePicture(ReadFileBytes(jpg), decoded));
  TRgbBitmap out = Transform(jpg, 50000, 0, 0, 0, true, false, 0);
  ExpectPixels(out, 8, 16, [&](int x, int y) { return decoded.At(8 + 7 - x, y); });
  for (int32_t y = 0; y < 16; ++y)
    for (int32_t x = 0; x < 8; ++x) {
      uint32_t want = kQuad[y < 8 ? 1 : 2], got = out.At(x, y);
      for (int shift : {0, 8, 16})
        EXPECT_NEAR(int((got >> shift) & 255), int((want >> shift) & 255), 6) << x << "," << y;
    }
}

TEST_F(PictureTest, GifAndBmpSources) {
  TRgbBitmap src = Quadrants(6);
  std::vector<uint32_t> palette(kQuad, kQuad + 4);
  std::string gif = Source("anim.gif", Gif(src, palette));
  std::string bmp = Source("old.bmp", Bmp(Gradient(7, 5)));
  TRgbBitmap decoded;
  ASSERT_TRUE(DecodePicture(ReadFileBytes(gif), decoded));
  ExpectPixels(decoded, 6, 6, [&](int x, int y) { return src.At(x, y); });
  ExpectPixels(Transform(gif, 0, 50000, 0, 0, false, true, 0), 6, 3,
               [&](int x, int y) { return src.At(x, 5 - y); });
  TRgbBitmap grad = Gradient(7, 5);
  ExpectPixels(Transform(bmp, 0, 0, 14286, 0, true, false, 0), 6, 5,
               [&](int x, int y) { return grad.At(5 - x, y); });
}

TEST_F(PictureTest, TransparencyLiesOverWhite) {
  // 2 x 1 RGBA: a transparent black pixel and a half-transparent red one.
  unsigned char rgba[8] = {0, 0, 0, 0, 255, 0, 0, 128};
  std::string png;
  stbi_write_png_to_func(AppendBytes, &png, 2, 1, 4, rgba, 8);
  std::string path = Source("alpha.png", png);
  TRgbBitmap out = Transform(path, 0, 0, 0, 0, true, false, 0);
  ExpectPixels(out, 2, 1, [](int x, int) { return x == 0 ? 0xFF7F7Fu : kWhite; });
}

TEST_F(PictureTest, NothingToDoOrNothingReadableGivesFalse) {
  std::string png = Source("g.png", EncodePng(Gradient(3, 3)));
  std::string bad = Source("bad.png", "\x89PNG\r\n\x1A\n not really");
  std::string target = dir_ / "never.png";
  EXPECT_FALSE(SaveTransformedImage(dir_ / "missing.png", target, 1000, 0, 0, 0, false, false, 0));
  EXPECT_FALSE(SaveTransformedImage(png, target, 0, 0, 0, 0, false, false, 0.0099));
  EXPECT_FALSE(SaveTransformedImage(bad, target, 1000, 0, 0, 0, true, false, 0));
  EXPECT_FALSE(SaveTransformedImage(Source("empty.jpg", ""), target, 1000, 0, 0, 0, false, false, 0));
  EXPECT_FALSE(FileExists(target));
  // A target that cannot be written (its folder is a file) fails quietly too.
  std::string blocker = Source("blocker", "x");
  EXPECT_FALSE(SaveTransformedImage(png, JoinPath(blocker, "out.png"), 1000, 0, 0, 0, false, false, 0));
}

TEST_F(PictureTest, RewritesAnOlderTargetAndCreatesItsFolder) {
  TRgbBitmap src = Gradient(4, 2);
  std::string png = Source("g.png", EncodePng(src));
  std::string target = JoinPath(dir_ / "new" , "deeper/out.png");
  WriteFileBytes(dir_ / "old.png", "stale");
  ASSERT_TRUE(SaveTransformedImage(png, target, 0, 0, 0, 0, true, false, 0));
  ASSERT_TRUE(SaveTransformedImage(png, dir_ / "old.png", 0, 0, 0, 0, false, true, 0));
  TRgbBitmap out;
  ASSERT_TRUE(DecodePicture(ReadFileBytes(dir_ / "old.png"), out));
  ExpectPixels(out, 4, 2, [&](int x, int y) { return src.At(x, 1 - y); });
}

TEST_F(PictureTest, DuotoneBlendsDarkToLightByLumaAndAloneIsReasonToRewrite) {
  // TColor keeps red low: dark is pure blue, light pure red, as 0xRRGGBB below.
  const TDuotone tone{true, 0xFF0000, 0x0000FF};
  const struct {
    uint32_t in, out;
  } cases[] = {{0x000000, 0x0000FF}, {0xFFFFFF, 0xFF0000}, {0x808080, 0x80007F}, {0xFF0000, 0x4C00B3}};
  TRgbBitmap b(4, 1);
  for (int x = 0; x < 4; ++x) b.Set(x, 0, cases[x].in);
  TRgbBitmap unchanged = b;
  ApplyDuotone(unchanged, TDuotone{});
  EXPECT_EQ(unchanged.Pixels, b.Pixels);
  std::string png = Source("d.png", EncodePng(b));
  ApplyDuotone(b, tone);
  ExpectPixels(b, 4, 1, [&](int x, int) { return cases[x].out; });
  // A duotone with no crop, flip or turn still needs its own picture file.
  std::string target = dir_ / "duo.png";
  ASSERT_TRUE(SaveTransformedImage(png, target, 0, 0, 0, 0, false, false, 0, tone));
  TRgbBitmap out;
  ASSERT_TRUE(DecodePicture(ReadFileBytes(target), out));
  EXPECT_EQ(out.Pixels, b.Pixels);
  // A see-through picture keeps its colours: alone the duotone writes nothing, with a flip only the flip.
  unsigned char rgba[8] = {0, 0, 0, 0, 255, 255, 255, 255};
  std::string icon;
  stbi_write_png_to_func(AppendBytes, &icon, 2, 1, 4, rgba, 8);
  const std::string iconPath = Source("icon.png", icon);
  EXPECT_FALSE(SaveTransformedImage(iconPath, dir_ / "icon_duo.png", 0, 0, 0, 0, false, false, 0, tone));
  ASSERT_TRUE(SaveTransformedImage(iconPath, target, 0, 0, 0, 0, true, false, 0, tone));
  ASSERT_TRUE(DecodePicture(ReadFileBytes(target), out));
  ExpectPixels(out, 2, 1, [](int, int) { return kWhite; });
}
