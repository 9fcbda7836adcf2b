// The text and number rules every layer shares: ASCII case folding, UTF-8
// validation and rounding with halves to the even neighbour.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

#include "platform/ascii.h"
#include "platform/codepage.h"
#include "platform/rounding.h"

using namespace tarvik;

TEST(Ascii, FoldsOnlyTheAsciiLetters) {
  EXPECT_TRUE(SameText("Content_Types.XML", "content_types.xml"));
  EXPECT_FALSE(SameText("\xC3\x89", "\xC3\xA9")) << "no folding beyond ASCII";
  EXPECT_FALSE(SameText("ab", "abc"));
  EXPECT_EQ(LowerAscii("A\xC3\x89Z@["), "a\xC3\x89z@[");
  EXPECT_EQ(UpperAscii("a\xC3\xA9z`{"), "A\xC3\xA9Z`{");
}

TEST(Utf8, SequenceLengthsAtTheirBoundaries) {
  struct Case {
    std::string text;
    size_t length;
    char32_t codePoint;
  };
  const Case cases[] = {
      {"A", 1, 0x41},
      {"\xC2\x80", 2, 0x80},
      {"\xDF\xBF", 2, 0x7FF},
      {"\xE0\xA0\x80", 3, 0x800},
      {"\xED\x9F\xBF", 3, 0xD7FF},
      {"\xF0\x90\x80\x80", 4, 0x10000},
      {"\xF4\x8F\xBF\xBF", 4, 0x10FFFF},
      {"\xC0\xAF", 0, 0},          // overlong
      {"\xE0\x9F\xBF", 0, 0},      // overlong
      {"\xED\xA0\x80", 0, 0},      // surrogate
      {"\xF4\x90\x80\x80", 0, 0},  // past U+10FFFF
      {"\x80", 0, 0},              // stray continuation
      {"\xE2\x82", 0, 0},          // cut off
  };
  for (const Case& c : cases) {
    char32_t cp = 0;
    EXPECT_EQ(Utf8SequenceLength(c.text, 0, cp), c.length) << c.text;
    if (c.length != 0) {
      EXPECT_EQ(cp, c.codePoint) << c.text;
    }
    EXPECT_EQ(IsValidUtf8(c.text), c.length != 0) << c.text;
  }
  EXPECT_TRUE(IsValidUtf8(""));
  EXPECT_FALSE(IsValidUtf8("ok\xFF"));
  // Each byte that starts no sequence becomes one U+FFFD.
  EXPECT_EQ(Utf8ToUtf16("a\xE2\x82z"), std::u16string(u"a\uFFFD\uFFFDz"));
}

TEST(Rounding, HalvesGoToTheEvenNeighbourAndExtremesClamp) {
  const struct {
    double value;
    int64_t wide;
    int32_t narrow;
  } cases[] = {
      {2.5, 2, 2},       {3.5, 4, 4},           {-2.5, -2, -2},
      {-3.5, -4, -4},    {2.5000001, 3, 3},     {0.49999999999999994, 0, 0},
      {1e10, 10000000000, INT32_MAX},           {-1e10, -10000000000, INT32_MIN},
      {1e300, INT64_MAX, INT32_MAX},            {-1e300, INT64_MIN, INT32_MIN},
      {std::nan(""), 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RoundHalfEven64(c.value), c.wide) << c.value;
    EXPECT_EQ(RoundHalfEven(c.value), c.narrow) << c.value;
  }
  EXPECT_EQ(RoundDivHalfEven(5, 2), 2);
  EXPECT_EQ(RoundDivHalfEven(-5, 2), -2);
  EXPECT_EQ(RoundDivHalfEven(7, 2), 4);
}
