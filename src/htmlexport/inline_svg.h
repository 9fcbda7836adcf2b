// A converted metafile as markup of the slide itself rather than a picture
// the slide points to, so that the words it draws are words of the page:
// found by the browser's search, selected, copied and read aloud.
#pragma once
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
// nested or populated past what a drawing needs, or holding pictures of its
// own: those stay one picture, as a page whose pictures are files beside it
// must keep them.
bool AppendInlineSvg(std::string& out, const std::string& file, std::string_view idPrefix, double x, double y,
                     double width, double height);

}  // namespace tarvik
