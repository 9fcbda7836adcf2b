// Per-presentation state of the SVG renderer: the clip identifiers, unique
// among all shapes of one loaded presentation, and the data: URIs of files
// that several shapes use, kept only until their last use. An export that
// places the bytes of pictures and media itself asks for references instead.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "pptx/model.h"

namespace tarvik {

class TRenderContext {
 public:
  // A context for shapes numbered as they are first seen.
  TRenderContext() = default;
  // Numbers every shape of the presentation in slide and shape order, so the
  // identifiers do not depend on which slides are rendered or in what order,
  // and counts the uses of each picture and media file.
  explicit TRenderContext(const TPPTXPresentation& presentation);

  // "clip_" + 8 upper-case hex digits; the same shape always gets the same one.
  std::string ClipIdFor(const TPPTXShape& shape);

  // Appends FileToDataUri(file) to out; false (out untouched) when that is
  // empty. A file that the presentation uses more than once is encoded once
  // and kept until its last counted use.
  bool AppendDataUri(std::string& out, const std::string& file);

  // From here on AppendDataUri writes kMediaReference + N in place of the
  // data: URI of a file that exists and is not empty, N being the file's
  // index in ReferencedMedia(); the same file always gets the same N. Such
  // a reference stands where the URI would, as a whole attribute value.
  static constexpr std::string_view kMediaReference = "tarvik-media:";
  void ReferenceMedia() { FByReference = true; }
  const std::vector<std::string>& ReferencedMedia() const { return FReferenced; }

 private:
  void CountUse(const std::string& file);
  bool AppendReference(std::string& out, const std::string& file);

  std::unordered_map<const TPPTXShape*, uint32_t> FClipIds;
  uint32_t FNextClipId = 1;
  std::unordered_map<std::string, int> FUsesLeft;
  std::unordered_map<std::string, std::string> FUriCache;
  bool FByReference = false;
  std::vector<std::string> FReferenced;
  std::unordered_map<std::string, size_t> FReferenceIndex;
};

}  // namespace tarvik
