// Geometry of the shape tree: reading an element's xfrm and a group's
// transform, and mapping a rectangle from a group's child space out to the
// slide through every enclosing group.
#pragma once
#include <cstdint>
#include <vector>

#include <pugixml.hpp>

#include "pptx/model.h"

namespace tarvik {

using GroupXformStack = std::vector<TGroupXform>;  // outermost first

struct TShapeXfrm {
  int64_t X = 0, Y = 0, Cx = 0, Cy = 0;
  double RotDeg = 0;
};

struct TRect64 {
  int64_t X = 0, Y = 0, W = 0, H = 0;
  bool operator==(const TRect64&) const = default;
};

// off (x, y), ext (cx, cy) and rot / 60000; all 0 when xfrm is absent.
TShapeXfrm ReadShapeXfrm(pugi::xml_node xfrm);

// The group's xfrm; a missing chOff or chExt equals off or ext.
TGroupXform ReadGroupXform(pugi::xml_node grpSpPr);

// The rectangle in the group's parent space: scaled from child space into the
// group's frame, its centre turned about the frame's centre when the group is
// rotated (the rectangle keeps its size; the caller adds the group's angle to
// the shape's), rounded (halves to even), width and height at least 1.
// A child space of zero width or height puts the rectangle at the group's
// offset with its own size.
// A child turned nearer upright than level (crossways) lies across the
// group's axes, so each of its sides stretches by the other axis's scale: a
// group stretched sideways widens what is drawn, not the child's own width.
bool Crossways(double rotationDeg);
TRect64 MapRectThroughGroup(const TGroupXform& group, int64_t x, int64_t y, int64_t w, int64_t h,
                            bool crossways = false);

// A turn by angle radians about (cx, cy); positive is clockwise on screen.
// Every consumer that turns points with a shape (the renderer's and the
// publication's line ends, the imported picture's pixels) turns them here.
class TTurn {
 public:
  TTurn(double cx, double cy, double angle);
  void Apply(double& x, double& y) const;

 private:
  double cx_, cy_, cos_, sin_;
};

// (px, py) turned by angle radians about (cx, cy).
void RotatePointAbout(double px, double py, double cx, double cy, double angle, double& rx, double& ry);

// Two points of a line shape turned with it: by RotationDeg about the centre
// of its pixel box, when that is more than 0.01 degrees either way.
void TurnWithShape(const TPPTXShape& shape, double& x1, double& y1, double& x2, double& y2);

// Maps through the stack from the innermost group out and adds every group's
// rotation to rot, each group's mapping crossways when the turn so far is.
TRect64 ApplyGroupStack(const GroupXformStack& stack, int64_t x, int64_t y, int64_t w, int64_t h, double& rot);

// "ellipse" skOval, "roundRect" skRoundRect, "" or "rect" skRect, "line" or
// "straightConnector1" skLine, anything else skOther (ASCII case ignored).
TPPTXShapeKind PresetGeometryKind(const std::string& prst);

}  // namespace tarvik
