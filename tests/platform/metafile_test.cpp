// Metafiles: known by their first bytes, and converted to a picture that
// browsers draw, or to nothing at all when they cannot be drawn.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/files.h"
#include "platform/metafile.h"
#include "platform/system.h"

using namespace tarvik;

namespace {

void PutDword(std::string& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A small EMF: a header record of a 2 x 1 cm frame (by default), a rectangle and the end record.
std::string TinyEmf(uint32_t frameWidth = 2000) {
  std::string emf;
  const uint32_t header[] = {1,    108,  0,   0,   75, 37, 0, 0, frameWidth, 1000, 0x464D4520, 0x10000, 152, 3,
                             1,    0,    0,   0,   1920, 1080, 508, 285, 0, 0, 0, 508000, 285000};
  for (uint32_t v : header) PutDword(emf, v);
  for (uint32_t v : {43u, 24u, 10u, 10u, 60u, 30u}) PutDword(emf, v);
  for (uint32_t v : {14u, 20u, 0u, 16u, 20u}) PutDword(emf, v);
  return emf;
}

}  // namespace

TEST(Metafile, KnownByTheirFirstBytes) {
  using namespace std::string_literals;
  const struct {
    std::string head;
    TMetafileKind kind;
  } cases[] = {
      {TinyEmf(), TMetafileKind::Emf},
      {"\xD7\xCD\xC6\x9A\0\0"s, TMetafileKind::Wmf},
      {"\x01\0\x09\0\0\x03"s, TMetafileKind::Wmf},
      {"\x02\0\x09\0\0\x01"s, TMetafileKind::Wmf},
      {"\x01\0\x09\0\0\x02"s, TMetafileKind::None},
      {TinyEmf().substr(0, 40), TMetafileKind::None},
      {"\x89PNG\r\n\x1A\n"s, TMetafileKind::None},
      {"", TMetafileKind::None},
  };
  for (const auto& c : cases) EXPECT_EQ(MetafileKindOf(c.head), c.kind) << c.head.size();
}

TEST(Metafile, ConvertedWhereTheBuildCanAndNeverHalfWritten) {
  const std::string folder = JoinPath(UserTempFolder(), "tarvik_metafile_" + NewGuidHex());
  ForceDirectories(folder);
  const std::string good = JoinPath(folder, "good.emf"), bad = JoinPath(folder, "bad.emf");
  WriteFileBytes(good, TinyEmf());
  WriteFileBytes(bad, TinyEmf().substr(0, 60));

  const std::string picture = ConvertMetafile(good, TMetafileKind::Emf, JoinPath(folder, "good"));
  if (picture.empty()) {
    DeleteTree(folder);
    GTEST_SKIP() << "this build has no EMF converter";
  }
  EXPECT_TRUE(picture.ends_with(".svg") || picture.ends_with(".png")) << picture;
  EXPECT_GT(FileSize(picture), 0);
  if (picture.ends_with(".svg")) {
    // scaled to the picture's box, and with no outside document type to fetch
    const std::string svg = ReadFileBytes(picture);
    EXPECT_NE(svg.find("viewBox="), std::string::npos) << svg;
    EXPECT_EQ(svg.find("<!DOCTYPE"), std::string::npos) << svg;
  }
  EXPECT_EQ(ConvertMetafile(bad, TMetafileKind::Emf, JoinPath(folder, "bad")), "");
  EXPECT_FALSE(FileExists(JoinPath(folder, "bad.svg")) || FileExists(JoinPath(folder, "bad.png")));
  EXPECT_EQ(ConvertMetafile(JoinPath(folder, "missing.emf"), TMetafileKind::Emf, JoinPath(folder, "m")), "");
  DeleteTree(folder);
}

TEST(Metafile, AnEmfIsDrawnIntoItsFrame) {
  const std::string folder = JoinPath(UserTempFolder(), "tarvik_metafile_" + NewGuidHex());
  ForceDirectories(folder);
  const struct {
    uint32_t FrameWidth;
    const char* ViewBox;
  } cases[] = {
      {2000, "viewBox=\"0.0000 0.0000 75.5906 37.8947\""},   // the frame the bounds fill
      {4000, "viewBox=\"0.0000 0.0000 151.1811 37.8947\""},  // a preview drawn in the frame's left half
      {0, "viewBox=\"0 0 "},                                 // no frame: the drawing's own size
  };
  for (const auto& c : cases) {
    const std::string emf = JoinPath(folder, "f.emf");
    WriteFileBytes(emf, TinyEmf(c.FrameWidth));
    const std::string picture = ConvertMetafile(emf, TMetafileKind::Emf, JoinPath(folder, std::to_string(c.FrameWidth)));
    if (!picture.ends_with(".svg")) {
      DeleteTree(folder);
      GTEST_SKIP() << "this build does not convert EMF to SVG";
    }
    EXPECT_NE(ReadFileBytes(picture).find(c.ViewBox), std::string::npos) << ReadFileBytes(picture).substr(0, 300);
  }
  DeleteTree(folder);
}
