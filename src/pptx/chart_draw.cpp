// Text, colours and paint of chart pieces; pies, doughnuts and radar charts.
#include "pptx/chart_draw.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <numbers>
#include <utility>
#include <vector>

#include "platform/ascii.h"
#include "pptx/font_metrics.h"
#include "pptx/xml_helpers.h"

namespace tarvik {

namespace {

int Channel(TColor color, int shift) { return (color >> shift) & 0xFF; }

TColor Mix(TColor color, double factor, int toward) {
  TColor out = 0;
  for (int shift : {0, 8, 16}) {
    const int c = Channel(color, shift);
    out |= static_cast<TColor>(std::lround(c + (toward - c) * factor)) << shift;
  }
  return out;
}

bool Flag(pugi::xml_node element, const char* name, bool def) {
  pugi::xml_attribute attr = FindAttr(element, name);
  if (!attr) return def;
  return std::string_view(attr.value()) == "1" || SameText(attr.value(), "true");
}

}  // namespace

void ApplyRunProperties(pugi::xml_node rPr, TTextStyle& style, const TChartContext& ctx) {
  if (!rPr) return;
  const int64_t size = GetAttrInt64(rPr, "sz", 0);
  if (size >= 100 && size <= 400000) style.SizePt = static_cast<double>(size) / 100;
  style.Bold = Flag(rPr, "b", style.Bold);
  style.Italic = Flag(rPr, "i", style.Italic);
  if (pugi::xml_attribute kern = FindAttr(rPr, "kern")) style.KernFromPt = kern.as_double() / 100;
  TColor color = 0;
  if (ReadSolidFill(rPr, ctx.Paint.Colors, color)) style.Color = color;
  const std::string typeface = GetAttrText(FindChildNode(rPr, "latin"), "typeface");
  if (!typeface.empty()) style.Font = ctx.Theme.Fonts ? ResolveThemeTypeface(typeface, *ctx.Theme.Fonts) : typeface;
}

TTextStyle ReadTextStyle(pugi::xml_node txPr, TTextStyle style, const TChartContext& ctx) {
  ApplyRunProperties(FindChildNode(FindChildNode(FindChildNode(txPr, "p"), "pPr"), "defRPr"), style, ctx);
  return style;
}

std::string RichText(pugi::xml_node title) {
  std::string text;
  std::vector<pugi::xml_node> paragraphs;
  FindChildNodes(FindChildNode(FindChildNode(title, "tx"), "rich"), "p", paragraphs);
  for (pugi::xml_node p : paragraphs) {
    if (!text.empty()) text += '\n';
    for (pugi::xml_node run = p.first_child(); run; run = run.next_sibling())
      if (IsElementNamed(run, "r") || IsElementNamed(run, "fld")) text += ElementText(FindChildNode(run, "t"));
  }
  return text;
}

TTextStyle TitleStyle(pugi::xml_node title, TTextStyle style, const TChartContext& ctx) {
  style.Bold = true;
  pugi::xml_node rich = FindChildNode(FindChildNode(title, "tx"), "rich");
  style = ReadTextStyle(rich ? rich : FindChildNode(title, "txPr"), style, ctx);
  if (pugi::xml_node run = FindDescendantNode(rich, "r")) ApplyRunProperties(FindChildNode(run, "rPr"), style, ctx);
  return style;
}

double TextWidth(const std::string& text, const TTextStyle& style) {
  double longest = 0;
  for (size_t start = 0; start <= text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    longest = std::max(longest, TextWidthEm(style.Font, style.Bold, std::string_view(text).substr(start, end - start)));
    start = end + 1;
  }
  return longest * style.SizePt * kEmuPerPt;
}

void SetFill(TPPTXShape& shape, TColor color) {
  shape.Fill = {};
  shape.Fill.Kind = kFillSolid;
  shape.Fill.Color = color;
  shape.HasFill = true;
  shape.FillColor = color;
}

void SetLine(TPPTXShape& shape, TColor color, double widthPt) {
  shape.HasLine = true;
  shape.LineColor = color;
  shape.LineWidthPt = widthPt;
}

void SetText(TPPTXShape& shape, const std::string& text, const TTextStyle& style, int32_t align, int32_t anchor) {
  shape.Paragraphs.clear();
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    TPPTXParagraph paragraph;
    paragraph.Alignment = align;
    paragraph.EndFontSizePt = style.SizePt;
    TPPTXTextRun run;
    run.Text = text.substr(start, end - start);
    run.FontName = style.Font;
    run.FontSizePt = style.SizePt;
    run.Bold = style.Bold;
    run.Italic = style.Italic;
    run.Kerning = style.SizePt >= style.KernFromPt - 0.005;
    run.Color = style.Color;
    run.HasColor = true;
    if (!run.Text.empty()) paragraph.Runs.push_back(std::move(run));
    shape.Paragraphs.push_back(std::move(paragraph));
    start = end + 1;
  }
  shape.SetMarginsEmu(0, 0, 0, 0);
  shape.VerticalAnchor = anchor;
  shape.WrapText = false;
}

bool IsRound(TChartType type) { return type == TChartType::Pie || type == TChartType::Doughnut; }

TChartBuilder::TChartBuilder(const TChartData& data, const TChartContext& ctx) : Data(data), Ctx(ctx) {
  Base.Color = ResolveSchemeColor(ctx.Paint.Colors, "tx1", {});
  if (ctx.Theme.Fonts) Base.Font = ctx.Theme.Fonts->MinorLatin;
  Base = ReadTextStyle(data.TxPr, Base, ctx);
}

void TChartBuilder::Add(std::unique_ptr<TPPTXShape> shape, const TRectD& box, std::vector<TChartPathStep> outline) {
  TShapeXfrm xfrm;
  xfrm.X = std::llround(box.X);
  xfrm.Y = std::llround(box.Y);
  xfrm.Cx = std::llround(box.W);
  xfrm.Cy = std::llround(box.H);
  Pieces.push_back({std::move(shape), xfrm, std::move(outline)});
}

void TChartBuilder::AddText(const std::string& name, const std::string& text, const TTextStyle& style,
                            const TRectD& box, int32_t align, int32_t anchor) {
  auto shape = std::make_unique<TPPTXShape>();
  shape->Name = name;
  shape->Kind = skText;
  shape->GeometryKind = skRect;
  SetText(*shape, text, style, align, anchor);
  Add(std::move(shape), box);
}

namespace {

std::unique_ptr<TPPTXShape> Stroked(const std::string& name, const TPPTXShape& style) {
  auto shape = std::make_unique<TPPTXShape>();
  shape->Name = name;
  shape->HasLine = true;
  shape->LineColor = style.LineColor;
  shape->LineWidthPt = style.LineWidthPt;
  shape->LineOpacity = style.LineOpacity;
  shape->LineDash = style.LineDash;
  return shape;
}

}  // namespace

void TChartBuilder::AddLine(const std::string& name, double x1, double y1, double x2, double y2,
                            const TPPTXShape& style) {
  auto line = Stroked(name, style);
  line->Kind = skLine;
  // The line runs from its box's top-left to its bottom-right corner unless flipped.
  line->FlipH = x2 < x1;
  line->FlipV = y2 < y1;
  Add(std::move(line), {std::min(x1, x2), std::min(y1, y2), std::fabs(x2 - x1), std::fabs(y2 - y1)});
}

void TChartBuilder::AddStroke(const std::string& name, const TRectD& box, std::vector<TChartPathStep> outline,
                              const TPPTXShape& style) {
  Add(Stroked(name, style), box, std::move(outline));
}

TColor TChartBuilder::AccentColor(size_t index) const {
  const TColor color = ResolveSchemeColor(Ctx.Paint.Colors, "accent" + std::to_string(index % 6 + 1), {});
  const size_t round = (index / 6) % 4;
  if (round == 0) return color;
  return round % 2 == 1 ? Mix(color, 0.4 / static_cast<double>((round + 1) / 2), 0)
                        : Mix(color, 0.4, 255);
}

TColor TChartBuilder::PointColor(const TChartGroup& group, const TChartSeries& series, size_t point) const {
  const bool vary = group.VaryColors && point != SIZE_MAX && (IsRound(group.Type) || group.Series.size() == 1);
  TPPTXShape shape;
  PaintPoint(group, series, vary ? point : SIZE_MAX, shape);
  return shape.HasFill ? shape.FillColor : AccentColor(vary ? point : series.Index);
}

TColor TChartBuilder::LineColor(const TChartSeries& series) const {
  TPPTXShape shape;
  SeriesStroke(series, shape);
  return shape.HasLine ? shape.LineColor : AccentColor(series.Index);
}

void TChartBuilder::PaintPoint(const TChartGroup& group, const TChartSeries& series, size_t point,
                               TPPTXShape& shape) const {
  pugi::xml_node spPr = series.SpPr;
  for (const auto& [index, own] : series.PointSpPr)
    if (index == point && own) spPr = own;
  const bool vary = group.VaryColors && point != SIZE_MAX && (IsRound(group.Type) || group.Series.size() == 1);
  if (ReadFill(spPr, Ctx.Paint, shape.Fill)) {
    TColor color = 0;
    shape.HasFill = SolidColorOf(shape.Fill, color);
    if (shape.HasFill) shape.FillColor = color;
  } else {
    SetFill(shape, AccentColor(vary ? point : series.Index));
  }
  ReadLineStyle(FindChildNode(spPr, "ln"), {}, Ctx.Paint, shape);
}

bool TChartBuilder::SeriesStroke(const TChartSeries& series, TPPTXShape& shape) const {
  pugi::xml_node ln = FindChildNode(series.SpPr, "ln");
  if (FindChildNode(ln, "noFill")) return false;
  ReadLineStyle(ln, {}, Ctx.Paint, shape);
  if (!shape.HasLine) SetLine(shape, AccentColor(series.Index), shape.LineWidthPt);
  if (shape.LineWidthPt <= 0) shape.LineWidthPt = 2.25;
  return true;
}

void TChartBuilder::AddBackground(const char* name, pugi::xml_node spPr, const TRectD& box) {
  if (!spPr) return;
  auto shape = std::make_unique<TPPTXShape>();
  shape->Name = name;
  shape->Kind = shape->GeometryKind = skRect;
  if (ReadFill(spPr, Ctx.Paint, shape->Fill)) {
    TColor color = 0;
    shape->HasFill = SolidColorOf(shape->Fill, color);
    if (shape->HasFill) shape->FillColor = color;
  }
  ReadLineStyle(FindChildNode(spPr, "ln"), {}, Ctx.Paint, *shape);
  if (shape->Fill.Kind == kFillNone && !shape->HasLine) return;
  Add(std::move(shape), box);
}

namespace {

// A point on the ellipse of the box, at deg clockwise from twelve o'clock.
TChartPathStep OnCircle(char op, double radius, double deg) {
  const double rad = deg * std::numbers::pi / 180;
  TChartPathStep step;
  step.Op = op;
  step.X = 0.5 + radius * std::sin(rad);
  step.Y = 0.5 - radius * std::cos(rad);
  step.Rx = step.Ry = radius;
  return step;
}

// A wedge from start to end degrees between the inner and outer radius
// (fractions of the box; inner 0 for a pie's wedge).
std::vector<TChartPathStep> Wedge(double start, double end, double inner, double outer) {
  std::vector<TChartPathStep> steps;
  if (end - start >= 359.99) {  // a whole ring: an arc cannot end where it starts
    for (double radius : {outer, inner}) {
      if (radius <= 0) continue;
      steps.push_back(OnCircle('M', radius, 0));
      steps.push_back(OnCircle('A', radius, 180));
      steps.push_back(OnCircle('A', radius, 360));
      steps.push_back({'Z'});
    }
    return steps;
  }
  const bool large = end - start > 180;
  steps.push_back(OnCircle('M', outer, start));
  steps.push_back(OnCircle('A', outer, end));
  steps.back().Large = large;
  if (inner > 0) {
    steps.push_back(OnCircle('L', inner, end));
    steps.push_back(OnCircle('A', inner, start));
    steps.back().Large = large;
    steps.back().Sweep = false;
  } else {
    steps.push_back({'L', 0.5, 0.5});
  }
  steps.push_back({'Z'});
  return steps;
}

}  // namespace

bool DrawRoundChart(TChartBuilder& chart, const TRectD& plot) {
  const TChartGroup& group = chart.Data.Groups[0];
  const double side = std::min(plot.W, plot.H);
  const TRectD box{plot.X + (plot.W - side) / 2, plot.Y + (plot.H - side) / 2, side, side};
  const bool doughnut = group.Type == TChartType::Doughnut;
  const size_t rings = doughnut ? group.Series.size() : 1;
  const double hole = doughnut ? 0.5 * group.HoleSizePct / 100.0 : 0;
  const double ring = (0.5 - hole) / static_cast<double>(rings);
  bool any = false;
  for (size_t s = 0; s < rings; ++s) {
    const TChartSeries& series = group.Series[s];
    double total = 0;
    for (double v : series.Values)
      if (std::isfinite(v) && v > 0) total += v;
    if (total <= 0) continue;
    const double outer = 0.5 - static_cast<double>(s) * ring, inner = doughnut ? outer - ring : 0;
    double angle = group.FirstSliceDeg;
    for (size_t i = 0; i < series.Values.size(); ++i) {
      const double v = series.Values[i];
      if (!std::isfinite(v) || v <= 0) continue;
      const double sweep = v / total * 360;
      auto wedge = std::make_unique<TPPTXShape>();
      wedge->Name = (series.Name.empty() ? "Series" : series.Name) + ", " + chart.Data.Categories[i];
      chart.PaintPoint(group, series, i, *wedge);
      chart.Add(std::move(wedge), box, Wedge(angle, angle + sweep, inner, outer));
      pugi::xml_node labels = series.Labels ? series.Labels : group.Labels;
      const std::string label = DataLabelText(chart, series, i, v, total, labels);
      if (!label.empty()) {
        const TChartPathStep at = OnCircle('M', (inner + outer) / 2 + (doughnut ? 0 : 0.07), angle + sweep / 2);
        const TTextStyle style = LabelStyle(chart, labels, i);
        const double width = TextWidth(label, style) + style.SizePt * kEmuPerPt, height = style.SizePt * 1.4 * kEmuPerPt;
        chart.AddText("Data label", label, style,
                      PlaceLabel(chart, labels, i,
                                 {box.X + at.X * side - width / 2, box.Y + at.Y * side - height / 2, width, height}),
                      kAlignCenter, kAnchorMiddle);
      }
      angle += sweep;
      any = true;
    }
  }
  return any;
}

namespace {

// A closed polygon through one point per category, at each point's share of the radius.
std::vector<TChartPathStep> RadarPolygon(const std::vector<double>& radii) {
  std::vector<TChartPathStep> steps;
  const double turn = 360.0 / static_cast<double>(radii.size());
  for (size_t i = 0; i < radii.size(); ++i)
    steps.push_back(OnCircle(i == 0 ? 'M' : 'L', radii[i], turn * static_cast<double>(i)));
  steps.push_back({'Z'});
  return steps;
}

// The value axis's steps from its minimum up, each with its ring's radius
// as a share of the web's box (0 to 0.5).
std::vector<std::pair<double, double>> RadarSteps(const TAxisScale& scale) {
  std::vector<std::pair<double, double>> steps;
  for (int k = 0; k <= 100; ++k) {
    const double v = scale.Min + k * scale.Step;
    if (v > scale.Max + scale.Step / 1000) break;
    steps.emplace_back(v, 0.5 * (v - scale.Min) / (scale.Max - scale.Min));
  }
  return steps;
}

void DrawRadarWeb(TChartBuilder& chart, const TRectD& box, const TAxisScale& scale, size_t spokes) {
  TPPTXShape grid;
  SetLine(grid, 0xB3B3B3, 0.75);
  for (const auto& [value, r] : RadarSteps(scale)) {
    if (r <= 0) continue;
    auto ring = std::make_unique<TPPTXShape>();
    ring->Name = "Gridline";
    SetLine(*ring, grid.LineColor, grid.LineWidthPt);
    chart.Add(std::move(ring), box, RadarPolygon(std::vector<double>(spokes, r)));
  }
  const double turn = 360.0 / static_cast<double>(spokes);
  for (size_t i = 0; i < spokes; ++i) {
    const TChartPathStep end = OnCircle('L', 0.5, turn * static_cast<double>(i));
    chart.AddLine("Gridline", box.X + box.W / 2, box.Y + box.H / 2, box.X + end.X * box.W, box.Y + end.Y * box.H,
                  grid);
  }
}

// The value labels up the first spoke, drawn after the series so that a
// filled web does not hide them.
void DrawRadarValues(TChartBuilder& chart, const TRectD& box, const TAxisScale& scale, const TTextStyle& style) {
  const double height = style.SizePt * 1.4 * kEmuPerPt;
  for (const auto& [value, r] : RadarSteps(scale)) {
    const std::string label = FormatChartNumber(value, chart.Data.ValueAxis.FormatCode);
    const double width = TextWidth(label, style) + style.SizePt * kEmuPerPt;
    chart.AddText("Value label", label, style, {box.X + box.W / 2 + style.SizePt * 0.3 * kEmuPerPt,
                                                 box.Y + box.H / 2 - r * box.H - height / 2, width, height},
                  kAlignLeft, kAnchorMiddle);
  }
}

// How a category label sits at a spoke's end: its box, and how far it stands
// off the end, the first spoke's clear of the value label centred on it.
struct TRadarLabels {
  TTextStyle Style;
  double FirstGap = 0, Gap = 0;
  double Width(const std::string& text) const { return TextWidth(text, Style) + Style.SizePt * kEmuPerPt; }
  double Height() const { return Style.SizePt * 1.4 * kEmuPerPt; }
  double GapAt(size_t spoke) const { return spoke == 0 ? FirstGap : Gap; }
};

// The categories just outside the web, each centred on its spoke's end.
void DrawRadarCategories(TChartBuilder& chart, const TRectD& box, size_t spokes, const TRadarLabels& labels) {
  const double height = labels.Height(), turn = 360.0 / static_cast<double>(spokes);
  for (size_t i = 0; i < spokes && i < chart.Data.Categories.size(); ++i) {
    const double gap = labels.GapAt(i);
    const std::string& text = chart.Data.Categories[i];
    const double width = labels.Width(text);
    const TChartPathStep at = OnCircle('M', 0.5, turn * static_cast<double>(i));
    // Pushed out along the spoke by the gap and half the label's own extent that way.
    const double dx = (at.X - 0.5) * 2, dy = (at.Y - 0.5) * 2;
    const double x = box.X + at.X * box.W + dx * (gap + width / 2);
    const double y = box.Y + at.Y * box.H + dy * (gap + height / 2);
    chart.AddText("Category label", text, labels.Style, {x - width / 2, y - height / 2, width, height},
                  kAlignCenter, kAnchorMiddle);
  }
}

// The square whose inscribed circle is the web's rim: as large as the plot
// allows with the category labels (when shown) outside the spokes' ends, and
// centred by what is drawn rather than by the circle, since a web of five
// spokes reaches less far below its centre than above it.
TRectD FitRadarWeb(const TChartBuilder& chart, const TRectD& plot, size_t spokes, const TRadarLabels* labels) {
  struct TSpoke {
    double Sin, Cos, W, H, Gap;
  };
  std::vector<TSpoke> ends;
  const double turn = 2 * std::numbers::pi / static_cast<double>(spokes);
  for (size_t i = 0; i < spokes; ++i) {
    const bool labelled = labels && i < chart.Data.Categories.size();
    ends.push_back({std::sin(turn * static_cast<double>(i)), -std::cos(turn * static_cast<double>(i)),
                    labelled ? labels->Width(chart.Data.Categories[i]) : 0, labelled ? labels->Height() : 0,
                    labelled ? labels->GapAt(i) : 0});
  }
  // The extent of the web and its labels about the centre, for a radius r,
  // by the same sums DrawRadarCategories places the labels by.
  auto extent = [&](double r, double& left, double& right, double& top, double& bottom) {
    left = right = top = bottom = 0;
    for (const TSpoke& e : ends) {
      const double x = e.Sin * (r + e.Gap + e.W / 2), y = e.Cos * (r + e.Gap + e.H / 2);
      left = std::min(left, x - e.W / 2), right = std::max(right, x + e.W / 2);
      top = std::min(top, y - e.H / 2), bottom = std::max(bottom, y + e.H / 2);
    }
  };
  const double least = std::min(plot.W, plot.H) / 6;
  double lo = least, hi = std::max(least, std::max(plot.W, plot.H) / 2);
  double left = 0, right = 0, top = 0, bottom = 0;
  for (int step = 0; step < 40; ++step) {
    const double r = (lo + hi) / 2;
    extent(r, left, right, top, bottom);
    (right - left <= plot.W && bottom - top <= plot.H ? lo : hi) = r;
  }
  extent(lo, left, right, top, bottom);
  const double cx = plot.X + (plot.W - (right - left)) / 2 - left;
  const double cy = plot.Y + (plot.H - (bottom - top)) / 2 - top;
  return {cx - lo, cy - lo, 2 * lo, 2 * lo};
}

}  // namespace

bool DrawRadarChart(TChartBuilder& chart, const TRectD& plot) {
  const TChartGroup& group = chart.Data.Groups[0];
  size_t spokes = chart.Data.Categories.size();
  double low = 0, high = -std::numeric_limits<double>::infinity();
  for (const TChartSeries& series : group.Series) {
    spokes = std::max(spokes, series.Values.size());
    for (double v : series.Values)
      if (std::isfinite(v)) low = std::min(low, v), high = std::max(high, v);
  }
  if (spokes < 3 || !std::isfinite(high)) return false;
  const TAxisScale scale = NiceScale(low, high, chart.Data.ValueAxis, 3);
  if (!(scale.Max > scale.Min)) return false;
  const bool values = !chart.Data.ValueAxis.Deleted && chart.Data.ValueAxis.ShowLabels;
  const bool categories = !chart.Data.CategoryAxis.Deleted && chart.Data.CategoryAxis.ShowLabels;
  const TTextStyle valueStyle = ReadTextStyle(chart.Data.ValueAxis.TxPr, chart.Base, chart.Ctx);
  TRadarLabels labels{ReadTextStyle(chart.Data.CategoryAxis.TxPr, chart.Base, chart.Ctx)};
  labels.Gap = labels.Style.SizePt * 0.2 * kEmuPerPt;
  labels.FirstGap = values ? std::max(labels.Gap, valueStyle.SizePt * 0.5 * kEmuPerPt) : labels.Gap;
  const TRectD box = FitRadarWeb(chart, plot, spokes, categories ? &labels : nullptr);
  DrawRadarWeb(chart, box, scale, spokes);
  // Filled areas are laid last series first, so that the first stays in view.
  for (size_t n = 0; n < group.Series.size(); ++n) {
    const TChartSeries& series = group.Series[group.Filled ? group.Series.size() - 1 - n : n];
    std::vector<double> radii(spokes, 0);
    for (size_t i = 0; i < series.Values.size(); ++i)
      if (std::isfinite(series.Values[i]))
        radii[i] = std::clamp(0.5 * (series.Values[i] - scale.Min) / (scale.Max - scale.Min), 0.0, 0.5);
    auto shape = std::make_unique<TPPTXShape>();
    shape->Name = series.Name.empty() ? "Series" : series.Name;
    if (group.Filled) chart.PaintPoint(group, series, SIZE_MAX, *shape);
    else if (!chart.SeriesStroke(series, *shape)) continue;
    chart.Add(std::move(shape), box, RadarPolygon(radii));
  }
  if (values) DrawRadarValues(chart, box, scale, valueStyle);
  if (categories) DrawRadarCategories(chart, box, spokes, labels);
  return true;
}

pugi::xml_node PointLabel(pugi::xml_node labels, size_t point) {
  for (pugi::xml_node label = labels.first_child(); label; label = label.next_sibling()) {
    int64_t idx = -1;
    if (IsElementNamed(label, "dLbl") && TryParseInt64(GetAttrText(FindChildNode(label, "idx"), "val"), idx) &&
        idx >= 0 && static_cast<uint64_t>(idx) == point)
      return label;
  }
  return {};
}

TTextStyle LabelStyle(const TChartBuilder& chart, pugi::xml_node labels, size_t point) {
  const TTextStyle style = ReadTextStyle(FindChildNode(labels, "txPr"), chart.Base, chart.Ctx);
  pugi::xml_node own = PointLabel(labels, point);
  pugi::xml_node rich = FindChildNode(FindChildNode(own, "tx"), "rich");
  return ReadTextStyle(rich ? rich : FindChildNode(own, "txPr"), style, chart.Ctx);
}

std::string LabelSetting(pugi::xml_node labels, size_t point, const char* name) {
  pugi::xml_node own = FindChildNode(PointLabel(labels, point), name);
  return GetAttrText(own ? own : FindChildNode(labels, name), "val");
}

namespace {

pugi::xml_node ManualLayout(pugi::xml_node element) {
  return FindChildNode(FindChildNode(element, "layout"), "manualLayout");
}

}  // namespace

TRectD PlaceDragged(const TChartBuilder& chart, pugi::xml_node element, TRectD box) {
  pugi::xml_node layout = ManualLayout(element);
  auto place = [&](const char* mode, const char* name, double& at, double start, double length) {
    pugi::xml_node node = FindChildNode(layout, name);
    const double value = std::atof(GetAttrText(node, "val", "0").c_str());
    if (!node || !std::isfinite(value)) return;
    if (GetAttrText(FindChildNode(layout, mode), "val", "factor") == "edge")
      at = start + std::clamp(value, 0.0, 1.0) * length;
    else
      at += std::clamp(value, -1.0, 1.0) * length;
  };
  if (!layout) return box;
  place("xMode", "x", box.X, chart.Frame.X, chart.Frame.W);
  place("yMode", "y", box.Y, chart.Frame.Y, chart.Frame.H);
  return box;
}

bool Dragged(pugi::xml_node element) { return static_cast<bool>(ManualLayout(element)); }

double DraggedWidth(const std::string& text, const TTextStyle& style, double room) {
  return std::min(TextWidth(text, style) * 1.05, room);
}

TRectD PlaceLabel(const TChartBuilder& chart, pugi::xml_node labels, size_t point, TRectD box) {
  return PlaceDragged(chart, PointLabel(labels, point), box);
}

std::string DataLabelText(const TChartBuilder& chart, const TChartSeries& series, size_t point, double value,
                          double total, pugi::xml_node labels) {
  const pugi::xml_node own = PointLabel(labels, point);
  auto setting = [&](const char* name) {
    pugi::xml_node node = FindChildNode(own, name);
    return node ? node : FindChildNode(labels, name);
  };
  auto show = [&](const char* name) {
    const std::string flag = GetAttrText(setting(name), "val");
    return flag == "1" || SameText(flag, "true");
  };
  if (!labels || show("delete")) return "";
  std::string format = GetAttrText(setting("numFmt"), "formatCode");
  if (format.empty()) format = series.FormatCode;
  const std::string category =
      series.XValues.empty() && point < chart.Data.Categories.size() ? chart.Data.Categories[point] : std::string();
  // A label written out for its point, whose fields stand for the point's
  // own value, names and share.
  if (pugi::xml_node rich = FindChildNode(FindChildNode(own, "tx"), "rich")) {
    std::string text;
    std::vector<pugi::xml_node> paragraphs;
    FindChildNodes(rich, "p", paragraphs);
    for (pugi::xml_node p : paragraphs) {
      if (!text.empty()) text += '\n';
      for (pugi::xml_node run = p.first_child(); run; run = run.next_sibling()) {
        const std::string field = UpperAscii(IsElementNamed(run, "fld") ? GetAttrText(run, "type") : "");
        if (field == "VALUE" || field == "YVALUE") text += FormatChartNumber(value, format);
        else if (field == "SERIESNAME") text += series.Name;
        else if (field == "CATEGORYNAME" || field == "XVALUE") text += category;
        else if (field == "PERCENTAGE" && total > 0) text += FormatChartNumber(value / total, "0%");
        else if (IsElementNamed(run, "r") || IsElementNamed(run, "fld")) text += ElementText(FindChildNode(run, "t"));
      }
    }
    return text;
  }
  std::vector<std::string> parts;
  if (show("showSerName")) parts.push_back(series.Name);
  // A scatter point has no category; LibreOffice shows its value alone.
  if (show("showCatName") && !category.empty()) parts.push_back(category);
  if (show("showVal")) parts.push_back(FormatChartNumber(value, format));
  if (show("showPercent") && total > 0) parts.push_back(FormatChartNumber(value / total, "0%"));
  if (show("showBubbleSize") && point < series.Sizes.size() && std::isfinite(series.Sizes[point]))
    parts.push_back(FormatChartNumber(series.Sizes[point], format));
  std::string text;
  for (const std::string& part : parts) text += (text.empty() ? "" : "; ") + part;
  return text;
}

}  // namespace tarvik
