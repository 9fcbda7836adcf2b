// Group transforms and rectangle mapping.
#include "pptx/group_transform.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/rounding.h"
#include "pptx/xml_helpers.h"

namespace tarvik {

namespace {

// 64-bit subtraction that wraps instead of overflowing.
int64_t Sub64(int64_t a, int64_t b) {
  return static_cast<int64_t>(static_cast<uint64_t>(a) - static_cast<uint64_t>(b));
}

}  // namespace

TShapeXfrm ReadShapeXfrm(pugi::xml_node xfrm) {
  TShapeXfrm result;
  if (!xfrm) return result;
  pugi::xml_node off = FindChildNode(xfrm, "off");
  pugi::xml_node ext = FindChildNode(xfrm, "ext");
  result.X = GetAttrInt64(off, "x", 0);
  result.Y = GetAttrInt64(off, "y", 0);
  result.Cx = GetAttrInt64(ext, "cx", 0);
  result.Cy = GetAttrInt64(ext, "cy", 0);
  result.RotDeg = static_cast<double>(GetAttrInt64(xfrm, "rot", 0)) / 60000.0;
  return result;
}

TGroupXform ReadGroupXform(pugi::xml_node grpSpPr) {
  TGroupXform g;
  pugi::xml_node xfrm = FindChildNode(grpSpPr, "xfrm");
  if (!xfrm) return g;
  pugi::xml_node off = FindChildNode(xfrm, "off");
  pugi::xml_node ext = FindChildNode(xfrm, "ext");
  pugi::xml_node chOff = FindChildNode(xfrm, "chOff");
  pugi::xml_node chExt = FindChildNode(xfrm, "chExt");
  g.OffX = GetAttrInt64(off, "x", 0);
  g.OffY = GetAttrInt64(off, "y", 0);
  g.ExtCx = GetAttrInt64(ext, "cx", 0);
  g.ExtCy = GetAttrInt64(ext, "cy", 0);
  g.ChOffX = chOff ? GetAttrInt64(chOff, "x", 0) : g.OffX;
  g.ChOffY = chOff ? GetAttrInt64(chOff, "y", 0) : g.OffY;
  g.ChExtCx = chExt ? GetAttrInt64(chExt, "cx", 0) : g.ExtCx;
  g.ChExtCy = chExt ? GetAttrInt64(chExt, "cy", 0) : g.ExtCy;
  g.RotDeg = static_cast<double>(GetAttrInt64(xfrm, "rot", 0)) / 60000.0;
  return g;
}

TTurn::TTurn(double cx, double cy, double angle) : cx_(cx), cy_(cy), cos_(std::cos(angle)), sin_(std::sin(angle)) {}

void TTurn::Apply(double& x, double& y) const {
  const double dx = x - cx_, dy = y - cy_;
  x = cx_ + cos_ * dx - sin_ * dy;
  y = cy_ + sin_ * dx + cos_ * dy;
}

void RotatePointAbout(double px, double py, double cx, double cy, double angle, double& rx, double& ry) {
  rx = px;
  ry = py;
  TTurn(cx, cy, angle).Apply(rx, ry);
}

void TurnWithShape(const TPPTXShape& shape, double& x1, double& y1, double& x2, double& y2) {
  if (std::fabs(shape.RotationDeg) <= 0.01) return;
  const double l = shape.LeftPx(), t = shape.TopPx();
  const TTurn turn(l + shape.WidthPx() / 2.0, t + shape.HeightPx() / 2.0, shape.RotationDeg * std::numbers::pi / 180);
  turn.Apply(x1, y1);
  turn.Apply(x2, y2);
}

bool Crossways(double rotationDeg) { return std::fmod(std::fabs(rotationDeg) + 45, 180) >= 90; }

TRect64 MapRectThroughGroup(const TGroupXform& g, int64_t x, int64_t y, int64_t w, int64_t h, bool crossways) {
  if (g.ChExtCx == 0 || g.ChExtCy == 0) return {g.OffX, g.OffY, w, h};
  const double sx = static_cast<double>(g.ExtCx) / static_cast<double>(g.ChExtCx);
  const double sy = static_cast<double>(g.ExtCy) / static_cast<double>(g.ChExtCy);
  const double x1 = static_cast<double>(g.OffX) + static_cast<double>(Sub64(x, g.ChOffX)) * sx;
  const double y1 = static_cast<double>(g.OffY) + static_cast<double>(Sub64(y, g.ChOffY)) * sy;
  const double x2 = x1 + static_cast<double>(w) * sx;
  const double y2 = y1 + static_cast<double>(h) * sy;
  // A turned group carries its children round its centre: each keeps its
  // size and its own box, and turns by the group's angle as well (the caller
  // adds it), as a shape turned on its own is stored. Their bounding box,
  // turned once more, would draw them larger and out of place.
  double mx = (x1 + x2) / 2, my = (y1 + y2) / 2;
  if (std::fabs(g.RotDeg) > 0.0001) {
    const double cx = static_cast<double>(g.OffX) + static_cast<double>(g.ExtCx) / 2.0;
    const double cy = static_cast<double>(g.OffY) + static_cast<double>(g.ExtCy) / 2.0;
    TTurn(cx, cy, std::numbers::pi * g.RotDeg / 180.0).Apply(mx, my);
  }
  const double w2 = std::fabs(static_cast<double>(w) * (crossways ? sy : sx));
  const double h2 = std::fabs(static_cast<double>(h) * (crossways ? sx : sy));
  TRect64 result{RoundHalfEven64(mx - w2 / 2), RoundHalfEven64(my - h2 / 2), RoundHalfEven64(w2), RoundHalfEven64(h2)};
  result.W = std::max<int64_t>(result.W, 1);
  result.H = std::max<int64_t>(result.H, 1);
  return result;
}

TRect64 ApplyGroupStack(const GroupXformStack& stack, int64_t x, int64_t y, int64_t w, int64_t h, double& rot) {
  TRect64 rect{x, y, w, h};
  for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
    rect = MapRectThroughGroup(*it, rect.X, rect.Y, rect.W, rect.H, Crossways(rot));
    rot += it->RotDeg;
  }
  return rect;
}

TPPTXShapeKind PresetGeometryKind(const std::string& prst) {
  if (SameText(prst, "ellipse")) return skOval;
  if (SameText(prst, "roundRect")) return skRoundRect;
  if (prst.empty() || SameText(prst, "rect")) return skRect;
  if (SameText(prst, "line") || SameText(prst, "straightConnector1")) return skLine;
  return skOther;
}

}  // namespace tarvik
