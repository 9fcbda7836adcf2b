// Raw deflate, with zlib, and for Base64 with a fixed code of our own. A
// piece ends with a full flush: its blocks are complete, none is marked
// last, and it refers to nothing before itself. The builder fully flushes
// its own text before each piece for the same reason, so that text after a
// piece never refers back across it.
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

void InitDeflate(z_stream& z) {
  z = z_stream{};
  if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, kRawWindowBits, 8, Z_DEFAULT_STRATEGY) != Z_OK)
    ZlibFailed();
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

// Deflate's bit order: header fields go least significant bit first,
// Huffman codes most significant bit first.
class TBitWriter {
 public:
  explicit TBitWriter(std::string& out) : FOut(out) {}
  void Bits(uint32_t value, int count) {
    FBuffer |= static_cast<uint64_t>(value) << FCount;
    FCount += count;
    while (FCount >= 8) {
      FOut += static_cast<char>(FBuffer & 0xFF);
      FBuffer >>= 8;
      FCount -= 8;
    }
  }
  void Code(uint32_t code, int length) { Bits(Reversed(code, length), length); }
  // An empty stored block brings the stream to a byte boundary, as zlib's
  // flushes do.
  void FlushToByte() {
    Bits(0, 3);
    if (FCount > 0) Bits(0, 8 - FCount);
    FOut.append("\0\0\xFF\xFF", 4);
  }
  static uint32_t Reversed(uint32_t code, int length) {
    uint32_t out = 0;
    for (int i = 0; i < length; ++i) out |= ((code >> i) & 1u) << (length - 1 - i);
    return out;
  }
  // The pending bits, for a caller that writes codes itself.
  uint64_t& Buffer() { return FBuffer; }
  int& Count() { return FCount; }

 private:
  std::string& FOut;
  uint64_t FBuffer = 0;
  int FCount = 0;
};

// The fixed code for Base64 text: six bits for every character of the
// alphabet but "+" and "/", seven for those two, "=" and the end of the
// block, which fills the code space exactly. The Base64 of compressed data
// uses its 64 characters about equally, so no Huffman code does better.
struct TBase64Code {
  uint8_t Length[257] = {};  // by literal; 256 is the end of the block
  uint16_t Reversed[257] = {};
  TBase64Code() {
    for (unsigned char c : std::string_view("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"))
      Length[c] = 6;
    Length['+'] = Length['/'] = Length['='] = Length[256] = 7;
    // Canonical codes: by length, then by symbol.
    uint32_t next = 0;
    for (int length = 1; length <= 7; ++length) {
      for (int symbol = 0; symbol <= 256; ++symbol)
        if (Length[symbol] == length) Reversed[symbol] = static_cast<uint16_t>(TBitWriter::Reversed(next++, length));
      next <<= 1;
    }
  }
};

// Opens a dynamic Huffman block with the code above: not the last block,
// its code lengths written with a code of their own.
void OpenBase64Block(TBitWriter& bits) {
  static const TBase64Code code;
  bits.Bits(0, 1);   // not the last block
  bits.Bits(2, 2);   // dynamic Huffman codes
  bits.Bits(0, 5);   // 257 literal/length codes: the literals and the end of the block
  bits.Bits(0, 5);   // one distance code, never used
  bits.Bits(14, 4);  // 18 code length codes, enough to reach symbol 1 in their order
  // The lengths are written with a code of their own: 0, 1, 6 and 7 get two
  // bits each, 00, 01, 10 and 11.
  static constexpr int kOrder[18] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1};
  for (int symbol : kOrder) bits.Bits(symbol == 0 || symbol == 1 || symbol == 6 || symbol == 7 ? 2 : 0, 3);
  auto lengthCode = [](int length) -> uint32_t { return length == 0 ? 0 : length == 1 ? 1 : length == 6 ? 2 : 3; };
  for (int symbol = 0; symbol <= 256; ++symbol) bits.Code(lengthCode(code.Length[symbol]), 2);
  bits.Code(lengthCode(1), 2);  // the distance code's length
}

// The code of every pair of characters at once: the first character's
// code in the low bits, the second's above it, and the pair's length in
// bits from bit 16 on (0 when either character is outside the code).
struct TBase64PairCode {
  std::vector<uint32_t> Pair;
  TBase64PairCode() : Pair(65536, 0) {
    static const TBase64Code code;
    for (int a = 0; a < 256; ++a) {
      if (code.Length[a] == 0) continue;
      for (int b = 0; b < 256; ++b) {
        if (code.Length[b] == 0) continue;
        uint32_t bits = code.Reversed[a] | (static_cast<uint32_t>(code.Reversed[b]) << code.Length[a]);
        Pair[static_cast<size_t>(a | (b << 8))] = bits | static_cast<uint32_t>(code.Length[a] + code.Length[b]) << 16;
      }
    }
  }
};

// Codes the characters two at a time, written 32 bits at a time; false
// when one is outside the code (Out then holds garbage past its old end).
bool CodeBase64(TBitWriter& bits, std::string& out, std::string_view text) {
  static const TBase64Code code;
  static const TBase64PairCode pairs;
  const size_t start = out.size();
  out.resize(start + text.size() + 16);
  char* dst = out.data() + start;
  const uint32_t* pair = pairs.Pair.data();
  // Locals, not the writer's fields: stores through dst could alias those.
  uint64_t buffer = bits.Buffer();
  int count = bits.Count();
  uint32_t missing = 0;
  const auto* in = reinterpret_cast<const unsigned char*>(text.data());
  const size_t even = text.size() & ~size_t{1};
  for (size_t i = 0; i < even; i += 2) {
    const uint32_t v = pair[in[i] | (in[i + 1] << 8)];
    const int length = static_cast<int>(v >> 16);
    missing |= length == 0;
    buffer |= static_cast<uint64_t>(v & 0xFFFF) << count;
    count += length;
    if (count >= 32) {
      for (int b = 0; b < 4; ++b) *dst++ = static_cast<char>((buffer >> (8 * b)) & 0xFF);
      buffer >>= 32;
      count -= 32;
    }
  }
  if (even < text.size()) {
    const unsigned char last = in[even];
    missing |= code.Length[last] == 0;
    buffer |= static_cast<uint64_t>(code.Reversed[last]) << count;
    count += code.Length[last];
    if (count >= 32) {
      for (int b = 0; b < 4; ++b) *dst++ = static_cast<char>((buffer >> (8 * b)) & 0xFF);
      buffer >>= 32;
      count -= 32;
    }
  }
  out.resize(static_cast<size_t>(dst - out.data()));
  bits.Buffer() = buffer;
  bits.Count() = count;
  return missing == 0;
}

void CloseBase64Block(TBitWriter& bits) {
  static const TBase64Code code;
  bits.Bits(code.Reversed[256], code.Length[256]);
  bits.FlushToByte();
}

bool InBase64Code(std::string_view text) {
  static const TBase64Code code;
  for (char c : text)
    if (code.Length[static_cast<unsigned char>(c)] == 0) return false;
  return true;
}

// Appends Text as one block with the code above, then an empty stored
// block; false (Out untouched) when Text holds a character outside the code.
bool AppendBase64Block(std::string& out, std::string_view text) {
  if (!InBase64Code(text)) return false;
  TBitWriter bits(out);
  OpenBase64Block(bits);
  CodeBase64(bits, out, text);
  CloseBase64Block(bits);
  return true;
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
  auto stream = std::make_shared<std::string>();
  // What zlib compresses: all of the text, or with Base64 the part before it.
  std::string_view head = text, base64;
  if (effort == TDeflateEffort::Base64) {
    size_t marker = text.find(";base64,");
    size_t split = marker == std::string_view::npos ? 0 : marker + 8;
    head = text.substr(0, split);
    base64 = text.substr(split);
    stream->reserve(base64.size() / 4 * 3 + 1024);
  }
  z_stream z;
  InitDeflate(z);
  try {
    Deflate(z, head, Z_FULL_FLUSH, *stream);
    if (!base64.empty() && !AppendBase64Block(*stream, base64)) Deflate(z, base64, Z_FULL_FLUSH, *stream);
  } catch (...) {
    deflateEnd(&z);
    throw;
  }
  deflateEnd(&z);
  stream->shrink_to_fit();
  return {std::move(stream), text.size(), Crc(0, text)};
}

TBase64PieceBuilder::TBase64PieceBuilder(std::string_view head, size_t expectedBase64)
    : FStream(std::make_shared<std::string>()), FSize(head.size()), FCrc(Crc(0, head)) {
  // Seven bits for any character at most: the stream never moves as it grows.
  FStream->reserve(expectedBase64 / 8 * 7 + head.size() + 1024);
  if (head.empty()) return;
  z_stream z;
  InitDeflate(z);
  try {
    Deflate(z, head, Z_FULL_FLUSH, *FStream);
  } catch (...) {
    deflateEnd(&z);
    throw;
  }
  deflateEnd(&z);
}

void TBase64PieceBuilder::Add(std::string_view base64) {
  if (base64.empty()) return;
  TBitWriter bits(*FStream);
  bits.Buffer() = FBits;
  bits.Count() = FBitCount;
  if (!FInBlock) OpenBase64Block(bits);
  FInBlock = true;
  if (!CodeBase64(bits, *FStream, base64))
    throw ETarvikError("Internal error: text that is not Base64 in a Base64 piece.");
  FBits = bits.Buffer();
  FBitCount = bits.Count();
  FSize += base64.size();
  FCrc = Crc(FCrc, base64);
}

TDeflatedPiece TBase64PieceBuilder::Finish() {
  if (FInBlock) {
    TBitWriter bits(*FStream);
    bits.Buffer() = FBits;
    bits.Count() = FBitCount;
    CloseBase64Block(bits);
    FInBlock = false;
  }
  // Trimming the slack would copy the whole stream; the pages of the
  // reserve it never touched take no memory.
  return {std::move(FStream), FSize, FCrc};
}

struct TDeflateStreamBuilder::TState {
  z_stream Z{};
  std::vector<std::shared_ptr<const std::string>> Chunks;
  std::string Pending;  // compressed text not yet closed into a chunk
  uint64_t Size = 0;
  uint32_t Crc = 0;

  TState() { InitDeflate(Z); }
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
  FState->Chunks.clear();
  FState->Size = 0;
  FState->Crc = 0;
  if (deflateReset(&FState->Z) != Z_OK) ZlibFailed();
}

}  // namespace tarvik
