// Placeholders without an xfrm of their own borrow the position and turn of
// the matching placeholder of their layout, or else of its master.
#include <gtest/gtest.h>

#include "pptx_test_util.h"

using namespace tarvik;
using namespace tarvik::test;

namespace {

std::string Xfrm(int64_t x, int64_t y, int64_t cx, int64_t cy, const std::string& extra = "") {
  return "<a:xfrm" + extra + "><a:off x='" + std::to_string(x) + "' y='" + std::to_string(y) + "'/><a:ext cx='" +
         std::to_string(cx) + "' cy='" + std::to_string(cy) + "'/></a:xfrm>";
}

std::string Ph(const std::string& name, const std::string& ph, const std::string& xfrm = "") {
  return "<p:sp><p:nvSpPr><p:cNvPr id='2' name='" + name + "'/><p:cNvSpPr/><p:nvPr>" + ph +
         "</p:nvPr></p:nvSpPr><p:spPr>" + xfrm + "</p:spPr></p:sp>";
}

std::string PicPh(const std::string& name, const std::string& ph) {
  return "<p:pic><p:nvPicPr><p:cNvPr id='3' name='" + name + "'/><p:cNvPicPr/><p:nvPr>" + ph +
         "</p:nvPr></p:nvPicPr><p:blipFill/><p:spPr/></p:pic>";
}

TDeckParts DeckAround(const std::string& slideTree) {
  TDeckParts parts;
  parts.LayoutSpTree = Ph("L body", "<p:ph type='body' idx='1'/>", Xfrm(100, 200, 300, 400, " rot='5400000' flipH='1'")) +
                      Ph("L title", "<p:ph type='title'/>", Xfrm(10, 20, 30, 40)) +
                      Ph("L pic", "<p:ph type='pic' idx='3'/>", Xfrm(1, 2, 3, 4)) +
                      Ph("L date", "<p:ph type='dt' idx='10'/>") +
                      "<p:grpSp>" + Ph("L grouped", "<p:ph idx='30'/>", Xfrm(9, 9, 9, 9)) + "</p:grpSp>";
  parts.MasterSpTree = Ph("M subtitle", "<p:ph type='subTitle'/>", Xfrm(5000, 6000, 7000, 8000)) +
                      Ph("M pic", "<p:ph type='pic'/>", Xfrm(11, 12, 13, 14)) +
                      Ph("M date", "<p:ph type='DT' idx='10'/>", Xfrm(21, 22, 23, 24)) +
                      Ph("M title", "<p:ph type='title'/>", Xfrm(31, 32, 33, 34));
  parts.Slides = {{slideTree, "", ""}};
  return parts;
}

struct TBox {
  int64_t X, Y, W, H;
  bool operator==(const TBox&) const = default;
};
TBox BoxOf(const TPPTXShape& s) { return {s.XEmu, s.YEmu, s.WEmu, s.HEmu}; }

}  // namespace

TEST(Placeholders, BorrowFromTheLayoutThenTheMaster) {
  TTempDir dir;
  auto p = LoadDeck(DeckAround(Ph("by idx", "<p:ph idx='1'/>") + Ph("ctrTitle is title", "<p:ph type='ctrTitle'/>") +
                         Ph("idx not in layout", "<p:ph type='pic' idx='7'/>") +
                         Ph("layout match without xfrm", "<p:ph type='dt' idx='10'/>") +
                         Ph("no type is body", "<p:ph idx='20'/>") +
                         Ph("own xfrm", "<p:ph idx='1'/>", Xfrm(1, 1, 1, 1)) +
                         PicPh("picture", "<p:ph type='pic' idx='3'/>") +
                         Ph("nothing matches", "<p:ph type='ftr' idx='99'/>") +
                         Ph("grouped layout placeholders are not offered", "<p:ph type='obj' idx='30'/>")),
                    dir);
  const auto& s = p->Slides.at(0)->Shapes;
  const TBox expected[] = {{100, 200, 300, 400}, {10, 20, 30, 40}, {11, 12, 13, 14}, {21, 22, 23, 24},
                           {5000, 6000, 7000, 8000}, {1, 1, 1, 1}, {1, 2, 3, 4}, {0, 0, 0, 0}, {0, 0, 0, 0}};
  ASSERT_EQ(s.size(), std::size(expected));
  for (size_t i = 0; i < s.size(); ++i) EXPECT_EQ(BoxOf(*s[i]), expected[i]) << s[i]->Name;
  EXPECT_EQ(s[0]->RotationDeg, 90) << "a placeholder turned on its layout is turned on the slide";
  EXPECT_EQ(s[1]->RotationDeg, 0);
  EXPECT_FALSE(s[0]->FlipH) << "flips stay the slide's own";
}

TEST(Placeholders, BorrowedRectangleGoesThroughTheGroupStack) {
  TTempDir dir;
  auto p = LoadDeck(DeckAround("<p:grpSp><p:nvGrpSpPr><p:cNvPr id='9' name='G'/></p:nvGrpSpPr><p:grpSpPr>"
                         "<a:xfrm><a:off x='0' y='0'/><a:ext cx='500' cy='500'/><a:chOff x='0' y='0'/>"
                         "<a:chExt cx='1000' cy='1000'/></a:xfrm></p:grpSpPr>" +
                         Ph("in group", "<p:ph idx='1'/>") + "</p:grpSp>"),
                    dir);
  EXPECT_EQ(BoxOf(*p->Slides.at(0)->Shapes.at(0)), (TBox{50, 100, 150, 200}));
}

TEST(Placeholders, UnreadableLayoutOrMasterOnlyMeansNoMatch) {
  const struct {
    const char* what;
    const char* part;
    const char* bytes;
    TBox title, date;
  } cases[] = {
      {"malformed layout", "ppt/slideLayouts/slideLayout1.xml", "<p:sldLayout><", {0, 0, 0, 0}, {0, 0, 0, 0}},
      {"malformed master", "ppt/slideMasters/slideMaster1.xml", "<p:sldMaster", {10, 20, 30, 40}, {0, 0, 0, 0}},
      {"malformed layout rels", "ppt/slideLayouts/_rels/slideLayout1.xml.rels", "<R", {10, 20, 30, 40}, {0, 0, 0, 0}},
      {"no layout", "ppt/slides/_rels/slide1.xml.rels", "<Relationships/>", {0, 0, 0, 0}, {0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    TTempDir dir;
    TDeckWriter deck = BuildMinimalDeck(
        DeckAround(Ph("title", "<p:ph type='title'/>") + Ph("date", "<p:ph type='dt' idx='10'/>")));
    deck.Add(c.part, c.bytes);
    auto p = LoadDeck(deck, dir);
    const auto& s = p->Slides.at(0)->Shapes;
    EXPECT_EQ(BoxOf(*s.at(0)), c.title) << c.what;
    EXPECT_EQ(BoxOf(*s.at(1)), c.date) << c.what;
  }
}
