// Paint in the SVG: gradients over the shape's box, picture fills,
// transparency, dashes in line widths, arrowheads and slide backgrounds.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <tuple>

#include "htmlexport/renderer_test_util.h"
#include "htmlexport/svg_paint.h"
#include "htmlexport/svg_renderer.h"

namespace tarvik {
namespace {

using test::MakeShape;
using test::ScratchFolder;

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TPPTXFill Gradient(double angle, bool radial) {
  TPPTXFill fill;
  fill.Kind = kFillGradient;
  fill.Stops = {{0, 0x0000FF, 1}, {100, 0xFF0000, 0.5}};
  fill.Color = 0x0000FF;
  fill.AngleDeg = angle;
  fill.Radial = radial;
  return fill;
}

TEST(ShapePaint, GradientsSpanTheBoxAlongTheirAngle) {
  auto shape = MakeShape(skRect, 10, 20, 100, 50);
  shape->Fill = Gradient(90, false);
  TRenderContext context;
  TSvgPaint paint = ShapePaint(*shape, {10, 20, 100, 50}, "s1", context);
  EXPECT_TRUE(Has(paint.Attributes, " fill=\"url(#s1_fill)\""));
  EXPECT_TRUE(Has(paint.Defs, "<linearGradient id=\"s1_fill\" gradientUnits=\"userSpaceOnUse\" x1=\"60\" y1=\"20\" "
                              "x2=\"60\" y2=\"70\">"))
      << "90 degrees runs top to bottom: " << paint.Defs;
  EXPECT_TRUE(Has(paint.Defs, "<stop offset=\"100%\" stop-color=\"#0000FF\" stop-opacity=\"0.5\"/>"));

  shape->Fill = Gradient(0, true);
  paint = ShapePaint(*shape, {10, 20, 100, 50}, "s2", context);
  EXPECT_TRUE(Has(paint.Defs, "<radialGradient id=\"s2_fill\"")) << paint.Defs;
  EXPECT_TRUE(Has(paint.Defs, "cx=\"60\" cy=\"45\""));
}

TEST(ShapePaint, APatternFillsItsCellsShareByItsPreset) {
  const struct {
    const char* Preset;
    int Covered;  // of the cell's 64 pixels
  } cases[] = {{"pct5", 3}, {"pct50", 32}, {"pct90", 58}, {"ltHorz", 16}, {"narVert", 32}, {"lgCheck", 32},
               {"notAPattern", 32}};
  for (const auto& c : cases) {
    auto shape = MakeShape(skRect, 0, 0, 40, 40);
    shape->Fill.Kind = kFillSolid;
    shape->Fill.Color = 0x0000FF;
    shape->Fill.Opacity = 0.5;
    shape->Fill.Pattern = c.Preset;
    shape->Fill.PatternBackground = 0x00FF00;
    TRenderContext context;
    const TSvgPaint paint = ShapePaint(*shape, {0, 0, 40, 40}, "p", context);
    EXPECT_FALSE(Has(paint.FillAttributes, "opacity")) << "the cell carries the opacity, not the shape";
    // Each run is "Mx yhNv1h-Nz": the covered pixels are the runs' lengths.
    const size_t from = paint.Defs.find("<path d=\"") + 9;
    const std::string d = paint.Defs.substr(from, paint.Defs.find('"', from) - from);
    int covered = 0;
    for (size_t i = 0; i + 1 < d.size(); ++i)
      if (d[i] == 'h' && d[i + 1] != '-') covered += std::atoi(d.c_str() + i + 1);
    EXPECT_EQ(covered, c.Covered) << c.Preset;
  }
}

TEST(ShapePaint, PicturesTransparencyDashesAndArrowheads) {
  ScratchFolder dir;
  auto shape = MakeShape(skLine, 0, 0, 100, 0);
  shape->Fill.Kind = kFillPicture;
  shape->Fill.PictureFile = dir.Write("tex.png", "PNG");
  shape->Fill.Opacity = 0.4;
  shape->HasLine = true;
  shape->LineColor = 0x00FF00;
  shape->LineWidthPt = 3;  // 4 px
  shape->LineOpacity = 0.5;
  shape->LineDash = "lgDashDot";
  shape->LineTail.Type = "triangle";
  shape->LineHead.Type = "oval";
  shape->LineHead.Width = 2;
  TRenderContext context;
  TSvgPaint paint = ShapePaint(*shape, {0, 0, 100, 10}, "p", context, true);
  for (const char* part : {" fill=\"url(#p_fill)\"", "fill-opacity=\"0.4\"", "stroke-width=\"4\"",
                           "stroke-opacity=\"0.5\"", "stroke-dasharray=\"32 12 4 12\"",
                           "marker-start=\"url(#p_head)\"", "marker-end=\"url(#p_tail)\""})
    EXPECT_TRUE(Has(paint.Attributes, part)) << part << " in " << paint.Attributes;
  EXPECT_TRUE(Has(paint.Defs, "<pattern id=\"p_fill\"")) << paint.Defs;
  EXPECT_TRUE(Has(paint.Defs, "data:image/png;base64,"));
  EXPECT_TRUE(Has(paint.Defs, "<marker id=\"p_head\"") && Has(paint.Defs, "markerHeight=\"5\"")) << paint.Defs;

  shape->Fill.PictureFile = dir.Path() + "/missing.png";
  EXPECT_TRUE(Has(ShapePaint(*shape, {0, 0, 100, 10}, "q", context).Attributes, " fill=\"none\""))
      << "a missing picture paints nothing";
  shape->HasLine = false;
  EXPECT_TRUE(Has(ShapePaint(*shape, {0, 0, 100, 10}, "r", context).Attributes, "stroke=\"none\" stroke-width=\"0\""));
}

// The number in attribute name of the first element starting with tag.
double AttributeOf(const std::string& text, const std::string& tag, const std::string& name) {
  const size_t element = text.find(tag);
  const size_t at = text.find(" " + name + "=\"", element);
  if (element == std::string::npos || at == std::string::npos || at > text.find('>', element)) return NAN;
  return std::stod(text.substr(at + name.size() + 3));
}

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST(ShapePaint, ATiledPictureRepeatsAtItsTileSizeFromItsAnchorPoint) {
  ScratchFolder dir;
  auto shape = MakeShape(skRect, 10, 20, 100, 50);
  shape->Fill.Kind = kFillPicture;
  shape->Fill.PictureFile = dir.Write("tile.png", "PNG");
  shape->Fill.Tile = true;
  const struct {
    double AnchorX, AnchorY;
    int OffsetXPx, OffsetYPx;
    bool FlipX, FlipY;
    double X, Y;  // where a tile as it is lies
  } cases[] = {
      {0, 0, 0, 0, false, false, 10, 20},     {1, 1, 0, 0, false, false, 80, 50},
      {0.5, 0.5, 5, -3, false, false, 50, 32}, {0.5, 0, -1000, 0, true, true, 45 - 1000, 20},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.AnchorX << " " << c.AnchorY << " flips " << c.FlipX << c.FlipY);
    TPPTXFill& fill = shape->Fill;
    fill.TileWidthEmu = 30 * 9525;
    fill.TileHeightEmu = 20 * 9525;
    std::tie(fill.TileAnchorX, fill.TileAnchorY, fill.TileFlipX, fill.TileFlipY) =
        std::tuple{c.AnchorX, c.AnchorY, c.FlipX, c.FlipY};
    fill.TileOffsetXEmu = c.OffsetXPx * 9525;
    fill.TileOffsetYEmu = c.OffsetYPx * 9525;
    TRenderContext context;
    const std::string defs = ShapePaint(*shape, {10, 20, 100, 50}, "t", context).Defs;
    const double width = AttributeOf(defs, "<pattern", "width"), height = AttributeOf(defs, "<pattern", "height");
    EXPECT_EQ(width, c.FlipX ? 60 : 30) << "a mirrored copy beside each tile";
    EXPECT_EQ(height, c.FlipY ? 40 : 20) << defs;
    const double x = AttributeOf(defs, "<pattern", "x"), y = AttributeOf(defs, "<pattern", "y");
    EXPECT_NEAR(std::remainder(x - c.X, width), 0, 1e-6) << "the tile grid runs through the anchored tile";
    EXPECT_NEAR(std::remainder(y - c.Y, height), 0, 1e-6);
    EXPECT_LT(std::fabs(x - 10), width) << "the start brought near the box";
    EXPECT_EQ(Count(defs, "<use"), (c.FlipX ? 2u : 1u) * (c.FlipY ? 2u : 1u) - 1) << "one use per mirrored copy";
    EXPECT_EQ(Count(defs, "data:"), 1u) << "the picture's bytes once";
    for (size_t at = defs.find("matrix("); at != std::string::npos; at = defs.find("matrix(", at + 1)) {
      double a, b, cc, d, e, f;
      ASSERT_EQ(std::sscanf(defs.c_str() + at, "matrix(%lf %lf %lf %lf %lf %lf)", &a, &b, &cc, &d, &e, &f), 6);
      EXPECT_EQ(e, a < 0 ? width : 0) << "a copy mirrored into the second half of the period";
      EXPECT_EQ(f, d < 0 ? height : 0);
    }
  }
  shape->Fill.TileWidthEmu = 0;
  TRenderContext context;
  const std::string stretched = ShapePaint(*shape, {10, 20, 100, 50}, "s", context).Defs;
  EXPECT_EQ(AttributeOf(stretched, "<pattern", "width"), 100) << "a tile of no known size stretches over the box";
  EXPECT_EQ(AttributeOf(stretched, "<pattern", "x"), 10);
}

TEST(RenderSlideSection, DrawsAGradientOrPictureBackgroundFirst) {
  TPPTXSlide slide;
  slide.Background = Gradient(45, false);
  slide.HasBackgroundColor = true;
  slide.BackgroundColor = 0x0000FF;
  slide.Shapes.push_back(MakeShape(skRect, 1, 2, 3, 4));
  TRenderContext context;
  const std::string section = RenderSlideSection(slide, 3, 960, 540, context);
  EXPECT_TRUE(Has(section, "style=\"background:#FF0000\"")) << "the colour shows until the gradient draws";
  const size_t background = section.find("<rect x=\"0\" y=\"0\" width=\"960\" height=\"540\" fill=\"url(#background_3)\"/>");
  ASSERT_NE(background, std::string::npos) << section;
  EXPECT_LT(background, section.find("<rect x=\"1\"")) << "beneath every shape";

  slide.Background = TPPTXFill();
  slide.Background.Kind = kFillSolid;
  EXPECT_FALSE(Has(RenderSlideSection(slide, 3, 960, 540, context), "background_3")) << "a colour needs no element";
}

TEST(RenderSlideSection, ADuotonePictureIsDrawnThroughItsTwoTones) {
  ScratchFolder dir;
  TPPTXSlide slide;
  slide.Background.Kind = kFillPicture;
  slide.Background.PictureFile = dir.Write("texture.png", "PNG");
  slide.Background.Duotone = {true, 0x336699, 0xFFFFFF};  // dark: red 0x99, green 0x66, blue 0x33
  TRenderContext context;
  const std::string section = RenderSlideSection(slide, 2, 960, 540, context);
  for (const char* part :
       {"<feFuncR type=\"table\" tableValues=\"0.6 1\"/>", "<feFuncG type=\"table\" tableValues=\"0.4 1\"/>",
        "<feFuncB type=\"table\" tableValues=\"0.2 1\"/>", "<g filter=\"url(#background_2_duotone)\"><image"})
    EXPECT_TRUE(Has(section, part)) << part << "\n" << section.substr(0, 1200);
  slide.Background.Duotone.Used = false;
  EXPECT_FALSE(Has(RenderSlideSection(slide, 2, 960, 540, context), "filter")) << "a plain picture is drawn as it is";
}

TEST(RenderShape, GeometryPathsTurnAndMirrorWithTheShapeAndHoldTheText) {
  auto shape = MakeShape(skText, 10, 20, 100, 50);
  shape->Paragraphs.resize(1);
  shape->HasFill = true;
  shape->FillColor = 0x0000FF;
  shape->HasLine = true;
  shape->LineTail.Type = "triangle";
  shape->FlipH = true;
  shape->Geometry.Paths = {{"M0 0L100 0L100 50Z", true, true, TPathShade::Darken},
                           {"M0 0L50 50", false, true, TPathShade::Normal}};
  shape->Geometry.TextLeft = 10;
  shape->Geometry.TextTop = 5;
  shape->Geometry.TextRight = 40;
  shape->Geometry.TextBottom = 45;
  TRenderContext context;
  const std::string svg = RenderShape(*shape, context);
  EXPECT_TRUE(Has(svg, "<g transform=\"translate(60 45) scale(-1 1) rotate(0) translate(-60 -45) translate(10 20)\">"))
      << svg;
  EXPECT_TRUE(Has(svg, "<path d=\"M0 0L100 0L100 50Z\" fill=\"#FF0000\" stroke=\"#000000\""));
  EXPECT_TRUE(Has(svg, "fill=\"#000000\" fill-opacity=\"0.4\" stroke=\"none\"/>")) << "the darkened face";
  const size_t open = svg.find("<path d=\"M0 0L50 50\"");
  ASSERT_NE(open, std::string::npos);
  EXPECT_TRUE(Has(svg.substr(open), "fill=\"none\"") && Has(svg.substr(open), "marker-end"))
      << "arrowheads on the open path only";
  EXPECT_FALSE(Has(svg.substr(0, open), "marker-end"));
  EXPECT_TRUE(Has(svg, "<foreignObject x=\"70\" y=\"25\" width=\"30\" height=\"40\""))
      << "the text rectangle, mirrored with the shape";
  shape->HasFill = false;
  EXPECT_FALSE(Has(RenderShape(*shape, context), "fill-opacity")) << "an unfilled shape has no faces to shade";
}

TEST(RenderShape, AShadowFiltersTheShapeWithItsOffsetTurnedAsItSays) {
  const struct {
    double Rotation;
    bool Turns;
    const char *Dx, *Dy;
  } cases[] = {{0, true, "dx=\"3\"", "dy=\"4\""}, {90, true, "dx=\"-4\"", "dy=\"3\""},
               {90, false, "dx=\"3\"", "dy=\"4\""}};
  for (const auto& c : cases) {
    auto shape = MakeShape(skRect, 10, 20, 100, 0);  // no height, like a line's box
    shape->HasFill = true;
    shape->RotationDeg = c.Rotation;
    shape->Shadow = {true, 0x0000FF, 0.5, 6, 3, 4, c.Turns};
    TRenderContext context;
    const std::string svg = RenderShape(*shape, context);
    for (const char* part : {c.Dx, c.Dy, "filterUnits=\"userSpaceOnUse\""})
      EXPECT_TRUE(Has(svg, part)) << part << " at " << c.Rotation << "\n" << svg;
    EXPECT_LT(svg.find("<filter"), svg.find("<g filter=")) << "defined before it is used";
    EXPECT_EQ(svg.substr(svg.size() - 4), "</g>");
  }
  auto plain = MakeShape(skRect, 0, 0, 10, 10);
  TRenderContext context;
  EXPECT_FALSE(Has(RenderShape(*plain, context), "filter"));
  // Text casts the shadow itself only where its shape paints nothing; the filter never holds the text.
  auto text = MakeShape(skText, 0, 0, 100, 40);
  text->Paragraphs.resize(1);
  text->Shadow = {true, 0, 0.5, 4, 2, 2, true};
  std::string svg = RenderShape(*text, context);
  EXPECT_TRUE(Has(svg, "text-shadow:2px 2px 4px rgba(0,0,0,0.5)")) << svg;
  EXPECT_FALSE(Has(svg, "filter"));
  text->HasFill = true;
  svg = RenderShape(*text, context);
  EXPECT_FALSE(Has(svg, "text-shadow"));
  EXPECT_LT(svg.find("</g>"), svg.find("<foreignObject")) << svg;
}

// A glow lies under the shape and over its shadow; text that its shape
// leaves bare glows itself.
TEST(RenderShape, AGlowLiesBetweenTheShadowAndTheShape) {
  auto shape = MakeShape(skRect, 10, 20, 100, 50);
  shape->HasFill = true;
  shape->Glow = {true, 0x00FF00, 0.4, 8};
  shape->Shadow = {true, 0, 0.5, 4, 2, 2, true};
  TRenderContext context;
  const std::string svg = RenderShape(*shape, context);
  const size_t glow = svg.find("<feMergeNode in=\"glow\"/>");
  EXPECT_TRUE(svg.find("<feMergeNode in=\"shadow\"/>") < glow && glow < svg.find("<feMergeNode in=\"SourceGraphic\"/>"))
      << svg;
  auto text = MakeShape(skText, 0, 0, 100, 40);
  text->Paragraphs.resize(1);
  text->Glow = shape->Glow;
  EXPECT_TRUE(Has(RenderShape(*text, context), "text-shadow:0px 0px 4px")) << "no offset";
}

TEST(SharedPictures, APictureDrawnTwiceIsDefinedOnceWhereFirstDrawn) {
  ScratchFolder dir;
  TPPTXPresentation presentation;
  for (int i = 0; i < 3; ++i) {
    auto slide = std::make_unique<TPPTXSlide>();
    auto shape = MakeShape(skImage, 0, 0, 10 * (i + 1), 10);
    // The third is a copy under another name: the same picture all the same.
    shape->MediaFile = dir.Write(i < 2 ? "logo.png" : "copy.png", "PNG");
    slide->Shapes.push_back(std::move(shape));
    presentation.Slides.push_back(std::move(slide));
  }
  TRenderContext separate(presentation);
  EXPECT_FALSE(Has(RenderShape(*presentation.Slides[1]->Shapes[0], separate), "<use"))
      << "documents of their own draw every picture whole";

  TRenderContext context(presentation);
  context.SharePictures();
  const std::string first = RenderSlideSection(*presentation.Slides[0], 1, 100, 100, context);
  const std::string second = RenderSlideSection(*presentation.Slides[1], 2, 100, 100, context);
  EXPECT_TRUE(Has(first, "<image id=\"pic_00000001\" width=\"1\" height=\"1\""));
  EXPECT_TRUE(Has(first, "<use href=\"#pic_00000001\" transform=\"translate(0 0) scale(10 10)\"/>"));
  EXPECT_FALSE(Has(second, "data:")) << second;
  EXPECT_TRUE(Has(second, "<use href=\"#pic_00000001\" transform=\"translate(0 0) scale(20 10)\"/>"));
  const std::string third = RenderSlideSection(*presentation.Slides[2], 3, 100, 100, context);
  EXPECT_FALSE(Has(third, "data:")) << third;
  EXPECT_TRUE(Has(third, "<use href=\"#pic_00000001\""));
}

}  // namespace
}  // namespace tarvik
