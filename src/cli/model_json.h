// The presentation model as JSON, for `tarvik info --json`: one object per
// model object, keyed by the model's field names, with the pixel accessors
// (SlideWidthPx, LeftPx ...) beside the EMU fields, shape kinds by name and
// colours as TColor integers. Media paths inside the extraction folder are
// written relative to it with "/" separators; any other path as resolved.
#pragma once
#include <string>
#include <string_view>

#include "pptx/model.h"

namespace tarvik {

// The whole presentation as one JSON document, indented, ending with a newline.
std::string PresentationToJson(const TPPTXPresentation& presentation);

// A JSON string literal, quotes included. Quotes, backslashes and control
// characters are escaped; bytes that are not valid UTF-8 become U+FFFD, so
// the output is always valid UTF-8 and valid JSON.
std::string JsonString(std::string_view utf8);

// A number as JSON: the shortest text that reads back to the same double;
// "null" for infinities and NaN, which JSON cannot hold.
std::string JsonNumber(double value);

// Path relative to Folder with "/" separators when it lies inside Folder;
// otherwise Path unchanged (external targets, web addresses).
std::string RelativeMediaPath(const std::string& path, const std::string& folder);

}  // namespace tarvik
