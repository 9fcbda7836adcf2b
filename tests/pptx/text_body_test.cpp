// Text body rules: insets, anchor, paragraphs, runs and where a run's
// formatting comes from.
#include <gtest/gtest.h>

#include "platform/error.h"
#include "pptx/text_body.h"
#include "pptx_test_util.h"

using namespace tarvik;
using namespace tarvik::test;

namespace {

TPPTXShape Parse(const std::string& body, bool title = false, const std::string& major = "Major",
                 const std::string& minor = "Minor") {
  static const ThemeColorMap colors{{"dk1", 0x112233}};
  auto xml = Xml(body);
  TPPTXShape shape;
  ParseTextBody(xml->Root(), &colors, major, minor, title, shape);
  return shape;
}

const TPPTXTextRun& FirstRun(const TPPTXShape& shape) { return shape.Paragraphs.at(0).Runs.at(0); }

}  // namespace

TEST(TextBody, AbsentBodyLeavesEverythingZero) {
  TPPTXShape shape;
  shape.MarginLeftPx = 3;
  shape.Paragraphs.resize(2);
  ParseTextBody(pugi::xml_node(), nullptr, "", "", false, shape);
  EXPECT_TRUE(shape.Paragraphs.empty());
  EXPECT_EQ(shape.MarginLeftPx, 0);
  EXPECT_EQ(shape.VerticalAnchor, 0);
}

TEST(TextBody, BodyProperties) {
  TPPTXShape s = Parse("<p:txBody><a:bodyPr lIns='91440' rIns='91440' tIns='45720' bIns='45720' anchor='CTR' "
                       "rot='-5400000'/></p:txBody>");
  EXPECT_EQ(s.MarginLeftPx, 10);
  EXPECT_EQ(s.MarginRightPx, 10);
  EXPECT_EQ(s.MarginTopPx, 5);
  EXPECT_EQ(s.MarginBottomPx, 5);
  EXPECT_EQ(s.VerticalAnchor, 1);
  EXPECT_EQ(s.TextRotationDeg, -90);
  EXPECT_EQ(Parse("<p:txBody><a:bodyPr/></p:txBody>").MarginLeftPx, 0);
  EXPECT_EQ(Parse("<p:txBody><a:bodyPr anchor='b'/></p:txBody>").VerticalAnchor, 2);
  EXPECT_EQ(Parse("<p:txBody><a:bodyPr anchor='just'/></p:txBody>").VerticalAnchor, 0);
}

TEST(TextBody, ParagraphProperties) {
  TPPTXShape s = Parse(
      "<p:txBody><a:p><a:pPr algn='r' lvl='2'><a:buChar/></a:pPr></a:p><a:p><a:pPr algn='just'>"
      "<a:buAutoNum type='arabicPeriod'/></a:pPr></a:p><a:p><a:pPr algn='dist'><a:buChar char='-'/></a:pPr></a:p>"
      "<a:p/><a:x/></p:txBody>");
  ASSERT_EQ(s.Paragraphs.size(), 4u);
  EXPECT_EQ(s.Paragraphs[0].Alignment, 2);
  EXPECT_EQ(s.Paragraphs[0].Level, 2);
  EXPECT_TRUE(s.Paragraphs[0].Bullet);
  EXPECT_EQ(s.Paragraphs[0].BulletChar, "\xE2\x80\xA2");
  EXPECT_EQ(s.Paragraphs[1].Alignment, 3);
  EXPECT_FALSE(s.Paragraphs[1].Bullet);
  EXPECT_EQ(s.Paragraphs[2].Alignment, 0);
  EXPECT_EQ(s.Paragraphs[2].BulletChar, "-");
  EXPECT_EQ(s.Paragraphs[3].Alignment, 0);
}

TEST(TextBody, RunPropertiesAndSizes) {
  TPPTXShape s = Parse(
      "<p:txBody><a:p><a:r><a:rPr b='1' i='true' u='sng' sz='1050'><a:latin typeface='+mn-lt'/>"
      "<a:solidFill><a:schemeClr val='tx1'/></a:solidFill></a:rPr><a:t>A</a:t></a:r>"
      "<a:r><a:rPr sz='big' u=''><a:latin/></a:rPr><a:t>B</a:t></a:r><a:r><a:t>C</a:t></a:r></a:p></p:txBody>");
  const auto& runs = s.Paragraphs.at(0).Runs;
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_TRUE(runs[0].Bold);
  EXPECT_FALSE(runs[0].Italic) << "only \"1\" sets a flag";
  EXPECT_TRUE(runs[0].Underline);
  EXPECT_EQ(runs[0].FontSizePt, 10.5);
  EXPECT_EQ(runs[0].FontName, "+mn-lt");
  EXPECT_TRUE(runs[0].HasColor);
  EXPECT_EQ(runs[0].Color, 0x112233);
  EXPECT_EQ(runs[1].FontSizePt, 18);
  EXPECT_TRUE(runs[1].Underline) << "an empty u is not \"none\"";
  EXPECT_EQ(runs[1].FontName, "Minor") << "latin without typeface gives the default font";
  EXPECT_EQ(runs[2].FontSizePt, 18);
  EXPECT_FALSE(runs[2].HasColor);
}

TEST(TextBody, DefaultFontFollowsTheTitleFlagAndFallsBackToArial) {
  const std::string body = "<p:txBody><a:p><a:r><a:t>x</a:t></a:r></a:p></p:txBody>";
  EXPECT_EQ(FirstRun(Parse(body, true)).FontName, "Major");
  EXPECT_EQ(FirstRun(Parse(body, false)).FontName, "Minor");
  EXPECT_EQ(FirstRun(Parse(body, true, "", "Minor")).FontName, "Minor");
  EXPECT_EQ(FirstRun(Parse(body, true, "", "")).FontName, "Arial");
}

TEST(TextBody, FirstDefRPrServesOnlyRunsWithoutTheirOwnRPr) {
  TPPTXShape s = Parse(
      "<p:txBody><a:lstStyle><a:lvl1pPr><a:defRPr sz='2000' b='1'><a:solidFill><a:srgbClr val='FF0000'/>"
      "</a:solidFill></a:defRPr></a:lvl1pPr><a:lvl2pPr><a:defRPr sz='1000'/></a:lvl2pPr></a:lstStyle>"
      "<a:p><a:r><a:t>plain</a:t></a:r><a:r><a:rPr/><a:t>own</a:t></a:r>"
      "<a:r><a:rPr i='1'/><a:t>italic</a:t></a:r></a:p></p:txBody>");
  const auto& runs = s.Paragraphs.at(0).Runs;
  EXPECT_EQ(runs[0].FontSizePt, 20);
  EXPECT_TRUE(runs[0].Bold);
  EXPECT_TRUE(runs[0].HasColor);
  EXPECT_EQ(runs[0].Color, 0x0000FF);
  EXPECT_EQ(runs[1].FontSizePt, 18) << "a run's own rPr replaces the default entirely";
  EXPECT_FALSE(runs[1].Bold);
  EXPECT_FALSE(runs[1].HasColor);
  EXPECT_TRUE(runs[2].Italic);
  EXPECT_FALSE(runs[2].Bold);
}

TEST(TextBody, WhitespaceRunsKeepTheirTextAndBreaksAreNotRuns) {
  TPPTXShape s = Parse(
      "<p:txBody>\n <a:p>\n  <a:r><a:rPr b='1'/><a:t>for</a:t></a:r>\n  <a:r><a:t> </a:t></a:r>\n"
      "  <a:br/>\n  <a:r><a:rPr i='1'/><a:t>the</a:t></a:r>\n  <a:fld id='x'><a:t>7</a:t></a:fld>\n </a:p>\n"
      "</p:txBody>");
  ASSERT_EQ(s.Paragraphs.at(0).Runs.size(), 3u);
  EXPECT_EQ(s.PlainText(), "for the");
}

TEST(TextBody, MarkupInsideARunTextFails) {
  EXPECT_THROW(Parse("<p:txBody><a:p><a:r><a:t>a<a:b/></a:t></a:r></a:p></p:txBody>"), ETarvikError);
}
