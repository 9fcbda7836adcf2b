// Rounding and angle formatting for the publication source.
#include "pubexport/pub_numbers.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <mutex>

#include "platform/codepage.h"
#include "platform/system.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <langinfo.h>
#include <locale.h>
#endif

namespace tarvik {

int32_t RoundHalfEven(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return INT32_MAX;
  if (value <= -2147483648.0) return INT32_MIN;
  double floor = std::floor(value);
  double diff = value - floor;
  auto result = static_cast<int64_t>(floor);
  if (diff > 0.5 || (diff == 0.5 && (result % 2) != 0)) ++result;
  return static_cast<int32_t>(result);
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

namespace {

#ifndef _WIN32
std::string ReadPosixSeparator() {
  locale_t loc = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
  if (loc == static_cast<locale_t>(nullptr)) return ".";
  const char* radix = nl_langinfo_l(RADIXCHAR, loc);
  std::string result = radix != nullptr && *radix != '\0' ? radix : ".";
  freelocale(loc);
  return result;
}
#endif

}  // namespace

std::string UserDecimalSeparator() {
#ifdef _WIN32
  wchar_t buffer[8] = {};
  int n = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 8);
  if (n <= 1) return ".";
  return Utf16ToUtf8(std::u16string(reinterpret_cast<const char16_t*>(buffer), static_cast<size_t>(n - 1)));
#else
  // Reading the locale files is slow next to formatting one number; the answer
  // only changes with the environment.
  static std::mutex mutex;
  static std::string cachedKey = "\x01";
  static std::string cached;
  std::string key = GetEnvVar("LC_ALL") + '\n' + GetEnvVar("LC_NUMERIC") + '\n' + GetEnvVar("LANG") +
                    '\n' + GetEnvVar("LOCPATH");
  std::lock_guard<std::mutex> lock(mutex);
  if (key != cachedKey) {
    cached = ReadPosixSeparator();
    cachedKey = key;
  }
  return cached;
#endif
}

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
