#include "htmlexport/inline_svg.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

#include <pugixml.hpp>

#include "htmlexport/text_format.h"
#include "platform/ascii.h"
#include "platform/files.h"

namespace tarvik {

namespace {

// A metafile's drawing as libemf2svg writes it stays well below these; a
// file past them is drawn as a picture instead.
constexpr int64_t kMaxFileBytes = 8 << 20;
constexpr size_t kMaxElements = 200000;
constexpr int kMaxDepth = 64;

constexpr const char* kDrawingElements[] = {
    "g",    "defs",    "clipPath", "mask",     "pattern", "linearGradient", "radialGradient", "stop", "path",
    "rect", "circle",  "ellipse",  "line",     "polyline", "polygon",       "text",           "tspan", "use",
};

// Geometry and presentation, never anything that runs, links or styles the page.
constexpr const char* kDrawingAttributes[] = {
    "id", "x", "y", "x1", "y1", "x2", "y2", "cx", "cy", "r", "rx", "ry", "fx", "fy", "width", "height", "d",
    "points", "transform", "viewBox", "preserveAspectRatio", "offset", "fill", "fill-opacity", "fill-rule",
    "stroke", "stroke-width", "stroke-opacity", "stroke-linecap", "stroke-linejoin", "stroke-miterlimit",
    "stroke-dasharray", "stroke-dashoffset", "opacity", "clip-path", "clip-rule", "clipPathUnits", "mask",
    "maskUnits", "maskContentUnits", "patternUnits", "patternContentUnits", "patternTransform", "gradientUnits",
    "gradientTransform", "spreadMethod", "stop-color", "stop-opacity", "font-family", "font-size", "font-weight",
    "font-style", "font-variant", "text-anchor", "dominant-baseline", "alignment-baseline", "baseline-shift",
    "letter-spacing", "word-spacing", "text-decoration", "textLength", "lengthAdjust", "rotate", "dx", "dy",
    "visibility", "display", "color", "white-space", "vector-effect", "shape-rendering", "image-rendering",
    "style", "href",
};

bool Listed(std::string_view name, const auto& list) {
  return std::any_of(std::begin(list), std::end(list), [&](const char* entry) { return name == entry; });
}

std::string_view LocalName(const char* name) {
  const std::string_view full(name);
  const size_t colon = full.find(':');
  return colon == std::string_view::npos ? full : full.substr(colon + 1);
}

// Characters XML allows: the control characters but tab and line ends go.
std::string Printable(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n' || c == '\r') out += c;
  return out;
}

// The page's names for the drawing's ids: the prefix and the order in which
// each name is first met, definition or reference. A converter may draw its
// names at random; the page is then the same however often it is made.
struct TIds {
  std::string_view Prefix;
  std::map<std::string, size_t, std::less<>> Known;

  std::string Of(std::string_view name) {
    auto found = Known.find(name);
    if (found == Known.end()) found = Known.emplace(std::string(name), Known.size() + 1).first;
    return std::string(Prefix) + std::to_string(found->second);
  }
};

// The value with each url(#name) pointing at the prefixed name; false when
// it points anywhere outside the file or hides what it says in escapes.
bool RewriteUrls(std::string_view value, TIds& ids, std::string& out) {
  out.clear();
  if (value.find('\\') != std::string_view::npos) return false;
  size_t at = 0;
  for (;;) {
    size_t url = std::string_view::npos;
    for (size_t i = at; i + 4 <= value.size() && url == std::string_view::npos; ++i)
      if (SameText(value.substr(i, 4), "url(")) url = i;
    if (url == std::string_view::npos) break;
    out.append(value.substr(at, url - at));
    size_t start = url + 4;
    while (start < value.size() && (value[start] == ' ' || value[start] == '"' || value[start] == '\'')) ++start;
    const size_t close = value.find(')', start);
    if (start >= value.size() || value[start] != '#' || close == std::string_view::npos) return false;
    std::string_view name = value.substr(start + 1, close - start - 1);
    while (!name.empty() && (name.back() == ' ' || name.back() == '"' || name.back() == '\'')) name.remove_suffix(1);
    out += "url(#" + ids.Of(name) + ")";
    at = close + 1;
  }
  out.append(value.substr(at));
  return true;
}

// The style attribute's declarations that are drawing attributes, their
// urls kept inside the file; "" when none remain.
std::string DrawingStyle(std::string_view style, TIds& ids) {
  std::string out, value;
  size_t at = 0;
  while (at < style.size()) {
    size_t end = style.find(';', at);
    if (end == std::string_view::npos) end = style.size();
    const std::string_view declaration = style.substr(at, end - at);
    at = end + 1;
    const size_t colon = declaration.find(':');
    if (colon == std::string_view::npos) continue;
    std::string name(declaration.substr(0, colon));
    std::erase_if(name, [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; });
    if (name == "style" || name == "href" || name == "id" || !Listed(name, kDrawingAttributes)) continue;
    if (!RewriteUrls(declaration.substr(colon + 1), ids, value)) continue;
    out += name + ":" + value + ";";
  }
  return out;
}

void AppendAttribute(std::string& out, std::string_view name, std::string_view value) {
  out += ' ';
  out += name;
  out += "=\"";
  AppendHtmlEscaped(out, Printable(value));
  out += '"';
}

// The root's own box is the group's transform; only its paint passes on.
constexpr const char* kRootBox[] = {"id", "x", "y", "width", "height", "viewBox", "preserveAspectRatio", "transform"};

// A picture's box is the caller's to draw it in.
constexpr const char* kPictureBox[] = {"x", "y", "width", "height", "preserveAspectRatio"};
constexpr const char* kNoBox[] = {""};

template <size_t N>
void AppendAttributes(std::string& out, pugi::xml_node element, TIds& ids, const char* const (&skipped)[N]) {
  std::string value;
  // An attribute written twice (href and xlink:href) would leave the page
  // malformed XML; the first one stands.
  std::vector<std::string_view> written;
  for (pugi::xml_attribute attr : element.attributes()) {
    const std::string_view full(attr.name());
    const std::string_view name = LocalName(attr.name());
    if (full.starts_with("xmlns") || !Listed(name, kDrawingAttributes) || Listed(name, skipped)) continue;
    if (std::find(written.begin(), written.end(), name) != written.end()) continue;
    written.push_back(name);
    const std::string_view text(attr.value());
    if (name == "id") {
      AppendAttribute(out, "id", ids.Of(text));
    } else if (name == "href") {
      if (text.starts_with("#")) {
        std::string target = "#";
        target += ids.Of(text.substr(1));
        AppendAttribute(out, "href", target);
      }
    } else if (name == "style") {
      const std::string style = DrawingStyle(text, ids);
      if (!style.empty()) AppendAttribute(out, "style", style);
    } else if (RewriteUrls(text, ids, value)) {
      AppendAttribute(out, name, value);
    }
  }
}

// The numbers of a viewBox, or of a width or height ("576", "576px").
bool ParseNumbers(const char* text, double* values, size_t count) {
  const char* at = text;
  for (size_t i = 0; i < count; ++i) {
    char* end = nullptr;
    values[i] = std::strtod(at, &end);
    if (end == at) return false;
    at = end;
    while (*at == ' ' || *at == ',' || *at == '\t' || *at == '\n' || *at == '\r') ++at;
  }
  return true;
}

constexpr std::string_view kPictureTypes[] = {"image/png", "image/jpeg", "image/gif"};

// The type and Base64 text of a data: URI of a picture browsers draw, the
// text without the line breaks some converters wrap it in; false for
// anything else, a reference outside the file included.
bool PictureData(std::string_view uri, std::string_view& mime, std::string& base64) {
  if (!uri.starts_with("data:")) return false;
  const size_t marker = uri.find(";base64,");
  if (marker == std::string_view::npos) return false;
  mime = uri.substr(5, marker - 5);
  if (std::find(std::begin(kPictureTypes), std::end(kPictureTypes), mime) == std::end(kPictureTypes)) return false;
  base64.clear();
  for (const char c : uri.substr(marker + 8)) {
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r') continue;
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '/' ||
          c == '='))
      return false;
    base64 += c;
  }
  return !base64.empty();
}

struct TWriter {
  std::string& Out;
  TIds Ids;
  const TInlineSvgOptions& Options;
  size_t Elements = 0;
  bool Words = false;

  // A picture of the drawing, drawn as the options say in a group that
  // keeps its transform, clip and opacity; one of no size draws nothing.
  bool Picture(pugi::xml_node image) {
    if (!Options.Picture) return false;
    // The first href stands, as for every other element.
    pugi::xml_attribute href;
    for (pugi::xml_attribute attr : image.attributes())
      if (!href && LocalName(attr.name()) == "href") href = attr;
    std::string_view mime;
    std::string base64;
    if (!PictureData(href.value(), mime, base64)) return false;
    double box[4] = {0, 0, 0, 0};
    for (size_t i = 0; i < 4; ++i) ParseNumbers(image.attribute(kPictureBox[i]).value(), box + i, 1);
    if (!(box[2] > 0) || !(box[3] > 0)) return true;
    Out += "<g";
    AppendAttributes(Out, image, Ids, kPictureBox);
    Out += '>';
    if (!Options.Picture(Out, mime, base64, box[0], box[1], box[2], box[3])) return false;
    Out += "</g>";
    return true;
  }

  // False when the drawing holds a picture it cannot keep, goes deeper or
  // holds more than a drawing needs.
  bool Children(pugi::xml_node parent, int depth, bool inText) {
    if (depth > kMaxDepth) return false;
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
      if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
        if (!inText) continue;
        const std::string text = Printable(child.value());
        Words = Words || text.find_first_not_of(" \t\r\n") != std::string::npos;
        AppendHtmlEscaped(Out, text);
        continue;
      }
      if (child.type() != pugi::node_element) continue;
      if (++Elements > kMaxElements) return false;
      // A drawing nested in the drawing is only a group here: its own box
      // would be sized by the page's style sheet.
      const bool nested = LocalName(child.name()) == "svg";
      const std::string_view name = nested ? "g" : LocalName(child.name());
      if (name == "image") {
        if (!Picture(child)) return false;
        continue;
      }
      if (!Listed(name, kDrawingElements)) continue;
      Out += '<';
      Out += name;
      if (!nested) AppendAttributes(Out, child, Ids, kNoBox);
      Out += '>';
      if (!Children(child, depth + 1, name == "text" || name == "tspan")) return false;
      Out += "</";
      Out += name;
      Out += '>';
    }
    return true;
  }
};

}  // namespace

bool AppendInlineSvg(std::string& out, const std::string& file, std::string_view idPrefix, double x, double y,
                     double width, double height, const TInlineSvgOptions& options) {
  const int64_t size = FileSize(file);
  if (size <= 0 || size > kMaxFileBytes || width <= 0 || height <= 0) return false;
  std::string bytes;
  try {
    bytes = ReadFileBytes(file);
  } catch (...) {
    return false;
  }
  pugi::xml_document doc;
  if (!doc.load_buffer(bytes.data(), bytes.size(), pugi::parse_default | pugi::parse_cdata)) return false;
  pugi::xml_node root = doc.document_element();
  if (LocalName(root.name()) != "svg") return false;
  double box[4] = {0, 0, 0, 0};
  if (!ParseNumbers(root.attribute("viewBox").value(), box, 4)) {
    box[0] = box[1] = 0;
    if (!ParseNumbers(root.attribute("width").value(), box + 2, 1) ||
        !ParseNumbers(root.attribute("height").value(), box + 3, 1))
      return false;
  }
  if (!(box[2] > 0) || !(box[3] > 0)) return false;

  const size_t start = out.size();
  out += "<g class=\"metafile\" transform=\"translate(";
  AppendNum(out, x);
  out += ' ';
  AppendNum(out, y);
  // The scale keeps six digits: a metafile's units may be hundredths of a millimetre.
  char scale[64];
  std::snprintf(scale, sizeof scale, ") scale(%.6g %.6g) translate(", width / box[2], height / box[3]);
  out += scale;
  AppendNum(out, -box[0]);
  out += ' ';
  AppendNum(out, -box[1]);
  out += ")\"";
  TWriter writer{out, {idPrefix, {}}, options};
  AppendAttributes(out, root, writer.Ids, kRootBox);
  out += '>';
  if (!writer.Children(root, 0, false) || (options.WithWordsOnly && !writer.Words)) {
    out.resize(start);
    return false;
  }
  out += "</g>";
  return true;
}

}  // namespace tarvik
