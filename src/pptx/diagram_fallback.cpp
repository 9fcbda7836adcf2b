#include "pptx/diagram_fallback.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace tarvik {

namespace {

constexpr int64_t kEmuPerPt = 12700;
// A hostile model cannot make the slide unbounded: beyond this many items
// the rest are left out.
constexpr size_t kMaxItems = 200;

struct TItem {
  pugi::xml_node Text;  // the point's t (a text body), may be empty
  std::vector<pugi::xml_node> Children;
};

bool IsParentLink(pugi::xml_node cxn) {
  std::string type = GetAttrText(cxn, "type", "parOf");
  return type == "parOf";
}

bool IsContentPoint(pugi::xml_node pt) {
  std::string type = GetAttrText(pt, "type", "node");
  return type == "node" || type == "asst";
}

// The content points below each point, in their order among siblings.
std::map<std::string, std::vector<pugi::xml_node>> ChildrenByParent(pugi::xml_node model,
                                                                    const std::map<std::string, pugi::xml_node>& points) {
  std::map<std::string, std::vector<std::pair<int32_t, pugi::xml_node>>> ordered;
  for (pugi::xml_node cxn : FindChildNode(model, "cxnLst").children()) {
    if (!IsElementNamed(cxn, "cxn") || !IsParentLink(cxn)) continue;
    auto dest = points.find(GetAttrText(cxn, "destId"));
    if (dest == points.end() || !IsContentPoint(dest->second)) continue;
    ordered[GetAttrText(cxn, "srcId")].emplace_back(GetAttrInt32(cxn, "srcOrd", 0), dest->second);
  }
  std::map<std::string, std::vector<pugi::xml_node>> children;
  for (auto& [parent, list] : ordered) {
    std::stable_sort(list.begin(), list.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& entry : list) children[parent].push_back(entry.second);
  }
  return children;
}

std::vector<TItem> TopItems(pugi::xml_node model) {
  std::map<std::string, pugi::xml_node> points;
  std::string doc;
  for (pugi::xml_node pt : FindChildNode(model, "ptLst").children()) {
    if (!IsElementNamed(pt, "pt")) continue;
    points[GetAttrText(pt, "modelId")] = pt;
    if (doc.empty() && GetAttrText(pt, "type") == "doc") doc = GetAttrText(pt, "modelId");
  }
  auto children = ChildrenByParent(model, points);
  std::vector<TItem> items;
  for (pugi::xml_node top : children[doc]) {
    if (items.size() == kMaxItems) break;
    TItem item{FindChildNode(top, "t"), {}};
    for (pugi::xml_node child : children[GetAttrText(top, "modelId")])
      if (item.Children.size() < kMaxItems) item.Children.push_back(FindChildNode(child, "t"));
    items.push_back(std::move(item));
  }
  return items;
}

std::vector<pugi::xml_node> ParagraphsOf(pugi::xml_node body) {
  std::vector<pugi::xml_node> paragraphs;
  FindChildNodes(body, "p", paragraphs);
  return paragraphs;
}

size_t TextLength(pugi::xml_node paragraph) {
  size_t length = 0;
  for (pugi::xml_node r : paragraph.children())
    if (pugi::xml_node t = FindChildNode(r, "t")) length += ElementText(t).size();
  return length;
}

// The largest of the usual sizes at which the paragraphs, wrapped at an
// average glyph width of half the size, fit the box.
int32_t FittingSizePt(const std::vector<size_t>& lengths, int64_t width, int64_t height) {
  static const int32_t kSizes[] = {28, 24, 20, 18, 16, 14, 12, 11, 10, 9, 8, 7, 6};
  for (int32_t size : kSizes) {
    const double glyph = 0.55 * size * kEmuPerPt, line = 1.2 * size * kEmuPerPt;
    const double perLine = std::max(1.0, (width * 0.9) / glyph);
    double lines = 0;
    for (size_t length : lengths) lines += std::max(1.0, std::ceil(static_cast<double>(length) / perLine));
    if (lines * line <= height * 0.9) return size;
  }
  return 6;
}

enum class TTone { Plain, Light, Dark };

void AddSchemeFill(pugi::xml_node parent, const char* scheme, TTone tone) {
  pugi::xml_node colour = parent.append_child("a:solidFill").append_child("a:schemeClr");
  colour.append_attribute("val") = scheme;
  if (tone == TTone::Light) {
    colour.append_child("a:lumMod").append_attribute("val") = 20000;
    colour.append_child("a:lumOff").append_attribute("val") = 80000;
  } else if (tone == TTone::Dark) {
    colour.append_child("a:lumMod").append_attribute("val") = 75000;
  }
}

// Sub-item text coloured by its author was meant for the diagram's own
// boxes, which are usually dark: such text gets a dark box, other text a
// light one.
bool HasOwnColour(const std::vector<pugi::xml_node>& paragraphs) {
  for (pugi::xml_node p : paragraphs)
    for (pugi::xml_node r : p.children())
      if (FindChildNode(FindChildNode(r, "rPr"), "solidFill")) return true;
  return false;
}

struct TBox {
  int64_t X, Y, Cx, Cy;
};

// One box with the given paragraphs: a filled item, or the light box of its
// sub-items with bullets.
void AddBox(pugi::xml_node tree, int id, const TBox& box, const std::vector<pugi::xml_node>& paragraphs, bool item) {
  pugi::xml_node sp = tree.append_child("p:sp");
  pugi::xml_node cNvPr = sp.append_child("p:nvSpPr").append_child("p:cNvPr");
  cNvPr.append_attribute("id") = id;
  cNvPr.append_attribute("name") = ("Diagram item " + std::to_string(id)).c_str();
  pugi::xml_node spPr = sp.append_child("p:spPr");
  pugi::xml_node xfrm = spPr.append_child("a:xfrm");
  pugi::xml_node off = xfrm.append_child("a:off"), ext = xfrm.append_child("a:ext");
  off.append_attribute("x") = static_cast<long long>(box.X);
  off.append_attribute("y") = static_cast<long long>(box.Y);
  ext.append_attribute("cx") = static_cast<long long>(box.Cx);
  ext.append_attribute("cy") = static_cast<long long>(box.Cy);
  spPr.append_child("a:prstGeom").append_attribute("prst") = item ? "roundRect" : "rect";
  const bool dark = item || HasOwnColour(paragraphs);
  AddSchemeFill(spPr, "accent1", item ? TTone::Plain : dark ? TTone::Dark : TTone::Light);
  AddSchemeFill(spPr.append_child("a:ln"), "lt1", TTone::Plain);

  std::vector<size_t> lengths;
  for (pugi::xml_node p : paragraphs) lengths.push_back(TextLength(p));
  pugi::xml_node body = sp.append_child("p:txBody");
  pugi::xml_node bodyPr = body.append_child("a:bodyPr");
  bodyPr.append_attribute("anchor") = "ctr";
  bodyPr.append_attribute("wrap") = "square";
  pugi::xml_node level = body.append_child("a:lstStyle").append_child("a:lvl1pPr");
  if (item) {
    level.append_attribute("algn") = "ctr";
  } else {
    level.append_attribute("marL") = 171450;
    level.append_attribute("indent") = -171450;
    level.append_child("a:buChar").append_attribute("char") = "\xE2\x80\xA2";
  }
  pugi::xml_node defRPr = level.append_child("a:defRPr");
  defRPr.append_attribute("sz") = FittingSizePt(lengths, box.Cx, box.Cy) * 100;
  AddSchemeFill(defRPr, dark ? "lt1" : "tx1", TTone::Plain);
  for (pugi::xml_node p : paragraphs) body.append_copy(p);
  if (paragraphs.empty()) body.append_child("a:p");
}

}  // namespace

bool IsEmptyDiagramDrawing(pugi::xml_node drawingRoot) {
  pugi::xml_node tree = FindDescendantNode(drawingRoot, "spTree");
  for (pugi::xml_node child : tree.children())
    if (child.type() == pugi::node_element && !IsElementNamed(child, "nvGrpSpPr") &&
        !IsElementNamed(child, "grpSpPr"))
      return false;
  return true;
}

std::unique_ptr<TXmlPart> BuildDiagramFallback(pugi::xml_node dataModel, int64_t width, int64_t height) {
  std::vector<TItem> items = TopItems(dataModel);
  if (items.empty() || width <= 0 || height <= 0) return nullptr;
  const bool withChildren =
      std::any_of(items.begin(), items.end(), [](const TItem& item) { return !item.Children.empty(); });
  auto part = std::make_unique<TXmlPart>();
  pugi::xml_node tree = part->Doc.append_child("p:spTree");
  const int64_t count = static_cast<int64_t>(items.size());
  const int64_t gap = height / (count * 12 + 1);
  const int64_t row = (height - gap * (count - 1)) / count;
  const int64_t itemWidth = withChildren ? width * 3 / 10 : width;
  int id = 1;
  for (int64_t i = 0; i < count; ++i) {
    const TItem& item = items[static_cast<size_t>(i)];
    const int64_t top = i * (row + gap);
    AddBox(tree, id++, {0, top, itemWidth, row}, ParagraphsOf(item.Text), true);
    if (item.Children.empty()) continue;
    std::vector<pugi::xml_node> paragraphs;
    for (pugi::xml_node child : item.Children)
      for (pugi::xml_node p : ParagraphsOf(child)) paragraphs.push_back(p);
    const int64_t left = itemWidth + width / 50;
    AddBox(tree, id++, {left, top, width - left, row}, paragraphs, false);
  }
  return part;
}

}  // namespace tarvik
