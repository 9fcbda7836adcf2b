// Raw deflate, with zlib, and for Base64 with a fixed code of our own. A
// piece ends with a full flush: its blocks are complete, none is marked
// last, and it refers to nothing before itself. The builder fully flushes
// its own text before each piece for the same reason, so that text after a
// piece never refers back across it.
#include "package/deflate_stream.h"

#include <zlib.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <vector>

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define TARVIK_X86_SIMD 1
#include <immintrin.h>
#endif

#include "package/crc32.h"
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

// The fixed code for Base64 digits: six bits for every digit but "/",
// seven for that one and the end of the block, which fills the code space
// exactly. The Base64 of compressed data uses its 64 digits about equally,
// so no Huffman code does better; the "=" of padding, a character or two at
// the end of a file's Base64, goes to zlib. In the canonical order "+" is
// code 0, "0" to "9" codes 1 to 10, "A" to "Z" 11 to 36, "a" to "z" 37 to 62.
struct TBase64Code {
  uint8_t Length[257] = {};  // by literal; 256 is the end of the block
  uint16_t Reversed[257] = {};
  TBase64Code() {
    for (unsigned char c : std::string_view("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+"))
      Length[c] = 6;
    Length['/'] = Length[256] = 7;
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

// Every two Base64 digits at once, by their twelve bits, in one word: their
// fixed code in bits 0 to 13 (the first digit's code in the low bits, the
// second's above it), in bits 14 and 15 how many of the two take seven bits
// rather than six, and the two characters from bit 16 on. The table stays
// in the first cache.
struct TDigitPairs {
  uint32_t Pair[4096] = {};
  TDigitPairs() {
    static const TBase64Code code;
    static constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (uint32_t v = 0; v < 4096; ++v) {
      const auto a = static_cast<unsigned char>(kAlphabet[v >> 6]), b = static_cast<unsigned char>(kAlphabet[v & 63]);
      const uint32_t bits = code.Reversed[a] | static_cast<uint32_t>(code.Reversed[b]) << code.Length[a];
      const uint32_t sevens = static_cast<uint32_t>(code.Length[a] + code.Length[b] - 12);
      Pair[v] = bits | sevens << 14 | static_cast<uint32_t>(a) << 16 | static_cast<uint32_t>(b) << 24;
    }
  }
};

// The fixed code's bits on their way out: whole bytes go as soon as they
// are full, so that up to 56 bits at a time fit above the rest.
struct TCodeOut {
  char* Dst;
  uint64_t Buffer;
  int Count;  // below 8 between steps

  // Every step stores eight bytes, keeping those it filled.
  void Put(uint64_t code, int length) {
    Buffer |= code << Count;
    Count += length;
    std::memcpy(Dst, &Buffer, 8);
    Dst += Count >> 3;
    Buffer >>= Count & ~7;
    Count &= 7;
  }
};

// The code of one group of three bytes' Base64, its four digits written to Text.
inline void CodeGroup(const uint32_t* pairs, const unsigned char* at, char* text, uint64_t& code, int& length) {
  const uint32_t v = (uint32_t{at[0]} << 16) | (uint32_t{at[1]} << 8) | at[2];
  const uint32_t first = pairs[v >> 12], second = pairs[v & 0xFFF];
  const auto firstText = static_cast<uint16_t>(first >> 16), secondText = static_cast<uint16_t>(second >> 16);
  std::memcpy(text, &firstText, 2);
  std::memcpy(text + 2, &secondText, 2);
  const int firstLength = 12 + static_cast<int>((first >> 14) & 3);
  length = firstLength + 12 + static_cast<int>((second >> 14) & 3);
  code = (first & 0x3FFF) | static_cast<uint64_t>(second & 0x3FFF) << firstLength;
}

// Groups From to End, two at a time: their 56 bits at most fit above the 7
// left over.
void CodeGroups(TCodeOut& out, const uint32_t* pairs, const unsigned char* in, const unsigned char* end,
                char* digits) {
  for (; end - in >= 6; in += 6, digits += 8) {
    uint64_t first = 0, second = 0;
    int a = 0, b = 0;
    CodeGroup(pairs, in, digits, first, a);
    CodeGroup(pairs, in + 3, digits + 4, second, b);
    out.Put(first | second << a, a + b);
  }
  if (end - in >= 3) {
    uint64_t code = 0;
    int a = 0;
    CodeGroup(pairs, in, digits, code, a);
    out.Put(code, a);
  }
}

#ifdef TARVIK_X86_SIMD

bool HasSsse3() {
  static const bool has = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("ssse3");
  }();
  return has;
}

// Twelve bytes at a time by SSSE3 while sixteen can be read: their sixteen
// digits (W. Mula's Base64 encoding) and, where all sixteen take six bits,
// their codes packed together (deflate writes each code from its last
// bit). Twelve bytes with a "/" among their digits, one time in five for
// compressed data and never for Base64 itself, go the common way. Returns
// where it stopped.
__attribute__((target("ssse3"))) const unsigned char* CodeSixBitRuns(TCodeOut& out, const uint32_t* pairs,
                                                                     const unsigned char* in,
                                                                     const unsigned char* end, char*& digits) {
  const __m128i spread = _mm_set_epi8(10, 11, 9, 10, 7, 8, 6, 7, 4, 5, 3, 4, 1, 2, 0, 1);
  const __m128i offsets = _mm_setr_epi8('a' - 26, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52,
                                        '0' - 52, '0' - 52, '0' - 52, '0' - 52, '+' - 62, '/' - 63, 'A', 0, 0);
  const __m128i reverseLow = _mm_setr_epi8(0, 32, 16, 48, 8, 40, 24, 56, 4, 36, 20, 52, 12, 44, 28, 60);
  const __m128i reverseHigh = _mm_setr_epi8(0, 2, 1, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  const __m128i pack = _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
  for (; end - in >= 16; in += 12, digits += 16) {
    // Sixteen six-bit numbers, in the order of the digits.
    const __m128i x = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(in)), spread);
    const __m128i high = _mm_mulhi_epu16(_mm_and_si128(x, _mm_set1_epi32(0x0fc0fc00)), _mm_set1_epi32(0x04000040));
    const __m128i low = _mm_mullo_epi16(_mm_and_si128(x, _mm_set1_epi32(0x003f03f0)), _mm_set1_epi32(0x01000010));
    const __m128i six = _mm_or_si128(high, low);
    __m128i band = _mm_subs_epu8(six, _mm_set1_epi8(51));
    band = _mm_or_si128(band, _mm_and_si128(_mm_cmpgt_epi8(_mm_set1_epi8(26), six), _mm_set1_epi8(13)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(digits), _mm_add_epi8(_mm_shuffle_epi8(offsets, band), six));
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(six, _mm_set1_epi8(63))) != 0) {
      CodeGroups(out, pairs, in, in + 12, digits);
      continue;
    }
    // The code numbers: "A" (0) to "z" (51) from 11, "0" (52) to "9" from 1, "+" (62) 0.
    const __m128i number = _mm_andnot_si128(
        _mm_cmpeq_epi8(six, _mm_set1_epi8(62)),
        _mm_sub_epi8(_mm_add_epi8(six, _mm_set1_epi8(11)),
                     _mm_and_si128(_mm_cmpgt_epi8(six, _mm_set1_epi8(51)), _mm_set1_epi8(62))));
    const __m128i reversed = _mm_or_si128(
        _mm_shuffle_epi8(reverseLow, _mm_and_si128(number, _mm_set1_epi8(15))),
        _mm_shuffle_epi8(reverseHigh, _mm_and_si128(_mm_srli_epi16(number, 4), _mm_set1_epi8(15))));
    const __m128i packed = _mm_shuffle_epi8(
        _mm_madd_epi16(_mm_maddubs_epi16(reversed, _mm_set1_epi16(0x4001)), _mm_set1_epi32(0x10000001)), pack);
    alignas(16) unsigned char bytes[16];
    _mm_store_si128(reinterpret_cast<__m128i*>(bytes), packed);
    uint64_t first = 0;
    uint32_t second = 0;
    std::memcpy(&first, bytes, 8);
    std::memcpy(&second, bytes + 8, 4);
    out.Put(first & 0xFFFFFFFFFFFFull, 48);
    out.Put(first >> 48 | static_cast<uint64_t>(second) << 16, 48);
  }
  return in;
}

#endif

// Codes the Base64 of Bytes (whole groups of three) straight from the
// bytes, and writes that Base64 to Digits (room for it given): four digits
// and at most 28 bits from every three bytes.
void CodeBase64Of(TBitWriter& bits, std::string& out, std::string_view bytes, char* digits) {
  static_assert(std::endian::native == std::endian::little, "the bits go out in the machine's byte order");
  static const TDigitPairs pairs;
  const size_t start = out.size();
  // Eight bytes of slack for the last step's store.
  out.resize(start + bytes.size() / 3 * 4 + 16);
  TCodeOut code{out.data() + start, bits.Buffer(), bits.Count()};
  while (code.Count >= 8) {
    *code.Dst++ = static_cast<char>(code.Buffer & 0xFF);
    code.Buffer >>= 8;
    code.Count -= 8;
  }
  const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* const end = in + bytes.size() / 3 * 3;
#ifdef TARVIK_X86_SIMD
  if (HasSsse3()) in = CodeSixBitRuns(code, pairs.Pair, in, end, digits);
#endif
  CodeGroups(code, pairs.Pair, in, end, digits);
  out.resize(static_cast<size_t>(code.Dst - out.data()));
  bits.Buffer() = code.Buffer;
  bits.Count() = code.Count;
}

// Codes the Base64 digits Text begins with, one at a time (for the few
// that come on their own); returns how many.
size_t CodeDigits(TBitWriter& bits, std::string_view text) {
  static const TBase64Code code;
  size_t n = 0;
  for (; n < text.size(); ++n) {
    const auto c = static_cast<unsigned char>(text[n]);
    if (code.Length[c] == 0) break;
    bits.Bits(code.Reversed[c], code.Length[c]);
  }
  return n;
}

void CloseBase64Block(TBitWriter& bits) {
  static const TBase64Code code;
  bits.Bits(code.Reversed[256], code.Length[256]);
  bits.FlushToByte();
}

uint32_t CrcOf(uint32_t crc, std::string_view text) { return Crc32(crc, text); }

}  // namespace

struct TDeflateWriter::TState {
  z_stream Z{};
  bool ZlibPending = false;  // text given to zlib since its last full flush
  bool InBase64 = false;     // inside a block of the fixed code
  uint64_t Bits = 0;         // the fixed code's bits not yet written
  int BitCount = 0;
  uint64_t Size = 0;
  uint32_t Crc = 0;

  TState() { InitDeflate(Z); }
  ~TState() { deflateEnd(&Z); }

  std::string Digits;        // room for the Base64 of bytes coded from the bytes, for the CRC

  void OpenBase64(std::string& out) {
    if (InBase64) return;
    // zlib's blocks end first, and its window is cleared: nothing it writes
    // later refers back across the block of the fixed code.
    if (ZlibPending) Deflate(Z, {}, Z_FULL_FLUSH, out);
    ZlibPending = false;
    TBitWriter bits(out);
    bits.Buffer() = Bits;
    bits.Count() = BitCount;
    OpenBase64Block(bits);
    Bits = bits.Buffer();
    BitCount = bits.Count();
    InBase64 = true;
  }

  void CloseBase64(std::string& out) {
    if (!InBase64) return;
    TBitWriter bits(out);
    bits.Buffer() = Bits;
    bits.Count() = BitCount;
    CloseBase64Block(bits);
    Bits = 0;
    BitCount = 0;
    InBase64 = false;
  }
};

TDeflateWriter::TDeflateWriter() : FState(std::make_unique<TState>()) {}
TDeflateWriter::~TDeflateWriter() = default;

void TDeflateWriter::Text(std::string_view text, std::string& out) {
  if (text.empty()) return;
  FState->CloseBase64(out);
  Deflate(FState->Z, text, Z_NO_FLUSH, out);
  FState->ZlibPending = true;
  FState->Size += text.size();
  FState->Crc = CrcOf(FState->Crc, text);
}

void TDeflateWriter::Base64(std::string_view text, std::string& out) {
  static const TBase64Code code;
  TState& s = *FState;
  size_t digits = 0;
  if (!text.empty() && code.Length[static_cast<unsigned char>(text[0])] != 0) {
    s.OpenBase64(out);
    TBitWriter bits(out);
    bits.Buffer() = s.Bits;
    bits.Count() = s.BitCount;
    digits = CodeDigits(bits, text);
    s.Bits = bits.Buffer();
    s.BitCount = bits.Count();
    s.Size += digits;
    s.Crc = CrcOf(s.Crc, text.substr(0, digits));
  }
  Text(text.substr(digits), out);
}

void TDeflateWriter::Base64Of(std::string_view bytes, std::string& out) {
  if (bytes.empty()) return;
  TState& s = *FState;
  s.OpenBase64(out);
  TBitWriter bits(out);
  bits.Buffer() = s.Bits;
  bits.Count() = s.BitCount;
  // The text the entry inflates to is the Base64, which the CRC covers.
  const size_t digits = bytes.size() / 3 * 4;
  if (s.Digits.size() < digits) s.Digits.resize(digits);
  CodeBase64Of(bits, out, bytes, s.Digits.data());
  s.Bits = bits.Buffer();
  s.BitCount = bits.Count();
  s.Size += digits;
  s.Crc = Crc32(s.Crc, std::string_view(s.Digits.data(), digits));
}

void TDeflateWriter::Flush(std::string& out) {
  FState->CloseBase64(out);
  if (FState->ZlibPending) Deflate(FState->Z, {}, Z_FULL_FLUSH, out);
  FState->ZlibPending = false;
}

void TDeflateWriter::CountPiece(uint64_t size, uint32_t crc) {
  // zlib's offsets are 32 bits on Windows, where no process holds a piece that large.
  if (size > static_cast<uint64_t>(std::numeric_limits<z_off_t>::max()))
    throw ETarvikError("An embedded file is too large to pack.");
  FState->Size += size;
  FState->Crc = static_cast<uint32_t>(crc32_combine(FState->Crc, crc, static_cast<z_off_t>(size)));
}

void TDeflateWriter::Finish(std::string& out) {
  FState->CloseBase64(out);
  Deflate(FState->Z, {}, Z_FINISH, out);
  FState->ZlibPending = false;
}

uint64_t TDeflateWriter::Size() const { return FState->Size; }
uint32_t TDeflateWriter::Crc() const { return FState->Crc; }

void TDeflateStreamBuilder::AddText(std::string_view text) { FWriter->Text(text, FPending); }

void TDeflateStreamBuilder::ClosePending() {
  if (!FPending.empty()) FChunks.push_back(std::make_shared<const std::string>(std::move(FPending)));
  FPending = std::string();
}

void TDeflateStreamBuilder::AddPiece(const TDeflatedPiece& piece) {
  FWriter->Flush(FPending);
  ClosePending();
  FChunks.push_back(piece.Stream);
  FWriter->CountPiece(piece.Size, piece.Crc);
}

void TDeflateStreamBuilder::FinishInto(TZipEntry& entry) {
  FWriter->Finish(FPending);
  ClosePending();
  entry.Deflated = std::move(FChunks);
  entry.Size = FWriter->Size();
  entry.Crc = FWriter->Crc();
  FChunks.clear();
  FWriter = std::make_unique<TDeflateWriter>();
}

}  // namespace tarvik
