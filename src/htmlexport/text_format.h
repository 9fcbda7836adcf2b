// The small text formatters every exporter shares: markup and script escaping,
// the locale-free number format and colour text. Strings are UTF-8; the
// escapes only touch ASCII characters, so multi-byte sequences pass through
// unchanged.
#pragma once
#include <string>
#include <string_view>

#include "pptx/model.h"

namespace tarvik {

// Safe for HTML/XML character data and for double- or single-quoted attribute
// values: " & ' < > become entities, everything else is copied.
std::string HtmlEscape(std::string_view text);
void AppendHtmlEscaped(std::string& out, std::string_view text);

// Pattern "0.###": nearest value with three fractional digits (exact halves go
// away from zero), trailing zeros and point dropped, always a full stop, no
// grouping, "-" only before a non-zero result. NaN and infinities give "0".
std::string FormatNum(double value);
void AppendNum(std::string& out, double value);

// Safe inside a single- or double-quoted script string literal, and inside a
// <script> element: "<" is written \u003C so no "</script" or "<!--" survives.
std::string JsEscape(std::string_view text);

// "#RRGGBB" in upper-case hex from 0x00BBGGRR; negative values are system
// colours (index in the low byte) resolved through the system colour table.
std::string ColorToHex(TColor color);

}  // namespace tarvik
