// Fills and lines: each kind of fill, the theme's style matrix with phClr,
// and a shape's own outline completed from its line style.
#include <gtest/gtest.h>

#include "pptx/fill.h"
#include "pptx_test_util.h"

using namespace tarvik;
using namespace tarvik::test;

namespace {

const ThemeColorMap kColors{{"accent1", 0x0000FF}, {"lt1", 0xFFFFFF}};

const char* const kFormats =
    "<a:fmtScheme>"
    "<a:fillStyleLst><a:solidFill><a:schemeClr val='phClr'/></a:solidFill>"
    "<a:gradFill><a:gsLst><a:gs pos='100000'><a:schemeClr val='phClr'><a:alpha val='50000'/></a:schemeClr></a:gs>"
    "<a:gs pos='0'><a:srgbClr val='00FF00'/></a:gs></a:gsLst><a:lin ang='5400000'/></a:gradFill>"
    "<a:noFill/></a:fillStyleLst>"
    "<a:lnStyleLst><a:ln w='9525'><a:solidFill><a:schemeClr val='phClr'/></a:solidFill><a:prstDash val='dash'/>"
    "</a:ln></a:lnStyleLst>"
    "<a:bgFillStyleLst><a:solidFill><a:srgbClr val='123456'/></a:solidFill>"
    "<a:gradFill><a:gsLst><a:gs pos='0'><a:schemeClr val='phClr'/></a:gs></a:gsLst><a:path path='circle'/>"
    "</a:gradFill><a:blipFill><a:blip r:embed='rId1'><a:duotone><a:schemeClr val='phClr'/>"
    "<a:srgbClr val='FFFFFF'/></a:duotone></a:blip><a:tile/></a:blipFill></a:bgFillStyleLst>"
    "<a:effectStyleLst><a:effectStyle><a:effectLst/></a:effectStyle><a:effectStyle><a:effectLst>"
    "<a:outerShdw blurRad='38100' dist='19050' dir='5400000' rotWithShape='0'><a:schemeClr val='phClr'>"
    "<a:alpha val='40000'/></a:schemeClr></a:outerShdw></a:effectLst></a:effectStyle></a:effectStyleLst></a:fmtScheme>";

struct TPaint {
  std::unique_ptr<TXmlPart> Formats = Xml(kFormats);
  RelationshipMap Rels, ThemeRels;
  TPaint() {
    Rels.Set("rId7", {"/deck/ppt/media/image7.png", "image", false});
    ThemeRels.Set("rId1", {"/deck/ppt/media/texture.jpeg", "image", false});
  }
  TPaintContext Context() { return {&kColors, &Rels, Formats->Root(), &ThemeRels}; }
};

}  // namespace

TEST(Fill, EachKindOfFill) {
  TPaint paint;
  const struct {
    const char* Xml;
    bool Found;
    int32_t Kind;
    TColor Color;
    double Opacity;
  } cases[] = {
      {"<p:spPr><a:solidFill><a:srgbClr val='FF0000'><a:alpha val='25000'/></a:srgbClr></a:solidFill></p:spPr>",
       true, kFillSolid, 0x0000FF, 0.25},
      {"<p:spPr><a:pattFill><a:fgClr><a:schemeClr val='accent1'/></a:fgClr></a:pattFill></p:spPr>", true,
       kFillSolid, 0x0000FF, 1},
      {"<p:spPr><a:xfrm/><a:noFill/></p:spPr>", true, kFillNone, clNone, 1},
      {"<p:spPr><a:blipFill><a:blip r:embed='rId7'/><a:tile/></a:blipFill></p:spPr>", true, kFillPicture, clNone, 1},
      {"<p:spPr><a:blipFill><a:blip r:embed='rId9'/></a:blipFill></p:spPr>", false, kFillNone, clNone, 1},
      {"<p:spPr><a:blipFill><a:blip r:embed='rId7'><a:alphaModFix amt='52000'/></a:blip></a:blipFill></p:spPr>",
       true, kFillPicture, clNone, 0.52},
      {"<p:spPr><a:blipFill><a:blip r:embed='rId7'><a:alphaModFix amt='150000'/></a:blip></a:blipFill></p:spPr>",
       true, kFillPicture, clNone, 1},
      {"<p:spPr><a:gradFill><a:gsLst/></a:gradFill></p:spPr>", false, kFillNone, clNone, 1},
      {"<p:spPr><a:xfrm/></p:spPr>", false, kFillNone, clNone, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Xml);
    auto xml = Xml(c.Xml);
    TPPTXFill fill;
    EXPECT_EQ(ReadFill(xml->Root(), paint.Context(), fill), c.Found);
    EXPECT_EQ(fill.Kind, c.Kind);
    EXPECT_EQ(fill.Color, c.Color);
    EXPECT_EQ(fill.Opacity, c.Opacity);
  }
  // A pattern keeps its preset and background beside its solid foreground.
  auto pattern = Xml("<p:spPr><a:pattFill prst='dkHorz'><a:fgClr><a:srgbClr val='FF0000'/></a:fgClr><a:bgClr>"
                     "<a:schemeClr val='accent1'><a:alpha val='50000'/></a:schemeClr></a:bgClr></a:pattFill></p:spPr>");
  TPPTXFill patterned;
  ASSERT_TRUE(ReadFill(pattern->Root(), paint.Context(), patterned));
  EXPECT_EQ(patterned.Pattern, "dkHorz");
  EXPECT_EQ(patterned.PatternBackground, 0x0000FF);  // accent1
  EXPECT_EQ(patterned.PatternBackgroundOpacity, 0.5);
  auto tiled = Xml(cases[3].Xml);
  TPPTXFill picture;
  ReadFill(tiled->Root(), paint.Context(), picture);
  EXPECT_EQ(picture.PictureFile, "/deck/ppt/media/image7.png");
  EXPECT_TRUE(picture.Tile);
}

TEST(Fill, ATileIsItsPictureAtThePictureResolutionScaledAndAnchored) {
  TTempDir dir;
  TPaint paint;
  WriteFileBytes(dir / "plain.png", PngHeader(20, 10));
  WriteFileBytes(dir / "fine.png", PngHeader(20, 10, 7874));  // 200 dpi
  paint.Rels.Set("rId8", {dir / "plain.png", "image", false});
  paint.Rels.Set("rId9", {dir / "fine.png", "image", false});
  const struct {
    const char* Tile;
    const char* Picture;
    int64_t Width, Height;  // EMU
    double AnchorX, AnchorY;
    int64_t OffsetX, OffsetY;
    bool FlipX, FlipY;
  } cases[] = {
      {"<a:tile/>", "rId8", 20 * 9525, 10 * 9525, 0, 0, 0, 0, false, false},
      {"<a:tile tx='9525' ty='-19050' sx='50000' sy='200000' flip='xy' algn='br'/>", "rId9", 45720, 91440, 1, 1, 9525,
       -19050, true, true},
      {"<a:tile sx='0' flip='y' algn='t'/>", "rId8", 9525, 10 * 9525, 0.5, 0, 0, 0, false, true},
      {"<a:tile flip='x' algn='r'/>", "rId7", 0, 0, 1, 0.5, 0, 0, true, false},  // a picture not there
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Tile);
    auto xml = Xml(std::string("<p:spPr><a:blipFill><a:blip r:embed='") + c.Picture + "'/>" + c.Tile +
                   "</a:blipFill></p:spPr>");
    TPPTXFill fill;
    ASSERT_TRUE(ReadFill(xml->Root(), paint.Context(), fill));
    EXPECT_TRUE(fill.Tile);
    EXPECT_EQ(fill.TileWidthEmu, c.Width);
    EXPECT_EQ(fill.TileHeightEmu, c.Height);
    EXPECT_EQ(fill.TileAnchorX, c.AnchorX);
    EXPECT_EQ(fill.TileAnchorY, c.AnchorY);
    EXPECT_EQ(fill.TileOffsetXEmu, c.OffsetX);
    EXPECT_EQ(fill.TileOffsetYEmu, c.OffsetY);
    EXPECT_EQ(fill.TileFlipX, c.FlipX);
    EXPECT_EQ(fill.TileFlipY, c.FlipY);
  }
}

TEST(Fill, StyleReferencesPickFromTheThemeWithTheirOwnColour) {
  TPaint paint;
  auto read = [&](const std::string& xml, TPPTXFill& fill) {
    auto ref = Xml(xml);
    return ReadFillReference(ref->Root(), paint.Context(), fill);
  };
  TPPTXFill solid, gradient, none, background, radial;
  ASSERT_TRUE(read("<a:fillRef idx='1'><a:schemeClr val='accent1'/></a:fillRef>", solid));
  EXPECT_EQ(solid.Color, 0x0000FF) << "phClr is the reference's colour";
  ASSERT_TRUE(read("<a:fillRef idx='2'><a:srgbClr val='FF0000'/></a:fillRef>", gradient));
  ASSERT_EQ(gradient.Kind, kFillGradient);
  ASSERT_EQ(gradient.Stops.size(), 2u);
  EXPECT_EQ(gradient.Stops[0].Color, 0x00FF00) << "stops in position order";
  EXPECT_EQ(gradient.Stops[1].Color, 0x0000FF);
  EXPECT_EQ(gradient.Stops[1].Opacity, 0.5);
  EXPECT_EQ(gradient.AngleDeg, 90);
  EXPECT_TRUE(read("<a:fillRef idx='0'/>", none));
  EXPECT_EQ(none.Kind, kFillNone);
  ASSERT_TRUE(read("<a:bgRef idx='1001'><a:schemeClr val='lt1'/></a:bgRef>", background));
  EXPECT_EQ(background.Color, 0x563412);
  ASSERT_TRUE(read("<a:bgRef idx='1002'><a:schemeClr val='lt1'/></a:bgRef>", radial));
  EXPECT_TRUE(radial.Radial);
  EXPECT_EQ(radial.Color, 0xFFFFFF);
  TPPTXFill texture;
  ASSERT_TRUE(read("<a:bgRef idx='1003'><a:schemeClr val='accent1'/></a:bgRef>", texture));
  EXPECT_EQ(texture.PictureFile, "/deck/ppt/media/texture.jpeg") << "by the theme's relationships, not the slide's";
  EXPECT_TRUE(texture.Duotone.Used);
  EXPECT_EQ(texture.Duotone.Dark, 0x0000FF) << "phClr in the duotone is the reference's colour";
  EXPECT_EQ(texture.Duotone.Light, 0xFFFFFF);
  TPPTXFill untouched;
  EXPECT_FALSE(read("<a:fillRef idx='9'/>", untouched)) << "no such style";
}

TEST(Fill, AnOutlineTakesWhatItLacksFromItsLineStyle) {
  TPaint paint;
  auto outline = [&](const std::string& ln, const std::string& lnRef) {
    auto lnXml = Xml(ln.empty() ? "<x/>" : ln);
    auto refXml = Xml(lnRef.empty() ? "<x/>" : lnRef);
    TPPTXShape shape;
    ReadLineStyle(ln.empty() ? pugi::xml_node() : lnXml->Root(), lnRef.empty() ? pugi::xml_node() : refXml->Root(),
                  paint.Context(), shape);
    return shape;
  };
  const std::string ref = "<a:lnRef idx='1'><a:schemeClr val='accent1'/></a:lnRef>";
  TPPTXShape themed = outline("", ref);
  EXPECT_TRUE(themed.HasLine);
  EXPECT_EQ(themed.LineColor, 0x0000FF);
  EXPECT_EQ(themed.LineWidthPt, 0.75);
  EXPECT_EQ(themed.LineDash, "dash");

  TPPTXShape own = outline("<a:ln w='25400'><a:prstDash val='solid'/><a:tailEnd type='triangle' w='lg' len='sm'/></a:ln>", ref);
  EXPECT_EQ(own.LineWidthPt, 2);
  EXPECT_EQ(own.LineColor, 0x0000FF) << "the colour still comes from the line style";
  EXPECT_EQ(own.LineDash, "solid");
  EXPECT_EQ(own.LineTail.Type, "triangle");
  EXPECT_EQ(own.LineTail.Width, 2);
  EXPECT_EQ(own.LineTail.Length, 0);
  EXPECT_TRUE(own.LineHead.Type.empty());

  EXPECT_FALSE(outline("<a:ln><a:noFill/></a:ln>", ref).HasLine) << "an explicit noFill wins";
  EXPECT_FALSE(outline("", "").HasLine);
  EXPECT_FALSE(outline("", "<a:lnRef idx='0'/>").HasLine);
}

TEST(Fill, AGlowNeedsAColourAndAReach) {
  TPaint paint;
  auto glow = [&](const std::string& xml) {
    return ReadShapeGlow(Xml("<p:spPr><a:effectLst>" + xml + "</a:effectLst></p:spPr>")->Root(), {}, paint.Context());
  };
  const TGlow read = glow("<a:glow rad='95250'><a:srgbClr val='00FF00'><a:alpha val='40000'/></a:srgbClr></a:glow>");
  EXPECT_TRUE(read.Used && read.Color == 0x00FF00 && read.Opacity == 0.4);
  EXPECT_NEAR(read.RadiusPx, 10, 1e-9);
  EXPECT_FALSE(glow("<a:glow rad='0'><a:srgbClr val='00FF00'/></a:glow>").Used) << "no reach";
  EXPECT_FALSE(glow("<a:glow rad='95250'/>").Used) << "no colour";
}

TEST(Fill, AShadowIsTheShapesOwnElseItsEffectStyles) {
  TPaint paint;
  const std::string ref2 = "<a:effectRef idx='2'><a:schemeClr val='accent1'/></a:effectRef>";
  const struct {
    std::string SpPr, Ref;
    bool Used;
    TColor Color = 0;
    double Opacity = 0, Blur = 0, Dx = 0, Dy = 0;
    bool Turns = false;
  } cases[] = {
      {"<p:spPr><a:effectLst><a:outerShdw blurRad='19050' dist='95250'><a:srgbClr val='FF0000'/></a:outerShdw>"
       "</a:effectLst></p:spPr>", ref2, true, 0x0000FF, 1, 2, 10, 0, true},
      {"<p:spPr><a:effectLst/></p:spPr>", ref2, false},  // an empty list of its own casts nothing
      {"<p:spPr/>", ref2, true, 0x0000FF, 0.4, 4, 0, 2, false},  // phClr is the reference's colour
      {"<p:spPr/>", "<a:effectRef idx='1'/>", false},
      {"<p:spPr/>", "<a:effectRef idx='0'/>", false},
      {"<p:spPr/>", "<a:effectRef idx='7'/>", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.SpPr + c.Ref);
    auto spPr = Xml(c.SpPr), ref = Xml(c.Ref);
    const TShadow shadow = ReadShadow(spPr->Root(), ref->Root(), paint.Context());
    ASSERT_EQ(shadow.Used, c.Used);
    if (!c.Used) continue;
    EXPECT_EQ(shadow.Color, c.Color);
    EXPECT_DOUBLE_EQ(shadow.Opacity, c.Opacity);
    EXPECT_NEAR(shadow.BlurPx, c.Blur, 1e-9);
    EXPECT_NEAR(shadow.DxPx, c.Dx, 1e-9);
    EXPECT_NEAR(shadow.DyPx, c.Dy, 1e-9);
    EXPECT_EQ(shadow.TurnsWithShape, c.Turns);
  }
}
