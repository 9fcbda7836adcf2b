// Relationship resolution: the three target rules, duplicates, and internal
// targets that try to leave the extraction folder.
#include <gtest/gtest.h>

#include "platform/error.h"
#include "pptx/relationships.h"
#include "pptx_test_util.h"

using namespace tarvik;
using namespace tarvik::test;

namespace {

class Relationships : public ::testing::Test {
 protected:
  void SetUp() override {
    extract = FullNormalisedPath(dir / "deck_extracted");
    slides = JoinPath(JoinPath(extract, "ppt"), "slides");
    ForceDirectories(JoinPath(slides, "_rels"));
  }
  RelationshipMap Load(const std::string& body) {
    WriteFileBytes(JoinPath(JoinPath(slides, "_rels"), "slide1.xml.rels"),
                   "<Relationships xmlns='http://schemas.openxmlformats.org/package/2006/relationships'>" + body +
                       "</Relationships>");
    return LoadRelationships(slides, "slide1.xml", extract);
  }
  std::string Inside(const std::string& relative) {
    std::string path = extract;
    for (char c : "/" + relative) path += c == '/' ? kPathSep : c;
    return path;
  }
  TTempDir dir;
  std::string extract, slides;
};

}  // namespace

TEST_F(Relationships, TheThreeTargetRules) {
  RelationshipMap map = Load(
      "<Relationship Id='rel' Target='../media/image1.png'/>"
      "<Relationship Id='abs' Target='/ppt/media/image2.png'/>"
      "<Relationship Id='ext' Target='https://example.com/a b' TargetMode='external'/>"
      "<Relationship Id='extpath' Target='C:\\\\x\\\\y.mp4' TargetMode='External'/>"
      "<Relationship Id='same' Target='slide2.xml'/>"
      "<Relationship Id='empty'/>"
      "<Relationship Target='noid.xml'/>");
  EXPECT_EQ(*map.Find("rel"), Inside("ppt/media/image1.png"));
  EXPECT_EQ(*map.Find("abs"), Inside("ppt/media/image2.png"));
  EXPECT_EQ(*map.Find("ext"), "https://example.com/a b");
  EXPECT_EQ(*map.Find("extpath"), "C:\\\\x\\\\y.mp4");
  EXPECT_TRUE(map.FindTarget("ext")->External);
  EXPECT_EQ(*map.Find("same"), Inside("ppt/slides/slide2.xml"));
  EXPECT_EQ(*map.Find("empty"), slides) << "no target is the part folder itself";
  EXPECT_EQ(map.Size(), 6u);
}

TEST_F(Relationships, LaterDuplicateWinsAndIdsAreCaseSensitive) {
  RelationshipMap map = Load(
      "<Relationship Id='rId1' Target='a.xml'/><Relationship Id='RID1' Target='b.xml'/>"
      "<Relationship Id='rId1' Target='c.xml'/>");
  EXPECT_EQ(*map.Find("rId1"), Inside("ppt/slides/c.xml"));
  EXPECT_EQ(*map.Find("RID1"), Inside("ppt/slides/b.xml"));
  EXPECT_EQ(map.Find("rid1"), nullptr);
}

TEST_F(Relationships, InternalTargetsOutsideTheExtractionFolderAreMissing) {
  RelationshipMap map = Load(
      "<Relationship Id='up' Target='../../../secret.txt'/>"
      "<Relationship Id='rootup' Target='/../outside.txt'/>"
      "<Relationship Id='abs' Target='//etc/passwd'/>"
      "<Relationship Id='deep' Target='../../ppt/../../x'/>"
      "<Relationship Id='ok' Target='../../ppt/media/x.png'/>"
      "<Relationship Id='later' Target='../media/fine.png'/><Relationship Id='later' Target='../../../x'/>");
  EXPECT_EQ(map.Find("up"), nullptr);
  EXPECT_EQ(map.Find("rootup"), nullptr);
  EXPECT_EQ(map.Find("abs"), nullptr);
  EXPECT_EQ(map.Find("deep"), nullptr);
  EXPECT_EQ(*map.Find("ok"), Inside("ppt/media/x.png"));
  EXPECT_EQ(map.Find("later"), nullptr) << "the later element wins and names nothing readable";
}

TEST_F(Relationships, TypeLookupSkipsExternalTargets) {
  RelationshipMap map = Load(
      "<Relationship Id='a' Type='http://x/slideLayout' Target='http://evil/l.xml' TargetMode='External'/>"
      "<Relationship Id='b' Type='http://purl.oclc.org/ooxml/officeDocument/relationships/slideLayout' "
      "Target='../slideLayouts/slideLayout2.xml'/>"
      "<Relationship Id='c' Type='http://x/slideLayout' Target='../slideLayouts/slideLayout3.xml'/>");
  EXPECT_EQ(map.FindInternalByType("/slideLayout"), Inside("ppt/slideLayouts/slideLayout2.xml"));
  EXPECT_EQ(map.FindInternalByType("/slideMaster"), "");
}

TEST_F(Relationships, MissingPartIsEmptyAndMalformedPartFails) {
  EXPECT_EQ(LoadRelationships(slides, "none.xml", extract).Size(), 0u);
  WriteFileBytes(JoinPath(JoinPath(slides, "_rels"), "bad.xml.rels"), "<Relationships><Relationship");
  EXPECT_THROW(LoadRelationships(slides, "bad.xml", extract), ETarvikError);
}
