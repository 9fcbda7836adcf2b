// CRC-32 by carry-less multiplication where the processor has it (every x86
// since 2010): the text folded 64 bytes at a time into four 128-bit lanes,
// the lanes folded into one, and that reduced to 32 bits (V. Gopal et al.,
// "Fast CRC Computation for Generic Polynomials Using PCLMULQDQ", Intel,
// 2009, with the constants of its bit-reflected form for this polynomial).
// zlib computes the short rest and everything elsewhere.
#include "package/crc32.h"

#include <zlib.h>

#include <algorithm>
#include <cstddef>

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define TARVIK_CRC_CLMUL 1
#include <immintrin.h>
#endif

namespace tarvik {

namespace {

uint32_t ZlibCrc(uint32_t crc, const unsigned char* data, size_t size) {
  while (size > 0) {
    const uInt n = static_cast<uInt>(std::min<size_t>(size, 1u << 30));
    crc = static_cast<uint32_t>(crc32(crc, data, n));
    data += n;
    size -= n;
  }
  return crc;
}

#ifdef TARVIK_CRC_CLMUL

// x^(4*128+64), x^(4*128), x^(128+64), x^128, x^64 modulo P, bit-reflected
// and shifted; then P itself and floor(x^64 / P), for the Barrett reduction.
alignas(16) constexpr uint64_t kFold4[2] = {0x0154442bd4, 0x01c6e41596};
alignas(16) constexpr uint64_t kFold1[2] = {0x01751997d0, 0x00ccaa009e};
alignas(16) constexpr uint64_t kFold64[2] = {0x0163cd6124, 0};
alignas(16) constexpr uint64_t kBarrett[2] = {0x01db710641, 0x01f7011641};

// One lane folded over 128 bits onto the next 16 bytes of text. A macro,
// since only functions compiled for the instructions may use them, and the
// 32-bit build passes no vectors between functions.
#define TARVIK_FOLD(lane, k, next)                                                                    \
  _mm_xor_si128(_mm_xor_si128(_mm_clmulepi64_si128(lane, k, 0x11), _mm_clmulepi64_si128(lane, k, 0x00)), \
                next)
#define TARVIK_LOAD(at) _mm_loadu_si128(reinterpret_cast<const __m128i*>(at))

// The CRC register (not inverted) after Size bytes: at least 64, a multiple of 16.
__attribute__((target("pclmul,sse4.1"))) uint32_t ClmulCrc(uint32_t reg, const unsigned char* p, size_t size) {
  __m128i a = _mm_xor_si128(TARVIK_LOAD(p), _mm_cvtsi32_si128(static_cast<int>(reg)));
  __m128i b = TARVIK_LOAD(p + 16), c = TARVIK_LOAD(p + 32), d = TARVIK_LOAD(p + 48);
  p += 64;
  size -= 64;
  __m128i k = _mm_load_si128(reinterpret_cast<const __m128i*>(kFold4));
  for (; size >= 64; p += 64, size -= 64) {
    a = TARVIK_FOLD(a, k, TARVIK_LOAD(p));
    b = TARVIK_FOLD(b, k, TARVIK_LOAD(p + 16));
    c = TARVIK_FOLD(c, k, TARVIK_LOAD(p + 32));
    d = TARVIK_FOLD(d, k, TARVIK_LOAD(p + 48));
  }
  k = _mm_load_si128(reinterpret_cast<const __m128i*>(kFold1));
  a = TARVIK_FOLD(a, k, b);
  a = TARVIK_FOLD(a, k, c);
  a = TARVIK_FOLD(a, k, d);
  for (; size >= 16; p += 16, size -= 16) a = TARVIK_FOLD(a, k, TARVIK_LOAD(p));

  // 128 bits to 64, then to 32 with Barrett's reduction.
  const __m128i low32 = _mm_setr_epi32(~0, 0, ~0, 0);
  a = _mm_xor_si128(_mm_srli_si128(a, 8), _mm_clmulepi64_si128(a, k, 0x10));
  k = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(kFold64));
  a = _mm_xor_si128(_mm_clmulepi64_si128(_mm_and_si128(a, low32), k, 0x00), _mm_srli_si128(a, 4));
  k = _mm_load_si128(reinterpret_cast<const __m128i*>(kBarrett));
  __m128i t = _mm_clmulepi64_si128(_mm_and_si128(a, low32), k, 0x10);
  t = _mm_clmulepi64_si128(_mm_and_si128(t, low32), k, 0x00);
  return static_cast<uint32_t>(_mm_extract_epi32(_mm_xor_si128(a, t), 1));
}

#undef TARVIK_FOLD
#undef TARVIK_LOAD

bool HasClmul() {
  static const bool has = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
  }();
  return has;
}

#endif

}  // namespace

uint32_t Crc32(uint32_t crc, std::string_view text) {
  auto p = reinterpret_cast<const unsigned char*>(text.data());
  size_t size = text.size();
#ifdef TARVIK_CRC_CLMUL
  if (size >= 64 && HasClmul()) {
    const size_t whole = size & ~size_t{15};
    crc = ~ClmulCrc(~crc, p, whole);
    p += whole;
    size -= whole;
  }
#endif
  return ZlibCrc(crc, p, size);
}

}  // namespace tarvik
