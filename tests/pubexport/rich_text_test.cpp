// The RTF of text objects: the documented examples byte for byte, escaping,
// sizes, the font and colour tables, and the host colour values.
#include <gtest/gtest.h>

#include "platform/system_colors.h"
#include "pubexport/pub_test_support.h"
#include "pubexport/rich_text.h"

using namespace tarvik;
using namespace tarvik::test;

namespace {
const char* const kHead = "{\\rtf1\\ansi\\deff0";
}

TEST(BuildTextRtf, ShapeWithoutParagraphsIsAnEmptyDocument) {
  TPPTXShape shape;
  EXPECT_EQ(BuildTextRtf(shape),
            "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Arial;}}{\\colortbl;\\red0\\green0\\blue0;}}");
}

TEST(BuildTextRtf, CentredBoldRedRun) {
  TPPTXShape shape;
  auto run = TextRun("Hello", "Calibri", 18, 0x0000FF, true);
  run.Bold = true;
  shape.Paragraphs.push_back(Para({run}, 1));
  EXPECT_EQ(BuildTextRtf(shape),
            "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Calibri;}}{\\colortbl;\\red255\\green0\\blue0;}"
            "{\\pard\\qc\\fi0\\ri0\\sb0\\sa0\\sl0 \\f0\\fs36\\cf1\\b\\i0\\ul0 Hello}}");
}

TEST(BuildTextRtf, SecondParagraphIndentedWithBullet) {
  TPPTXShape shape;
  shape.Paragraphs.push_back(Para({TextRun("Item", "Arial", 12)}));
  auto second = Para({TextRun("Item", "Arial", 12)}, 0, 1);
  second.Bullet = true;
  second.BulletChar = "\u2022";
  shape.Paragraphs.push_back(second);
  EXPECT_EQ(BuildTextRtf(shape),
            "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Arial;}}{\\colortbl;\\red0\\green0\\blue0;}"
            "{\\pard\\ql\\fi0\\ri0\\sb0\\sa0\\sl0 \\f0\\fs24\\cf1\\b0\\i0\\ul0 Item}\\par "
            "{\\pard\\ql\\li720\\fi0\\ri0\\sb0\\sa0\\sl0 \\u8226? \\f0\\fs24\\cf1\\b0\\i0\\ul0 Item}}");
}

TEST(BuildTextRtf, ParagraphWithoutRunsKeepsItsBullet) {
  TPPTXShape shape;
  shape.Paragraphs.push_back(Para({}));
  auto bulleted = Para({}, 2, 2);
  bulleted.Bullet = true;
  bulleted.BulletChar = "-";
  shape.Paragraphs.push_back(bulleted);
  auto negative = Para({}, 4, -3);
  shape.Paragraphs.push_back(negative);
  std::string rtf = BuildTextRtf(shape);
  EXPECT_NE(rtf.find("}{\\pard\\ql\\fi0\\ri0\\sb0\\sa0\\sl0 }\\par "
                     "{\\pard\\qr\\li1440\\fi0\\ri0\\sb0\\sa0\\sl0 - }\\par "
                     "{\\pard\\ql\\fi0\\ri0\\sb0\\sa0\\sl0 }}"),
            std::string::npos)
      << rtf;
}

TEST(BuildTextRtf, RunFormattingAndSizes) {
  struct Case {
    double size;
    bool bold, italic, underline;
    const char* words;
  } cases[] = {
      {10.5, false, false, false, "\\fs21\\cf1\\b0\\i0\\ul0 x"},
      {11.25, true, true, true, "\\fs22\\cf1\\b\\i\\ul x"},
      {0, false, true, false, "\\fs1\\cf1\\b0\\i\\ul0 x"},
      {-4, false, false, true, "\\fs1\\cf1\\b0\\i0\\ul x"},
      {12.25, false, false, false, "\\fs24\\cf1"},  // 24.5 half points go to the even 24
      {12.75, false, false, false, "\\fs26\\cf1"},  // 25.5 go to 26
  };
  for (const auto& c : cases) {
    TPPTXShape shape;
    auto run = TextRun("x", "Arial", c.size);
    run.Bold = c.bold;
    run.Italic = c.italic;
    run.Underline = c.underline;
    shape.Paragraphs.push_back(Para({run}));
    EXPECT_NE(BuildTextRtf(shape).find(c.words), std::string::npos) << c.size << " " << BuildTextRtf(shape);
  }
}

TEST(RtfEscape, OneCodeUnitAtATime) {
  struct Case {
    const char* text;
    const char* escaped;
  } cases[] = {
      {"a{b}\\c", "a\\{b\\}\\\\c"},
      {"one\r\ntwo", "one\\line two"},
      {"one\ntwo\rthree", "one\\line twothree"},
      {"tab\there", "tab\there"},
      {"\xC3\xA9", "\\u233?"},                                  // é
      {"\xEF\xBF\xBD", "\\u-3?"},                               // U+FFFD
      {"\xF0\x9F\x98\x80", "\\u-10179?\\u-8704?"},              // U+1F600, a surrogate pair
      {"\xE6\x97\xA5\xE6\x9C\xAC", "\\u26085?\\u26412?"},       // 日本
      {"caf\xC3\xA9 ok", "caf\\u233? ok"},
      {"", ""},
      // A letter right after an escape is kept apart from it by an empty group.
      {"na\xC3\xAFve", "na\\u239?{}ve"},
      {"\xC3\xA9.", "\\u233?{}."},
      {"\xC3\xA9\r\nx", "\\u233?\\line x"},
  };
  for (const auto& c : cases) EXPECT_EQ(RtfEscape(c.text), c.escaped) << c.text;
}

TEST(RtfAlignCode, KnownCodesAndLeftForTheRest) {
  const char* expected[] = {"\\ql", "\\qc", "\\qr", "\\qj", "\\ql", "\\ql"};
  int32_t values[] = {0, 1, 2, 3, 4, -1};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(RtfAlignCode(values[i]), expected[i]) << values[i];
}

TEST(CollectRtfTables, FirstSpellingAndFirstAppearanceWin) {
  TPPTXShape shape;
  shape.Paragraphs.push_back(Para({TextRun("a", "arial", 12, 0x00FF00, true), TextRun("b", "Arial", 12)}));
  shape.Paragraphs.push_back(Para({}));
  shape.Paragraphs.push_back(Para({TextRun("c", "", 12, 0x00FF00, true), TextRun("d", "Calibri", 12, 0, true),
                                   TextRun("e", "\xC3\x9C" "ber", 12, 0xFF0000, true),
                                   TextRun("f", "\xC3\xBC" "BER", 12, clNone, true)}));
  std::vector<std::string> fonts;
  std::vector<int32_t> colors;
  CollectRtfTables(shape, fonts, colors);
  EXPECT_EQ(fonts, (std::vector<std::string>{"arial", "Calibri", "\xC3\x9C" "ber"}));
  EXPECT_EQ(colors, (std::vector<int32_t>{65280, 0, 16711680, 16777215}));
  // Runs refer to those entries: "" and "Arial" both use \f0, black is \cf2.
  std::string rtf = BuildTextRtf(shape);
  EXPECT_NE(rtf.find("\\f0\\fs24\\cf2\\b0\\i0\\ul0 b"), std::string::npos) << rtf;
  EXPECT_NE(rtf.find("\\f0\\fs24\\cf1\\b0\\i0\\ul0 c"), std::string::npos) << rtf;
  EXPECT_NE(rtf.find("\\f2\\fs24\\cf4\\b0\\i0\\ul0 f"), std::string::npos) << rtf;
  EXPECT_NE(rtf.find("{\\colortbl;\\red0\\green255\\blue0;\\red0\\green0\\blue0;\\red0\\green0\\blue255;"
                     "\\red255\\green255\\blue255;}"),
            std::string::npos)
      << rtf;
}

TEST(CollectRtfTables, ShapeWithoutRunsHoldsArialAndBlack) {
  TPPTXShape shape;
  shape.Paragraphs.push_back(Para({}));
  std::vector<std::string> fonts{"stale"};
  std::vector<int32_t> colors{7};
  CollectRtfTables(shape, fonts, colors);
  EXPECT_EQ(fonts, std::vector<std::string>{"Arial"});
  EXPECT_EQ(colors, std::vector<int32_t>{0});
}

TEST(BuildTextRtf, IsOneAsciiLineApartFromFontNames) {
  TPPTXShape shape;
  shape.Paragraphs.push_back(Para({TextRun("Gr\xC3\xBC\xC3\x9F" "e\r\n\xE4\xB8\xAD\xE6\x96\x87\n", "Segoe UI"),
                                   TextRun("\xF0\x9F\x98\x80 \t\x01", "\xE5\xAE\x8B\xE4\xBD\x93")}));
  std::string rtf = BuildTextRtf(shape);
  EXPECT_EQ(rtf.find_first_of("\r\n"), std::string::npos);
  std::string withoutFonts = rtf.substr(rtf.find("{\\colortbl"));
  for (char c : withoutFonts) EXPECT_LT(static_cast<unsigned char>(c), 128u) << rtf;
  // The font name itself is written unescaped.
  EXPECT_NE(rtf.find("{\\f1\\fnil \xE5\xAE\x8B\xE4\xBD\x93;}"), std::string::npos) << rtf;
}

TEST(BuildTextRtf, FontNamesCannotBreakTheDocument) {
  TPPTXShape shape;
  shape.Paragraphs.push_back(Para({TextRun("x", "My {Font}; \\odd\r\nname")}));
  std::string rtf = BuildTextRtf(shape);
  EXPECT_EQ(rtf.find(std::string(kHead) + "{\\fonttbl{\\f0\\fnil My \\{Font\\}; \\\\oddname;}}{\\colortbl;"),
            0u)
      << rtf;
}

TEST(PubColor, WhiteForNoColourAndSystemColoursResolved) {
  struct Case {
    TColor color;
    int32_t value;
  } cases[] = {
      {clNone, 16777215},
      {0x0000FF, 255},
      {0x00FF00, 65280},
      {0xFF0000, 16711680},
      {0xFFFFFF, 16777215},
      {0, 0},
      {0x12345678, 0x345678},  // only the low 24 bits count
      {static_cast<TColor>(0xFF000005), SystemColorRGB(5)},   // window
      {static_cast<TColor>(0xFF000012), SystemColorRGB(18)},  // button text
      {static_cast<TColor>(0xFF0000C8), 0},                    // no such system colour
  };
  for (const auto& c : cases) EXPECT_EQ(PubColor(c.color), c.value) << std::hex << c.color;
#ifndef _WIN32
  // Off Windows the table is the default scheme: window white, button face light grey.
  EXPECT_EQ(PubColor(static_cast<TColor>(0xFF000005)), 16777215);
  EXPECT_EQ(PubColor(static_cast<TColor>(0xFF00000F)), 0xF0F0F0);
  EXPECT_EQ(PubColor(static_cast<TColor>(0xFF00000D)), 0xD77800);  // highlight 0,120,215 as BGR
#endif
}

TEST(BuildTextRtf, ParagraphSpacingAndRunStylesTheDeckResolved) {
  TPPTXShape shape;
  auto run = TextRun("x", "Arial", 12);
  run.Strikethrough = true;
  run.BaselinePct = -25;
  run.Caps = kCapsSmall;
  run.LetterSpacingPt = 1.5;
  run.HasHighlight = true;
  run.HighlightColor = 0x00FFFF;
  auto underlined = TextRun("u", "Arial", 12);
  underlined.Underline = underlined.UnderlineHeavy = underlined.HasUnderlineColor = true;
  underlined.UnderlineStyle = kUnderlineDotted;
  underlined.UnderlineColor = 0x0000FF;
  auto paragraph = Para({run, TextRun("z", "Arial", 12), underlined}, 0, 3);
  paragraph.HasIndents = true;
  paragraph.MarginLeftEmu = 342900;  // 0.375 inch
  paragraph.IndentEmu = -228600;
  paragraph.MarginRightEmu = 63500;
  paragraph.SpaceBeforePt = 6;
  paragraph.SpaceAfterPt = 2.5;
  paragraph.LineSpacingPct = 90;
  auto exact = Para({TextRun("y", "Arial", 12)});
  exact.LineSpacingPt = 14;
  // Between two others, so that its space before and after both show.
  shape.Paragraphs = {exact, paragraph, exact};
  const std::string rtf = BuildTextRtf(shape);
  const struct {
    const char* Part;
    const char* Why;
  } parts[] = {
      {"{\\pard\\ql\\li540\\fi-360\\ri100\\sb120\\sa50\\sl216\\slmult1 ", "the deck's indents, not the level's"},
      {"\\ul0\\strike\\sub\\scaps\\expndtw30 x}\\f0", "run styles after the usual control words, kept to the run"},
      {"\\ul\\ulthd\\ulc3 u}}", "a heavy dotted underline in its own colour"},
      {"\\cf1\\highlight2\\b0", "the highlighter's colour, second in the table"},
      {"{\\pard\\ql\\fi0\\ri0\\sb0\\sa0\\sl-280\\slmult0 ", "exact line spacing"},
  };
  for (const auto& p : parts) EXPECT_NE(rtf.find(p.Part), std::string::npos) << p.Why << "\n" << rtf;
}

// The deck's stops go with a paragraph that tabs, and its pitch with the
// document; text without tabs keeps the RTF it had.
TEST(BuildTextRtf, TabbedParagraphsCarryTheirStops) {
  TPPTXShape shape;
  auto plain = Para({TextRun("no tab", "Arial", 12)});
  plain.TabStops = {{914400, kTabRight}};
  auto tabbed = Para({TextRun("a\tb\tc", "Arial", 12)});
  tabbed.TabStops = {{457200, kTabLeft}, {1828800, kTabRight}, {2743200, kTabCenter}, {3657600, kTabDecimal}};
  tabbed.DefaultTabEmu = 457200;
  tabbed.Bullet = true;
  tabbed.BulletChar = "1.";
  shape.Paragraphs = {plain, tabbed};
  const std::string rtf = BuildTextRtf(shape);
  EXPECT_NE(rtf.find("}\\deftab720{\\pard"), std::string::npos) << rtf;
  EXPECT_NE(rtf.find("\\tx720 \\tqr\\tx2880 \\tqc\\tx4320 \\tqdec\\tx5760 1. "), std::string::npos)
      << "the bullet stays apart from the last stop's number\n" << rtf;
  EXPECT_EQ(rtf.find("\\tqr\\tx1440"), std::string::npos) << "a paragraph without a tab carries no stops";
  shape.Paragraphs = {plain};
  EXPECT_EQ(BuildTextRtf(shape).find("deftab"), std::string::npos);
}
