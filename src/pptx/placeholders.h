// The slide layouts and masters a slide inherits from: where a placeholder
// without an xfrm of its own lies (the offset and extent of the matching
// placeholder of the slide's layout, or else of the layout's slide master),
// and the parts whose text styles, body properties and colour maps the
// slide's text inherits.
//
// The layout is the target of the slide's relationship whose Type ends in
// "/slideLayout", the master that of the layout's relationship whose Type ends
// in "/slideMaster". Each is parsed once per load (TPlaceholderCache); a
// missing or unreadable one simply offers no match. The placeholders of a
// layout or master are the sp and pic elements directly in its shape tree
// (Office never groups placeholders, and a grouped one's xfrm would be in its
// group's child space).
//
// Matching: in the layout, the first placeholder with the same idx attribute
// when the slide's placeholder has one, otherwise the first of the same type;
// in the master, the first of the same type as the layout's match, or as the
// slide's placeholder when the layout has none. Types compare without regard to
// letter case, a missing type is "body", "ctrTitle" counts as "title" and
// "subTitle" as "body".
#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "pptx/group_transform.h"
#include "pptx/relationships.h"
#include "pptx/xml_helpers.h"

namespace tarvik {

struct TPlaceholderInfo {
  std::string Type;  // already normalised for matching
  bool HasIdx = false;
  std::string Idx;
  bool HasXfrm = false;
  int64_t X = 0, Y = 0, Cx = 0, Cy = 0;
  double RotDeg = 0;  // a placeholder turned on its layout stays turned on the slide
  pugi::xml_node Element;  // the sp or pic, alive as long as the cache
};

struct TPlaceholderPart {
  std::vector<TPlaceholderInfo> Placeholders;
  std::string MasterPath;  // for a layout: its master part, "" when none
  std::string ThemePath;   // for a master: its theme part, "" when none
  RelationshipMap Rels;    // for its pictures
  std::unique_ptr<TXmlPart> Xml;
  pugi::xml_node Root() const { return Xml ? Xml->Root() : pugi::xml_node(); }
};

// The placeholders of the layout and master of one slide; either may be null.
struct TSlidePlaceholders {
  const TPlaceholderPart* Layout = nullptr;
  const TPlaceholderPart* Master = nullptr;
};

class TPlaceholderCache {
 public:
  explicit TPlaceholderCache(std::string extractFolder) : ExtractFolder(std::move(extractFolder)) {}
  // The layout and master of a slide whose layout part is layoutPath ("" for none).
  TSlidePlaceholders ForLayout(const std::string& layoutPath);

 private:
  const TPlaceholderPart* Load(const std::string& path, bool isLayout);
  std::string ExtractFolder;
  std::map<std::string, std::unique_ptr<TPlaceholderPart>> Parts;  // null entry: unreadable
};

// "title" for title and ctrTitle, "body" for a missing type and subTitle, the
// lower-cased type otherwise.
std::string PlaceholderMatchType(pugi::xml_node ph);

// The layout's and the master's placeholders that the placeholder ph (of a
// slide's sp or pic) inherits from; either may be null.
struct TPlaceholderMatch {
  const TPlaceholderInfo* Layout = nullptr;
  const TPlaceholderInfo* Master = nullptr;
};
TPlaceholderMatch MatchPlaceholder(const TSlidePlaceholders& source, pugi::xml_node ph);

// The borrowed offset and extent for the placeholder ph (from the slide's sp
// or pic); false when neither the layout nor the master has a match with an xfrm.
bool FindPlaceholderXfrm(const TSlidePlaceholders& source, pugi::xml_node ph, TShapeXfrm& xfrm);

}  // namespace tarvik
