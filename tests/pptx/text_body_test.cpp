// Text body rules: where each body, paragraph and run property comes from,
// the format's defaults, bullets and numbering, and what becomes a run.
#include <gtest/gtest.h>

#include <tuple>

#include "platform/error.h"
#include "pptx/date_field.h"
#include "pptx/text_body.h"
#include "pptx_test_util.h"

using namespace tarvik;
using namespace tarvik::test;

namespace {

const ThemeColorMap kColors{{"dk1", 0x112233}, {"lt1", 0xFFFFFF}, {"accent1", 0xC47244}, {"hlink", 0x0000FF}};
const TThemeFonts kFonts{"Major", "MajorEA", "", "Minor", "", "MinorCS", {{"Arab", "MajorArabic"}},
                         {{"Jpan", "MinorJapanese"}}};

// Parses body with list styles (each a fragment holding lvlNpPr elements)
// and bodyPr fragments inherited after the shape's own, nearest first.
struct TParse {
  TParse(std::string body = "", std::vector<std::string> listStyles = {}, std::vector<std::string> bodyProperties = {},
         std::string fontRef = "", bool title = false)
      : Body(std::move(body)), ListStyles(std::move(listStyles)), BodyProperties(std::move(bodyProperties)),
        FontRef(std::move(fontRef)), Title(title) {}
  std::string Body;
  std::vector<std::string> ListStyles;
  std::vector<std::string> BodyProperties;
  std::string FontRef;
  bool Title;

  TPPTXShape operator()() const {
    std::vector<std::unique_ptr<TXmlPart>> parts;
    auto node = [&](const std::string& xml) {
      if (xml.empty()) return pugi::xml_node();
      parts.push_back(Xml(xml));
      return parts.back()->Root();
    };
    TTextInheritance inherited;
    for (const auto& style : ListStyles)
      inherited.ListStyles.push_back(style.empty() ? pugi::xml_node() : node("<a:lstStyle>" + style + "</a:lstStyle>"));
    for (const auto& body : BodyProperties) inherited.BodyProperties.push_back(node(body));
    inherited.FontRef = node(FontRef);
    inherited.Title = Title;
    TPPTXShape shape;
    ParseTextBody(node(Body), inherited, {&kColors, &kFonts}, shape);
    return shape;
  }
};

std::string Body(const std::string& paragraphs, const std::string& lstStyle = "", const std::string& bodyPr = "") {
  return "<p:txBody>" + bodyPr + "<a:lstStyle>" + lstStyle + "</a:lstStyle>" + paragraphs + "</p:txBody>";
}
std::string R(const std::string& text, const std::string& rPr = "") {
  return "<a:r>" + (rPr.empty() ? "" : "<a:rPr" + rPr + "</a:rPr>") + "<a:t>" + text + "</a:t></a:r>";
}
std::string Para(const std::string& runs, const std::string& pPr = "") { return "<a:p>" + pPr + runs + "</a:p>"; }
std::string Level(int n, const std::string& attrs, const std::string& children = "") {
  std::string name = "a:lvl" + std::to_string(n) + "pPr";
  return "<" + name + attrs + ">" + children + "</" + name + ">";
}

const TPPTXTextRun& FirstRun(const TPPTXShape& shape) { return shape.Paragraphs.at(0).Runs.at(0); }

}  // namespace

TEST(TextBody, BodyPropertiesTakeTheNearestSettingAndTheFormatsDefaults) {
  TPPTXShape none = TParse{}();
  EXPECT_TRUE(none.Paragraphs.empty());
  EXPECT_EQ(none.MarginLeftPx, 0) << "no text body, no insets";

  TPPTXShape defaults = TParse{Body("")}();
  EXPECT_EQ(defaults.MarginLeftPx, 10);
  EXPECT_EQ(defaults.MarginRightPx, 10);
  EXPECT_EQ(defaults.MarginTopPx, 5);
  EXPECT_EQ(defaults.MarginBottomPx, 5);
  EXPECT_EQ(defaults.VerticalAnchor, kAnchorTop);
  EXPECT_TRUE(defaults.WrapText);

  TPPTXShape inherited =
      TParse{Body("", "", "<a:bodyPr lIns='0' rot='-5400000'/>"),
             {},
             {"<a:bodyPr lIns='190500' tIns='0' anchor='ctr'/>", "<a:bodyPr anchor='b' anchorCtr='1' wrap='none' vert='vert270' spcFirstLastPara='1'/>"}}();
  EXPECT_EQ(inherited.MarginLeftPx, 0) << "the shape's own inset wins";
  EXPECT_EQ(inherited.MarginTopPx, 0) << "an inset only in the layout";
  EXPECT_EQ(inherited.MarginRightPx, 10);
  EXPECT_EQ(inherited.VerticalAnchor, kAnchorMiddle) << "the layout's anchor before the master's";
  EXPECT_TRUE(inherited.AnchorCenter);
  EXPECT_FALSE(inherited.WrapText);
  EXPECT_EQ(inherited.VerticalTextDeg, 270);
  EXPECT_EQ(inherited.TextRotationDeg, -90);
  EXPECT_TRUE(inherited.OuterParagraphSpacing);
  // Space shows between paragraphs, at the box's ends only when asked for.
  inherited.Paragraphs.assign(3, TPPTXParagraph{});
  for (auto& p : inherited.Paragraphs) p.SpaceBeforePt = p.SpaceAfterPt = 6;
  for (bool outer : {false, true}) {
    inherited.OuterParagraphSpacing = outer;
    EXPECT_EQ(inherited.SpaceBeforeDrawnPt(0) + inherited.SpaceAfterDrawnPt(2), outer ? 12 : 0);
    EXPECT_EQ(inherited.SpaceAfterDrawnPt(0) + inherited.SpaceBeforeDrawnPt(2), 12);
  }

  EXPECT_EQ(defaults.Columns, 1);
  for (const auto& [attrs, columns, gap] : {std::tuple{" numCol='2' spcCol='91440'", 2, 91440},
                                            std::tuple{" numCol='99' spcCol='-5'", 16, 0},
                                            std::tuple{" numCol='0'", 1, 0}}) {
    TPPTXShape set = TParse{Body("", "", "<a:bodyPr" + std::string(attrs) + "/>")}();
    EXPECT_EQ(set.Columns, columns) << attrs;
    EXPECT_EQ(set.ColumnGapEmu, gap) << attrs;
  }
}

TEST(TextBody, RunPropertiesComeFromTheNearestLevelThatSetsThem) {
  const std::string size2InMaster = Level(2, " marL='0'", "<a:defRPr sz='2400'/>");
  const struct {
    const char* Case;
    TParse Parse;
    double SizePt;
    bool Bold;
    TColor Color;
    std::string Font;
  } cases[] = {
      {"nothing anywhere", {Body(Para(R("x")))}, 18, false, 0, "Minor"},
      {"a size only in the master's level 2",
       {Body(Para(R("x"), "<a:pPr lvl='1'/>")), {"", Level(1, "", "<a:defRPr sz='900'/>") + size2InMaster}},
       24, false, 0, "Minor"},
      {"the run's explicit b=0 beats an inherited bold",
       {Body(Para(R("x", " b='0'>")), Level(1, "", "<a:defRPr b='1' sz='1000'/>"))}, 10, false, 0, "Minor"},
      {"xsd true is true", {Body(Para(R("x", " b='true'>")))}, 18, true, 0, "Minor"},
      {"pPr/defRPr before the list styles",
       {Body(Para(R("x"), "<a:pPr><a:defRPr sz='1100'/></a:pPr>"), Level(1, "", "<a:defRPr sz='3000' b='1'/>"))},
       11, true, 0, "Minor"},
      {"theme colour and typeface references",
       {Body(Para(R("x"))),
        {Level(1, "", "<a:defRPr><a:solidFill><a:schemeClr val='accent1'/></a:solidFill><a:latin typeface='+mj-lt'/></a:defRPr>")}},
       18, false, 0xC47244, "Major"},
      {"the fontRef colour after the shape's own list style, before the rest",
       {Body(Para(R("x"))), {Level(1, "", "<a:defRPr><a:solidFill><a:schemeClr val='dk1'/></a:solidFill></a:defRPr>")},
        {}, "<a:fontRef idx='major'><a:schemeClr val='lt1'/></a:fontRef>"},
       18, false, 0xFFFFFF, "Major"},
      {"a title takes the major typeface where nothing names one", {Body(Para(R("x"))), {}, {}, "", true}, 18,
       false, 0, "Major"},
      {"east Asian text takes the ea typeface",
       {Body(Para(R("\xE6\x97\xA5\xE6\x9C\xAC", "><a:latin typeface='+mn-lt'/><a:ea typeface='+mj-ea'/>")))}, 18,
       false, 0, "MajorEA"},
      {"a complex-script reference the theme leaves empty takes latin",
       {Body(Para(R("\xD7\xA9", "><a:cs typeface='+mj-cs'/>")))}, 18, false, 0, "Major"},
      {"... or the theme's typeface for the text's script",
       {Body(Para(R("50 \xD8\xB3", "><a:cs typeface='+mj-cs'/>")))}, 18, false, 0, "MajorArabic"},
      {"ideographs are Japanese by the run's language",
       {Body(Para(R("\xE6\x97\xA5", " lang='ja-JP'><a:ea typeface='+mn-ea'/>")))}, 18, false, 0, "MinorJapanese"},
      {"... and Chinese without a typeface of their own take latin",
       {Body(Para(R("\xE6\x97\xA5", " lang='zh-CN'><a:ea typeface='+mn-ea'/>")))}, 18, false, 0, "Minor"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Case);
    TPPTXTextRun run = FirstRun(c.Parse());
    EXPECT_EQ(run.FontSizePt, c.SizePt);
    EXPECT_EQ(run.Bold, c.Bold);
    EXPECT_EQ(run.Color, c.Color);
    EXPECT_EQ(run.FontName, c.Font);
  }
}

TEST(TextBody, RunStylesAndHyperlinks) {
  TPPTXShape s = TParse{Body(Para(R("a", " baseline='30000' cap='small' spc='150' strike='sngStrike' u='sng'>") +
                                  R("b", " cap='all'><a:hlinkClick r:id='rId3'/>") +
                                  R("c", "><a:gradFill><a:gsLst><a:gs pos='0'><a:srgbClr val='00FF00'/></a:gs>"
                                           "</a:gsLst></a:gradFill>") +
                                  R("d", "><a:ln w='25400'><a:solidFill><a:srgbClr val='0000FF'/></a:solidFill></a:ln>"
                                           "<a:solidFill><a:srgbClr val='FF0000'><a:alpha val='40000'/></a:srgbClr>"
                                           "</a:solidFill>") +
                                  R("e", "><a:ln><a:noFill/></a:ln><a:noFill/>") +
                                  R("f", "><a:effectLst><a:outerShdw blurRad='38100' dist='38100' dir='2700000'>"
                                           "<a:srgbClr val='000000'><a:alpha val='43137'/></a:srgbClr></a:outerShdw>"
                                           "</a:effectLst><a:highlight><a:srgbClr val='FFFF00'/></a:highlight>") +
                                  R("g", " sz='1100' kern='1200'>") + R("h", " sz='1200' kern='1200'>")))}();
  const auto& runs = s.Paragraphs.at(0).Runs;
  EXPECT_EQ(runs[0].BaselinePct, 30);
  EXPECT_EQ(runs[0].Caps, kCapsSmall);
  EXPECT_EQ(runs[0].LetterSpacingPt, 1.5);
  EXPECT_TRUE(runs[0].Strikethrough && runs[0].Underline);
  EXPECT_EQ(runs[1].Caps, kCapsAll);
  EXPECT_TRUE(runs[1].Underline && runs[1].HasColor) << "a link shows underlined in the link colour";
  EXPECT_EQ(runs[1].Color, 0x0000FF);
  EXPECT_EQ(runs[2].Color, 0x00FF00) << "a gradient's first stop";
  EXPECT_TRUE(runs[3].HasOutline);
  EXPECT_EQ(runs[3].OutlineColor, 0xFF0000);
  EXPECT_EQ(runs[3].OutlineWidthPt, 2);
  EXPECT_DOUBLE_EQ(runs[3].Opacity, 0.4) << "the fill colour's alpha";
  EXPECT_FALSE(runs[4].HasOutline || runs[4].HasColor) << "no outline, letters filled with nothing";
  EXPECT_EQ(runs[4].Opacity, 0);
  EXPECT_FALSE(runs[4].Shadow.Used);
  EXPECT_TRUE(runs[5].Shadow.Used);
  EXPECT_NEAR(runs[5].Shadow.DxPx, runs[5].Shadow.DyPx, 1e-9) << "down and to the right";
  EXPECT_NEAR(runs[5].Shadow.BlurPx, 4, 1e-9);
  EXPECT_TRUE(runs[5].HasHighlight && !runs[0].HasHighlight);
  EXPECT_EQ(runs[5].HighlightColor, 0x00FFFF);
  EXPECT_FALSE(runs[6].Kerning) << "below the size that kerns";
  EXPECT_TRUE(runs[7].Kerning && runs[0].Kerning);
}

TEST(TextBody, UnderlinesKeepTheirKindAndTheirOwnColour) {
  for (const auto& [u, style, heavy] :
       {std::tuple{"heavy", kUnderlineSingle, true}, {"dbl", kUnderlineDouble, false},
        {"dottedHeavy", kUnderlineDotted, true}, {"dotDotDash", kUnderlineDashed, false}, {"wavyDbl", kUnderlineWavy, false}}) {
    const TPPTXTextRun run = TParse{Body(Para(R("a", std::string(" u='") + u + "'>")))}().Paragraphs[0].Runs[0];
    EXPECT_EQ(std::tuple(run.Underline, run.UnderlineStyle, run.UnderlineHeavy), std::tuple(true, style, heavy)) << u;
  }
  // The level's underline colour, unless the run's own says to follow the letters.
  const std::string level = Level(1, "", "<a:defRPr u='sng'><a:uFill><a:solidFill><a:srgbClr val='00FF00'/>"
                                         "</a:solidFill></a:uFill></a:defRPr>");
  const TPPTXShape s = TParse{Body(Para(R("a") + R("b", " strike='dblStrike'><a:uFillTx/>"))), {level}}();
  const auto& runs = s.Paragraphs.at(0).Runs;
  EXPECT_TRUE(runs[0].HasUnderlineColor && runs[0].Underline);
  EXPECT_EQ(runs[0].UnderlineColor, 0x00FF00);
  EXPECT_FALSE(runs[1].HasUnderlineColor);
  EXPECT_TRUE(runs[1].DoubleStrikethrough && !runs[0].DoubleStrikethrough);
}

TEST(TextBody, ParagraphPropertiesInheritAndResolveToPoints) {
  TPPTXShape s = TParse{Body(Para(R("a", " sz='2000'>"), "<a:pPr lvl='1' indent='-114300'/>") + Para(R("b")),
                             "",
                             ""),
                        {Level(1, " algn='ctr'", "<a:lnSpc><a:spcPts val='2400'/></a:lnSpc>") +
                             Level(2, " marL='457200' marR='95250' algn='r'",
                                   "<a:lnSpc><a:spcPct val='90000'/></a:lnSpc><a:spcBef><a:spcPct val='50000'/></a:spcBef>"
                                   "<a:spcAft><a:spcPts val='600'/></a:spcAft>")}}();
  const TPPTXParagraph& nested = s.Paragraphs.at(0);
  EXPECT_EQ(nested.Alignment, kAlignRight);
  EXPECT_TRUE(nested.HasIndents);
  EXPECT_EQ(nested.MarginLeftEmu, 457200);
  EXPECT_EQ(nested.IndentEmu, -114300);
  EXPECT_EQ(nested.MarginRightEmu, 95250);
  EXPECT_EQ(nested.LineSpacingPct, 90);
  EXPECT_EQ(nested.SpaceBeforePt, 10) << "half of the 20 pt text";
  EXPECT_EQ(nested.SpaceAfterPt, 6);
  const TPPTXParagraph& top = s.Paragraphs.at(1);
  EXPECT_EQ(top.Alignment, kAlignCenter);
  EXPECT_FALSE(top.HasIndents);
  EXPECT_EQ(top.LineSpacingPt, 24);
}

// The nearest list of stops wins whole and is sorted; stops a damaged deck
// puts out of reach, and pitches of nothing, are dropped.
TEST(TextBody, TabStopsComeWholeFromTheNearestListAndStayInReach) {
  const std::string master = Level(1, " defTabSz='457200'", "<a:tabLst><a:tab pos='100'/><a:tab pos='200'/></a:tabLst>");
  const std::string own = "<a:pPr><a:tabLst><a:tab pos='2743200' algn='r'/><a:tab pos='-5'/><a:tab pos='914400' algn='ctr'/>"
                          "<a:tab pos='914400'/><a:tab pos='99999999999'/><a:tab pos='1828800' algn='dec'/></a:tabLst></a:pPr>";
  TPPTXShape s = TParse{Body(Para(R("a"), own) + Para(R("b")) + Para(R("c"), "<a:pPr defTabSz='0'/>")), {master}}();
  const auto& stops = s.Paragraphs.at(0).TabStops;
  ASSERT_EQ(stops.size(), 3u);
  const std::pair<int64_t, int32_t> expected[] = {{914400, kTabCenter}, {1828800, kTabDecimal}, {2743200, kTabRight}};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(stops[i].PositionEmu, expected[i].first) << i;
    EXPECT_EQ(stops[i].Align, expected[i].second) << i;
  }
  EXPECT_EQ(s.Paragraphs.at(0).DefaultTabEmu, 457200) << "the pitch inherits apart from the stops";
  EXPECT_EQ(s.Paragraphs.at(1).TabStops.size(), 2u);
  EXPECT_EQ(s.Paragraphs.at(2).DefaultTabEmu, 457200) << "a pitch of nothing falls through to the next level";
}

TEST(TextBody, AutofitScalesSizesAndReducesLineSpacing) {
  TPPTXShape s = TParse{Body(Para(R("a", " sz='4000'>"), "<a:pPr><a:spcBef><a:spcPts val='1000'/></a:spcBef></a:pPr>") +
                                 "<a:p><a:endParaRPr sz='2000'/></a:p>",
                             "", "<a:bodyPr><a:normAutofit fontScale='62500' lnSpcReduction='20000'/></a:bodyPr>")}();
  EXPECT_EQ(s.AutoFit, kAutoFitShrink);
  EXPECT_EQ(FirstRun(s).FontSizePt, 25);
  EXPECT_EQ(s.Paragraphs[0].SpaceBeforePt, 6.25);
  EXPECT_EQ(s.Paragraphs[0].LineSpacingPct, 80);
  EXPECT_EQ(s.Paragraphs[1].EndFontSizePt, 12.5) << "an empty paragraph is as tall as its mark";
  EXPECT_EQ(TParse{Body("", "", "<a:bodyPr><a:spAutoFit/></a:bodyPr>")}().AutoFit, kAutoFitShape);
}

TEST(TextBody, BulletsShowOnlyWhereTheDeckAndTheTextSaySo) {
  const std::string master = Level(1, "", "<a:buFont typeface='Wingdings'/><a:buChar char='\xC2\xA7'/>") +
                             Level(2, "", "<a:buClr><a:srgbClr val='FF0000'/></a:buClr><a:buSzPct val='80000'/>"
                                          "<a:buChar char='-'/>");
  TPPTXShape s = TParse{Body(Para(R("square")) + Para(R("dash"), "<a:pPr lvl='1'/>") +
                             Para(R("none"), "<a:pPr><a:buNone/></a:pPr>") + Para("") + Para(R(" "))),
                        {"", master}}();
  ASSERT_EQ(s.Paragraphs.size(), 5u);
  EXPECT_TRUE(s.Paragraphs[0].Bullet);
  EXPECT_EQ(s.Paragraphs[0].BulletChar, "\xE2\x96\xAA") << "Wingdings' square as the character it looks like";
  EXPECT_EQ(s.Paragraphs[0].BulletFont, "");
  EXPECT_EQ(s.Paragraphs[1].BulletChar, "-");
  EXPECT_TRUE(s.Paragraphs[1].HasBulletColor);
  EXPECT_EQ(s.Paragraphs[1].BulletSizePct, 80);
  EXPECT_FALSE(s.Paragraphs[2].Bullet) << "buNone";
  EXPECT_FALSE(s.Paragraphs[3].Bullet) << "no text, no bullet";
  EXPECT_FALSE(s.Paragraphs[4].Bullet) << "white space is no text";
}

// Symbol fonts are seldom installed where pages are read: every bullet of one
// becomes a character the common fonts carry, by byte or by private-use code.
TEST(TextBody, SymbolFontBulletsBecomeCharactersTheCommonFontsCarry) {
  const struct {
    const char *Font, *Char, *Expected;
  } cases[] = {
      {"Wingdings", "\xEF\x81\xAE", "\xE2\x96\xA0"},    // U+F06E: black square
      {"Wingdings", "\xEF\x81\xB7", "\xE2\x99\xA6"},    // U+F077: small diamond
      {"Wingdings", "\xC3\xBC", "\xE2\x9C\x94"},         // byte FC: check mark
      {"Wingdings", "\xEF\x82\x80", "\xE2\x96\xAA"},    // unknown: a small square
      {"Wingdings 2", "\xEF\x82\x96", "\xE2\x96\xAA"},
      {"Symbol", "\xEF\x82\xB7", "\xE2\x80\xA2"},
      {"Symbol", "a", "\xE2\x80\xA2"},                      // Greek alpha: not a bullet we can show
      {"StarSymbol", "\xEF\x81\xAC", "\xE2\x97\x8F"},   // U+F06C as in Wingdings
      {"OpenSymbol", "\xE2\x9E\xA2", "\xE2\x9E\xA2"},   // already Unicode
      {"Arial", "\xC2\xA7", "\xC2\xA7"},                  // not a symbol font
  };
  for (const auto& c : cases) {
    const std::string props = std::string("<a:pPr><a:buFont typeface='") + c.Font + "'/><a:buChar char='" + c.Char +
                              "'/></a:pPr>";
    TPPTXShape s = TParse{Body(Para(R("item"), props))}();
    ASSERT_EQ(s.Paragraphs.size(), 1u);
    EXPECT_EQ(s.Paragraphs[0].BulletChar, c.Expected) << c.Font;
    EXPECT_EQ(s.Paragraphs[0].BulletFont.empty(), std::string(c.Font) != "Arial") << c.Font;
  }
}

TEST(TextBody, AutomaticNumbersCountPerLevelAndRestart) {
  const std::string numbered = "<a:pPr><a:buAutoNum type='arabicPeriod' startAt='3'/></a:pPr>";
  const std::string sub = "<a:pPr lvl='1'><a:buAutoNum type='alphaLcParenR'/></a:pPr>";
  TPPTXShape s = TParse{Body(Para(R("a"), numbered) + Para(R("a1"), sub) + Para(R("a2"), sub) +
                             Para(R("b"), numbered) + Para(R("b1"), sub) + Para(R("plain"), "<a:pPr/>") +
                             Para(R("c"), numbered))}();
  std::vector<std::string> numbers;
  for (const auto& p : s.Paragraphs) numbers.push_back(p.Bullet ? p.BulletChar : "");
  EXPECT_EQ(numbers, (std::vector<std::string>{"3.", "a)", "b)", "4.", "a)", "", "3."}));
}

TEST(TextBody, AutoNumberSchemes) {
  const struct {
    const char* Scheme;
    int32_t N;
    const char* Text;
  } cases[] = {{"arabicPeriod", 12, "12."},   {"arabicParenR", 2, "2)"},       {"romanUcPeriod", 14, "XIV."},
               {"romanLcParenBoth", 9, "(ix)"}, {"alphaLcPeriod", 28, "bb."},  {"alphaUcParenR", 3, "C)"},
               {"arabicPlain", 5, "5"},        {"somethingNew", 1, "1."}};
  for (const auto& c : cases) EXPECT_EQ(AutoNumberText(c.Scheme, c.N), c.Text) << c.Scheme;
}

TEST(TextBody, VerticalKindsTurnLinesAndStandLetters) {
  for (const auto& [vert, deg, glyphs, fromLeft] :
       {std::tuple{"vert270", 270, kGlyphsTurned, false}, {"eaVert", 90, kGlyphsEastAsianUpright, false},
        {"mongolianVert", 90, kGlyphsEastAsianUpright, true}, {"wordArtVertRtl", 90, kGlyphsStacked, false}}) {
    TPPTXShape shape;
    SetVerticalText(vert, shape);
    EXPECT_EQ(std::tuple(shape.VerticalTextDeg, shape.VerticalGlyphs, shape.VerticalLinesFromLeft),
              std::tuple(deg, glyphs, fromLeft))
        << vert;
  }
}

TEST(TextBody, BreaksAndFieldsAreRunsAndWhitespaceIsKept) {
  TPPTXShape s = TParse{"<p:txBody>\n <a:p>\n  <a:r><a:rPr b='1'/><a:t>for</a:t></a:r>\n  <a:r><a:t> </a:t></a:r>\n"
                        "  <a:br/>\n  <a:r><a:rPr i='1'/><a:t>the</a:t></a:r>\n  <a:fld id='x'><a:t>7</a:t></a:fld>\n"
                        " </a:p>\n</p:txBody>"}();
  ASSERT_EQ(s.Paragraphs.at(0).Runs.size(), 5u);
  EXPECT_EQ(s.PlainText(), "for \nthe7");
}

TEST(TextBody, DateFieldsShowNowInTheirLanguagesFormat) {
  const TLocalTime afternoon{2026, 3, 5, 14, 7, 9, 4};  // a Thursday
  const struct {
    const char* Type;
    const char* Lang;
    const char* Text;
  } cases[] = {
      {"datetime", "", "3/5/2026"},
      {"datetime1", "en-US", "3/5/2026"},
      {"DateTime2", "en-US", "Thursday, March 5, 2026"},
      {"datetime5", "en-US", "5-Mar-26"},
      {"datetime7", "en", "Mar-26"},
      {"datetime9", "en-US", "3/5/2026 2:07:09 PM"},
      {"datetime10", "en-US", "14:07"},
      {"datetime1", "en-GB", "05/03/2026"},
      {"datetime1", "de-DE", "05.03.2026"},
      {"datetime11", "fr-FR", "14:07:09"},
      {"datetime2", "de-DE", ""},  // names a month: only US English is known here
      {"datetime1", "ja-JP", ""},
      {"datetime14", "en-US", ""},
      {"datetime1x", "en-US", ""},
      {"slidenum", "en-US", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(DateFieldText(c.Type, c.Lang, afternoon), c.Text) << c.Type << " " << c.Lang;
  EXPECT_EQ(DateFieldText("datetime12", "", {2026, 1, 1, 0, 5, 0, 4}), "12:05 AM");
  EXPECT_EQ(DateFieldText("datetime1", "", {}), "") << "no clock: the stored text stands";
}

TEST(TextBody, MarkupInsideARunTextFails) {
  EXPECT_THROW(TParse{Body(Para("<a:r><a:t>a<a:b/></a:t></a:r>"))}(), ETarvikError);
}
