// How shapes and backgrounds are painted in the slide SVG: solid colours,
// linear and radial gradients, pictures stretched or tiled, transparency,
// dashed outlines and arrowheads.
#pragma once
#include <string>

#include "htmlexport/render_context.h"
#include "pptx/model.h"

namespace tarvik {

// A box in slide pixels.
struct TSvgBox {
  double Left = 0, Top = 0, Width = 0, Height = 0;
};

// The paint attributes of an element (" fill=... stroke=... stroke-width=..."),
// with the definitions they refer to (gradients, patterns, markers), which
// go into a <defs> before the element. Ids start with idBase.
struct TSvgPaint {
  std::string Defs;
  std::string Attributes;  // FillAttributes then StrokeAttributes
  std::string FillAttributes, StrokeAttributes;
};

// The offset of shape's shadow turned by turnDeg clockwise: its own turn
// for a shadow that turns with it.
void ShadowOffset(const TPPTXShape& shape, double turnDeg, double& dx, double& dy);

// A filter in defs that recolours a picture in two tones (dark at its black,
// light at its white), and the filter attribute that applies it.
std::string AppendDuotoneFilter(std::string& defs, const TDuotone& tone, const std::string& id);

// A use of a shared picture definition (TRenderContext::SharedPicture),
// scaled from its unit size into the box.
void AppendPictureUse(std::string& out, const std::string& id, double left, double top, double width, double height);

// Line widths are points in the model and user units (pixels) in the SVG.
double StrokeWidthPx(const TPPTXShape& shape);

// The fill of the shape (none, colour, gradient or picture) and its outline
// (colour, width, dash and transparency); withMarkers adds its arrowheads.
TSvgPaint ShapePaint(const TPPTXShape& shape, const TSvgBox& box, const std::string& idBase, TRenderContext& context,
                     bool withMarkers = false);

// A slide's background as a rectangle over the whole slide, with its
// definitions; "" when the fill is none or a plain colour, which the
// section's own background shows.
std::string BackgroundElement(const TPPTXFill& fill, double width, double height, const std::string& id,
                              TRenderContext& context);

}  // namespace tarvik
