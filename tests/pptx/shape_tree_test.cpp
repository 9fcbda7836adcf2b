// The shape tree walk on generated slides: order and groups, kinds and
// geometry kinds, pictures and media, outlines and flips of lines.
#include <gtest/gtest.h>

#include <limits>

#include "pptx_test_util.h"

using namespace tarvik;
using namespace tarvik::test;

namespace {

std::string Xfrm(int64_t x, int64_t y, int64_t cx, int64_t cy, const std::string& extra = "") {
  return "<a:xfrm" + extra + "><a:off x='" + std::to_string(x) + "' y='" + std::to_string(y) + "'/><a:ext cx='" +
         std::to_string(cx) + "' cy='" + std::to_string(cy) + "'/></a:xfrm>";
}

std::string Sp(const std::string& name, const std::string& spPr, const std::string& body = "",
               const std::string& nvPr = "<p:nvPr/>") {
  return "<p:sp><p:nvSpPr><p:cNvPr id='5' name='" + name + "'/><p:cNvSpPr/>" + nvPr + "</p:nvSpPr><p:spPr>" + spPr +
         "</p:spPr>" + (body.empty() ? "" : "<p:txBody><a:bodyPr/>" + body + "</p:txBody>") + "</p:sp>";
}

std::string Group(const std::string& name, const std::string& xfrm, const std::string& members) {
  return "<p:grpSp><p:nvGrpSpPr><p:cNvPr id='9' name='" + name + "'/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr>"
         "<p:grpSpPr>" + xfrm + "</p:grpSpPr>" + members + "</p:grpSp>";
}

const std::string kHello = "<a:p><a:r><a:t>Hello</a:t></a:r></a:p>";

class ShapeTree : public ::testing::Test {
 protected:
  const TPPTXSlide& Load(const std::string& spTree, const std::string& rels = "") {
    TDeckParts parts;
    parts.Slides = {{spTree, rels, ""}};
    presentation = LoadDeck(parts, dir);
    return *presentation->Slides.at(0);
  }
  TTempDir dir;
  std::unique_ptr<TPPTXPresentation> presentation;
};

}  // namespace

TEST_F(ShapeTree, GroupsFlattenInDocumentOrder) {
  const auto& slide = Load(
      Sp("A", "") +
      Group("G", "", Sp("B", "") + "<p:pic><p:nvPicPr><p:cNvPr id='3' name='C'/></p:nvPicPr></p:pic>") +
      Sp("D", "") +
      Group("Outer", "", Group("Inner", "", Sp("E", ""))) +
      "<p:grpSp><p:sp/></p:grpSp>" +
      "<mc:AlternateContent xmlns:mc='m'><mc:Choice>" + Sp("Hidden", "") + "</mc:Choice></mc:AlternateContent>");
  std::vector<std::string> names, paths;
  std::vector<int> depths;
  for (const auto& s : slide.Shapes) {
    names.push_back(s->Name);
    paths.push_back(s->GroupPath);
    depths.push_back(s->GroupDepth);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"A", "B", "C", "D", "E", "sp"}));
  EXPECT_EQ(paths, (std::vector<std::string>{"", "G", "G", "", "Outer/Inner", "Group"}));
  EXPECT_EQ(depths, (std::vector<int>{0, 1, 1, 0, 2, 1}));
}

TEST_F(ShapeTree, GroupGeometryAndRotationReachTheShapes) {
  const auto& slide = Load(
      Group("G", Xfrm(1000, 2000, 500, 500, " rot='5400000'"), Sp("S", Xfrm(200, 400, 100, 100, " rot='600000'"))) +
      Group("Z", "<a:xfrm><a:off x='7' y='8'/><a:ext cx='5' cy='5'/><a:chExt cx='0' cy='9'/></a:xfrm>",
            Sp("T", Xfrm(1, 2, 3, 4))));
  const TPPTXShape& s = *slide.Shapes.at(0);
  // No chOff/chExt: the child space equals the frame, so only the turn about
  // the frame's centre (1250, 2250) applies.
  EXPECT_EQ(s.RotationDeg, 100);
  EXPECT_EQ(s.XEmu, 3000);
  EXPECT_EQ(s.YEmu, 1200);
  EXPECT_EQ(s.WEmu, 100);
  const TPPTXShape& t = *slide.Shapes.at(1);
  EXPECT_EQ(t.XEmu, 7);
  EXPECT_EQ(t.YEmu, 8);
  EXPECT_EQ(t.WEmu, 3);
  EXPECT_EQ(t.HEmu, 4);
}

TEST_F(ShapeTree, KindsAndGeometryKindsOfSp) {
  const auto& slide = Load(
      Sp("textEllipse", "<a:prstGeom prst='ellipse'/>", kHello) + Sp("ellipse", "<a:prstGeom prst='ellipse'/>") +
      Sp("custom", "<a:custGeom/>", "<a:p><a:r><a:t> \t</a:t></a:r></a:p>") +
      Sp("triangle", "<a:prstGeom prst='triangle'/>") + Sp("line", "<a:prstGeom prst='line'/>") +
      "<p:cxnSp/><p:graphicFrame><p:xfrm><a:off x='914400' y='914400'/><a:ext cx='1828800' cy='914400'/></p:xfrm>"
      "</p:graphicFrame>");
  const struct {
    TPPTXShapeKind kind, geometry;
  } expected[] = {{skText, skOval}, {skOval, skOval},   {skRect, skRect},  {skOther, skOther},
                  {skLine, skLine}, {skLine, skOther}, {skOther, skOther}};
  ASSERT_EQ(slide.Shapes.size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(slide.Shapes[i]->Kind, expected[i].kind) << i;
    EXPECT_EQ(slide.Shapes[i]->GeometryKind, expected[i].geometry) << i;
  }
  EXPECT_EQ(slide.Shapes[6]->XEmu, 914400);
  EXPECT_EQ(slide.Shapes[6]->WEmu, 1828800);
  EXPECT_EQ(slide.Shapes[5]->Name, "cxnSp");
  EXPECT_EQ(slide.Shapes[2]->ThemeFontRole, 2);
  EXPECT_EQ(slide.Shapes[5]->ThemeFontRole, 0);
}

TEST_F(ShapeTree, TitlePlaceholders) {
  const auto& slide = Load(Sp("t", "", "", "<p:nvPr><p:ph type='title'/></p:nvPr>") +
                           Sp("s", "", kHello, "<p:nvPr><p:ph type='SUBTITLE'/></p:nvPr>") +
                           Sp("b", "", kHello, "<p:nvPr><p:ph idx='1'/></p:nvPr>"));
  EXPECT_TRUE(slide.Shapes[0]->IsTitle);
  EXPECT_EQ(slide.Shapes[0]->ThemeFontRole, 1);
  EXPECT_TRUE(slide.Shapes[1]->IsTitle);
  EXPECT_EQ(slide.Shapes[1]->Paragraphs[0].Runs[0].FontName, "Calibri") << "a subtitle is body text";
  EXPECT_FALSE(slide.Shapes[2]->IsTitle);
  EXPECT_EQ(slide.Shapes[2]->Paragraphs[0].Runs[0].FontName, "Calibri");
}

TEST_F(ShapeTree, FillsAndOutlines) {
  const auto& slide = Load(
      Sp("filled", "<a:solidFill><a:schemeClr val='accent1'/></a:solidFill><a:ln w='12700'/>", kHello) +
      Sp("lined", "<a:ln w='25400'><a:solidFill><a:srgbClr val='00FF00'/></a:solidFill></a:ln>") +
      "<p:cxnSp><p:nvCxnSpPr><p:cNvPr id='4' name='conn'/></p:nvCxnSpPr><p:spPr>" +
      Xfrm(10, 20, 30, 0, " flipH='1' flipV='true'") +
      "<a:prstGeom prst='line'/><a:ln w='38100'><a:solidFill><a:srgbClr val='0000FF'/></a:solidFill></a:ln>"
      "</p:spPr></p:cxnSp>" +
      Sp("spline", Xfrm(0, 0, 5, 5, " flipV='1'") + "<a:prstGeom prst='straightConnector1'/>") +
      Sp("box", Xfrm(0, 0, 5, 5, " flipV='1'")));
  const auto& s = slide.Shapes;
  EXPECT_TRUE(s[0]->HasFill);
  EXPECT_EQ(s[0]->FillColor, 0xC47244);
  EXPECT_EQ(s[0]->Kind, skText);
  EXPECT_FALSE(s[0]->HasLine);
  EXPECT_EQ(s[0]->LineWidthPt, 1.0);
  EXPECT_TRUE(s[1]->HasLine);
  EXPECT_EQ(s[1]->LineColor, 0x00FF00);
  EXPECT_EQ(s[1]->LineWidthPt, 2.0);
  EXPECT_EQ(s[1]->FillColor, clNone);
  // Lines keep their direction and outline.
  EXPECT_EQ(s[2]->Kind, skLine);
  EXPECT_TRUE(s[2]->FlipH);
  EXPECT_FALSE(s[2]->FlipV) << "only \"1\" flips";
  EXPECT_TRUE(s[2]->HasLine);
  EXPECT_EQ(s[2]->LineColor, 0xFF0000);
  EXPECT_EQ(s[2]->LineWidthPt, 3.0);
  EXPECT_FALSE(s[2]->HasFill);
  EXPECT_TRUE(s[3]->FlipV);
  EXPECT_TRUE(s[4]->FlipV) << "an arrow flipped to point back draws pointing back";
}

TEST_F(ShapeTree, PicturesAndMedia) {
  std::string rels = RelationshipXml("rImg", "image", "../media/image1.png") +
                     RelationshipXml("rVid", "video", "https://example.com/v.mp4", true) +
                     RelationshipXml("rEmb", "media", "../media/media1.mp4") +
                     RelationshipXml("rAud", "audio", "../media/a.mp3") +
                     RelationshipXml("rOut", "image", "../../../../outside.png");
  auto pic = [](const std::string& nvPr, const std::string& blipFill, const std::string& xfrmExtra = "") {
    return "<p:pic><p:nvPicPr><p:cNvPr id='2' name='P'/><p:cNvPicPr/><p:nvPr>" + nvPr +
           "</p:nvPr></p:nvPicPr><p:blipFill>" + blipFill + "</p:blipFill><p:spPr>" + Xfrm(1, 2, 3, 4, xfrmExtra) +
           "</p:spPr></p:pic>";
  };
  const auto& slide = Load(
      pic("", "<a:blip r:embed='rImg'><a:alphaModFix amt='40000'/><a:duotone><a:srgbClr val='102030'/><a:prstClr val='white'/></a:duotone></a:blip><a:srcRect l='25000' t='-5' r='x'/>",
          " flipH='1' flipV='true'") +
      pic("<a:videoFile r:link='rVid' r:embed='rEmb'/><a:audioFile r:link='rAud'/>", "<a:blip r:embed='rImg'/>") +
      pic("<a:audioFile r:embed='rAud'/>", "") + pic("<a:videoFile r:link='' r:embed='rEmb'/>", "<a:blip/>") +
      pic("", "<a:blip r:embed='rOut'/>") + pic("", "<a:blip r:embed='rNone'/>"), rels);
  const auto& s = slide.Shapes;
  const std::string media = JoinPath(JoinPath(presentation->ExtractFolder, "ppt"), "media");
  EXPECT_EQ(s[0]->Kind, skImage);
  EXPECT_EQ(s[0]->GeometryKind, skOther);
  EXPECT_EQ(s[0]->MediaFile, JoinPath(media, "image1.png"));
  EXPECT_EQ(s[0]->CropLeft, 25000);
  EXPECT_EQ(s[0]->CropTop, -5);
  EXPECT_EQ(s[0]->CropRight, 0);
  EXPECT_TRUE(s[0]->FlipH);
  EXPECT_FALSE(s[0]->FlipV);
  EXPECT_EQ(s[0]->PictureOpacity, 0.4);
  EXPECT_EQ(s[1]->PictureOpacity, 1);
  EXPECT_TRUE(s[0]->PictureDuotone.Used && !s[1]->PictureDuotone.Used);
  EXPECT_EQ(s[0]->PictureDuotone.Dark, 0x302010);  // the model's colours are BGR
  EXPECT_EQ(s[0]->PictureDuotone.Light, 0xFFFFFF);
  EXPECT_EQ(s[1]->Kind, skVideo);
  EXPECT_EQ(s[1]->MediaFile, "https://example.com/v.mp4") << "link before embed; external kept as written";
  EXPECT_EQ(s[1]->PosterImage, JoinPath(media, "image1.png"));
  EXPECT_EQ(s[2]->Kind, skAudio);
  EXPECT_EQ(s[2]->MediaFile, JoinPath(media, "a.mp3"));
  EXPECT_EQ(s[3]->MediaFile, JoinPath(media, "media1.mp4"));
  EXPECT_EQ(s[3]->PosterImage, "");
  EXPECT_EQ(s[4]->MediaFile, "") << "an internal target outside the package is missing";
  EXPECT_EQ(s[5]->MediaFile, "");
}

TEST_F(ShapeTree, ShapesCarryTheirGeometryAtTheirPixelSize) {
  const std::string arrow =
      "<p:sp><p:nvSpPr><p:cNvPr id='2' name='arrow'/><p:cNvSpPr/><p:nvPr/></p:nvSpPr><p:spPr>" +
      Xfrm(0, 0, 200 * 9525, 100 * 9525) +
      "<a:prstGeom prst='rightArrow'><a:avLst><a:gd name='adj1' fmla='val 50000'/><a:gd name='adj2' "
      "fmla='val 100000'/></a:avLst></a:prstGeom></p:spPr></p:sp>";
  const std::string custom =
      "<p:sp><p:nvSpPr><p:cNvPr id='3' name='custom'/><p:cNvSpPr/><p:nvPr/></p:nvSpPr><p:spPr>" +
      Xfrm(0, 0, 100 * 9525, 100 * 9525) +
      "<a:custGeom><a:pathLst><a:path w='2' h='2'><a:moveTo><a:pt x='0' y='0'/></a:moveTo><a:lnTo><a:pt x='2' "
      "y='1'/></a:lnTo><a:close/></a:path></a:pathLst></a:custGeom></p:spPr></p:sp>";
  const auto& slide = Load(arrow + custom + Sp("plain", "", kHello));
  ASSERT_EQ(slide.Shapes[0]->Geometry.Paths.size(), 1u);
  // The head starts where adj2 (a full height) puts it: at x = 200 - 100.
  EXPECT_NE(slide.Shapes[0]->Geometry.Paths[0].D.find("L100 0L200 50"), std::string::npos)
      << slide.Shapes[0]->Geometry.Paths[0].D;
  EXPECT_EQ(slide.Shapes[1]->Geometry.Paths.at(0).D, "M0 0L100 50Z");
}

TEST(EmuToPx, RoundsToNearestAndClampsToThePixelRange) {
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max(), kMin = std::numeric_limits<int64_t>::min();
  const struct {
    int64_t Emu;
    int32_t Px;
  } cases[] = {
      {0, 0},           {4762, 0},          {4763, 1},           {9525, 1},
      {-4763, -1},      {12192000, 1280},   {int64_t{kMaxPx} * 9525, kMaxPx},
      {int64_t{kMaxPx} * 9525 + 9525, kMaxPx},                    {int64_t{1} << 32, 450915},
      {int64_t{1} << 45, kMaxPx},                                  {-(int64_t{1} << 45), -kMaxPx},
      {kMax, kMaxPx},   {kMin, -kMaxPx},
  };
  for (const auto& c : cases) EXPECT_EQ(EmuToPx(c.Emu), c.Px) << c.Emu;
}

TEST_F(ShapeTree, ABoxBeyondThirtyTwoBitsIsClampedNotWrapped) {
  // 2^45 EMU is 3.7e9 px: cut to 32 bits it would come out negative.
  const int64_t huge = int64_t{1} << 45;
  const auto& slide = Load(Sp("far", Xfrm(huge, -huge, huge, 9525) + "<a:prstGeom prst='rect'/>"));
  const TPPTXShape& shape = *slide.Shapes.at(0);
  EXPECT_EQ(shape.LeftPx(), kMaxPx);
  EXPECT_EQ(shape.TopPx(), -kMaxPx);
  EXPECT_EQ(shape.WidthPx(), kMaxPx);
  EXPECT_EQ(shape.HeightPx(), 1);
}

TEST_F(ShapeTree, AGroupsShadowAndGlowFallFromEachMemberWithoutEffectsOfItsOwn) {
  const std::string effects = "<a:effectLst><a:glow rad='95250'><a:srgbClr val='00FF00'/></a:glow>"
                              "<a:outerShdw dist='95250'><a:srgbClr val='000000'/></a:outerShdw></a:effectLst>";
  const auto& slide = Load(Group("G", Xfrm(0, 0, 10, 10) + effects,
                                 Sp("Plain", "") + Sp("Own", "<a:effectLst/>") + Group("Inner", "", Sp("Deep", ""))) +
                           Sp("Outside", ""));
  std::vector<std::string> shadowed, glowing;
  for (const auto& s : slide.Shapes) {
    if (s->Shadow.Used) shadowed.push_back(s->Name);
    if (s->Glow.Used) glowing.push_back(s->Name);
  }
  EXPECT_EQ(shadowed, (std::vector<std::string>{"Plain", "Deep"}));
  EXPECT_EQ(glowing, shadowed);
}
