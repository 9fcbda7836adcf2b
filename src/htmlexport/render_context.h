// Per-presentation state of the SVG renderer: the clip identifiers, unique
// among all shapes of one loaded presentation, the pictures drawn more than
// once, and the data: URIs of files that several shapes use, kept only
// until their last use. An export that places the bytes of pictures and
// media itself asks for references instead. Files of the same type and
// bytes count as one, under the first one's name.
#pragma once
#include <cstdint>
#include <functional>
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

  // From here on a picture the presentation draws more than once is defined
  // once, where it is first drawn, and every use refers to that definition:
  // a page does not carry a logo that every slide's master draws once per
  // slide. Only for a single document holding every slide.
  void SharePictures() { FSharePictures = true; }
  // The id of a shared picture's one definition, a unit-sized <image> that
  // each use scales into place with <use>. Its first use appends the
  // definition (in a <defs>) to out. "" (out untouched) when pictures are
  // not shared, for a picture drawn once, or for a missing or empty file.
  std::string SharedPicture(std::string& out, const std::string& file);
  // For a page that shares pictures, the id of the one definition of a
  // picture a drawing carries, at href (its data: URI or media reference),
  // like SharedPicture's: appended to out where it is first met. "" when
  // pictures are not shared.
  std::string DrawingPictureId(std::string& out, const std::string& href);
  // How often the presentation draws the picture: 0 for one it did not
  // count, always for a context that numbers shapes as it sees them.
  int PictureUses(const std::string& file) const;

  // Appends FileToDataUri(file) to out; false (out untouched) when that is
  // empty. A file that the presentation uses more than once is encoded once
  // and kept until its last counted use.
  bool AppendDataUri(std::string& out, const std::string& file);

  // From here on AppendDataUri writes kMediaReference + N in place of the
  // data: URI of a file that exists and is not empty, N being the file's
  // index in ReferencedMedia(); the same file (or one of the same type and
  // bytes) always gets the same N. Such
  // a reference stands where the URI would, as a whole attribute value.
  static constexpr std::string_view kMediaReference = "tarvik-media:";
  void ReferenceMedia() { FByReference = true; }
  bool ReferencesMedia() const { return FByReference; }
  const std::vector<std::string>& ReferencedMedia() const { return FReferenced; }

 private:
  void CountUse(const std::string& file);
  // The first file of the presentation with File's type and bytes.
  const std::string& Canonical(const std::string& file) const;
  bool AppendReference(std::string& out, const std::string& file);

  std::unordered_map<const TPPTXShape*, uint32_t> FClipIds;
  uint32_t FNextClipId = 1;
  std::unordered_map<std::string, int> FUsesLeft;
  std::unordered_map<std::string, int> FPictureUses;
  std::unordered_map<std::string, std::string> FPictureIds;  // "" once found missing
  std::unordered_map<std::string, std::string> FDrawingPictureIds;  // by href
  std::unordered_map<std::string, std::string> FUriCache;
  bool FByReference = false;
  bool FSharePictures = false;
  std::vector<std::string> FReferenced;
  std::unordered_map<std::string, size_t> FReferenceIndex;
  std::unordered_map<std::string, std::string> FCanonical;
};

// Calls OnText for the stretches of Text between the media references that
// a context referencing media wrote (kMediaReference + N below Count, as a
// whole double-quoted attribute value, which slide text never imitates,
// since its quotes are escaped) and OnMedia with each N, in order.
void SplitAtMediaReferences(std::string_view text, size_t count,
                            const std::function<void(std::string_view)>& onText,
                            const std::function<void(size_t)>& onMedia);

}  // namespace tarvik
