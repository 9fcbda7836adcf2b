// Deflate streams for ZIP entries, put together from text compressed on the
// spot and pieces compressed once beforehand. A picture shown on forty pages
// of a book is then compressed once, not forty times, and the entries still
// inflate to exactly their text.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "package/zip_writer.h"

namespace tarvik {

// How to compress a piece. Full: zlib's default. Base64: the text is mostly
// Base64 (a data: URI) of a compressed format (PNG, JPEG, MP4 ...), which
// holds no repeats worth finding and uses its 64 characters about equally;
// after ";base64," each character gets a fixed code of six bits (a few get
// seven), as small as any deflate makes it, written at copying speed.
enum class TDeflateEffort { Full, Base64 };

// A compressed stretch of text that may stand anywhere in a deflate stream:
// blocks that are never the last, ending on a byte boundary.
struct TDeflatedPiece {
  std::shared_ptr<const std::string> Stream;
  uint64_t Size = 0;  // bytes of text
  uint32_t Crc = 0;   // CRC-32 of the text
};

TDeflatedPiece DeflatePiece(std::string_view text, TDeflateEffort effort);

// A Base64-effort piece made from text that arrives in parts, so that a
// large file's Base64 is never held whole: Head (compressed by zlib), then
// Base64 characters part by part. Raises ETarvikError for a character
// outside the Base64 alphabet and "=".
class TBase64PieceBuilder {
 public:
  // ExpectedBase64 is how many characters will follow, for sizing the stream.
  TBase64PieceBuilder(std::string_view head, size_t expectedBase64);
  void Add(std::string_view base64);
  TDeflatedPiece Finish();

 private:
  std::shared_ptr<std::string> FStream;
  uint64_t FBits = 0;
  int FBitCount = 0;
  bool FInBlock = false;
  uint64_t FSize = 0;
  uint32_t FCrc = 0;
};

// Builds one entry's stream: text and pieces in order. Raises ETarvikError
// when zlib fails (out of memory).
class TDeflateStreamBuilder {
 public:
  TDeflateStreamBuilder();
  ~TDeflateStreamBuilder();
  TDeflateStreamBuilder(const TDeflateStreamBuilder&) = delete;
  TDeflateStreamBuilder& operator=(const TDeflateStreamBuilder&) = delete;

  void AddText(std::string_view text);
  void AddPiece(const TDeflatedPiece& piece);
  // Ends the stream and hands it to Entry (its Deflated chunks, Size and
  // Crc); the builder starts over empty.
  void FinishInto(TZipEntry& entry);

 private:
  struct TState;
  std::unique_ptr<TState> FState;
};

}  // namespace tarvik
