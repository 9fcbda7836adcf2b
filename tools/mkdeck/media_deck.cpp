// The media-heavy deck: slides of a title and one or two large pictures, with
// two videos, for timing exports that carry every media file along. The
// pictures are noise (PNG and JPEG), so the sizes are real: about 150 MB of
// distinct pictures, each shown on several slides, as a template's photos are.
// One video has a poster picture, the other none.
// Media entries are stored, not deflated: noise does not shrink, and storing
// keeps writing the deck quick.
#include <algorithm>
#include <cmath>
#include <string>

#include "decks.h"
#include "pictures.h"
#include "slide_xml.h"

namespace mkdeck {

using tarvik::test::RelationshipXml;
using tarvik::test::TDeckParts;
using tarvik::test::TDeckWriter;
using tarvik::test::TSlideParts;

namespace {

// 32 PNGs of 1280 x 960 (3.7 MB each) and 8 JPEGs of 2400 x 1800 (3.9 MB each).
constexpr int kPngCount = 32;
constexpr int kJpegCount = 8;
constexpr int kPictureCount = kPngCount + kJpegCount;
constexpr int kVideoBytes = 12 * 1024 * 1024;

std::string N(int v) { return std::to_string(v); }

// Pictures 1..kPngCount are PNG, the rest JPEG.
std::string PictureName(int picture) {
  return "picture" + N(picture) + (picture <= kPngCount ? ".png" : ".jpeg");
}

// An MP4 in outline only: an ftyp box, then an mdat box of noise. Nothing
// here decodes it; it only has to be carried along at its size.
std::string FakeMp4(uint32_t seed, int size) {
  std::string out("\0\0\0\x18" "ftypisom\0\0\x02\0isommp41", 24);
  uint32_t mdat = static_cast<uint32_t>(size - 24);
  out += std::string{char(mdat >> 24), char(mdat >> 16), char(mdat >> 8), char(mdat)};
  out += "mdat";
  uint32_t state = seed * 2654435761u | 1u;
  while (out.size() < size_t(size)) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    out += static_cast<char>(state >> 24);
  }
  return out;
}

// The slides that hold the two videos: a quarter and three quarters in.
int VideoSlide(int video, int slides) {
  int slide = video == 1 ? slides / 4 : (3 * slides) / 4;
  return slide < 1 ? 1 : slide;
}

TSlideParts MediaSlide(int slide, int slides) {
  TSlideParts s;
  s.Layout = 3;  // Title Only
  int main = (slide - 1) % kPictureCount + 1;
  s.Rels = RelationshipXml("rId2", "image", "../media/" + PictureName(main));
  s.SpTree = Shape(2, "Title 1", "<p:spPr/>",
                   TxBody(Para(Run("Slide " + N(slide) + ": ") + Run("in pictures", "b=\"1\""))),
                   PlaceholderNvPr("title"));
  int id = 3;
  s.SpTree += Picture(id++, "Photo", "rId2", Xfrm({838200, 1700000, 6400000, 4800000}));
  // Every third slide adds an inset from the first few pictures, so those are
  // shown on many slides.
  if (slide % 3 == 0) {
    int inset = (slide / 3) % 6 + 1;
    s.Rels += RelationshipXml("rId3", "image", "../media/" + PictureName(inset));
    s.SpTree += Picture(id++, "Inset", "rId3", Xfrm({7600000, 1700000, 3600000, 2700000}),
                        "l=\"5000\" t=\"5000\" r=\"5000\" b=\"5000\"");
  }
  for (int video = 1; video <= 2; ++video) {
    if (VideoSlide(video, slides) != slide) continue;
    // The first video shows a poster, as PowerPoint's do; the second has none,
    // so that an export has to carry the video itself.
    std::string videoRel = "rIdV" + N(video), posterRel = video == 1 ? "rIdP1" : "";
    s.Rels += RelationshipXml(videoRel, "video", "../media/media" + N(video) + ".mp4");
    if (!posterRel.empty())
      s.Rels += RelationshipXml(posterRel, "image", "../media/" + PictureName(7));
    s.SpTree += VideoPicture(id++, "Video " + N(video), posterRel, videoRel,
                             Xfrm({7600000, 4500000 - int64_t(video - 1) * 1000000, 3600000,
                                   2000000}));
  }
  return s;
}

}  // namespace

TDeckWriter BuildMediaDeck(int slides) {
  TDeckParts parts;
  AddTalkLayouts(parts);
  for (int i = 1; i <= slides; ++i) parts.Slides.push_back(MediaSlide(i, slides));
  TDeckWriter w = tarvik::test::BuildMinimalDeck(parts);
  for (int p = 1; p <= kPictureCount; ++p) {
    uint32_t seed = uint32_t(p);
    w.Add("ppt/media/" + PictureName(p),
          p <= kPngCount ? NoisePng(1280, 960, seed) : NoiseJpeg(2400, 1800, seed, 90),
          TDeckWriter::TStorage::Stored);
  }
  for (int v = 1; v <= 2; ++v)
    w.Add("ppt/media/media" + N(v) + ".mp4", FakeMp4(uint32_t(1000 + v), kVideoBytes),
          TDeckWriter::TStorage::Stored);
  return w;
}

TDeckWriter BuildDistinctDeck(int slides, int64_t pictureBytes) {
  TDeckParts parts;
  AddTalkLayouts(parts);
  auto name = [](int i) { return "distinct" + N(i) + (i % 4 == 0 ? ".jpeg" : ".png"); };  // every fourth a JPEG
  for (int i = 1; i <= slides; ++i) {
    TSlideParts s;
    s.Layout = 3;  // Title Only
    s.Rels = RelationshipXml("rId2", "image", "../media/" + name(i));
    s.SpTree = Shape(2, "Title 1", "<p:spPr/>", TxBody(Para(Run("Picture " + N(i)))), PlaceholderNvPr("title"));
    // Some pictures cropped, mirrored or turned, as real decks have them.
    s.SpTree += Picture(3, "Photo", "rId2", Xfrm({838200, 1700000, 6400000, 4800000}, i % 7 == 2 ? 15 : 0, i % 5 == 1),
                        i % 3 == 0 ? "l=\"4000\" t=\"3000\" r=\"2000\" b=\"6000\"" : "");
    parts.Slides.push_back(s);
  }
  TDeckWriter w = tarvik::test::BuildMinimalDeck(parts);
  // Noise PNGs take about three bytes a pixel, noise JPEGs of quality 90
  // about 0.9: a 4:3 picture of each near its share of the total.
  const double share = static_cast<double>(pictureBytes) / slides;
  for (int i = 1; i <= slides; ++i) {
    const bool jpeg = i % 4 == 0;
    const int width = std::max(16, static_cast<int>(std::sqrt(share / (jpeg ? 0.9 : 3.0) * 4 / 3)));
    const int height = width * 3 / 4;
    const uint32_t seed = 5000u + static_cast<uint32_t>(i);
    w.Add("ppt/media/" + name(i), jpeg ? NoiseJpeg(width, height, seed, 90) : NoisePng(width, height, seed),
          TDeckWriter::TStorage::Stored);
  }
  return w;
}

}  // namespace mkdeck
