// Angles in the publication source: written "0.###" with the decimal
// separator of the user's regional settings (UserDecimalSeparator). Whole
// numbers are rounded with RoundHalfEven (platform/rounding.h).
#pragma once
#include <string>

namespace tarvik {

// Value with at most three decimals, rounded (halves to the even neighbour on
// the shortest decimal form of the double), trailing zeros and a bare
// separator dropped, Separator in place of the full stop. 12.5 -> "12.5",
// 90 -> "90", 0.0104 -> "0.01", -12.5 -> "-12.5".
std::string FormatAngle(double value, const std::string& separator);
// The same with the user's separator.
std::string FormatAngle(double value);

}  // namespace tarvik
