// Group transforms: reading, mapping through one group and a stack of them,
// rotation, rounding and the preset geometry kinds.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <tuple>

#include "pptx/group_transform.h"
#include "pptx_test_util.h"

using namespace tarvik;
using namespace tarvik::test;

namespace {

TGroupXform Group(int64_t x, int64_t y, int64_t cx, int64_t cy, int64_t chx, int64_t chy, int64_t chcx,
                  int64_t chcy, double rot = 0) {
  return {x, y, cx, cy, chx, chy, chcx, chcy, rot};
}

}  // namespace

TEST(GroupTransform, MapRectThroughGroup) {
  const struct {
    const char* what;
    TGroupXform group;
    TRect64 in, out;
  } cases[] = {
      {"scaled by one half", Group(1000, 2000, 500, 500, 0, 0, 1000, 1000), {200, 400, 100, 100}, {1100, 2200, 50, 50}},
      {"zero child width", Group(7, 8, 500, 500, 0, 0, 0, 1000), {200, 400, 30, 40}, {7, 8, 30, 40}},
      {"zero child height", Group(7, 8, 500, 500, 0, 0, 1000, 0), {200, 400, 30, 40}, {7, 8, 30, 40}},
      // A turned group moves its children's centres round its own and leaves
      // their size alone: the child turns with the group's angle instead.
      {"rotated 90", Group(0, 0, 1000, 1000, 0, 0, 1000, 1000, 90), {0, 0, 100, 50}, {925, 25, 100, 50}},
      {"rotated 45 about the child's own centre", Group(0, 0, 1000, 1000, 0, 0, 1000, 1000, 45), {400, 450, 200, 100},
       {400, 450, 200, 100}},
      {"rotated and scaled", Group(0, 0, 500, 500, 0, 0, 1000, 1000, 180), {0, 0, 100, 50}, {450, 475, 50, 25}},
      {"tiny rotation ignored", Group(0, 0, 1000, 1000, 0, 0, 1000, 1000, 0.00005), {10, 20, 30, 40}, {10, 20, 30, 40}},
      {"width never below 1", Group(0, 0, 100, 100, 0, 0, 1000, 1000), {0, 0, 1, 1}, {0, 0, 1, 1}},
      {"halves go to even", Group(0, 0, 1, 1, 0, 0, 2, 2), {1, 3, 5, 1}, {0, 2, 2, 1}},
      {"child offset", Group(100, 100, 200, 200, 50, 50, 200, 200), {60, 70, 10, 10}, {110, 120, 10, 10}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MapRectThroughGroup(c.group, c.in.X, c.in.Y, c.in.W, c.in.H), c.out) << c.what;
  }
}

TEST(GroupTransform, HostileValuesStayDefined) {
  TGroupXform g = Group(INT64_MAX, INT64_MIN, INT64_MAX, 1, INT64_MIN, 0, 1, INT64_MAX, 1e300);
  TRect64 r = MapRectThroughGroup(g, INT64_MAX, INT64_MIN, INT64_MAX, INT64_MAX);
  EXPECT_GE(r.W, 1);
  EXPECT_GE(r.H, 1);
}

TEST(GroupTransform, RotatePointAboutTurnsClockwiseOnScreen) {
  double x = 0, y = 0;
  RotatePointAbout(10, 0, 0, 0, std::numbers::pi / 2, x, y);
  EXPECT_NEAR(x, 0, 1e-9);
  EXPECT_NEAR(y, 10, 1e-9);
}

TEST(GroupTransform, StackMapsInnermostFirstAndSumsRotation) {
  GroupXformStack stack{Group(1000, 0, 100, 100, 0, 0, 100, 100, 10),
                        Group(0, 0, 50, 50, 0, 0, 100, 100, 0.00005)};
  double rot = 5;
  TRect64 r = ApplyGroupStack(stack, 20, 20, 20, 20, rot);
  // Inner halves it to (10,10,10,10); the outer moves it by 1000 and turns
  // it by 10 degrees about (1050, 50).
  EXPECT_NEAR(rot, 15.00005, 1e-9);
  EXPECT_EQ(r, MapRectThroughGroup(stack[0], 10, 10, 10, 10));
  // A child a quarter turned in a group stretched sideways is drawn wider:
  // its own height takes the sideways stretch. Near level it does not.
  const GroupXformStack wide{Group(0, 0, 200, 100, 0, 0, 100, 100)};
  for (const auto& [own, w, h] : {std::tuple{90.0, 40, 20}, {-90.0, 40, 20}, {270.0, 40, 20}, {30.0, 80, 10},
                                 {170.0, 80, 10}}) {
    double turned = own;
    EXPECT_EQ(ApplyGroupStack(wide, 30, 40, 40, 10, turned), (TRect64{100 - w / 2, 45 - h / 2, w, h})) << own;
  }
  double unchanged = 3;
  EXPECT_EQ(ApplyGroupStack({}, 1, 2, 3, 4, unchanged), (TRect64{1, 2, 3, 4}));
  EXPECT_EQ(unchanged, 3);
}

TEST(GroupTransform, ReadGroupXformDefaultsChildSpaceToTheFrame) {
  auto xml = Xml("<p:grpSpPr><a:xfrm rot='5400000'><a:off x='1' y='2'/><a:ext cx='3' cy='4'/></a:xfrm></p:grpSpPr>");
  TGroupXform g = ReadGroupXform(xml->Root());
  EXPECT_EQ(g.ChOffX, 1);
  EXPECT_EQ(g.ChOffY, 2);
  EXPECT_EQ(g.ChExtCx, 3);
  EXPECT_EQ(g.ChExtCy, 4);
  EXPECT_EQ(g.RotDeg, 90);
  TGroupXform none = ReadGroupXform(pugi::xml_node());
  EXPECT_EQ(none.ExtCx, 0);

  auto shape = Xml("<a:xfrm rot='-60000'><a:off x='5'/></a:xfrm>");
  TShapeXfrm s = ReadShapeXfrm(shape->Root());
  EXPECT_EQ(s.X, 5);
  EXPECT_EQ(s.Y, 0);
  EXPECT_EQ(s.Cx, 0);
  EXPECT_EQ(s.RotDeg, -1);
}

TEST(GroupTransform, PresetGeometryKind) {
  EXPECT_EQ(PresetGeometryKind("ellipse"), skOval);
  EXPECT_EQ(PresetGeometryKind("ROUNDRECT"), skRoundRect);
  EXPECT_EQ(PresetGeometryKind(""), skRect);
  EXPECT_EQ(PresetGeometryKind("rect"), skRect);
  EXPECT_EQ(PresetGeometryKind("line"), skLine);
  EXPECT_EQ(PresetGeometryKind("straightConnector1"), skLine);
  EXPECT_EQ(PresetGeometryKind("triangle"), skOther);
}
