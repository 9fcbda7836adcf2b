// Raw deflate with zlib. A piece ends with a full flush: its blocks are
// complete, none is marked last, and it refers to nothing before itself.
// The builder fully flushes its own text before each piece for the same
// reason, so that text after a piece never refers back across it.
#include "package/deflate_stream.h"

#include <zlib.h>

#include <algorithm>
#include <limits>
#include <vector>

#include "platform/error.h"

namespace tarvik {

namespace {

constexpr int kRawWindowBits = -15;  // ZIP entries carry deflate without zlib's wrapper
constexpr size_t kMinRoom = 1 << 16;
constexpr size_t kMaxRoom = 1 << 24;

[[noreturn]] void ZlibFailed() { throw ETarvikError("Compression failed (zlib), probably out of memory."); }

void InitDeflate(z_stream& z, TDeflateEffort effort) {
  z = z_stream{};
  int level = effort == TDeflateEffort::Full ? Z_DEFAULT_COMPRESSION : 1;
  int strategy = effort == TDeflateEffort::Full ? Z_DEFAULT_STRATEGY : Z_HUFFMAN_ONLY;
  if (deflateInit2(&z, level, Z_DEFLATED, kRawWindowBits, 8, strategy) != Z_OK) ZlibFailed();
}

// Compresses Text with Flush into Out; with Z_NO_FLUSH zlib may keep some
// of it back for the next call.
void Deflate(z_stream& z, std::string_view text, int flush, std::string& out) {
  size_t left = text.size();
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
  z.avail_in = 0;
  while (true) {
    if (z.avail_in == 0 && left > 0) {
      uInt n = static_cast<uInt>(std::min<size_t>(left, 1u << 30));
      z.avail_in = n;
      left -= n;
    }
    const bool last = left == 0;
    const int mode = last ? flush : Z_NO_FLUSH;
    const size_t start = out.size();
    const size_t room = std::clamp<size_t>(deflateBound(&z, z.avail_in), kMinRoom, kMaxRoom);
    out.resize(start + room);
    z.next_out = reinterpret_cast<Bytef*>(out.data() + start);
    z.avail_out = static_cast<uInt>(room);
    const int result = deflate(&z, mode);
    out.resize(start + room - z.avail_out);
    if (result == Z_STREAM_ERROR) ZlibFailed();
    if (z.avail_in > 0 || !last) continue;
    // Flushing is done once zlib stops short of the room it was given.
    if (mode == Z_NO_FLUSH || z.avail_out != 0) return;
  }
}

uint32_t Crc(uint32_t crc, std::string_view text) {
  while (!text.empty()) {
    uInt n = static_cast<uInt>(std::min<size_t>(text.size(), 1u << 30));
    crc = static_cast<uint32_t>(crc32(crc, reinterpret_cast<const Bytef*>(text.data()), n));
    text.remove_prefix(n);
  }
  return crc;
}

}  // namespace

TDeflatedPiece DeflatePiece(std::string_view text, TDeflateEffort effort) {
  z_stream z;
  InitDeflate(z, effort);
  auto stream = std::make_shared<std::string>();
  // About what Huffman coding leaves of Base64; text shrinks far more, and
  // the copy below gives back what is not needed.
  stream->reserve(text.size() / 4 * 3 + 1024);
  try {
    Deflate(z, text, Z_FULL_FLUSH, *stream);
  } catch (...) {
    deflateEnd(&z);
    throw;
  }
  deflateEnd(&z);
  stream->shrink_to_fit();
  return {std::move(stream), text.size(), Crc(0, text)};
}

struct TDeflateStreamBuilder::TState {
  z_stream Z{};
  std::vector<std::shared_ptr<const std::string>> Chunks;
  std::string Pending;  // compressed text not yet closed into a chunk
  uint64_t Size = 0;
  uint32_t Crc = 0;

  TState() { InitDeflate(Z, TDeflateEffort::Full); }
  ~TState() { deflateEnd(&Z); }
  void ClosePending() {
    if (!Pending.empty()) Chunks.push_back(std::make_shared<const std::string>(std::move(Pending)));
    Pending = std::string();
  }
};

TDeflateStreamBuilder::TDeflateStreamBuilder() : FState(std::make_unique<TState>()) {}
TDeflateStreamBuilder::~TDeflateStreamBuilder() = default;

void TDeflateStreamBuilder::AddText(std::string_view text) {
  if (text.empty()) return;
  Deflate(FState->Z, text, Z_NO_FLUSH, FState->Pending);
  FState->Size += text.size();
  FState->Crc = Crc(FState->Crc, text);
}

void TDeflateStreamBuilder::AddPiece(const TDeflatedPiece& piece) {
  Deflate(FState->Z, {}, Z_FULL_FLUSH, FState->Pending);
  FState->ClosePending();
  FState->Chunks.push_back(piece.Stream);
  FState->Size += piece.Size;
  // zlib's offsets are 32 bits on Windows, where no process holds a piece that large.
  if (piece.Size > static_cast<uint64_t>(std::numeric_limits<z_off_t>::max()))
    throw ETarvikError("An embedded file is too large to pack.");
  FState->Crc = static_cast<uint32_t>(crc32_combine(FState->Crc, piece.Crc, static_cast<z_off_t>(piece.Size)));
}

void TDeflateStreamBuilder::FinishInto(TZipEntry& entry) {
  Deflate(FState->Z, {}, Z_FINISH, FState->Pending);
  FState->ClosePending();
  entry.Deflated = std::move(FState->Chunks);
  entry.Size = FState->Size;
  entry.Crc = FState->Crc;
  FState = std::make_unique<TState>();
}

}  // namespace tarvik
