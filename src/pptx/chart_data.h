// What a chart part (c:chartSpace) holds for drawing it: its chart types
// with their series read from the values the part keeps cached (numCache,
// strCache), the categories, the two axes, the title and the legend. The
// workbook behind the chart is never opened.
#pragma once
#include <cstddef>
#include <limits>
#include <string>
#include <vector>

#include <pugixml.hpp>

namespace tarvik {

// Against a hostile part: a chart of more series or points than this is cut.
inline constexpr size_t kMaxChartSeries = 64, kMaxChartPoints = 1000, kMaxChartValues = 20000;
// A date axis longer than this many days keeps its dates side by side.
inline constexpr double kMostAxisDays = 4000;

enum class TChartType { Bar, Line, Area, Pie, Doughnut, Scatter, Bubble, Radar };
enum class TChartGrouping { Standard, Clustered, Stacked, Percent };

struct TChartSeries {
  std::string Name;
  std::vector<double> Values;   // by point index; NaN where the cache has none
  std::vector<double> XValues;  // a scatter or bubble series' numeric x values; empty otherwise
  std::vector<double> Sizes;    // a bubble series' bubble sizes
  size_t Index = 0;             // c:idx, which picks its default colour
  pugi::xml_node SpPr;          // its own fill and line, or empty
  pugi::xml_node Marker;        // c:marker, or empty
  std::vector<std::pair<size_t, pugi::xml_node>> PointSpPr;  // c:dPt: a point's own spPr
  pugi::xml_node Labels;        // its c:dLbls, or empty
  std::string FormatCode;       // of its values' cache
  bool Smooth = false;          // c:smooth: a line or scatter series drawn as a curve through its points
};

// One chart type of the plot area with its series (a combination chart has several).
struct TChartGroup {
  TChartType Type = TChartType::Bar;
  TChartGrouping Grouping = TChartGrouping::Standard;
  bool Horizontal = false;  // a bar chart with barDir "bar"
  int GapWidthPct = 150;
  int OverlapPct = 0;
  int HoleSizePct = 50;
  double FirstSliceDeg = 0;
  bool VaryColors = false;
  bool Markers = false;  // a line chart's c:marker: markers unless a series says none
  bool Filled = false;   // a radar chart of filled areas rather than lines
  int BubbleScalePct = 100;
  bool Secondary = false;  // on the chart's second value axis
  pugi::xml_node Node;     // the chart type's element
  pugi::xml_node Labels;  // the group's c:dLbls, or empty
  std::vector<TChartSeries> Series;
};

struct TChartAxis {
  bool Present = false;
  bool Deleted = false;
  bool ShowLabels = true;  // tickLblPos other than "none"
  bool Gridlines = false;
  pugi::xml_node GridlineSpPr, SpPr, TxPr;
  pugi::xml_node Title;  // its c:title, or empty
  // NaN when the axis leaves them automatic.
  double Min = std::numeric_limits<double>::quiet_NaN(), Max = Min, MajorUnit = Min;
  bool Reversed = false;       // orientation maxMin
  std::string FormatCode;      // "" when it takes its series' format
  bool BetweenCategories = true;  // the value axis's crossBetween
  bool Dates = false;             // a dateAx
  std::string BaseTimeUnit, MajorTimeUnit;  // a dateAx's "days", "months", "years"; "" when not set
};

struct TChartData {
  std::vector<TChartGroup> Groups;
  std::vector<std::string> Categories;
  // A date axis counted in days: each point's day from the axis's first
  // (CategorySlots, by point) and the label of every day of the axis
  // (SlotLabels). Both empty where the categories stand side by side.
  std::vector<double> CategorySlots;
  std::vector<std::string> SlotLabels;
  TChartAxis CategoryAxis, ValueAxis;  // a scatter chart's x axis is its CategoryAxis
  TChartAxis SecondaryAxis;            // the value axis of the Secondary groups
  pugi::xml_node Title;                // c:title, or empty
  bool AutoTitleDeleted = false;
  pugi::xml_node Legend;               // c:legend, or empty
  pugi::xml_node TxPr;                 // the chart's own text properties
  pugi::xml_node SpaceSpPr, PlotSpPr;  // the chart's and the plot area's paint
  pugi::xml_node PlotLayout;           // the plot area's manualLayout, or empty
  size_t SeriesCount() const;
};

// The chart of a chartSpace. False when its plot area holds no chart type
// drawn here (stock, surface, or none) or no value at all.
bool ReadChartData(pugi::xml_node chartSpace, TChartData& data);

// An axis from Min to Max in steps of Step (Max - Min a whole number of steps).
struct TAxisScale {
  double Min = 0, Max = 1, Step = 1;
};

// The axis over data from low to high: the axis's own minimum, maximum and
// major unit where it sets them, otherwise a step of 1, 2 or 5 times a
// power of ten giving at most maxSteps steps, bounds on whole steps with a
// twentieth of the span to spare, and (with withZero) zero inside the axis
// when the data keep one sign.
TAxisScale NiceScale(double low, double high, const TChartAxis& axis, int maxSteps, bool withZero = true);

// value as a number format shows it: "General", decimals ("0.00"), thousands
// ("#,##0"), percent ("0%") with literal text around the number, dates
// ("m/d/yy", "d mmm yyyy": value a day serial from 1900); anything else as
// "General" does.
std::string FormatChartNumber(double value, const std::string& formatCode);

}  // namespace tarvik
