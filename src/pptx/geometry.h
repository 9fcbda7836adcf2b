// DrawingML geometry as SVG path data: the preset shapes with their adjust
// values, and custom geometry (custGeom), both evaluated through the shape
// guide formulas of the OOXML standard (ECMA-376) and scaled into the box.
//
// Every number in the output is finite and written with at most three
// decimals, a full stop and no exponent, whatever the input holds.
#pragma once
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

#include "pptx/model.h"

namespace tarvik {

// prst name ("rightArrow", matched exactly), the adjust values of its avLst as
// written in the file ("adj" -> 25000, "adj1" ...; names the preset does not
// have are ignored), the box size in pixels. False, with out untouched, for a
// name it does not know.
bool PresetGeometry(std::string_view preset, const std::map<std::string, double>& adjust, double width,
                    double height, TShapeGeometry& out);

// A custGeom element (avLst, gdLst, rect, pathLst with each path's w/h
// coordinate space, moveTo, lnTo, cubicBezTo, quadBezTo, arcTo, close;
// fill/stroke attributes), scaled into the box of width x height pixels.
// Guides see w and h in EMU (9525 to a pixel), as in the file. False, with out
// untouched, when it holds no path that draws anything.
bool CustomGeometry(pugi::xml_node custGeom, double width, double height, TShapeGeometry& out);

// Every name PresetGeometry knows, in its table's order.
std::vector<std::string_view> PresetNames();

}  // namespace tarvik
