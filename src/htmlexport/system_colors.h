// The system colour table behind negative TColor values (Delphi's clBtnFace
// and friends). Windows asks GetSysColor; elsewhere Windows' default scheme
// stands in, so exports look the same wherever they are made.
#pragma once
#include "pptx/model.h"

namespace tarvik {

// The RGB value (0x00BBGGRR) of system colour `index` (COLOR_SCROLLBAR = 0 ...
// COLOR_MENUBAR = 30); 0 (black) for an index outside the table.
TColor SysColorToRGB(int index);

}  // namespace tarvik
