// The shape tree walk and the building of one shape per drawable element.
#include "pptx/shape_tree.h"

#include <memory>

#include "platform/error.h"
#include "pptx/text_body.h"
#include "pptx/xml_helpers.h"

namespace tarvik {

namespace {

struct TWalkContext {
  const RelationshipMap& Rels;
  const ThemeColorMap* Colors;
  const TSlideInheritance& Inherited;
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

void ReadOutline(pugi::xml_node spPr, const ThemeColorMap* colors, TPPTXShape& shape) {
  pugi::xml_node ln = FindChildNode(spPr, "ln");
  if (!ln) return;
  TColor color = 0;
  if (ReadSolidFill(ln, colors, color)) {
    shape.HasLine = true;
    shape.LineColor = color;
  }
  shape.LineWidthPt = static_cast<double>(GetAttrInt64(ln, "w", 0)) / 12700.0;
}

const std::string* MappedTarget(const RelationshipMap& rels, const std::string& id) {
  return id.empty() ? nullptr : rels.Find(id);
}

void ReadPicture(pugi::xml_node element, const RelationshipMap& rels, TPPTXShape& shape) {
  pugi::xml_node nvPr = FindDescendantNode(element, "nvPr");
  pugi::xml_node video = FindDescendantNode(nvPr, "videoFile");
  pugi::xml_node audio = video ? pugi::xml_node() : FindDescendantNode(nvPr, "audioFile");
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

  TColor fill = 0;
  if (ReadSolidFill(spPr, ctx.Colors, fill)) {
    shape.HasFill = true;
    shape.FillColor = fill;
  }
  ReadOutline(spPr, ctx.Colors, shape);
  if (shape.Kind == skLine) ReadFlips(element, shape);
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
      ReadPicture(element, ctx.Rels, *shape);
    } else if (name == "cxnSp") {
      shape->Kind = skLine;
      ReadOutline(spPr, ctx.Colors, *shape);
      ReadFlips(element, *shape);
    } else {
      ReadSp(element, spPr, ctx, *shape);
    }
  }

  double rotation = xfrm.RotDeg;
  TRect64 rect = ApplyGroupStack(xforms, xfrm.X, xfrm.Y, xfrm.Cx, xfrm.Cy, rotation);
  shape->XEmu = rect.X;
  shape->YEmu = rect.Y;
  shape->WEmu = rect.W;
  shape->HEmu = rect.H;
  shape->RotationDeg = rotation;

  shape->GroupDepth = static_cast<int32_t>(names.size());
  for (size_t i = 0; i < names.size(); ++i) {
    if (i) shape->GroupPath += '/';
    shape->GroupPath += names[i];
  }
  return shape;
}

void Walk(pugi::xml_node container, TPPTXSlide& slide, const TWalkContext& ctx, GroupXformStack& xforms,
          GroupNameStack& names) {
  // One cursor per open group: the next child to visit in it.
  std::vector<pugi::xml_node> cursors{container.first_child()};
  while (!cursors.empty()) {
    pugi::xml_node node = cursors.back();
    if (!node) {
      cursors.pop_back();
      if (!cursors.empty()) {  // leaving a group
        xforms.pop_back();
        names.pop_back();
      }
      continue;
    }
    cursors.back() = node.next_sibling();
    if (node.type() != pugi::node_element) continue;
    std::string_view name = LocalNameOf(node.name());
    if (name == "grpSp") {
      if (names.size() >= kMaxGroupDepth)
        throw ETarvikError("Groups are nested more than " + std::to_string(kMaxGroupDepth) + " levels deep in " +
                           (slide.SourceFileName.empty() ? std::string("a slide") : slide.SourceFileName));
      xforms.push_back(ReadGroupXform(FindChildNode(node, "grpSpPr")));
      names.push_back(GetAttrText(FindDescendantNode(node, "cNvPr"), "name", "Group"));
      cursors.push_back(node.first_child());
    } else if (name == "sp" || name == "pic" || name == "cxnSp" || name == "graphicFrame") {
      slide.Shapes.push_back(BuildShape(node, name, ctx, xforms, names));
    }
  }
}

}  // namespace

void WalkShapeTree(pugi::xml_node container, TPPTXSlide& slide, const RelationshipMap& rels,
                   const TSlideInheritance& inherited, GroupXformStack& xformStack, GroupNameStack& nameStack) {
  const size_t xformDepth = xformStack.size(), nameDepth = nameStack.size();
  TWalkContext ctx{rels, inherited.Colors, inherited};
  try {
    Walk(container, slide, ctx, xformStack, nameStack);
  } catch (...) {
    xformStack.resize(xformDepth);
    nameStack.resize(nameDepth);
    throw;
  }
}

}  // namespace tarvik
