// Turns an sp element's text body (txBody) into the text fields of a shape:
// insets, vertical anchor, text rotation, and paragraphs of runs that each
// carry their own font, size, style and colour.
#pragma once
#include <string>

#include <pugixml.hpp>

#include "pptx/model.h"
#include "pptx/theme.h"

namespace tarvik {

// Fills shape's Paragraphs, Margin*Px, VerticalAnchor and TextRotationDeg
// (all zero or empty first; an absent text body leaves them so). A run takes
// its formatting from its own rPr or, when it has none, from the first defRPr
// of the body; its own rPr replaces that default entirely. Raises
// ETarvikError when a run's text element holds markup instead of text.
void ParseTextBody(pugi::xml_node textBody, const ThemeColorMap* colors, const std::string& majorFont,
                   const std::string& minorFont, bool isTitle, TPPTXShape& shape);

}  // namespace tarvik
