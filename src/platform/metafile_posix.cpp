// Metafiles to SVG on Linux: EMF through libemf2svg, WMF through libwmf's SVG
// device. Either library may be missing from a build; its metafiles then
// stay unconverted and the renderer draws them as labelled boxes.
#ifndef _WIN32
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/metafile.h"

#ifdef TARVIK_HAVE_EMF2SVG
#include <emf2svg.h>
#endif
#ifdef TARVIK_HAVE_LIBWMF
#include <libwmf/api.h>
#include <libwmf/svg.h>
#endif

namespace tarvik {

namespace {

// Hostile metafiles are refused before a converter sees them.
constexpr int64_t kMaxMetafileBytes = 64 * 1024 * 1024;

#ifdef TARVIK_HAVE_EMF2SVG
std::string EmfToSvg(std::string bytes) {
  generatorOptions options{};
  options.svgDelimiter = true;
  options.emfplus = true;
  char* svg = nullptr;
  size_t length = 0;
  const int ok = emf2svg(bytes.data(), bytes.size(), &svg, &length, &options);
  std::string out = ok && svg ? std::string(svg, length) : std::string();
  std::free(svg);
  return out;
}
#endif

#ifdef TARVIK_HAVE_LIBWMF
std::string WmfToSvg(std::string bytes) {
  wmfAPI_Options apiOptions{};
  apiOptions.function = wmf_svg_function;
  wmfAPI* api = nullptr;
  // Without NO_ERROR and IGNORE_NONFATAL libwmf prints to stderr and gives
  // up on records it does not know, which real clip art has.
  if (wmf_api_create(&api, WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR, &apiOptions) !=
      wmf_E_None)
    return "";
  std::string out;
  wmfD_Rect bbox{};
  if (wmf_mem_open(api, reinterpret_cast<unsigned char*>(bytes.data()), static_cast<long>(bytes.size())) ==
          wmf_E_None &&
      wmf_scan(api, 0, &bbox) == wmf_E_None) {
    wmf_svg_t* device = WMF_SVG_GetData(api);
    float width = 0, height = 0;
    wmf_size(api, &width, &height);
    device->out = wmf_stream_create(api, nullptr);
    device->bbox = bbox;
    device->Description = const_cast<char*>("");
    device->width = static_cast<unsigned>(std::ceil(std::max(width, 1.0f)));
    device->height = static_cast<unsigned>(std::ceil(std::max(height, 1.0f)));
    device->flags |= WMF_SVG_INLINE_IMAGES;
    const bool played = wmf_play(api, 0, &bbox) == wmf_E_None;
    char* svg = nullptr;
    unsigned long length = 0;
    wmf_stream_destroy(api, device->out, &svg, &length);
    if (played && svg) out.assign(svg, length);
    wmf_free(api, svg);
  }
  wmf_api_destroy(api);
  return out;
}
#endif

#ifdef TARVIK_HAVE_EMF2SVG
// The picture's frame (rclFrame, in hundredths of a millimetre) in the
// units libemf2svg draws in: the reference device's pixels, counted from the
// corner of the drawing's bounds. The frame is the picture a slide places;
// an embedded document's preview draws in part of it only. "" when the
// header does not say, or says something no picture has.
std::string EmfFrameViewBox(std::string_view bytes) {
  if (bytes.size() < 88) return "";
  auto at = [&](size_t offset) {
    int32_t v;
    std::memcpy(&v, bytes.data() + offset, 4);
    return static_cast<double>(v);
  };
  uint32_t headerSize;
  std::memcpy(&headerSize, bytes.data() + 4, 4);
  // Micrometres (in headers of 108 bytes and more) are finer than millimetres.
  const bool micrometres = headerSize >= 108 && bytes.size() >= 108 && at(100) > 0 && at(104) > 0;
  const double perX = at(72) / (micrometres ? at(100) / 10 : at(80) * 100);
  const double perY = at(76) / (micrometres ? at(104) / 10 : at(84) * 100);
  const double boundsW = at(16) - at(8) + 1, boundsH = at(20) - at(12) + 1;
  const double x = at(24) * perX - at(8), y = at(28) * perY - at(12);
  const double w = (at(32) - at(24)) * perX, h = (at(36) - at(28)) * perY;
  if (!std::isfinite(perX) || !std::isfinite(perY) || !(perX > 0) || !(perY > 0) || !(w > 0) || !(h > 0) ||
      !(boundsW > 0) || !(boundsH > 0))
    return "";
  // A frame far from the bounds is a header written wrong, not a preview.
  if (w > boundsW * 16 || h > boundsH * 16 || w * 16 < boundsW || h * 16 < boundsH) return "";
  char box[128];
  std::snprintf(box, sizeof box, "%.4f %.4f %.4f %.4f", x, y, w, h);
  return box;
}
#endif

// The converters size their SVG in width and height only; a picture drawn at
// any other size needs a viewBox to scale into, and is stretched as the
// slide stretches it; the root needs its namespaces. A document type naming
// an outside DTD goes: a reader
// must not fetch it, and an EPUB book may not refer to it.
std::string WithViewBox(std::string svg, const std::string& viewBox) {
  if (const size_t doctype = svg.find("<!DOCTYPE"); doctype != std::string::npos) {
    const size_t subset = svg.find('[', doctype), close = svg.find('>', doctype);
    const size_t end = subset != std::string::npos && subset < close ? svg.find("]>", subset) + 1 : close;
    if (end != std::string::npos && end > doctype) svg.erase(doctype, end + 1 - doctype);
  }
  const size_t open = svg.find("<svg");
  const size_t close = svg.find('>', open);
  if (open == std::string::npos || close == std::string::npos) return svg;
  const std::string tag = svg.substr(open, close - open);
  // libwmf writes neither namespace, without which a browser shows nothing.
  if (tag.find(" xmlns=") == std::string::npos) svg.insert(open + 4, " xmlns=\"http://www.w3.org/2000/svg\"");
  if (tag.find("xmlns:xlink=") == std::string::npos)
    svg.insert(open + 4, " xmlns:xlink=\"http://www.w3.org/1999/xlink\"");
  if (tag.find("viewBox") != std::string::npos) return svg;
  if (!viewBox.empty()) {
    svg.insert(open + 4, " viewBox=\"" + viewBox + "\" preserveAspectRatio=\"none\"");
    return svg;
  }
  auto number = [&](const char* name) {
    const size_t at = tag.find(std::string(" ") + name + "=\"");
    return at == std::string::npos ? 0.0 : std::atof(tag.c_str() + at + std::strlen(name) + 3);
  };
  const double width = number("width"), height = number("height");
  if (width <= 0 || height <= 0) return svg;
  svg.insert(open + 4, " viewBox=\"0 0 " + std::to_string(width) + " " + std::to_string(height) +
                           "\" preserveAspectRatio=\"none\"");
  return svg;
}

}  // namespace

// A build without converters (the fuzzing one) never asks the kind.
std::string ConvertMetafile(const std::string& file, [[maybe_unused]] TMetafileKind kind, const std::string& target) {
  const int64_t size = FileSize(file);
  if (size <= 0 || size > kMaxMetafileBytes) return "";
  std::string svg, viewBox;
  try {
#ifdef TARVIK_HAVE_EMF2SVG
    if (kind == TMetafileKind::Emf) {
      const std::string bytes = ReadFileBytes(file);
      viewBox = EmfFrameViewBox(bytes);
      svg = EmfToSvg(bytes);
    }
#endif
#ifdef TARVIK_HAVE_LIBWMF
    if (kind == TMetafileKind::Wmf) svg = WmfToSvg(ReadFileBytes(file));
#endif
    if (svg.find("<svg") == std::string::npos) return "";
    // libwmf copies a metafile's text in its ANSI code page, which no SVG
    // reader takes; the document is XML and must be UTF-8.
    if (Utf16ToUtf8(Utf8ToUtf16(svg)) != svg) svg = AnsiToUtf8(svg);
    const std::string path = target + ".svg";
    WriteFileBytes(path, WithViewBox(std::move(svg), viewBox));
    return path;
  } catch (...) {
    return "";  // an unreadable metafile or a full disk: the picture is drawn as a box
  }
}

}  // namespace tarvik
#endif
