// TIFF pictures: decoded in each layout, compression and colour model decks
// hold, in either byte order; broken or hostile files refused without harm.
#include "platform/tiff.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "platform/files.h"
#include "platform/system.h"
#include "support/tiff_writer.h"

using namespace tarvik;
using namespace tarvik::test;

namespace {

using TRgba = std::array<uint8_t, 4>;

TRgba PixelAt(const TRgbaPicture& picture, size_t index) {
  const uint8_t* p = &picture.Pixels[index * 4];
  return {p[0], p[1], p[2], p[3]};
}

// 64 x 48 RGB: noise on the left, which LZW fills its table with, and flat
// bands on the right, which PackBits stores as runs.
TTiffImage Rgb(uint32_t compression, bool bigEndian) {
  TTiffImage image;
  image.BigEndian = bigEndian;
  image.Width = 64, image.Height = 48, image.Samples = 3, image.Photometric = 2;
  image.Compression = compression;
  uint32_t seed = 12345;
  for (uint32_t y = 0; y < image.Height; ++y)
    for (uint32_t x = 0; x < image.Width * 3; ++x) {
      seed = seed * 1103515245 + 12345;
      image.Pixels += static_cast<char>(x < image.Width * 3 / 2 ? seed >> 16 : y * 5);
    }
  return image;
}

// A small RGB picture in two strips, the base of the broken files.
std::string SmallRgb(uint32_t compression = 5) {
  TTiffImage image = Rgb(compression, false);
  image.Width = 4, image.Height = 3, image.RowsPerStrip = 2;
  image.Pixels.resize(4 * 3 * 3);
  return WriteTiff(image);
}

// Where a little-endian file's directory begins.
uint32_t DirectoryAt(const std::string& file) {
  uint32_t at = 0;
  for (int i = 3; i >= 0; --i) at = at << 8 | static_cast<unsigned char>(file[4 + static_cast<size_t>(i)]);
  return at;
}

}  // namespace

TEST(Tiff, EachCompressionLayoutAndByteOrderGivesTheStoredPixels) {
  enum TLayoutKind { kStrips, kOneStrip, kTiles };
  for (uint32_t compression : {1u, 32773u, 5u, 8u, 32946u})
    for (bool bigEndian : {false, true})
      for (TLayoutKind layout : {kStrips, kOneStrip, kTiles}) {
        TTiffImage image = Rgb(compression, bigEndian);
        if (layout == kStrips) image.RowsPerStrip = 5;  // the last strip holds 3 rows
        if (layout == kTiles) image.TileWidth = image.TileHeight = 32;  // the bottom tiles overhang
        if (layout == kStrips && compression != 32773) image.Predictor = 2;
        TRgbaPicture picture;
        const std::string at = std::to_string(compression) + (bigEndian ? " MM " : " II ") + std::to_string(layout);
        ASSERT_TRUE(DecodeTiff(WriteTiff(image), picture)) << at;
        ASSERT_EQ(picture.Width, image.Width) << at;
        ASSERT_EQ(picture.Height, image.Height) << at;
        for (size_t i = 0; i < size_t{image.Width} * image.Height; ++i) {
          const auto* rgb = reinterpret_cast<const uint8_t*>(&image.Pixels[i * 3]);
          ASSERT_EQ(PixelAt(picture, i), (TRgba{rgb[0], rgb[1], rgb[2], 255})) << at << " pixel " << i;
        }
      }
}

TEST(Tiff, ColourModelsAndAlpha) {
  std::vector<uint32_t> palette(768, 0);
  palette[2] = 0xFF00, palette[256 + 2] = 0x8000, palette[512 + 2] = 0x1234;
  const struct {
    const char* name;
    uint32_t photometric, samples;
    std::vector<uint32_t> extra;
    std::string pixels;  // two pixels
    TRgba first, second;
  } cases[] = {
      {"black is zero", 1, 1, {}, {0, char(200)}, {0, 0, 0, 255}, {200, 200, 200, 255}},
      {"white is zero", 0, 1, {}, {0, char(200)}, {255, 255, 255, 255}, {55, 55, 55, 255}},
      {"palette, 16-bit entries", 3, 1, {}, {0, 2}, {0, 0, 0, 255}, {255, 128, 18, 255}},
      {"gray, unassociated alpha", 1, 2, {2}, {100, 50, char(200), char(255)}, {100, 100, 100, 50},
       {200, 200, 200, 255}},
      {"RGB, associated alpha undone", 2, 4, {1}, {50, 25, 0, 100, 9, 9, 9, 0}, {128, 64, 0, 100}, {0, 0, 0, 0}},
      {"RGBA naming no extra sample", 2, 4, {}, {50, 25, 0, 100, 1, 2, 3, char(255)}, {128, 64, 0, 100},
       {1, 2, 3, 255}},
      {"RGB with an unnamed extra sample", 2, 4, {0}, {1, 2, 3, 4, 5, 6, 7, 8}, {1, 2, 3, 255}, {5, 6, 7, 255}},
  };
  for (const auto& c : cases)
    for (bool bigEndian : {false, true}) {
      TTiffImage image;
      image.BigEndian = bigEndian;
      image.Width = 2, image.Photometric = c.photometric, image.Samples = c.samples;
      image.ExtraSamples = c.extra;
      if (c.photometric == 3) image.ColourMap = palette;
      image.Pixels = c.pixels;
      TRgbaPicture picture;
      ASSERT_TRUE(DecodeTiff(WriteTiff(image), picture)) << c.name;
      EXPECT_EQ(PixelAt(picture, 0), c.first) << c.name;
      EXPECT_EQ(PixelAt(picture, 1), c.second) << c.name;
    }
}

TEST(Tiff, UnsupportedOrBrokenFilesAreRefused) {
  auto replaced = [](std::map<uint16_t, std::vector<uint32_t>> tags, uint32_t compression = 5) {
    TTiffImage image = Rgb(compression, true);
    image.Width = 4, image.Height = 3, image.RowsPerStrip = 2;
    image.Pixels.resize(4 * 3 * 3);
    image.Replaced = std::move(tags);
    return WriteTiff(image);
  };
  auto patched = [](size_t at, const std::string& bytes) {
    std::string file = SmallRgb();
    file.replace(at, bytes.size(), bytes);
    return file;
  };
  const uint32_t directory = DirectoryAt(SmallRgb());
  const struct {
    const char* name;
    std::string file;
  } cases[] = {
      {"more pixels than the cap", replaced({{256, {100000}}, {257, {100000}}})},
      {"a large picture in a few bytes", replaced({{256, {10000}}, {257, {10000}}, {278, {10000}}})},
      {"zero width", replaced({{256, {0}}})},
      {"16-bit samples", replaced({{258, {16, 16, 16}}})},
      {"JPEG", replaced({{259, {7}}})},
      {"a palette without its colour map", replaced({{262, {3}}, {277, {1}}, {258, {8}}})},
      {"a strip outside the file", replaced({{273, {8, 0xFFFFFF00}}})},
      {"fewer strips than rows need", replaced({{273, {8}}, {279, {100}}})},
      {"an uncompressed strip cut short", replaced({{279, {24, 5}}}, 1)},
      {"an LZW strip ending early", replaced({{279, {2, 2}}})},
      {"an LZW code not yet in the table", patched(8, "\xFF\xFF\xFF\xFF")},
      {"a directory outside the file", patched(4, "\xFF\xFF\xFF\x7F")},
      {"a directory longer than the file", patched(directory, "\xFF\xFF")},
  };
  for (const auto& c : cases) {
    TRgbaPicture picture;
    EXPECT_FALSE(DecodeTiff(c.file, picture)) << c.name;
    EXPECT_TRUE(picture.Pixels.empty()) << c.name;
  }

  // Every cut of a good file fails; bytes changed at random at worst fail.
  const std::string good = SmallRgb();
  TRgbaPicture picture;
  for (size_t size = 0; size < good.size(); ++size) EXPECT_FALSE(DecodeTiff(good.substr(0, size), picture)) << size;
  uint32_t seed = 7;
  for (int i = 0; i < 2000; ++i) {
    std::string file = good;
    for (int flips = 0; flips < 3; ++flips) {
      seed = seed * 1103515245 + 12345;
      file[8 + seed % (file.size() - 8)] = static_cast<char>(seed >> 24);
    }
    DecodeTiff(file, picture);
  }
}

TEST(Tiff, OnlyTheFirstDirectoryIsRead) {
  // The next-directory pointer of the last entry points back at the directory.
  std::string file = SmallRgb(1);
  const uint32_t at = DirectoryAt(file);
  const uint32_t count = static_cast<unsigned char>(file[at]);
  file.replace(at + 2 + 12 * count, 4, file.substr(4, 4));
  TRgbaPicture picture;
  EXPECT_TRUE(DecodeTiff(file, picture));
}

TEST(Tiff, ConvertedToPngNextToTheOriginalOrNotAtAll) {
  const std::string folder = JoinPath(UserTempFolder(), "tarvik_tiff_" + NewGuidHex());
  ForceDirectories(folder);
  const std::string good = JoinPath(folder, "good.tif"), bad = JoinPath(folder, "bad.tif");
  WriteFileBytes(good, SmallRgb());
  WriteFileBytes(bad, SmallRgb().substr(0, 40));
  const std::string png = ConvertTiff(good, good);
  if (png.empty()) {
    DeleteTree(folder);
    GTEST_SKIP() << "this build writes no PNG";
  }
  EXPECT_EQ(png, good + ".png");
  EXPECT_EQ(ReadFileHead(png, 8), "\x89PNG\r\n\x1A\n");
  EXPECT_EQ(ConvertTiff(bad, bad), "");
  EXPECT_FALSE(FileExists(bad + ".png"));
  EXPECT_EQ(ConvertTiff(JoinPath(folder, "missing.tif"), JoinPath(folder, "missing")), "");
  DeleteTree(folder);
}
