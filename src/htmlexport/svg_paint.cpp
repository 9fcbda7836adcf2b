// Fills, outlines, gradients, picture fills and arrowheads as SVG.
#include "htmlexport/svg_paint.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <string_view>
#include <tuple>

#include "htmlexport/text_format.h"

namespace tarvik {

namespace {

constexpr double kPxPerPt = 96.0 / 72.0;

void AppendAttr(std::string& out, std::string_view name, double value) {
  out += ' ';
  out += name;
  out += "=\"";
  AppendNum(out, value);
  out += '"';
}

void AppendStops(std::string& out, const TPPTXFill& fill) {
  for (const TGradientStop& stop : fill.Stops) {
    out += "<stop offset=\"";
    AppendNum(out, stop.PositionPct);
    out += "%\" stop-color=\"";
    out += ColorToHex(stop.Color);
    out += '"';
    if (stop.Opacity < 1) AppendAttr(out, "stop-opacity", stop.Opacity);
    out += "/>";
  }
}

// A gradient over the box: linear along its angle from edge to edge, or
// radial from the centre to the corners.
void AppendGradient(std::string& defs, const TPPTXFill& fill, const TSvgBox& box, const std::string& id) {
  const double cx = box.Left + box.Width / 2, cy = box.Top + box.Height / 2;
  if (fill.Radial) {
    defs += "<radialGradient id=\"" + id + "\" gradientUnits=\"userSpaceOnUse\"";
    AppendAttr(defs, "cx", cx);
    AppendAttr(defs, "cy", cy);
    AppendAttr(defs, "r", std::hypot(box.Width, box.Height) / 2);
    defs += '>';
    AppendStops(defs, fill);
    defs += "</radialGradient>";
    return;
  }
  const double theta = fill.AngleDeg * std::numbers::pi / 180;
  const double dx = std::cos(theta), dy = std::sin(theta);
  const double half = (std::fabs(box.Width * dx) + std::fabs(box.Height * dy)) / 2;
  defs += "<linearGradient id=\"" + id + "\" gradientUnits=\"userSpaceOnUse\"";
  AppendAttr(defs, "x1", cx - dx * half);
  AppendAttr(defs, "y1", cy - dy * half);
  AppendAttr(defs, "x2", cx + dx * half);
  AppendAttr(defs, "y2", cy + dy * half);
  defs += '>';
  AppendStops(defs, fill);
  defs += "</linearGradient>";
}

constexpr double kEmuPerPx = 9525;

// One period of a picture fill's pattern: where it starts, the size of one
// picture in it, and whether the copies to its right and below are mirrored.
struct TPatternCell {
  double X = 0, Y = 0, Width = 1, Height = 1;
  bool FlipX = false, FlipY = false;
};

// A stretched picture is one cell over the box. Tiles sit on a grid through
// the tile aligned to the fill's anchor point of the box, moved by the
// offsets; the start is brought within one period of the box's corner,
// which draws the same and keeps a far offset's numbers small.
TPatternCell PatternCell(const TPPTXFill& fill, const TSvgBox& box) {
  if (!fill.Tile || fill.TileWidthEmu <= 0 || fill.TileHeightEmu <= 0)
    return {box.Left, box.Top, std::max(box.Width, 1.0), std::max(box.Height, 1.0)};
  TPatternCell cell;
  cell.Width = fill.TileWidthEmu / kEmuPerPx;
  cell.Height = fill.TileHeightEmu / kEmuPerPx;
  cell.FlipX = fill.TileFlipX;
  cell.FlipY = fill.TileFlipY;
  auto start = [](double edge, double boxSide, double tile, double anchor, int64_t offsetEmu, bool flip) {
    const double origin = anchor * (boxSide - tile) + offsetEmu / kEmuPerPx;
    return edge + std::fmod(origin, flip ? 2 * tile : tile);
  };
  cell.X = start(box.Left, box.Width, cell.Width, fill.TileAnchorX, fill.TileOffsetXEmu, cell.FlipX);
  cell.Y = start(box.Top, box.Height, cell.Height, fill.TileAnchorY, fill.TileOffsetYEmu, cell.FlipY);
  return cell;
}

// The picture in each cell of the period: as it is at the start, mirrored
// in the copies a flip adds. Pictures shared across the document are used;
// others are written once and the copies use that.
bool AppendCellPictures(std::string& pattern, std::string& defs, const TPPTXFill& fill, const TPatternCell& cell,
                        const std::string& id, TRenderContext& context) {
  const double w = cell.Width, h = cell.Height;
  const bool copies = cell.FlipX || cell.FlipY;
  const std::string shared = context.SharedPicture(defs, fill.PictureFile);
  if (!shared.empty()) {
    AppendPictureUse(pattern, shared, 0, 0, w, h);
  } else {
    pattern += copies ? "<image id=\"" + id + "_picture\" href=\"" : "<image href=\"";
    if (!context.AppendDataUri(pattern, fill.PictureFile)) return false;
    pattern += "\" x=\"0\" y=\"0\"";
    AppendAttr(pattern, "width", w);
    AppendAttr(pattern, "height", h);
    pattern += " preserveAspectRatio=\"none\"/>";
  }
  for (auto [across, down] : {std::pair{true, false}, {false, true}, {true, true}}) {
    if ((across && !cell.FlipX) || (down && !cell.FlipY)) continue;
    const double left = across ? 2 * w : 0, top = down ? 2 * h : 0;
    if (!shared.empty()) {
      AppendPictureUse(pattern, shared, left, top, across ? -w : w, down ? -h : h);
      continue;
    }
    pattern += "<use href=\"#" + id + "_picture\" transform=\"matrix(";
    pattern += across ? "-1 0 0 " : "1 0 0 ";
    pattern += down ? "-1 " : "1 ";
    AppendNum(pattern, left);
    pattern += ' ';
    AppendNum(pattern, top);
    pattern += ")\"/>";
  }
  return true;
}

// A picture fill as a pattern a fill can name: stretched over the box, or
// repeated at the tile's size.
bool AppendPicturePattern(std::string& defs, const TPPTXFill& fill, const TSvgBox& box, const std::string& id,
                          TRenderContext& context) {
  const std::string filter = fill.Duotone.Used ? AppendDuotoneFilter(defs, fill.Duotone, id) : std::string();
  const TPatternCell cell = PatternCell(fill, box);
  std::string pattern = "<pattern id=\"" + id + "\" patternUnits=\"userSpaceOnUse\"";
  AppendAttr(pattern, "x", cell.X);
  AppendAttr(pattern, "y", cell.Y);
  AppendAttr(pattern, "width", cell.FlipX ? 2 * cell.Width : cell.Width);
  AppendAttr(pattern, "height", cell.FlipY ? 2 * cell.Height : cell.Height);
  pattern += '>';
  if (!filter.empty()) pattern += "<g" + filter + ">";
  if (!AppendCellPictures(pattern, defs, fill, cell, id, context)) return false;
  if (!filter.empty()) pattern += "</g>";
  pattern += "</pattern>";
  defs += pattern;
  return true;
}

// Whether a pattern's foreground covers pixel (x, y) of its 8 x 8 cell. The
// shades (pct5 ... pct90) spread their share of the cell evenly by an
// ordered dither; lines, grids and checks are drawn as their names say; the
// pictorial ones (plaid, sphere, confetti ...) are shaded at about the share
// of the cell their picture covers.
bool PatternCovers(std::string_view preset, int x, int y) {
  static constexpr int kDither[8][8] = {
      {0, 32, 8, 40, 2, 34, 10, 42},   {48, 16, 56, 24, 50, 18, 58, 26}, {12, 44, 4, 36, 14, 46, 6, 38},
      {60, 28, 52, 20, 62, 30, 54, 22}, {3, 35, 11, 43, 1, 33, 9, 41},   {51, 19, 59, 27, 49, 17, 57, 25},
      {15, 47, 7, 39, 13, 45, 5, 37},   {63, 31, 55, 23, 61, 29, 53, 21}};
  auto shade = [&](int percent) { return kDither[y][x] < (percent * 64 + 50) / 100; };
  const int down = ((x - y) % 8 + 8) % 8, up = (x + y) % 8;
  if (preset.starts_with("pct")) {
    int percent = 0;
    for (char c : preset.substr(3))
      if (c >= '0' && c <= '9') percent = percent * 10 + (c - '0');
    return shade(std::min(percent, 100));
  }
  const std::pair<std::string_view, bool> drawn[] = {
      {"horz", y == 0},
      {"vert", x == 0},
      {"ltHorz", y % 4 == 0},
      {"ltVert", x % 4 == 0},
      {"dkHorz", y % 4 < 2},
      {"dkVert", x % 4 < 2},
      {"narHorz", y % 2 == 0},
      {"narVert", x % 2 == 0},
      {"dashHorz", y % 4 == 0 && (x + y) % 8 < 4},
      {"dashVert", x % 4 == 0 && (x + y) % 8 < 4},
      {"cross", x == 0 || y == 0},
      {"dnDiag", down % 4 == 0},
      {"upDiag", up % 4 == 0},
      {"ltDnDiag", down % 4 == 0},
      {"ltUpDiag", up % 4 == 0},
      {"dkDnDiag", down % 4 < 2},
      {"dkUpDiag", up % 4 < 2},
      {"wdDnDiag", down < 3},
      {"wdUpDiag", up < 3},
      {"dashDnDiag", down % 4 == 0 && y % 4 < 2},
      {"dashUpDiag", up % 4 == 0 && y % 4 < 2},
      {"diagCross", down == 0 || up == 0},
      {"smCheck", (x / 2 + y / 2) % 2 == 0},
      {"lgCheck", (x / 4 + y / 4) % 2 == 0},
      {"smGrid", x % 4 == 0 || y % 4 == 0},
      {"lgGrid", x == 0 || y == 0},
      {"dotGrid", (y == 0 && x % 2 == 0) || (x == 0 && y % 2 == 0)},
      {"horzBrick", y % 4 == 0 || (y < 4 ? x == 0 : x == 4)},
      {"openDmnd", down == 0 || up == 0},
      {"dotDmnd", (down == 0 || up == 0) && x % 2 == 0},
      {"solidDmnd", std::abs(2 * x - 7) + std::abs(2 * y - 7) <= 8},
      {"trellis", down % 4 < 2 || up % 4 < 2},
      {"zigZag", y % 4 == (x % 4 < 2 ? x % 4 : 3 - x % 4)},
      {"wave", y % 4 == (x % 8 < 4 ? x % 8 / 2 : 3 - x % 8 / 2)},
  };
  for (const auto& [name, covered] : drawn)
    if (preset == name) return covered;
  const std::pair<std::string_view, int> shaded[] = {{"smConfetti", 15}, {"lgConfetti", 30}, {"diagBrick", 25},
                                                     {"plaid", 40},      {"sphere", 45},     {"weave", 35},
                                                     {"divot", 15},      {"shingle", 25}};
  for (const auto& [name, percent] : shaded)
    if (preset == name) return shade(percent);
  return shade(50);
}

// A pattern fill's cell: the background, then the covered pixels in runs.
void AppendPatternFill(std::string& defs, const TPPTXFill& fill, const std::string& id) {
  defs += "<pattern id=\"" + id + "\" patternUnits=\"userSpaceOnUse\" width=\"8\" height=\"8\"><rect width=\"8\" "
          "height=\"8\" fill=\"" + ColorToHex(fill.PatternBackground) + "\"";
  if (fill.PatternBackgroundOpacity < 1) AppendAttr(defs, "fill-opacity", fill.PatternBackgroundOpacity);
  defs += "/><path d=\"";
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8;) {
      if (!PatternCovers(fill.Pattern, x, y)) {
        ++x;
        continue;
      }
      int end = x;
      while (end < 8 && PatternCovers(fill.Pattern, end, y)) ++end;
      // Appended piece by piece: GCC 12 for Windows misreads a chain of
      // string sums here as an overlapping copy.
      const std::string run = std::to_string(end - x);
      defs += 'M';
      defs += std::to_string(x);
      defs += ' ';
      defs += std::to_string(y);
      defs += 'h';
      defs += run;
      defs += "v1h-";
      defs += run;
      defs += 'z';
      x = end;
    }
  defs += "\" fill=\"" + ColorToHex(fill.Color) + "\"";
  if (fill.Opacity < 1) AppendAttr(defs, "fill-opacity", fill.Opacity);
  defs += "/></pattern>";
}

// The fill attribute's value, with what it needs added to defs.
std::string FillValue(const TPPTXFill& fill, const TSvgBox& box, const std::string& id, std::string& defs,
                      TRenderContext& context) {
  switch (fill.Kind) {
    case kFillSolid:
      if (fill.Pattern.empty()) return ColorToHex(fill.Color);
      AppendPatternFill(defs, fill, id);
      return "url(#" + id + ")";
    case kFillGradient:
      AppendGradient(defs, fill, box, id);
      return "url(#" + id + ")";
    case kFillPicture:
      if (AppendPicturePattern(defs, fill, box, id, context)) return "url(#" + id + ")";
      return "none";
    default: return "none";
  }
}

// The dash patterns of the format, in multiples of the line's width.
const char* DashPattern(const std::string& dash) {
  static const struct {
    const char* Name;
    const char* Pattern;
  } kDashes[] = {{"dot", "1 3"},          {"dash", "4 3"},          {"lgDash", "8 3"},
                 {"dashDot", "4 3 1 3"},  {"lgDashDot", "8 3 1 3"}, {"lgDashDotDot", "8 3 1 3 1 3"},
                 {"sysDash", "3 1"},      {"sysDot", "1 1"},        {"sysDashDot", "3 1 1 1"},
                 {"sysDashDotDot", "3 1 1 1 1 1"}};
  for (const auto& d : kDashes)
    if (dash == d.Name) return d.Pattern;
  return nullptr;
}

void AppendDashArray(std::string& out, const std::string& dash, double widthPx) {
  const char* pattern = DashPattern(dash);
  if (!pattern) return;
  out += " stroke-dasharray=\"";
  bool first = true;
  for (const char* p = pattern; *p; ++p) {
    if (*p == ' ') continue;
    if (!first) out += ' ';
    AppendNum(out, (*p - '0') * widthPx);
    first = false;
  }
  out += '"';
}

// An arrowhead as a marker in units of the line's width: small, medium and
// large are 2, 3 and 5 widths.
void AppendMarker(std::string& defs, const TLineEnd& end, const std::string& id, const std::string& color) {
  auto size = [](int32_t s) { return s <= 0 ? 2.0 : (s >= 2 ? 5.0 : 3.0); };
  const std::string& type = end.Type;
  std::string shape;
  double refX = 10;
  if (type == "stealth") {
    shape = "<path d=\"M0 0L10 5L0 10L3 5Z\" fill=\"" + color + "\"/>";
  } else if (type == "arrow") {
    shape = "<path d=\"M1 1L9 5L1 9\" fill=\"none\" stroke=\"" + color + "\" stroke-width=\"2\"/>";
    refX = 9;
  } else if (type == "diamond") {
    shape = "<path d=\"M0 5L5 0L10 5L5 10Z\" fill=\"" + color + "\"/>";
    refX = 5;
  } else if (type == "oval") {
    shape = "<circle cx=\"5\" cy=\"5\" r=\"5\" fill=\"" + color + "\"/>";
    refX = 5;
  } else {
    shape = "<path d=\"M0 0L10 5L0 10Z\" fill=\"" + color + "\"/>";
  }
  defs += "<marker id=\"" + id + "\" viewBox=\"0 0 10 10\"";
  AppendAttr(defs, "refX", refX);
  defs += " refY=\"5\"";
  AppendAttr(defs, "markerWidth", size(end.Length));
  AppendAttr(defs, "markerHeight", size(end.Width));
  defs += " orient=\"auto-start-reverse\" markerUnits=\"strokeWidth\">" + shape + "</marker>";
}

TPPTXFill SolidFill(TColor color) {
  TPPTXFill fill;
  fill.Kind = kFillSolid;
  fill.Color = color;
  return fill;
}

}  // namespace

// The picture's luminance, then each channel mapped from the dark colour's
// value at black to the light one's at white.
void ShadowOffset(const TPPTXShape& shape, double turnDeg, double& dx, double& dy) {
  const double a = turnDeg * std::numbers::pi / 180, c = std::cos(a), s = std::sin(a);
  dx = shape.Shadow.DxPx * c - shape.Shadow.DyPx * s;
  dy = shape.Shadow.DxPx * s + shape.Shadow.DyPx * c;
}

std::string AppendDuotoneFilter(std::string& defs, const TDuotone& tone, const std::string& id) {
  const std::string filterId = id + "_duotone";
  defs += "<filter id=\"" + filterId +
          "\" color-interpolation-filters=\"sRGB\"><feColorMatrix type=\"matrix\" values=\""
          "0.299 0.587 0.114 0 0 0.299 0.587 0.114 0 0 0.299 0.587 0.114 0 0 0 0 0 1 0\"/><feComponentTransfer>";
  for (int channel = 0; channel < 3; ++channel) {
    defs += "<feFunc";
    defs += "RGB"[channel];
    defs += " type=\"table\" tableValues=\"";
    AppendNum(defs, ((tone.Dark >> (8 * channel)) & 0xFF) / 255.0);
    defs += ' ';
    AppendNum(defs, ((tone.Light >> (8 * channel)) & 0xFF) / 255.0);
    defs += "\"/>";
  }
  defs += "</feComponentTransfer></filter>";
  return " filter=\"url(#" + filterId + ")\"";
}

void AppendPictureUse(std::string& out, const std::string& id, double left, double top, double width, double height) {
  out += "<use href=\"#" + id + "\" transform=\"translate(";
  AppendNum(out, left);
  out += ' ';
  AppendNum(out, top);
  out += ") scale(";
  AppendNum(out, width);
  out += ' ';
  AppendNum(out, height);
  out += ")\"/>";
}

double StrokeWidthPx(const TPPTXShape& shape) { return std::max(shape.LineWidthPt * kPxPerPt, 0.5); }

TSvgPaint ShapePaint(const TPPTXShape& shape, const TSvgBox& box, const std::string& idBase, TRenderContext& context,
                     bool withMarkers) {
  TSvgPaint paint;
  std::string& fill = paint.FillAttributes;
  fill += " fill=\"";
  // A shape built with only the solid colour fields is painted with them.
  fill += FillValue(shape.Fill.Kind == kFillNone && shape.HasFill ? SolidFill(shape.FillColor) : shape.Fill, box,
                    idBase + "_fill", paint.Defs, context);
  fill += '"';
  // A pattern carries its two colours' opacities in its cell.
  if (shape.Fill.Opacity < 1 && shape.Fill.Pattern.empty()) AppendAttr(fill, "fill-opacity", shape.Fill.Opacity);
  std::string& stroke = paint.StrokeAttributes;
  stroke += " stroke=\"";
  if (!shape.HasLine) {
    stroke += "none\" stroke-width=\"0\"";
  } else {
    const std::string color = ColorToHex(shape.LineColor);
    stroke += color;
    stroke += '"';
    const double width = StrokeWidthPx(shape);
    AppendAttr(stroke, "stroke-width", width);
    if (shape.LineOpacity < 1) AppendAttr(stroke, "stroke-opacity", shape.LineOpacity);
    AppendDashArray(stroke, shape.LineDash, width);
    if (withMarkers) {
      for (auto [end, suffix, attribute] : {std::tuple{&shape.LineHead, "_head", "marker-start"},
                                            std::tuple{&shape.LineTail, "_tail", "marker-end"}}) {
        if (end->Type.empty()) continue;
        AppendMarker(paint.Defs, *end, idBase + suffix, color);
        stroke += ' ';
        stroke += attribute;
        stroke += "=\"url(#" + idBase + suffix + ")\"";
      }
    }
  }
  paint.Attributes = paint.FillAttributes + paint.StrokeAttributes;
  return paint;
}

std::string BackgroundElement(const TPPTXFill& fill, double width, double height, const std::string& id,
                              TRenderContext& context) {
  if (fill.Kind != kFillGradient && fill.Kind != kFillPicture) return "";
  std::string defs;
  const std::string value = FillValue(fill, {0, 0, width, height}, id, defs, context);
  if (defs.empty()) return "";
  std::string out = "<defs>" + defs + "</defs><rect x=\"0\" y=\"0\"";
  AppendAttr(out, "width", width);
  AppendAttr(out, "height", height);
  if (fill.Opacity < 1) AppendAttr(out, "fill-opacity", fill.Opacity);
  out += " fill=\"" + value + "\"/>";
  return out;
}

}  // namespace tarvik
