// A headless control tree drawn as an SVG picture, roughly as the windowed
// toolkit paints it: panels, shapes, word-wrapped labels, pictures (embedded,
// fitted and centred), media players with their transport buttons, and the
// buttons and edit box of a bar. Hidden controls and their children are left
// out. Text widths are estimated, so lines break about where Windows would.
#pragma once
#include <string>

#include "ui/headless/headless_toolkit.h"

namespace tarvik {

// The whole tree below Root as one SVG document of Root's size.
std::string ControlTreeToSvg(ui::THeadlessRootPanel& root);

// "#RRGGBB" of a toolkit colour, system colours resolved.
std::string HexColor(ui::TUiColor color);

}  // namespace tarvik
