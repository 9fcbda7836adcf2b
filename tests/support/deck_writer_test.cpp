// The deck writer must give back exactly the package a test asked for:
// same bytes every run, every entry under its own name and storage, hostile
// entries as stated, and a minimal deck whose parts hang together.
#include "support/deck_writer.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>
#include <sys/stat.h>
#include <zip.h>

#include <cstdlib>
#include <ctime>
#include <map>
#include <memory>

#include "platform/error.h"
#include "platform/files.h"
#include "platform/system.h"

using namespace tarvik;
using namespace tarvik::test;

namespace {

class DeckWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = JoinPath(UserTempFolder(), "tarvik_deckwriter_" + NewGuidHex());
    ASSERT_TRUE(ForceDirectories(dir_));
  }
  void TearDown() override { DeleteTree(dir_); }
  std::string PathOf(const std::string& name) { return JoinPath(dir_, name); }
  std::string dir_;
};

struct TZipCloser {
  void operator()(zip_t* z) const { zip_discard(z); }
};
using TZip = std::unique_ptr<zip_t, TZipCloser>;

TZip OpenZip(const std::string& file) {
  int err = 0;
  return TZip(zip_open(file.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &err));
}

// Reads an entry through libzip, which checks the CRC at the end.
std::string ReadEntry(zip_t* z, const std::string& name, bool* ok) {
  *ok = false;
  zip_file_t* f = zip_fopen(z, name.c_str(), 0);
  if (!f) return {};
  std::string out;
  char buf[65536];
  zip_int64_t n;
  while ((n = zip_fread(f, buf, sizeof buf)) > 0) out.append(buf, static_cast<size_t>(n));
  *ok = n == 0;
  zip_fclose(f);
  return out;
}

std::vector<std::string> EntryNames(zip_t* z) {
  std::vector<std::string> names;
  for (zip_int64_t i = 0; i < zip_get_num_entries(z, 0); ++i)
    names.push_back(zip_get_name(z, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW));
  return names;
}

TDeckParts TwoSlideParts() {
  TDeckParts parts;
  TSlideParts s1;
  s1.SpTree = TextShapeXml(2, "Title 1", 0, 0, 914400, 457200, "Caf\xC3\xA9");
  TSlideParts s2;
  s2.SpTree = PictureXml(2, "Picture 1", "rId2", 10, 20, 30, 40);
  s2.Rels = RelationshipXml("rId2", "image", "../media/image1.png");
  s2.Background = "<p:bgPr><a:solidFill><a:srgbClr val=\"102030\"/></a:solidFill>"
                  "<a:effectLst/></p:bgPr>";
  parts.Slides = {s1, s2};
  return parts;
}

}  // namespace

TEST_F(DeckWriterTest, SameEntriesGiveSameBytesInEveryTimeZone) {
  TDeckWriter w = BuildMinimalDeck(TwoSlideParts());
  w.Add("ppt/media/image1.png", std::string("\x89PNG\r\n\x1a\n", 8), TDeckWriter::TStorage::Stored);
  std::string oldTz = GetEnvVar("TZ");
  bool hadTz = HasEnvVar("TZ");
  SetEnvVar("TZ", "UTC");
  tzset();
  w.Write(PathOf("a.pptx"));
  SetEnvVar("TZ", "America/Los_Angeles");
  tzset();
  w.Write(PathOf("b.pptx"));
  if (hadTz)
    SetEnvVar("TZ", oldTz);
  else
    UnsetEnvVar("TZ");
  tzset();
  EXPECT_EQ(ReadFileBytes(PathOf("a.pptx")), ReadFileBytes(PathOf("b.pptx")));
}

TEST_F(DeckWriterTest, MinimalDeckPartsParseAndReferEachOther) {
  TDeckWriter w = BuildMinimalDeck(TwoSlideParts());
  w.Write(PathOf("deck.pptx"));
  TZip z = OpenZip(PathOf("deck.pptx"));
  ASSERT_TRUE(z);
  std::map<std::string, pugi::xml_document> docs;
  for (const auto& name : EntryNames(z.get())) {
    bool ok;
    std::string bytes = ReadEntry(z.get(), name, &ok);
    ASSERT_TRUE(ok) << name;
    ASSERT_TRUE(docs[name].load_string(bytes.c_str())) << name;
  }
  ASSERT_EQ(docs.count("[Content_Types].xml"), 1u);
  ASSERT_EQ(docs.count("ppt/theme/theme1.xml"), 1u);

  auto pres = docs["ppt/presentation.xml"].child("p:presentation");
  EXPECT_STREQ(pres.child("p:sldSz").attribute("cx").value(), "12192000");
  std::vector<std::string> ids;
  for (auto id : pres.child("p:sldIdLst").children("p:sldId"))
    ids.push_back(id.attribute("r:id").value());
  ASSERT_EQ(ids.size(), 2u);
  auto rels = docs["ppt/_rels/presentation.xml.rels"].child("Relationships");
  for (size_t i = 0; i < ids.size(); ++i) {
    auto rel = rels.find_child_by_attribute("Relationship", "Id", ids[i].c_str());
    ASSERT_TRUE(rel) << ids[i];
    EXPECT_EQ(std::string(rel.attribute("Target").value()),
              "slides/slide" + std::to_string(i + 1) + ".xml");
  }

  auto theme = docs["ppt/theme/theme1.xml"].child("a:theme").child("a:themeElements");
  EXPECT_STREQ(theme.child("a:fontScheme").child("a:majorFont").child("a:latin").attribute(
                   "typeface").value(),
               "Calibri Light");
  EXPECT_TRUE(theme.child("a:clrScheme").child("a:accent1"));

  auto slide2 = docs["ppt/slides/slide2.xml"].child("p:sld").child("p:cSld");
  EXPECT_STREQ(slide2.child("p:bg").child("p:bgPr").child("a:solidFill").child("a:srgbClr")
                   .attribute("val").value(),
               "102030");
  EXPECT_TRUE(slide2.child("p:spTree").child("p:pic"));
  auto slideRels = docs["ppt/slides/_rels/slide2.xml.rels"].child("Relationships");
  EXPECT_TRUE(slideRels.find_child_by_attribute("Relationship", "Id", "rId1"));
  EXPECT_TRUE(slideRels.find_child_by_attribute("Relationship", "Id", "rId2"));
  EXPECT_EQ(docs.count("ppt/slideLayouts/slideLayout1.xml"), 1u);
  EXPECT_EQ(docs.count("ppt/slideMasters/slideMaster1.xml"), 1u);
}

TEST_F(DeckWriterTest, EntriesKeepNamesStorageAndOrder) {
  TDeckWriter w;
  w.Add("../evil.txt", "x").Add("/abs.txt", "y").Add("a\\b.txt", "z");
  w.Add("stored.xml", "<a/>", TDeckWriter::TStorage::Stored);
  w.Add("../evil.txt", "replaced");  // keeps its first place
  w.AddSymlink("ppt/link.xml", "/etc/passwd");
  w.Write(PathOf("odd.zip"));

  TZip z = OpenZip(PathOf("odd.zip"));
  ASSERT_TRUE(z);
  EXPECT_EQ(EntryNames(z.get()), (std::vector<std::string>{"../evil.txt", "/abs.txt", "a\\b.txt",
                                                           "stored.xml", "ppt/link.xml"}));
  bool ok;
  EXPECT_EQ(ReadEntry(z.get(), "../evil.txt", &ok), "replaced");
  zip_stat_t st;
  ASSERT_EQ(zip_stat(z.get(), "stored.xml", 0, &st), 0);
  EXPECT_EQ(st.comp_method, ZIP_CM_STORE);

  zip_uint8_t opsys = 0;
  zip_uint32_t attr = 0;
  zip_int64_t link = zip_name_locate(z.get(), "ppt/link.xml", 0);
  ASSERT_GE(link, 0);
  ASSERT_EQ(zip_file_get_external_attributes(z.get(), static_cast<zip_uint64_t>(link), 0, &opsys,
                                             &attr),
            0);
  EXPECT_EQ(opsys, ZIP_OPSYS_UNIX);
  EXPECT_TRUE(S_ISLNK(attr >> 16));
  EXPECT_EQ(ReadEntry(z.get(), "ppt/link.xml", &ok), "/etc/passwd");
}

TEST_F(DeckWriterTest, ZeroBombIsSmallOnDiskAndInflatesToItsDeclaredZeros) {
  const struct {
    uint64_t Size;
  } cases[] = {{0}, {1}, {258}, {259}, {1000003}, {16u << 20}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Size);
    TDeckWriter w;
    w.AddZeroBomb("bomb.bin", c.Size);
    w.Write(PathOf("bomb.zip"));
    TZip z = OpenZip(PathOf("bomb.zip"));
    ASSERT_TRUE(z);
    zip_stat_t st;
    ASSERT_EQ(zip_stat(z.get(), "bomb.bin", 0, &st), 0);
    EXPECT_EQ(st.size, c.Size);
    EXPECT_EQ(st.comp_method, ZIP_CM_DEFLATE);
    if (c.Size > 100000) {
      EXPECT_GT(st.size / st.comp_size, 150u);
    }
    bool ok;
    std::string data = ReadEntry(z.get(), "bomb.bin", &ok);
    EXPECT_TRUE(ok) << "CRC or stream error";
    EXPECT_EQ(data, std::string(c.Size, '\0'));
  }
}

TEST_F(DeckWriterTest, RawDeflateKeepsALyingHeader) {
  TDeckWriter w;
  w.AddZeroBomb("real.bin", 4096);
  std::string stream = w.Bytes("real.bin");
  w.AddRawDeflate("liar.bin", stream, 10, 0xDEADBEEF);
  w.Write(PathOf("liar.zip"));
  TZip z = OpenZip(PathOf("liar.zip"));
  ASSERT_TRUE(z);
  zip_stat_t st;
  ASSERT_EQ(zip_stat(z.get(), "liar.bin", 0, &st), 0);
  EXPECT_EQ(st.size, 10u);
  EXPECT_EQ(st.crc, 0xDEADBEEFu);
  EXPECT_EQ(st.comp_size, stream.size());
}

TEST_F(DeckWriterTest, EmptyWriterGivesAnEmptyArchive) {
  TDeckWriter w;
  w.Write(PathOf("empty.zip"));
  TZip z = OpenZip(PathOf("empty.zip"));
  ASSERT_TRUE(z);
  EXPECT_EQ(zip_get_num_entries(z.get(), 0), 0);
}

TEST_F(DeckWriterTest, SlidesRelateToTheirOwnLayoutAndLayoutsToTheMaster) {
  TDeckParts parts;
  parts.MoreLayouts.push_back({"title", "Title Slide", "<p:sp/>"});
  parts.Slides.resize(2);
  parts.Slides[1].Layout = 2;
  TDeckWriter w = BuildMinimalDeck(parts);
  auto parse = [&](const std::string& name) {
    auto doc = std::make_unique<pugi::xml_document>();
    EXPECT_TRUE(doc->load_string(w.Bytes(name).c_str())) << name;
    return doc;
  };
  auto target = [](const pugi::xml_document& rels, const char* id) {
    return std::string(rels.child("Relationships")
                           .find_child_by_attribute("Relationship", "Id", id)
                           .attribute("Target")
                           .value());
  };
  EXPECT_EQ(target(*parse("ppt/slides/_rels/slide1.xml.rels"), "rId1"),
            "../slideLayouts/slideLayout1.xml");
  EXPECT_EQ(target(*parse("ppt/slides/_rels/slide2.xml.rels"), "rId1"),
            "../slideLayouts/slideLayout2.xml");
  auto layout2 = parse("ppt/slideLayouts/slideLayout2.xml");
  EXPECT_STREQ(layout2->child("p:sldLayout").attribute("type").value(), "title");
  EXPECT_TRUE(layout2->child("p:sldLayout").child("p:cSld").child("p:spTree").child("p:sp"));
  EXPECT_EQ(target(*parse("ppt/slideLayouts/_rels/slideLayout2.xml.rels"), "rId1"),
            "../slideMasters/slideMaster1.xml");

  auto master = parse("ppt/slideMasters/slideMaster1.xml");
  auto masterRels = parse("ppt/slideMasters/_rels/slideMaster1.xml.rels");
  std::vector<std::string> layoutTargets;
  for (auto id : master->child("p:sldMaster").child("p:sldLayoutIdLst").children())
    layoutTargets.push_back(target(*masterRels, id.attribute("r:id").value()));
  EXPECT_EQ(layoutTargets, (std::vector<std::string>{"../slideLayouts/slideLayout1.xml",
                                                      "../slideLayouts/slideLayout2.xml"}));
}

TEST_F(DeckWriterTest, FilesAndUnixModesGoInAsGiven) {
  WriteFileBytes(PathOf("pic.bin"), std::string("\x00\x01\x02", 3));
  TDeckWriter w;
  w.AddFile("ppt/media/pic.bin", PathOf("pic.bin")).SetUnixMode("ppt/media/pic.bin", 0444);
  w.Write(PathOf("modes.zip"));
  TZip z = OpenZip(PathOf("modes.zip"));
  ASSERT_TRUE(z);
  bool ok;
  EXPECT_EQ(ReadEntry(z.get(), "ppt/media/pic.bin", &ok), std::string("\x00\x01\x02", 3));
  zip_uint8_t opsys = 0;
  zip_uint32_t attr = 0;
  ASSERT_EQ(zip_file_get_external_attributes(z.get(), 0, 0, &opsys, &attr), 0);
  EXPECT_EQ((attr >> 16) & 07777u, 0444u);
  EXPECT_TRUE(S_ISREG(attr >> 16));
}

TEST_F(DeckWriterTest, WritingWhereNoFolderExistsRaisesTheError) {
  TDeckWriter w;
  w.Add("a.txt", "x");
  EXPECT_THROW(w.Write(PathOf("missing/folder/deck.pptx")), ETarvikError);
  EXPECT_FALSE(PathExists(PathOf("missing")));
}
