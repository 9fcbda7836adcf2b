// Tables expanded into cell shapes and border lines, styled by the cells'
// own properties over the parts of their table style that apply to them.
#include "pptx/table.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <string_view>

#include "pptx/builtin_table_styles.h"
#include "pptx/font_metrics.h"
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
  std::shared_ptr<pugi::xml_document> BuiltIn;  // holds Style when it is a built-in one
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

int64_t MarginEmu(pugi::xml_node tcPr, const char* name) {
  const bool across = name[3] == 'L' || name[3] == 'R';
  return std::max<int64_t>(GetAttrInt64(tcPr, name, across ? kDefaultMarginX : kDefaultMarginY), 0);
}

void ReadCellText(pugi::xml_node tc, pugi::xml_node tcPr, const TStyleParts& parts, const TTableContext& ctx,
                  TPPTXShape& cell) {
  TTextInheritance text;
  text.ListStyles = ctx.ListStyles;
  text.FontRef = Strongest(parts, "tcTxStyle");
  ParseTextBody(FindChildNode(tc, "txBody"), text, ctx.Theme, cell);
  cell.SetMarginsEmu(MarginEmu(tcPr, "marL"), MarginEmu(tcPr, "marT"), MarginEmu(tcPr, "marR"),
                     MarginEmu(tcPr, "marB"));
  std::string anchor = LowerAscii(GetAttrText(tcPr, "anchor"));
  cell.VerticalAnchor = anchor == "ctr" ? kAnchorMiddle : (anchor == "b" ? kAnchorBottom : kAnchorTop);
  SetVerticalText(GetAttrText(tcPr, "vert"), cell);
}

// The name a style part gives a cell's side: its outer edge (top, left ...)
// where the side lies on the part's border, else the line inside it. A row
// part's top and bottom are always its border, as are a column part's left
// and right; the other sides, like all of the whole table's, are inside
// unless at the table's edge.
const char* PartSide(pugi::xml_node part, char side, bool atEdge) {
  static const struct {
    char Side;
    const char *Outer, *Inner;
  } kSides[] = {
      {'T', "top", "insideH"}, {'B', "bottom", "insideH"}, {'L', "left", "insideV"}, {'R', "right", "insideV"}};
  const std::string name = part.name();
  const bool rowPart = name.ends_with("Row") || name.ends_with("H");
  const bool colPart = name.ends_with("Col") || name.ends_with("V");
  for (const auto& s : kSides) {
    if (s.Side != side) continue;
    const bool across = side == 'T' || side == 'B';
    return atEdge || (across && rowPart) || (!across && colPart) ? s.Outer : s.Inner;
  }
  return "";
}

// One side of a cell: its own line (lnL ...), else the strongest table style
// part's line for that side.
bool ReadBorder(pugi::xml_node tcPr, const char* own, const TStyleParts& parts, char side, bool atEdge,
                const TTableContext& ctx, TPPTXShape& line) {
  if (pugi::xml_node ln = FindChildNode(tcPr, own)) {
    ReadLineStyle(ln, {}, ctx.Paint, line);
    return true;
  }
  for (auto it = parts.rbegin(); it != parts.rend(); ++it) {
    pugi::xml_node bdr = FindChildNode(FindChildNode(*it, "tcStyle"), "tcBdr");
    pugi::xml_node found = FindChildNode(bdr, PartSide(*it, side, atEdge));
    if (!found) continue;
    ReadLineStyle(FindChildNode(found, "ln"), FindChildNode(found, "lnRef"), ctx.Paint, line);
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
  const std::string id = ElementText(FindChildNode(tblPr, "tableStyleId"));
  if (!layout.Style) layout.Style = FindStyle(ctx.Styles, id);
  // PowerPoint leaves its built-in styles out of the file.
  if (!layout.Style && !id.empty()) {
    layout.BuiltIn = std::make_shared<pugi::xml_document>();
    layout.Style = BuiltInTableStyle(id, *layout.BuiltIn);
  }
  return layout;
}

int64_t Sum(const std::vector<int64_t>& values, size_t from, size_t to) {
  int64_t sum = 0;
  for (size_t i = from; i < std::min(to, values.size()); ++i) sum += values[i];
  return sum;
}

// A cell read from the table, before the rows know their heights.
struct TCell {
  std::unique_ptr<TPPTXShape> Shape;
  size_t Row = 0, Col = 0, EndRow = 0, EndCol = 0;
  pugi::xml_node Properties;  // tcPr
  TStyleParts Parts;
};

std::vector<TCell> ReadCells(pugi::xml_node tbl, const TLayout& layout, const TTableContext& context) {
  std::vector<TCell> cells;
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
      TCell cell;
      cell.Row = r;
      cell.Col = col;
      cell.EndCol = std::min(col + colSpan, lastCol + 1);
      cell.EndRow = std::min(r + rowSpan, lastRow + 1);
      cell.Parts = PartsFor(layout, r, col, lastRow, lastCol);
      cell.Properties = FindChildNode(tc, "tcPr");
      cell.Shape = std::make_unique<TPPTXShape>();
      cell.Shape->Name = "Cell " + std::to_string(r + 1) + "," + std::to_string(col + 1);
      cell.Shape->GeometryKind = skRect;
      ReadCellFill(cell.Properties, cell.Parts, context, *cell.Shape);
      ReadCellText(tc, cell.Properties, cell.Parts, context, *cell.Shape);
      cell.Shape->Kind = TrimControl(cell.Shape->PlainText()).empty() ? skRect : skText;
      cells.push_back(std::move(cell));
    }
  }
  return cells;
}

// A paragraph's lines as the slide editors break them: at spaces, a word
// that does not fit on its own breaking where the line ends; each line as
// tall as its largest font's ascent plus descent, times the paragraph's
// spacing.
class TLineCounter {
 public:
  TLineCounter(const TPPTXParagraph& paragraph, double widthPt) : Paragraph(paragraph), Width(widthPt) {}

  void Add(const TPPTXTextRun& run, std::string_view word) {
    const double size = run.FontSizePt;
    const double advance = TextWidthEm(run.FontName, run.Bold, word) * size + run.LetterSpacingPt * word.size();
    const double visible = advance - TrailingSpaces(word) * TextWidthEm(run.FontName, run.Bold, " ") * size;
    if (LineWidth > 0 && LineWidth + visible > Width) EndLine();
    LineWidth += advance;
    const double lineEm = size * LineHeightEm(run.FontName, run.Bold, word);
    LineEm = std::max(LineEm, lineEm);
    // A word wider than the whole line breaks inside, over as many lines as it fills.
    if (visible > Width) {
      const double full = std::floor(visible / Width);
      EndLine();
      HeightPt += (full - 1) * Advance(lineEm);
      LineWidth = visible - full * Width;
      LineEm = lineEm;
    }
  }

  void EndLine() {
    HeightPt += Advance(LineEm > 0 ? LineEm : Paragraph.EndFontSizePt * LineHeightEm(LastFamily(), false));
    LineWidth = LineEm = 0;
  }

  double HeightPt = 0;

 private:
  static size_t TrailingSpaces(std::string_view word) {
    size_t count = 0;
    while (count < word.size() && word[word.size() - 1 - count] == ' ') ++count;
    return count;
  }
  double Advance(double fontHeightPt) const {
    return Paragraph.LineSpacingPt > 0 ? Paragraph.LineSpacingPt : fontHeightPt * Paragraph.LineSpacingPct / 100;
  }
  std::string_view LastFamily() const {
    return Paragraph.Runs.empty() ? std::string_view() : std::string_view(Paragraph.Runs.back().FontName);
  }

  const TPPTXParagraph& Paragraph;
  double Width, LineWidth = 0, LineEm = 0;
};

// Rows grow to hold their text, as the slide editors grow them: a row's
// height is a minimum.
int64_t TextHeightEmu(const TPPTXShape& cell, int64_t widthEmu) {
  constexpr double kEmuPerPt = 12700;
  double height = 0;
  for (size_t i = 0; i < cell.Paragraphs.size(); ++i) {
    const TPPTXParagraph& paragraph = cell.Paragraphs[i];
    const double width = std::max<double>(widthEmu - paragraph.MarginLeftEmu - paragraph.MarginRightEmu, kEmuPerPt);
    TLineCounter lines(paragraph, width / kEmuPerPt);
    for (const TPPTXTextRun& run : paragraph.Runs) {
      if (run.Text == "\n") {
        lines.EndLine();
        continue;
      }
      for (size_t at = 0; at < run.Text.size();) {
        size_t end = run.Text.find(' ', at);
        end = end == std::string::npos ? run.Text.size() : run.Text.find_first_not_of(' ', end);
        if (end == std::string::npos) end = run.Text.size();
        lines.Add(run, std::string_view(run.Text).substr(at, end - at));
        at = end;
      }
    }
    lines.EndLine();
    height += (lines.HeightPt + cell.SpaceBeforeDrawnPt(i) + cell.SpaceAfterDrawnPt(i)) * kEmuPerPt;
  }
  return static_cast<int64_t>(height);
}

void GrowRows(const std::vector<TCell>& cells, TLayout& layout) {
  for (const TCell& cell : cells) {
    // Turned text runs along the row, which its lines do not make taller.
    if (cell.EndRow - cell.Row != 1 || cell.Shape->Kind != skText || cell.Shape->VerticalTextDeg != 0) continue;
    const int64_t width =
        Sum(layout.Widths, cell.Col, cell.EndCol) - MarginEmu(cell.Properties, "marL") - MarginEmu(cell.Properties, "marR");
    const int64_t needed =
        TextHeightEmu(*cell.Shape, width) + MarginEmu(cell.Properties, "marT") + MarginEmu(cell.Properties, "marB");
    layout.Heights[cell.Row] = std::max(layout.Heights[cell.Row], needed);
  }
}

}  // namespace

std::vector<TTablePiece> ExpandTable(pugi::xml_node tbl, int64_t x, int64_t y, const TTableContext& context) {
  TLayout layout = ReadLayout(tbl, context);
  std::vector<TCell> cells = ReadCells(tbl, layout, context);
  GrowRows(cells, layout);
  std::vector<TTablePiece> pieces, borders;
  const size_t lastRow = layout.Heights.size() - 1, lastCol = layout.Widths.size() - 1;
  for (TCell& cell : cells) {
    TShapeXfrm box;
    box.X = x + Sum(layout.Widths, 0, cell.Col);
    box.Y = y + Sum(layout.Heights, 0, cell.Row);
    box.Cx = Sum(layout.Widths, cell.Col, cell.EndCol);
    box.Cy = Sum(layout.Heights, cell.Row, cell.EndRow);
    const struct {
      const char* Own;
      char Side;
      bool AtEdge;
      int64_t X1, Y1, X2, Y2;
    } sides[] = {
        {"lnT", 'T', cell.Row == 0, box.X, box.Y, box.X + box.Cx, box.Y},
        {"lnB", 'B', cell.EndRow - 1 == lastRow, box.X, box.Y + box.Cy, box.X + box.Cx, box.Y + box.Cy},
        {"lnL", 'L', cell.Col == 0, box.X, box.Y, box.X, box.Y + box.Cy},
        {"lnR", 'R', cell.EndCol - 1 == lastCol, box.X + box.Cx, box.Y, box.X + box.Cx, box.Y + box.Cy},
    };
    for (const auto& side : sides) {
      auto line = std::make_unique<TPPTXShape>();
      if (!ReadBorder(cell.Properties, side.Own, cell.Parts, side.Side, side.AtEdge, context, *line) ||
          !line->HasLine)
        continue;
      line->Kind = skLine;
      line->Name = cell.Shape->Name + " border";
      TShapeXfrm segment;
      segment.X = side.X1;
      segment.Y = side.Y1;
      segment.Cx = side.X2 - side.X1;
      segment.Cy = side.Y2 - side.Y1;
      borders.push_back({std::move(line), segment});
    }
    pieces.push_back({std::move(cell.Shape), box});
  }
  for (TTablePiece& border : borders) pieces.push_back(std::move(border));
  return pieces;
}

}  // namespace tarvik
