// A deck that keeps its text formatting where real decks do (the master's
// text styles, the layout's and master's placeholders, the presentation's
// defaults and the colour maps): the loaded runs carry the resolved values.
#include <gtest/gtest.h>

#include "pptx_test_util.h"

using namespace tarvik;
using namespace tarvik::test;

namespace {

std::string Ph(const std::string& name, const std::string& ph, const std::string& body,
               const std::string& paragraphs = "") {
  return "<p:sp><p:nvSpPr><p:cNvPr id='2' name='" + name + "'/><p:cNvSpPr/><p:nvPr>" + ph +
         "</p:nvPr></p:nvSpPr><p:spPr/><p:txBody>" + body + paragraphs + "</p:txBody></p:sp>";
}

std::string Para(const std::string& text, int level = 0) {
  return "<a:p><a:pPr lvl='" + std::to_string(level) + "'/><a:r><a:rPr lang='en-US'/><a:t>" + text +
         "</a:t></a:r></a:p>";
}

std::string Replaced(std::string text, const std::string& what, const std::string& with) {
  size_t at = text.find(what);
  if (at != std::string::npos) text.replace(at, what.size(), with);
  return text;
}

const TPPTXTextRun& RunOf(const TPPTXSlide& slide, size_t shape, size_t paragraph = 0) {
  return slide.Shapes.at(shape)->Paragraphs.at(paragraph).Runs.at(0);
}

class TextInheritance : public ::testing::Test {
 protected:
  void SetUp() override {
    TDeckParts parts;
    parts.MasterTextStyles =
        "<p:titleStyle><a:lvl1pPr><a:defRPr sz='4400'><a:solidFill><a:schemeClr val='tx1'/></a:solidFill>"
        "<a:latin typeface='+mj-lt'/></a:defRPr></a:lvl1pPr></p:titleStyle>"
        "<p:bodyStyle><a:lvl1pPr marL='228600' indent='-228600'><a:buChar char='&#8226;'/><a:defRPr sz='2800'/>"
        "</a:lvl1pPr><a:lvl2pPr marL='685800'><a:defRPr sz='2400'/></a:lvl2pPr></p:bodyStyle>"
        "<p:otherStyle><a:lvl1pPr><a:defRPr sz='2000'><a:solidFill><a:schemeClr val='tx1'/></a:solidFill></a:defRPr>"
        "</a:lvl1pPr></p:otherStyle>";
    parts.MasterSpTree = Ph("M title", "<p:ph type='title'/>", "<a:bodyPr anchor='b'/><a:lstStyle/>");
    parts.LayoutSpTree =
        Ph("L body", "<p:ph type='body' idx='1'/>",
           "<a:bodyPr lIns='0'/><a:lstStyle><a:lvl1pPr><a:defRPr><a:solidFill><a:schemeClr val='accent1'/>"
           "</a:solidFill></a:defRPr></a:lvl1pPr></a:lstStyle>");
    const std::string slide = Ph("title", "<p:ph type='title'/>", "<a:bodyPr/>", Para("T")) +
                              Ph("body", "<p:ph idx='1'/>", "<a:bodyPr/>", Para("A") + Para("B", 1)) +
                              Ph("box", "", "<a:bodyPr/>", Para("C"));
    parts.Slides = {{slide, "", ""}, {slide, "", ""}};
    TDeckWriter deck = BuildMinimalDeck(parts);
    deck.Add("ppt/presentation.xml",
             Replaced(deck.Bytes("ppt/presentation.xml"), "</p:presentation>",
                      "<p:defaultTextStyle><a:lvl1pPr><a:defRPr sz='1400'/></a:lvl1pPr></p:defaultTextStyle>"
                      "</p:presentation>"));
    deck.Add("ppt/slides/slide2.xml",
             Replaced(deck.Bytes("ppt/slides/slide2.xml"), "<a:masterClrMapping/>",
                      "<a:overrideClrMapping bg1='dk1' tx1='lt1' bg2='dk2' tx2='lt2' accent1='accent2' "
                      "accent2='accent2' accent3='accent3' accent4='accent4' accent5='accent5' "
                      "accent6='accent6' hlink='hlink' folHlink='folHlink'/>"));
    Presentation = LoadDeck(deck, Dir);
  }
  TTempDir Dir;
  std::unique_ptr<TPPTXPresentation> Presentation;
};

TEST_F(TextInheritance, PlaceholdersTakeTheMastersStylesAndTheirPlaceholders) {
  const TPPTXSlide& slide = *Presentation->Slides.at(0);
  const TPPTXTextRun& title = RunOf(slide, 0);
  EXPECT_EQ(title.FontSizePt, 44);
  EXPECT_EQ(title.FontName, "Calibri Light") << "+mj-lt through the theme";
  EXPECT_TRUE(title.HasColor);
  EXPECT_EQ(title.Color, 0);
  EXPECT_EQ(slide.Shapes[0]->VerticalAnchor, kAnchorBottom) << "the master placeholder's anchor";

  const TPPTXShape& body = *slide.Shapes[1];
  EXPECT_EQ(RunOf(slide, 1, 0).FontSizePt, 28);
  EXPECT_EQ(RunOf(slide, 1, 0).Color, 0xC47244) << "the layout placeholder's accent1";
  EXPECT_EQ(RunOf(slide, 1, 1).FontSizePt, 24) << "level 2 of the body style";
  EXPECT_TRUE(body.Paragraphs[0].Bullet);
  EXPECT_EQ(body.Paragraphs[0].IndentEmu, -228600);
  EXPECT_EQ(body.Paragraphs[1].MarginLeftEmu, 685800);
  EXPECT_EQ(body.MarginLeftPx, 0) << "an inset only in the layout";
  EXPECT_EQ(body.MarginRightPx, 10);
}

TEST_F(TextInheritance, TextBoxesTakeThePresentationDefaultsBeforeTheOtherStyle) {
  const TPPTXTextRun& box = RunOf(*Presentation->Slides.at(0), 2);
  EXPECT_EQ(box.FontSizePt, 14);
  EXPECT_EQ(box.FontName, "Calibri");
  EXPECT_TRUE(box.HasColor);
  EXPECT_FALSE(Presentation->Slides[0]->Shapes[2]->Paragraphs[0].Bullet);
}

TEST_F(TextInheritance, ASlidesColourMapOverrideRemapsSchemeColours) {
  const TPPTXSlide& slide = *Presentation->Slides.at(1);
  EXPECT_EQ(RunOf(slide, 0).Color, 0xFFFFFF) << "tx1 is lt1 on this slide";
  EXPECT_EQ(RunOf(slide, 1).Color, 0x317DED) << "accent1 is accent2 on this slide";
}

}  // namespace
