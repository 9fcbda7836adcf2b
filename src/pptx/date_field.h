// The text of a date field that updates itself (a:fld type="datetime1" ...),
// as a slide show shows it: the date and time of now, in the field's format
// for its language.
#pragma once
#include <string>
#include <string_view>

#include "platform/system.h"

namespace tarvik {

// The text of a field of type ("datetime", "datetime1" to "datetime13") in
// language lang ("en-US"; "" reads as en-US) at now. "" when the type is no
// date field, the language's formats for it are not known here, or now has
// no year: the text the deck stores with the field then stands.
std::string DateFieldText(std::string_view type, std::string_view lang, const TLocalTime& now);

// English names of month 1..12 and weekday 0..6 (Sunday first), which date
// fields and chart date formats both write; "" out of range.
std::string_view MonthName(int month);
std::string_view WeekdayName(int weekday);

}  // namespace tarvik
