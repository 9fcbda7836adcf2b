// Draws one slide of the presentation model as an HTML section holding an
// inline SVG in slide pixels. Pictures, posters and media are embedded as
// data: URIs, so a section needs no other file. Every number in the markup
// goes through FormatNum; slide numbers and sizes are plain integers.
#pragma once
#include <cstdint>
#include <string>

#include "htmlexport/render_context.h"
#include "pptx/model.h"

namespace tarvik {

// "translate(cx cy) scale(sx sy) rotate(deg) translate(-cx -cy)" about the
// box centre, sx/sy -1 for a flip.
std::string SvgTransform(bool FlipH, bool FlipV, double RotationDeg, double Left, double Top,
                         double Width, double Height);

// One styled <span> of a text run; line breaks become <br/>.
std::string RenderRunSpan(const TPPTXTextRun& run);

// The <foreignObject> with the XHTML text block of a text shape, turned by
// RotationDeg + TextRotationDeg about its centre.
std::string RenderTextShape(const TPPTXShape& shape);

// Clip definition plus the clipped, cropped, flipped and turned <image> group;
// the picture is pictureFile, or the shape's MediaFile when that is empty.
// "" when the picture is missing or empty.
std::string RenderImageShape(const TPPTXShape& shape, const std::string& pictureFile,
                             TRenderContext& context);

// The shape's SVG fragment by Kind; "" for shapes that draw nothing. A text
// shape with a fill or outline is preceded by the element of its geometry.
std::string RenderShape(const TPPTXShape& shape, TRenderContext& context);

// <section class="slide" ...><svg ...>shapes</svg></section> for slide number
// slideNumber (1-based) at the given slide size in pixels.
std::string RenderSlideSection(const TPPTXSlide& slide, int slideNumber, int slideWidth,
                               int slideHeight, TRenderContext& context);

// The object count every export reports: all entries of all slides' Shapes
// lists, also those that draw nothing.
int64_t ObjectCount(const TPPTXPresentation& presentation);

}  // namespace tarvik
