// Turns an sp element's text body (txBody) into the text fields of a shape:
// insets, anchoring, wrapping, vertical text, autofit, and paragraphs of runs
// that each carry their resolved font, size, style and colour.
//
// What the body leaves open comes from where the deck keeps it, nearest
// first. A run property: the run's rPr, its paragraph's pPr/defRPr, then the
// level's lvlNpPr/defRPr of each list style the shape inherits (its own
// lstStyle; the layout's and the master's matching placeholder; the master's
// titleStyle, bodyStyle or otherStyle; the presentation's defaultTextStyle),
// with the shape's style/fontRef (font and colour) after its own lstStyle.
// A paragraph property: the pPr, then each list style's lvlNpPr. A body
// property: the bodyPr, then the layout's and the master's placeholder's.
// Each property is taken on its own from the nearest place that sets it.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

#include "platform/system.h"

#include "pptx/model.h"
#include "pptx/theme.h"

namespace tarvik {

// Where a shape's text inherits from, beyond its own text body. Every node
// may be empty.
struct TTextInheritance {
  // Elements holding lvl1pPr .. lvl9pPr after the shape's own lstStyle, nearest first.
  std::vector<pugi::xml_node> ListStyles;
  // The shape's style/fontRef, or a table cell's tcTxStyle (its fontRef,
  // colour, bold and italic), consulted right after its own lstStyle.
  pugi::xml_node FontRef;
  // bodyPr elements after the shape's own, nearest first.
  std::vector<pugi::xml_node> BodyProperties;
  // A title takes the theme's major typeface where nothing names one.
  bool Title = false;
  // The number slide-number fields show; a negative one keeps the text stored
  // with them (a layout's art stores "‹#›", a moved slide its old number).
  int32_t SlideNumber = -1;
  // The moment date fields show; with no year they keep their stored text.
  TLocalTime Clock;
};

struct TTextTheme {
  const ThemeColorMap* Colors = nullptr;
  const TThemeFonts* Fonts = nullptr;
};

// Fills shape's Paragraphs and text body fields (cleared first; an absent
// text body leaves them so). Sizes and spacing come out with normAutofit's
// scale and reduction applied. Line breaks (br) become runs of one "\n", and
// fields (fld) runs of their shown text. Raises ETarvikError when a run's
// text element holds markup instead of text.
void ParseTextBody(pugi::xml_node textBody, const TTextInheritance& inherited, const TTextTheme& theme,
                   TPPTXShape& shape);

// The text of automatic number n in scheme ("arabicPeriod" -> "n.",
// "romanLcParenR" -> "iv)", "alphaUcParenBoth" -> "(D)" ...); an unknown
// scheme numbers as arabicPeriod.
std::string AutoNumberText(const std::string& scheme, int32_t n);

// A text body's vertical text for its vert attribute (a bodyPr's or a table
// cell's): the turn of its lines (270 for "vert270", 90 for the top-to-bottom
// kinds, else 0), how its letters stand and which way its lines follow.
void SetVerticalText(std::string_view vert, TPPTXShape& shape);

}  // namespace tarvik
