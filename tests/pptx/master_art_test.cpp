// What a slide inherits to draw: its layout's and master's own shapes
// beneath its own (placeholders excepted, showMasterSp obeyed), their
// backgrounds, and the readable branch of alternate content.
#include <gtest/gtest.h>

#include "pptx/date_field.h"
#include "pptx_test_util.h"

using namespace tarvik;
using namespace tarvik::test;

namespace {

std::string Replaced(std::string text, const std::string& what, const std::string& with) {
  size_t at = text.find(what);
  if (at != std::string::npos) text.replace(at, what.size(), with);
  return text;
}

std::string Box(const std::string& name, const std::string& nvPr = "") {
  return "<p:sp><p:nvSpPr><p:cNvPr id='5' name='" + name + "'/><p:cNvSpPr/><p:nvPr>" + nvPr +
         "</p:nvPr></p:nvSpPr><p:spPr><a:xfrm><a:off x='0' y='0'/><a:ext cx='952500' cy='952500'/></a:xfrm>"
         "<a:solidFill><a:srgbClr val='FF0000'/></a:solidFill></p:spPr></p:sp>";
}

std::vector<std::string> Names(const TPPTXSlide& slide, bool inherited) {
  std::vector<std::string> names;
  for (const auto& shape : slide.Shapes)
    if (shape->Inherited == inherited) names.push_back(shape->Name);
  return names;
}

}  // namespace

TEST(MasterArt, LayoutAndMasterShapesLieBeneathTheSlidesUnlessHidden) {
  TTempDir dir;
  TDeckParts parts;
  parts.MasterSpTree = Box("master band") + Box("master title", "<p:ph type='title'/>");
  parts.LayoutSpTree = Box("layout line") + Box("layout body", "<p:ph type='body' idx='1'/>");
  parts.MoreLayouts = {{"title", "No master art", Box("plain layout art")}};
  parts.Slides = {{Box("own"), "", "", 1}, {Box("own"), "", "", 1}, {Box("own"), "", "", 2}};
  TDeckWriter deck = BuildMinimalDeck(parts);
  deck.Add("ppt/slides/slide2.xml", Replaced(deck.Bytes("ppt/slides/slide2.xml"), "<p:sld ", "<p:sld showMasterSp='0' "));
  deck.Add("ppt/slideLayouts/slideLayout2.xml",
           Replaced(deck.Bytes("ppt/slideLayouts/slideLayout2.xml"), "<p:sldLayout ", "<p:sldLayout showMasterSp='0' "));
  deck.Add("ppt/slideMasters/slideMaster1.xml",
           Replaced(deck.Bytes("ppt/slideMasters/slideMaster1.xml"), "<p:cSld>",
                    "<p:cSld><p:bg><p:bgPr><a:solidFill><a:srgbClr val='102030'/></a:solidFill></p:bgPr></p:bg>"));
  auto p = LoadDeck(deck, dir);

  const TPPTXSlide& first = *p->Slides.at(0);
  EXPECT_EQ(Names(first, true), (std::vector<std::string>{"master band", "layout line"}));
  EXPECT_EQ(Names(first, false), (std::vector<std::string>{"own"}));
  EXPECT_EQ(first.Shapes.back()->Name, "own") << "the slide's own shapes on top";
  EXPECT_TRUE(first.HasBackgroundColor) << "the master's background";
  EXPECT_EQ(first.BackgroundColor, 0x302010);

  EXPECT_TRUE(Names(*p->Slides.at(1), true).empty()) << "the slide hides its master's shapes";
  EXPECT_EQ(Names(*p->Slides.at(2), true), (std::vector<std::string>{"plain layout art"}))
      << "the layout hides the master's, not its own";
}

TEST(MasterArt, AlternateContentReadsWhatTheReaderUnderstands) {
  TTempDir dir;
  TDeckParts parts;
  parts.Slides = {{"<mc:AlternateContent xmlns:mc='http://schemas.openxmlformats.org/markup-compatibility/2006'>"
                   "<mc:Choice Requires='p14 a14'>" + Box("understood") + "</mc:Choice>"
                   "<mc:Fallback>" + Box("old") + "</mc:Fallback></mc:AlternateContent>"
                   "<mc:AlternateContent><mc:Choice Requires='cx1'>" + Box("chartex") + "</mc:Choice>"
                   "<mc:Fallback>" + Box("fallback picture") + "</mc:Fallback></mc:AlternateContent>",
                   "", ""}};
  auto p = LoadDeck(parts, dir);
  EXPECT_EQ(Names(*p->Slides.at(0), false), (std::vector<std::string>{"understood", "fallback picture"}));
}

TEST(MasterArt, SlideNumberFieldsShowEachSlidesNumberFromTheDecksFirst) {
  const std::string numbered =
      "<p:sp><p:nvSpPr><p:cNvPr id='7' name='page'/><p:cNvSpPr/><p:nvPr/></p:nvSpPr><p:spPr><a:xfrm><a:off x='0' "
      "y='0'/><a:ext cx='952500' cy='952500'/></a:xfrm></p:spPr><p:txBody><a:bodyPr/><a:p><a:r><a:t>Page "
      "</a:t></a:r><a:fld id='{1}' type='slidenum'><a:t>&#8249;#&#8250;</a:t></a:fld><a:fld id='{2}' "
      "type='datetime1'><a:t>1/2/2003</a:t></a:fld><a:fld id='{3}' type='TxLink'><a:t>kept</a:t></a:fld></a:p>"
      "</p:txBody></p:sp>";
  for (const auto& [first, expected] : std::vector<std::pair<std::string, int>>{{"", 1}, {"0", 0}, {"7", 7}}) {
    TTempDir dir;
    TDeckParts parts;
    parts.LayoutSpTree = numbered;
    parts.Slides = {{Box("own"), "", ""}, {Box("own"), "", ""}};
    TDeckWriter deck = BuildMinimalDeck(parts);
    if (!first.empty())
      deck.Add("ppt/presentation.xml", Replaced(deck.Bytes("ppt/presentation.xml"), "<p:presentation ",
                                                "<p:presentation firstSlideNum='" + first + "' "));
    const std::string before = DateFieldText("datetime1", "", LocalTimeNow());
    auto p = LoadDeck(deck, dir);
    const std::string after = DateFieldText("datetime1", "", LocalTimeNow());
    for (int i = 0; i < 2; ++i) {
      const TPPTXShape& page = *p->Slides.at(i)->Shapes.at(0);
      ASSERT_EQ(page.Name, "page");
      const auto& runs = page.Paragraphs.at(0).Runs;
      EXPECT_EQ(runs.at(1).Text, std::to_string(expected + i)) << "firstSlideNum '" << first << "'";
      EXPECT_TRUE(runs.at(2).Text == before || runs.at(2).Text == after) << "a date field shows today";
      EXPECT_EQ(runs.at(3).Text, "kept") << "other fields keep their stored text";
    }
  }
}
