// The theme's fonts and colour scheme (always ppt/theme/theme1.xml), and the
// turning of any DrawingML colour element into one concrete TColor.
#pragma once
#include <string>
#include <unordered_map>

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

// The theme's colour scheme; empty when there is no theme or scheme.
// Raises ETarvikError when the theme part is not well-formed.
ThemeColorMap LoadThemeColors(const std::string& extractFolder);

// Applies lumMod, lumOff, shade and tint children of element in order, with
// 32-bit integer arithmetic, truncating division and no clamping until the end.
TColor ApplyColorModifiers(TColor color, pugi::xml_node element);

// bg1/tx1/bg2/tx2 alias lt1/dk1/lt2/dk2; a name the map lacks gives black;
// then the element's modifiers apply.
TColor ResolveSchemeColor(const ThemeColorMap* map, const std::string& name, pugi::xml_node element);

// The colour of element's direct solidFill child: srgbClr, schemeClr or
// sysClr (its stored lastClr). False, with color 0, when there is none.
bool ReadSolidFill(pugi::xml_node element, const ThemeColorMap* map, TColor& color);

}  // namespace tarvik
