// Chart parts read from their caches, axis scales and number formats.
#include "pptx/chart_data.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "pptx/date_field.h"
#include "pptx/xml_helpers.h"

namespace tarvik {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool IsDateFormat(const std::string& code);

std::string ValText(pugi::xml_node element, const char* child) {
  return GetAttrText(FindChildNode(element, child), "val");
}

bool OnFlag(pugi::xml_node element, const char* child, bool def) {
  pugi::xml_node node = FindChildNode(element, child);
  if (!node) return def;
  std::string value = GetAttrText(node, "val", "1");
  return value == "1" || SameText(value, "true");
}

bool ParseNumber(std::string_view text, double& value) {
  text = TrimControl(text);
  if (text.empty() || text.size() > 64) return false;
  std::string copy(text);
  char* end = nullptr;
  value = std::strtod(copy.c_str(), &end);
  return end == copy.c_str() + copy.size() && std::isfinite(value);
}

double NumberVal(pugi::xml_node element, const char* child) {
  double value = kNaN;
  if (pugi::xml_node node = FindChildNode(element, child)) ParseNumber(GetAttrText(node, "val"), value);
  return value;
}

// The points of a cache (numCache, strCache or a literal) by index, each as
// its text; the cache's size is what its points reach, never its ptCount.
std::vector<std::string> CachedTexts(pugi::xml_node data, std::string* formatCode = nullptr) {
  pugi::xml_node cache;
  for (const char* name : {"numCache", "strCache", "numLit", "strLit"})
    if ((cache = FindDescendantNode(data, name))) break;
  if (!cache) cache = FindDescendantNode(data, "lvl");  // multi-level categories: the innermost level
  std::vector<std::string> texts;
  if (formatCode) *formatCode = ElementText(FindChildNode(cache, "formatCode"));
  for (pugi::xml_node pt = cache.first_child(); pt; pt = pt.next_sibling()) {
    if (!IsElementNamed(pt, "pt")) continue;
    const int64_t idx = GetAttrInt64(pt, "idx", -1);
    if (idx < 0 || idx >= static_cast<int64_t>(kMaxChartPoints)) continue;
    if (texts.size() <= static_cast<size_t>(idx)) texts.resize(static_cast<size_t>(idx) + 1);
    texts[static_cast<size_t>(idx)] = ElementText(FindChildNode(pt, "v"));
  }
  return texts;
}

std::vector<double> CachedNumbers(pugi::xml_node data, std::string* formatCode = nullptr) {
  std::vector<double> numbers;
  for (const std::string& text : CachedTexts(data, formatCode)) {
    double value = kNaN;
    if (!ParseNumber(text, value)) value = kNaN;
    numbers.push_back(value);
  }
  return numbers;
}

TChartSeries ReadSeries(pugi::xml_node ser, TChartType type, size_t budget) {
  TChartSeries series;
  series.Index = static_cast<size_t>(std::clamp<int64_t>(GetAttrInt64(FindChildNode(ser, "idx"), "val", 0), 0, 1000));
  std::vector<std::string> name = CachedTexts(FindChildNode(ser, "tx"));
  if (!name.empty()) series.Name = name[0];
  else if (pugi::xml_node v = FindChildNode(FindChildNode(ser, "tx"), "v")) series.Name = ElementText(v);
  series.SpPr = FindChildNode(ser, "spPr");
  series.Marker = FindChildNode(ser, "marker");
  series.Smooth = OnFlag(ser, "smooth", false);
  series.Labels = FindChildNode(ser, "dLbls");
  std::vector<pugi::xml_node> points;
  FindChildNodes(ser, "dPt", points);
  for (pugi::xml_node dPt : points) {
    const int64_t idx = GetAttrInt64(FindChildNode(dPt, "idx"), "val", -1);
    if (idx >= 0 && idx < static_cast<int64_t>(kMaxChartPoints))
      series.PointSpPr.emplace_back(static_cast<size_t>(idx), FindChildNode(dPt, "spPr"));
  }
  if (type == TChartType::Scatter || type == TChartType::Bubble) {
    series.Values = CachedNumbers(FindChildNode(ser, "yVal"), &series.FormatCode);
    series.XValues = CachedNumbers(FindChildNode(ser, "xVal"));
    series.Sizes = CachedNumbers(FindChildNode(ser, "bubbleSize"));
  } else {
    series.Values = CachedNumbers(FindChildNode(ser, "val"), &series.FormatCode);
  }
  if (series.Values.size() > budget) series.Values.resize(budget);
  if (series.XValues.size() > series.Values.size()) series.XValues.resize(series.Values.size());
  if (series.Sizes.size() > series.Values.size()) series.Sizes.resize(series.Values.size());
  return series;
}

bool GroupType(std::string_view name, TChartType& type) {
  static const struct {
    const char* Name;
    TChartType Type;
  } kTypes[] = {
      {"barChart", TChartType::Bar},       {"bar3DChart", TChartType::Bar},   {"lineChart", TChartType::Line},
      {"line3DChart", TChartType::Line},   {"areaChart", TChartType::Area},   {"area3DChart", TChartType::Area},
      {"pieChart", TChartType::Pie},       {"pie3DChart", TChartType::Pie},   {"ofPieChart", TChartType::Pie},
      {"doughnutChart", TChartType::Doughnut}, {"scatterChart", TChartType::Scatter},
      {"bubbleChart", TChartType::Bubble}, {"radarChart", TChartType::Radar},
  };
  for (const auto& known : kTypes)
    if (SameText(name, known.Name)) {
      type = known.Type;
      return true;
    }
  return false;
}

TChartGrouping GroupingOf(pugi::xml_node group, TChartType type) {
  const std::string grouping = ValText(group, "grouping");
  if (grouping == "stacked") return TChartGrouping::Stacked;
  if (grouping == "percentStacked") return TChartGrouping::Percent;
  if (type == TChartType::Bar) return TChartGrouping::Clustered;  // also the default of a bar chart
  return TChartGrouping::Standard;
}

TChartGroup ReadGroup(pugi::xml_node node, TChartType type, size_t& budget) {
  TChartGroup group;
  group.Type = type;
  group.Grouping = GroupingOf(node, type);
  group.Horizontal = ValText(node, "barDir") == "bar";
  group.GapWidthPct = static_cast<int>(std::clamp<int64_t>(GetAttrInt64(FindChildNode(node, "gapWidth"), "val", 150), 0, 500));
  const int64_t stackedOverlap = group.Grouping == TChartGrouping::Clustered ? 0 : 100;
  group.OverlapPct =
      static_cast<int>(std::clamp<int64_t>(GetAttrInt64(FindChildNode(node, "overlap"), "val", stackedOverlap), -100, 100));
  group.HoleSizePct = static_cast<int>(std::clamp<int64_t>(GetAttrInt64(FindChildNode(node, "holeSize"), "val", 50), 10, 90));
  group.FirstSliceDeg = static_cast<double>(std::clamp<int64_t>(GetAttrInt64(FindChildNode(node, "firstSliceAng"), "val", 0), 0, 360));
  group.VaryColors = OnFlag(node, "varyColors", type == TChartType::Pie || type == TChartType::Doughnut);
  group.Markers = OnFlag(node, "marker", false);
  if (type == TChartType::Scatter) {
    const std::string style = ValText(node, "scatterStyle");
    group.Markers = style.empty() || style.find("Marker") != std::string::npos || style == "marker";
  }
  if (type == TChartType::Radar) group.Filled = ValText(node, "radarStyle") == "filled";
  group.BubbleScalePct =
      static_cast<int>(std::clamp<int64_t>(GetAttrInt64(FindChildNode(node, "bubbleScale"), "val", 100), 0, 300));
  group.Labels = FindChildNode(node, "dLbls");
  for (pugi::xml_node ser = node.first_child(); ser && budget > 0; ser = ser.next_sibling()) {
    if (!IsElementNamed(ser, "ser")) continue;
    group.Series.push_back(ReadSeries(ser, type, std::min(budget, kMaxChartPoints)));
    budget -= std::min(budget, std::max<size_t>(group.Series.back().Values.size(), 1));
  }
  return group;
}

void ReadAxis(pugi::xml_node ax, TChartAxis& axis) {
  axis.Present = true;
  axis.Deleted = OnFlag(ax, "delete", false);
  axis.ShowLabels = ValText(ax, "tickLblPos") != "none";
  pugi::xml_node grid = FindChildNode(ax, "majorGridlines");
  axis.Gridlines = bool(grid);
  axis.GridlineSpPr = FindChildNode(grid, "spPr");
  axis.SpPr = FindChildNode(ax, "spPr");
  axis.TxPr = FindChildNode(ax, "txPr");
  axis.Title = FindChildNode(ax, "title");
  pugi::xml_node scaling = FindChildNode(ax, "scaling");
  axis.Min = NumberVal(scaling, "min");
  axis.Max = NumberVal(scaling, "max");
  axis.MajorUnit = NumberVal(ax, "majorUnit");
  axis.Reversed = ValText(scaling, "orientation") == "maxMin";
  pugi::xml_node numFmt = FindChildNode(ax, "numFmt");
  if (GetAttrText(numFmt, "sourceLinked") != "1") axis.FormatCode = GetAttrText(numFmt, "formatCode");
  axis.BetweenCategories = ValText(ax, "crossBetween") != "midCat";
  axis.Dates = IsElementNamed(ax, "dateAx");
  if (axis.Dates) {
    axis.BaseTimeUnit = ValText(ax, "baseTimeUnit");
    axis.MajorTimeUnit = ValText(ax, "majorTimeUnit");
  }
}

// Dates on a date axis counted in days stand as far apart as their days:
// the axis runs from its first day to its last (its own minimum and maximum
// where it sets them) and every day of it is a slot. Axes counted in months
// or years, and days an axis with no unit of its own gives a month or more
// apart, keep one slot per date.
void PlaceDates(const std::vector<std::string>& texts, const std::string& format, TChartData& data) {
  const TChartAxis& axis = data.CategoryAxis;
  if (!axis.Dates || !IsDateFormat(format) || texts.size() < 2) return;
  if (!axis.BaseTimeUnit.empty() && axis.BaseTimeUnit != "days") return;
  std::vector<double> days;
  for (const std::string& text : texts) {
    double serial = 0;
    if (!ParseNumber(text, serial) || serial <= 0 || serial >= 2958466) return;
    days.push_back(std::floor(serial));
  }
  std::vector<double> sorted = days;
  std::sort(sorted.begin(), sorted.end());
  double closest = kMostAxisDays;
  for (size_t i = 1; i < sorted.size(); ++i)
    if (sorted[i] > sorted[i - 1]) closest = std::min(closest, sorted[i] - sorted[i - 1]);
  if (axis.BaseTimeUnit.empty() && closest >= 28) return;
  const double first = std::isfinite(axis.Min) ? std::floor(axis.Min) : sorted.front();
  const double last = std::isfinite(axis.Max) ? std::floor(axis.Max) : sorted.back();
  if (last < first || last - first >= kMostAxisDays) return;
  // A point beyond the axis's own bounds sits at its end.
  for (double day : days) data.CategorySlots.push_back(std::clamp(day - first, 0.0, last - first));
  const std::string& labelFormat = axis.FormatCode.empty() ? format : axis.FormatCode;
  for (double day = first; day <= last; ++day) data.SlotLabels.push_back(FormatChartNumber(day, labelFormat));
}

// The value axis of a chart type: the valAx among the axes its axId
// elements name (all of them when it names none), of a scatter chart's two
// the one not at the bottom or top.
pugi::xml_node ValueAxisOf(pugi::xml_node plotArea, pugi::xml_node group) {
  std::vector<pugi::xml_node> ids, values;
  FindChildNodes(group, "axId", ids);
  FindChildNodes(plotArea, "valAx", values);
  pugi::xml_node found;
  for (pugi::xml_node ax : values) {
    const std::string id = ValText(ax, "axId");
    if (!ids.empty() &&
        std::none_of(ids.begin(), ids.end(), [&](pugi::xml_node n) { return GetAttrText(n, "val") == id; }))
      continue;
    auto across = [](pugi::xml_node axis) {
      const std::string pos = ValText(axis, "axPos");
      return pos == "b" || pos == "t";
    };
    if (!found || (across(found) && !across(ax))) found = ax;
  }
  return found ? found : (values.empty() ? pugi::xml_node() : values[0]);
}

// The category axis is the catAx or dateAx; a scatter chart's x axis is its valAx other than the value axis.
void ReadAxes(pugi::xml_node plotArea, bool scatter, TChartData& data) {
  pugi::xml_node value = ValueAxisOf(plotArea, data.Groups.empty() ? pugi::xml_node() : data.Groups[0].Node);
  pugi::xml_node category = FindChildNode(plotArea, "catAx");
  if (!category) category = FindChildNode(plotArea, "dateAx");
  if (scatter) {
    category = {};
    std::vector<pugi::xml_node> values;
    FindChildNodes(plotArea, "valAx", values);
    for (pugi::xml_node ax : values)
      if (ax != value && !category) category = ax;
  }
  if (category) ReadAxis(category, data.CategoryAxis);
  if (value) ReadAxis(value, data.ValueAxis);
  for (TChartGroup& group : data.Groups) {
    pugi::xml_node own = ValueAxisOf(plotArea, group.Node);
    group.Secondary = own && value && own != value;
    if (group.Secondary && !data.SecondaryAxis.Present) ReadAxis(own, data.SecondaryAxis);
  }
}

}  // namespace

size_t TChartData::SeriesCount() const {
  size_t count = 0;
  for (const TChartGroup& group : Groups) count += group.Series.size();
  return count;
}

bool ReadChartData(pugi::xml_node chartSpace, TChartData& data) {
  pugi::xml_node chart = FindChildNode(chartSpace, "chart");
  pugi::xml_node plotArea = FindChildNode(chart, "plotArea");
  data.Title = FindChildNode(chart, "title");
  data.AutoTitleDeleted = OnFlag(chart, "autoTitleDeleted", false);
  data.Legend = FindChildNode(chart, "legend");
  data.TxPr = FindChildNode(chartSpace, "txPr");
  data.SpaceSpPr = FindChildNode(chartSpace, "spPr");
  data.PlotSpPr = FindChildNode(plotArea, "spPr");
  data.PlotLayout = FindChildNode(FindChildNode(plotArea, "layout"), "manualLayout");

  size_t budget = kMaxChartValues, seriesLeft = kMaxChartSeries;
  bool scatter = false;
  for (pugi::xml_node node = plotArea.first_child(); node; node = node.next_sibling()) {
    TChartType type;
    if (node.type() != pugi::node_element || !GroupType(LocalNameOf(node.name()), type)) continue;
    TChartGroup group = ReadGroup(node, type, budget);
    group.Node = node;
    if (group.Series.size() > seriesLeft) group.Series.resize(seriesLeft);
    seriesLeft -= group.Series.size();
    // A scatter chart's axes are two value axes; scatter series among bars keep the category axis.
    scatter = (data.Groups.empty() || scatter) && (type == TChartType::Scatter || type == TChartType::Bubble);
    if (!group.Series.empty()) data.Groups.push_back(std::move(group));
  }
  ReadAxes(plotArea, scatter, data);
  size_t points = 0;
  for (const TChartGroup& group : data.Groups)
    for (const TChartSeries& series : group.Series) points = std::max(points, series.Values.size());
  // The categories are those of the first series that names any.
  for (pugi::xml_node node = plotArea.first_child(); node && data.Categories.empty(); node = node.next_sibling())
    for (pugi::xml_node ser = FindChildNode(node, "ser"); ser && data.Categories.empty(); ser = ser.next_sibling())
      if (IsElementNamed(ser, "ser")) {
        std::string format;
        data.Categories = CachedTexts(FindChildNode(ser, "cat"), &format);
        if (data.Categories.size() > points) data.Categories.resize(points);
        if (data.Categories.size() == points) PlaceDates(data.Categories, format, data);
        double serial = 0, first = 0, last = 0;
        // A date axis runs from the earliest date, whichever order the data come in.
        if (data.CategorySlots.empty() && data.CategoryAxis.Dates && data.Categories.size() > 1 &&
            ParseNumber(data.Categories.front(), first) && ParseNumber(data.Categories.back(), last) && first > last)
          data.CategoryAxis.Reversed = !data.CategoryAxis.Reversed;
        if (IsDateFormat(format))
          for (std::string& text : data.Categories)
            if (ParseNumber(text, serial)) text = FormatChartNumber(serial, format);
      }
  for (size_t i = data.Categories.size(); i < points; ++i) data.Categories.push_back(std::to_string(i + 1));
  return points > 0;
}

TAxisScale NiceScale(double low, double high, const TChartAxis& axis, int maxSteps, bool withZero) {
  if (!std::isfinite(low) || !std::isfinite(high) || low > high) low = high = 0;
  if (withZero && low > 0) low = 0;
  if (withZero && high < 0) high = 0;
  // Room above the highest value (below the lowest negative one), as Office leaves it.
  const double span = high - low;
  if (high > 0 || !withZero) high += span * 0.05;
  if (low < 0 || !withZero) low = low >= 0 ? std::max(0.0, low - span * 0.05) : low - span * 0.05;
  if (std::isfinite(axis.Min)) low = axis.Min;
  if (std::isfinite(axis.Max)) high = axis.Max;
  if (high <= low) high = low + (std::isfinite(axis.Max) || low == 0 ? 1 : std::fabs(low));
  TAxisScale scale;
  if (std::isfinite(axis.MajorUnit) && axis.MajorUnit > 0 && (high - low) / axis.MajorUnit <= 1000) {
    scale.Step = axis.MajorUnit;
  } else {
    const double raw = (high - low) / std::max(maxSteps, 1);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    scale.Step = 10 * power;
    for (double factor : {1.0, 2.0, 5.0})
      if (factor * power >= raw * (1 - 1e-9)) {
        scale.Step = factor * power;
        break;
      }
  }
  const double epsilon = scale.Step * 1e-9;
  scale.Min = std::isfinite(axis.Min) ? axis.Min : std::floor((low + epsilon) / scale.Step) * scale.Step;
  scale.Max = std::isfinite(axis.Max) ? axis.Max : scale.Min + std::ceil((high - scale.Min - epsilon) / scale.Step) * scale.Step;
  if (scale.Max <= scale.Min) scale.Max = scale.Min + scale.Step;
  return scale;
}

namespace {

std::string Grouped(const std::string& digits) {
  std::string out;
  const size_t start = digits.find_first_of("0123456789");
  const size_t end = digits.find('.') == std::string::npos ? digits.size() : digits.find('.');
  out = digits.substr(0, start);
  for (size_t i = start; i < end; ++i) {
    out += digits[i];
    if (i + 1 < end && (end - i - 1) % 3 == 0) out += ',';
  }
  return out + digits.substr(end);
}

// The shortest text that reads back as value, without an exponent between
// 1e-9 and 1e11 as a spreadsheet's General format shows it.
std::string General(double value) {
  char buffer[64];
  if (value == 0) return "0";
  if (std::fabs(value) >= 1e11 || std::fabs(value) < 1e-9) {
    std::snprintf(buffer, sizeof buffer, "%.5E", value);
    return buffer;
  }
  for (int decimals = 0; decimals <= 10; ++decimals) {
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    if (std::fabs(std::strtod(buffer, nullptr) - value) <= std::fabs(value) * 1e-12) break;
  }
  std::string text = buffer;
  return text == "-0" ? "0" : text;
}

// A format of days, months or years: letters d, m, y outside quotes and brackets.
bool IsDateFormat(const std::string& code) {
  bool quoted = false, bracket = false, date = false;
  for (char c : code) {
    if (c == '"') quoted = !quoted;
    else if (c == '[') bracket = true;
    else if (c == ']') bracket = false;
    else if (!quoted && !bracket && (c == 'd' || c == 'y' || c == 'D' || c == 'Y')) date = true;
  }
  return date;
}

// A day serial (1 is 1 January 1900, as spreadsheets count with their leap
// day of 1900) in a date format's d to dddd, m to mmmmm, yy and yyyy.
std::string FormatDate(double serial, const std::string& code) {
  const int64_t days = static_cast<int64_t>(std::floor(serial)) - 25569;  // from 1970-01-01, a Thursday
  // Days from 1899-12-30 to a civil date (Howard Hinnant's algorithm).
  const int64_t z = days + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097, doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365, doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153, day = doy - (153 * mp + 2) / 5 + 1, month = mp < 10 ? mp + 3 : mp - 9;
  const int64_t year = yoe + era * 400 + (month <= 2);
  const std::string monthName(MonthName(static_cast<int>(month)));
  const std::string weekday(WeekdayName(static_cast<int>(((days + 4) % 7 + 7) % 7)));
  std::string out;
  for (size_t i = 0; i < code.size();) {
    const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(code[i])));
    size_t run = 1;
    while (i + run < code.size() && std::tolower(static_cast<unsigned char>(code[i + run])) == c) ++run;
    auto two = [](int64_t v) { return (v < 10 ? "0" : "") + std::to_string(v); };
    if (c == 'd') out += run >= 4 ? weekday : run == 3 ? weekday.substr(0, 3) : run == 2 ? two(day) : std::to_string(day);
    else if (c == 'm')
      out += run >= 5   ? monthName.substr(0, 1)
             : run == 4 ? monthName
             : run == 3 ? monthName.substr(0, 3)
             : run == 2 ? two(month)
                        : std::to_string(month);
    else if (c == 'y') out += run >= 3 ? std::to_string(year) : two(year % 100);
    else if (c != '"' && c != '\\' && c != '[' && c != ']') out.append(run, code[i]);
    i += run;
  }
  return out;
}

// What a format's text around its number shows: "_x" leaves room for x and
// "*x" fills with x, so neither shows x here; "\\x" shows x; locale and
// colour tags ([$€-407], [Red]) keep only their symbol.
std::string Literal(const std::string& part) {
  std::string out;
  for (size_t i = 0; i < part.size(); ++i) {
    if (part[i] == '_' || part[i] == '*') ++i;
    else if (part[i] == '\\' && i + 1 < part.size()) out += part[++i];
    else if (part[i] != '"') out += part[i];
  }
  size_t open;
  while ((open = out.find('[')) != std::string::npos) {
    const size_t close = out.find(']', open);
    if (close == std::string::npos) break;
    const std::string tag = out.substr(open + 1, close - open - 1);
    const size_t dash = tag.find('-');
    const std::string symbol = tag.starts_with("$") ? tag.substr(1, dash == std::string::npos ? dash : dash - 1) : "";
    out.replace(open, close - open + 1, symbol);
  }
  return out;
}

}  // namespace

std::string FormatChartNumber(double value, const std::string& formatCode) {
  // Where a code means something itself: a sign, digit, percent or section
  // break in quotes or after a backslash, _ or * is only shown (0"%").
  std::string masked = formatCode;
  for (size_t i = 0; i < masked.size(); ++i) {
    if (masked[i] == '"') {
      const size_t close = masked.find('"', i + 1);
      const size_t end = close == std::string::npos ? masked.size() : close + 1;
      std::fill(masked.begin() + static_cast<ptrdiff_t>(i), masked.begin() + static_cast<ptrdiff_t>(end), '"');
      i = end - 1;
    } else if ((masked[i] == '\\' || masked[i] == '_' || masked[i] == '*') && i + 1 < masked.size()) {
      masked[++i] = '"';
    }
  }
  // Sections for positive;negative;zero values: a negative value in a
  // section of its own loses its sign, which the section writes its own way
  // ("(2.5)"), and a zero in its own shows what that says ("-").
  std::vector<size_t> breaks = {0};
  for (size_t at = masked.find(';'); at != std::string::npos && breaks.size() < 3; at = masked.find(';', at + 1))
    breaks.push_back(at + 1);
  size_t section = 0;
  if (value < 0 && breaks.size() >= 2) section = 1, value = -value;
  else if (value == 0 && breaks.size() >= 3) section = 2;
  const size_t start = breaks[section], end = std::min(masked.find(';', start), masked.size());
  const std::string code = formatCode.substr(start, end - start);
  masked = masked.substr(start, end - start);
  if (IsDateFormat(code) && value > 0 && value < 2958466) return FormatDate(value, code);
  const size_t first = masked.find_first_of("0#?");
  if (SameText(code, "General") || code.empty() || (first == std::string::npos && section == 0)) return General(value);
  if (first == std::string::npos) return Literal(code);
  const size_t last = masked.find_last_of("0#?");
  std::string prefix = code.substr(0, first), suffix = code.substr(last + 1), number = code.substr(first, last + 1 - first);
  const bool percent = masked.find('%') != std::string::npos;
  if (percent) value *= 100;
  const size_t point = number.find('.');
  const int decimals = point == std::string::npos ? 0 : static_cast<int>(std::min<size_t>(number.size() - point - 1, 10));
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  std::string text = buffer;
  if (text.find_first_not_of("-0.") == std::string::npos && text[0] == '-') text.erase(0, 1);
  if (number.find(',') != std::string::npos) text = Grouped(text);
  return Literal(prefix) + text + Literal(suffix);
}

}  // namespace tarvik
