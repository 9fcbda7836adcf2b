// Media pieces and the entries made of text and pieces.
#include "htmlexport/media_pieces.h"

#include "htmlexport/data_uri.h"
#include "package/base64.h"
#include "package/mime_types.h"
#include "platform/files.h"

#include <algorithm>

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

namespace {

// Bytes of a file per step of its Base64: a whole number of groups of three,
// small enough to stay in the caches.
constexpr size_t kChunkBytes = 3 * 21845;

// The data: URI of Bytes as its parts: the "data:<mime>;base64," prefix,
// then the Base64 of the bytes a chunk at a time.
template <typename F>
void ForEachUriPart(std::string_view prefix, std::string_view bytes, F part) {
  part(prefix);
  std::string buffer;
  for (size_t at = 0; at < bytes.size(); at += kChunkBytes) {
    buffer.clear();
    AppendBase64(buffer, bytes.substr(at, kChunkBytes));
    part(std::string_view(buffer));
  }
}

std::string UriPrefix(const std::string& file) { return "data:" + MimeTypeForFile(file) + ";base64,"; }

}  // namespace

const TDeflatedPiece& TMediaPieces::Piece(size_t index) {
  const auto& files = FContext.ReferencedMedia();
  if (FPieces.size() < files.size()) FPieces.resize(files.size());
  if (FPieces[index]) return *FPieces[index];
  const std::string& file = files[index];
  if (EffortFor(file) == TDeflateEffort::Full) {
    FPieces[index] = DeflatePiece(FileToDataUri(file), TDeflateEffort::Full);
  } else {
    const std::string bytes = ReadFileBytes(file);
    const std::string prefix = UriPrefix(file);
    TBase64PieceBuilder piece(prefix, Base64Length(bytes.size()));
    ForEachUriPart("", bytes, [&](std::string_view part) { piece.Add(part); });
    FPieces[index] = piece.Finish();
  }
  return *FPieces[index];
}

const TDeflatedPiece& TMediaPieces::Base64Piece(size_t index, size_t skip, std::string& head, std::string& tail) {
  auto found = FBase64Pieces.find({index, skip});
  if (found == FBase64Pieces.end()) {
    const std::string& file = FContext.ReferencedMedia()[index];
    const std::string bytes = ReadFileBytes(file);
    TBase64Cut cut;
    // The URI's first Skip characters go to Head; then every whole group of
    // three is encoded again (Base64 of Base64 uses the alphabet unevenly,
    // but the fixed code still beats zlib's speed by far at a fair size);
    // the rest waits in Carry and ends up as Tail.
    TBase64PieceBuilder piece("", Base64Length(Base64Length(bytes.size())));
    std::string carry, encoded;
    ForEachUriPart(UriPrefix(file), bytes, [&](std::string_view part) {
      if (cut.Head.size() < skip) {
        const size_t take = std::min(part.size(), skip - cut.Head.size());
        cut.Head.append(part.substr(0, take));
        part.remove_prefix(take);
      }
      encoded.clear();
      if (!carry.empty()) {
        const size_t fill = std::min(part.size(), 3 - carry.size());
        carry.append(part.substr(0, fill));
        part.remove_prefix(fill);
        if (carry.size() < 3) return;
        AppendBase64(encoded, carry);
        carry.clear();
      }
      const size_t whole = part.size() / 3 * 3;
      AppendBase64(encoded, part.substr(0, whole));
      piece.Add(encoded);
      carry.assign(part.substr(whole));
    });
    cut.Tail = carry;
    cut.Piece = piece.Finish();
    found = FBase64Pieces.emplace(std::make_pair(index, skip), std::move(cut)).first;
  }
  head = found->second.Head;
  tail = found->second.Tail;
  return found->second.Piece;
}

TZipEntry EntryWithMedia(const std::string& name, std::string_view text, TMediaPieces& pieces,
                         const std::function<std::string(size_t)>& link) {
  TDeflateStreamBuilder stream;
  SplitAtReferences(
      text, pieces.Count(), [&](std::string_view part) { stream.AddText(part); },
      [&](size_t index) {
        const std::string address = link ? link(index) : std::string();
        if (address.empty()) stream.AddPiece(pieces.Piece(index));
        else stream.AddText(address);
      });
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
