// The decks mkdeck writes: the committed examples/sample.pptx is exactly what
// the tool writes today, every part is well-formed and every internal
// relationship lands on a part, the sample holds what a real talk holds, and
// the benchmark deck has about twenty shapes a slide.
#include <gtest/gtest.h>
#include <pugixml.hpp>
#include <zip.h>

#include <cstdio>
#include <map>
#include <memory>

#include "decks.h"
#include "platform/files.h"
#include "platform/system.h"

using namespace tarvik;

namespace {

// Entry name -> content, in archive order.
using TEntries = std::vector<std::pair<std::string, std::string>>;

TEntries ReadArchive(const std::string& file) {
  TEntries out;
  int err = 0;
  zip_t* z = zip_open(file.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &err);
  if (!z) return out;
  for (zip_int64_t i = 0; i < zip_get_num_entries(z, 0); ++i) {
    auto index = static_cast<zip_uint64_t>(i);
    std::string name = zip_get_name(z, index, ZIP_FL_ENC_RAW);
    std::string data;
    if (zip_file_t* f = zip_fopen_index(z, index, 0)) {
      char buf[65536];
      zip_int64_t n;
      while ((n = zip_fread(f, buf, sizeof buf)) > 0) data.append(buf, static_cast<size_t>(n));
      zip_fclose(f);
    }
    out.emplace_back(name, data);
  }
  zip_discard(z);
  return out;
}

TEntries Written(const tarvik::test::TDeckWriter& w) {
  std::string file = JoinPath(UserTempFolder(), "tarvik_sample_" + NewGuidHex() + ".pptx");
  w.Write(file);
  TEntries entries = ReadArchive(file);
  std::remove(file.c_str());
  return entries;
}

bool IsXmlPart(const std::string& name) {
  return name.ends_with(".xml") || name.ends_with(".rels");
}

// Resolves a relative target against the folder of the part that owns the rels.
std::string ResolveTarget(const std::string& relsName, const std::string& target) {
  if (!target.empty() && target[0] == '/') return target.substr(1);
  // "a/b/_rels/c.xml.rels" belongs to "a/b/c.xml": targets start in "a/b".
  std::string folder = relsName.substr(0, relsName.rfind("_rels/"));
  std::vector<std::string> parts;
  std::string path = folder + target, segment;
  for (size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '/') {
      if (segment == "..") {
        if (!parts.empty()) parts.pop_back();
      } else if (!segment.empty() && segment != ".") {
        parts.push_back(segment);
      }
      segment.clear();
    } else {
      segment += path[i];
    }
  }
  std::string out;
  for (const auto& p : parts) out += (out.empty() ? "" : "/") + p;
  return out;
}

class SampleDeckTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { sample_ = new TEntries(Written(mkdeck::BuildSampleDeck())); }
  static void TearDownTestSuite() { delete sample_; }
  static std::map<std::string, std::string> Map() {
    return std::map<std::string, std::string>(sample_->begin(), sample_->end());
  }
  static TEntries* sample_;
};
TEntries* SampleDeckTest::sample_ = nullptr;

}  // namespace

TEST_F(SampleDeckTest, CommittedSampleIsWhatTheToolWrites) {
  std::string committed = std::string(TARVIK_SOURCE_DIR) + "/examples/sample.pptx";
  ASSERT_TRUE(FileExists(committed)) << "run: mkdeck sample examples/sample.pptx";
  EXPECT_TRUE(ReadArchive(committed) == *sample_)
      << "examples/sample.pptx is stale; run: mkdeck sample examples/sample.pptx";
}

TEST_F(SampleDeckTest, PartsAreWellFormedAndInternalTargetsExist) {
  auto entries = Map();
  ASSERT_GT(entries.size(), 20u);
  for (const auto& [name, data] : entries) {
    if (!IsXmlPart(name)) continue;
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(data.c_str())) << name;
    if (!name.ends_with(".rels")) continue;
    for (auto rel : doc.child("Relationships").children("Relationship")) {
      if (std::string(rel.attribute("TargetMode").value()) == "External") continue;
      std::string target = ResolveTarget(name, rel.attribute("Target").value());
      EXPECT_EQ(entries.count(target), 1u) << name << " -> " << target;
    }
  }
}

TEST_F(SampleDeckTest, SampleHoldsWhatARealTalkHolds) {
  auto entries = Map();
  std::string slides;
  int slideCount = 0;
  for (int i = 1; entries.count("ppt/slides/slide" + std::to_string(i) + ".xml"); ++i) {
    slides += entries["ppt/slides/slide" + std::to_string(i) + ".xml"];
    ++slideCount;
  }
  EXPECT_EQ(slideCount, 8);
  // Each slide part is a document of its own; wrap them to query them together.
  pugi::xml_document doc;
  std::string all = "<all>";
  for (int i = 1; i <= slideCount; ++i) {
    std::string part = entries["ppt/slides/slide" + std::to_string(i) + ".xml"];
    all += part.substr(part.find("?>") + 2);
  }
  // Keep white-space-only text: one of the runs is a single space.
  ASSERT_TRUE(doc.load_string((all + "</all>").c_str(), pugi::parse_default | pugi::parse_ws_pcdata));

  const struct {
    const char* What;
    const char* XPath;
  } features[] = {
      {"a slide background colour", "//p:bg/p:bgPr/a:solidFill/a:srgbClr"},
      {"a scheme-coloured background", "//p:bg/p:bgPr/a:solidFill/a:schemeClr/a:lumOff"},
      {"a rectangle", "//p:sp[not(p:txBody)]/p:spPr/a:prstGeom[@prst='rect']"},
      {"a rounded rectangle", "//p:sp[not(p:txBody)]/p:spPr/a:prstGeom[@prst='roundRect']"},
      {"an ellipse", "//p:sp[not(p:txBody)]/p:spPr/a:prstGeom[@prst='ellipse']"},
      {"a line", "//p:sp/p:spPr/a:prstGeom[@prst='line']"},
      {"a flipped connector", "//p:cxnSp/p:spPr/a:xfrm[@flipV='1']"},
      {"a rotated group", "//p:grpSp/p:grpSpPr/a:xfrm[@rot]"},
      {"a group inside a group", "//p:grpSp//p:grpSp"},
      {"a cropped picture", "//p:pic/p:blipFill/a:srcRect[@l and @t and @r and @b]"},
      {"a mirrored picture", "//p:pic/p:spPr/a:xfrm[@flipH='1']"},
      {"a placeholder placed by its layout", "//p:sp[p:nvSpPr/p:nvPr/p:ph][not(p:spPr/a:xfrm)]"},
      {"a centred title placeholder", "//p:ph[@type='ctrTitle']"},
      {"a bullet", "//a:pPr/a:buChar"},
      {"a run in the theme's heading font", "//a:rPr/a:latin[@typeface='+mj-lt']"},
      {"a scheme-coloured run", "//a:rPr/a:solidFill/a:schemeClr"},
      {"a run that is one space", "//a:r/a:t[.=' ']"},
      {"a table", "//p:graphicFrame//a:tbl"},
  };
  for (const auto& f : features)
    EXPECT_TRUE(doc.select_node(f.XPath)) << "the sample lacks " << f.What;

  const char* const texts[] = {"caf\xC3\xA9", "\xE6\x9D\xB1\xE4\xBA\xAC", "\xF0\x9F\x9A\x80"};
  for (const char* t : texts) EXPECT_NE(slides.find(t), std::string::npos) << t;

  const char* const media[] = {"ppt/media/image1.png", "ppt/media/image2.png",
                               "ppt/media/image3.png"};
  for (const char* m : media) {
    ASSERT_EQ(entries.count(m), 1u) << m;
    EXPECT_EQ(entries[m].substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8)) << m;
  }
}

TEST(BenchDeckTest, SlidesHoldAboutTwentyShapes) {
  TEntries entries = Written(mkdeck::BuildBenchDeck(3));
  int slides = 0;
  for (const auto& [name, data] : entries) {
    if (!name.starts_with("ppt/slides/slide")) continue;
    ++slides;
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(data.c_str())) << name;
    size_t shapes = doc.select_nodes("//p:spTree//*[self::p:sp or self::p:pic or self::p:cxnSp or "
                                     "self::p:graphicFrame]")
                        .size();
    EXPECT_GE(shapes, 18u) << name;
    EXPECT_LE(shapes, 24u) << name;
    EXPECT_TRUE(doc.select_node("//p:grpSp//p:grpSp")) << name;
    EXPECT_EQ(doc.select_nodes("//p:pic").size(), 2u) << name;
  }
  EXPECT_EQ(slides, 3);
}
