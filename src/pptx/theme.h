// The theme's fonts and colour scheme (always ppt/theme/theme1.xml), and the
// turning of any DrawingML colour element into one concrete TColor.
#pragma once
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include <pugixml.hpp>

#include "pptx/model.h"

namespace tarvik {

// Scheme colour name in lower case (dk1, lt1, accent1 ...) -> colour.
using ThemeColorMap = std::unordered_map<std::string, TColor>;

// The theme part's path below an extraction folder.
std::string ThemePartPath(const std::string& extractFolder);

// "FF0000" -> 0x0000FF. Blanks and control characters at both ends and one
// leading "#" are ignored; fewer than six characters give 0; a pair that is
// not hexadecimal reads as 0; characters after the sixth are ignored.
TColor ParseHexColor(const std::string& text);

// The latin typeface of the theme's major (headings) or minor (body) font;
// "" when there is no theme part or any step is missing.
std::string LoadThemeFont(const std::string& extractFolder, bool major);

// A theme's font scheme: the major (headings) and minor (body) typefaces for
// latin, east Asian and complex-script text; "" where the theme names none.
struct TThemeFonts {
  std::string MajorLatin, MajorEastAsian, MajorComplex;
  std::string MinorLatin, MinorEastAsian, MinorComplex;
  // Each font's typeface per script ("Arab", "Hebr", "Jpan" ...), for text of
  // that script where the east Asian or complex-script typeface is empty.
  std::vector<std::pair<std::string, std::string>> MajorScripts = {}, MinorScripts = {};
};
TThemeFonts ReadThemeFonts(pugi::xml_node themeRoot);
// The colour scheme of a theme element (a:theme); empty when it has none.
ThemeColorMap ReadThemeColors(pugi::xml_node themeRoot);

// "+mj-lt" is the major latin typeface, "+mn-ea" the minor east Asian one and
// so on; an east Asian or complex-script reference the theme leaves empty
// takes the theme's typeface for the text's script (scriptTag, "Arab" ...)
// where it lists one, else the latin typeface. Any other name comes back
// unchanged.
std::string ResolveThemeTypeface(const std::string& typeface, const TThemeFonts& fonts,
                                 std::string_view scriptTag = {});

// The scheme colours as a master's clrMap (or a clrMapOvr's overrideClrMapping)
// maps them: each of its attributes (bg1="lt1", tx1="dk1", accent1="accent1" ...)
// names the theme colour its own name stands for. Without a map the theme's
// colours come back unchanged, and ResolveSchemeColor's fixed aliases apply.
ThemeColorMap ApplyColorMap(const ThemeColorMap& theme, pugi::xml_node clrMap);

// The theme's colour scheme; empty when there is no theme or scheme.
// Raises ETarvikError when the theme part is not well-formed.
ThemeColorMap LoadThemeColors(const std::string& extractFolder);

// Applies lumMod, lumOff, shade and tint children of element in order:
// lumMod and lumOff with 32-bit integer arithmetic, truncating division and
// no clamping until the end; shade and tint in linear light.
TColor ApplyColorModifiers(TColor color, pugi::xml_node element);

// A name the map holds gives its colour; otherwise bg1/tx1/bg2/tx2 alias
// lt1/dk1/lt2/dk2, and a name the map lacks gives black; then the element's
// modifiers apply. "phClr" is the map's "phclr" entry, which a caller sets to
// the colour of the style that refers to it.
TColor ResolveSchemeColor(const ThemeColorMap* map, const std::string& name, pugi::xml_node element);

// One colour element: srgbClr, schemeClr, sysClr (its stored lastClr),
// prstClr, scrgbClr or hslClr, with its modifiers. False, with color 0, for
// anything else.
bool ReadColor(pugi::xml_node value, const ThemeColorMap* map, TColor& color);

// The colour of element's direct solidFill child (see ReadColor). False, with
// color 0, when there is none.
bool ReadSolidFill(pugi::xml_node element, const ThemeColorMap* map, TColor& color);

// The opacity a colour element's alpha child gives it, 0 to 1; 1 without one.
double ColorAlpha(pugi::xml_node color);

}  // namespace tarvik
