// System colour lookup: GetSysColor on Windows, Windows' default scheme elsewhere.
#include "htmlexport/system_colors.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tarvik {

namespace {

constexpr int kSysColorCount = 31;  // COLOR_SCROLLBAR .. COLOR_MENUBAR

#ifndef _WIN32
constexpr TColor Rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

// Windows 10's defaults, by COLOR_* index.
constexpr TColor kDefaultSysColors[] = {
    Rgb(200, 200, 200),  // 0  COLOR_SCROLLBAR
    Rgb(0, 0, 0),        // 1  COLOR_BACKGROUND
    Rgb(153, 180, 209),  // 2  COLOR_ACTIVECAPTION
    Rgb(191, 205, 219),  // 3  COLOR_INACTIVECAPTION
    Rgb(240, 240, 240),  // 4  COLOR_MENU
    Rgb(255, 255, 255),  // 5  COLOR_WINDOW
    Rgb(100, 100, 100),  // 6  COLOR_WINDOWFRAME
    Rgb(0, 0, 0),        // 7  COLOR_MENUTEXT
    Rgb(0, 0, 0),        // 8  COLOR_WINDOWTEXT
    Rgb(0, 0, 0),        // 9  COLOR_CAPTIONTEXT
    Rgb(180, 180, 180),  // 10 COLOR_ACTIVEBORDER
    Rgb(244, 247, 252),  // 11 COLOR_INACTIVEBORDER
    Rgb(171, 171, 171),  // 12 COLOR_APPWORKSPACE
    Rgb(0, 120, 215),    // 13 COLOR_HIGHLIGHT
    Rgb(255, 255, 255),  // 14 COLOR_HIGHLIGHTTEXT
    Rgb(240, 240, 240),  // 15 COLOR_BTNFACE
    Rgb(160, 160, 160),  // 16 COLOR_BTNSHADOW
    Rgb(109, 109, 109),  // 17 COLOR_GRAYTEXT
    Rgb(0, 0, 0),        // 18 COLOR_BTNTEXT
    Rgb(0, 0, 0),        // 19 COLOR_INACTIVECAPTIONTEXT
    Rgb(255, 255, 255),  // 20 COLOR_BTNHIGHLIGHT
    Rgb(105, 105, 105),  // 21 COLOR_3DDKSHADOW
    Rgb(227, 227, 227),  // 22 COLOR_3DLIGHT
    Rgb(0, 0, 0),        // 23 COLOR_INFOTEXT
    Rgb(255, 255, 225),  // 24 COLOR_INFOBK
    Rgb(0, 0, 0),        // 25 (unused)
    Rgb(0, 102, 204),    // 26 COLOR_HOTLIGHT
    Rgb(185, 209, 234),  // 27 COLOR_GRADIENTACTIVECAPTION
    Rgb(215, 228, 242),  // 28 COLOR_GRADIENTINACTIVECAPTION
    Rgb(51, 153, 255),   // 29 COLOR_MENUHILIGHT
    Rgb(240, 240, 240),  // 30 COLOR_MENUBAR
};
static_assert(sizeof kDefaultSysColors / sizeof kDefaultSysColors[0] == kSysColorCount);
#endif

}  // namespace

TColor SysColorToRGB(int index) {
  if (index < 0 || index >= kSysColorCount) return 0;
#ifdef _WIN32
  return static_cast<TColor>(GetSysColor(index) & 0xFFFFFF);
#else
  return kDefaultSysColors[index];
#endif
}

}  // namespace tarvik
