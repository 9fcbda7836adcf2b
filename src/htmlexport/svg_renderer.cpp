// Slide to SVG: one section per slide, one fragment per shape, by shape kind.
#include "htmlexport/svg_renderer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <string_view>

#include "htmlexport/inline_svg.h"
#include "htmlexport/svg_paint.h"
#include "htmlexport/svg_text.h"
#include "htmlexport/text_format.h"
#include "package/base64.h"
#include "package/crc32.h"
#include "platform/ascii.h"
#include "platform/files.h"
#include "pptx/group_transform.h"

namespace tarvik {

namespace {

constexpr std::string_view kSvgNamespace = "http://www.w3.org/2000/svg";

// Appends name="number" with a leading space.
void AppendNumAttr(std::string& out, std::string_view name, double value) {
  out += ' ';
  out += name;
  out += "=\"";
  AppendNum(out, value);
  out += '"';
}

void AppendTransform(std::string& out, bool flipH, bool flipV, double rotationDeg, double left,
                     double top, double width, double height) {
  double cx = left + width / 2;
  double cy = top + height / 2;
  out += "translate(";
  AppendNum(out, cx);
  out += ' ';
  AppendNum(out, cy);
  out += ") scale(";
  out += flipH ? "-1" : "1";
  out += ' ';
  out += flipV ? "-1" : "1";
  out += ") rotate(";
  AppendNum(out, rotationDeg);
  out += ") translate(";
  AppendNum(out, -cx);
  out += ' ';
  AppendNum(out, -cy);
  out += ')';
}

// x, y, width and height: the box of a rect, an image or a foreignObject.
void AppendBoxAttrs(std::string& out, double x, double y, double width, double height) {
  AppendNumAttr(out, "x", x);
  AppendNumAttr(out, "y", y);
  AppendNumAttr(out, "width", width);
  AppendNumAttr(out, "height", height);
}

// Copies of a drawing shown more than once, together, stay under this.
constexpr int64_t kMaxCopiedDrawingBytes = 1 << 20;

// Where a drawing's picture of the type and Base64 text is found: in its
// data: URI, or for a page whose pictures are files beside it, in a file
// next to the drawing named by its bytes, so that a bitmap a metafile
// repeats, or that two metafiles share, is one file. Empty when it cannot
// be kept.
std::string DrawingPictureHref(const std::string& drawing, std::string_view mime, std::string_view base64,
                               TRenderContext& context) {
  std::string href;
  if (!context.ReferencesMedia()) {
    href.reserve(base64.size() + 32);
    href += "data:";
    href += mime;
    href += ";base64,";
    href += base64;
    return href;
  }
  std::string bytes;
  if (!DecodeBase64(base64, bytes)) return "";
  const std::string extension = mime == "image/png" ? ".png" : mime == "image/jpeg" ? ".jpg" : ".gif";
  char name[48];
  std::snprintf(name, sizeof name, "drawn-%08x-%zu", static_cast<unsigned>(Crc32(0, bytes)), bytes.size());
  try {
    // Another picture of the same checksum and size takes the next name.
    for (int k = 0; k < 8; ++k) {
      // Built by appending: GCC 12's overlap check misreads a sum here in the cross build.
      std::string leaf = name;
      if (k) {
        leaf += '-';
        leaf += std::to_string(k);
      }
      leaf += extension;
      const std::string file = JoinPath(ExtractFileDir(drawing), leaf);
      if (!FileExists(file)) WriteFileBytes(file, bytes);
      else if (ReadFileBytes(file) != bytes) continue;
      context.AppendDataUri(href, file);
      return href;
    }
  } catch (...) {
    // a full disk: the drawing stays one picture
  }
  return "";
}

// The drawing's picture stretched into its box; defined once on a page that
// shares its pictures, however often the drawing is drawn.
bool AppendDrawingPicture(std::string& out, const std::string& drawing, std::string_view mime,
                          std::string_view base64, double x, double y, double width, double height,
                          TRenderContext& context) {
  const std::string href = DrawingPictureHref(drawing, mime, base64, context);
  if (href.empty()) return false;
  if (const std::string shared = context.DrawingPictureId(out, href); !shared.empty()) {
    AppendPictureUse(out, shared, x, y, width, height);
    return true;
  }
  out += "<image";
  AppendBoxAttrs(out, x, y, width, height);
  out += " preserveAspectRatio=\"none\" href=\"";
  out += href;
  out += "\"/>";
  return true;
}

void AppendImageShape(std::string& out, const TPPTXShape& shape, const std::string& pictureFile,
                      TRenderContext& context) {
  const std::string& file = pictureFile.empty() ? shape.MediaFile : pictureFile;
  const double l = shape.LeftPx(), t = shape.TopPx(), w = shape.WidthPx(), h = shape.HeightPx();
  auto fraction = [](int32_t crop) { return std::clamp(crop / 100000.0, 0.0, 0.99); };
  const double cl = fraction(shape.CropLeft), ct = fraction(shape.CropTop);
  const double cr = fraction(shape.CropRight), cb = fraction(shape.CropBottom);
  const double iw = w / std::max(1 - cl - cr, 0.01);
  const double ih = h / std::max(1 - ct - cb, 0.01);
  const double ix = l - iw * cl;
  const double iy = t - ih * ct;
  const std::string id = context.ClipIdFor(shape);
  // A metafile's drawing joins the slide, its words with it. One the deck
  // draws again and again (a master's logo) stays one shared picture unless
  // it writes words and its copies stay small.
  const bool metafile = file == shape.DrawingFile && file.size() > 4 && SameText(file.substr(file.size() - 4), ".svg");
  const int uses = context.PictureUses(file);
  const bool drawing = metafile && (uses <= 1 || FileSize(file) * uses <= kMaxCopiedDrawingBytes);
  std::string shared = drawing ? "" : context.SharedPicture(out, file);

  // The picture goes straight into the output; a missing one takes back
  // what was written before it.
  const size_t start = out.size();
  out += "<defs><clipPath id=\"";
  out += id;
  out += "\"><rect";
  AppendBoxAttrs(out, l, t, w, h);
  out += "/></clipPath>";
  const std::string tone = shape.PictureDuotone.Used ? AppendDuotoneFilter(out, shape.PictureDuotone, id) : "";
  out += "</defs><g transform=\"";
  AppendTransform(out, shape.FlipH, shape.FlipV, shape.RotationDeg, l, t, w, h);
  out += "\" clip-path=\"url(#";
  out += id;
  out += ")\"";
  if (shape.PictureOpacity < 1) AppendNumAttr(out, "opacity", shape.PictureOpacity);
  out += tone;
  out += '>';
  if (drawing) {
    TInlineSvgOptions options;
    options.WithWordsOnly = uses > 1;
    // A page whose pictures are files beside it gets a drawing's pictures
    // only once the drawing is known to join the page.
    std::string trial;
    options.Picture = [](std::string&, std::string_view, std::string_view, double, double, double, double) {
      return true;
    };
    const bool joins =
        !context.ReferencesMedia() || AppendInlineSvg(trial, file, id + "_", ix, iy, iw, ih, options);
    options.Picture = [&](std::string& picture, std::string_view mime, std::string_view base64, double px, double py,
                          double pw, double ph) {
      return AppendDrawingPicture(picture, file, mime, base64, px, py, pw, ph, context);
    };
    if (joins && AppendInlineSvg(out, file, id + "_", ix, iy, iw, ih, options)) {
      out += "</g>";
      return;
    }
    shared = context.SharedPicture(out, file);
  }
  if (!shared.empty()) {
    AppendPictureUse(out, shared, ix, iy, iw, ih);
    out += "</g>";
    return;
  }
  out += "<image href=\"";
  if (!context.AppendDataUri(out, file)) {
    out.resize(start);
    return;
  }
  out += '"';
  AppendBoxAttrs(out, ix, iy, iw, ih);
  out += " preserveAspectRatio=\"none\"/></g>";
}

// A picture no browser can draw (a metafile without a converter) as a
// labelled box in its place, so that the slide does not silently lose it.
void AppendPictureBox(std::string& out, const TPPTXShape& shape) {
  const double l = shape.LeftPx(), t = shape.TopPx(), w = shape.WidthPx(), h = shape.HeightPx();
  out += "<g><rect";
  AppendBoxAttrs(out, l, t, w, h);
  out += " fill=\"#f2f2f2\" stroke=\"#a6a6a6\" stroke-dasharray=\"4 3\"/><text";
  AppendNumAttr(out, "x", l + w / 2);
  AppendNumAttr(out, "y", t + h / 2);
  out += " text-anchor=\"middle\" dominant-baseline=\"middle\" font-family=\"sans-serif\" font-size=\"12\" "
         "fill=\"#7f7f7f\">Picture</text></g>";
}

void AppendMediaPlayer(std::string& out, const TPPTXShape& shape, TRenderContext& context) {
  out += "<foreignObject";
  AppendBoxAttrs(out, shape.LeftPx(), shape.TopPx(), shape.WidthPx(), shape.HeightPx());
  const bool video = shape.Kind == skVideo;
  out += video ? "><video controls width=\"100%\" height=\"100%\" src=\"" : "><audio controls src=\"";
  context.AppendDataUri(out, shape.MediaFile);
  out += video ? "\"></video></foreignObject>" : "\"></audio></foreignObject>";
}

void AppendLine(std::string& out, const TPPTXShape& shape, TRenderContext& context) {
  const double l = shape.LeftPx(), t = shape.TopPx();
  const double r = l + shape.WidthPx(), b = t + shape.HeightPx();
  // The line runs from the box's top-left to its bottom-right corner, each
  // flip mirroring its ends, which matters for its arrowheads.
  double x1 = shape.FlipH ? r : l, y1 = shape.FlipV ? b : t;
  double x2 = shape.FlipH ? l : r, y2 = shape.FlipV ? t : b;
  TurnWithShape(shape, x1, y1, x2, y2);
  const std::string id = context.ClipIdFor(shape);
  TSvgPaint paint = ShapePaint(shape, {l, t, r - l, b - t}, id, context, true);
  if (!paint.Defs.empty()) out += "<defs>" + paint.Defs + "</defs>";
  out += "<line";
  AppendNumAttr(out, "x1", x1);
  AppendNumAttr(out, "y1", y1);
  AppendNumAttr(out, "x2", x2);
  AppendNumAttr(out, "y2", y2);
  if (shape.HasLine) {
    // ShapePaint's fill="none" comes first; a line has no area to fill.
    out += paint.Attributes;
  } else {
    out += " stroke=\"#000000\"";
    AppendNumAttr(out, "stroke-width", StrokeWidthPx(shape));
  }
  out += "/>";
}

// The paths of the shape's geometry, in its box turned and mirrored as the
// shape is: filled and outlined as each path says, shaded faces darkened or
// lightened over their fill, arrowheads at the ends of the open ones.
void AppendGeometryPaths(std::string& out, const TPPTXShape& shape, TRenderContext& context) {
  const double l = shape.LeftPx(), t = shape.TopPx(), w = shape.WidthPx(), h = shape.HeightPx();
  const std::string id = context.ClipIdFor(shape);
  TSvgPaint paint = ShapePaint(shape, {0, 0, w, h}, id, context, true);
  std::string markerless = paint.StrokeAttributes;
  for (const char* marker : {" marker-start=\"", " marker-end=\""}) {
    size_t at = markerless.find(marker);
    if (at != std::string::npos) markerless.erase(at, markerless.find('"', at + std::strlen(marker)) + 1 - at);
  }
  const bool filled = paint.FillAttributes.find("fill=\"none\"") == std::string::npos;
  if (!paint.Defs.empty()) out += "<defs>" + paint.Defs + "</defs>";
  out += "<g transform=\"";
  AppendTransform(out, shape.FlipH, shape.FlipV, shape.RotationDeg, l, t, w, h);
  out += " translate(";
  AppendNum(out, l);
  out += ' ';
  AppendNum(out, t);
  out += ")\">";
  for (const TShapePath& path : shape.Geometry.Paths) {
    out += "<path d=\"";
    out += path.D;
    out += '"';
    out += path.Fill ? paint.FillAttributes : " fill=\"none\"";
    // Arrowheads end open paths only; a line's single path is open though
    // its definition never says it has no fill.
    const bool open = path.D.find_first_of("Zz") == std::string::npos;
    out += !path.Stroke ? " stroke=\"none\"" : (open ? paint.StrokeAttributes : markerless);
    out += "/>";
    // A face is shaded over its fill only: an unfilled shape stays an outline.
    if (path.Fill && path.Shade != TPathShade::Normal && filled) {
      const bool darken = path.Shade == TPathShade::Darken || path.Shade == TPathShade::DarkenLess;
      const bool strong = path.Shade == TPathShade::Darken || path.Shade == TPathShade::Lighten;
      out += "<path d=\"" + path.D + "\" fill=\"" + (darken ? "#000000" : "#FFFFFF") + "\" fill-opacity=\"";
      out += strong ? "0.4" : "0.2";
      out += "\" stroke=\"none\"/>";
    }
  }
  out += "</g>";
}

// The element of a geometric shape of the given kind, with the shape's box,
// paint and rotation (never its flips; an ellipse never turns).
void AppendGeometry(std::string& out, TPPTXShapeKind kind, const TPPTXShape& shape, TRenderContext& context) {
  if (!shape.Geometry.Paths.empty()) {
    AppendGeometryPaths(out, shape, context);
    return;
  }
  const double l = shape.LeftPx(), t = shape.TopPx(), w = shape.WidthPx(), h = shape.HeightPx();
  TSvgPaint paint = ShapePaint(shape, {l, t, w, h}, context.ClipIdFor(shape), context);
  if (!paint.Defs.empty()) out += "<defs>" + paint.Defs + "</defs>";
  if (kind == skOval) {
    out += "<ellipse";
    AppendNumAttr(out, "cx", l + w / 2);
    AppendNumAttr(out, "cy", t + h / 2);
    AppendNumAttr(out, "rx", w / 2);
    AppendNumAttr(out, "ry", h / 2);
    out += paint.Attributes;
    out += "/>";
    return;
  }
  out += "<rect";
  AppendBoxAttrs(out, l, t, w, h);
  if (kind == skRoundRect) AppendNumAttr(out, "rx", 0.12 * std::min(w, h));
  out += paint.Attributes;
  out += " transform=\"";
  AppendTransform(out, false, false, shape.RotationDeg, l, t, w, h);
  out += "\"/>";
}

// Opens a group whose filter casts the shape's shadow: its outline's alpha,
// blurred, offset and flooded with the shadow's colour, beneath the shape.
// The filter's region is fixed around the shape, since a line's box has no
// height.
// A glow is the outline's alpha spread by half its radius and blurred over
// the rest, so that it fades out where the deck says it reaches.
bool OpenEffects(std::string& out, const TPPTXShape& shape, TRenderContext& context) {
  const TShadow& shadow = shape.Shadow;
  const TGlow& glow = shape.Glow;
  if ((!shadow.Used && !glow.Used) || shape.Kind == skVideo || shape.Kind == skAudio) return false;
  double dx = 0, dy = 0;
  if (shadow.Used) ShadowOffset(shape, shadow.TurnsWithShape ? shape.RotationDeg : 0, dx, dy);
  const double w = shape.WidthPx(), h = shape.HeightPx();
  const double reach = std::max(shadow.Used ? std::hypot(dx, dy) + 2 * shadow.BlurPx : 0.0,
                                glow.Used ? 2 * glow.RadiusPx : 0.0);
  const double margin = std::max(w, h) + reach + shape.LineWidthPt * 2 + 8;
  const std::string id = context.ClipIdFor(shape) + "_shadow";
  out += "<defs><filter id=\"" + id + "\" filterUnits=\"userSpaceOnUse\"";
  AppendBoxAttrs(out, shape.LeftPx() - margin, shape.TopPx() - margin, w + 2 * margin, h + 2 * margin);
  out += " color-interpolation-filters=\"sRGB\">";
  if (shadow.Used) {
    out += "<feGaussianBlur in=\"SourceAlpha\"";
    // Office's blur radius reaches about two standard deviations.
    AppendNumAttr(out, "stdDeviation", shadow.BlurPx / 2);
    out += "/><feOffset";
    AppendNumAttr(out, "dx", dx);
    AppendNumAttr(out, "dy", dy);
    out += " result=\"cast\"/><feFlood flood-color=\"" + ColorToHex(shadow.Color) + "\"";
    AppendNumAttr(out, "flood-opacity", shadow.Opacity);
    out += "/><feComposite in2=\"cast\" operator=\"in\" result=\"shadow\"/>";
  }
  if (glow.Used) {
    out += "<feMorphology in=\"SourceAlpha\" operator=\"dilate\"";
    AppendNumAttr(out, "radius", glow.RadiusPx / 2);
    out += "/><feGaussianBlur";
    AppendNumAttr(out, "stdDeviation", glow.RadiusPx / 4);
    out += " result=\"spread\"/><feFlood flood-color=\"" + ColorToHex(glow.Color) + "\"";
    AppendNumAttr(out, "flood-opacity", glow.Opacity);
    out += "/><feComposite in2=\"spread\" operator=\"in\" result=\"glow\"/>";
  }
  out += "<feMerge>";
  if (shadow.Used) out += "<feMergeNode in=\"shadow\"/>";
  if (glow.Used) out += "<feMergeNode in=\"glow\"/>";
  out += "<feMergeNode in=\"SourceGraphic\"/></feMerge></filter></defs><g filter=\"url(#" + id + ")\">";
  return true;
}

void AppendShapeContent(std::string& out, const TPPTXShape& shape, TRenderContext& context) {
  switch (shape.Kind) {
    case skText:
      // The shadow and glow come from the shape's outline alone: a filter
      // over the text would also clip whatever of it runs past its box. Text
      // in a shape that paints nothing casts the shadow itself (AppendTextShape).
      if (shape.HasFill || shape.HasLine || shape.Fill.Kind != kFillNone) {
        TPPTXShapeKind geometry = shape.GeometryKind;
        if (geometry != skOval && geometry != skRoundRect) geometry = skRect;
        const bool shadowed = OpenEffects(out, shape, context);
        AppendGeometry(out, geometry, shape, context);
        if (shadowed) out += "</g>";
      }
      AppendTextShape(out, shape);
      return;
    case skImage:
      if (shape.UndrawablePicture) AppendPictureBox(out, shape);
      else AppendImageShape(out, shape, shape.DrawnFile(), context);
      return;
    case skVideo:
    case skAudio:
      if (!shape.PosterImage.empty())
        AppendImageShape(out, shape, shape.PosterImage, context);
      else if (!shape.MediaFile.empty())
        AppendMediaPlayer(out, shape, context);
      return;
    case skLine:
      if (!shape.Geometry.Paths.empty()) AppendGeometryPaths(out, shape, context);
      else AppendLine(out, shape, context);
      return;
    case skRect:
    case skOval:
    case skRoundRect:
    case skOther:
      AppendGeometry(out, shape.Kind, shape, context);
      return;
  }
}

void AppendShape(std::string& out, const TPPTXShape& shape, TRenderContext& context) {
  const bool shadowed = shape.Kind != skText && OpenEffects(out, shape, context);
  AppendShapeContent(out, shape, context);
  if (shadowed) out += "</g>";
}

}  // namespace

std::string SvgTransform(bool FlipH, bool FlipV, double RotationDeg, double Left, double Top,
                         double Width, double Height) {
  std::string out;
  AppendTransform(out, FlipH, FlipV, RotationDeg, Left, Top, Width, Height);
  return out;
}

std::string RenderRunSpan(const TPPTXTextRun& run) {
  std::string out;
  AppendRunSpan(out, run);
  return out;
}

std::string RenderTextShape(const TPPTXShape& shape) {
  std::string out;
  AppendTextShape(out, shape);
  return out;
}

std::string RenderImageShape(const TPPTXShape& shape, const std::string& pictureFile,
                             TRenderContext& context) {
  std::string out;
  AppendImageShape(out, shape, pictureFile, context);
  return out;
}

std::string RenderShape(const TPPTXShape& shape, TRenderContext& context) {
  std::string out;
  AppendShape(out, shape, context);
  return out;
}

std::string RenderSlideSection(const TPPTXSlide& slide, int slideNumber, int slideWidth,
                               int slideHeight, TRenderContext& context) {
  const std::string n = std::to_string(slideNumber);
  std::string out = "<section class=\"slide\" data-index=\"" + n + "\" data-title=\"Slide " + n +
                    "\" style=\"background:" +
                    (slide.HasBackgroundColor ? ColorToHex(slide.BackgroundColor) : "#ffffff") +
                    "\"><svg viewBox=\"0 0 " + std::to_string(slideWidth) + " " +
                    std::to_string(slideHeight) + "\" role=\"img\" aria-label=\"Slide " + n +
                    "\" xmlns=\"" + std::string(kSvgNamespace) + "\">";
  out += BackgroundElement(slide.Background, slideWidth, slideHeight, "background_" + n, context);
  for (const auto& shape : slide.Shapes)
    if (shape) AppendShape(out, *shape, context);
  out += "</svg></section>";
  return out;
}

int64_t ObjectCount(const TPPTXPresentation& presentation) {
  int64_t count = 0;
  for (const auto& slide : presentation.Slides) count += static_cast<int64_t>(slide->Shapes.size());
  return count;
}

}  // namespace tarvik
