// The renderer's text formatters: numbers, escapes, colours.
#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <string>

#include "platform/system_colors.h"
#include "htmlexport/text_format.h"

namespace tarvik {
namespace {

TEST(FormatNum, WritesPatternWithThreeDecimals) {
  struct Case {
    double value;
    const char* text;
  } cases[] = {
      {2, "2"},           {2.5, "2.5"},        {1.23456, "1.235"},   {-60, "-60"},
      {0, "0"},           {-0.0, "0"},         {-0.0001, "0"},       {0.0004, "0"},
      {0.0006, "0.001"},  {-1.23456, "-1.235"}, {1280, "1280"},       {0.1, "0.1"},
      {0.12, "0.12"},     {1.9999, "2"},       {-1.9999, "-2"},      {999.9996, "1000"},
      {1e15, "1000000000000000"}, {123456789.125, "123456789.125"},
      // exact halves of a thousandth go away from zero
      {0.0625, "0.063"},  {-0.0625, "-0.063"}, {0.1875, "0.188"},   {2.0625, "2.063"},
      {-0.0005 * 0 + -1.0625, "-1.063"},
      // 1.0005 is stored a hair below the half, so it rounds down
      {1.0005, "1"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatNum(c.value), c.text) << c.value;
}

TEST(FormatNum, NonFiniteValuesBecomeZero) {
  EXPECT_EQ(FormatNum(std::numeric_limits<double>::quiet_NaN()), "0");
  EXPECT_EQ(FormatNum(std::numeric_limits<double>::infinity()), "0");
  EXPECT_EQ(FormatNum(-std::numeric_limits<double>::infinity()), "0");
}

TEST(FormatNum, UsesFullStopUnderCommaLocale) {
  const char* comma = nullptr;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "ru_RU.UTF-8", "ru_RU.utf8", "fr_FR.UTF-8"})
    if (std::setlocale(LC_ALL, name)) {
      comma = name;
      break;
    }
  EXPECT_EQ(FormatNum(0.5), "0.5");
  EXPECT_EQ(FormatNum(1234567.25), "1234567.25");
  std::setlocale(LC_ALL, "C");
  if (!comma) GTEST_SKIP() << "no locale with a decimal comma installed";
}

TEST(HtmlEscape, ReplacesTheFiveMarkupCharacters) {
  EXPECT_EQ(HtmlEscape(""), "");
  EXPECT_EQ(HtmlEscape("a\"b&c'd<e>f"), "a&quot;b&amp;c&#39;d&lt;e&gt;f");
  EXPECT_EQ(HtmlEscape("&amp;"), "&amp;amp;");
  EXPECT_EQ(HtmlEscape("Grüße — 日本"), "Grüße — 日本");
  EXPECT_EQ(HtmlEscape(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(JsEscape, EscapesQuotesControlsAndScriptBreakers) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"", ""},
      {"plain", "plain"},
      {"tab\tlf\ncr\r", "tab\\tlf\\ncr\\r"},
      {"\"'\\", "\\\"\\'\\\\"},
      {std::string("\x01\x1f\x00", 3), "\\u0001\\u001F\\u0000"},
      {"</script><!--", "\\u003C/script>\\u003C!--"},
      {"Grüße", "Grüße"},
      {"\x7f", "\x7f"},
  };
  for (const auto& c : cases) EXPECT_EQ(JsEscape(c.in), c.out) << c.in;
}

TEST(ColorToHex, WritesRedGreenBlueFromLowByteUp) {
  EXPECT_EQ(ColorToHex(0x0080FF), "#FF8000");
  EXPECT_EQ(ColorToHex(0), "#000000");
  EXPECT_EQ(ColorToHex(0xFFFFFF), "#FFFFFF");
  EXPECT_EQ(ColorToHex(0x123456), "#563412");
  // the high byte is ignored, so clNone and friends still give six digits
  EXPECT_EQ(ColorToHex(clNone), "#FFFFFF");
  EXPECT_EQ(ColorToHex(0x7F0000FF), "#FF0000");
}

TEST(ColorToHex, ResolvesNegativeValuesThroughSystemColours) {
  // Delphi's clWindow, clWindowText and clBtnFace
  const TColor clWindow = static_cast<TColor>(0xFF000005);
  const TColor clWindowText = static_cast<TColor>(0xFF000008);
  const TColor clBtnFace = static_cast<TColor>(0xFF00000F);
  EXPECT_EQ(ColorToHex(clWindowText), ColorToHex(SystemColorRGB(8)));
  EXPECT_EQ(ColorToHex(clBtnFace), ColorToHex(SystemColorRGB(15)));
#ifndef _WIN32
  EXPECT_EQ(ColorToHex(clWindow), "#FFFFFF");
  EXPECT_EQ(ColorToHex(clWindowText), "#000000");
  EXPECT_EQ(ColorToHex(clBtnFace), "#F0F0F0");
  EXPECT_EQ(ColorToHex(static_cast<TColor>(0xFF00000D)), "#0078D7");  // highlight
#else
  (void)clWindow;
#endif
  // an index beyond the table is black, not garbage
  EXPECT_EQ(ColorToHex(static_cast<TColor>(0xFF0000FF)), "#000000");
  EXPECT_EQ(SystemColorRGB(-1), 0);
  EXPECT_EQ(SystemColorRGB(31), 0);
}

}  // namespace
}  // namespace tarvik
