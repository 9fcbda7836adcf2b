// A converted metafile as markup of the slide itself rather than a picture
// the slide points to, so that the words it draws are words of the page:
// found by the browser's search, selected, copied and read aloud.
#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace tarvik {

// Appends the drawing of the SVG file, its viewBox (else its width and
// height) scaled into the box x, y, width, height, as a group (class
// "metafile") for a slide's svg. Only drawing is kept: shapes, text,
// gradients, clips, masks and patterns. Scripts, event attributes, styles,
// foreign content and every reference outside the file are left out. Ids
// become idPrefix and a number, and references to them follow, so that
// pictures on one page keep theirs apart. False, with out untouched, when the file is
// missing, larger than a converted metafile gets, not SVG, without a size,
// or nested or populated past what a drawing needs.
//
// A drawing's own pictures (PNG, JPEG or GIF in data: URIs) are kept when
// the options say how: Picture appends the picture of that type and Base64
// text drawn stretched into the box x, y, width, height (the drawing's
// units), or returns false to keep the drawing one picture (so does a
// drawing with a picture of another kind, or with no Picture).
// WithWordsOnly refuses a drawing that writes no text: copies of it would
// only add to the page.
struct TInlineSvgOptions {
  std::function<bool(std::string& out, std::string_view mime, std::string_view base64, double x, double y,
                     double width, double height)>
      Picture;
  bool WithWordsOnly = false;
};
bool AppendInlineSvg(std::string& out, const std::string& file, std::string_view idPrefix, double x, double y,
                     double width, double height, const TInlineSvgOptions& options = {});

}  // namespace tarvik
