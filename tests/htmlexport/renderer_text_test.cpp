// Text shapes in the SVG: the resolved model values reach the markup as the
// browser needs them (box, anchoring, indents, spacing, bullets, run styles).
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "htmlexport/renderer_test_util.h"
#include "htmlexport/svg_renderer.h"
#include "htmlexport/svg_text.h"

namespace tarvik {
namespace {

using test::MakeRun;
using test::MakeShape;

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The style attribute of the first element whose markup starts with prefix.
std::string StyleAfter(const std::string& markup, const std::string& prefix) {
  size_t at = markup.find(prefix);
  if (at == std::string::npos) return "";
  size_t start = markup.find("style=\"", at);
  if (start == std::string::npos) return "";
  start += 7;
  return markup.substr(start, markup.find('"', start) - start);
}

TEST(CssFontFamily, NamesTheMetricTwinAndTheGenericFamily) {
  const struct {
    const char* Typeface;
    const char* Family;
  } cases[] = {
      {"Calibri", "'Calibri','Carlito',sans-serif,'DejaVu Sans'"},
      {"times new roman", "'times new roman','Liberation Serif',serif,'DejaVu Sans'"},
      {"Courier New", "'Courier New','Liberation Mono',monospace,'DejaVu Sans'"},
      {"Cambria Math", "'Cambria Math',serif,'DejaVu Sans'"},
      {"Segoe UI", "'Segoe UI',sans-serif,'DejaVu Sans'"},
      {"Evil';x:y", "'Evilx:y',sans-serif,'DejaVu Sans'"},
      {"", "Arial,sans-serif"},
  };
  for (const auto& c : cases) EXPECT_EQ(CssFontFamily(c.Typeface), c.Family) << c.Typeface;
}

TEST(RenderRunSpan, CarriesEveryRunStyle) {
  TPPTXTextRun plain = MakeRun("a<b\r\nc\rd\ne");
  plain.FontSizePt = 0;
  const std::string span = RenderRunSpan(plain);
  EXPECT_TRUE(Has(span, "font-size:18pt;")) << "no size reads as 18 points";
  EXPECT_TRUE(Has(span, "color:#000000"));
  EXPECT_TRUE(Has(span, ">a&lt;b<br/>c<br/>d<br/>e</span>")) << "each form of line break is one <br/>";

  TPPTXTextRun styled = MakeRun("x");
  styled.FontName = "Calibri";
  styled.FontSizePt = 20;
  styled.Bold = styled.Italic = styled.Underline = styled.Strikethrough = true;
  styled.Color = 0x0080FF;
  styled.HasColor = true;
  styled.BaselinePct = 30;
  styled.Caps = kCapsAll;
  styled.LetterSpacingPt = -1.5;
  const std::string style = StyleAfter(RenderRunSpan(styled), "<span");
  for (const char* part : {"font-family:&#39;Calibri&#39;,&#39;Carlito&#39;,sans-serif,&#39;DejaVu Sans&#39;;", "font-weight:bold",
                           "font-style:italic", "text-decoration:underline line-through", "color:#FF8000",
                           "font-size:11.6pt", "vertical-align:6pt", "text-transform:uppercase",
                           "letter-spacing:-1.5pt"})
    EXPECT_TRUE(Has(style, part)) << part << " in " << style;
  EXPECT_FALSE(Has(style, "font-kerning"));
  styled.Caps = kCapsSmall;
  styled.Kerning = false;
  EXPECT_TRUE(Has(RenderRunSpan(styled), "font-variant:small-caps"));
  EXPECT_TRUE(Has(RenderRunSpan(styled), "font-kerning:none"));

  // WordArt: a see-through fill under a solid outline, or the outline alone.
  styled.Opacity = 0.5;
  styled.HasOutline = true;
  styled.OutlineColor = 0x00FF00;
  styled.OutlineWidthPt = 2;
  styled.BaselinePct = 0;
  const std::string art = StyleAfter(RenderRunSpan(styled), "<span");
  EXPECT_TRUE(Has(art, "color:rgba(255,128,0,0.5)")) << art;
  EXPECT_TRUE(Has(art, "-webkit-text-stroke:2pt #00FF00")) << art;
  styled.Opacity = 0;
  EXPECT_TRUE(Has(RenderRunSpan(styled), "color:transparent"));
  styled.Shadow = {true, 0x0000FF, 0.25, 3, 2, -1, true};
  EXPECT_TRUE(Has(RenderRunSpan(styled), "text-shadow:2px -1px 3px rgba(255,0,0,0.25)"));
  styled.HasHighlight = true;
  styled.HighlightColor = 0x00FFFF;
  EXPECT_TRUE(Has(RenderRunSpan(styled), "background-color:#FFFF00")) << "a highlighter's marker";
  styled.UnderlineStyle = kUnderlineWavy;
  styled.UnderlineHeavy = styled.HasUnderlineColor = true;
  styled.UnderlineColor = 0xFF0000;
  EXPECT_TRUE(Has(RenderRunSpan(styled), "text-decoration-style:wavy;text-decoration-skip-ink:none;text-decoration-thickness:0.13em;"
                                         "text-decoration-color:#0000FF"));
  styled.Underline = false;
  styled.DoubleStrikethrough = true;
  const std::string struck = StyleAfter(RenderRunSpan(styled), "<span");
  EXPECT_TRUE(Has(struck, "text-decoration-style:double") && !Has(struck, "text-decoration-color")) << struck;
}

TEST(RenderTextShape, TheBoxKeepsInsetsAnchorAndOverflow) {
  auto shape = MakeShape(skText, 10, 20, 100, 50);
  shape->SetMarginsEmu(-9525, 3 * 9525, 2 * 9525, 4 * 9525);
  shape->VerticalAnchor = kAnchorBottom;
  shape->RotationDeg = 30;
  shape->TextRotationDeg = 15;
  const std::string text = RenderTextShape(*shape);
  EXPECT_TRUE(Has(text, "<foreignObject x=\"10\" y=\"20\" width=\"100\" height=\"50\" transform=\"rotate(45 60 45)\""));
  EXPECT_TRUE(Has(text, "overflow=\"visible\"")) << "text past its box stays visible";
  const std::string box = StyleAfter(text, "<div");
  EXPECT_TRUE(Has(box, "padding:3px 2px 4px 0px;"));
  // Insets from the deck keep their fractions: they decide where words wrap.
  shape->SetMarginsEmu(91440, 45720, 41910, 0);
  EXPECT_TRUE(Has(StyleAfter(RenderTextShape(*shape), "<div"), "padding:4.8px 4.4px 0px 9.6px;"));
  EXPECT_TRUE(Has(box, "justify-content:flex-end"));
  EXPECT_TRUE(Has(box, "white-space:pre-wrap")) << "spaces in a row each take room, as in the deck's editor";
  EXPECT_FALSE(Has(box, "writing-mode"));
  // Insets taller than the box: the anchor places the text's empty line
  // by the excess, above the top inset's edge.
  for (const auto& [anchor, shift] :
       {std::pair{kAnchorTop, ""}, {kAnchorMiddle, "top:-20px"}, {kAnchorBottom, "top:-40px"}}) {
    shape->SetMarginsEmu(0, 45 * 9525, 0, 45 * 9525);
    shape->VerticalAnchor = anchor;
    const std::string tall = StyleAfter(RenderTextShape(*shape), "<div");
    EXPECT_EQ(Has(tall, "position:relative;"), *shift != 0) << anchor;
    if (*shift) {
      EXPECT_TRUE(Has(tall, shift)) << anchor << tall;
    }
  }

  shape->VerticalTextDeg = 90;
  shape->AnchorCenter = true;
  const std::string vertical = RenderTextShape(*shape);
  EXPECT_TRUE(Has(StyleAfter(vertical, "<div"), "writing-mode:vertical-rl;text-orientation:sideways"));
  // East Asian letters stand upright by the browser's default; stacked ones all do.
  for (const auto& [glyphs, fromLeft, style] : {std::tuple{kGlyphsEastAsianUpright, false, "vertical-rl;overflow"},
                                                 {kGlyphsStacked, true, "vertical-lr;text-orientation:upright"}}) {
    std::tie(shape->VerticalGlyphs, shape->VerticalLinesFromLeft) = std::tuple(glyphs, fromLeft);
    EXPECT_TRUE(Has(StyleAfter(RenderTextShape(*shape), "<div"), std::string("writing-mode:") + style)) << glyphs;
  }
  EXPECT_TRUE(Has(vertical, "<div style=\"align-self:center;max-width:100%;\">")) << "a centred block";
  // Lines of vertical text stand side by side: a paragraph is not held to
  // the box's width, and its spacing runs along the text's own axes.
  TPPTXParagraph spaced;
  spaced.Runs = {MakeRun("a")};
  spaced.SpaceAfterPt = 6;
  spaced.LineSpacingPct = 150;
  shape->Paragraphs = {spaced, spaced};
  const std::string markup = RenderTextShape(*shape);
  const std::string paragraph = StyleAfter(markup.substr(markup.find("max-width:100%;\">")), "<div");
  EXPECT_FALSE(Has(paragraph, "width:100%")) << paragraph;
  EXPECT_TRUE(Has(paragraph, "margin-block-end:6pt;"));
  EXPECT_FALSE(Has(paragraph, "top:")) << "no shift down the page, which is along the line";
}

TEST(RenderTextShape, ParagraphsCarryIndentsSpacingAndSize) {
  auto shape = MakeShape(skText, 0, 0, 200, 100);
  TPPTXParagraph byLevel;
  byLevel.Level = 2;
  byLevel.Runs = {MakeRun("a")};
  byLevel.Runs[0].FontSizePt = 12;
  TPPTXParagraph indented = byLevel;
  indented.HasIndents = true;
  indented.MarginLeftEmu = 9525 * 40;
  indented.IndentEmu = -9525 * 15;
  indented.MarginRightEmu = 9525 * 7;
  indented.LineSpacingPct = 90;
  indented.SpaceBeforePt = 6;
  indented.SpaceAfterPt = 3;
  indented.Runs.push_back(MakeRun("b"));
  indented.Runs[1].FontSizePt = 28;
  indented.Runs[0].FontName = "Courier New";
  TPPTXParagraph empty;
  empty.EndFontSizePt = 9;
  empty.LineSpacingPt = 30;
  shape->Paragraphs = {byLevel, indented, empty};
  shape->WrapText = false;
  const std::string text = RenderTextShape(*shape);
  // Unwrapped paragraphs are as wide as their lines, at least the box.
  const std::string paragraph = "<div style=\"width:max-content";

  const std::string levelStyle = StyleAfter(text, paragraph);
  EXPECT_TRUE(Has(levelStyle, "padding-left:36px;")) << "18 px a level where the deck sets no indents";
  EXPECT_TRUE(Has(levelStyle, "line-height:1.2;"));
  EXPECT_TRUE(Has(levelStyle, "white-space:pre;"));
  const size_t second = text.find(paragraph, text.find(paragraph) + 1);
  const std::string indentStyle = StyleAfter(text.substr(second), "<div");
  // The block is set in its smallest run, in that run's family, so that only
  // a line's own runs make it taller.
  for (const char* part : {"padding-left:40px;", "padding-right:7px;", "text-indent:-15px;", "line-height:1.08;",
                           "font-size:12pt;font-family:&#39;Courier New&#39;,&#39;Liberation Mono&#39;,monospace,&#39;DejaVu Sans&#39;;",
                           "margin-top:6pt;", "margin-bottom:3pt;"})
    EXPECT_TRUE(Has(indentStyle, part)) << part << " in " << indentStyle;
  const size_t third = text.find(paragraph, second + 1);
  EXPECT_TRUE(Has(StyleAfter(text.substr(third), "<div"), "line-height:30pt;font-size:9pt;"))
      << "an empty paragraph is as tall as its mark";
  EXPECT_TRUE(Has(text, "\">&nbsp;</div>"));

  // The editors put a line's extra height above its text, and draw no space
  // before a box's first paragraph.
  byLevel.LineSpacingPct = 150;
  byLevel.SpaceBeforePt = 6;
  shape->Paragraphs = {byLevel};
  const std::string spaced = StyleAfter(RenderTextShape(*shape), paragraph);
  EXPECT_TRUE(Has(spaced, "position:relative;top:4.8pt;")) << spaced;
  EXPECT_FALSE(Has(spaced, "margin-top"));

  // Right to left by attribute: EPUB style sheets may not set direction.
  byLevel.RightToLeft = true;
  shape->Paragraphs = {byLevel};
  const std::string rtl = RenderTextShape(*shape);
  EXPECT_TRUE(Has(rtl, "<div dir=\"rtl\" style=\"width:max-content"));
  EXPECT_TRUE(Has(rtl, "padding-right:36px;"));
  EXPECT_FALSE(Has(rtl, "direction:rtl"));
}

// A title line and a smaller line after a break: each line a block set by
// its own size, the paragraph's bullet, indent and spacing at its two ends.
TEST(RenderTextShape, LinesAfterABreakTakeTheirOwnSize) {
  auto shape = MakeShape(skText, 0, 0, 200, 100);
  TPPTXParagraph paragraph;
  paragraph.Bullet = true;
  paragraph.BulletChar = "*";
  paragraph.HasIndents = true;
  paragraph.MarginLeftEmu = 9525 * 20;
  paragraph.IndentEmu = -9525 * 20;
  paragraph.SpaceBeforePt = 6;
  paragraph.SpaceAfterPt = 3;
  paragraph.Runs = {MakeRun("Title"), MakeRun("\n"), MakeRun("small"), MakeRun("\n")};
  for (size_t i = 0; i < 2; ++i) paragraph.Runs[i].FontSizePt = 40;
  for (size_t i = 2; i < 4; ++i) paragraph.Runs[i].FontSizePt = 10;
  shape->Paragraphs = {TPPTXParagraph(), paragraph};
  shape->OuterParagraphSpacing = true;  // the last paragraph's space after shows
  const std::string text = RenderTextShape(*shape);
  const size_t title = text.find("<div style=\"width:100%", text.find("<div style=\"width:100%") + 1);
  const size_t small = text.find("<div data-after-break=\"\" style=\"width:100%", title + 1);
  ASSERT_NE(small, std::string::npos) << "the player fits a paragraph's lines together";
  EXPECT_EQ(text.find("<div", small + 1), std::string::npos) << "two lines, two blocks";
  const std::string first = StyleAfter(text.substr(title), "<div"), second = StyleAfter(text.substr(small), "<div");
  for (const char* part : {"font-size:40pt;", "top:4pt;", "margin-top:6pt;", "text-indent:-20px;"})
    EXPECT_TRUE(Has(first, part)) << part << " in " << first;
  for (const char* part : {"font-size:10pt;", "top:1pt;", "margin-bottom:3pt;", "padding-left:20px;"})
    EXPECT_TRUE(Has(second, part)) << part << " in " << second;
  EXPECT_FALSE(Has(first, "margin-bottom")) << first;
  EXPECT_FALSE(Has(second, "margin-top")) << second;
  EXPECT_FALSE(Has(second, "text-indent")) << second;
  EXPECT_EQ(text.find("*"), text.rfind("*")) << "one bullet";
  EXPECT_TRUE(Has(text, "<br/></span><br/></div>")) << "a closing break still starts an empty line";
}

TEST(RenderTextShape, BulletsHangInTheIndentWithTheirOwnLook) {
  auto shape = MakeShape(skText, 0, 0, 200, 100);
  TPPTXParagraph hanging;
  hanging.Bullet = true;
  hanging.BulletChar = "\xE2\x80\xA2";
  hanging.BulletFont = "Arial";
  hanging.BulletSizePct = 50;
  hanging.BulletColor = 0x0000FF;
  hanging.HasBulletColor = true;
  hanging.HasIndents = true;
  hanging.MarginLeftEmu = 9525 * 20;
  hanging.IndentEmu = -9525 * 20;
  hanging.Runs = {MakeRun("item")};
  hanging.Runs[0].FontSizePt = 20;
  TPPTXParagraph numbered;
  numbered.Bullet = true;
  numbered.BulletChar = "<1>";
  numbered.Runs = {MakeRun("x")};
  numbered.Runs[0].Color = 0x00FF00;
  numbered.Runs[0].HasColor = true;
  shape->Paragraphs = {hanging, numbered};
  const std::string text = RenderTextShape(*shape);

  const std::string bullet = StyleAfter(text, "<span style=\"line-height:0;display:inline-block");
  for (const char* part : {"min-width:20px;", "font-size:10pt;", "color:#FF0000;", "Liberation Sans"})
    EXPECT_TRUE(Has(bullet, part)) << part << " in " << bullet;
  EXPECT_TRUE(Has(text, "\">\xE2\x80\xA2 </span><span")) << "copied text keeps the bullet apart from the word";
  EXPECT_TRUE(Has(text, "color:#00FF00;\">&lt;1&gt; </span>")) << "the first run's colour, then a space";
}

// Stops are measured from the text's left edge, the default ones too; the
// browser takes a tab to a multiple of its size from the margin. Courier
// New at 18 pt is 14.4 px a letter in the tables the estimate uses.
TEST(RenderTextShape, TabsGoToTheStopAfterTheTextBeforeThem) {
  const struct {
    const char* What;
    const char* Text;
    int MarginPx, IndentPx, BoxPx;
    std::vector<TTabStop> Stops;  // in px here
    std::vector<double> Sizes;
    int Columns = 1;  // 20 px apart
  } cases[] = {
      {"a stop of the deck's", "ab\tc", 0, 0, 800, {{288, kTabLeft}}, {288}},
      {"the default pitch from the text's edge, not the margin", "abc\tx", 36, 0, 800, {}, {60}},
      {"from a hanging first line, the margin", "1.\tText", 96, -96, 800, {}, {96}},
      {"text ending on a right stop", "a\tright", 0, 0, 800, {{384, kTabRight}}, {312}},
      {"text centred on a stop", "a\tright", 0, 0, 800, {{384, kTabCenter}}, {348}},
      {"a decimal point on the stop", "a\t12.50", 0, 0, 800, {{384, kTabDecimal}}, {355.2}},
      {"past the deck's last stop, the default pitch", "abcdefgh\tx", 0, 0, 800, {{48, kTabLeft}}, {192}},
      {"each tab from where the one before left the text", "a\tb\tc", 0, 0, 800, {{100, kTabLeft}}, {100, 192}},
      {"a tab after a wrapped line counts from that line", "aaaa bbbb cccc dddd\tx", 0, 0, 200, {}, {192}},
      {"a line wraps at its column", "aaaaaaa aaaaaaa\tx", 0, 0, 420, {}, {192}, 2},
  };
  for (const auto& c : cases) {
    auto shape = MakeShape(skText, 0, 0, c.BoxPx, 100);
    shape->MarginLeftEmu = shape->MarginRightEmu = 0;
    shape->Columns = c.Columns;
    shape->ColumnGapEmu = 20 * 9525;
    TPPTXParagraph paragraph;
    paragraph.HasIndents = true;
    paragraph.MarginLeftEmu = c.MarginPx * 9525;
    paragraph.IndentEmu = c.IndentPx * 9525;
    for (const TTabStop& stop : c.Stops) paragraph.TabStops.push_back({stop.PositionEmu * 9525, stop.Align});
    TPPTXTextRun run = MakeRun(c.Text);
    run.FontName = "Courier New";
    paragraph.Runs = {run};
    shape->Paragraphs = {paragraph};
    const std::string text = RenderTextShape(*shape);
    std::vector<double> sizes;
    for (size_t at = text.find("<span data-tab="); at != std::string::npos; at = text.find("<span data-tab=", at + 1))
      sizes.push_back(std::stod(text.substr(text.find("tab-size:", at) + 9)));
    ASSERT_EQ(sizes.size(), c.Sizes.size()) << c.What << "\n" << text;
    for (size_t i = 0; i < sizes.size(); ++i) EXPECT_NEAR(sizes[i], c.Sizes[i], 0.5) << c.What << ", tab " << i;
  }
}

// Vertical text keeps the box's stops every inch and a single block, and a
// right-to-left line keeps the estimate: the player places neither again.
TEST(RenderTextShape, VerticalAndRightToLeftTabsKeepTheirFirstPlacing) {
  auto shape = MakeShape(skText, 0, 0, 800, 100);
  shape->Columns = 2;
  TPPTXParagraph paragraph;
  paragraph.RightToLeft = true;
  paragraph.Runs = {MakeRun("a\tb")};
  shape->Paragraphs = {paragraph};
  EXPECT_FALSE(Has(RenderTextShape(*shape), "data-tabs"));
  shape->VerticalTextDeg = 90;
  const std::string vertical = RenderTextShape(*shape);
  EXPECT_TRUE(Has(vertical, "<span style=\"white-space:pre\">\t</span>")) << vertical;
  EXPECT_FALSE(Has(vertical, "data-columns"));
  auto unsized = MakeShape(skText, 0, 0, 0, 0);
  unsized->Paragraphs = {paragraph};
  EXPECT_EQ(RenderTextShape(*unsized), "") << "a shape without a size shows no text";
}

}  // namespace
}  // namespace tarvik
