// A chart (c:chart in a graphic frame) as ordinary shapes drawn from the
// values its part keeps cached: the plot area, bars, wedges, lines and
// areas in the series' own paint or the theme's accent colours, the axes'
// labels and gridlines, the title and the legend. Every consumer then shows
// the chart without code of its own. A chart it cannot draw becomes a
// labelled box, never nothing.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "pptx/chart_data.h"
#include "pptx/fill.h"
#include "pptx/group_transform.h"
#include "pptx/model.h"
#include "pptx/text_body.h"

namespace tarvik {

struct TChartContext {
  TPaintContext Paint;  // the slide's colours; the chart part's relationships
  TTextTheme Theme;
};

// One step of an outline, in fractions of its shape's box: move, line, an
// elliptical arc (radii as fractions too), a cubic curve (through the
// control points Rx, Ry and Cx, Cy) or close.
struct TChartPathStep {
  char Op = 'M';  // 'M', 'L', 'A', 'C', 'Z'
  double X = 0, Y = 0, Rx = 0, Ry = 0;
  bool Large = false, Sweep = true;
  double Cx = 0, Cy = 0;
};

// A shape of the chart with its box in the frame's coordinate space and,
// for wedges and areas, its outline.
struct TChartPiece {
  std::unique_ptr<TPPTXShape> Shape;
  TShapeXfrm Box;
  std::vector<TChartPathStep> Outline;
};

// The chart laid out in frame: title at the top, legend where it says, the
// plot area in the rest. Empty when data holds nothing this draws.
std::vector<TChartPiece> ExpandChart(const TChartData& data, const TShapeXfrm& frame, const TChartContext& context);

// The box a chart that cannot be drawn is shown as: frame, outlined and
// labelled "Chart".
TChartPiece ChartPlaceholder(const TShapeXfrm& frame, const TChartContext& context);

// The piece's outline as its shape's geometry at the shape's pixel size:
// call once the shape is placed. No outline leaves the geometry empty.
void SetChartGeometry(const std::vector<TChartPathStep>& outline, TPPTXShape& shape);

}  // namespace tarvik
