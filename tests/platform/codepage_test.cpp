// Code page and UTF conversions: what reaches the host, and what comes back.
#include <gtest/gtest.h>

#include "platform/codepage.h"
#include "platform/system.h"

using namespace tarvik;

namespace {

// Sets TARVIK_CODEPAGE for one test and restores it afterwards.
class CodePageScope {
 public:
  explicit CodePageScope(const char* name) : had_(HasEnvVar("TARVIK_CODEPAGE")), old_(GetEnvVar("TARVIK_CODEPAGE")) {
    if (name) SetEnvVar("TARVIK_CODEPAGE", name);
    else UnsetEnvVar("TARVIK_CODEPAGE");
  }
  ~CodePageScope() {
    if (had_) SetEnvVar("TARVIK_CODEPAGE", old_);
    else UnsetEnvVar("TARVIK_CODEPAGE");
  }

 private:
  bool had_;
  std::string old_;
};

struct AnsiCase {
  const char* codePage;  // nullptr: the default
  std::string utf8;
  std::string ansi;
};

class AnsiConversion : public ::testing::TestWithParam<AnsiCase> {};

TEST_P(AnsiConversion, ConvertsToTheCodePageAndBack) {
  const AnsiCase& c = GetParam();
#ifdef _WIN32
  if (c.codePage) GTEST_SKIP() << "Windows takes its code page from the system";
#endif
  CodePageScope scope(c.codePage);
  EXPECT_EQ(Utf8ToAnsi(c.utf8), c.ansi);
  if (c.ansi.find('?') == std::string::npos) {
    EXPECT_EQ(AnsiToUtf8(c.ansi), c.utf8);
  }
}

INSTANTIATE_TEST_SUITE_P(
    CodePages, AnsiConversion,
    ::testing::Values(
        AnsiCase{nullptr, "plain ASCII", "plain ASCII"},
        AnsiCase{nullptr, "caf\xC3\xA9 \xE2\x82\xAC" "5", "caf\xE9 \x80" "5"},
        // Characters 1252 lacks become one "?" each, whatever their UTF-8 length.
        AnsiCase{nullptr, "\xD0\x9F\xD1\x80\xD0\xB8", "???"},
        AnsiCase{nullptr, "a\xF0\x9F\x98\x80" "b", "a?b"},
        AnsiCase{nullptr, "\xE6\x97\xA5\xE6\x9C\xAC", "??"},
        AnsiCase{"CP1251", "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82", "\xCF\xF0\xE8\xE2\xE5\xF2"},
        AnsiCase{"1251", "\xD0\x81", "\xA8"},
        AnsiCase{"CP1251", "caf\xC3\xA9", "caf?"},
        AnsiCase{"CP1250", "\xC5\x82\xC3\xB3" "d\xC5\xBA", "\xB3\xF3" "d\x9F"}));

TEST(AnsiConversion, MalformedUtf8BecomesReplacementNotACrash) {
#ifdef _WIN32
  GTEST_SKIP();
#endif
  CodePageScope scope(nullptr);
  EXPECT_EQ(Utf8ToAnsi("a\xC3"), "a?");
  EXPECT_EQ(Utf8ToAnsi("\xFF\xFE" "x"), "??x");
}

TEST(AnsiConversion, UnknownCodePageNameFallsBackToWindows1252) {
#ifdef _WIN32
  GTEST_SKIP();
#endif
  CodePageScope scope("NO-SUCH-PAGE");
  EXPECT_EQ(Utf8ToAnsi("caf\xC3\xA9"), "caf\xE9");
  EXPECT_EQ(AnsiToUtf8("caf\xE9"), "caf\xC3\xA9");
}

TEST(Utf16, SurrogatePairsAndMalformedInput) {
  EXPECT_EQ(Utf8ToUtf16("A\xC3\xA9"), (std::u16string{u'A', u'\u00E9'}));
  EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80"), (std::u16string{0xD83D, 0xDE00}));
  EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), (std::u16string{0xFFFD, 0xFFFD, 0xFFFD}));  // encoded surrogate
  EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), (std::u16string{0xFFFD, 0xFFFD}));              // overlong
  EXPECT_EQ(Utf16ToUtf8(std::u16string{0xD83D, 0xDE00}), "\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{0xD83D}), "\xEF\xBF\xBD");  // lone surrogate
  std::string mixed = "x\xE6\x97\xA5\xF0\x9F\x8E\x89\xC3\xBC";
  EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(mixed)), mixed);
}

}  // namespace
