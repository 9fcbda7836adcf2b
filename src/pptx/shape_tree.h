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
#include "pptx/theme.h"

namespace tarvik {

inline constexpr size_t kMaxGroupDepth = 64;

using GroupNameStack = std::vector<std::string>;  // outermost first

// Appends the shapes of container (an spTree or a grpSp) to slide.Shapes.
// The stacks hold the enclosing groups and are as they were when it returns,
// also when it raises. placeholders gives the layout and master positions for
// placeholders without an xfrm of their own. Raises ETarvikError from the
// components it calls (a run text holding markup) or for too deep groups; the
// shape being built is then dropped, those already appended stay.
void WalkShapeTree(pugi::xml_node container, TPPTXSlide& slide, const RelationshipMap& rels,
                   const ThemeColorMap* colors, const std::string& majorFont, const std::string& minorFont,
                   GroupXformStack& xformStack, GroupNameStack& nameStack,
                   const TSlidePlaceholders& placeholders = {});

}  // namespace tarvik
