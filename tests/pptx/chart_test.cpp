// Charts as shapes: bars placed from the cached values by grouping, pie and
// doughnut wedges by their shares, the value axis's scale and labels, the
// caps on a hostile part, and the labelled box for a chart that cannot be drawn.
#include <gtest/gtest.h>

#include <cmath>

#include "pptx/chart.h"
#include "pptx_test_util.h"

using namespace tarvik;
using namespace tarvik::test;

namespace {

const ThemeColorMap kColors{{"accent1", 0x0000FF}, {"accent2", 0x00FF00}, {"accent3", 0xFF0000},
                            {"dk1", 0x000000},     {"lt1", 0xFFFFFF}};

std::string Numbers(const std::vector<double>& values) {
  std::string pts;
  for (size_t i = 0; i < values.size(); ++i)
    pts += "<c:pt idx='" + std::to_string(i) + "'><c:v>" + std::to_string(values[i]) + "</c:v></c:pt>";
  return "<c:numRef><c:numCache><c:formatCode>General</c:formatCode>" + pts + "</c:numCache></c:numRef>";
}

std::string Series(int idx, const std::string& name, const std::vector<double>& values, const std::string& extra = "") {
  return "<c:ser><c:idx val='" + std::to_string(idx) + "'/><c:tx><c:strRef><c:strCache><c:pt idx='0'><c:v>" + name +
         "</c:v></c:pt></c:strCache></c:strRef></c:tx>" + extra +
         "<c:cat><c:strRef><c:strCache><c:pt idx='0'><c:v>A</c:v></c:pt><c:pt idx='1'><c:v>B</c:v></c:pt>"
         "<c:pt idx='2'><c:v>C</c:v></c:pt></c:strCache></c:strRef></c:cat><c:val>" +
         Numbers(values) + "</c:val></c:ser>";
}

// A chart whose plot area is the middle 80 % of the frame, on an axis from 0 to 10.
std::string ChartXml(const std::string& group, const std::string& chartExtra = "<c:autoTitleDeleted val='1'/>") {
  return "<c:chartSpace xmlns:c='http://schemas.openxmlformats.org/drawingml/2006/chart' "
         "xmlns:a='http://schemas.openxmlformats.org/drawingml/2006/main'><c:chart>" + chartExtra +
         "<c:plotArea><c:layout><c:manualLayout><c:layoutTarget val='inner'/><c:xMode val='edge'/><c:yMode val='edge'/>"
         "<c:x val='0.1'/><c:y val='0.1'/><c:w val='0.8'/><c:h val='0.8'/></c:manualLayout></c:layout>" +
         group +
         "<c:catAx><c:axId val='1'/><c:delete val='1'/></c:catAx><c:valAx><c:axId val='2'/><c:scaling>"
         "<c:orientation val='minMax'/><c:max val='10'/><c:min val='0'/></c:scaling><c:delete val='0'/>"
         "<c:majorGridlines/><c:majorUnit val='5'/></c:valAx></c:plotArea></c:chart></c:chartSpace>";
}

struct TChartFixture {
  TThemeFonts Fonts;
  std::unique_ptr<TXmlPart> Doc;
  TChartData Data;
  // The frame is 1000000 EMU square at (0, 0): the plot area spans 100000 to 900000.
  std::vector<TChartPiece> Expand(const std::string& xml) {
    Doc = Xml(xml);
    Data = {};
    if (!ReadChartData(Doc->Root(), Data)) return {};
    return ExpandChart(Data, {0, 0, 1000000, 1000000}, {{&kColors, nullptr, {}}, {&kColors, &Fonts}});
  }
};

std::vector<const TChartPiece*> Named(const std::vector<TChartPiece>& pieces, const std::string& prefix) {
  std::vector<const TChartPiece*> found;
  for (const auto& piece : pieces)
    if (piece.Shape->Name.starts_with(prefix)) found.push_back(&piece);
  return found;
}

}  // namespace

TEST(Chart, BarsStandOnTheAxisAsTheirGroupingStacksThem) {
  const struct {
    const char* Grouping;
    const char* Overlap;
    int64_t FirstY, FirstCy, SecondY, SecondCy;  // category A's bars: 2 and 6, out of 0..10
  } cases[] = {
      {"clustered", "", 740000, 160000, 420000, 480000},
      {"stacked", "<c:overlap val='100'/>", 740000, 160000, 260000, 480000},
  };
  for (const auto& c : cases) {
    TChartFixture chart;
    auto pieces = chart.Expand(ChartXml(std::string("<c:barChart><c:barDir val='col'/><c:grouping val='") + c.Grouping +
                                        "'/>" + Series(0, "One", {2, 4, 5}) + Series(1, "Two", {6, 1, 5}) +
                                        "<c:gapWidth val='100'/>" + c.Overlap + "</c:barChart>"));
    auto first = Named(pieces, "One, A"), second = Named(pieces, "Two, A");
    ASSERT_EQ(first.size(), 1u) << c.Grouping;
    ASSERT_EQ(second.size(), 1u) << c.Grouping;
    EXPECT_NEAR(first[0]->Box.Y, c.FirstY, 2) << c.Grouping;
    EXPECT_NEAR(first[0]->Box.Cy, c.FirstCy, 2) << c.Grouping;
    EXPECT_NEAR(second[0]->Box.Y, c.SecondY, 2) << c.Grouping;
    EXPECT_NEAR(second[0]->Box.Cy, c.SecondCy, 2) << c.Grouping;
    EXPECT_EQ(first[0]->Shape->FillColor, 0x0000FF) << c.Grouping;  // accent1, then accent2
    EXPECT_EQ(second[0]->Shape->FillColor, 0x00FF00) << c.Grouping;
    // Three slots of 800000 / 3; a gap of one bar's width.
    const bool clustered = std::string(c.Grouping) == "clustered";
    const double bar = 800000.0 / 3 / (clustered ? 3 : 2);
    EXPECT_NEAR(first[0]->Box.Cx, bar, 2) << c.Grouping;
    EXPECT_NEAR(first[0]->Box.X, 100000 + bar / 2, 2) << c.Grouping;
    EXPECT_NEAR(second[0]->Box.X, 100000 + bar / 2 + (clustered ? bar : 0), 2) << c.Grouping;
  }
}

TEST(Chart, PercentStackedBarsFillTheAxisToAHundredPercent) {
  TChartFixture chart;
  std::string xml = ChartXml("<c:barChart><c:grouping val='percentStacked'/>" + Series(0, "One", {1, 4, 5}) +
                             Series(1, "Two", {3, 1, 5}) + "</c:barChart>");
  for (const std::string cut : {"<c:max val='10'/>", "<c:majorUnit val='5'/>"}) xml.erase(xml.find(cut), cut.size());
  auto pieces = chart.Expand(xml);
  auto first = Named(pieces, "One, A"), second = Named(pieces, "Two, A");
  ASSERT_EQ(first.size(), 1u);
  EXPECT_NEAR(first[0]->Box.Cy, 200000, 2);  // 25 % of the plot's 800000
  EXPECT_NEAR(second[0]->Box.Y, 100000, 2);  // the second ends at the top
  std::vector<std::string> labels;
  for (const TChartPiece* label : Named(pieces, "Axis label")) labels.push_back(label->Shape->PlainText());
  // However many steps the axis's length allows, it runs from 0 % to 100 %.
  ASSERT_GE(labels.size(), 3u);
  EXPECT_EQ(labels.front(), "0%");
  EXPECT_EQ(labels.back(), "100%");
}

TEST(Chart, PieWedgesTurnClockwiseFromTheFirstSliceAngleByTheirShares) {
  TChartFixture chart;
  auto pieces = chart.Expand(ChartXml("<c:pieChart><c:varyColors val='1'/>" + Series(0, "Sales", {1, 1, 2}) +
                                          "<c:firstSliceAng val='90'/></c:pieChart>",
                                      "<c:legend><c:legendPos val='b'/></c:legend>"));
  auto wedges = Named(pieces, "Sales, ");
  ASSERT_EQ(wedges.size(), 3u);
  // Each wedge: M start, A end, L centre, Z; in fractions of the pie's square.
  const struct {
    double StartDeg, EndDeg;
    TColor Fill;
  } cases[] = {{90, 180, 0x0000FF}, {180, 270, 0x00FF00}, {270, 450, 0xFF0000}};
  for (size_t i = 0; i < 3; ++i) {
    const auto& outline = wedges[i]->Outline;
    ASSERT_EQ(outline.size(), 4u);
    const double start = cases[i].StartDeg * M_PI / 180, end = cases[i].EndDeg * M_PI / 180;
    EXPECT_NEAR(outline[0].X, 0.5 + 0.5 * std::sin(start), 1e-9) << i;
    EXPECT_NEAR(outline[0].Y, 0.5 - 0.5 * std::cos(start), 1e-9) << i;
    EXPECT_NEAR(outline[1].X, 0.5 + 0.5 * std::sin(end), 1e-9) << i;
    EXPECT_NEAR(outline[1].Y, 0.5 - 0.5 * std::cos(end), 1e-9) << i;
    EXPECT_FALSE(outline[1].Large) << i;  // half the pie is not more than half
    EXPECT_EQ(wedges[i]->Shape->FillColor, cases[i].Fill) << i;
    EXPECT_EQ(wedges[i]->Box.Cx, wedges[i]->Box.Cy) << i;
  }
  // Office's title of a chart of one series is the series' name; the legend names the categories.
  auto title = Named(pieces, "Chart title");
  ASSERT_EQ(title.size(), 1u);
  EXPECT_EQ(title[0]->Shape->PlainText(), "Sales");
  EXPECT_EQ(Named(pieces, "Legend key ").size(), 3u);

  TPPTXShape placed;
  placed.WEmu = placed.HEmu = 952500;  // 100 px
  SetChartGeometry(wedges[0]->Outline, placed);
  EXPECT_EQ(placed.Geometry.Paths.at(0).D, "M100 50 A50 50 0 0 1 50 100 L50 50 Z");
}

TEST(Chart, DoughnutRingsShareTheRoomOutsideTheHole) {
  TChartFixture chart;
  auto pieces = chart.Expand(ChartXml("<c:doughnutChart>" + Series(0, "In", {1, 0, 0}) + Series(1, "Out", {1, 1, 0}) +
                                      "<c:holeSize val='50'/></c:doughnutChart>"));
  auto whole = Named(pieces, "In, A");
  ASSERT_EQ(whole.size(), 1u);
  // A whole ring: two half arcs around the outside, two around the hole.
  EXPECT_EQ(whole[0]->Outline.size(), 8u);
  EXPECT_NEAR(whole[0]->Outline[1].Rx, 0.5, 1e-9);
  EXPECT_NEAR(whole[0]->Outline[5].Rx, 0.375, 1e-9);  // the first series outermost
  EXPECT_EQ(Named(pieces, "Out, ").size(), 2u);       // no wedge for a zero
}

TEST(Chart, AxisScalesAreNiceAndNumbersFollowTheirFormat) {
  TChartAxis automatic;
  automatic.Min = automatic.Max = automatic.MajorUnit = NAN;
  TChartAxis fixed = automatic;
  fixed.Min = 10;
  fixed.MajorUnit = 25;
  const struct {
    double Low, High;
    const TChartAxis& Axis;
    int Steps;
    bool Zero;
    double Min, Max, Step;
  } scales[] = {
      {0.5, 4.3, automatic, 10, true, 0, 5, 0.5},  // zero included, a twentieth to spare
      {2, 43, automatic, 8, true, 0, 50, 10},
      {-3, 7, automatic, 10, true, -4, 8, 2},
      {0.7, 2.6, automatic, 8, false, 0.5, 3, 0.5},  // a scatter chart's x axis keeps to its data
      {0, 0, automatic, 8, true, 0, 1, 0.2},
      {0, 80, fixed, 8, true, 10, 85, 25},  // ticks counted from the axis's own minimum
  };
  for (const auto& c : scales) {
    const TAxisScale scale = NiceScale(c.Low, c.High, c.Axis, c.Steps, c.Zero);
    EXPECT_DOUBLE_EQ(scale.Min, c.Min) << c.Low << ".." << c.High;
    EXPECT_DOUBLE_EQ(scale.Max, c.Max) << c.Low << ".." << c.High;
    EXPECT_DOUBLE_EQ(scale.Step, c.Step) << c.Low << ".." << c.High;
  }
  const struct {
    double Value;
    const char* Format;
    const char* Text;
  } numbers[] = {
      {40, "General", "40"},          {0.25, "General", "0.25"},       {-0.0, "General", "0"},
      {0.253, "0%", "25%"},           {0.5, "0.0%", "50.0%"},          {1234567, "#,##0", "1,234,567"},
      {1234.5, "\"$\"#,##0.00", "$1,234.50"}, {-2.5, "0.0;(0.0)", "(2.5)"}, {25204, "m/d/yy", "1/1/69"},
      {45000, "d mmm yyyy", "15 Mar 2023"}, {45000, "dddd, mmmm d", "Wednesday, March 15"},
      {45000, "ddd mmmmm", "Wed M"},  {1234, "_(* #,##0_);_(* \\(#,##0\\)", "1,234"},
      {7, "0\\ \"pcs\"", "7 pcs"},  {44, "0\"%\"", "44%"},            {44, "0\\%", "44%"},
      {3, "\"a;b\"0", "a;b3"},        {-2.5, "0.0", "-2.5"},
      {0, "_(* #,##0_);_(* \\(#,##0\\);_(* \"-\"_)", "-"},
      {-1234, "_(* #,##0_);_(* \\(#,##0\\);_(* \"-\"_)", "(1,234)"},
  };
  for (const auto& c : numbers) EXPECT_EQ(FormatChartNumber(c.Value, c.Format), c.Text) << c.Format;
}

TEST(Chart, AHostileChartIsCutToItsCaps) {
  std::string series;
  std::vector<double> many(1500, 1.0);
  for (int s = 0; s < 100; ++s) series += Series(s, "S" + std::to_string(s), many);
  TChartFixture chart;
  chart.Doc = Xml(ChartXml("<c:lineChart>" + series + "</c:lineChart>"));
  ASSERT_TRUE(ReadChartData(chart.Doc->Root(), chart.Data));
  size_t values = 0;
  for (const auto& s : chart.Data.Groups[0].Series) values += s.Values.size();
  EXPECT_LE(chart.Data.Groups[0].Series.size(), kMaxChartSeries);
  EXPECT_LE(values, kMaxChartValues);
  EXPECT_LE(chart.Data.Categories.size(), kMaxChartPoints);
}

TEST(Chart, LinesJoinTheirPointsOnTheirOwnValueAxisWithMarkersUnlessNone) {
  // Columns on the first value axis (0..10), a line on a second one (0..100) at the right.
  std::string xml = ChartXml(
      "<c:barChart><c:grouping val='clustered'/>" + Series(0, "Bars", {2, 4, 5}) +
      "<c:axId val='1'/><c:axId val='2'/></c:barChart><c:lineChart><c:marker val='1'/>" +
      Series(1, "Line", {50, 100, 25}) + Series(2, "Bare", {10, 20, 30}, "<c:marker><c:symbol val='none'/></c:marker>") +
      "<c:axId val='1'/><c:axId val='3'/></c:lineChart>");
  xml.insert(xml.find("</c:plotArea>"),
             "<c:valAx><c:axId val='3'/><c:scaling><c:max val='100'/><c:min val='0'/></c:scaling><c:axPos val='r'/>"
             "<c:majorUnit val='50'/></c:valAx>");
  TChartFixture chart;
  auto pieces = chart.Expand(xml);
  auto segments = Named(pieces, "Line");
  ASSERT_EQ(segments.size(), 2u);  // three points, two segments
  // Category centres at 1/6 and 3/6 of the plot's 800000; values 50 and 100 of 100.
  const TChartPiece& first = *segments[0];
  EXPECT_EQ(first.Shape->Kind, skLine);
  EXPECT_NEAR(first.Box.X, 100000 + 800000.0 / 6, 2);
  EXPECT_NEAR(first.Box.Cx, 800000.0 / 3, 2);
  EXPECT_NEAR(first.Box.Y, 100000, 2);  // rising to the top ...
  EXPECT_NEAR(first.Box.Cy, 400000, 2);  // ... from the middle
  EXPECT_TRUE(first.Shape->FlipV);
  EXPECT_EQ(first.Shape->LineColor, 0x00FF00);  // accent2 for idx 1
  EXPECT_EQ(Named(pieces, "Marker").size(), 3u);  // the line's, none on the bare one
  EXPECT_EQ(Named(pieces, "Bare").size(), 2u);
  // The second axis's labels at the right of the plot.
  size_t right = 0;
  for (const TChartPiece* label : Named(pieces, "Axis label")) right += label->Box.X >= 900000;
  EXPECT_EQ(right, 3u);  // 0, 50, 100
}

TEST(Chart, LegendsNameTheSeriesBesideOrBelowThePlot) {
  for (const char* pos : {"r", "b"}) {
    TChartFixture chart;
    std::string xml = ChartXml("<c:lineChart>" + Series(0, "North", {1, 2, 3}) + Series(1, "South", {3, 2, 1}) +
                                   "</c:lineChart>",
                               std::string("<c:autoTitleDeleted val='1'/><c:legend><c:legendPos val='") + pos +
                                   "'/></c:legend>");
    xml.replace(xml.find("<c:manualLayout>"), xml.find("</c:manualLayout>") + 17 - xml.find("<c:manualLayout>"), "");
    auto pieces = chart.Expand(xml);
    auto names = Named(pieces, "Legend "), keys = Named(pieces, "Legend key ");
    ASSERT_EQ(keys.size(), 2u) << pos;
    EXPECT_EQ(keys[0]->Shape->Kind, skLine) << pos;  // a line series shows its stroke
    std::vector<std::string> texts;
    double plotRight = 0, plotBottom = 0;
    for (const TChartPiece* gridline : Named(pieces, "Gridline")) {
      plotRight = std::max<double>(plotRight, gridline->Box.X + gridline->Box.Cx);
      plotBottom = std::max<double>(plotBottom, gridline->Box.Y);
    }
    for (const TChartPiece* piece : names) {
      if (piece->Shape->Kind != skText) continue;
      texts.push_back(piece->Shape->PlainText());
      if (std::string(pos) == "r") EXPECT_GT(piece->Box.X, plotRight) << pos;
      else EXPECT_GT(piece->Box.Y, plotBottom) << pos;
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"North", "South"})) << pos;
    // Below a plot too narrow for both side by side, they stand in a column, keys aligned.
    if (std::string(pos) == "b") {
      EXPECT_NEAR(keys[0]->Box.X, keys[1]->Box.X, 1);
    }
  }
}

TEST(Chart, CategoryLabelsTurnWhenTheyDoNotFitAndShowDatesInTheirFormat) {
  const std::string dates =
      "<c:cat><c:numRef><c:numCache><c:formatCode>m/d/yy</c:formatCode><c:pt idx='0'><c:v>25204</c:v></c:pt>"
      "<c:pt idx='1'><c:v>25205</c:v></c:pt></c:numCache></c:numRef></c:cat>";
  std::string xml = ChartXml("<c:barChart><c:ser><c:idx val='0'/>" + dates + "<c:val>" + Numbers({1, 2}) +
                             "</c:val></c:ser></c:barChart>");
  xml.replace(xml.find("<c:delete val='1'/>"), 19, "<c:delete val='0'/>");
  const struct {
    const char* Rotation;
    double Deg;
  } cases[] = {{"", 0}, {"<c:txPr><a:bodyPr rot='-5400000'/></c:txPr>", -90}};
  for (const auto& c : cases) {
    std::string own = xml;
    own.insert(own.find("</c:catAx>"), c.Rotation);
    TChartFixture chart;
    auto pieces = chart.Expand(own);
    auto labels = Named(pieces, "Category label");
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0]->Shape->PlainText(), "1/1/69");
    EXPECT_EQ(labels[1]->Shape->PlainText(), "1/2/69");
    EXPECT_EQ(labels[0]->Box.RotDeg, c.Deg) << c.Rotation;
  }
  // Long names in a narrow plot turn up by an eighth.
  TChartFixture narrow;
  std::string xml2 = ChartXml("<c:barChart>" + Series(0, "One", {1, 2, 3}) + "</c:barChart>");
  xml2.replace(xml2.find("<c:delete val='1'/>"), 19, "<c:delete val='0'/>");
  for (const char* name : {">A<", ">B<", ">C<"}) xml2.replace(xml2.find(name), 3, ">A category name far too long<");
  auto pieces = narrow.Expand(xml2);
  auto labels = Named(pieces, "Category label");
  ASSERT_FALSE(labels.empty());
  EXPECT_EQ(labels[0]->Box.RotDeg, -45);
  // Names of short words break onto lines of their category's width instead.
  std::string words = xml2;
  for (size_t at; (at = words.find("A category name far too long")) != std::string::npos;)
    words.replace(at, 28, "A B C D");
  pieces = narrow.Expand(words);
  labels = Named(pieces, "Category label");
  ASSERT_EQ(labels.size(), 3u);
  EXPECT_EQ(labels[0]->Box.RotDeg, 0);
  EXPECT_TRUE(labels[0]->Shape->WrapText);
  EXPECT_LE(labels[0]->Box.Cx, 800000 / 3 + 1) << "as wide as its category";
}

TEST(Chart, ScatterPointsAndBubblesSitAtTheirXValuesAndAreasStack) {
  const std::string xAxis =
      "<c:valAx><c:axId val='1'/><c:scaling><c:max val='4'/><c:min val='0'/></c:scaling><c:delete val='1'/>"
      "<c:axPos val='b'/></c:valAx>";
  auto scatterXml = [&](const std::string& group) {
    std::string xml = ChartXml(group);
    const size_t at = xml.find("<c:catAx>");
    return xml.replace(at, xml.find("</c:catAx>") + 10 - at, xAxis);
  };
  const std::string points = "<c:xVal>" + Numbers({1, 3}) + "</c:xVal><c:yVal>" + Numbers({2, 4}) + "</c:yVal>";
  TChartFixture scatter;
  auto pieces = scatter.Expand(scatterXml("<c:scatterChart><c:scatterStyle val='lineMarker'/><c:ser><c:idx val='0'/>" +
                                          points + "</c:ser></c:scatterChart>"));
  auto segment = Named(pieces, "Series"), markers = Named(pieces, "Marker");
  ASSERT_EQ(segment.size(), 1u);
  EXPECT_NEAR(segment[0]->Box.X, 300000, 2);  // x 1 of 0..4, y 2 of 0..10
  EXPECT_NEAR(segment[0]->Box.Y + segment[0]->Box.Cy, 740000, 2);
  EXPECT_NEAR(segment[0]->Box.Cx, 400000, 2);  // to x 3, y 4
  EXPECT_NEAR(segment[0]->Box.Cy, 160000, 2);
  ASSERT_EQ(markers.size(), 2u);
  EXPECT_NEAR(markers[1]->Box.X + markers[1]->Box.Cx / 2.0, 700000, 2);

  TChartFixture bubbles;
  pieces = bubbles.Expand(scatterXml(
      "<c:bubbleChart><c:ser><c:idx val='0'/><c:dLbls><c:dLblPos val='ctr'/><c:showVal val='1'/>"
      "<c:showBubbleSize val='1'/></c:dLbls>" + points + "<c:bubbleSize>" + Numbers({1, 4}) +
      "</c:bubbleSize></c:ser></c:bubbleChart>"));
  auto circles = Named(pieces, "Bubble");
  ASSERT_EQ(circles.size(), 2u);
  EXPECT_NEAR(circles[0]->Box.Cx, 100000, 2);  // areas 1 : 4, the largest a quarter of the plot
  EXPECT_NEAR(circles[1]->Box.Cx, 200000, 2);
  EXPECT_NEAR(circles[1]->Box.Y + circles[1]->Box.Cy / 2.0, 580000, 2);
  // Labels with the value and the size, centred on their bubbles and drawn over them.
  auto labels = Named(pieces, "Data label");
  ASSERT_EQ(labels.size(), 2u);
  EXPECT_EQ(labels[1]->Shape->PlainText(), "4; 4");
  EXPECT_NEAR(labels[1]->Box.X + labels[1]->Box.Cx / 2.0, circles[1]->Box.X + circles[1]->Box.Cx / 2.0, 2);
  EXPECT_GT(labels[0] - &pieces[0], circles[1] - &pieces[0]);

  TChartFixture areas;
  pieces = areas.Expand(ChartXml("<c:areaChart><c:grouping val='stacked'/>" + Series(0, "Low", {2, 2, 2}) +
                                 Series(1, "High", {3, 3, 3}) + "</c:areaChart>"));
  auto high = Named(pieces, "High");
  ASSERT_EQ(high.size(), 1u);
  const auto& outline = high[0]->Outline;
  ASSERT_EQ(outline.size(), 7u);  // three points along the top, three back along the first series, closed
  EXPECT_NEAR(outline[0].Y, 0.5, 1e-9);  // 2 + 3 of 10
  EXPECT_NEAR(outline[3].Y, 0.8, 1e-9);  // the first series' top
}

TEST(Chart, DataLabelsShowWhatTheirSettingsAsk) {
  const std::string labels =
      "<c:dLbls><c:showLegendKey val='0'/><c:showVal val='%V'/><c:showCatName val='%C'/><c:showSerName val='0'/>"
      "<c:showPercent val='%P'/></c:dLbls>";
  auto with = [&](const char* v, const char* c, const char* p) {
    std::string text = labels;
    text.replace(text.find("%V"), 2, v);
    text.replace(text.find("%C"), 2, c);
    text.replace(text.find("%P"), 2, p);
    return text;
  };
  const struct {
    const char* Val;
    const char* Cat;
    const char* Percent;
    std::vector<std::string> Texts;
  } cases[] = {
      {"0", "0", "1", {"25%", "25%", "50%"}},
      {"1", "1", "0", {"A; 1", "B; 1", "C; 2"}},
      {"0", "0", "0", {}},
  };
  for (const auto& c : cases) {
    TChartFixture chart;
    auto pieces = chart.Expand(ChartXml("<c:pieChart>" + Series(0, "Sales", {1, 1, 2}) +
                                        with(c.Val, c.Cat, c.Percent) + "</c:pieChart>"));
    std::vector<std::string> texts;
    for (const TChartPiece* label : Named(pieces, "Data label")) texts.push_back(label->Shape->PlainText());
    EXPECT_EQ(texts, c.Texts) << c.Val << c.Cat << c.Percent;
  }
  // A column's value stands on its top, a negative one's under its foot.
  TChartFixture bars;
  std::string xml = ChartXml("<c:barChart>" + Series(0, "One", {2, 4, -5}) + with("1", "0", "0") + "</c:barChart>");
  xml.replace(xml.find("<c:min val='0'/>"), 16, "<c:min val='-10'/>");
  auto pieces = bars.Expand(xml);
  auto bar = Named(pieces, "One, B"), negative = Named(pieces, "One, C"), label = Named(pieces, "Data label");
  ASSERT_EQ(label.size(), 3u);
  EXPECT_EQ(label[1]->Shape->PlainText(), "4");
  EXPECT_NEAR(label[1]->Box.Y + label[1]->Box.Cy, bar[0]->Box.Y, 2);
  EXPECT_NEAR(label[2]->Box.Y, negative[0]->Box.Y + negative[0]->Box.Cy, 2);
}

// A point's own label overrides its series' where it says so: deleted,
// written out with fields for the point's value and category, with flags of
// its own, or dragged (by fractions of the frame) from where the chart puts it.
TEST(Chart, APointsOwnLabelOverridesItsSeries) {
  auto labelsOf = [](const std::string& third) {
    const std::string labels =
        "<c:dLbls><c:dLbl><c:idx val='0'/><c:delete val='1'/></c:dLbl>"
        "<c:dLbl><c:idx val='1'/><c:tx><c:rich><a:p><a:r><a:t>Now </a:t></a:r><a:fld id='{1}' type='VALUE'>"
        "<a:t>[VALUE]</a:t></a:fld><a:r><a:t> in </a:t></a:r><a:fld id='{2}' type='CATEGORYNAME'><a:t>[X]</a:t>"
        "</a:fld></a:p></c:rich></c:tx><c:showVal val='1'/></c:dLbl>"
        "<c:dLbl><c:idx val='2'/>" + third + "<c:showVal val='1'/><c:showCatName val='1'/></c:dLbl>"
        "<c:showVal val='1'/><c:showCatName val='0'/></c:dLbls>";
    TChartFixture chart;
    auto pieces = chart.Expand(ChartXml("<c:barChart>" + Series(0, "One", {2, 4, 5}, labels) + "</c:barChart>"));
    std::vector<std::pair<std::string, TShapeXfrm>> found;
    for (const TChartPiece* label : Named(pieces, "Data label")) found.emplace_back(label->Shape->PlainText(), label->Box);
    return found;
  };
  const auto placed = labelsOf("");
  const auto dragged = labelsOf("<c:layout><c:manualLayout><c:x val='-0.1'/><c:y val='0.05'/></c:manualLayout></c:layout>");
  ASSERT_EQ(placed.size(), 2u) << "the first point's label is deleted";
  EXPECT_EQ(placed[0].first, "Now 4 in B");
  EXPECT_EQ(placed[1].first, "C; 5") << "its own flags, not the series'";
  ASSERT_EQ(dragged.size(), 2u);
  EXPECT_EQ(dragged[1].second.X - placed[1].second.X, -100000);
  EXPECT_EQ(dragged[1].second.Y - placed[1].second.Y, 50000);
  EXPECT_EQ(dragged[0].second.X, placed[0].second.X);
}

// A dragged title puts its text's corner at a fraction of the frame (edge
// mode); factor mode goes through the same placing as the labels above.
TEST(Chart, DraggedTitlesKeepTheirPlace) {
  const std::string title = "<c:title><c:tx><c:rich><a:bodyPr rot='0'/><a:p><a:r><a:t>Name</a:t></a:r></a:p></c:rich>"
                            "</c:tx><c:layout><c:manualLayout><c:xMode val='edge'/><c:yMode val='edge'/><c:x val='0.02'/>"
                            "<c:y val='0.4'/></c:manualLayout></c:layout></c:title>";
  std::string xml = ChartXml("<c:barChart>" + Series(0, "One", {2, 4, 5}) + "</c:barChart>", title);
  xml.insert(xml.find("<c:majorGridlines/>"), title);
  TChartFixture chart;
  const auto pieces = chart.Expand(xml);
  for (const char* name : {"Chart title", "Axis title"}) {
    const auto found = Named(pieces, name);
    ASSERT_EQ(found.size(), 1u) << name;
    EXPECT_TRUE(found[0]->Box.X == 20000 && found[0]->Box.Y == 400000) << name;
  }
}

namespace {

std::string ChartFrame(const std::string& name, const std::string& relId) {
  return "<p:graphicFrame><p:nvGraphicFramePr><p:cNvPr id='5' name='" + name +
         "'/><p:cNvGraphicFramePr/><p:nvPr/></p:nvGraphicFramePr>"
         "<p:xfrm><a:off x='1000000' y='1000000'/><a:ext cx='4000000' cy='3000000'/></p:xfrm>"
         "<a:graphic><a:graphicData uri='http://schemas.openxmlformats.org/drawingml/2006/chart'>"
         "<c:chart xmlns:c='http://schemas.openxmlformats.org/drawingml/2006/chart' "
         "xmlns:r='http://schemas.openxmlformats.org/officeDocument/2006/relationships' r:id='" + relId +
         "'/></a:graphicData></a:graphic></p:graphicFrame>";
}

}  // namespace

TEST(Chart, AFrameIsItsChartInAGroupOrElseALabelledBox) {
  TTempDir dir;
  TDeckParts parts;
  parts.Slides = {{ChartFrame("Sales", "rOk") + ChartFrame("Surface", "rSurface") + ChartFrame("Broken", "rBroken") +
                       ChartFrame("Missing", "rNone"),
                   RelationshipXml("rOk", "chart", "../charts/chart1.xml") +
                       RelationshipXml("rSurface", "chart", "../charts/chart2.xml") +
                       RelationshipXml("rBroken", "chart", "../charts/chart3.xml"),
                   ""}};
  TDeckWriter deck = BuildMinimalDeck(parts);
  deck.Add("ppt/charts/chart1.xml", ChartXml("<c:barChart>" + Series(0, "One", {2, 4, 5}) + "</c:barChart>"));
  deck.Add("ppt/charts/chart2.xml", ChartXml("<c:surfaceChart>" + Series(0, "One", {2, 4, 5}) + "</c:surfaceChart>"));
  deck.Add("ppt/charts/chart3.xml", "<c:chartSpace><c:chart>");
  // A chart pasted from another deck keeps that deck's colours and fonts.
  deck.Add("ppt/charts/_rels/chart1.xml.rels",
           "<Relationships xmlns='http://schemas.openxmlformats.org/package/2006/relationships'><Relationship Id='r1' "
           "Type='http://schemas.openxmlformats.org/officeDocument/2006/relationships/themeOverride' "
           "Target='../theme/themeOverride1.xml'/></Relationships>");
  deck.Add("ppt/theme/themeOverride1.xml",
           "<a:themeOverride xmlns:a='http://schemas.openxmlformats.org/drawingml/2006/main'><a:clrScheme name='x'>"
           "<a:accent1><a:srgbClr val='123456'/></a:accent1></a:clrScheme><a:fontScheme name='f'><a:majorFont>"
           "<a:latin typeface='Pasted Head'/></a:majorFont><a:minorFont><a:latin typeface='Pasted'/></a:minorFont>"
           "</a:fontScheme></a:themeOverride>");
  auto p = LoadDeck(deck, dir);
  const TPPTXSlide& slide = *p->Slides.at(0);

  size_t drawn = 0;
  for (const auto& shape : slide.Shapes) {
    if (shape->GroupPath != "Sales") continue;
    ++drawn;
    if (shape->Name == "One, A") {
      EXPECT_EQ(shape->FillColor, 0x563412);
    }
    if (shape->Kind == skText) {
      EXPECT_EQ(shape->Paragraphs.at(0).Runs.at(0).FontName, "Pasted") << shape->Name;
    }
    EXPECT_GE(shape->XEmu, 1000000) << shape->Name;
    EXPECT_LE(shape->XEmu + shape->WEmu, 5000000) << shape->Name;
    EXPECT_GE(shape->YEmu, 1000000) << shape->Name;
    EXPECT_LE(shape->YEmu + shape->HEmu, 4000000) << shape->Name;
  }
  EXPECT_GE(drawn, 3u + 3u);  // three bars, the gridlines, the axis and its labels
  for (const char* name : {"Surface", "Broken", "Missing"}) {
    const TPPTXShape* box = nullptr;
    for (const auto& shape : slide.Shapes)
      if (shape->Name == name) box = shape.get();
    ASSERT_NE(box, nullptr) << name;
    EXPECT_EQ(box->Kind, skText) << name;
    EXPECT_EQ(box->PlainText(), "Chart") << name;
    EXPECT_TRUE(box->HasFill && box->HasLine) << name;
    EXPECT_EQ(box->WEmu, 4000000) << name;
  }
}

std::string RadarXml(bool filled, bool categoryAxis) {
  std::string xml = ChartXml(std::string("<c:radarChart><c:radarStyle val='") + (filled ? "filled" : "marker") +
                             "'/>" + Series(0, "One", {10, 5, 0}) + Series(1, "Two", {5, 5, 5}) + "</c:radarChart>");
  if (categoryAxis) xml.replace(xml.find("<c:delete val='1'/></c:catAx>"), 14, "<c:delete val='0'/>");
  return xml;
}

TEST(Chart, RadarSeriesReachAlongTheirSpokesByValue) {
  TChartFixture bare;
  EXPECT_TRUE(Named(bare.Expand(RadarXml(false, false)), "Category label").empty());
  for (const bool filled : {false, true}) {
    TChartFixture chart;
    auto pieces = chart.Expand(RadarXml(filled, true));
    auto one = Named(pieces, "One"), two = Named(pieces, "Two");
    ASSERT_EQ(one.size(), 1u);
    ASSERT_EQ(two.size(), 1u);
    // A point per category and a close; the axis maximum reaches the web's rim.
    ASSERT_EQ(one[0]->Outline.size(), 4u);
    EXPECT_NEAR(one[0]->Outline[0].Y, 0.0, 1e-9);   // straight up at the top
    EXPECT_NEAR(one[0]->Outline[2].X, 0.5, 1e-9);   // a zero sits at the centre
    EXPECT_NEAR(two[0]->Outline[1].Rx, 0.25, 1e-9);  // half the axis, half the radius
    EXPECT_EQ(one[0]->Shape->HasFill, filled);
    // The web and its labels fill the plot (100000 to 900000) one way and stay inside it the other.
    double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
    for (const auto* label : Named(pieces, "Category label")) {
      x0 = std::min<double>(x0, label->Box.X), x1 = std::max<double>(x1, label->Box.X + label->Box.Cx);
      y0 = std::min<double>(y0, label->Box.Y), y1 = std::max<double>(y1, label->Box.Y + label->Box.Cy);
    }
    EXPECT_GE(std::min(x0, y0), 100000 - 10);
    EXPECT_LE(std::max(x1, y1), 900000 + 10);
    EXPECT_GT(std::max(x1 - x0, y1 - y0), 800000 - 20);
    EXPECT_EQ(Named(pieces, "Category label").size(), 3u);
    // Filled areas lie first series on top.
    EXPECT_EQ(one[0] > two[0], filled);
    // The value labels lie over the series, and the top spoke's category stands clear of them.
    const auto values = Named(pieces, "Value label");
    EXPECT_FALSE(values.empty());
    const auto& top = Named(pieces, "Category label")[0]->Box;
    for (const auto* value : values) {
      EXPECT_GT(value, std::max(one[0], two[0]));
      // Their lines' middles at least a line (10 pt) apart, so the glyphs do not meet.
      EXPECT_GE(value->Box.Y + value->Box.Cy / 2 - (top.Y + top.Cy / 2), 10 * 12700) << value->Shape->PlainText();
    }
  }
}

TEST(Chart, ASmoothSeriesIsACurveThroughItsPointsBrokenAtGaps) {
  const std::string gappy =
      "<c:ser><c:idx val='1'/><c:smooth val='1'/><c:val><c:numRef><c:numCache><c:ptCount val='5'/>"
      "<c:pt idx='0'><c:v>1</c:v></c:pt><c:pt idx='1'><c:v>2</c:v></c:pt><c:pt idx='3'><c:v>3</c:v></c:pt>"
      "<c:pt idx='4'><c:v>4</c:v></c:pt></c:numCache></c:numRef></c:val></c:ser>";
  TChartFixture chart;
  auto pieces = chart.Expand(
      ChartXml("<c:lineChart>" + Series(0, "Curve", {2, 8, 4}, "<c:smooth val='1'/>") + gappy + "</c:lineChart>"));
  auto curves = Named(pieces, "Curve");
  ASSERT_EQ(curves.size(), 1u);
  const auto& steps = curves[0]->Outline;
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_EQ(steps[0].Op, 'M');
  EXPECT_EQ(steps[2].Op, 'C');
  // Through the points: their heights in fractions of the plot (the axis runs 0 to 10).
  EXPECT_NEAR(steps[0].Y, 0.8, 1e-9);
  EXPECT_NEAR(steps[1].Y, 0.2, 1e-9);
  EXPECT_NEAR(steps[2].Y, 0.6, 1e-9);
  // Smooth at the middle point: the tangents on either side lie on one line through it.
  const double ax = steps[1].Cx - steps[1].X, ay = steps[1].Cy - steps[1].Y;
  const double bx = steps[2].Rx - steps[1].X, by = steps[2].Ry - steps[1].Y;
  EXPECT_NEAR(ax * by - ay * bx, 0, 1e-12);
  EXPECT_LT(ax * bx + ay * by, 0);
  // A missing value ends one curve and starts the next.
  EXPECT_EQ(Named(pieces, "Series").size(), 2u);
}

TEST(Chart, ADateAxisInDaysSpacesItsPointsByTheirDays) {
  const std::string dates =
      "<c:cat><c:numRef><c:numCache><c:formatCode>m/d/yy</c:formatCode><c:pt idx='0'><c:v>25204</c:v></c:pt>"
      "<c:pt idx='1'><c:v>25205</c:v></c:pt><c:pt idx='2'><c:v>25210</c:v></c:pt></c:numCache></c:numRef></c:cat>";
  const struct {
    const char* Axis;
    double Ratio;       // the second segment's width over the first's
    size_t Labels;      // 0: not checked
  } cases[] = {
      {"", 5, 0},
      {"<c:baseTimeUnit val='days'/><c:majorUnit val='2'/>", 5, 4},  // 1/1, 1/3, 1/5, 1/7
      {"<c:baseTimeUnit val='months'/>", 1, 3},
      {"<c:baseTimeUnit val='days'/><c:scaling><c:max val='25206'/></c:scaling>", 1, 0},  // the last point is clamped
  };
  for (const auto& c : cases) {
    std::string xml = ChartXml("<c:lineChart><c:ser><c:idx val='0'/>" + dates + "<c:val>" + Numbers({1, 2, 3}) +
                               "</c:val></c:ser></c:lineChart>");
    xml.replace(xml.find("<c:catAx><c:axId val='1'/><c:delete val='1'/></c:catAx>"), 54,
                std::string("<c:dateAx><c:axId val='1'/><c:delete val='0'/>") + c.Axis + "</c:dateAx>");
    TChartFixture chart;
    auto pieces = chart.Expand(xml);
    auto segments = Named(pieces, "Series");
    ASSERT_EQ(segments.size(), 2u) << c.Axis;
    EXPECT_NEAR(static_cast<double>(segments[1]->Box.Cx) / static_cast<double>(segments[0]->Box.Cx), c.Ratio, 0.01)
        << c.Axis;
    auto labels = Named(pieces, "Category label");
    ASSERT_FALSE(labels.empty()) << c.Axis;
    EXPECT_EQ(labels[0]->Shape->PlainText(), "1/1/69") << c.Axis;
    if (c.Labels) {
      EXPECT_EQ(labels.size(), c.Labels) << c.Axis;
    }
  }
}
