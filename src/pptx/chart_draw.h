// The pieces the chart layout is built from: text shapes in the chart's
// text styles, the series' colours, and the drawing of the plot area, for
// charts on axes and for pies and doughnuts. Only chart.cpp uses these.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "pptx/chart.h"

namespace tarvik {

inline constexpr double kEmuPerPt = 12700;

struct TRectD {
  double X = 0, Y = 0, W = 0, H = 0;
};

struct TTextStyle {
  double SizePt = 10;
  bool Bold = false, Italic = false;
  TColor Color = 0;
  std::string Font;
  double KernFromPt = 0;  // the smallest size whose letter pairs are kerned
};

// The first paragraph's defRPr of a txPr or rich text, over style.
TTextStyle ReadTextStyle(pugi::xml_node txPr, TTextStyle style, const TChartContext& ctx);
void ApplyRunProperties(pugi::xml_node rPr, TTextStyle& style, const TChartContext& ctx);
// The text of a title (c:title) element's rich text, paragraphs joined by
// line feeds; "" when it has none.
std::string RichText(pugi::xml_node title);
// A title's text style over base: bold unless it says otherwise, as its rich
// text's first paragraph and run, else its txPr, say.
TTextStyle TitleStyle(pugi::xml_node title, TTextStyle base, const TChartContext& ctx);
// The width in EMU of the text's longest line in its font's free twin, for laying out around it.
double TextWidth(const std::string& text, const TTextStyle& style);

void SetFill(TPPTXShape& shape, TColor color);
void SetLine(TPPTXShape& shape, TColor color, double widthPt);
void SetText(TPPTXShape& shape, const std::string& text, const TTextStyle& style, int32_t align, int32_t anchor);

bool IsRound(TChartType type);  // pie or doughnut

class TChartBuilder {
 public:
  TChartBuilder(const TChartData& data, const TChartContext& ctx);
  const TChartData& Data;
  const TChartContext& Ctx;
  TTextStyle Base;  // the chart's text style
  TRectD Frame;  // the graphic frame the chart fills
  double Pad = 0;
  std::vector<TChartPiece> Pieces;

  void Add(std::unique_ptr<TPPTXShape> shape, const TRectD& box, std::vector<TChartPathStep> outline = {});
  void AddText(const std::string& name, const std::string& text, const TTextStyle& style, const TRectD& box,
               int32_t align, int32_t anchor);
  // A segment from (x1, y1) to (x2, y2) in the given line style.
  void AddLine(const std::string& name, double x1, double y1, double x2, double y2, const TPPTXShape& style);
  // An outline drawn in style's stroke (colour, width, transparency, dash) and no fill.
  void AddStroke(const std::string& name, const TRectD& box, std::vector<TChartPathStep> outline,
                 const TPPTXShape& style);
  // The theme's accent colour for a series or point number, darker or
  // lighter on each round after the sixth.
  TColor AccentColor(size_t index) const;
  // The fill colour of a point (SIZE_MAX: of the series as a whole).
  TColor PointColor(const TChartGroup& group, const TChartSeries& series, size_t point) const;
  TColor LineColor(const TChartSeries& series) const;
  // Paints shape as the point's spPr, else its series', else in its colour.
  void PaintPoint(const TChartGroup& group, const TChartSeries& series, size_t point, TPPTXShape& shape) const;
  // The stroke of a line or scatter series; false when its line is hidden.
  bool SeriesStroke(const TChartSeries& series, TPPTXShape& shape) const;
  // A box painted as spPr says, when it gives a fill or an outline.
  void AddBackground(const char* name, pugi::xml_node spPr, const TRectD& box);
};

// The text of a point's data label as labels (a dLbls) asks for it: series
// name, category name, value, percentage of total, bubble size; "" for none.
// The point's own c:dLbl, where there is one, overrides what it sets: the
// flags, its number format, or the whole text it writes out.
std::string DataLabelText(const TChartBuilder& chart, const TChartSeries& series, size_t point, double value,
                          double total, pugi::xml_node labels);
// The point's own c:dLbl among labels, or none.
pugi::xml_node PointLabel(pugi::xml_node labels, size_t point);
// A setting's value (dLblPos ...) for the point: its own label's, else the series'.
std::string LabelSetting(pugi::xml_node labels, size_t point, const char* name);
// The text style of a point's label: the series' labels', then its own.
TTextStyle LabelStyle(const TChartBuilder& chart, pugi::xml_node labels, size_t point);
// Box where the author dragged element (a title, a point's own label): its
// manualLayout moves it by fractions of the chart's frame from where the
// chart puts it (factor mode), or sets its corner at a fraction of the frame
// (edge mode), across and down each on its own.
TRectD PlaceDragged(const TChartBuilder& chart, pugi::xml_node element, TRectD box);
// Whether element has a manualLayout: its text then hangs from the box's top,
// the corner the author placed, however many lines it wraps to.
bool Dragged(pugi::xml_node element);
// The width of a dragged title's box, at most room: its text's, with room
// for a font a little wider than the estimate.
double DraggedWidth(const std::string& text, const TTextStyle& style, double room);
// PlaceDragged for the point's own label.
TRectD PlaceLabel(const TChartBuilder& chart, pugi::xml_node labels, size_t point, TRectD box);

// The plot of a chart on axes (bars, lines, areas, scatter) in plot: the
// axes' labels inside it unless inner (then around it). False when nothing drawable.
bool DrawAxisChart(TChartBuilder& chart, TRectD plot, bool inner);
// The first series of a pie, or each series of a doughnut as a ring, in the largest circle of plot.
bool DrawRoundChart(TChartBuilder& chart, const TRectD& plot);
// A radar chart's web, its categories around it and each series as a line
// or a filled area, in the largest circle of plot that leaves room for the labels.
bool DrawRadarChart(TChartBuilder& chart, const TRectD& plot);

}  // namespace tarvik
