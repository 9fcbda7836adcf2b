#include "platform/rounding.h"

#include <cmath>

namespace tarvik {

int64_t RoundHalfEven64(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 9.2e18) return INT64_MAX;
  if (value <= -9.2e18) return INT64_MIN;
  // floor and the difference are exact; the current rounding mode plays no part.
  const double floor = std::floor(value);
  const double diff = value - floor;
  auto result = static_cast<int64_t>(floor);
  if (diff > 0.5 || (diff == 0.5 && (result % 2) != 0)) ++result;
  return result;
}

int32_t RoundHalfEven(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return INT32_MAX;
  if (value <= -2147483648.0) return INT32_MIN;
  return static_cast<int32_t>(RoundHalfEven64(value));
}

int64_t RoundDivHalfEven(int64_t numerator, int64_t denominator) {
  int64_t q = numerator / denominator;
  int64_t r = numerator % denominator;
  // Truncation went towards zero; bring q down to the floor.
  if (r < 0) {
    --q;
    r += denominator;
  }
  int64_t twice = 2 * r;
  if (twice > denominator || (twice == denominator && (q % 2) != 0)) ++q;
  return q;
}

}  // namespace tarvik
