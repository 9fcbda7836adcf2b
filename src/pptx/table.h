// A table (a:tbl in a graphic frame) as ordinary shapes: one text shape per
// cell, filled as the cell or its table style says, and one line per drawn
// cell border. Every consumer then shows the table without code of its own.
#pragma once
#include <memory>
#include <vector>

#include <pugixml.hpp>

#include "pptx/fill.h"
#include "pptx/group_transform.h"
#include "pptx/model.h"
#include "pptx/text_body.h"

namespace tarvik {

// What a table's cells inherit.
struct TTableContext {
  TPaintContext Paint;
  TTextTheme Theme;
  // The list styles a table's text takes what its runs leave open from.
  std::vector<pugi::xml_node> ListStyles;
  pugi::xml_node Styles;  // ppt/tableStyles.xml's root, or empty
};

// A shape of the table with its box in the frame's coordinate space.
struct TTablePiece {
  std::unique_ptr<TPPTXShape> Shape;
  TShapeXfrm Box;
};

// The cells and borders of tbl laid out from (x, y) by its grid and row
// heights, merged cells spanning their columns and rows. Cells come first,
// in row order, then the borders over them.
std::vector<TTablePiece> ExpandTable(pugi::xml_node tbl, int64_t x, int64_t y, const TTableContext& context);

}  // namespace tarvik
