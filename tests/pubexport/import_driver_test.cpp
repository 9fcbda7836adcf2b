// ConvertPPTXToPub end to end on small generated decks: the work folder, the
// counts, the early returns and the failures it raises.
#include <gtest/gtest.h>

#include "platform/error.h"
#include "platform/files.h"
#include "platform/system.h"
#include "pubexport/import_driver.h"
#include "pubexport/picture_codec.h"
#include "pubexport/pub_test_support.h"
#include "support/deck_writer.h"

using namespace tarvik;
using namespace tarvik::test;

namespace {

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  size_t at = text.find(from);
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

class ImportDriver : public ::testing::Test {
 protected:
  void SetUp() override {
    hadTemp_ = HasEnvVar("TEMP");
    savedTemp_ = GetEnvVar("TEMP");
    SetEnvVar("TEMP", dir_ / "temp");
  }
  void TearDown() override { hadTemp_ ? SetEnvVar("TEMP", savedTemp_) : UnsetEnvVar("TEMP"); }

  // Slide 1: a title, a picture cropped by a quarter on the left, a picture
  // whose part is missing, and a flipped connector. Slide 2: one rectangle.
  std::string WriteDeck(const std::string& name, int64_t width = 12192000) {
    TDeckParts parts;
    parts.SlideWidthEmu = width;
    std::string cropped = Replace(PictureXml(3, "Photo", "rId10", 0, 0, 952500, 952500), "<a:stretch>",
                                  "<a:srcRect l=\"25000\"/><a:stretch>");
    std::string connector =
        "<p:cxnSp><p:nvCxnSpPr><p:cNvPr id=\"5\" name=\"Arrow\"/><p:cNvCxnSpPr/><p:nvPr/></p:nvCxnSpPr>"
        "<p:spPr><a:xfrm flipH=\"1\"><a:off x=\"95250\" y=\"0\"/><a:ext cx=\"952500\" cy=\"476250\"/></a:xfrm>"
        "<a:prstGeom prst=\"line\"><a:avLst/></a:prstGeom></p:spPr></p:cxnSp>";
    parts.Slides.push_back({TextShapeXml(2, "Title 1", 0, 0, 952500, 476250, "Hello") + cropped +
                               PictureXml(4, "Lost", "rId11", 0, 0, 95250, 95250) + connector,
                           RelationshipXml("rId10", "image", "../media/image1.png") +
                               RelationshipXml("rId11", "image", "../media/image9.png"),
                           ""});
    parts.Slides.push_back({TextShapeXml(2, "Box", 0, 0, 95250, 95250, "", "rect"), "", ""});
    TDeckWriter deck = BuildMinimalDeck(parts);
    deck.Add("ppt/media/image1.png", EncodePng(TRgbBitmap(8, 4, 0x00FF00)));
    std::string file = dir_ / name;
    deck.Write(file);
    return file;
  }

  TTempDir dir_;
  bool hadTemp_ = false;
  std::string savedTemp_;
};

}  // namespace

TEST_F(ImportDriver, WritesPagesRecordsAndMedia) {
  std::string deck = WriteDeck("Quarterly.Review.pptx");
  std::string pub = dir_ / "out/nested/review.pub";
  int32_t slides = -1, objects = -1;
  ASSERT_TRUE(ConvertPPTXToPub(deck, pub, slides, objects));
  EXPECT_EQ(slides, 2);
  EXPECT_EQ(objects, 5);
  std::string text = ReadFileBytes(pub);
  EXPECT_EQ(LinesStarting(text, "Title="), std::vector<std::string>{"Title=Quarterly.Review - Imported"});
  EXPECT_EQ(LinesStarting(text, "NewPage=").size(), 2u);
  EXPECT_EQ(LinesStarting(text, "ObjectType="),
            (std::vector<std::string>{"ObjectType=8", "ObjectType=4", "ObjectType=7", "ObjectType=5"}));
  EXPECT_EQ(LinesStarting(text, "FileName="), std::vector<std::string>{"FileName=media\\slide1_obj2_crop.png"});
  TRgbBitmap crop;
  ASSERT_TRUE(DecodePicture(ReadFileBytes(dir_ / "out/nested/media/slide1_obj2_crop.png"), crop));
  EXPECT_EQ(crop.Width, 6);
  // The connector is flipped horizontally: it runs from the top-right corner.
  EXPECT_EQ(LinesStarting(text, "X1="), std::vector<std::string>{"X1=110"});
  EXPECT_EQ(LinesStarting(text, "X2="), std::vector<std::string>{"X2=10"});
  // The package stays unpacked below TEMP's import folder.
  EXPECT_EQ(ImportExtractionRoot(), dir_ / "temp" + kPathSep + "Tarvik_Import");
  EXPECT_TRUE(DirectoryExists(JoinPath(ImportExtractionRoot(), "Quarterly.Review_extracted")));
}

TEST_F(ImportDriver, MissingPresentationReturnsFalseAndWritesNothing) {
  int32_t slides = 7, objects = 7;
  EXPECT_FALSE(ConvertPPTXToPub(dir_ / "none.pptx", dir_ / "out/x.pub", slides, objects));
  EXPECT_EQ(slides, 0);
  EXPECT_EQ(objects, 0);
  EXPECT_FALSE(PathExists(dir_ / "out"));
}

TEST_F(ImportDriver, NoPositiveSlideSizeReturnsFalseBeforeWriting) {
  std::string deck = WriteDeck("flat.pptx", 0);
  int32_t slides = 7, objects = 7;
  bool result = true;
  try {
    result = ConvertPPTXToPub(deck, dir_ / "out/x.pub", slides, objects);
  } catch (const ETarvikError&) {
    // A loader that refuses such a size is as good: nothing is written either way.
  }
  EXPECT_FALSE(result);
  EXPECT_EQ(slides, 0);
  EXPECT_FALSE(FileExists(dir_ / "out/x.pub"));
  EXPECT_FALSE(PathExists(dir_ / "out/media"));
}

TEST_F(ImportDriver, FailuresRaiseWithTheirMessage) {
  std::string deck = WriteDeck("deck.pptx");
  int32_t slides = 0, objects = 0;
  struct Case {
    std::string pub;
    std::string message;
  } cases[] = {
      {"deck.pub", "Unable to create directory"},
      {"   ", "Unable to create directory"},
  };
  for (const auto& c : cases) {
    try {
      ConvertPPTXToPub(deck, c.pub, slides, objects);
      ADD_FAILURE() << "no error for \"" << c.pub << "\"";
    } catch (const ETarvikError& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
  }
  // A damaged package: the loader's error passes through with both counts 0.
  std::string broken = dir_ / "broken.pptx";
  WriteFileBytes(broken, "PK\x03\x04 not a zip");
  slides = objects = 9;
  EXPECT_THROW(ConvertPPTXToPub(broken, dir_ / "out/b.pub", slides, objects), ETarvikError);
  EXPECT_EQ(slides, 0);
  EXPECT_EQ(objects, 0);
  EXPECT_FALSE(FileExists(dir_ / "out/b.pub"));
}
