#include "cli/view_svg.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "package/base64.h"
#include "package/text_escape.h"
#include "platform/files.h"
#include "platform/system_colors.h"

namespace tarvik {

namespace {

using namespace ui;

constexpr const char* kFace = "#F0F0F0";
constexpr const char* kShadow = "#A0A0A0";

std::string Num(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  std::string s = text;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s;
}

std::string RectXml(const TBounds& b, const std::string& fill, const std::string& extra = "") {
  return "<rect x=\"" + Num(b.Left) + "\" y=\"" + Num(b.Top) + "\" width=\"" + Num(b.Width) + "\" height=\"" +
         Num(b.Height) + "\" fill=\"" + fill + "\"" + extra + "/>\n";
}

// One line of text centred on (x, y) or starting at x.
std::string TextXml(double x, double y, const std::string& text, const TFontStyle& font, bool centred,
                    const std::string& colour) {
  double px = font.SizePt * 96.0 / 72.0;
  std::string xml = "<text x=\"" + Num(x) + "\" y=\"" + Num(y) + "\" font-family=\"" + XmlEscape(font.Name) +
                    // A machine without the deck's font still draws sans-serif, as Windows would substitute.
                    ",sans-serif\" font-size=\"" + Num(px) + "\" fill=\"" + colour + "\" dominant-baseline=\"central\"";
  if (centred) xml += " text-anchor=\"middle\"";
  if (font.Bold) xml += " font-weight=\"bold\"";
  if (font.Italic) xml += " font-style=\"italic\"";
  if (font.Underline) xml += " text-decoration=\"underline\"";
  return xml + " xml:space=\"preserve\">" + XmlEscape(text) + "</text>\n";
}

size_t Utf8Length(const std::string& text) {
  return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

// Greedy breaks at blanks, the way a word-wrapping label breaks; a word wider
// than the line stands alone on it.
std::vector<std::string> WrapLines(const std::string& text, double width, double charWidth) {
  std::vector<std::string> lines;
  size_t perLine = std::max<size_t>(1, static_cast<size_t>(width / charWidth));
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    std::string paragraph = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!paragraph.empty() && paragraph.back() == '\r') paragraph.pop_back();
    std::string line;
    size_t pos = 0;
    while (pos <= paragraph.size()) {
      size_t space = paragraph.find(' ', pos);
      std::string word = paragraph.substr(pos, space == std::string::npos ? std::string::npos : space - pos);
      std::string joined = line.empty() ? word : line + " " + word;
      if (!line.empty() && Utf8Length(joined) > perLine) {
        lines.push_back(line);
        joined = word;
      }
      line = joined;
      if (space == std::string::npos) break;
      pos = space + 1;
    }
    lines.push_back(line);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

std::string LabelXml(const THeadlessLabel& label, const TBounds& b, int clipId) {
  TFontStyle font = label.Font();
  double px = font.SizePt * 96.0 / 72.0;
  double lineHeight = px * 1.2;
  std::vector<std::string> lines = label.Style().WordWrap
                                       ? WrapLines(label.Text(), b.Width, px * (font.Bold ? 0.55 : 0.5))
                                       : std::vector<std::string>{label.Text()};
  double top = b.Top + lineHeight / 2;
  if (label.Style().CentreVertically) top = b.Top + (b.Height - lineHeight * lines.size()) / 2 + lineHeight / 2;
  std::string id = "c" + std::to_string(clipId);
  std::string xml = "<clipPath id=\"" + id + "\">" + RectXml(b, "none") + "</clipPath>\n<g clip-path=\"url(#" + id +
                    ")\">\n";
  bool centred = label.Style().CentreHorizontally;
  double x = centred ? b.Left + b.Width / 2.0 : b.Left;
  for (size_t i = 0; i < lines.size(); ++i)
    xml += TextXml(x, top + lineHeight * i, lines[i], font, centred, HexColor(font.Color));
  return xml + "</g>\n";
}

std::string ShapeXml(const TShapeStyle& style, const TBounds& b) {
  std::string fill = style.Filled ? HexColor(style.FillColor) : "none";
  std::string stroke = " stroke=\"none\"";
  double inset = 0;
  if (style.Outlined) {
    stroke = " stroke=\"" + HexColor(style.OutlineColor) + "\" stroke-width=\"" + Num(style.OutlineWidth) + "\"";
    inset = style.OutlineWidth / 2.0;
  }
  double x = b.Left + inset, y = b.Top + inset;
  double w = std::max(0.0, b.Width - 2 * inset), h = std::max(0.0, b.Height - 2 * inset);
  if (style.Form == TShapeForm::Ellipse)
    return "<ellipse cx=\"" + Num(x + w / 2) + "\" cy=\"" + Num(y + h / 2) + "\" rx=\"" + Num(w / 2) + "\" ry=\"" +
           Num(h / 2) + "\" fill=\"" + fill + "\"" + stroke + "/>\n";
  std::string corner;
  if (style.Form == TShapeForm::RoundRect) corner = " rx=\"" + Num(std::min(w, h) / 8) + "\"";
  return "<rect x=\"" + Num(x) + "\" y=\"" + Num(y) + "\" width=\"" + Num(w) + "\" height=\"" + Num(h) +
         "\" fill=\"" + fill + "\"" + stroke + corner + "/>\n";
}

std::string PictureMime(const std::string& head) {
  if (head.rfind("\x89PNG", 0) == 0) return "image/png";
  if (head.rfind("\xFF\xD8", 0) == 0) return "image/jpeg";
  if (head.rfind("GIF", 0) == 0) return "image/gif";
  return "image/bmp";
}

std::string ImageXml(const THeadlessImage& image, const TBounds& b) {
  if (image.PictureFile().empty()) return "";
  std::string bytes = ReadFileBytes(image.PictureFile());
  std::string uri = "data:" + PictureMime(bytes.substr(0, 4)) + ";base64,";
  AppendBase64(uri, bytes);
  return "<image x=\"" + Num(b.Left) + "\" y=\"" + Num(b.Top) + "\" width=\"" + Num(b.Width) + "\" height=\"" +
         Num(b.Height) + "\" preserveAspectRatio=\"xMidYMid meet\" href=\"" + uri + "\"/>\n";
}

std::string ButtonXml(const std::string& caption, bool enabled, const TBounds& b) {
  TFontStyle font;
  font.Name = "Tahoma";
  font.SizePt = 8;
  return RectXml(b, kFace, " stroke=\"#707070\"") +
         TextXml(b.Left + b.Width / 2.0, b.Top + b.Height / 2.0, caption, font, true, enabled ? "#000000" : kShadow);
}

// The row of transport buttons: play, pause, stop, next, previous, step,
// back, record, eject.
std::string MediaXml(const TBounds& b) {
  static const char* const kGlyphs[] = {"\u25B6", "\u2016", "\u25A0", "\u25B6|", "|\u25C0",
                                        "\u25B8", "\u25C2", "\u25CF", "\u23CF"};
  std::string xml = RectXml(b, kFace, " stroke=\"#707070\"");
  double w = b.Width / 9.0;
  TFontStyle font;
  font.SizePt = std::clamp(static_cast<int32_t>(b.Height * 0.4), 1, 12);
  for (int i = 0; i < 9; ++i) {
    TBounds button{b.Left + static_cast<int32_t>(i * w), b.Top, static_cast<int32_t>(w), b.Height};
    xml += RectXml(button, "none", " stroke=\"#A0A0A0\"");
    xml += TextXml(button.Left + w / 2, b.Top + b.Height / 2.0, kGlyphs[i], font, true, "#000000");
  }
  return xml;
}

std::string BevelXml(const TBounds& b) {
  return "<path d=\"M" + Num(b.Left) + " " + Num(b.Top + b.Height - 0.5) + "V" + Num(b.Top + 0.5) + "H" +
         Num(b.Left + b.Width - 0.5) + "\" fill=\"none\" stroke=\"#FFFFFF\"/>\n<path d=\"M" +
         Num(b.Left + b.Width - 0.5) + " " + Num(b.Top) + "V" + Num(b.Top + b.Height - 0.5) + "H" + Num(b.Left) +
         "\" fill=\"none\" stroke=\"" + kShadow + "\"/>\n";
}

std::string NodeXml(THeadlessNode& node, int& clipIds);

std::string ChildrenXml(THeadlessNode& node, int& clipIds) {
  std::string xml;
  for (THeadlessNode* child : node.Children()) xml += NodeXml(*child, clipIds);
  return xml;
}

std::string NodeXml(THeadlessNode& node, int& clipIds) {
  TControl& control = node.Control();
  if (!control.Visible()) return "";
  TBounds b = node.BoundsInRoot();
  if (auto* panel = dynamic_cast<THeadlessPanel*>(&control)) {
    std::string xml = RectXml(b, HexColor(panel->Color()));
    if (panel->Style().RaisedBevel) xml += BevelXml(b);
    return xml + ChildrenXml(node, clipIds);
  }
  if (auto* label = dynamic_cast<THeadlessLabel*>(&control)) return LabelXml(*label, b, ++clipIds);
  if (auto* shape = dynamic_cast<THeadlessShape*>(&control)) return ShapeXml(shape->Style(), b);
  if (auto* image = dynamic_cast<THeadlessImage*>(&control)) return ImageXml(*image, b);
  if (auto* button = dynamic_cast<THeadlessButton*>(&control))
    return ButtonXml(button->Caption(), button->Enabled(), b);
  if (auto* edit = dynamic_cast<THeadlessEdit*>(&control)) {
    TFontStyle font;
    font.Name = "Tahoma";
    font.SizePt = 8;
    return RectXml(b, "#FFFFFF", " stroke=\"#7A7A7A\"") +
           TextXml(b.Left + b.Width / 2.0, b.Top + b.Height / 2.0, edit->Text(), font, true, "#000000");
  }
  if (dynamic_cast<THeadlessMediaPlayer*>(&control) != nullptr) return MediaXml(b);
  return "";
}

}  // namespace

std::string HexColor(TUiColor color) {
  auto rgb = static_cast<uint32_t>(ResolveSystemColor(color));
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
  return text;
}

std::string ControlTreeToSvg(THeadlessRootPanel& root) {
  TBounds b = root.Bounds();
  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                    Num(b.Width) + "\" height=\"" + Num(b.Height) + "\" viewBox=\"0 0 " + Num(b.Width) + " " +
                    Num(b.Height) + "\">\n";
  svg += RectXml({0, 0, b.Width, b.Height}, HexColor(root.Color()));
  int clipIds = 0;
  svg += ChildrenXml(root, clipIds);
  return svg + "</svg>\n";
}

}  // namespace tarvik
