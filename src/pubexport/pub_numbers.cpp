// Angle formatting for the publication source.
#include "pubexport/pub_numbers.h"

#include <charconv>
#include <cmath>

#include "platform/system.h"

namespace tarvik {

std::string FormatAngle(double value, const std::string& separator) {
  if (!std::isfinite(value)) return "0";
  // The shortest decimal form that reads back as the same double: what the
  // user sees as the value, so 12.5005 is a true half.
  char buffer[400];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed);
  if (ec != std::errc()) return "0";
  std::string text(buffer, end);
  size_t dot = text.find('.');
  std::string whole = dot == std::string::npos ? text : text.substr(0, dot);
  std::string frac = dot == std::string::npos ? std::string() : text.substr(dot + 1);
  if (frac.size() > 3) {
    std::string kept = frac.substr(0, 3);
    char next = frac[3];
    bool restNonZero = frac.find_first_not_of('0', 4) != std::string::npos;
    char last = kept.back();
    bool up = next > '5' || (next == '5' && (restNonZero || (last - '0') % 2 != 0));
    frac = kept;
    if (up) {
      // Carry through the kept decimals and on into the whole part.
      std::string digits = whole + frac;
      int i = static_cast<int>(digits.size()) - 1;
      while (i >= 0 && digits[static_cast<size_t>(i)] == '9') digits[static_cast<size_t>(i--)] = '0';
      if (i < 0) digits.insert(digits.begin(), '1');
      else ++digits[static_cast<size_t>(i)];
      whole = digits.substr(0, digits.size() - 3);
      frac = digits.substr(digits.size() - 3);
    }
  }
  while (!frac.empty() && frac.back() == '0') frac.pop_back();
  bool zero = whole.find_first_not_of('0') == std::string::npos && frac.empty();
  std::string result = (value < 0 && !zero) ? "-" : "";
  result += whole;
  if (!frac.empty()) result += separator + frac;
  return result;
}

std::string FormatAngle(double value) { return FormatAngle(value, UserDecimalSeparator()); }

}  // namespace tarvik
