// How the viewer colours and sizes a text label: the first run that shows
// something decides the font, and the text colour gives way to black or
// white when it would vanish into the slide's background.
#pragma once
#include <cstdint>
#include <string>

#include "pptx/model.h"

namespace tarvik {

struct TRunStyle {
  std::string FontName = "Arial";
  double FontSizePt = 18;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  TColor Color = 0;
};

// The style of the shape's first run whose text holds more than blanks and
// control characters; the defaults above when there is none.
TRunStyle FirstRunStyle(const TPPTXShape& shape);

// Perceived brightness 0 (black) to 255 (white); system colours are resolved first.
int32_t ColorLuminance(TColor color);

// TextColor when it stands out from Background by 60 or more; otherwise
// white on a dark background and black on a light one.
TColor ContrastTextColor(TColor background, TColor textColor);

}  // namespace tarvik
