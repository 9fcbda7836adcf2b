#include "pptx/date_field.h"

#include <cstdlib>

#include "platform/ascii.h"

namespace tarvik {

namespace {

// The thirteen formats of the deck's editor for US English, by number.
constexpr const char* kUsFormats[] = {
    "M/d/yyyy",      "dddd, MMMM d, yyyy", "d MMMM yyyy",         "MMMM d, yyyy", "d-MMM-yy",
    "MMMM yy",       "MMM-yy",             "M/d/yyyy h:mm tt",    "M/d/yyyy h:mm:ss tt",
    "H:mm",          "H:mm:ss",            "h:mm tt",             "h:mm:ss tt",
};

// Elsewhere only the short date and the 24-hour times, which name no month
// or weekday, and only for languages whose short date is known here.
// Lang in lower case.
const char* ShortDateOf(std::string_view lang) {
  const std::string_view language = lang.substr(0, lang.find('-'));
  static const struct {
    const char* Language;
    const char* Format;
  } kShortDates[] = {{"en", "dd/MM/yyyy"}, {"fr", "dd/MM/yyyy"}, {"es", "dd/MM/yyyy"}, {"it", "dd/MM/yyyy"},
                     {"pt", "dd/MM/yyyy"}, {"de", "dd.MM.yyyy"}, {"ru", "dd.MM.yyyy"}, {"nl", "d-M-yyyy"}};
  for (const auto& known : kShortDates)
    if (language == known.Language) return known.Format;
  return nullptr;
}

std::string Padded(int value, size_t width) {
  std::string digits = std::to_string(value);
  return std::string(digits.size() < width ? width - digits.size() : 0, '0') + digits;
}

std::string Formatted(std::string_view format, const TLocalTime& now) {
  const std::string month(MonthName(now.Month));
  std::string out;
  for (size_t i = 0; i < format.size();) {
    const char c = format[i];
    size_t run = 1;
    while (i + run < format.size() && format[i + run] == c) ++run;
    const int hour12 = now.Hour % 12 == 0 ? 12 : now.Hour % 12;
    switch (c) {
      case 'd': out += run >= 4 ? std::string(WeekdayName(now.Weekday % 7)) : Padded(now.Day, run); break;
      case 'M': out += run >= 4 ? month : run == 3 ? month.substr(0, 3) : Padded(now.Month, run); break;
      case 'y': out += run >= 4 ? Padded(now.Year, 4) : Padded(now.Year % 100, 2); break;
      case 'H': out += Padded(now.Hour, run); break;
      case 'h': out += Padded(hour12, run); break;
      case 'm': out += Padded(now.Minute, run); break;
      case 's': out += Padded(now.Second, run); break;
      case 't': out += now.Hour < 12 ? "AM" : "PM"; break;
      default: out.append(run, c);
    }
    i += run;
  }
  return out;
}

}  // namespace

std::string_view MonthName(int month) {
  static constexpr std::string_view kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                                 "July",    "August",   "September", "October", "November", "December"};
  return month >= 1 && month <= 12 ? kMonths[month - 1] : std::string_view();
}

std::string_view WeekdayName(int weekday) {
  static constexpr std::string_view kDays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                               "Thursday", "Friday", "Saturday"};
  return weekday >= 0 && weekday <= 6 ? kDays[weekday] : std::string_view();
}

std::string DateFieldText(std::string_view type, std::string_view lang, const TLocalTime& now) {
  if (now.Year <= 0 || now.Month < 1 || now.Month > 12) return "";
  const std::string lower = LowerAscii(type);
  if (!lower.starts_with("datetime")) return "";
  const std::string digits = lower.substr(8);
  if (digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 2) return "";
  const int number = digits.empty() ? 1 : std::atoi(digits.c_str());
  if (number < 1 || number > 13) return "";
  const std::string language = LowerAscii(lang);
  if (language.empty() || language == "en" || language == "en-us") return Formatted(kUsFormats[number - 1], now);
  const char* shortDate = ShortDateOf(language);
  if (!shortDate) return "";
  if (number == 1) return Formatted(shortDate, now);
  if (number == 10 || number == 11) return Formatted(kUsFormats[number - 1], now);
  return "";
}

}  // namespace tarvik
