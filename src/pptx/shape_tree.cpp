// The shape tree walk and the building of one shape per drawable element.
#include "pptx/shape_tree.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <memory>

#include "platform/error.h"
#include "platform/files.h"
#include "pptx/chart.h"
#include "pptx/diagram_fallback.h"
#include "pptx/fill.h"
#include "pptx/geometry.h"
#include "pptx/table.h"
#include "pptx/text_body.h"
#include "pptx/xml_helpers.h"

namespace tarvik {

namespace {

struct TGroupEffects {
  TShadow Shadow;
  TGlow Glow;
};

struct TWalkContext {
  const RelationshipMap& Rels;
  const ThemeColorMap* Colors;
  const TSlideInheritance& Inherited;
  TPaintContext Paint;
  bool ArtOnly = false;  // a layout's or master's tree: its shapes but not its placeholders
  // The shadow and glow of the groups the walk is inside, which each shape
  // without effects of its own takes: one per shape where the group has one
  // for them all, alike but where they overlap.
  TGroupEffects GroupEffects = {};
};

// txBody/lstStyle and bodyPr of a layout's or master's placeholder.
void InheritFromPlaceholder(const TPlaceholderInfo* match, TTextInheritance& text) {
  if (!match) return;
  pugi::xml_node body = FindChildNode(match->Element, "txBody");
  text.ListStyles.push_back(FindChildNode(body, "lstStyle"));
  text.BodyProperties.push_back(FindChildNode(body, "bodyPr"));
}

// Where an sp's text inherits from: a placeholder from its layout's and
// master's placeholders, then the master's title style (title, ctrTitle),
// body style (body, subTitle, obj, or no type) or other style (dt, ftr,
// sldNum ...), then the presentation's defaults; any other shape from the
// presentation's defaults, then the master's other style.
TTextInheritance TextInheritanceOf(pugi::xml_node element, pugi::xml_node ph, const TSlideInheritance& slide) {
  TTextInheritance text;
  text.SlideNumber = slide.SlideNumber;
  text.Clock = slide.Clock;
  text.FontRef = FindChildNode(FindChildNode(element, "style"), "fontRef");
  std::string styleName = "otherStyle";
  if (ph) {
    TPlaceholderMatch match = MatchPlaceholder(slide.Placeholders, ph);
    InheritFromPlaceholder(match.Layout, text);
    InheritFromPlaceholder(match.Master, text);
    // An idx-only placeholder is what its layout's placeholder is.
    std::string type = FindAttr(ph, "type") ? PlaceholderMatchType(ph) : (match.Layout ? match.Layout->Type : "body");
    text.Title = type == "title";
    // Dates, footers, slide numbers and the like are not body text.
    if (text.Title) styleName = "titleStyle";
    else if (type == "body" || type == "obj") styleName = "bodyStyle";
  }
  // A text box takes the presentation's defaults before the master's other
  // style, as Office and LibreOffice both draw it.
  if (ph) {
    text.ListStyles.push_back(FindChildNode(slide.MasterTextStyles, styleName));
    text.ListStyles.push_back(slide.DefaultTextStyle);
  } else {
    text.ListStyles.push_back(slide.DefaultTextStyle);
    text.ListStyles.push_back(FindChildNode(slide.MasterTextStyles, styleName));
  }
  return text;
}

// "1" only; "true" and anything else read as false.
void ReadFlips(pugi::xml_node element, TPPTXShape& shape) {
  pugi::xml_node xfrm = FindDescendantNode(element, "xfrm");
  shape.FlipH = GetAttrText(xfrm, "flipH", "0") == "1";
  shape.FlipV = GetAttrText(xfrm, "flipV", "0") == "1";
}

// The shape's own fill and outline, and what its style references pick
// from the theme where it has none of its own.
void ReadPaint(pugi::xml_node element, pugi::xml_node spPr, const TWalkContext& ctx, TPPTXShape& shape) {
  pugi::xml_node style = FindChildNode(element, "style");
  if (ReadFill(spPr, ctx.Paint, shape.Fill) || ReadFillReference(FindChildNode(style, "fillRef"), ctx.Paint, shape.Fill)) {
    TColor color = 0;
    shape.HasFill = SolidColorOf(shape.Fill, color);
    if (shape.HasFill) shape.FillColor = color;
  }
  ReadLineStyle(FindChildNode(spPr, "ln"), FindChildNode(style, "lnRef"), ctx.Paint, shape);
}

const std::string* MappedTarget(const RelationshipMap& rels, const std::string& id) {
  return id.empty() ? nullptr : rels.Find(id);
}

void ReadPicture(pugi::xml_node element, const RelationshipMap& rels, const ThemeColorMap* colors, TPPTXShape& shape) {
  pugi::xml_node nvPr = FindDescendantNode(element, "nvPr");
  pugi::xml_node video = FindDescendantNode(nvPr, "videoFile");
  if (!video) video = FindDescendantNode(nvPr, "quickTimeFile");
  pugi::xml_node audio = video ? pugi::xml_node() : FindDescendantNode(nvPr, "audioFile");
  if (!video && !audio) audio = FindDescendantNode(nvPr, "wavAudioFile");
  shape.Kind = video ? skVideo : (audio ? skAudio : skImage);

  pugi::xml_node blipFill = FindChildNode(element, "blipFill");
  pugi::xml_node blip = FindChildNode(blipFill, "blip");
  if (pugi::xml_node srcRect = FindChildNode(blipFill, "srcRect")) {
    shape.CropLeft = GetAttrInt32(srcRect, "l", 0);
    shape.CropTop = GetAttrInt32(srcRect, "t", 0);
    shape.CropRight = GetAttrInt32(srcRect, "r", 0);
    shape.CropBottom = GetAttrInt32(srcRect, "b", 0);
  }
  ReadFlips(element, shape);

  shape.PictureOpacity = BlipOpacity(blip);
  shape.PictureDuotone = ReadDuotone(blip, colors);
  if (blip) {
    if (const std::string* target = MappedTarget(rels, GetAttrText(blip, "embed"))) {
      if (shape.Kind == skImage) shape.MediaFile = *target;
      else shape.PosterImage = *target;
    }
  }
  if (pugi::xml_node media = video ? video : audio) {
    std::string id = GetAttrText(media, "link");
    if (id.empty()) id = GetAttrText(media, "embed");
    if (const std::string* target = MappedTarget(rels, id)) shape.MediaFile = *target;
  }
}

void ReadSp(pugi::xml_node element, pugi::xml_node spPr, const TWalkContext& ctx, TPPTXShape& shape) {
  pugi::xml_node txBody = FindChildNode(element, "txBody");
  pugi::xml_node ph = FindDescendantNode(FindChildNode(element, "nvSpPr"), "ph");
  std::string type = GetAttrText(ph, "type");
  shape.IsTitle = SameText(type, "title") || SameText(type, "ctrTitle") || SameText(type, "subTitle");
  shape.ThemeFontRole = shape.IsTitle ? 1 : 2;
  ParseTextBody(txBody, TextInheritanceOf(element, ph, ctx.Inherited), {ctx.Colors, ctx.Inherited.Fonts}, shape);

  shape.GeometryKind = PresetGeometryKind(GetAttrText(FindChildNode(spPr, "prstGeom"), "prst"));
  shape.Kind = TrimControl(shape.PlainText()).empty() ? shape.GeometryKind : skText;

  ReadPaint(element, spPr, ctx, shape);
  // An arrow flipped to point back is a common "previous" button; text in
  // a flipped shape stays readable and only its text rectangle mirrors.
  ReadFlips(element, shape);
}

// The outline of an sp's, cxnSp's or pic's geometry, at the shape's final
// pixel size: its preset with the adjust values of avLst ("val N"
// formulas), or its custom geometry.
void ReadGeometry(pugi::xml_node spPr, TPPTXShape& shape) {
  const double width = shape.WidthPx(), height = shape.HeightPx();
  if (pugi::xml_node preset = FindChildNode(spPr, "prstGeom")) {
    std::map<std::string, double> adjust;
    std::vector<pugi::xml_node> guides;
    FindChildNodes(FindChildNode(preset, "avLst"), "gd", guides);
    for (pugi::xml_node gd : guides) {
      std::string formula = GetAttrText(gd, "fmla");
      int64_t value = 0;
      if (formula.starts_with("val ") && TryParseInt64(TrimControl(std::string_view(formula).substr(4)), value))
        adjust[GetAttrText(gd, "name")] = static_cast<double>(value);
    }
    PresetGeometry(GetAttrText(preset, "prst"), adjust, width, height, shape.Geometry);
  } else if (pugi::xml_node custom = FindChildNode(spPr, "custGeom")) {
    CustomGeometry(custom, width, height, shape.Geometry);
  }
}

// Puts a shape whose box is xfrm in its group's child space onto the slide
// through every enclosing group, and records its groups.
void PlaceShape(TPPTXShape& shape, const TShapeXfrm& xfrm, const GroupXformStack& xforms, const GroupNameStack& names) {
  double rotation = xfrm.RotDeg;
  TRect64 rect = ApplyGroupStack(xforms, xfrm.X, xfrm.Y, xfrm.Cx, xfrm.Cy, rotation);
  shape.XEmu = rect.X;
  shape.YEmu = rect.Y;
  shape.WEmu = rect.W;
  shape.HEmu = rect.H;
  shape.RotationDeg = rotation;
  shape.GroupDepth = static_cast<int32_t>(names.size());
  shape.GroupPath.clear();
  for (size_t i = 0; i < names.size(); ++i) {
    if (i) shape.GroupPath += '/';
    shape.GroupPath += names[i];
  }
}

// A diagram's drawn shape keeps its text in a box of its own (txXfrm): the
// text rectangle, in the shape's pixels, and the box's turn on top of the
// shape's. Consumers turn the rectangle about the shape's centre by both
// turns, so it sits where that turn brings it onto the box's own centre: a
// shape turned a quarter with its text turned back reads level. A group's
// stretch reaches the box along its own axes, not the shape's.
void PlaceTextBox(TPPTXShape& shape, const TShapeXfrm& box, const TShapeXfrm& text) {
  if (box.Cx <= 0 || box.Cy <= 0 || text.Cx <= 0 || text.Cy <= 0) return;
  double gx = shape.WidthPx() / static_cast<double>(box.Cx), gy = shape.HeightPx() / static_cast<double>(box.Cy);
  if (Crossways(shape.RotationDeg)) std::swap(gx, gy);
  const bool across = Crossways(shape.RotationDeg + text.RotDeg);
  const double w = static_cast<double>(text.Cx) * (across ? gy : gx);
  const double h = static_cast<double>(text.Cy) * (across ? gx : gy);
  // In doubles: a damaged deck's offsets may lie a whole 64-bit range apart.
  auto centreGap = [](int64_t at, int64_t size, int64_t boxAt, int64_t boxSize) {
    return static_cast<double>(at) - static_cast<double>(boxAt) +
           (static_cast<double>(size) - static_cast<double>(boxSize)) / 2;
  };
  const double dx = centreGap(text.X, text.Cx, box.X, box.Cx) * gx;
  const double dy = centreGap(text.Y, text.Cy, box.Y, box.Cy) * gy;
  const double back = -(box.RotDeg + text.RotDeg) * std::numbers::pi / 180;
  const double cx = shape.WidthPx() / 2.0 + dx * std::cos(back) - dy * std::sin(back);
  const double cy = shape.HeightPx() / 2.0 + dx * std::sin(back) + dy * std::cos(back);
  shape.Geometry.TextLeft = cx - w / 2;
  shape.Geometry.TextTop = cy - h / 2;
  shape.Geometry.TextRight = cx + w / 2;
  shape.Geometry.TextBottom = cy + h / 2;
  shape.TextRotationDeg += text.RotDeg;
}

std::unique_ptr<TPPTXShape> BuildShape(pugi::xml_node element, std::string_view name, const TWalkContext& ctx,
                                       const GroupXformStack& xforms, const GroupNameStack& names) {
  auto shape = std::make_unique<TPPTXShape>();
  shape->Name = GetAttrText(FindDescendantNode(element, "cNvPr"), "name", std::string(name));

  TShapeXfrm xfrm;
  if (name == "graphicFrame") {
    xfrm = ReadShapeXfrm(FindDescendantNode(element, "xfrm"));
    shape->Kind = skOther;
  } else {
    pugi::xml_node spPr = FindChildNode(element, "spPr");
    pugi::xml_node ownXfrm = FindChildNode(spPr, "xfrm");
    xfrm = ReadShapeXfrm(ownXfrm);
    if (!ownXfrm && name != "cxnSp") {
      pugi::xml_node nv = FindChildNode(element, name == "pic" ? "nvPicPr" : "nvSpPr");
      if (pugi::xml_node ph = FindDescendantNode(nv, "ph"))
        FindPlaceholderXfrm(ctx.Inherited.Placeholders, ph, xfrm);
    }
    if (name == "pic") {
      ReadPicture(element, ctx.Rels, ctx.Paint.Colors, *shape);
    } else if (name == "cxnSp") {
      shape->Kind = skLine;
      ReadLineStyle(FindChildNode(spPr, "ln"), FindChildNode(FindChildNode(element, "style"), "lnRef"), ctx.Paint,
                    *shape);
      ReadFlips(element, *shape);
    } else {
      ReadSp(element, spPr, ctx, *shape);
    }
  }

  PlaceShape(*shape, xfrm, xforms, names);
  if (name != "graphicFrame") {
    ReadGeometry(FindChildNode(element, "spPr"), *shape);
    pugi::xml_node effectRef = FindChildNode(FindChildNode(element, "style"), "effectRef");
    shape->Shadow = ReadShadow(FindChildNode(element, "spPr"), effectRef, ctx.Paint);
    shape->Glow = ReadShapeGlow(FindChildNode(element, "spPr"), effectRef, ctx.Paint);
  }
  if (pugi::xml_node text = FindChildNode(element, "txXfrm")) PlaceTextBox(*shape, xfrm, ReadShapeXfrm(text));
  return shape;
}

// The prefixes of the extensions whose content this reader reads as plain
// DrawingML (it ignores their additions); a Choice that requires any other
// (charts of the 2016 kinds, ink, 3D models) gives way to its Fallback.
bool ReadableChoice(pugi::xml_node choice) {
  static const char* const kKnown[] = {"a14", "p14", "p15", "a15", "a16", "p16", "thm15", "p159", "p1710"};
  std::string needed = GetAttrText(choice, "Requires");
  size_t start = 0;
  bool any = false;
  while (start < needed.size()) {
    size_t end = needed.find(' ', start);
    if (end == std::string::npos) end = needed.size();
    std::string_view prefix(needed.data() + start, end - start);
    if (!prefix.empty()) {
      any = true;
      if (std::none_of(std::begin(kKnown), std::end(kKnown), [&](const char* k) { return prefix == k; }))
        return false;
    }
    start = end + 1;
  }
  return any;
}

// mc:AlternateContent: its first readable Choice, else its Fallback. Ink
// (contentPart) is not drawn here, so a Choice of ink gives way to the
// Fallback's picture of it.
pugi::xml_node ChosenContent(pugi::xml_node alternate) {
  for (pugi::xml_node child = alternate.first_child(); child; child = child.next_sibling())
    if (IsElementNamed(child, "Choice") && ReadableChoice(child) && !FindChildNode(child, "contentPart")) return child;
  return FindChildNode(alternate, "Fallback");
}

void Walk(pugi::xml_node container, TPPTXSlide& slide, const TWalkContext& ctx, GroupXformStack& xforms,
          GroupNameStack& names);

// A graphic frame's table as its cells and borders, in a group named after the frame.
void ExpandTableFrame(pugi::xml_node tbl, const std::string& frameName, const TShapeXfrm& frame, TPPTXSlide& slide,
                      const TWalkContext& ctx, const GroupXformStack& xforms, GroupNameStack& names) {
  TTableContext table{ctx.Paint, {ctx.Colors, ctx.Inherited.Fonts}, {}, ctx.Inherited.TableStyles};
  table.ListStyles = {ctx.Inherited.DefaultTextStyle, FindChildNode(ctx.Inherited.MasterTextStyles, "otherStyle")};
  names.push_back(frameName);
  for (TTablePiece& piece : ExpandTable(tbl, frame.X, frame.Y, table)) {
    PlaceShape(*piece.Shape, piece.Box, xforms, names);
    piece.Shape->Inherited = ctx.ArtOnly;
    piece.Shape->FromFrame = true;
    slide.Shapes.push_back(std::move(piece.Shape));
  }
  names.pop_back();
}

// A SmartArt frame drawn from the shapes its drawing part holds ready: the
// data part names that part (dataModelExt), and its shapes lie in the
// frame's space. False when any part is missing or unreadable.
bool ExpandDiagramFrame(pugi::xml_node graphicData, const std::string& frameName, const TShapeXfrm& frame,
                        TPPTXSlide& slide, const TWalkContext& ctx, GroupXformStack& xforms, GroupNameStack& names) {
  const std::string* dataPath = ctx.Rels.Find(GetAttrText(FindChildNode(graphicData, "relIds"), "dm"));
  if (!dataPath) return false;
  std::unique_ptr<TXmlPart> drawing;
  RelationshipMap drawingRels;
  try {
    auto data = LoadXmlDocument(*dataPath);
    const std::string* drawingPath =
        ctx.Rels.Find(GetAttrText(FindDescendantNode(data->Root(), "dataModelExt"), "relId"));
    if (drawingPath) {
      drawing = LoadXmlDocument(*drawingPath);
      drawingRels = LoadRelationships(ExtractFileDir(*drawingPath), ExtractFileName(*drawingPath),
                                      ctx.Inherited.ExtractFolder);
    }
    // Without shapes drawn ahead, the text of the data part still shows.
    if (!drawing || IsEmptyDiagramDrawing(drawing->Root())) drawing = BuildDiagramFallback(data->Root(), frame.Cx, frame.Cy);
    if (!drawing) return false;
  } catch (const ETarvikError&) {
    return false;  // a broken diagram is drawn as its frame, not a failed deck
  }
  TGroupXform group;
  group.OffX = frame.X;
  group.OffY = frame.Y;
  group.ExtCx = group.ChExtCx = frame.Cx;
  group.ExtCy = group.ChExtCy = frame.Cy;
  TWalkContext drawingCtx{drawingRels, ctx.Colors, ctx.Inherited, ctx.Paint, ctx.ArtOnly, ctx.GroupEffects};
  drawingCtx.Paint.Rels = &drawingRels;
  xforms.push_back(group);
  names.push_back(frameName);
  const size_t first = slide.Shapes.size();
  try {
    pugi::xml_node root = drawing->Root();
    Walk(IsElementNamed(root, "spTree") ? root : FindDescendantNode(root, "spTree"), slide, drawingCtx, xforms, names);
  } catch (...) {
    xforms.pop_back();
    names.pop_back();
    throw;
  }
  xforms.pop_back();
  names.pop_back();
  for (size_t i = first; i < slide.Shapes.size(); ++i) slide.Shapes[i]->FromFrame = true;
  return true;
}

// An embedded object saved without a DrawingML preview keeps it in the
// slide's legacy VML drawing: the v:shape whose id, or whose o:spid where
// the id is the object's name, is the object's spid names the picture
// through the drawing's own relationships.
std::string LegacyPreview(const std::string& spid, const TWalkContext& ctx) {
  const std::string vmlPath = ctx.Rels.FindInternalByType("/vmlDrawing");
  if (spid.empty() || vmlPath.empty()) return "";
  try {
    auto vml = LoadXmlDocument(vmlPath);
    for (pugi::xml_node shape : vml->Root().children()) {
      if (!IsElementNamed(shape, "shape") || (GetAttrText(shape, "id") != spid && GetAttrText(shape, "spid") != spid))
        continue;
      RelationshipMap rels =
          LoadRelationships(ExtractFileDir(vmlPath), ExtractFileName(vmlPath), ctx.Inherited.ExtractFolder);
      const std::string* picture = rels.Find(GetAttrText(FindChildNode(shape, "imagedata"), "relid"));
      return picture && FileExists(*picture) ? *picture : "";
    }
  } catch (const ETarvikError&) {
    // a drawing that is no XML leaves the object as its frame
  }
  return "";
}

// A chart frame drawn from its chart part's cached values, in a group named
// after the frame; a chart it cannot read or draw becomes a labelled box.
void ExpandChartFrame(pugi::xml_node chart, const std::string& frameName, const TShapeXfrm& frame, TPPTXSlide& slide,
                      const TWalkContext& ctx, const GroupXformStack& xforms, GroupNameStack& names) {
  TChartContext chartCtx{ctx.Paint, {ctx.Colors, ctx.Inherited.Fonts}};
  const RelationshipMap::TTarget* target = ctx.Rels.FindTarget(GetAttrText(chart, "id"));
  std::unique_ptr<TXmlPart> part;
  RelationshipMap chartRels;
  ThemeColorMap overrideColors;
  TThemeFonts overrideFonts;
  TChartData data;
  std::vector<TChartPiece> pieces;
  if (target && !target->External && target->Type.ends_with("/chart")) {
    try {
      part = LoadXmlDocument(target->Path);
      chartRels = LoadRelationships(ExtractFileDir(target->Path), ExtractFileName(target->Path),
                                    ctx.Inherited.ExtractFolder);
      chartCtx.Paint.Rels = &chartRels;
      // A chart copied from another deck keeps that deck's colours and fonts in a theme override.
      const std::string overridePath = chartRels.FindInternalByType("/themeOverride");
      if (!overridePath.empty()) {
        auto override = LoadXmlDocument(overridePath);
        overrideColors = ApplyColorMap(ReadThemeColors(override->Root()), FindChildNode(part->Root(), "clrMapOvr"));
        chartCtx.Paint.Colors = chartCtx.Theme.Colors = &overrideColors;
        overrideFonts = ReadThemeFonts(override->Root());
        if (!overrideFonts.MinorLatin.empty() || !overrideFonts.MajorLatin.empty()) chartCtx.Theme.Fonts = &overrideFonts;
      }
      if (ReadChartData(part->Root(), data)) pieces = ExpandChart(data, frame, chartCtx);
    } catch (const ETarvikError&) {
      pieces.clear();  // a broken chart is drawn as its box, not a failed deck
    }
  }
  const bool placeholder = pieces.empty();
  if (placeholder) pieces.push_back(ChartPlaceholder(frame, chartCtx));
  if (!placeholder) names.push_back(frameName);
  for (TChartPiece& piece : pieces) {
    PlaceShape(*piece.Shape, piece.Box, xforms, names);
    SetChartGeometry(piece.Outline, *piece.Shape);
    piece.Shape->Inherited = ctx.ArtOnly;
    piece.Shape->FromFrame = true;
    if (placeholder) piece.Shape->Name = frameName;
    slide.Shapes.push_back(std::move(piece.Shape));
  }
  if (!placeholder) names.pop_back();
}

// Tables, charts, diagrams and embedded objects (their preview picture) as
// shapes of their own; false for a frame drawn as a plain box.
bool ExpandGraphicFrame(pugi::xml_node frame, TPPTXSlide& slide, const TWalkContext& ctx, GroupXformStack& xforms,
                        GroupNameStack& names) {
  pugi::xml_node graphicData = FindDescendantNode(frame, "graphicData");
  const std::string frameName = GetAttrText(FindDescendantNode(frame, "cNvPr"), "name", "Graphic frame");
  const TShapeXfrm box = ReadShapeXfrm(FindChildNode(frame, "xfrm"));
  if (pugi::xml_node tbl = FindChildNode(graphicData, "tbl")) {
    ExpandTableFrame(tbl, frameName, box, slide, ctx, xforms, names);
    return true;
  }
  if (pugi::xml_node chart = FindChildNode(graphicData, "chart")) {
    ExpandChartFrame(chart, frameName, box, slide, ctx, xforms, names);
    return true;
  }
  if (FindChildNode(graphicData, "relIds")) return ExpandDiagramFrame(graphicData, frameName, box, slide, ctx, xforms, names);
  pugi::xml_node object = FindDescendantNode(graphicData, "oleObj");
  if (!object) return false;
  std::unique_ptr<TPPTXShape> shape;
  if (pugi::xml_node preview = FindDescendantNode(graphicData, "pic")) {
    shape = BuildShape(preview, "pic", ctx, xforms, names);
  } else {
    const std::string picture = LegacyPreview(GetAttrText(object, "spid"), ctx);
    if (picture.empty()) return false;
    shape = std::make_unique<TPPTXShape>();
    shape->Kind = skImage;
    shape->MediaFile = picture;
    shape->FromFrame = true;
  }
  PlaceShape(*shape, box, xforms, names);
  shape->Name = frameName;
  shape->Inherited = ctx.ArtOnly;
  slide.Shapes.push_back(std::move(shape));
  return true;
}

bool IsPlaceholderElement(pugi::xml_node element) {
  for (const char* nv : {"nvSpPr", "nvPicPr", "nvGraphicFramePr", "nvCxnSpPr"})
    if (pugi::xml_node props = FindChildNode(element, nv)) return FindChildNode(FindChildNode(props, "nvPr"), "ph");
  return false;
}

void Walk(pugi::xml_node container, TPPTXSlide& slide, const TWalkContext& ctx, GroupXformStack& xforms,
          GroupNameStack& names) {
  // One cursor per open group or chosen alternate: the next child to visit in it.
  struct TCursor {
    pugi::xml_node Next;
    bool Group;
    TGroupEffects Effects;
  };
  std::vector<TCursor> cursors{{container.first_child(), false, ctx.GroupEffects}};
  while (!cursors.empty()) {
    pugi::xml_node node = cursors.back().Next;
    if (!node) {
      if (cursors.back().Group) {
        xforms.pop_back();
        names.pop_back();
      }
      cursors.pop_back();
      continue;
    }
    cursors.back().Next = node.next_sibling();
    if (node.type() != pugi::node_element) continue;
    std::string_view name = LocalNameOf(node.name());
    if (name == "grpSp") {
      if (names.size() >= kMaxGroupDepth)
        throw ETarvikError("Groups are nested more than " + std::to_string(kMaxGroupDepth) + " levels deep in " +
                           (slide.SourceFileName.empty() ? std::string("a slide") : slide.SourceFileName));
      pugi::xml_node grpSpPr = FindChildNode(node, "grpSpPr");
      xforms.push_back(ReadGroupXform(grpSpPr));
      names.push_back(GetAttrText(FindDescendantNode(node, "cNvPr"), "name", "Group"));
      pugi::xml_node effects = FindChildNode(grpSpPr, "effectLst");
      cursors.push_back({node.first_child(), true,
                         effects ? TGroupEffects{ReadOuterShadow(effects, ctx.Colors), ReadGlow(effects, ctx.Colors)}
                                 : cursors.back().Effects});
    } else if (name == "AlternateContent") {
      if (cursors.size() > kMaxGroupDepth)
        throw ETarvikError("Alternate content is nested too deep in " +
                           (slide.SourceFileName.empty() ? std::string("a slide") : slide.SourceFileName));
      cursors.push_back({ChosenContent(node).first_child(), false, cursors.back().Effects});
    } else if (name == "sp" || name == "pic" || name == "cxnSp" || name == "graphicFrame") {
      if (ctx.ArtOnly && IsPlaceholderElement(node)) continue;
      const TGroupEffects& effects = cursors.back().Effects;
      if (name == "graphicFrame") {
        TWalkContext inner(ctx);
        inner.GroupEffects = effects;
        if (ExpandGraphicFrame(node, slide, inner, xforms, names)) continue;
      }
      slide.Shapes.push_back(BuildShape(node, name, ctx, xforms, names));
      TPPTXShape& built = *slide.Shapes.back();
      built.Inherited = ctx.ArtOnly;
      if (!FindChildNode(FindChildNode(node, "spPr"), "effectLst")) {
        if (effects.Shadow.Used && !built.Shadow.Used) built.Shadow = effects.Shadow;
        if (effects.Glow.Used && !built.Glow.Used) built.Glow = effects.Glow;
      }
    }
  }
}

}  // namespace

void WalkShapeTree(pugi::xml_node container, TPPTXSlide& slide, const RelationshipMap& rels,
                   const TSlideInheritance& inherited, GroupXformStack& xformStack, GroupNameStack& nameStack,
                   bool artOnly) {
  const size_t xformDepth = xformStack.size(), nameDepth = nameStack.size();
  TWalkContext ctx{rels, inherited.Colors, inherited,
                   {inherited.Colors, &rels, inherited.ThemeFormats, inherited.ThemeRels}, artOnly};
  try {
    Walk(container, slide, ctx, xformStack, nameStack);
  } catch (...) {
    xformStack.resize(xformDepth);
    nameStack.resize(nameDepth);
    throw;
  }
}

}  // namespace tarvik
