// Fills, lines and the theme's style matrix.
#include "pptx/fill.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

#include "pptx/picture_info.h"
#include "pptx/xml_helpers.h"

namespace tarvik {

double BlipOpacity(pugi::xml_node blip) {
  pugi::xml_node fix = FindChildNode(blip, "alphaModFix");
  if (!fix) return 1;
  return std::clamp(GetAttrInt64(fix, "amt", 100000) / 100000.0, 0.0, 1.0);
}

namespace {

// More than a deck needs; a longer list is hostile and only costs time.
constexpr size_t kMaxGradientStops = 64;
constexpr double kEmuPerInch = 914400;
// A tile is kept between a pixel and the largest slide: smaller ones would
// have the browser draw millions, larger ones are one picture anyway.
constexpr int64_t kMinTileEmu = 9525;
constexpr int64_t kMaxTileEmu = int64_t{kMaxPx} * 9525;

// The colour map with phClr set, when the caller has a colour for it.
struct TColorScope {
  TColorScope(const ThemeColorMap* colors, const TColor* placeholder) : Map(colors) {
    if (!placeholder) return;
    Copy = colors ? *colors : ThemeColorMap();
    (*Copy)["phclr"] = *placeholder;
    Map = &*Copy;
  }
  const ThemeColorMap* Map;
  std::optional<ThemeColorMap> Copy;
};

bool ReadGradient(pugi::xml_node gradFill, const ThemeColorMap* colors, TPPTXFill& fill) {
  std::vector<pugi::xml_node> stops;
  FindChildNodes(FindChildNode(gradFill, "gsLst"), "gs", stops);
  for (pugi::xml_node gs : stops) {
    if (fill.Stops.size() >= kMaxGradientStops) break;
    TGradientStop stop;
    pugi::xml_node color = gs.first_child();
    if (!ReadColor(color, colors, stop.Color)) continue;
    stop.PositionPct = std::clamp(GetAttrInt64(gs, "pos", 0) / 1000.0, 0.0, 100.0);
    stop.Opacity = ColorAlpha(color);
    fill.Stops.push_back(stop);
  }
  if (fill.Stops.empty()) return false;
  std::stable_sort(fill.Stops.begin(), fill.Stops.end(),
                   [](const TGradientStop& a, const TGradientStop& b) { return a.PositionPct < b.PositionPct; });
  fill.Kind = kFillGradient;
  fill.Color = fill.Stops.front().Color;
  if (pugi::xml_node lin = FindChildNode(gradFill, "lin")) {
    fill.AngleDeg = static_cast<double>(GetAttrInt64(lin, "ang", 0) % 21600000) / 60000.0;
  } else if (FindChildNode(gradFill, "path")) {
    fill.Radial = true;
  }
  return true;
}

// The n-th (1-based) element child of list; empty when there is none.
pugi::xml_node NthElement(pugi::xml_node list, int64_t n) {
  for (pugi::xml_node child = list.first_child(); child; child = child.next_sibling()) {
    if (child.type() != pugi::node_element) continue;
    if (--n == 0) return child;
  }
  return {};
}

// scale in thousandths of a percent; a negative one is taken as its size.
int64_t TileSideEmu(int32_t pixels, double dpi, int64_t scale) {
  const double emu = pixels * kEmuPerInch / dpi * std::fabs(static_cast<double>(scale)) / 100000.0;
  return std::clamp(static_cast<int64_t>(std::llround(std::min(emu, 1e15))), kMinTileEmu, kMaxTileEmu);
}

// How the picture repeats. Its size comes from its own header, so that a
// picture that cannot be read leaves the tile sizeless, to be stretched.
void ReadTile(pugi::xml_node tile, TPPTXFill& fill) {
  static const struct {
    const char* Name;
    double X, Y;
  } kAnchors[] = {{"tl", 0, 0}, {"t", 0.5, 0}, {"tr", 1, 0},   {"l", 0, 0.5}, {"ctr", 0.5, 0.5},
                  {"r", 1, 0.5}, {"bl", 0, 1}, {"b", 0.5, 1}, {"br", 1, 1}};
  fill.Tile = true;
  const std::string algn = GetAttrText(tile, "algn", "tl");
  for (const auto& anchor : kAnchors) {
    if (algn != anchor.Name) continue;
    fill.TileAnchorX = anchor.X;
    fill.TileAnchorY = anchor.Y;
  }
  const std::string flip = GetAttrText(tile, "flip", "none");
  fill.TileFlipX = flip == "x" || flip == "xy";
  fill.TileFlipY = flip == "y" || flip == "xy";
  fill.TileOffsetXEmu = std::clamp<int64_t>(GetAttrInt64(tile, "tx", 0), -kMaxTileEmu, kMaxTileEmu);
  fill.TileOffsetYEmu = std::clamp<int64_t>(GetAttrInt64(tile, "ty", 0), -kMaxTileEmu, kMaxTileEmu);
  TPictureInfo picture;
  if (!ReadPictureInfo(fill.PictureFile, picture)) return;
  fill.TileWidthEmu = TileSideEmu(picture.WidthPx, picture.DpiX, GetAttrInt64(tile, "sx", 100000));
  fill.TileHeightEmu = TileSideEmu(picture.HeightPx, picture.DpiY, GetAttrInt64(tile, "sy", 100000));
}

bool ReadPicture(pugi::xml_node blipFill, const ThemeColorMap* colors, const RelationshipMap* rels,
                 TPPTXFill& fill) {
  pugi::xml_node blip = FindChildNode(blipFill, "blip");
  const std::string id = GetAttrText(blip, "embed");
  const std::string* target = rels && !id.empty() ? rels->Find(id) : nullptr;
  if (!target) return false;
  fill.Kind = kFillPicture;
  fill.PictureFile = *target;
  if (pugi::xml_node tile = FindChildNode(blipFill, "tile")) ReadTile(tile, fill);
  fill.Opacity = BlipOpacity(blip);
  // Themes tint one grey texture with their colours through a duotone.
  fill.Duotone = ReadDuotone(blip, colors);
  return true;
}

// One fill element (noFill, solidFill, pattFill, gradFill, blipFill); false
// for anything else, or for one that names nothing usable.
bool ReadFillElement(pugi::xml_node element, const ThemeColorMap* colors, const RelationshipMap* rels,
                     TPPTXFill& fill) {
  TPPTXFill read;
  if (IsElementNamed(element, "noFill")) {
    fill = read;
    return true;
  }
  if (IsElementNamed(element, "solidFill") || IsElementNamed(element, "pattFill")) {
    pugi::xml_node color = IsElementNamed(element, "solidFill") ? element.first_child()
                                                                 : FindChildNode(element, "fgClr").first_child();
    if (!ReadColor(color, colors, read.Color)) return false;
    read.Kind = kFillSolid;
    read.Opacity = ColorAlpha(color);
    if (IsElementNamed(element, "pattFill")) {
      read.Pattern = GetAttrText(element, "prst");
      pugi::xml_node background = FindChildNode(element, "bgClr").first_child();
      if (ReadColor(background, colors, read.PatternBackground))
        read.PatternBackgroundOpacity = ColorAlpha(background);
      else
        read.PatternBackground = 0xFFFFFF;
    }
  } else if (IsElementNamed(element, "gradFill")) {
    if (!ReadGradient(element, colors, read)) return false;
  } else if (IsElementNamed(element, "blipFill")) {
    if (!ReadPicture(element, colors, rels, read)) return false;
  } else {
    return false;
  }
  fill = std::move(read);
  return true;
}

bool ReferenceColor(pugi::xml_node reference, const TPaintContext& ctx, TColor& color) {
  return ReadColor(reference.first_child(), ctx.Colors, color);
}

TLineEnd ReadLineEnd(pugi::xml_node end) {
  TLineEnd read;
  read.Type = GetAttrText(end, "type");
  if (SameText(read.Type, "none")) read.Type.clear();
  auto size = [](const std::string& value) { return value == "sm" ? 0 : (value == "lg" ? 2 : 1); };
  read.Width = size(GetAttrText(end, "w", "med"));
  read.Length = size(GetAttrText(end, "len", "med"));
  return read;
}

}  // namespace

bool ReadFill(pugi::xml_node element, const TPaintContext& ctx, TPPTXFill& fill, const TColor* placeholderColor) {
  TColorScope scope(ctx.Colors, placeholderColor);
  for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling())
    if (ReadFillElement(child, scope.Map, ctx.Rels, fill)) return true;
  return false;
}

bool ReadFillReference(pugi::xml_node reference, const TPaintContext& ctx, TPPTXFill& fill) {
  if (!reference) return false;
  const int64_t idx = GetAttrInt64(reference, "idx", 0);
  if (idx <= 0) {
    fill = TPPTXFill();
    return true;
  }
  TColor color = 0;
  const bool hasColor = ReferenceColor(reference, ctx, color);
  pugi::xml_node list = FindChildNode(ctx.Formats, idx >= 1001 ? "bgFillStyleLst" : "fillStyleLst");
  TColorScope scope(ctx.Colors, hasColor ? &color : nullptr);
  return ReadFillElement(NthElement(list, idx >= 1001 ? idx - 1000 : idx), scope.Map, ctx.FormatRels, fill);
}

void ReadLineStyle(pugi::xml_node ln, pugi::xml_node lnRef, const TPaintContext& ctx, TPPTXShape& shape) {
  const int64_t idx = GetAttrInt64(lnRef, "idx", 0);
  pugi::xml_node themed = idx > 0 ? NthElement(FindChildNode(ctx.Formats, "lnStyleLst"), idx) : pugi::xml_node();
  if (!ln && !themed) return;
  TColor refColor = 0;
  const bool hasRefColor = ReferenceColor(lnRef, ctx, refColor);

  pugi::xml_attribute width = FindAttr(ln, "w");
  if (!width) width = FindAttr(themed, "w");
  int64_t emu = 0;
  if (!TryParseInt64(width.value(), emu) || emu < 0) emu = 0;
  shape.LineWidthPt = static_cast<double>(emu) / 12700.0;

  TPPTXFill fill;
  const bool own = ReadFill(ln, ctx, fill);
  if (own || ReadFill(themed, ctx, fill, hasRefColor ? &refColor : nullptr)) {
    TColor color = 0;
    shape.HasLine = SolidColorOf(fill, color);
    if (shape.HasLine) {
      shape.LineColor = color;
      shape.LineOpacity = fill.Opacity;
    }
  }
  pugi::xml_node dash = FindChildNode(ln, "prstDash");
  if (!dash) dash = FindChildNode(themed, "prstDash");
  shape.LineDash = GetAttrText(dash, "val");
  for (auto [name, end] : {std::pair{"headEnd", &shape.LineHead}, {"tailEnd", &shape.LineTail}}) {
    pugi::xml_node node = FindChildNode(ln, name);
    *end = ReadLineEnd(node ? node : FindChildNode(themed, name));
  }
}

bool SolidColorOf(const TPPTXFill& fill, TColor& color) {
  if (fill.Kind != kFillSolid && fill.Kind != kFillGradient) return false;
  color = fill.Color;
  return true;
}

TShadow ReadOuterShadow(pugi::xml_node effectLst, const ThemeColorMap* colors) {
  pugi::xml_node outer = FindChildNode(effectLst, "outerShdw");
  TShadow shadow;
  pugi::xml_node color = outer.first_child();
  if (!outer || !ReadColor(color, colors, shadow.Color)) return shadow;
  // Offsets and blurs past a slide's width are damage, not design.
  auto length = [&](const char* name) {
    return EmuToPxExact(std::clamp<int64_t>(GetAttrInt64(outer, name, 0), 0, 100'000'000));
  };
  const double dist = length("dist"), dir = static_cast<double>(GetAttrInt64(outer, "dir", 0)) / 60000.0;
  shadow.BlurPx = length("blurRad");
  shadow.DxPx = dist * std::cos(dir * std::numbers::pi / 180);
  shadow.DyPx = dist * std::sin(dir * std::numbers::pi / 180);
  shadow.Opacity = ColorAlpha(color);
  shadow.TurnsWithShape = GetAttrText(outer, "rotWithShape", "1") != "0";
  shadow.Used = shadow.Opacity > 0;
  return shadow;
}

TGlow ReadGlow(pugi::xml_node effectLst, const ThemeColorMap* colors) {
  pugi::xml_node glow = FindChildNode(effectLst, "glow");
  TGlow out;
  pugi::xml_node color = glow.first_child();
  if (!glow || !ReadColor(color, colors, out.Color)) return out;
  out.RadiusPx = EmuToPxExact(std::clamp<int64_t>(GetAttrInt64(glow, "rad", 0), 0, 100'000'000));
  out.Opacity = ColorAlpha(color);
  out.Used = out.Opacity > 0 && out.RadiusPx > 0;
  return out;
}

namespace {

// What read finds in spPr's own effect list or, without one, in the theme
// effect style that effectRef picks, with phClr the reference's colour.
template <class TEffect, class TRead>
TEffect ReadShapeEffect(pugi::xml_node spPr, pugi::xml_node effectRef, const TPaintContext& ctx, TRead read) {
  if (pugi::xml_node own = FindChildNode(spPr, "effectLst")) return read(own, ctx.Colors);
  // A shape drawn by an effect graph has effects this reader does not follow.
  const int64_t idx = FindChildNode(spPr, "effectDag") ? 0 : GetAttrInt64(effectRef, "idx", 0);
  if (idx <= 0) return TEffect();
  TColor refColor = 0;
  const bool hasRefColor = ReferenceColor(effectRef, ctx, refColor);
  TColorScope scope(ctx.Colors, hasRefColor ? &refColor : nullptr);
  return read(FindChildNode(NthElement(FindChildNode(ctx.Formats, "effectStyleLst"), idx), "effectLst"), scope.Map);
}

}  // namespace

TShadow ReadShadow(pugi::xml_node spPr, pugi::xml_node effectRef, const TPaintContext& ctx) {
  return ReadShapeEffect<TShadow>(spPr, effectRef, ctx, ReadOuterShadow);
}

TGlow ReadShapeGlow(pugi::xml_node spPr, pugi::xml_node effectRef, const TPaintContext& ctx) {
  return ReadShapeEffect<TGlow>(spPr, effectRef, ctx, ReadGlow);
}

TDuotone ReadDuotone(pugi::xml_node blip, const ThemeColorMap* colors) {
  TDuotone tone;
  pugi::xml_node duotone = FindChildNode(blip, "duotone");
  tone.Used = duotone && ReadColor(NthElement(duotone, 1), colors, tone.Dark) &&
              ReadColor(NthElement(duotone, 2), colors, tone.Light);
  return tone;
}

}  // namespace tarvik
