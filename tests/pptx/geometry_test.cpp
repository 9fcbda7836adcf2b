// DrawingML geometry: preset outlines and text rectangles against points
// worked out by hand from the preset formulas, the guide operators, arcTo's
// angle rule, custom geometry scaling, and hostile input.
#include <gtest/gtest.h>

#include <array>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "pptx/geometry.h"
#include "pptx_test_util.h"

using namespace tarvik;
using namespace tarvik::test;

namespace {

struct TPoint {
  double X, Y;
};

// The end point of every command of SVG path data, in order (Z adds none).
std::vector<TPoint> EndPoints(const std::string& d) {
  std::vector<TPoint> points;
  std::vector<double> args;
  char command = 0;
  auto flush = [&] {
    if (command && args.size() >= 2) points.push_back({args[args.size() - 2], args.back()});
    args.clear();
  };
  const char* p = d.c_str();
  while (*p) {
    if (std::isalpha(static_cast<unsigned char>(*p))) {
      flush();
      command = *p++;
    } else if (*p == ' ') {
      ++p;
    } else {
      char* end = nullptr;
      args.push_back(std::strtod(p, &end));
      if (end == p) return {};
      p = end;
    }
  }
  flush();
  return points;
}

// The box of a path's end points: min x, min y, max x, max y.
std::array<double, 4> Bounds(const std::string& d) {
  std::array<double, 4> b{1e9, 1e9, -1e9, -1e9};
  for (const TPoint& p : EndPoints(d)) b = {std::min(b[0], p.X), std::min(b[1], p.Y), std::max(b[2], p.X),
                                             std::max(b[3], p.Y)};
  return b;
}

// Loose enough for three printed decimals.
constexpr double kTol = 0.0011;

void ExpectPoints(const std::string& d, const std::vector<TPoint>& want, const std::string& what) {
  std::vector<TPoint> got = EndPoints(d);
  ASSERT_EQ(got.size(), want.size()) << what << ": " << d;
  for (size_t i = 0; i < want.size(); ++i) {
    EXPECT_NEAR(got[i].X, want[i].X, kTol) << what << " point " << i << ": " << d;
    EXPECT_NEAR(got[i].Y, want[i].Y, kTol) << what << " point " << i << ": " << d;
  }
}

TShapeGeometry Preset(const std::string& name, double w, double h, const std::map<std::string, double>& adj = {}) {
  TShapeGeometry g;
  EXPECT_TRUE(PresetGeometry(name, adj, w, h, g)) << name;
  return g;
}

TShapeGeometry Custom(const std::string& body, double w, double h, bool* ok = nullptr) {
  auto part = Xml("<a:custGeom xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\">" + body +
                  "</a:custGeom>");
  TShapeGeometry g;
  bool result = CustomGeometry(part->Root(), w, h, g);
  if (ok) *ok = result;
  return g;
}

// What every D must look like: it starts with a move, and holds command
// letters, single spaces and plain numbers of at most three decimals, never
// "-0", an exponent or a comma.
bool WellFormed(const std::string& d) {
  if (d.empty() || d[0] != 'M') return false;
  size_t i = 0;
  while (i < d.size()) {
    const char c = d[i];
    if (std::strchr("MLCQAZ ", c)) {
      ++i;
      continue;
    }
    const size_t start = i;
    if (d[i] == '-') ++i;
    const size_t digits = i;
    while (i < d.size() && std::isdigit(static_cast<unsigned char>(d[i]))) ++i;
    if (i == digits) return false;
    if (i < d.size() && d[i] == '.') {
      const size_t frac = ++i;
      while (i < d.size() && std::isdigit(static_cast<unsigned char>(d[i]))) ++i;
      if (i == frac || i - frac > 3 || d[i - 1] == '0') return false;
    }
    if (d.compare(start, i - start, "-0") == 0) return false;
  }
  return true;
}

}  // namespace

TEST(GeometryPresets, KeyPointsAndTextRectanglesMatchHandComputedValues) {
  const struct {
    const char* what;
    const char* preset;
    double w, h;
    std::map<std::string, double> adj;
    std::vector<TPoint> points;  // end points of the first path
    double l, t, r, b;           // text rectangle
  } cases[] = {
      // ss = 100; head length 50, shaft half-height 25; text ends where the head's slope meets the shaft.
      {"rightArrow 50/50", "rightArrow", 200, 100, {{"adj1", 50000}, {"adj2", 50000}},
       {{0, 25}, {150, 25}, {150, 0}, {200, 50}, {150, 100}, {150, 75}, {0, 75}}, 0, 25, 175, 75},
      // head 80 long, shaft 30 high: x2 = 120 + 35 * 80 / 50.
      {"rightArrow 30/80", "rightArrow", 200, 100, {{"adj1", 30000}, {"adj2", 80000}},
       {{0, 35}, {120, 35}, {120, 0}, {200, 50}, {120, 100}, {120, 65}, {0, 65}}, 0, 35, 176, 65},
      // A head longer than the box is allowed up to w/ss; here it is pinned to 200000.
      {"rightArrow head pinned", "rightArrow", 200, 100, {{"adj2", 900000}},
       {{0, 25}, {0, 25}, {0, 0}, {200, 50}, {0, 100}, {0, 75}, {0, 75}}, 0, 25, 100, 75},
      {"leftArrow", "leftArrow", 200, 100, {{"adj1", 40000}, {"adj2", 30000}},
       {{0, 50}, {30, 0}, {30, 30}, {200, 30}, {200, 70}, {30, 70}, {30, 100}}, 12, 30, 200, 70},
      {"upArrow", "upArrow", 100, 200, {{"adj1", 50000}, {"adj2", 50000}},
       {{0, 50}, {50, 0}, {100, 50}, {75, 50}, {75, 200}, {25, 200}, {25, 50}}, 25, 25, 75, 200},
      {"downArrow", "downArrow", 100, 200, {},
       {{0, 150}, {25, 150}, {25, 0}, {75, 0}, {75, 150}, {100, 150}, {50, 200}}, 25, 0, 75, 175},
      {"leftRightArrow", "leftRightArrow", 300, 100, {},
       {{0, 50}, {50, 0}, {50, 25}, {250, 25}, {250, 0}, {300, 50}, {250, 100}, {250, 75}, {50, 75}, {50, 100}},
       25, 25, 275, 75},
      // Corner radius 25 = 25% of the shorter side; the text inset is r(1 - 1/sqrt 2).
      {"roundRect 25%", "roundRect", 200, 100, {{"adj", 25000}},
       {{0, 25}, {25, 0}, {175, 0}, {200, 25}, {200, 75}, {175, 100}, {25, 100}, {0, 75}}, 7.322, 7.322,
       192.678, 92.678},
      {"chevron 30%", "chevron", 200, 100, {{"adj", 30000}},
       {{0, 0}, {170, 0}, {200, 50}, {170, 100}, {0, 100}, {30, 50}}, 30, 0, 170, 100},
      {"homePlate", "homePlate", 200, 100, {{"adj", 40000}},
       {{0, 0}, {160, 0}, {200, 50}, {160, 100}, {0, 100}}, 0, 0, 180, 100},
      {"triangle apex at a quarter", "triangle", 200, 100, {{"adj", 25000}},
       {{0, 100}, {50, 0}, {200, 100}}, 25, 50, 125, 100},
      {"parallelogram", "parallelogram", 200, 100, {{"adj", 50000}},
       {{0, 100}, {50, 0}, {200, 0}, {150, 100}}, 37.5, 18.75, 162.5, 81.25},
      {"trapezoid", "trapezoid", 200, 100, {{"adj", 50000}},
       {{0, 100}, {50, 0}, {150, 0}, {200, 100}}, 33.333, 16.667, 166.667, 100},
      {"diamond", "diamond", 200, 100, {}, {{0, 50}, {100, 0}, {200, 50}, {100, 100}}, 50, 25, 150, 75},
      {"flowChartDecision", "flowChartDecision", 200, 100, {},
       {{0, 50}, {100, 0}, {200, 50}, {100, 100}}, 50, 25, 150, 75},
      {"octagon", "octagon", 200, 100, {{"adj", 20000}},
       {{0, 20}, {20, 0}, {180, 0}, {200, 20}, {200, 80}, {180, 100}, {20, 100}, {0, 80}}, 10, 10, 190, 90},
      {"plus", "plus", 100, 100, {{"adj", 30000}},
       {{0, 30}, {30, 30}, {30, 0}, {70, 0}, {70, 30}, {100, 30}, {100, 70}, {70, 70}, {70, 100}, {30, 100},
        {30, 70}, {0, 70}},
       30, 0, 70, 100},
      {"snip1Rect", "snip1Rect", 200, 100, {{"adj", 20000}},
       {{0, 0}, {180, 0}, {200, 20}, {200, 100}, {0, 100}}, 0, 10, 190, 100},
      // The five outer points touch the box: hf and vf stretch the circle's pentagon to fill it.
      {"star5 outer and inner points", "star5", 100, 100, {},
       {{0, 38.197}, {38.197, 38.197}, {50, 0}, {61.803, 38.197}, {100, 38.197}, {69.098, 61.803},
        {80.902, 100}, {50, 76.393}, {19.098, 100}, {30.902, 61.803}},
       30.902, 38.197, 69.098, 76.393},
      // Tip below the box: the tail leaves the bottom edge between w/6 and 5w/12.
      {"wedgeRectCallout tail below", "wedgeRectCallout", 200, 100, {},
       {{0, 0}, {33.333, 0}, {33.333, 0}, {83.333, 0}, {200, 0}, {200, 58.333}, {200, 58.333}, {200, 83.333},
        {200, 100}, {83.333, 100}, {58.334, 112.5}, {33.333, 100}, {0, 100}, {0, 83.333}, {0, 58.333}, {0, 58.333}},
       0, 0, 200, 100},
      // Tip up and right, further up than across: the tail leaves the top edge at 7w/12 .. 10w/12.
      {"wedgeRectCallout tail above", "wedgeRectCallout", 200, 100, {{"adj1", 40000}, {"adj2", -80000}},
       {{0, 0}, {116.667, 0}, {180, -30}, {166.667, 0}, {200, 0}, {200, 16.667}, {200, 16.667}, {200, 41.667},
        {200, 100}, {166.667, 100}, {116.667, 100}, {116.667, 100}, {0, 100}, {0, 41.667}, {0, 16.667},
        {0, 16.667}},
       0, 0, 200, 100},
      // Tip far to the left: the tail leaves the left edge.
      {"wedgeRectCallout tail left", "wedgeRectCallout", 100, 100, {{"adj1", -80000}, {"adj2", 10000}},
       {{0, 0}, {16.667, 0}, {16.667, 0}, {41.667, 0}, {100, 0}, {100, 58.333}, {100, 58.333}, {100, 83.333},
        {100, 100}, {41.667, 100}, {16.667, 100}, {16.667, 100}, {0, 100}, {0, 83.333}, {-30, 60}, {0, 58.333}},
       0, 0, 100, 100},
      {"bentConnector3", "bentConnector3", 200, 100, {{"adj1", 25000}}, {{0, 0}, {50, 0}, {50, 100}, {200, 100}},
       0, 0, 200, 100},
  };
  for (const auto& c : cases) {
    TShapeGeometry g = Preset(c.preset, c.w, c.h, c.adj);
    ASSERT_FALSE(g.Paths.empty()) << c.what;
    ExpectPoints(g.Paths[0].D, c.points, c.what);
    EXPECT_NEAR(g.TextLeft, c.l, kTol) << c.what;
    EXPECT_NEAR(g.TextTop, c.t, kTol) << c.what;
    EXPECT_NEAR(g.TextRight, c.r, kTol) << c.what;
    EXPECT_NEAR(g.TextBottom, c.b, kTol) << c.what;
  }
}

TEST(GeometryPresets, RoundedCornersAreQuarterArcsOfTheAdjustedRadius) {
  TShapeGeometry g = Preset("roundRect", 200, 100, {{"adj", 25000}});
  ASSERT_EQ(g.Paths.size(), 1u);
  EXPECT_EQ(g.Paths[0].D,
            "M0 25A25 25 0 0 1 25 0L175 0A25 25 0 0 1 200 25L200 75A25 25 0 0 1 175 100L25 100A25 25 0 0 1 0 75Z");
}

TEST(GeometryPresets, EllipseIsFourClockwiseQuarterArcsWithInscribedText) {
  TShapeGeometry g = Preset("ellipse", 200, 100);
  ASSERT_EQ(g.Paths.size(), 1u);
  EXPECT_EQ(g.Paths[0].D, "M0 50A100 50 0 0 1 100 0A100 50 0 0 1 200 50A100 50 0 0 1 100 100A100 50 0 0 1 0 50Z");
  // The text box's corners lie on the ellipse at 45 degrees.
  EXPECT_NEAR(g.TextLeft, 100 - 100 / std::sqrt(2.0), kTol);
  EXPECT_NEAR(g.TextBottom, 50 + 50 / std::sqrt(2.0), kTol);
}

TEST(GeometryPresets, PathAttributesFollowTheDefinition) {
  TShapeGeometry can = Preset("can", 100, 200);
  ASSERT_EQ(can.Paths.size(), 3u);
  EXPECT_FALSE(can.Paths[0].Stroke);  // the body's fill; its outline is drawn by the last path
  EXPECT_EQ(can.Paths[1].Shade, TPathShade::Lighten);
  EXPECT_FALSE(can.Paths[2].Fill);
  EXPECT_TRUE(can.Paths[2].Stroke);

  TShapeGeometry cube = Preset("cube", 100, 100);
  ASSERT_EQ(cube.Paths.size(), 4u);
  EXPECT_EQ(cube.Paths[1].Shade, TPathShade::DarkenLess);
  EXPECT_EQ(cube.Paths[2].Shade, TPathShade::LightenLess);

  TShapeGeometry line = Preset("straightConnector1", 100, 40);
  ASSERT_EQ(line.Paths.size(), 1u);
  EXPECT_FALSE(line.Paths[0].Fill);
  EXPECT_EQ(line.Paths[0].D, "M0 0L100 40");
}

TEST(GeometryPresets, PathsWithTheirOwnCoordinateSpaceAreScaledIntoTheBox) {
  // flowChartPunchedCard draws in a 5 x 5 space.
  ExpectPoints(Preset("flowChartPunchedCard", 50, 100).Paths[0].D, {{0, 20}, {10, 0}, {50, 0}, {50, 100}, {0, 100}},
               "punched card");
  // flowChartDisplay's right side is a half ellipse of radii 1 x 3 in a 6 x 6 space.
  TShapeGeometry display = Preset("flowChartDisplay", 600, 60);
  EXPECT_NE(display.Paths[0].D.find("A100 30 0 0 1"), std::string::npos) << display.Paths[0].D;
}

TEST(GeometryPresets, AdjustNamesThePresetDoesNotHaveAreIgnored) {
  TShapeGeometry plain = Preset("rect", 80, 40);
  TShapeGeometry withNoise = Preset("rect", 80, 40, {{"w", 5}, {"adj", 3}, {"r", -100}});
  ASSERT_EQ(withNoise.Paths.size(), 1u);
  EXPECT_EQ(withNoise.Paths[0].D, plain.Paths[0].D);
  EXPECT_EQ(plain.Paths[0].D, "M0 0L80 0L80 40L0 40Z");
}

TEST(GeometryPresets, UnknownNameLeavesTheOutputUntouched) {
  TShapeGeometry g;
  g.TextLeft = 7;
  EXPECT_FALSE(PresetGeometry("notAShape", {}, 10, 10, g));
  EXPECT_FALSE(PresetGeometry("", {}, 10, 10, g));
  EXPECT_FALSE(PresetGeometry("RECT", {}, 10, 10, g));
  EXPECT_EQ(g.TextLeft, 7);
  EXPECT_TRUE(g.Paths.empty());
}

TEST(GeometryPresets, EveryPresetDrawsWellFormedFiniteDataForAnyBoxAndAdjustValue) {
  const std::vector<std::string_view> names = PresetNames();
  EXPECT_GE(names.size(), 150u);
  const struct {
    double w, h, adj;
  } inputs[] = {{200, 100, 0}, {100, 300, 50000}, {0, 0, 0}, {1, 5000, -1e12}, {5000, 1, 1e12},
                {1e9, 1e-9, 12345}, {NAN, INFINITY, NAN}};
  for (std::string_view name : names) {
    for (const auto& in : inputs) {
      std::map<std::string, double> adj;
      for (const char* key : {"adj", "adj1", "adj2", "adj3", "adj4", "adj5", "adj6", "adj7", "adj8"})
        adj[key] = in.adj;
      TShapeGeometry g;
      ASSERT_TRUE(PresetGeometry(name, adj, in.w, in.h, g)) << name;
      for (const TShapePath& p : g.Paths) {
        EXPECT_TRUE(WellFormed(p.D)) << name << " " << in.w << "x" << in.h << ": " << p.D;
      }
      for (double v : {g.TextLeft, g.TextTop, g.TextRight, g.TextBottom}) EXPECT_TRUE(std::isfinite(v)) << name;
    }
    // With its own defaults, every preset stays near its box.
    TShapeGeometry g = Preset(std::string(name), 200, 100);
    ASSERT_FALSE(g.Paths.empty()) << name;
    for (const TShapePath& p : g.Paths) {
      for (const TPoint& pt : EndPoints(p.D)) {
        EXPECT_TRUE(pt.X >= -150 && pt.X <= 350 && pt.Y >= -150 && pt.Y <= 250) << name << ": " << p.D;
      }
    }
  }
}

TEST(GeometryPresets, StarsReachTheirBoxOnEverySide) {
  for (const char* star : {"star4", "star5", "star6", "star7", "star8", "star10", "star12", "star16", "star24",
                           "star32"}) {
    TShapeGeometry g = Preset(star, 300, 200);
    const auto [minX, minY, maxX, maxY] = Bounds(g.Paths[0].D);
    EXPECT_NEAR(minY, 0, 0.01) << star;
    EXPECT_NEAR(maxY, 200, 0.01) << star;
    EXPECT_NEAR(minX, 0, 0.01) << star;
    EXPECT_NEAR(maxX, 300, 0.01) << star;
  }
}

TEST(GeometryPresets, ButtonsGearsArrowsAndTabsStayInTheirBoxAndKeepTheirSymmetry) {
  // A button's first path is its whole face; a mirrored shape has every end point's mirror image across the
  // vertical axis, which a guide left undefined (and so 0) breaks.
  enum { kInside, kFace, kMirrored };
  const std::pair<const char*, int> cases[] = {
      {"actionButtonBackPrevious", kFace}, {"actionButtonBeginning", kFace}, {"actionButtonBlank", kFace},
      {"actionButtonDocument", kFace},     {"actionButtonEnd", kFace},       {"actionButtonForwardNext", kFace},
      {"actionButtonHelp", kFace},         {"actionButtonHome", kFace},      {"actionButtonInformation", kFace},
      {"actionButtonMovie", kFace},        {"actionButtonReturn", kFace},    {"actionButtonSound", kFace},
      {"chartPlus", kMirrored},            {"chartStar", kMirrored},         {"chartX", kMirrored},
      {"cornerTabs", kMirrored},           {"funnel", kMirrored},            {"gear6", kMirrored},
      {"gear9", kMirrored},                {"leftCircularArrow", kInside},   {"leftRightCircularArrow", kMirrored},
      {"leftRightRibbon", kInside}};
  for (const auto& [name, rule] : cases) {
    TShapeGeometry g = Preset(name, 200, 100);
    ASSERT_FALSE(g.Paths.empty()) << name;
    std::vector<TPoint> all;
    for (const TShapePath& p : g.Paths) {
      for (const TPoint& pt : EndPoints(p.D)) all.push_back(pt);
    }
    for (const TPoint& pt : all) {
      EXPECT_TRUE(pt.X > -kTol && pt.X < 200 + kTol && pt.Y > -kTol && pt.Y < 100 + kTol) << name;
      auto mirrors = [&](const TPoint& q) {
        return std::fabs(q.X + pt.X - 200) < 0.01 && std::fabs(q.Y - pt.Y) < 0.01;
      };
      if (rule == kMirrored) {
        EXPECT_TRUE(std::any_of(all.begin(), all.end(), mirrors)) << name << " " << pt.X;
      }
    }
    if (rule != kFace) continue;
    const auto [minX, minY, maxX, maxY] = Bounds(g.Paths[0].D);
    EXPECT_TRUE(minX == 0 && maxX == 200 && minY == 0 && maxY == 100) << name << ": " << g.Paths[0].D;
  }
}

TEST(GeometryFormulas, OperatorsComputeTheirDefinitions) {
  const struct {
    const char* fmla;
    double want;
  } cases[] = {
      {"*/ 6 4 3", 8},        {"+- 10 5 3", 12},      {"+/ 10 6 4", 4},          {"?: 1 7 9", 7},
      {"?: 0 7 9", 9},        {"?: -1 7 9", 9},       {"abs -12", 12},           {"at2 10 10", 2700000},
      {"at2 -10 0", 10800000}, {"cat2 10 3 4", 6},     {"sat2 10 3 4", 8},        {"cos 8 10800000", -8},
      {"sin 10 5400000", 10}, {"tan 10 2700000", 10}, {"max 3 8", 8},            {"min 3 8", 3},
      {"mod 3 4 0", 5},       {"mod 2 3 6", 7},       {"pin 0 15 10", 10},       {"pin 0 -5 10", 0},
      {"pin 0 5 10", 5},      {"sqrt 16", 4},         {"val 42", 42},            {"val -2.5", -2.5},
      // What cannot be computed is 0, never NaN or infinity.
      {"*/ 5 5 0", 0},        {"+/ 5 5 0", 0},        {"sqrt -4", 0},            {"frobnicate 1 2 3", 0},
      {"", 0},                {"val undefinedName", 0}, {"val 1e400", 0},
  };
  for (const auto& c : cases) {
    // A 1000 x 1000 path space drawn into 10 x 10 pixels shows a guide's value / 100.
    TShapeGeometry g = Custom(std::string("<a:gdLst><a:gd name=\"g\" fmla=\"") + c.fmla +
                                  "\"/></a:gdLst><a:pathLst><a:path w=\"1000\" h=\"1000\"><a:moveTo><a:pt "
                                  "x=\"0\" y=\"0\"/></a:moveTo><a:lnTo><a:pt x=\"g\" y=\"0\"/></a:lnTo></a:path>"
                                  "</a:pathLst>",
                              10, 10);
    ASSERT_EQ(g.Paths.size(), 1u) << c.fmla;
    ExpectPoints(g.Paths[0].D, {{0, 0}, {c.want / 100, 0}}, c.fmla);
  }
}

TEST(GeometryFormulas, BuiltInNamesDescribeTheBox) {
  // Without a path space, guides and coordinates are EMU of the shape's own box.
  const struct {
    const char* name;
    double want;
  } cases[] = {{"w", 400},   {"h", 200},   {"r", 400},    {"b", 200},   {"l", 0},      {"t", 0},
               {"hc", 200},  {"vc", 100},  {"wd2", 200},  {"wd4", 100}, {"wd8", 50},   {"wd32", 12.5},
               {"hd2", 100}, {"hd3", 66.667}, {"hd6", 33.333}, {"ss", 200}, {"ls", 400}, {"ssd2", 100},
               {"ssd8", 25}, {"ssd16", 12.5}, {"ssd32", 6.25}};
  for (const auto& c : cases) {
    TShapeGeometry g = Custom(std::string("<a:pathLst><a:path><a:moveTo><a:pt x=\"0\" y=\"0\"/></a:moveTo><a:lnTo>"
                                          "<a:pt x=\"") +
                                  c.name + "\" y=\"0\"/></a:lnTo></a:path></a:pathLst>",
                              400, 200);
    ASSERT_EQ(g.Paths.size(), 1u) << c.name;
    ExpectPoints(g.Paths[0].D, {{0, 0}, {c.want, 0}}, c.name);
  }
  // Angles are in 60000ths of a degree.
  for (const auto& [name, degrees] : std::vector<std::pair<const char*, double>>{
           {"cd2", 180}, {"cd4", 90}, {"cd8", 45}, {"3cd4", 270}, {"3cd8", 135}, {"5cd8", 225}, {"7cd8", 315}}) {
    TShapeGeometry g = Custom(std::string("<a:gdLst><a:gd name=\"g\" fmla=\"*/ ") + name +
                                  " 1 60000\"/></a:gdLst><a:pathLst><a:path w=\"100\" h=\"100\"><a:moveTo><a:pt "
                                  "x=\"g\" y=\"0\"/></a:moveTo><a:lnTo><a:pt x=\"0\" y=\"0\"/></a:lnTo></a:path>"
                                  "</a:pathLst>",
                              100, 100);
    ExpectPoints(g.Paths[0].D, {{degrees, 0}, {0, 0}}, name);
  }
}

TEST(GeometryArcs, ArcToFollowsTheRayAngleOnAnEllipse) {
  const struct {
    const char* what;
    const char* arc;  // arcTo attributes, starting from (200, 50) in a 200 x 100 path space
    std::vector<TPoint> ends;
    const char* sweepFlag;
  } cases[] = {
      {"quarter clockwise", "wR=\"100\" hR=\"50\" stAng=\"0\" swAng=\"5400000\"", {{200, 50}, {100, 100}}, " 0 0 1 "},
      {"quarter anticlockwise", "wR=\"100\" hR=\"50\" stAng=\"0\" swAng=\"-5400000\"", {{200, 50}, {100, 0}},
       " 0 0 0 "},
      // The ray at 45 degrees meets this ellipse where x = y = 100 / sqrt 5 from the centre,
      // not at the parameter 45 degrees (170.711, 85.355).
      {"ray angle, not parameter", "wR=\"100\" hR=\"50\" stAng=\"0\" swAng=\"2700000\"",
       {{200, 50}, {100 + 100 / std::sqrt(5.0), 50 + 100 / std::sqrt(5.0)}}, " 0 0 1 "},
      {"full turn comes back", "wR=\"100\" hR=\"50\" stAng=\"0\" swAng=\"21600000\"",
       {{200, 50}, {100, 100}, {0, 50}, {100, 0}, {200, 50}}, " 0 0 1 "},
      {"sweeps beyond a turn are one turn", "wR=\"100\" hR=\"50\" stAng=\"0\" swAng=\"2147483647\"",
       {{200, 50}, {100, 100}, {0, 50}, {100, 0}, {200, 50}}, " 0 0 1 "},
      {"no sweep draws nothing", "wR=\"100\" hR=\"50\" stAng=\"0\" swAng=\"0\"", {{200, 50}}, nullptr},
  };
  for (const auto& c : cases) {
    bool ok = false;
    TShapeGeometry g = Custom(std::string("<a:pathLst><a:path w=\"200\" h=\"100\"><a:moveTo><a:pt x=\"200\" "
                                          "y=\"50\"/></a:moveTo><a:arcTo ") +
                                  c.arc + "/><a:lnTo><a:pt x=\"200\" y=\"50\"/></a:lnTo></a:path></a:pathLst>",
                              200, 100, &ok);
    ASSERT_TRUE(ok) << c.what;
    std::vector<TPoint> ends = c.ends;
    ends.push_back({200, 50});
    ExpectPoints(g.Paths[0].D, ends, c.what);
    if (c.sweepFlag) {
      EXPECT_NE(g.Paths[0].D.find(c.sweepFlag), std::string::npos) << c.what << ": " << g.Paths[0].D;
    }
  }
}

TEST(GeometryArcs, ArcsKeepTheirShapeWhenThePathSpaceIsScaled) {
  // The same quarter arc in a 20 x 10 space drawn into a 200 x 100 box and into a 400 x 100 box.
  const std::string integral =
      "<a:pathLst><a:path w=\"20\" h=\"10\"><a:moveTo><a:pt x=\"20\" y=\"5\"/></a:moveTo>"
      "<a:arcTo wR=\"10\" hR=\"5\" stAng=\"0\" swAng=\"5400000\"/></a:path></a:pathLst>";
  EXPECT_EQ(Custom(integral, 200, 100).Paths[0].D, "M200 50A100 50 0 0 1 100 100");
  EXPECT_EQ(Custom(integral, 400, 100).Paths[0].D, "M400 50A200 50 0 0 1 200 100");
}

TEST(GeometryCustom, ScalesPathsGuidesAndTextRectangleIntoTheBox) {
  // A triangle in a 100 x 100 space whose apex comes from a guide, drawn into 300 x 150 pixels.
  TShapeGeometry g = Custom(
      "<a:avLst/><a:gdLst><a:gd name=\"apex\" fmla=\"*/ 100 1 2\"/></a:gdLst>"
      "<a:rect l=\"l\" t=\"vc\" r=\"r\" b=\"b\"/>"
      "<a:pathLst><a:path w=\"100\" h=\"100\"><a:moveTo><a:pt x=\"0\" y=\"100\"/></a:moveTo>"
      "<a:lnTo><a:pt x=\"apex\" y=\"0\"/></a:lnTo><a:lnTo><a:pt x=\"100\" y=\"100\"/></a:lnTo><a:close/></a:path>"
      "<a:path w=\"100\" h=\"100\" fill=\"none\" stroke=\"0\"><a:moveTo><a:pt x=\"0\" y=\"0\"/></a:moveTo>"
      "<a:cubicBezTo><a:pt x=\"10\" y=\"0\"/><a:pt x=\"20\" y=\"10\"/><a:pt x=\"20\" y=\"20\"/></a:cubicBezTo>"
      "<a:quadBezTo><a:pt x=\"40\" y=\"20\"/><a:pt x=\"40\" y=\"40\"/></a:quadBezTo></a:path></a:pathLst>",
      300, 150);
  ASSERT_EQ(g.Paths.size(), 2u);
  EXPECT_EQ(g.Paths[0].D, "M0 150L150 0L300 150Z");
  EXPECT_TRUE(g.Paths[0].Fill);
  EXPECT_TRUE(g.Paths[0].Stroke);
  EXPECT_EQ(g.Paths[1].D, "M0 0C30 0 60 15 60 30Q120 30 120 60");
  EXPECT_FALSE(g.Paths[1].Fill);
  EXPECT_FALSE(g.Paths[1].Stroke);
  EXPECT_NEAR(g.TextTop, 75, kTol);
  EXPECT_NEAR(g.TextRight, 300, kTol);
}

TEST(GeometryCustom, PathsWithoutSpaceUseEmuAndGuidesSeeTheBox) {
  // 952500 EMU is 100 px; w is the box width, so w/2 lands in the middle whatever the unit.
  TShapeGeometry g = Custom(
      "<a:gdLst><a:gd name=\"mid\" fmla=\"*/ w 1 2\"/><a:gd name=\"adj\" fmla=\"val 952500\"/></a:gdLst>"
      "<a:pathLst><a:path><a:moveTo><a:pt x=\"adj\" y=\"0\"/></a:moveTo><a:lnTo><a:pt x=\"mid\" y=\"h\"/></a:lnTo>"
      "</a:path></a:pathLst>",
      500, 80);
  ASSERT_EQ(g.Paths.size(), 1u);
  EXPECT_EQ(g.Paths[0].D, "M100 0L250 80");
  // No rect: the text uses the whole box.
  EXPECT_EQ(g.TextLeft, 0);
  EXPECT_EQ(g.TextBottom, 80);
}

TEST(GeometryCustom, AttributesAndMissingPieces) {
  const struct {
    const char* what;
    const char* body;
    bool ok;
    const char* d;  // first path when ok
  } cases[] = {
      {"empty element", "", false, nullptr},
      {"only moves", "<a:pathLst><a:path><a:moveTo><a:pt x=\"1\" y=\"1\"/></a:moveTo></a:path></a:pathLst>", false,
       nullptr},
      {"line without a move starts at the origin",
       "<a:pathLst><a:path w=\"10\" h=\"10\"><a:lnTo><a:pt x=\"10\" y=\"10\"/></a:lnTo></a:path></a:pathLst>", true,
       "M0 0L10 10"},
      {"point without attributes is the origin",
       "<a:pathLst><a:path w=\"10\" h=\"10\"><a:moveTo><a:pt/></a:moveTo><a:lnTo><a:pt x=\"5\"/></a:lnTo>"
       "</a:path></a:pathLst>",
       true, "M0 0L5 0"},
      {"command missing its points is skipped",
       "<a:pathLst><a:path w=\"10\" h=\"10\"><a:moveTo><a:pt x=\"1\" y=\"1\"/></a:moveTo><a:cubicBezTo><a:pt x=\"3\" "
       "y=\"3\"/></a:cubicBezTo><a:lnTo><a:pt x=\"2\" y=\"2\"/></a:lnTo></a:path></a:pathLst>",
       true, "M1 1L2 2"},
      {"unknown elements are ignored",
       "<a:ahLst/><a:cxnLst/><a:pathLst><foo/><a:path w=\"10\" h=\"10\"><bar/><a:moveTo><a:pt x=\"1\" y=\"1\"/>"
       "</a:moveTo><a:lnTo><a:pt x=\"2\" y=\"2\"/></a:lnTo><a:close/><a:close/></a:path></a:pathLst>",
       true, "M1 1L2 2ZZ"},
      {"zero path space falls back to EMU",
       "<a:pathLst><a:path w=\"0\" h=\"-5\"><a:moveTo><a:pt x=\"0\" y=\"0\"/></a:moveTo><a:lnTo><a:pt x=\"9525\" "
       "y=\"19050\"/></a:lnTo></a:path></a:pathLst>",
       true, "M0 0L1 2"},
      {"tiny values print as zero, never as -0 or an exponent",
       "<a:pathLst><a:path><a:moveTo><a:pt x=\"-1\" y=\"1\"/></a:moveTo><a:lnTo><a:pt x=\"95250000\" "
       "y=\"-4\"/></a:lnTo></a:path></a:pathLst>",
       true, "M0 0L10000 0"},
  };
  for (const auto& c : cases) {
    bool ok = !c.ok;
    TShapeGeometry g = Custom(c.body, 10, 10, &ok);
    EXPECT_EQ(ok, c.ok) << c.what;
    if (c.ok) {
      ASSERT_FALSE(g.Paths.empty()) << c.what;
      EXPECT_EQ(g.Paths[0].D, c.d) << c.what;
    }
  }
  TShapeGeometry untouched;
  untouched.TextRight = 3;
  EXPECT_FALSE(CustomGeometry(pugi::xml_node(), 10, 10, untouched));
  EXPECT_EQ(untouched.TextRight, 3);
}

TEST(GeometryCustom, HostileInputStaysBoundedAndFinite) {
  // A chain of 5000 guides, each doubling the last: the cap stops it, and what overflows prints as a number.
  std::string guides = "<a:gdLst><a:gd name=\"g0\" fmla=\"val 1\"/>";
  for (int i = 1; i < 5000; ++i)
    guides += "<a:gd name=\"g" + std::to_string(i) + "\" fmla=\"*/ g" + std::to_string(i - 1) + " 2 1\"/>";
  guides += "</a:gdLst>";
  std::string points;
  for (int i = 0; i < 200000; ++i) points += "<a:lnTo><a:pt x=\"g1500\" y=\"g999\"/></a:lnTo>";
  bool ok = false;
  TShapeGeometry g = Custom(guides + "<a:pathLst><a:path w=\"10\" h=\"10\">" + points +
                                "<a:arcTo wR=\"g4999\" hR=\"g1\" stAng=\"g1100\" swAng=\"g1200\"/></a:path>"
                                "<a:path><a:moveTo><a:pt x=\"nan\" y=\"inf\"/></a:moveTo><a:lnTo><a:pt x=\"1e999\" "
                                "y=\"-1e999\"/></a:lnTo></a:path></a:pathLst>",
                            10, 10, &ok);
  ASSERT_TRUE(ok);
  size_t commands = 0;
  for (const TShapePath& p : g.Paths) {
    EXPECT_EQ(p.D.find_first_of("naife,"), std::string::npos) << p.D.substr(0, 200);
    for (char ch : p.D) commands += std::isalpha(static_cast<unsigned char>(ch)) ? 1 : 0;
  }
  EXPECT_LE(commands, 100000u + 10);
  // Guide 999 doubled from 1 is 2^999 path units: clamped, not infinite.
  EXPECT_NE(g.Paths[0].D.find("10000000"), std::string::npos);
}
