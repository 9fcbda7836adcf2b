// Media pieces and the entries made of text and pieces.
#include "htmlexport/media_pieces.h"

#include "htmlexport/data_uri.h"
#include "package/base64.h"
#include "package/mime_types.h"

namespace tarvik {

namespace {

// Formats that are compressed already: LZ77 finds nothing in their Base64.
bool IsCompressedFormat(const std::string& mime) {
  return mime.starts_with("video/") || mime == "image/png" || mime == "image/jpeg" || mime == "image/gif" ||
         mime == "image/webp" || mime == "audio/mpeg" || mime == "audio/ogg";
}

// Calls OnText for the stretches of Text between media references and
// OnMedia with the index of each reference, in order.
template <typename FText, typename FMedia>
void SplitAtReferences(std::string_view text, size_t count, FText onText, FMedia onMedia) {
  const std::string marker = "\"" + std::string(TRenderContext::kMediaReference);
  size_t copied = 0;
  for (size_t at = text.find(marker); at != std::string_view::npos; at = text.find(marker, at + 1)) {
    size_t digits = at + marker.size();
    size_t end = digits;
    size_t index = 0;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9' && index < count)
      index = index * 10 + static_cast<size_t>(text[end++] - '0');
    if (end == digits || end >= text.size() || text[end] != '"' || index >= count) continue;
    onText(text.substr(copied, digits - copied - TRenderContext::kMediaReference.size()));
    onMedia(index);
    copied = end;
  }
  onText(text.substr(copied));
}

// Base64 of a text that arrives in stretches, into a deflate stream: up to
// two bytes wait for the next stretch so that every group of three is
// encoded whole, and the URIs of files come in as compressed pieces.
class TBase64Writer {
 public:
  TBase64Writer(TDeflateStreamBuilder& stream, TMediaPieces& pieces) : FStream(stream), FPieces(pieces) {}

  void Text(std::string_view text) {
    if (text.empty()) return;
    std::string joined = FCarry;
    joined.append(text);
    const size_t whole = joined.size() / 3 * 3;
    FBuffer.clear();
    AppendBase64(FBuffer, std::string_view(joined).substr(0, whole));
    FStream.AddText(FBuffer);
    FCarry = joined.substr(whole);
  }

  void Media(size_t index) {
    std::string head, tail;
    const TDeflatedPiece& piece = FPieces.Base64Piece(index, (3 - FCarry.size()) % 3, head, tail);
    Text(head);
    if (piece.Size > 0) FStream.AddPiece(piece);
    Text(tail);
  }

  void Finish() {
    FBuffer.clear();
    AppendBase64(FBuffer, FCarry);
    FStream.AddText(FBuffer);
    FCarry.clear();
  }

 private:
  TDeflateStreamBuilder& FStream;
  TMediaPieces& FPieces;
  std::string FCarry, FBuffer;
};

TDeflateEffort EffortFor(const std::string& file) {
  return IsCompressedFormat(MimeTypeForFile(file)) ? TDeflateEffort::Base64 : TDeflateEffort::Full;
}

}  // namespace

const TDeflatedPiece& TMediaPieces::Piece(size_t index) {
  const auto& files = FContext.ReferencedMedia();
  if (FPieces.size() < files.size()) FPieces.resize(files.size());
  if (!FPieces[index]) FPieces[index] = DeflatePiece(FileToDataUri(files[index]), EffortFor(files[index]));
  return *FPieces[index];
}

const TDeflatedPiece& TMediaPieces::Base64Piece(size_t index, size_t skip, std::string& head, std::string& tail) {
  auto found = FBase64Pieces.find({index, skip});
  if (found == FBase64Pieces.end()) {
    TBase64Cut cut;
    const std::string uri = FileToDataUri(FContext.ReferencedMedia()[index]);
    if (uri.size() <= skip) {
      cut.Head = uri;
    } else {
      const size_t whole = (uri.size() - skip) / 3 * 3;
      cut.Head = uri.substr(0, skip);
      cut.Tail = uri.substr(skip + whole);
      // Base64 of Base64 uses the alphabet unevenly, but the fixed code of
      // the Base64 effort still beats zlib's speed by far at a fair size.
      cut.Piece = DeflatePiece(Base64OfBytes(std::string_view(uri).substr(skip, whole)), TDeflateEffort::Base64);
    }
    found = FBase64Pieces.emplace(std::make_pair(index, skip), std::move(cut)).first;
  }
  head = found->second.Head;
  tail = found->second.Tail;
  return found->second.Piece;
}

TZipEntry EntryWithMedia(const std::string& name, std::string_view text, TMediaPieces& pieces) {
  TDeflateStreamBuilder stream;
  SplitAtReferences(
      text, pieces.Count(), [&](std::string_view part) { stream.AddText(part); },
      [&](size_t index) { stream.AddPiece(pieces.Piece(index)); });
  TZipEntry entry;
  entry.Name = name;
  stream.FinishInto(entry);
  return entry;
}

TZipEntry Base64EntryWithMedia(const std::string& name, std::string_view before, std::string_view text,
                               std::string_view after, TMediaPieces& pieces) {
  TDeflateStreamBuilder stream;
  stream.AddText(before);
  TBase64Writer base64(stream, pieces);
  SplitAtReferences(
      text, pieces.Count(), [&](std::string_view part) { base64.Text(part); },
      [&](size_t index) { base64.Media(index); });
  base64.Finish();
  stream.AddText(after);
  TZipEntry entry;
  entry.Name = name;
  stream.FinishInto(entry);
  return entry;
}

}  // namespace tarvik
