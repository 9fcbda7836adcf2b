// Rounding with halves to the even neighbour, in exact arithmetic, for
// everything that turns model values into whole numbers alike.
#pragma once
#include <cstdint>

namespace tarvik {

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
// Values beyond the 32-bit range are clamped to it; NaN gives 0.
int32_t RoundHalfEven(double value);
// The same into 64 bits, clamped at about +-9.2e18, which is as far as any
// value a hostile file can produce needs to go.
int64_t RoundHalfEven64(double value);

// numerator / denominator (denominator > 0) rounded to the nearest integer
// with halves to the even neighbour, in exact integer arithmetic.
int64_t RoundDivHalfEven(int64_t numerator, int64_t denominator);

}  // namespace tarvik
