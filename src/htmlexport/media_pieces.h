// Archive entries of exported texts that hold media references instead of
// their data: URIs (TRenderContext::ReferenceMedia). Each referenced file is
// encoded and compressed once, the first time an entry uses it, and every
// entry that shows it carries that one compressed piece: the text is never
// written out with its media, in memory or on disk, and inflates to exactly
// the text with every reference replaced by the file's data: URI.
#pragma once
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
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
  // The compressed Base64 of the data: URI of file Index from its byte Skip
  // on, for as many whole groups of three bytes as follow (see
  // TBase64Entry); Tail receives the rest of the URI, under three bytes.
  const TDeflatedPiece& Base64Piece(size_t index, size_t skip, std::string& head, std::string& tail);

 private:
  struct TBase64Cut {
    TDeflatedPiece Piece;
    std::string Head, Tail;
  };
  const TRenderContext& FContext;
  std::vector<std::optional<TDeflatedPiece>> FPieces;
  std::map<std::pair<size_t, size_t>, TBase64Cut> FBase64Pieces;
};

// The deflated entry Name of Text, each media reference of it (a whole
// double-quoted attribute value, which slide text can never imitate, since
// its quotes are escaped) standing for the file's data: URI, or for the
// text Link gives for the file when it gives one (the address of a file the
// package holds beside the entry).
TZipEntry EntryWithMedia(const std::string& name, std::string_view text, TMediaPieces& pieces,
                         const std::function<std::string(size_t)>& link = nullptr);

// The deflated entry of Before + Base64(Text with its media references
// resolved) + After, for a text that is carried Base64-encoded inside
// another (the slides of an H5P content file). The Base64 of each file's
// URI is compressed once for each of the three ways it can fall on the
// groups of three bytes.
TZipEntry Base64EntryWithMedia(const std::string& name, std::string_view before, std::string_view text,
                               std::string_view after, TMediaPieces& pieces);

}  // namespace tarvik
