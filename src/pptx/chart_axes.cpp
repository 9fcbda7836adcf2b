// Charts on axes: bars and columns (clustered, stacked, percent-stacked),
// lines, areas and scatter plots over a value axis with gridlines and a
// category (or x) axis, each axis's labels outside the plot area.
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "pptx/chart_draw.h"
#include "pptx/xml_helpers.h"

namespace tarvik {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct TRange {
  double Low = kInf, High = -kInf;
  void Add(double v) {
    if (!std::isfinite(v)) return;
    Low = std::min(Low, v);
    High = std::max(High, v);
  }
};

bool Stacks(const TChartGroup& group) {
  return group.Type != TChartType::Scatter &&
         (group.Grouping == TChartGrouping::Stacked || group.Grouping == TChartGrouping::Percent);
}

double Value(const TChartSeries& series, size_t i) {
  return i < series.Values.size() && std::isfinite(series.Values[i]) ? series.Values[i] : kInf;
}

// Where the value of series s at point i starts and ends as the group
// stacks it: from the sum of the earlier series' values of its sign (their
// shares of the point's total when percent-stacked), or from zero.
bool StackedSpan(const TChartGroup& group, size_t s, size_t i, double& from, double& to) {
  const double v = Value(group.Series[s], i);
  if (!std::isfinite(v)) return false;
  from = 0;
  to = v;
  if (!Stacks(group)) return true;
  double total = 0, below = 0;
  for (size_t k = 0; k < group.Series.size(); ++k) {
    const double other = Value(group.Series[k], i);
    if (!std::isfinite(other)) continue;
    total += std::fabs(other);
    if (k < s && (other < 0) == (v < 0)) below += other;
  }
  from = below;
  to = below + v;
  if (group.Grouping == TChartGrouping::Percent) {
    if (total <= 0) return false;
    from /= total;
    to /= total;
  }
  return true;
}

struct TAxes {
  TRectD Inner;
  TAxisScale Values, XValues;
  bool Horizontal = false, Scatter = false, Between = true, Reversed = false;
  size_t Count = 1;   // slots along the category axis: a category each, or a day each on a date axis
  size_t Points = 1;  // categories
  const std::vector<double>* Slots = nullptr;            // a date axis's slot of each point
  const std::vector<std::string>* Labels = nullptr;      // the label of each slot

  double ValueFraction(double v) const {
    return std::clamp((v - Values.Min) / (Values.Max - Values.Min), 0.0, 1.0);
  }
  // The coordinate of a value along the value axis: y, or x for horizontal bars.
  double ValuePos(double v) const {
    return Horizontal ? Inner.X + ValueFraction(v) * Inner.W : Inner.Y + Inner.H - ValueFraction(v) * Inner.H;
  }
  // The coordinate of a fraction along the category axis: x, or y for horizontal bars.
  double CategoryPos(double t) const {
    if (Reversed) t = 1 - t;
    return Horizontal ? Inner.Y + Inner.H - t * Inner.H : Inner.X + t * Inner.W;
  }
  double SlotCentre(double k) const {
    if (Between || Count <= 1) return CategoryPos((k + 0.5) / static_cast<double>(Count));
    return CategoryPos(k / static_cast<double>(Count - 1));
  }
  double Slot(size_t i) const {
    return Slots && i < Slots->size() ? (*Slots)[i] : static_cast<double>(i);
  }
  double CategoryCentre(size_t i) const { return SlotCentre(Slot(i)); }
  double XPos(double x) const {
    return Inner.X + std::clamp((x - XValues.Min) / (XValues.Max - XValues.Min), 0.0, 1.0) * Inner.W;
  }
  // A point of series s: (x, y) on the slide's axes.
  bool Point(const TChartGroup& group, size_t s, size_t i, double& x, double& y) const {
    double from = 0, to = 0;
    if (!StackedSpan(group, s, i, from, to)) return false;
    const TChartSeries& series = group.Series[s];
    if (Scatter) {
      const double sx = i < series.XValues.size() && std::isfinite(series.XValues[i]) ? series.XValues[i]
                                                                                       : static_cast<double>(i + 1);
      x = XPos(sx);
      y = ValuePos(to);
      return true;
    }
    x = Horizontal ? ValuePos(to) : CategoryCentre(i);
    y = Horizontal ? CategoryCentre(i) : ValuePos(to);
    return true;
  }
};

std::vector<double> Ticks(const TAxisScale& scale) {
  std::vector<double> ticks;
  for (int k = 0; k <= 1000; ++k) {
    const double v = scale.Min + k * scale.Step;
    if (v > scale.Max + scale.Step * 1e-6) break;
    ticks.push_back(std::fabs(v) < scale.Step * 1e-9 ? 0 : v);
  }
  return ticks;
}

void AxisStroke(pugi::xml_node spPr, TColor color, const TChartContext& ctx, TPPTXShape& line, bool& shown) {
  pugi::xml_node ln = FindChildNode(spPr, "ln");
  shown = !FindChildNode(ln, "noFill");
  ReadLineStyle(ln, {}, ctx.Paint, line);
  if (!line.HasLine) SetLine(line, color, line.LineWidthPt);
  if (line.LineWidthPt <= 0) line.LineWidthPt = 0.75;
}

void DrawBars(TChartBuilder& chart, const TAxes& axes, const TChartGroup& group) {
  const double n = static_cast<double>(group.Series.size()), gap = group.GapWidthPct / 100.0;
  const double overlap = Stacks(group) ? 1 : group.OverlapPct / 100.0;
  const double slot = 1 / static_cast<double>(axes.Count);
  const double bar = Stacks(group) ? slot / (1 + gap) : slot / (n - (n - 1) * overlap + gap);
  for (size_t s = 0; s < group.Series.size(); ++s) {
    const TChartSeries& series = group.Series[s];
    for (size_t i = 0; i < axes.Points; ++i) {
      double from = 0, to = 0;
      if (!StackedSpan(group, s, i, from, to)) continue;
      const double offset = Stacks(group) ? 0 : static_cast<double>(s) * bar * (1 - overlap);
      const double t1 = axes.Slot(i) * slot + gap * bar / 2 + offset, t2 = t1 + bar;
      const double a1 = axes.CategoryPos(t1), a2 = axes.CategoryPos(t2);
      const double v1 = axes.ValuePos(from), v2 = axes.ValuePos(to);
      auto shape = std::make_unique<TPPTXShape>();
      shape->Name = (series.Name.empty() ? "Series" : series.Name) + ", " + chart.Data.Categories[i];
      shape->Kind = shape->GeometryKind = skRect;
      chart.PaintPoint(group, series, group.Series.size() == 1 ? i : SIZE_MAX, *shape);
      const TRectD box = axes.Horizontal
                             ? TRectD{std::min(v1, v2), std::min(a1, a2), std::fabs(v2 - v1), std::fabs(a2 - a1)}
                             : TRectD{std::min(a1, a2), std::min(v1, v2), std::fabs(a2 - a1), std::fabs(v2 - v1)};
      chart.Add(std::move(shape), box);
      pugi::xml_node labels = series.Labels ? series.Labels : group.Labels;
      const std::string label = DataLabelText(chart, series, i, Value(series, i), 0, labels);
      if (label.empty()) continue;
      const TTextStyle style = LabelStyle(chart, labels, i);
      const double h = style.SizePt * 1.4 * kEmuPerPt, w = TextWidth(label, style) + style.SizePt * kEmuPerPt;
      // Past the bar's end, which is below the axis for a negative column
      // and left of it for a negative bar.
      const bool inside = Stacks(group), forward = axes.Horizontal ? v2 >= v1 : v2 <= v1;
      TRectD at = axes.Horizontal
                      ? TRectD{inside ? (v1 + v2 - w) / 2 : forward ? v2 : v2 - w, (a1 + a2 - h) / 2, w, h}
                      : TRectD{(a1 + a2 - w) / 2, inside ? (v1 + v2 - h) / 2 : forward ? v2 - h : v2, w, h};
      chart.AddText("Data label", label, style, PlaceLabel(chart, labels, i, at),
                    !axes.Horizontal || inside ? kAlignCenter : forward ? kAlignLeft : kAlignRight, kAnchorMiddle);
    }
  }
}

void DrawMarker(TChartBuilder& chart, const TChartSeries& series, double x, double y) {
  static const char* const kAuto[] = {"diamond", "square", "triangle", "circle"};
  std::string symbol = GetAttrText(FindChildNode(series.Marker, "symbol"), "val");
  if (symbol.empty() || symbol == "auto") symbol = kAuto[series.Index % 4];
  if (symbol == "none") return;
  const double size = static_cast<double>(std::clamp<int64_t>(
                          GetAttrInt64(FindChildNode(series.Marker, "size"), "val", 5), 2, 72)) * kEmuPerPt;
  auto shape = std::make_unique<TPPTXShape>();
  shape->Name = "Marker";
  pugi::xml_node spPr = FindChildNode(series.Marker, "spPr");
  if (!ReadFill(spPr, chart.Ctx.Paint, shape->Fill)) SetFill(*shape, chart.LineColor(series));
  TColor color = 0;
  shape->HasFill = SolidColorOf(shape->Fill, color);
  shape->FillColor = color;
  ReadLineStyle(FindChildNode(spPr, "ln"), {}, chart.Ctx.Paint, *shape);
  std::vector<TChartPathStep> outline;
  if (symbol == "circle" || symbol == "dot") {
    shape->Kind = shape->GeometryKind = skOval;
  } else if (symbol == "diamond") {
    outline = {{'M', 0.5, 0}, {'L', 1, 0.5}, {'L', 0.5, 1}, {'L', 0, 0.5}, {'Z'}};
  } else if (symbol == "triangle") {
    outline = {{'M', 0.5, 0}, {'L', 1, 1}, {'L', 0, 1}, {'Z'}};
  } else {
    shape->Kind = shape->GeometryKind = skRect;
  }
  chart.Add(std::move(shape), {x - size / 2, y - size / 2, size, size}, std::move(outline));
}

// A line, scatter or bubble point's data label, to the right of the point
// or centred on it.
void DrawPointLabel(TChartBuilder& chart, const TChartGroup& group, const TChartSeries& series, size_t i, double x,
                    double y) {
  pugi::xml_node labels = series.Labels ? series.Labels : group.Labels;
  const std::string text = DataLabelText(chart, series, i, Value(series, i), 0, labels);
  if (text.empty()) return;
  const TTextStyle style = LabelStyle(chart, labels, i);
  const double size = style.SizePt * kEmuPerPt, width = TextWidth(text, style) + size;
  const bool centred = LabelSetting(labels, i, "dLblPos") == "ctr";
  const TRectD box = centred ? TRectD{x - width / 2, y - size * 0.7, width, size * 1.4}
                             : TRectD{x + size * 0.4, y - size * 0.7, width, size * 1.4};
  chart.AddText("Data label", text, style, PlaceLabel(chart, labels, i, box), centred ? kAlignCenter : kAlignLeft,
                kAnchorMiddle);
}

// A smooth series' run of points as one curve through them: each span a
// cubic whose tangents at its ends point from the point before to the point
// after, a sixth of that chord long, as spreadsheets smooth their lines.
void AddCurve(TChartBuilder& chart, const TAxes& axes, const std::string& name,
              const std::vector<std::pair<double, double>>& run, const TPPTXShape& stroke) {
  const TRectD& box = axes.Inner;
  if (run.size() < 2 || box.W <= 0 || box.H <= 0) return;
  auto fx = [&](double x) { return (x - box.X) / box.W; };
  auto fy = [&](double y) { return (y - box.Y) / box.H; };
  std::vector<TChartPathStep> outline = {{'M', fx(run[0].first), fy(run[0].second)}};
  for (size_t i = 0; i + 1 < run.size(); ++i) {
    const auto& before = run[i == 0 ? 0 : i - 1];
    const auto& from = run[i];
    const auto& to = run[i + 1];
    const auto& after = run[std::min(i + 2, run.size() - 1)];
    TChartPathStep step{'C', fx(to.first), fy(to.second)};
    step.Rx = fx(from.first + (to.first - before.first) / 6);
    step.Ry = fy(from.second + (to.second - before.second) / 6);
    step.Cx = fx(to.first - (after.first - from.first) / 6);
    step.Cy = fy(to.second - (after.second - from.second) / 6);
    outline.push_back(step);
  }
  chart.AddStroke(name, box, std::move(outline), stroke);
}

void DrawLines(TChartBuilder& chart, const TAxes& axes, const TChartGroup& group) {
  const size_t count = axes.Scatter ? kMaxChartPoints : axes.Points;
  for (size_t s = 0; s < group.Series.size(); ++s) {
    const TChartSeries& series = group.Series[s];
    const std::string name = series.Name.empty() ? "Series" : series.Name;
    TPPTXShape stroke;
    const bool line = chart.SeriesStroke(series, stroke);
    const std::string symbol = GetAttrText(FindChildNode(series.Marker, "symbol"), "val");
    const bool markers = symbol != "none" && (group.Markers || !symbol.empty());
    const size_t points = std::min(count, series.Values.size());
    if (series.Smooth && line) {
      // A gap (a point without a value) ends a curve as it ends a line.
      std::vector<std::pair<double, double>> run;
      for (size_t i = 0; i <= points; ++i) {
        double x = 0, y = 0;
        if (i < points && axes.Point(group, s, i, x, y)) {
          run.emplace_back(x, y);
          continue;
        }
        AddCurve(chart, axes, name, run, stroke);
        run.clear();
      }
    }
    bool previous = false;
    double px = 0, py = 0;
    for (size_t i = 0; i < points; ++i) {
      double x = 0, y = 0;
      const bool here = axes.Point(group, s, i, x, y);
      if (here && previous && line && !series.Smooth) chart.AddLine(name, px, py, x, y, stroke);
      if (here && markers) DrawMarker(chart, series, x, y);
      if (here) DrawPointLabel(chart, group, series, i, x, y);
      previous = here;
      px = x;
      py = y;
    }
  }
}

// Each point as a circle whose area is its size's share of the largest.
void DrawBubbles(TChartBuilder& chart, const TAxes& axes, const TChartGroup& group) {
  double largest = 0;
  for (const TChartSeries& series : group.Series)
    for (double size : series.Sizes)
      if (std::isfinite(size)) largest = std::max(largest, std::fabs(size));
  if (largest <= 0) return;
  const double full = std::min(axes.Inner.W, axes.Inner.H) * 0.25 * group.BubbleScalePct / 100;
  // Labels go on top of every bubble, not under the next one.
  struct TLabelled {
    size_t Series, Point;
    double X, Y;
  };
  std::vector<TLabelled> labelled;
  for (size_t s = 0; s < group.Series.size(); ++s) {
    const TChartSeries& series = group.Series[s];
    for (size_t i = 0; i < series.Sizes.size(); ++i) {
      double x = 0, y = 0;
      if (!std::isfinite(series.Sizes[i]) || !axes.Point(group, s, i, x, y)) continue;
      const double d = full * std::sqrt(std::fabs(series.Sizes[i]) / largest);
      auto shape = std::make_unique<TPPTXShape>();
      shape->Name = series.Name.empty() ? "Bubble" : series.Name;
      shape->Kind = shape->GeometryKind = skOval;
      chart.PaintPoint(group, series, group.VaryColors ? i : SIZE_MAX, *shape);
      chart.Add(std::move(shape), {x - d / 2, y - d / 2, d, d});
      labelled.push_back({s, i, x, y});
    }
  }
  for (const TLabelled& point : labelled)
    DrawPointLabel(chart, group, group.Series[point.Series], point.Point, point.X, point.Y);
}

// Each series as the area between its line and the one below it (the axis for the first).
void DrawAreas(TChartBuilder& chart, const TAxes& axes, const TChartGroup& group) {
  const TRectD& box = axes.Inner;
  if (box.W <= 0 || box.H <= 0) return;
  auto fx = [&](double x) { return (x - box.X) / box.W; };
  auto fy = [&](double y) { return (y - box.Y) / box.H; };
  // Unstacked areas hide each other: the first series is drawn last, in front.
  for (size_t k = 0; k < group.Series.size(); ++k) {
    const size_t s = Stacks(group) ? k : group.Series.size() - 1 - k;
    const TChartSeries& series = group.Series[s];
    std::vector<TChartPathStep> top, bottom;
    for (size_t i = 0; i < axes.Points; ++i) {
      double from = 0, to = 0;
      if (!StackedSpan(group, s, i, from, to)) continue;
      const double x = axes.CategoryCentre(i);
      top.push_back({top.empty() ? 'M' : 'L', fx(x), fy(axes.ValuePos(to))});
      bottom.push_back({'L', fx(x), fy(axes.ValuePos(from))});
    }
    if (top.size() < 2) continue;
    std::reverse(bottom.begin(), bottom.end());
    top.insert(top.end(), bottom.begin(), bottom.end());
    top.push_back({'Z'});
    auto shape = std::make_unique<TPPTXShape>();
    shape->Name = series.Name.empty() ? "Series" : series.Name;
    chart.PaintPoint(group, series, SIZE_MAX, *shape);
    chart.Add(std::move(shape), box, std::move(top));
  }
}

// Labels along the value axis (or a scatter chart's x axis when alongX).
void DrawValueLabels(TChartBuilder& chart, const TAxes& axes, const TAxisScale& scale, const std::string& format,
                     const TTextStyle& style, bool alongX, double labelWidth, bool right = false) {
  const double height = style.SizePt * 1.4 * kEmuPerPt, gap = style.SizePt * 0.5 * kEmuPerPt;
  for (double v : Ticks(scale)) {
    const std::string text = FormatChartNumber(v, format);
    if (alongX) {
      const double x = axes.Scatter ? axes.XPos(v) : axes.ValuePos(v), width = TextWidth(text, style) + height;
      chart.AddText("Axis label", text, style, {x - width / 2, axes.Inner.Y + axes.Inner.H + gap / 2, width, height},
                    kAlignCenter, kAnchorTop);
    } else {
      const double x = right ? axes.Inner.X + axes.Inner.W + gap : axes.Inner.X - gap - labelWidth;
      chart.AddText("Axis label", text, style, {x, axes.ValuePos(v) - height / 2, labelWidth, height},
                    right ? kAlignLeft : kAlignRight, kAnchorMiddle);
    }
  }
}

// How many lines text takes when broken at its spaces to fit width, or 0
// when one of its words is wider than that.
size_t WrappedLines(const std::string& text, const TTextStyle& style, double width) {
  const double space = TextWidth(" ", style);
  size_t lines = 1;
  double used = -space;
  for (size_t start = 0; start <= text.size();) {
    size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    const double word = TextWidth(text.substr(start, end - start), style);
    if (word > width) return 0;
    if (used + space + word > width) ++lines, used = word;
    else used += space + word;
    start = end + 1;
  }
  return lines;
}

// The angle of the category labels under a column chart and the lines each
// takes: the axis's own text rotation, else labels too wide for their
// category broken onto up to six lines at their spaces, else an eighth
// turn up when they would still run into each other.
double CategoryAngle(const TChartAxis& axis, const std::vector<std::string>& labels, const TTextStyle& style,
                     double labelWidth, double slot, size_t& lines) {
  constexpr size_t kMostLines = 6;
  lines = 1;
  pugi::xml_node bodyPr = FindChildNode(axis.TxPr, "bodyPr");
  const int64_t rot = GetAttrInt64(bodyPr, "rot", -60000000);  // Office's "automatic"
  if (rot >= -5400000 && rot <= 5400000) return static_cast<double>(rot) / 60000;
  if (labelWidth <= slot) return 0;
  for (const std::string& label : labels) {
    const size_t need = WrappedLines(label, style, slot * 0.95);
    if (need == 0 || need > kMostLines) {
      lines = 1;
      return -45;
    }
    lines = std::max(lines, need);
  }
  return 0;
}

// The room the category labels take under the plot at that angle.
double CategoryRoom(double labelWidth, double size, double angle, size_t lines) {
  if (angle == 0) return size * (1.6 + 1.2 * static_cast<double>(lines - 1));
  const double rad = std::fabs(angle) * std::numbers::pi / 180;
  return labelWidth * std::sin(rad) + size * 1.4 * std::cos(rad) + size * 0.5;
}

void DrawCategoryLabels(TChartBuilder& chart, const TAxes& axes, const TTextStyle& style, double labelWidth,
                        double angle, size_t lines) {
  const double size = style.SizePt * kEmuPerPt, gap = size * 0.5, height = size * 1.4;
  const double slot = (axes.Horizontal ? axes.Inner.H : axes.Inner.W) / static_cast<double>(axes.Count);
  // Labels that would run into each other show one in every few.
  const double needed = axes.Horizontal || angle != 0 ? size * 1.3 : lines > 1 ? slot : labelWidth;
  size_t every = slot > 0 && needed > slot ? static_cast<size_t>(std::ceil(needed / slot)) : 1;
  // A date axis's own major unit in days labels every so many days, however close.
  const TChartAxis& axis = chart.Data.CategoryAxis;
  if (axes.Slots && std::isfinite(axis.MajorUnit) && (axis.MajorTimeUnit.empty() || axis.MajorTimeUnit == "days"))
    every = static_cast<size_t>(std::clamp(std::round(axis.MajorUnit), 1.0, kMostAxisDays));
  const double rad = angle * std::numbers::pi / 180;
  for (size_t i = 0; i < axes.Count; i += every) {
    const std::string& text = (*axes.Labels)[i];
    const double at = axes.SlotCentre(static_cast<double>(i)), top = axes.Inner.Y + axes.Inner.H + gap / 2;
    if (axes.Horizontal) {
      chart.AddText("Category label", text, style, {axes.Inner.X - gap - labelWidth, at - height / 2, labelWidth, height},
                    kAlignRight, kAnchorMiddle);
    } else if (angle == 0) {
      const double width = lines > 1 ? slot : std::max(labelWidth, slot * static_cast<double>(every));
      chart.AddText("Category label", text, style,
                    {at - width / 2, top, width, height + size * 1.2 * static_cast<double>(lines - 1)}, kAlignCenter,
                    kAnchorTop);
      chart.Pieces.back().Shape->WrapText = lines > 1;
    } else {
      // Turned about its centre so that its end (its start, turned down) meets the category.
      const double width = std::min(TextWidth(text, style), labelWidth) + size * 0.3;
      const double side = angle < 0 ? -1 : 1;
      const double cx = at + side * width / 2 * std::cos(rad), cy = top + side * width / 2 * std::sin(rad) +
                                                                 height / 2 * std::cos(rad);
      chart.AddText("Category label", text, style, {cx - width / 2, cy - height / 2, width, height},
                    angle < 0 ? kAlignRight : kAlignLeft, kAnchorMiddle);
      chart.Pieces.back().Box.RotDeg = angle;
    }
  }
}

void DrawGridlines(TChartBuilder& chart, const TAxes& axes, bool shown) {
  if (!shown) return;
  TPPTXShape style;
  bool visible = true;
  AxisStroke(chart.Data.ValueAxis.GridlineSpPr, 0xD9D9D9, chart.Ctx, style, visible);
  if (!visible) return;
  const TRectD& r = axes.Inner;
  for (double v : Ticks(axes.Values)) {
    const double p = axes.ValuePos(v);
    if (axes.Horizontal) chart.AddLine("Gridline", p, r.Y, p, r.Y + r.H, style);
    else chart.AddLine("Gridline", r.X, p, r.X + r.W, p, style);
  }
}

// The category axis's line, where the value axis crosses zero.
void DrawAxisLines(TChartBuilder& chart, const TAxes& axes) {
  TPPTXShape style;
  bool visible = true;
  AxisStroke(chart.Data.CategoryAxis.SpPr, 0xBFBFBF, chart.Ctx, style, visible);
  if (visible && !chart.Data.CategoryAxis.Deleted) {
    const double p = axes.ValuePos(std::clamp(0.0, axes.Values.Min, axes.Values.Max));
    const TRectD& r = axes.Inner;
    if (axes.Horizontal) chart.AddLine("Axis", p, r.Y, p, r.Y + r.H, style);
    else chart.AddLine("Axis", r.X, p, r.X + r.W, p, style);
  }
}

// An axis's title and its style; false when it has none.
bool AxisTitle(const TChartBuilder& chart, const TChartAxis& axis, std::string& text, TTextStyle& style) {
  text = axis.Deleted ? "" : RichText(axis.Title);
  style = TitleStyle(axis.Title, chart.Base, chart.Ctx);
  return !text.empty();
}

// A title that lies flat beside the plot wraps within a fifth of the chart.
double FlatTitleWidth(const TChartBuilder& chart, const std::string& text, const TTextStyle& style) {
  return std::min(TextWidth(text, style), chart.Frame.W * 0.2);
}

// The titles of the axes: the one beside the plot turned a quarter up
// (unless its text says it lies flat), the one below it centred. A title
// the author dragged keeps its text's corner where it was dragged to.
void DrawAxisTitles(TChartBuilder& chart, const TAxes& axes, const TRectD& plot, const TChartAxis& side,
                    const TChartAxis& below) {
  std::string text;
  TTextStyle style;
  if (AxisTitle(chart, below, text, style)) {
    const double height = style.SizePt * 1.4 * kEmuPerPt;
    const bool dragged = Dragged(below.Title);
    const double width = dragged ? DraggedWidth(text, style, axes.Inner.W) : axes.Inner.W;
    const TRectD box{axes.Inner.X + (axes.Inner.W - width) / 2, plot.Y + plot.H - height, width, height};
    chart.AddText("Axis title", text, style, PlaceDragged(chart, below.Title, box), kAlignCenter,
                  dragged ? kAnchorTop : kAnchorMiddle);
  }
  if (AxisTitle(chart, side, text, style)) {
    const double height = style.SizePt * 1.4 * kEmuPerPt, cy = axes.Inner.Y + axes.Inner.H / 2;
    const bool flat = GetAttrText(FindDescendantNode(side.Title, "bodyPr"), "rot") == "0";
    if (flat) {
      // As tall as its lines are likely to be, so that a title moved from
      // its place keeps its text's top where the author saw it.
      const double width = FlatTitleWidth(chart, text, style);
      const double lines = std::clamp<double>(static_cast<double>(WrappedLines(text, style, width)), 1, 4);
      const TRectD box{plot.X, cy - height * lines / 2, width, height * lines};
      chart.AddText("Axis title", text, style, PlaceDragged(chart, side.Title, box), kAlignCenter,
                    Dragged(side.Title) ? kAnchorTop : kAnchorMiddle);
      chart.Pieces.back().Shape->WrapText = true;
    } else {
      // Dragged as drawn: a box as wide as a line and as tall as the text.
      const double length = axes.Inner.H, drawn = std::min(TextWidth(text, style), length);
      const TRectD at = PlaceDragged(chart, side.Title, {plot.X, cy - drawn / 2, height, drawn});
      const double x = at.X + height / 2, y = at.Y + drawn / 2;
      chart.AddText("Axis title", text, style, {x - length / 2, y - height / 2, length, height}, kAlignCenter,
                    kAnchorMiddle);
      chart.Pieces.back().Box.RotDeg = 270;
    }
  }
}

// The room an axis's title takes beside or below the plot.
double AxisTitleRoom(const TChartBuilder& chart, const TChartAxis& axis, bool beside) {
  std::string text;
  TTextStyle style;
  if (!AxisTitle(chart, axis, text, style)) return 0;
  const double height = style.SizePt * 1.4 * kEmuPerPt;
  if (beside && GetAttrText(FindDescendantNode(axis.Title, "bodyPr"), "rot") == "0")
    return FlatTitleWidth(chart, text, style) + height / 2;
  return height * 1.2;
}

// One value axis as it will be drawn: its bounds (percent-stacked groups
// end at 100 %), the range of its groups' values, its labels' style and format.
struct TValueAxisPlan {
  TChartAxis Axis;
  TRange Range;
  TTextStyle Style;
  std::string Format;
  bool Labels = false;
  double Width = 0;  // of its widest label
  TAxisScale Scale;

  // The scale for an axis of that length, and the width of its labels.
  void Fit(double length, bool horizontal) {
    const double size = Style.SizePt * kEmuPerPt;
    const int steps = std::clamp(static_cast<int>(length / (size * (horizontal ? 2.5 : 1.2))), 2, 10);
    Scale = NiceScale(Range.Low, Range.High, Axis, steps);
    Width = 0;
    for (double v : Ticks(Scale)) Width = std::max(Width, TextWidth(FormatChartNumber(v, Format), Style));
  }
};

TValueAxisPlan PlanValueAxis(const TChartBuilder& chart, const TChartAxis& axis, bool secondary, TAxes& axes,
                             TRange& xs) {
  TValueAxisPlan plan;
  plan.Axis = axis;
  plan.Style = ReadTextStyle(axis.TxPr, chart.Base, chart.Ctx);
  plan.Labels = axis.Present && !axis.Deleted && axis.ShowLabels;
  bool percent = false;
  std::string seriesFormat;
  for (const TChartGroup& group : chart.Data.Groups) {
    if (IsRound(group.Type) || group.Secondary != secondary) continue;
    axes.Horizontal = axes.Horizontal || (group.Type == TChartType::Bar && group.Horizontal);
    percent = percent || group.Grouping == TChartGrouping::Percent;
    if (seriesFormat.empty()) seriesFormat = group.Series[0].FormatCode;
    for (size_t s = 0; s < group.Series.size(); ++s)
      for (size_t i = 0; i < group.Series[s].Values.size(); ++i) {
        double from = 0, to = 0;
        if (StackedSpan(group, s, i, from, to)) plan.Range.Add(to), plan.Range.Add(from);
        const auto& x = group.Series[s].XValues;
        xs.Add(i < x.size() && std::isfinite(x[i]) ? x[i] : static_cast<double>(i + 1));
      }
  }
  if (percent && !std::isfinite(plan.Axis.Max)) plan.Axis.Max = plan.Range.High > 0 ? 1 : 0;  // shares end at 100%
  if (percent && !std::isfinite(plan.Axis.Min)) plan.Axis.Min = plan.Range.Low < 0 ? -1 : 0;
  plan.Format = !axis.FormatCode.empty() ? axis.FormatCode : percent ? "0%" : seriesFormat;
  return plan;
}

// The room beside and below the plot that the axes' labels and titles
// take; the category labels' angle and the lines each takes.
void PlanRoom(const TChartBuilder& chart, const TAxes& axes, const TRectD& plot, bool inner,
              const TValueAxisPlan& values, double categoryWidth, double& left, double& bottom, double& angle,
              size_t& lines) {
  const TChartData& data = chart.Data;
  const TTextStyle categoryStyle = ReadTextStyle(data.CategoryAxis.TxPr, chart.Base, chart.Ctx);
  const bool categoryLabels = !data.CategoryAxis.Deleted && data.CategoryAxis.ShowLabels;
  const double valueSize = values.Style.SizePt * kEmuPerPt, categorySize = categoryStyle.SizePt * kEmuPerPt;
  if (axes.Scatter) {
    left = values.Labels ? values.Width + valueSize * 0.5 : 0;
    bottom = categoryLabels ? categorySize * 1.6 : 0;
  } else if (axes.Horizontal) {
    left = categoryLabels ? categoryWidth + categorySize * 0.5 : 0;
    bottom = values.Labels ? valueSize * 1.6 : 0;
  } else {
    left = values.Labels ? values.Width + valueSize * 0.5 : 0;
    // A plot laid out by its inner area keeps all of it; labels lie outside.
    const double slot = (inner ? plot.W : plot.W - left) / static_cast<double>(axes.Count);
    angle = CategoryAngle(data.CategoryAxis, *axes.Labels, categoryStyle, categoryWidth, slot, lines);
    bottom = categoryLabels ? std::min(CategoryRoom(categoryWidth, categorySize, angle, lines), plot.H * 0.6) : 0;
  }
  // The axis beside the plot is the value axis, but the category axis of horizontal bars.
  left += AxisTitleRoom(chart, axes.Horizontal ? data.CategoryAxis : data.ValueAxis, true);
  bottom += AxisTitleRoom(chart, axes.Horizontal ? data.ValueAxis : data.CategoryAxis, false);
}

// Bars and areas beneath the axis line, lines, markers and bubbles above it,
// each group on its own value axis.
void DrawSeries(TChartBuilder& chart, const TAxes& axes, const TAxes& secondary) {
  for (const TChartGroup& group : chart.Data.Groups) {
    const TAxes& on = group.Secondary ? secondary : axes;
    if (group.Type == TChartType::Area) DrawAreas(chart, on, group);
    else if (group.Type == TChartType::Bar) DrawBars(chart, on, group);
  }
  DrawAxisLines(chart, axes);
  for (const TChartGroup& group : chart.Data.Groups) {
    const TAxes& on = group.Secondary ? secondary : axes;
    if (group.Type == TChartType::Line || group.Type == TChartType::Scatter) DrawLines(chart, on, group);
    else if (group.Type == TChartType::Bubble) DrawBubbles(chart, on, group);
  }
}

}  // namespace

bool DrawAxisChart(TChartBuilder& chart, TRectD plot, bool inner) {
  const TChartData& data = chart.Data;
  TAxes axes;
  TRange xs;
  axes.Scatter = data.Groups[0].Type == TChartType::Scatter || data.Groups[0].Type == TChartType::Bubble;
  TValueAxisPlan values = PlanValueAxis(chart, data.ValueAxis, false, axes, xs);
  TValueAxisPlan second = PlanValueAxis(chart, data.SecondaryAxis, true, axes, xs);
  if (values.Range.Low > values.Range.High) return false;
  axes.Points = std::max<size_t>(data.Categories.size(), 1);
  axes.Labels = data.SlotLabels.empty() ? &data.Categories : &data.SlotLabels;
  if (!data.SlotLabels.empty()) axes.Slots = &data.CategorySlots;
  axes.Count = std::max<size_t>(axes.Labels->size(), 1);
  axes.Between = data.ValueAxis.BetweenCategories || data.Groups[0].Type == TChartType::Bar;
  axes.Reversed = data.CategoryAxis.Reversed;
  values.Fit(axes.Horizontal ? plot.W : plot.H, axes.Horizontal);
  const TTextStyle categoryStyle = ReadTextStyle(data.CategoryAxis.TxPr, chart.Base, chart.Ctx);
  if (axes.Scatter)
    axes.XValues = NiceScale(xs.Low, xs.High, data.CategoryAxis,
                             std::clamp(static_cast<int>(plot.W / (categoryStyle.SizePt * kEmuPerPt * 2)), 2, 10), false);
  double categoryWidth = 0;
  for (const std::string& text : *axes.Labels) categoryWidth = std::max(categoryWidth, TextWidth(text, categoryStyle));
  categoryWidth = std::min(categoryWidth, plot.W * 0.35);
  double left = 0, bottom = 0, angle = 0;
  size_t lines = 1;
  PlanRoom(chart, axes, plot, inner, values, categoryWidth, left, bottom, angle, lines);
  const bool secondLabels = second.Range.Low <= second.Range.High && second.Labels && !axes.Horizontal;
  const double right = secondLabels ? second.Width + second.Style.SizePt * kEmuPerPt : 0;
  axes.Inner = inner ? plot : TRectD{plot.X + left, plot.Y, plot.W - left - right, plot.H - bottom};
  if (axes.Inner.W <= 0 || axes.Inner.H <= 0) return false;
  // The steps again, for the room the labels left.
  const double length = axes.Horizontal ? axes.Inner.W : axes.Inner.H;
  values.Fit(length, axes.Horizontal);
  axes.Values = values.Scale;
  TAxes secondary = axes;
  if (second.Range.Low <= second.Range.High) {
    second.Fit(length, axes.Horizontal);
    secondary.Values = second.Scale;
  }

  chart.AddBackground("Plot area", data.PlotSpPr, axes.Inner);
  DrawGridlines(chart, axes, data.ValueAxis.Gridlines);
  DrawSeries(chart, axes, secondary);
  DrawAxisTitles(chart, axes, plot, axes.Horizontal ? data.CategoryAxis : data.ValueAxis,
                 axes.Horizontal ? data.ValueAxis : data.CategoryAxis);
  if (values.Labels) DrawValueLabels(chart, axes, axes.Values, values.Format, values.Style, axes.Horizontal, values.Width);
  if (secondLabels) DrawValueLabels(chart, secondary, second.Scale, second.Format, second.Style, false, second.Width, true);
  const bool categoryLabels = !data.CategoryAxis.Deleted && data.CategoryAxis.ShowLabels;
  if (categoryLabels && axes.Scatter)
    DrawValueLabels(chart, axes, axes.XValues, data.CategoryAxis.FormatCode.empty() ? "General" : data.CategoryAxis.FormatCode,
                    categoryStyle, true, 0);
  else if (categoryLabels)
    DrawCategoryLabels(chart, axes, categoryStyle, categoryWidth, angle, lines);
  return true;
}

}  // namespace tarvik
