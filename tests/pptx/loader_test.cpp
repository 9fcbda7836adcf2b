// The loader end to end on small generated decks: slide list, size,
// backgrounds, failures, deep nesting, and pictures browsers cannot draw.
#include <gtest/gtest.h>

#include "platform/error.h"
#include "platform/files.h"
#include "pptx_test_util.h"
#include "support/tiff_writer.h"

using namespace tarvik;
using namespace tarvik::test;

namespace {

TDeckParts Slides(int count) {
  TDeckParts parts;
  for (int i = 1; i <= count; ++i)
    parts.Slides.push_back({TextShapeXml(2, "T", 0, 0, 10, 10, "slide " + std::to_string(i)), "", ""});
  return parts;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  size_t at = text.find(from);
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

}  // namespace

TEST(Loader, MissingFileFailsBeforeAnythingIsWritten) {
  TTempDir dir;
  const std::string file = dir / "none.pptx";
  EXPECT_EQ(ErrorOf([&] { LoadPPTXPresentation(file, dir / "work"); }), "PPTX file not found: " + file);
  EXPECT_FALSE(PathExists(dir / "work"));
}

TEST(Loader, FillsThePresentationFields) {
  TTempDir dir;
  TDeckParts parts = Slides(2);
  parts.SlideWidthEmu = 9144000;
  auto p = LoadDeck(parts, dir);
  EXPECT_EQ(p->SourceFile, dir / "deck.pptx");
  EXPECT_EQ(p->ExtractFolder, dir / "work" + kPathSep + "deck_extracted");
  EXPECT_EQ(p->MediaFolder, JoinPath(JoinPath(p->ExtractFolder, "ppt"), "media"));
  EXPECT_EQ(p->ThemeMajorFont, "Calibri Light");
  EXPECT_EQ(p->ThemeMinorFont, "Calibri");
  EXPECT_EQ(p->SlideWidthPx(), 960);
  EXPECT_EQ(p->SlideHeightPx(), 720);
  ASSERT_EQ(p->Slides.size(), 2u);
  EXPECT_EQ(p->Slides[1]->SourceFileName, "slide2.xml");
  EXPECT_EQ(p->Slides[1]->Shapes.at(0)->PlainText(), "slide 2");
}

TEST(Loader, SlideListOrderAndSkippedEntries) {
  TTempDir dir;
  TDeckWriter deck = BuildMinimalDeck(Slides(3));
  std::string presentation = deck.Bytes("ppt/presentation.xml");
  // rId101..103 are slides 1..3: list 3, 2, one with a foreign prefix, an
  // unknown id, an empty one, then 1; and drop the size.
  size_t from = presentation.find("<p:sldIdLst>"), to = presentation.find("</p:sldIdLst>");
  presentation.replace(from, to - from,
                       "<p:sldIdLst><p:sldId id='1' r:id='rId103'/><p:sldId id='2' R:ID='rId102'/>"
                       "<p:sldId id='3' rel:id='rId101' xmlns:rel='x'/><p:sldId r:id='rId999'/><p:sldId r:id=''/>"
                       "<p:other r:id='rId101'/><p:sldId id='rId101' r:id='rId101'/>");
  presentation = Replace(presentation, "<p:sldSz cx=\"12192000\" cy=\"6858000\"/>", "");
  deck.Add("ppt/presentation.xml", presentation);
  auto p = LoadDeck(deck, dir);
  ASSERT_EQ(p->Slides.size(), 3u);
  EXPECT_EQ(p->Slides[0]->SourceFileName, "slide3.xml");
  EXPECT_EQ(p->Slides[1]->SourceFileName, "slide2.xml");
  EXPECT_EQ(p->Slides[2]->SourceFileName, "slide1.xml");
  EXPECT_EQ(p->SlideWidthPx(), 1280);
  EXPECT_EQ(p->SlideHeightPx(), 720);
}

TEST(Loader, ExternalOrEscapingSlideTargetsAreSkipped) {
  TTempDir dir;
  WriteFileBytes(dir / "outside.xml", SlideXml(TextShapeXml(2, "Leak", 0, 0, 1, 1, "secret")));
  TDeckWriter deck = BuildMinimalDeck(Slides(1));
  std::string rels = deck.Bytes("ppt/_rels/presentation.xml.rels");
  rels = Replace(rels, "</Relationships>",
                 RelationshipXml("rId102", "slide", dir / "outside.xml", true) +
                     RelationshipXml("rId103", "slide", "../../../../outside.xml") + "</Relationships>");
  deck.Add("ppt/_rels/presentation.xml.rels", rels);
  deck.Add("ppt/presentation.xml", Replace(deck.Bytes("ppt/presentation.xml"), "</p:sldIdLst>",
                                           "<p:sldId r:id='rId102'/><p:sldId r:id='rId103'/></p:sldIdLst>"));
  auto p = LoadDeck(deck, dir);
  ASSERT_EQ(p->Slides.size(), 1u);
  EXPECT_EQ(p->Slides[0]->SourceFileName, "slide1.xml");
}

TEST(Loader, Backgrounds) {
  TTempDir dir;
  TDeckParts parts;
  parts.Slides = {{"", "", "<p:bgPr><a:solidFill><a:schemeClr val='bg1'/></a:solidFill></p:bgPr>"},
                 {"", "", "<p:bgRef idx='1001'><a:schemeClr val='bg1'/></p:bgRef>"},
                 {"", "", "<p:bgPr><a:solidFill><a:srgbClr val='102030'/></a:solidFill></p:bgPr>"}};
  parts.ColorScheme = Replace(DefaultColorScheme(), "lastClr=\"FFFFFF\"", "lastClr=\"FFFFFE\"");
  auto p = LoadDeck(parts, dir);
  EXPECT_TRUE(p->Slides[0]->HasBackgroundColor);
  EXPECT_EQ(p->Slides[0]->BackgroundColor, 0xFEFFFF);
  EXPECT_TRUE(p->Slides[1]->HasBackgroundColor) << "bgRef picks the theme's background style";
  EXPECT_EQ(p->Slides[1]->BackgroundColor, 0xFEFFFF);
  EXPECT_EQ(p->Slides[2]->BackgroundColor, 0x302010);
}

TEST(Loader, LoadingTwiceGivesEqualPresentationsFromAFreshFolder) {
  TTempDir dir;
  TDeckWriter deck = BuildMinimalDeck(Slides(2));
  auto first = LoadDeck(deck, dir);
  WriteFileBytes(JoinPath(first->ExtractFolder, "marker.txt"), "x");
  auto second = LoadDeck(deck, dir);
  EXPECT_FALSE(PathExists(JoinPath(second->ExtractFolder, "marker.txt")));
  ASSERT_EQ(first->Slides.size(), second->Slides.size());
  for (size_t i = 0; i < first->Slides.size(); ++i)
    EXPECT_EQ(first->Slides[i]->Shapes[0]->PlainText(), second->Slides[i]->Shapes[0]->PlainText());
}

TEST(Loader, SlideWithoutShapeTreeHasNoShapes) {
  TTempDir dir;
  TDeckWriter deck = BuildMinimalDeck(Slides(1));
  deck.Add("ppt/slides/slide1.xml", "<p:sld xmlns:p='x'><p:cSld/></p:sld>");
  auto p = LoadDeck(deck, dir);
  ASSERT_EQ(p->Slides.size(), 1u);
  EXPECT_TRUE(p->Slides[0]->Shapes.empty());
}

TEST(Loader, BrokenPartsFailWithTheFailingComponentsMessage) {
  const struct {
    const char* what;
    std::function<void(TDeckWriter&)> damage;
    const char* message;
  } cases[] = {
      {"no presentation part", [](TDeckWriter& d) { d.Remove("ppt/presentation.xml"); },
       "is not a PowerPoint presentation: its package has no ppt/presentation.xml"},
      {"malformed presentation part", [](TDeckWriter& d) { d.Add("ppt/presentation.xml", "<p:presentation>"); },
       "presentation.xml"},
      {"missing slide part", [](TDeckWriter& d) { d.Remove("ppt/slides/slide1.xml"); }, "slide1.xml"},
      {"malformed slide part", [](TDeckWriter& d) { d.Add("ppt/slides/slide1.xml", "<p:sld><"); }, "slide1.xml"},
      {"malformed theme", [](TDeckWriter& d) { d.Add("ppt/theme/theme1.xml", "<a:theme"); }, "theme1.xml"},
      {"markup in a run's text",
       [](TDeckWriter& d) {
         d.Add("ppt/slides/slide1.xml", SlideXml(TextShapeXml(2, "T", 0, 0, 1, 1, "a<a:b/>c")));
       },
       "where text is expected"},
  };
  for (const auto& c : cases) {
    TTempDir dir;
    TDeckWriter deck = BuildMinimalDeck(Slides(1));
    c.damage(deck);
    std::string error = ErrorOf([&] { LoadDeck(deck, dir); });
    EXPECT_NE(error.find(c.message), std::string::npos) << c.what << ": " << error;
  }
}

TEST(Loader, DeepNestingFailsCleanly) {
  const int depth = 100000;
  std::string open, close;
  for (int i = 0; i < depth; ++i) {
    open += "<p:grpSp><p:nvGrpSpPr><p:cNvPr id='1' name='g'/></p:nvGrpSpPr>";
    close += "</p:grpSp>";
  }
  TTempDir dir;
  TDeckWriter deck = BuildMinimalDeck(Slides(1));
  deck.Add("ppt/slides/slide1.xml", SlideXml(open + close));
  std::string error = ErrorOf([&] { LoadDeck(deck, dir); });
  EXPECT_NE(error.find("nested deeper than"), std::string::npos) << error;

  // Groups within the XML limit but beyond the group limit.
  open.clear();
  close.clear();
  for (size_t i = 0; i <= 64; ++i) {
    open += "<p:grpSp>";
    close += "</p:grpSp>";
  }
  deck.Add("ppt/slides/slide1.xml", SlideXml(open + "<p:sp/>" + close));
  error = ErrorOf([&] { LoadDeck(deck, dir); });
  EXPECT_NE(error.find("Groups are nested more than 64 levels deep in slide1.xml"), std::string::npos) << error;

  // 64 levels are still read.
  deck.Add("ppt/slides/slide1.xml", SlideXml(open.substr(9) + "<p:sp/>" + close.substr(10)));
  auto p = LoadDeck(deck, dir);
  EXPECT_EQ(p->Slides.at(0)->Shapes.at(0)->GroupDepth, 64);
}

TEST(Loader, ASlidePartListedOverAndOverExhaustsTheReadBudget) {
  TTempDir dir;
  TDeckParts parts;
  std::string shapes;
  for (int i = 0; i < 200; ++i) shapes += TextShapeXml(i + 2, "Shape", i, i, 10, 10, "some text in a run");
  parts.Slides = {{shapes, "", ""}};
  TDeckWriter deck = BuildMinimalDeck(parts);
  std::string list = "<p:sldIdLst>";
  for (int i = 0; i < 3000; ++i) list += "<p:sldId r:id='rId101'/>";
  std::string presentation = deck.Bytes("ppt/presentation.xml");
  size_t from = presentation.find("<p:sldIdLst>"), to = presentation.find("</p:sldIdLst>");
  presentation.replace(from, to - from, list);
  deck.Add("ppt/presentation.xml", presentation);
  std::string error = ErrorOf([&] { LoadDeck(deck, dir); });
  EXPECT_NE(error.find("lists its slide parts so often"), std::string::npos) << error;
}

TEST(Loader, TiffPicturesGetAPictureBrowsersDrawOrAreMarkedUndrawable) {
  TTempDir dir;
  TTiffImage gray;
  gray.BigEndian = true;
  gray.Width = 3, gray.Pixels = "\x10\x80\xF0";
  TDeckParts parts;
  auto filled = [](int id, const std::string& rel) {
    return "<p:sp><p:nvSpPr><p:cNvPr id='" + std::to_string(id) + "' name='Filled'/><p:cNvSpPr/><p:nvPr/></p:nvSpPr>"
           "<p:spPr><a:xfrm><a:off x='0' y='0'/><a:ext cx='9525' cy='9525'/></a:xfrm><a:prstGeom prst='rect'/>"
           "<a:blipFill><a:blip r:embed='" + rel + "'/></a:blipFill></p:spPr></p:sp>";
  };
  parts.Slides = {{PictureXml(2, "Good", "rGood", 0, 0, 100, 100) + PictureXml(3, "Again", "rGood", 0, 0, 50, 50) +
                       PictureXml(4, "Cut", "rCut", 0, 0, 100, 100) + filled(5, "rGood") + filled(6, "rCut"),
                   RelationshipXml("rGood", "image", "../media/image1.tiff") +
                       RelationshipXml("rCut", "image", "../media/image2.tif"),
                   "<p:bgPr><a:blipFill><a:blip r:embed='rGood'/></a:blipFill></p:bgPr>"}};
  TDeckWriter deck = BuildMinimalDeck(parts);
  deck.Add("ppt/media/image1.tiff", WriteTiff(gray));
  deck.Add("ppt/media/image2.tif", WriteTiff(gray).substr(0, 20));
  auto p = LoadDeck(deck, dir);
  const auto& shapes = p->Slides.at(0)->Shapes;
  ASSERT_EQ(shapes.size(), 5u);
  EXPECT_TRUE(shapes[0]->MediaFile.ends_with("image1.tiff")) << "the import keeps the original";
  EXPECT_TRUE(shapes[0]->DrawingFile.ends_with(".png")) << shapes[0]->DrawingFile;
  EXPECT_TRUE(FileExists(shapes[0]->DrawnFile()));
  EXPECT_FALSE(shapes[0]->UndrawablePicture);
  EXPECT_EQ(shapes[1]->DrawingFile, shapes[0]->DrawingFile) << "converted once";
  EXPECT_TRUE(shapes[2]->UndrawablePicture);
  EXPECT_EQ(shapes[2]->DrawnFile(), shapes[2]->MediaFile);
  // Only browsers draw picture fills: they name the converted picture.
  EXPECT_EQ(shapes[3]->Fill.PictureFile, shapes[0]->DrawingFile);
  EXPECT_EQ(p->Slides.at(0)->Background.PictureFile, shapes[0]->DrawingFile);
  EXPECT_TRUE(shapes[4]->Fill.PictureFile.ends_with("image2.tif")) << "nothing to name when none was made";
}
