// Tables expanded into cell shapes and border lines, styled by the cells'
// own properties over the parts of their table style that apply to them.
#include "pptx/table.h"

#include <algorithm>
#include <array>

#include "pptx/xml_helpers.h"

namespace tarvik {

namespace {

// A hostile table of a million cells would become a million shapes.
constexpr size_t kMaxRows = 500, kMaxColumns = 100, kMaxCells = 10000;
constexpr int64_t kDefaultMarginX = 91440, kDefaultMarginY = 45720;

// The parts of the table style that apply to a cell, weakest first.
using TStyleParts = std::vector<pugi::xml_node>;

struct TLayout {
  std::vector<int64_t> Widths, Heights;
  bool FirstRow = false, LastRow = false, FirstCol = false, LastCol = false, BandRow = false, BandCol = false;
  pugi::xml_node Style;  // the a:tblStyle the table names
};

pugi::xml_node FindStyle(pugi::xml_node styles, const std::string& id) {
  if (id.empty()) return {};
  for (pugi::xml_node style = styles.first_child(); style; style = style.next_sibling())
    if (IsElementNamed(style, "tblStyle") && GetAttrText(style, "styleId") == id) return style;
  return {};
}

bool Flag(pugi::xml_node tblPr, const char* name) {
  std::string value = GetAttrText(tblPr, name);
  return value == "1" || SameText(value, "true");
}

TStyleParts PartsFor(const TLayout& layout, size_t row, size_t col, size_t lastRow, size_t lastCol) {
  TStyleParts parts;
  auto add = [&](const char* name) {
    if (pugi::xml_node part = FindChildNode(layout.Style, name)) parts.push_back(part);
  };
  add("wholeTbl");
  if (layout.BandCol) {
    const size_t band = col - (layout.FirstCol ? 1 : 0);
    if (!(layout.FirstCol && col == 0)) add(band % 2 == 0 ? "band1V" : "band2V");
  }
  if (layout.BandRow) {
    const size_t band = row - (layout.FirstRow ? 1 : 0);
    if (!(layout.FirstRow && row == 0)) add(band % 2 == 0 ? "band1H" : "band2H");
  }
  if (layout.LastCol && col == lastCol) add("lastCol");
  if (layout.FirstCol && col == 0) add("firstCol");
  if (layout.LastRow && row == lastRow) add("lastRow");
  if (layout.FirstRow && row == 0) add("firstRow");
  return parts;
}

// The strongest part's child at path (tcStyle/fill, tcTxStyle ...); empty when none has one.
pugi::xml_node Strongest(const TStyleParts& parts, const char* first, const char* second = nullptr) {
  for (auto it = parts.rbegin(); it != parts.rend(); ++it) {
    pugi::xml_node node = FindChildNode(*it, first);
    if (second) node = FindChildNode(node, second);
    if (node) return node;
  }
  return {};
}

void SetSolidFill(TPPTXShape& shape) {
  TColor color = 0;
  shape.HasFill = SolidColorOf(shape.Fill, color);
  if (shape.HasFill) shape.FillColor = color;
}

void ReadCellFill(pugi::xml_node tcPr, const TStyleParts& parts, const TTableContext& ctx, TPPTXShape& cell) {
  if (ReadFill(tcPr, ctx.Paint, cell.Fill)) {
    SetSolidFill(cell);
    return;
  }
  for (auto it = parts.rbegin(); it != parts.rend(); ++it) {
    pugi::xml_node style = FindChildNode(*it, "tcStyle");
    if (ReadFill(FindChildNode(style, "fill"), ctx.Paint, cell.Fill) ||
        ReadFillReference(FindChildNode(style, "fillRef"), ctx.Paint, cell.Fill)) {
      SetSolidFill(cell);
      return;
    }
  }
}

void ReadCellText(pugi::xml_node tc, pugi::xml_node tcPr, const TStyleParts& parts, const TTableContext& ctx,
                  TPPTXShape& cell) {
  TTextInheritance text;
  text.ListStyles = ctx.ListStyles;
  text.FontRef = Strongest(parts, "tcTxStyle");
  ParseTextBody(FindChildNode(tc, "txBody"), text, ctx.Theme, cell);
  auto margin = [&](const char* name, int64_t def) {
    return static_cast<int32_t>(EmuToPx(GetAttrInt64(tcPr, name, def)));
  };
  cell.MarginLeftPx = margin("marL", kDefaultMarginX);
  cell.MarginRightPx = margin("marR", kDefaultMarginX);
  cell.MarginTopPx = margin("marT", kDefaultMarginY);
  cell.MarginBottomPx = margin("marB", kDefaultMarginY);
  std::string anchor = LowerAscii(GetAttrText(tcPr, "anchor"));
  cell.VerticalAnchor = anchor == "ctr" ? kAnchorMiddle : (anchor == "b" ? kAnchorBottom : kAnchorTop);
}

// One side of a cell: its own line (lnL ...), else the table style's border
// for that side, which is the outer one at the table's edge and the inner
// one inside it.
bool ReadBorder(pugi::xml_node tcPr, const char* own, const TStyleParts& parts, const char* styleSide,
                const TTableContext& ctx, TPPTXShape& line) {
  if (pugi::xml_node ln = FindChildNode(tcPr, own)) {
    ReadLineStyle(ln, {}, ctx.Paint, line);
    return true;
  }
  for (auto it = parts.rbegin(); it != parts.rend(); ++it) {
    pugi::xml_node side = FindChildNode(FindChildNode(FindChildNode(*it, "tcStyle"), "tcBdr"), styleSide);
    if (!side) continue;
    ReadLineStyle(FindChildNode(side, "ln"), FindChildNode(side, "lnRef"), ctx.Paint, line);
    return true;
  }
  return false;
}

TLayout ReadLayout(pugi::xml_node tbl, const TTableContext& ctx) {
  TLayout layout;
  std::vector<pugi::xml_node> columns, rows;
  FindChildNodes(FindChildNode(tbl, "tblGrid"), "gridCol", columns);
  FindChildNodes(tbl, "tr", rows);
  for (size_t i = 0; i < std::min(columns.size(), kMaxColumns); ++i)
    layout.Widths.push_back(std::max<int64_t>(GetAttrInt64(columns[i], "w", 0), 0));
  for (size_t i = 0; i < std::min(rows.size(), kMaxRows); ++i)
    layout.Heights.push_back(std::max<int64_t>(GetAttrInt64(rows[i], "h", 0), 0));
  pugi::xml_node tblPr = FindChildNode(tbl, "tblPr");
  layout.FirstRow = Flag(tblPr, "firstRow");
  layout.LastRow = Flag(tblPr, "lastRow");
  layout.FirstCol = Flag(tblPr, "firstCol");
  layout.LastCol = Flag(tblPr, "lastCol");
  layout.BandRow = Flag(tblPr, "bandRow");
  layout.BandCol = Flag(tblPr, "bandCol");
  layout.Style = FindChildNode(tblPr, "tblStyle");  // a style written into the table itself
  if (!layout.Style) layout.Style = FindStyle(ctx.Styles, ElementText(FindChildNode(tblPr, "tableStyleId")));
  return layout;
}

int64_t Sum(const std::vector<int64_t>& values, size_t from, size_t to) {
  int64_t sum = 0;
  for (size_t i = from; i < std::min(to, values.size()); ++i) sum += values[i];
  return sum;
}

}  // namespace

std::vector<TTablePiece> ExpandTable(pugi::xml_node tbl, int64_t x, int64_t y, const TTableContext& context) {
  std::vector<TTablePiece> cells, borders;
  const TLayout layout = ReadLayout(tbl, context);
  if (layout.Widths.empty() || layout.Heights.empty()) return cells;
  const size_t lastRow = layout.Heights.size() - 1, lastCol = layout.Widths.size() - 1;
  std::vector<pugi::xml_node> rows;
  FindChildNodes(tbl, "tr", rows);
  for (size_t r = 0; r <= lastRow && cells.size() < kMaxCells; ++r) {
    size_t c = 0;
    for (pugi::xml_node tc = rows[r].first_child(); tc && c <= lastCol; tc = tc.next_sibling()) {
      if (!IsElementNamed(tc, "tc")) continue;
      const size_t col = c;
      const size_t colSpan = static_cast<size_t>(std::clamp<int64_t>(GetAttrInt64(tc, "gridSpan", 1), 1, 100));
      const size_t rowSpan = static_cast<size_t>(std::clamp<int64_t>(GetAttrInt64(tc, "rowSpan", 1), 1, 500));
      c += 1;  // a spanning cell is followed by hMerge cells for the columns it covers
      if (Flag(tc, "hMerge") || Flag(tc, "vMerge") || cells.size() >= kMaxCells) continue;
      const size_t endCol = std::min(col + colSpan, lastCol + 1), endRow = std::min(r + rowSpan, lastRow + 1);
      TShapeXfrm box;
      box.X = x + Sum(layout.Widths, 0, col);
      box.Y = y + Sum(layout.Heights, 0, r);
      box.Cx = Sum(layout.Widths, col, endCol);
      box.Cy = Sum(layout.Heights, r, endRow);

      const TStyleParts parts = PartsFor(layout, r, col, lastRow, lastCol);
      pugi::xml_node tcPr = FindChildNode(tc, "tcPr");
      auto cell = std::make_unique<TPPTXShape>();
      cell->Name = "Cell " + std::to_string(r + 1) + "," + std::to_string(col + 1);
      cell->GeometryKind = skRect;
      ReadCellFill(tcPr, parts, context, *cell);
      ReadCellText(tc, tcPr, parts, context, *cell);
      cell->Kind = TrimControl(cell->PlainText()).empty() ? skRect : skText;

      const struct {
        const char* Own;
        const char* Side;
        int64_t X1, Y1, X2, Y2;
      } sides[] = {
          {"lnT", r == 0 ? "top" : "insideH", box.X, box.Y, box.X + box.Cx, box.Y},
          {"lnB", endRow - 1 == lastRow ? "bottom" : "insideH", box.X, box.Y + box.Cy, box.X + box.Cx, box.Y + box.Cy},
          {"lnL", col == 0 ? "left" : "insideV", box.X, box.Y, box.X, box.Y + box.Cy},
          {"lnR", endCol - 1 == lastCol ? "right" : "insideV", box.X + box.Cx, box.Y, box.X + box.Cx, box.Y + box.Cy},
      };
      for (const auto& side : sides) {
        auto line = std::make_unique<TPPTXShape>();
        if (!ReadBorder(tcPr, side.Own, parts, side.Side, context, *line) || !line->HasLine) continue;
        line->Kind = skLine;
        line->Name = cell->Name + " border";
        TShapeXfrm segment;
        segment.X = side.X1;
        segment.Y = side.Y1;
        segment.Cx = side.X2 - side.X1;
        segment.Cy = side.Y2 - side.Y1;
        borders.push_back({std::move(line), segment});
      }
      cells.push_back({std::move(cell), box});
    }
  }
  for (TTablePiece& border : borders) cells.push_back(std::move(border));
  return cells;
}

}  // namespace tarvik
