// The number rules of the publication source: whole numbers rounded with
// halves to the even neighbour, and angles written "0.###" with the decimal
// separator of the user's regional settings.
#pragma once
#include <cstdint>
#include <string>

namespace tarvik {

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
// Values beyond the 32-bit range are clamped to it; NaN gives 0.
int32_t RoundHalfEven(double value);

// Numerator / Denominator (Denominator > 0) rounded to the nearest integer
// with halves to the even neighbour, in exact integer arithmetic.
int64_t RoundDivHalfEven(int64_t numerator, int64_t denominator);

// The decimal separator of the user's locale: on Windows the user's number
// format, on POSIX the LC_NUMERIC of the environment (LC_ALL, LC_NUMERIC,
// LANG). "." when the locale cannot be read.
std::string UserDecimalSeparator();

// Value with at most three decimals, rounded (halves to the even neighbour on
// the shortest decimal form of the double), trailing zeros and a bare
// separator dropped, Separator in place of the full stop. 12.5 -> "12.5",
// 90 -> "90", 0.0104 -> "0.01", -12.5 -> "-12.5".
std::string FormatAngle(double value, const std::string& separator);
// The same with the user's separator.
std::string FormatAngle(double value);

}  // namespace tarvik
