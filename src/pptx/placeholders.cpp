// Layout and master placeholder positions, read once per load.
#include "pptx/placeholders.h"

#include "platform/error.h"
#include "platform/files.h"
#include "pptx/relationships.h"
#include "pptx/xml_helpers.h"

namespace tarvik {

namespace {

// The ph of an sp or pic: a descendant of its non-visual properties.
pugi::xml_node PlaceholderOf(pugi::xml_node element) {
  std::string_view name = LocalNameOf(element.name());
  return FindDescendantNode(FindChildNode(element, name == "pic" ? "nvPicPr" : "nvSpPr"), "ph");
}

void ReadPlaceholders(pugi::xml_node root, TPlaceholderPart& part) {
  pugi::xml_node tree = FindDescendantNode(root, "spTree");
  for (pugi::xml_node element = tree.first_child(); element; element = element.next_sibling()) {
    if (element.type() != pugi::node_element) continue;
    std::string_view name = LocalNameOf(element.name());
    if (name != "sp" && name != "pic") continue;
    pugi::xml_node ph = PlaceholderOf(element);
    if (!ph) continue;
    TPlaceholderInfo info;
    info.Type = PlaceholderMatchType(ph);
    if (pugi::xml_attribute idx = FindAttr(ph, "idx")) {
      info.HasIdx = true;
      info.Idx = idx.value();
    }
    if (pugi::xml_node xfrm = FindChildNode(FindChildNode(element, "spPr"), "xfrm")) {
      TShapeXfrm read = ReadShapeXfrm(xfrm);
      info.HasXfrm = true;
      info.X = read.X;
      info.Y = read.Y;
      info.Cx = read.Cx;
      info.Cy = read.Cy;
      info.RotDeg = read.RotDeg;
    }
    info.Element = element;
    part.Placeholders.push_back(std::move(info));
  }
}

bool TakeXfrm(const TPlaceholderInfo* match, TShapeXfrm& xfrm) {
  if (!match || !match->HasXfrm) return false;
  xfrm.X = match->X;
  xfrm.Y = match->Y;
  xfrm.Cx = match->Cx;
  xfrm.Cy = match->Cy;
  xfrm.RotDeg = match->RotDeg;
  return true;
}

}  // namespace

std::string PlaceholderMatchType(pugi::xml_node ph) {
  std::string type = LowerAscii(GetAttrText(ph, "type", "body"));
  if (type == "ctrtitle") return "title";
  if (type == "subtitle") return "body";
  return type;
}

const TPlaceholderPart* TPlaceholderCache::Load(const std::string& path, bool isLayout) {
  if (path.empty()) return nullptr;
  auto found = Parts.find(path);
  if (found != Parts.end()) return found->second.get();
  std::unique_ptr<TPlaceholderPart> part;
  try {
    part = std::make_unique<TPlaceholderPart>();
    part->Xml = LoadXmlDocument(path);
    ReadPlaceholders(part->Root(), *part);
  } catch (const ETarvikError&) {
    part.reset();  // an unreadable layout or master offers no match; it does not fail the load
  }
  if (part) {
    try {
      part->Rels = LoadRelationships(ExtractFileDir(path), ExtractFileName(path), ExtractFolder);
      if (isLayout) part->MasterPath = part->Rels.FindInternalByType("/slideMaster");
      else part->ThemePath = part->Rels.FindInternalByType("/theme");
    } catch (const ETarvikError&) {
      part->Rels = RelationshipMap();
      part->MasterPath.clear();
      part->ThemePath.clear();
    }
  }
  const TPlaceholderPart* result = part.get();
  Parts.emplace(path, std::move(part));
  return result;
}

TSlidePlaceholders TPlaceholderCache::ForLayout(const std::string& layoutPath) {
  TSlidePlaceholders source;
  source.Layout = Load(layoutPath, true);
  if (source.Layout) source.Master = Load(source.Layout->MasterPath, false);
  return source;
}

TPlaceholderMatch MatchPlaceholder(const TSlidePlaceholders& source, pugi::xml_node ph) {
  TPlaceholderMatch match;
  const std::string type = PlaceholderMatchType(ph);
  const pugi::xml_attribute idx = FindAttr(ph, "idx");
  if (source.Layout) {
    for (const TPlaceholderInfo& candidate : source.Layout->Placeholders) {
      bool same = idx ? (candidate.HasIdx && candidate.Idx == idx.value()) : candidate.Type == type;
      if (same) {
        match.Layout = &candidate;
        break;
      }
    }
  }
  if (source.Master) {
    // What the layout's placeholder is decides, for a slide's placeholder
    // that names only an idx ("body" by default) may be the layout's title.
    const std::string& masterType = match.Layout ? match.Layout->Type : type;
    for (const TPlaceholderInfo& candidate : source.Master->Placeholders) {
      if (candidate.Type == masterType) {
        match.Master = &candidate;
        break;
      }
    }
  }
  return match;
}

bool FindPlaceholderXfrm(const TSlidePlaceholders& source, pugi::xml_node ph, TShapeXfrm& xfrm) {
  TPlaceholderMatch match = MatchPlaceholder(source, ph);
  return TakeXfrm(match.Layout, xfrm) || TakeXfrm(match.Master, xfrm);
}

}  // namespace tarvik
