// Flattens a slide's shape tree (spTree) into the slide's shape list: one
// TPPTXShape per sp, pic, cxnSp and graphicFrame, in drawing order, with the
// members of a group in the group's place, each placed on the slide through
// all enclosing group transforms.
//
// Group nesting is walked without recursion. A group nested deeper than
// kMaxGroupDepth fails the load with an ETarvikError: real decks nest a few
// levels, and every shape carries the names of all its groups, so unbounded
// depth would let a small part grow a huge model.
#pragma once
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "pptx/group_transform.h"
#include "pptx/model.h"
#include "pptx/placeholders.h"
#include "pptx/relationships.h"
#include "pptx/text_body.h"
#include "pptx/theme.h"

namespace tarvik {

inline constexpr size_t kMaxGroupDepth = 64;

using GroupNameStack = std::vector<std::string>;  // outermost first

// What a slide's shapes inherit beyond the slide part itself. Every member may
// be empty: a deck without a layout, master or theme still reads.
struct TSlideInheritance {
  const ThemeColorMap* Colors = nullptr;  // the theme's, through the slide's colour map
  const TThemeFonts* Fonts = nullptr;
  // The layout and master: positions for placeholders without an xfrm of
  // their own, and the placeholders' list styles and body properties.
  TSlidePlaceholders Placeholders;
  pugi::xml_node MasterTextStyles;  // the master's txStyles
  pugi::xml_node DefaultTextStyle;  // presentation.xml's
  pugi::xml_node ThemeFormats;      // the theme's fmtScheme, for style references
  const RelationshipMap* ThemeRels = nullptr;  // the theme part's, for pictures in its fmtScheme
  pugi::xml_node TableStyles;       // ppt/tableStyles.xml's root
  std::string ExtractFolder;        // where the package lies, for parts a slide names
  int32_t SlideNumber = -1;         // as the deck numbers its slides, for slide-number fields
  TLocalTime Clock;                 // the moment date fields show (no year: their stored text)
};

// Appends the shapes of container (an spTree or a grpSp) to slide.Shapes.
// Of mc:AlternateContent it reads the first Choice whose requirements it
// understands, else the Fallback. With artOnly (a layout's or master's tree)
// it leaves out placeholders and marks the shapes Inherited. The stacks hold
// the enclosing groups and are as they were when it returns, also when it
// raises. Raises ETarvikError from the components it calls (a run text
// holding markup) or for too deep groups; the shape being built is then
// dropped, those already appended stay.
void WalkShapeTree(pugi::xml_node container, TPPTXSlide& slide, const RelationshipMap& rels,
                   const TSlideInheritance& inherited, GroupXformStack& xformStack, GroupNameStack& nameStack,
                   bool artOnly = false);

}  // namespace tarvik
