// Paint: the fills and lines of shapes and backgrounds, as the element says
// or as its style reference picks them from the theme's formatting scheme.
#pragma once
#include <pugixml.hpp>

#include "pptx/model.h"
#include "pptx/relationships.h"
#include "pptx/theme.h"

namespace tarvik {

// What reading paint needs beyond the element: the slide's scheme colours,
// the relationships of the part the element stands in (for pictures), and
// the theme's fmtScheme (for style references) with the theme part's
// relationships, which its picture fills name. Any may be empty.
struct TPaintContext {
  const ThemeColorMap* Colors = nullptr;
  const RelationshipMap* Rels = nullptr;
  pugi::xml_node Formats;
  const RelationshipMap* FormatRels = nullptr;
};

// The fill among element's direct children: noFill, solidFill, gradFill,
// blipFill or pattFill (its foreground colour). False when element names
// none, so that it inherits. A phClr in it takes placeholderColor, when given.
bool ReadFill(pugi::xml_node element, const TPaintContext& ctx, TPPTXFill& fill,
              const TColor* placeholderColor = nullptr);

// The fill a fillRef or bgRef picks: idx 1, 2, 3 ... from the theme's
// fillStyleLst, 1001, 1002 ... from its bgFillStyleLst, each with phClr the
// reference's own colour; idx 0 means no fill. False without a reference.
bool ReadFillReference(pugi::xml_node reference, const TPaintContext& ctx, TPPTXFill& fill);

// The shape's outline from spPr/ln, with what it leaves open taken from the
// line style its style/lnRef picks: width, fill, dash and arrowheads into
// the shape's line fields. No ln and no reference leave the shape unlined.
void ReadLineStyle(pugi::xml_node ln, pugi::xml_node lnRef, const TPaintContext& ctx, TPPTXShape& shape);

// The colour of fill for consumers that paint one colour, and whether there is one.
bool SolidColorOf(const TPPTXFill& fill, TColor& color);

// A picture's opacity from its blip's alphaModFix: 1 without one.
double BlipOpacity(pugi::xml_node blip);

// The outerShdw of an effect list; unused without one.
TShadow ReadOuterShadow(pugi::xml_node effectLst, const ThemeColorMap* colors);

// The outer shadow of spPr's effectLst or, when spPr has no effect list, of
// the effect style its style/effectRef picks from the theme, with phClr the
// reference's own colour. Unused when neither casts one.
TShadow ReadShadow(pugi::xml_node spPr, pugi::xml_node effectRef, const TPaintContext& ctx);

// The glow of an effect list; unused without one.
TGlow ReadGlow(pugi::xml_node effectLst, const ThemeColorMap* colors);

// The glow of spPr's effectLst or of its theme effect style, as ReadShadow
// finds the shadow.
TGlow ReadShapeGlow(pugi::xml_node spPr, pugi::xml_node effectRef, const TPaintContext& ctx);

// A blip's duotone; unused without one.
TDuotone ReadDuotone(pugi::xml_node blip, const ThemeColorMap* colors);

}  // namespace tarvik
