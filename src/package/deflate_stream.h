// Deflate streams for ZIP entries: written front to back from text that
// zlib compresses and Base64 that a fixed code takes (the Base64 of a
// compressed format holds no repeats worth finding and uses its 64 digits
// about equally: six bits a digit, "/" seven, as small as any deflate makes
// it, at copying speed), or put together from such text and pieces
// compressed once beforehand. A picture shown on forty pages of a book is
// then compressed once, not forty times, and the entries still inflate to
// exactly their text.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "package/zip_writer.h"

namespace tarvik {

// A compressed stretch of text that may stand anywhere in a deflate stream:
// blocks that are never the last, ending on a byte boundary.
struct TDeflatedPiece {
  std::shared_ptr<const std::string> Stream;
  uint64_t Size = 0;  // bytes of text
  uint32_t Crc = 0;   // CRC-32 of the text
};

// One raw deflate stream written front to back into the caller's buffer as
// it goes: text compressed by zlib, and Base64 text (of a compressed format)
// coded with the fixed code, in any order; it keeps the length and CRC-32
// of the text. Raises ETarvikError when zlib fails (out of memory).
class TDeflateWriter {
 public:
  TDeflateWriter();
  ~TDeflateWriter();
  TDeflateWriter(const TDeflateWriter&) = delete;
  TDeflateWriter& operator=(const TDeflateWriter&) = delete;

  // zlib may keep some of the text back until the next call.
  void Text(std::string_view text, std::string& out);
  // The Base64 digits Text starts with take the fixed code, a character at
  // a time (for a few); the rest, such as the "=" of padding, goes to zlib.
  void Base64(std::string_view text, std::string& out);
  // The same for the Base64 of Bytes, a whole number of groups of three,
  // coded straight from the bytes.
  void Base64Of(std::string_view bytes, std::string& out);
  // Ends the blocks so far on a byte boundary, none of them the last, and
  // nothing after refers back before this point: the stream may stop here
  // as a piece, or a piece compressed elsewhere may follow.
  void Flush(std::string& out);
  // Counts a piece compressed elsewhere that the caller put into the
  // stream after a Flush.
  void CountPiece(uint64_t size, uint32_t crc);
  // Ends the stream with its last block.
  void Finish(std::string& out);

  uint64_t Size() const;
  uint32_t Crc() const;

 private:
  struct TState;
  std::unique_ptr<TState> FState;
};

// Builds one entry's stream: text and pieces in order. Raises ETarvikError
// when zlib fails (out of memory).
class TDeflateStreamBuilder {
 public:
  TDeflateStreamBuilder() = default;

  void AddText(std::string_view text);
  void AddPiece(const TDeflatedPiece& piece);
  // Ends the stream and hands it to Entry (its Deflated chunks, Size and
  // Crc); the builder starts over empty.
  void FinishInto(TZipEntry& entry);

 private:
  void ClosePending();
  std::unique_ptr<TDeflateWriter> FWriter = std::make_unique<TDeflateWriter>();
  std::vector<std::shared_ptr<const std::string>> FChunks;
  std::string FPending;  // compressed text not yet closed into a chunk
};

}  // namespace tarvik
