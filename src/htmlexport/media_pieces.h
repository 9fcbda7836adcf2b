// Archive entries of exported texts that hold media references instead of
// their data: URIs (TRenderContext::ReferenceMedia), inflating to exactly
// the text with every reference replaced by the file's data: URI. The text
// is never written out with its media, in memory or on disk: a file is read
// and encoded a block at a time, either once into a compressed piece that
// every entry showing it carries (TMediaPieces, for the pages of a book), or
// each time an entry shows it, while the archive is written (the streamed
// entries, for a package's one page).
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "htmlexport/render_context.h"
#include "package/deflate_stream.h"
#include "package/zip_writer.h"

namespace tarvik {

class TMediaPieces {
 public:
  explicit TMediaPieces(const TRenderContext& context) : FContext(context) {}

  // Files referenced so far: a reference holds an index below this.
  size_t Count() const { return FContext.ReferencedMedia().size(); }
  // The compressed data: URI of file Index.
  const TDeflatedPiece& Piece(size_t index);

 private:
  const TRenderContext& FContext;
  std::vector<std::optional<TDeflatedPiece>> FPieces;
};

// The deflated entry Name of Text, each media reference of it standing for
// the file's data: URI, or for the text Link gives for the file when it
// gives one (the address of a file the package holds beside the entry).
TZipEntry EntryWithMedia(const std::string& name, std::string_view text, TMediaPieces& pieces,
                         const std::function<std::string(size_t)>& link = nullptr);

// The entry Name of Text, each media reference of it to one of Files
// standing for that file's data: URI, made while the archive is written
// (TZipEntry::Source): no more than a block of a file is held at a time.
TZipEntry StreamedEntryWithMedia(const std::string& name, std::string text, std::vector<std::string> files);

// The same for Before + the Base64 of Text with its references resolved +
// After, for a text carried Base64-encoded inside another (the slides of
// an H5P content file).
TZipEntry StreamedBase64EntryWithMedia(const std::string& name, std::string before, std::string text,
                                       std::string after, std::vector<std::string> files);

}  // namespace tarvik
