// The text of a slide: a shape's paragraphs as an XHTML block inside a
// <foreignObject>, laid out by the browser with the deck's insets, anchoring,
// indents, spacing, bullets and run styles.
#pragma once
#include <string>
#include <string_view>

#include "pptx/model.h"

namespace tarvik {

// The CSS font-family list for a typeface: the typeface, then the free family
// with the same metrics where there is one (Calibri -> Carlito, Arial ->
// Liberation Sans ...), the generic family, and DejaVu Sans for the letters
// none of them has ('Calibri','Carlito',sans-serif,'DejaVu Sans').
std::string CssFontFamily(std::string_view typeface);

void AppendRunSpan(std::string& out, const TPPTXTextRun& run);
void AppendTextShape(std::string& out, const TPPTXShape& shape);

}  // namespace tarvik
