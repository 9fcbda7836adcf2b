// Charts laid out as Office lays them out by default: the title above, the
// legend beside or below, the plot area in what remains (or where the
// chart's manual layout puts it), the axes' labels outside the plot area.
#include "pptx/chart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <numeric>

#include "pptx/chart_draw.h"
#include "pptx/xml_helpers.h"

namespace tarvik {

namespace {

void AppendNumber(std::string& out, double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.3f", std::isfinite(value) ? value : 0.0);
  std::string text = buffer;
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  out += text == "-0" ? "0" : text;
}

std::string TitleText(const TChartData& data) {
  std::string text = RichText(data.Title);
  if (!text.empty() || (!data.Title && data.AutoTitleDeleted)) return text;
  // Office names a chart after its only series; a title of several series without text reads "Chart Title".
  if (data.SeriesCount() == 1 && !data.Groups[0].Series[0].Name.empty()) return data.Groups[0].Series[0].Name;
  return data.Title ? "Chart Title" : "";
}

// The title centred above the rest, wrapped within four fifths of the
// chart's width, as LibreOffice wraps it.
void PlaceTitle(TChartBuilder& chart, TRectD& rest) {
  const std::string text = TitleText(chart.Data);
  if (text.empty()) return;
  TTextStyle style = chart.Base;
  style.SizePt *= 1.2;
  style = TitleStyle(chart.Data.Title, style, chart.Ctx);
  const double width = std::min(rest.W, (rest.W + 2 * chart.Pad) * 0.8);
  double lines = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines += std::max(1.0, std::ceil(TextWidth(text.substr(start, end - start), style) / std::max(width, 1.0)));
    start = end + 1;
  }
  const double height = std::min(lines * style.SizePt * 1.2 * kEmuPerPt, rest.H / 2);
  // A dragged title's corner is its text's: the box shrinks to the text.
  const bool dragged = Dragged(chart.Data.Title);
  const double boxWidth = dragged ? DraggedWidth(text, style, width) : width;
  chart.AddText("Chart title", text, style,
                PlaceDragged(chart, chart.Data.Title, {rest.X + (rest.W - boxWidth) / 2, rest.Y, boxWidth, height}),
                kAlignCenter, dragged ? kAnchorTop : kAnchorMiddle);
  chart.Pieces.back().Shape->WrapText = true;
  rest.Y += height + chart.Pad / 2;
  rest.H -= height + chart.Pad / 2;
}

struct TLegendEntry {
  std::string Text;
  TColor Color = 0;
  bool Line = false;  // a line series shows a stroke, anything else a filled square
};

std::vector<TLegendEntry> LegendEntries(const TChartBuilder& chart) {
  std::vector<TLegendEntry> entries;
  const TChartGroup& first = chart.Data.Groups[0];
  if (IsRound(first.Type) && first.VaryColors) {
    for (size_t i = 0; i < chart.Data.Categories.size(); ++i)
      entries.push_back({chart.Data.Categories[i], chart.PointColor(first, first.Series[0], i), false});
    return entries;
  }
  for (const TChartGroup& group : chart.Data.Groups)
    for (const TChartSeries& series : group.Series) {
      const bool line = group.Type == TChartType::Line || group.Type == TChartType::Scatter;
      std::string name = series.Name.empty() ? "Series" + std::to_string(series.Index + 1) : series.Name;
      entries.push_back({name, line ? chart.LineColor(series) : chart.PointColor(group, series, SIZE_MAX), line});
    }
  return entries;
}

void AddLegendEntry(TChartBuilder& chart, const TLegendEntry& entry, const TTextStyle& style, double x, double y,
                    double textWidth) {
  const double size = style.SizePt * kEmuPerPt, key = size * 0.7, rowHeight = size * 1.4;
  auto mark = std::make_unique<TPPTXShape>();
  mark->Name = "Legend key " + entry.Text;
  if (entry.Line) {
    mark->Kind = skLine;
    SetLine(*mark, entry.Color, 2.25);
    chart.Add(std::move(mark), {x, y + rowHeight / 2, key * 1.6, 0});
  } else {
    mark->Kind = mark->GeometryKind = skRect;
    SetFill(*mark, entry.Color);
    chart.Add(std::move(mark), {x + key * 0.3, y + (rowHeight - key) / 2, key, key});
  }
  chart.AddText("Legend " + entry.Text, entry.Text, style, {x + key * 2, y, textWidth, rowHeight}, kAlignLeft,
                kAnchorMiddle);
}

// The legend on the side its legendPos names (right when none), taken from
// rest; at the side, centred on the whole chart's height as LibreOffice does.
void PlaceLegend(TChartBuilder& chart, const TRectD& box, TRectD& rest) {
  if (!chart.Data.Legend) return;
  const std::vector<TLegendEntry> entries = LegendEntries(chart);
  const TTextStyle style = ReadTextStyle(FindChildNode(chart.Data.Legend, "txPr"), chart.Base, chart.Ctx);
  const std::string pos = GetAttrText(FindChildNode(chart.Data.Legend, "legendPos"), "val", "r");
  const double size = style.SizePt * kEmuPerPt, rowHeight = size * 1.4, keyRoom = size * 1.6;
  if (pos == "t" || pos == "b") {
    // A grid filled row by row, each column as wide as its widest entry,
    // with as many columns as fit, centred as a whole: entries that do not
    // fit side by side stand in one column, their keys aligned.
    std::vector<double> widths;
    for (const TLegendEntry& entry : entries) widths.push_back(TextWidth(entry.Text, style) + keyRoom + size);
    std::vector<double> columns;
    double total = 0;
    for (size_t count = std::max<size_t>(entries.size(), 1);; --count) {
      columns.assign(count, 0);
      for (size_t i = 0; i < widths.size(); ++i) columns[i % count] = std::max(columns[i % count], widths[i]);
      total = std::accumulate(columns.begin(), columns.end(), 0.0);
      if (total <= rest.W || count == 1) break;
    }
    std::vector<double> lefts;
    for (double x = rest.X + std::max(0.0, (rest.W - total) / 2); double w : columns) lefts.push_back(x), x += w;
    const size_t rows = (entries.size() + columns.size() - 1) / columns.size();
    const double height = static_cast<double>(rows) * rowHeight;
    const double top = pos == "t" ? rest.Y : rest.Y + rest.H - height;
    for (size_t i = 0; i < entries.size(); ++i)
      AddLegendEntry(chart, entries[i], style, lefts[i % columns.size()],
                     top + rowHeight * static_cast<double>(i / columns.size()), columns[i % columns.size()] - keyRoom);
    if (pos == "t") rest.Y += height + chart.Pad / 2;
    rest.H -= height + chart.Pad / 2;
    return;
  }
  double textWidth = 0;
  for (const TLegendEntry& entry : entries) textWidth = std::max(textWidth, TextWidth(entry.Text, style));
  const double width = std::min(textWidth + keyRoom, rest.W * 0.4);
  const double height = std::min(static_cast<double>(entries.size()) * rowHeight, rest.H);
  const double x = pos == "l" ? rest.X : rest.X + rest.W - width;
  double y = std::clamp(box.Y + (box.H - height) / 2, rest.Y, rest.Y + rest.H - height);
  for (const TLegendEntry& entry : entries) {
    if (y + rowHeight > rest.Y + rest.H + 1) break;
    AddLegendEntry(chart, entry, style, x, y, width - keyRoom);
    y += rowHeight;
  }
  if (pos == "l") rest.X += width + chart.Pad;
  rest.W -= width + chart.Pad;
}

// The plot area the chart's manual layout sets (edge mode, fractions of the
// frame), or none.
bool ManualPlotArea(const TChartBuilder& chart, const TRectD& frame, TRectD& plot, bool& inner) {
  pugi::xml_node layout = chart.Data.PlotLayout;
  auto fraction = [&](const char* name, double& value) {
    pugi::xml_node node = FindChildNode(layout, name);
    value = std::atof(GetAttrText(node, "val", "-1").c_str());
    return node && value >= 0 && value <= 1;
  };
  double x = 0, y = 0, w = 0, h = 0;
  if (!layout || GetAttrText(FindChildNode(layout, "xMode"), "val", "factor") != "edge" ||
      GetAttrText(FindChildNode(layout, "yMode"), "val", "factor") != "edge" || !fraction("x", x) ||
      !fraction("y", y) || !fraction("w", w) || !fraction("h", h) || w <= 0.05 || h <= 0.05)
    return false;
  plot = {frame.X + x * frame.W, frame.Y + y * frame.H, std::min(w, 1 - x) * frame.W, std::min(h, 1 - y) * frame.H};
  inner = GetAttrText(FindChildNode(layout, "layoutTarget"), "val") == "inner";
  return true;
}

}  // namespace

std::vector<TChartPiece> ExpandChart(const TChartData& data, const TShapeXfrm& frame, const TChartContext& context) {
  if (data.Groups.empty() || frame.Cx <= 0 || frame.Cy <= 0) return {};
  TChartBuilder chart(data, context);
  const TRectD box{static_cast<double>(frame.X), static_cast<double>(frame.Y), static_cast<double>(frame.Cx),
                   static_cast<double>(frame.Cy)};
  chart.Frame = box;
  chart.Pad = std::min(box.W, box.H) * 0.03;
  chart.AddBackground("Chart area", data.SpaceSpPr, box);
  TRectD rest{box.X + chart.Pad, box.Y + chart.Pad, box.W - 2 * chart.Pad, box.H - 2 * chart.Pad};
  PlaceTitle(chart, rest);
  PlaceLegend(chart, box, rest);
  TRectD plot = rest;
  bool inner = false;
  const bool manual = ManualPlotArea(chart, box, plot, inner);
  if (plot.W <= 0 || plot.H <= 0) return {};
  const TChartType type = data.Groups[0].Type;
  const bool drawn = IsRound(type)                ? DrawRoundChart(chart, plot)
                     : type == TChartType::Radar ? DrawRadarChart(chart, plot)
                                                 : DrawAxisChart(chart, plot, manual && inner);
  if (!drawn) return {};
  return std::move(chart.Pieces);
}

TChartPiece ChartPlaceholder(const TShapeXfrm& frame, const TChartContext& context) {
  auto shape = std::make_unique<TPPTXShape>();
  shape->Name = "Chart";
  shape->Kind = skText;
  shape->GeometryKind = skRect;
  SetFill(*shape, 0xF2F2F2);
  SetLine(*shape, 0xBFBFBF, 0.75);
  TTextStyle style;
  style.SizePt = 14;
  style.Color = 0x7F7F7F;
  if (context.Theme.Fonts) style.Font = context.Theme.Fonts->MinorLatin;
  SetText(*shape, "Chart", style, kAlignCenter, kAnchorMiddle);
  return {std::move(shape), frame, {}};
}

void SetChartGeometry(const std::vector<TChartPathStep>& outline, TPPTXShape& shape) {
  if (outline.empty()) return;
  const double w = shape.WidthPx(), h = shape.HeightPx();
  TShapePath path;
  for (const TChartPathStep& step : outline) {
    if (!path.D.empty()) path.D += ' ';
    path.D += step.Op;
    if (step.Op == 'Z') continue;
    if (step.Op == 'A') {
      AppendNumber(path.D, step.Rx * w);
      path.D += ' ';
      AppendNumber(path.D, step.Ry * h);
      path.D += step.Large ? " 0 1 " : " 0 0 ";
      path.D += step.Sweep ? "1 " : "0 ";
    } else if (step.Op == 'C') {
      for (const double v : {step.Rx * w, step.Ry * h, step.Cx * w, step.Cy * h}) {
        AppendNumber(path.D, v);
        path.D += ' ';
      }
    }
    AppendNumber(path.D, step.X * w);
    path.D += ' ';
    AppendNumber(path.D, step.Y * h);
  }
  shape.Geometry.Paths = {std::move(path)};
}

}  // namespace tarvik
