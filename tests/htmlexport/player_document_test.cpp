// The player page: its fixed fragments in order, the stylesheet and script
// as embedded and filled in, the title in markup and script, slide size and
// object count, and balanced markup around the slides.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "htmlexport/player_document.h"
#include "htmlexport/renderer_test_util.h"

namespace tarvik {
namespace {

using test::MakeRun;
using test::MakeShape;

std::unique_ptr<TPPTXPresentation> Deck(int slides, int64_t widthEmu = 12192000, int64_t heightEmu = 6858000) {
  auto deck = std::make_unique<TPPTXPresentation>();
  deck->SlideWidthEmu = widthEmu;
  deck->SlideHeightEmu = heightEmu;
  for (int i = 0; i < slides; ++i) deck->Slides.push_back(std::make_unique<TPPTXSlide>());
  return deck;
}

// True when every needle occurs in Text, each after the previous one.
::testing::AssertionResult InOrder(const std::string& text, const std::vector<std::string>& needles) {
  size_t pos = 0;
  for (const auto& needle : needles) {
    size_t found = text.find(needle, pos);
    if (found == std::string::npos)
      return ::testing::AssertionFailure() << "missing after offset " << pos << ": " << needle;
    pos = found + needle.size();
  }
  return ::testing::AssertionSuccess();
}

TEST(CompactAsset, DropsCommentsAndIndentationOfStylesheets) {
  std::string css =
      "/* header\n   spanning lines */\n\n"
      "a{color:red;\n"
      "  background:blue}\n"
      "  /* one line */\n"
      "@media(x){\n  b{c:d}\n}\n";
  EXPECT_EQ(CompactAsset(css, TAssetSyntax::Css), "a{color:red;background:blue}@media(x){b{c:d}}");
}

TEST(CompactAsset, DropsLineCommentsOfScriptsAndKeepsLineBreaks) {
  std::string js = "// header\n(function(){\n  // inside\n  let a=1;\n\n  f('//not a comment');\n})();\n";
  EXPECT_EQ(CompactAsset(js, TAssetSyntax::Script), "(function(){\nlet a=1;\nf('//not a comment');\n})();");
}

TEST(FillTemplate, ReplacesKnownNamesOnceAndKeepsTheRest) {
  EXPECT_EQ(FillTemplate("a{{X}}b{{Y}}c{{X}}", {{"X", "1"}, {"Y", "{{X}}"}}), "a1b{{X}}c1");
  EXPECT_EQ(FillTemplate("{{UNKNOWN}} {{", {{"X", "1"}}), "{{UNKNOWN}} {{");
  EXPECT_EQ(FillTemplate("", {{"X", "1"}}), "");
}

TEST(PlayerStylesheet, HoldsEveryRuleInOrderWithTheComputedPlayerRule) {
  std::string css = PlayerStylesheetText(1280, 720);
  EXPECT_EQ(css.find("/*"), std::string::npos);
  EXPECT_EQ(css.find('\n'), std::string::npos);
  EXPECT_TRUE(InOrder(css, {
      ":root{color-scheme:dark;--bg:#080b14;", "*{box-sizing:border-box}", "html,body{", "body{", "button,input{",
      "button{border:0}", "#app{",
      "#player{position:relative;width:min(100%,calc(100vh * 1.778));aspect-ratio:1280/720;max-height:100%;"
      "border-radius:10px;overflow:hidden;box-shadow:0 18px 70px rgba(0,0,0,.55);background:#000}",
      "#stage{", ".slide{", ".slide.active{display:block}", ".slide svg{", "#topbar{",
      "#player.ui-visible #topbar{", "#title{", ".iconbtn{", ".iconbtn:hover{", ".iconbtn:active{",
      "#bottombar{", "#player.ui-visible #bottombar{", "#progress{", ".progress-fill{", "#counter{",
      ".tool{", ".tool:hover{", "#page{", ".tool:focus-visible,.iconbtn:focus-visible,#page:focus-visible{",
      "#thumbs{", "#player.thumbs-open #thumbs{display:flex}", ".thumb{", ".thumb.active{", ".thumb svg{",
      ".thumb span{", "#hint{", "#hint.show{opacity:1}", "@media(max-width:700px){",
      "@media(prefers-reduced-motion:reduce){*{scroll-behavior:auto!important;transition:none!important}}"}));
  // A thumbnail's copied slide takes no clicks, so a copied media player cannot swallow them.
  EXPECT_NE(css.find(".thumb svg{display:block;width:100%;height:100%;pointer-events:none}"), std::string::npos);
}

TEST(PlayerScript, OpensAndClosesAsThePageNeeds) {
  std::string js = PlayerScriptText("Deck");
  EXPECT_TRUE(js.starts_with("(function(){\"use strict\";\n"));
  EXPECT_TRUE(js.ends_with("show(1);})();"));
  EXPECT_TRUE(InOrder(js, {"title='Deck'", "let n=1,playing=false,timer=null,uiTimer=null,touchX=0,touchY=0;",
                           "function showHint(t)", "function updateUI()", "function show(i)", "function startPlay()",
                           "function stopPlay()", "function reveal()", "window.Tarvik={"}));
  EXPECT_EQ(js.find("{{"), std::string::npos);
}

TEST(PlayerScript, TitleCannotLeaveTheLiteralOrTheScript) {
  std::string js = PlayerScriptText("Q&A's \\ </script <!-- \"x\"");
  EXPECT_NE(js.find("title='Q&A\\'s \\\\ \\u003C/script \\u003C!-- \\\"x\\\"'"), std::string::npos);
  EXPECT_EQ(js.find("</script"), std::string::npos);
  EXPECT_EQ(js.find("<!--"), std::string::npos);
}

TEST(BuildPlayerDocument, WritesTheFixedFragmentsInOrder) {
  auto deck = Deck(2);
  int objects = -1;
  std::string doc = BuildPlayerDocument(*deck, "/decks/Quarterly.pptx", objects);
  EXPECT_TRUE(doc.starts_with("<!DOCTYPE html><html lang=\"en\"><head><meta charset=\"utf-8\">"));
  EXPECT_TRUE(doc.ends_with("show(1);})();</script></body></html>"));
  EXPECT_TRUE(InOrder(doc, {
      "<!DOCTYPE html><html lang=\"en\"><head><meta charset=\"utf-8\">"
      "<meta name=\"viewport\" content=\"width=device-width,initial-scale=1,viewport-fit=cover\">"
      "<meta name=\"theme-color\" content=\"#0b1020\">"
      "<meta name=\"description\" content=\"Quarterly \xE2\x80\x94 HTML5 presentation\">"
      "<title>Quarterly</title><style>:root{",
      "}</style></head><body><main id=\"app\"><section id=\"player\" aria-label=\"Quarterly HTML5 presentation\">"
      "<div id=\"stage\" tabindex=\"0\" role=\"region\" aria-label=\"Presentation slide\">"
      "<section class=\"slide\" data-index=\"1\"",
      "<section class=\"slide\" data-index=\"2\"",
      "</svg></section></div><div id=\"topbar\"><div id=\"title\">Quarterly</div>"
      "<button class=\"iconbtn\" id=\"help\" type=\"button\" title=\"Keyboard shortcuts\" "
      "aria-label=\"Keyboard shortcuts\">?</button>"
      "<button class=\"iconbtn\" id=\"fullscreen\" type=\"button\" title=\"Fullscreen\" "
      "aria-label=\"Fullscreen\">&#x26F6;</button></div>"
      "<div id=\"thumbs\" aria-label=\"Slide thumbnails\"></div>"
      "<div id=\"hint\" role=\"status\" aria-live=\"polite\"></div>"
      "<div id=\"bottombar\">"
      "<button class=\"iconbtn\" id=\"prev\" type=\"button\" title=\"Previous slide (Left Arrow)\" "
      "aria-label=\"Previous slide\">&#x2039;</button>"
      "<button class=\"iconbtn\" id=\"play\" type=\"button\" title=\"Play slideshow\" "
      "aria-label=\"Play slideshow\">&#x25B6;</button>"
      "<span id=\"counter\" aria-live=\"polite\">1 / 1</span>"
      "<input id=\"page\" type=\"number\" min=\"1\" value=\"1\" aria-label=\"Slide number\">"
      "<button class=\"tool\" id=\"go\" type=\"button\">Go</button>"
      "<button class=\"iconbtn\" id=\"next\" type=\"button\" title=\"Next slide (Right Arrow)\" "
      "aria-label=\"Next slide\">&#x203A;</button>"
      "<button class=\"tool\" id=\"thumbToggle\" type=\"button\" title=\"Show slide thumbnails\">Slides</button>"
      "<div id=\"progress\" role=\"progressbar\" aria-label=\"Presentation progress\" aria-valuemin=\"1\" "
      "aria-valuemax=\"1\" aria-valuenow=\"1\"><div class=\"progress-fill\"></div></div>"
      "</div></section></main><script>(function(){\"use strict\";",
      "title='Quarterly'"}));
  // The byte order mark belongs to the file, not to the text.
  EXPECT_FALSE(doc.starts_with("\xEF\xBB\xBF"));
}

TEST(BuildPlayerDocument, EscapesTheTitleForMarkupAndScript) {
  auto deck = Deck(1);
  int objects = 0;
  std::string doc = BuildPlayerDocument(*deck, "/decks/Q&A's.pptx", objects);
  EXPECT_NE(doc.find("<title>Q&amp;A&#39;s</title>"), std::string::npos);
  EXPECT_NE(doc.find("content=\"Q&amp;A&#39;s \xE2\x80\x94 HTML5 presentation\""), std::string::npos);
  EXPECT_NE(doc.find("<div id=\"title\">Q&amp;A&#39;s</div>"), std::string::npos);
  EXPECT_NE(doc.find("title='Q&A\\'s'"), std::string::npos);
}

TEST(BuildPlayerDocument, TitleDropsFolderAndLastExtensionOnly) {
  auto deck = Deck(1);
  int objects = 0;
  EXPECT_NE(BuildPlayerDocument(*deck, "/a/b/report.final.pptx", objects).find("<title>report.final</title>"),
            std::string::npos);
  EXPECT_NE(BuildPlayerDocument(*deck, "NoExtension", objects).find("<title>NoExtension</title>"),
            std::string::npos);
}

TEST(BuildPlayerDocument, SlideSizeOfZeroBecomes960By540) {
  auto deck = Deck(1, 0, 0);
  int objects = 0;
  std::string doc = BuildPlayerDocument(*deck, "Deck.pptx", objects);
  EXPECT_NE(doc.find("calc(100vh * 1.778));aspect-ratio:960/540;"), std::string::npos);
  EXPECT_NE(doc.find("viewBox=\"0 0 960 540\""), std::string::npos);
  auto portrait = Deck(1, 6858000, 9144000);
  doc = BuildPlayerDocument(*portrait, "Deck.pptx", objects);
  EXPECT_NE(doc.find("calc(100vh * 0.75));aspect-ratio:720/960;"), std::string::npos);
}

TEST(BuildPlayerDocument, DeckWithoutSlidesHasAnEmptyStage) {
  auto deck = Deck(0);
  int objects = 7;
  std::string doc = BuildPlayerDocument(*deck, "Empty.pptx", objects);
  EXPECT_EQ(objects, 0);
  EXPECT_NE(doc.find("aria-label=\"Presentation slide\"></div><div id=\"topbar\">"), std::string::npos);
  EXPECT_NE(doc.find("<span id=\"counter\" aria-live=\"polite\">1 / 1</span>"), std::string::npos);
}

TEST(BuildPlayerDocument, CountsEveryShapeAlsoThoseThatDrawNothing) {
  auto deck = Deck(3);
  deck->Slides[0]->Shapes.push_back(MakeShape(skRect, 0, 0, 10, 10));
  auto missingPicture = MakeShape(skImage, 0, 0, 10, 10);
  missingPicture->MediaFile = "/nonexistent/picture.png";
  deck->Slides[0]->Shapes.push_back(std::move(missingPicture));
  deck->Slides[2]->Shapes.push_back(MakeShape(skVideo, 0, 0, 10, 10));
  int objects = -1;
  BuildPlayerDocument(*deck, "Deck.pptx", objects);
  EXPECT_EQ(objects, 3);
}

// Tags outside the script open and close in matching pairs: what the
// browser builds from the page is the structure written here.
::testing::AssertionResult BalancedMarkup(const std::string& doc) {
  static const std::vector<std::string> kVoid = {"meta", "input", "br", "!DOCTYPE"};
  std::vector<std::string> open;
  size_t pos = 0;
  while ((pos = doc.find('<', pos)) != std::string::npos) {
    size_t end = doc.find('>', pos);
    if (end == std::string::npos) return ::testing::AssertionFailure() << "unclosed tag at " << pos;
    std::string tag = doc.substr(pos + 1, end - pos - 1);
    pos = end + 1;
    bool closing = tag.starts_with("/");
    bool selfClosing = tag.ends_with("/");
    std::string name = tag.substr(closing ? 1 : 0, tag.find_first_of(" /", closing ? 1 : 0) - (closing ? 1 : 0));
    if (closing) {
      if (open.empty() || open.back() != name)
        return ::testing::AssertionFailure() << "</" << name << "> closes " << (open.empty() ? "nothing" : open.back());
      open.pop_back();
    } else if (!selfClosing && std::find(kVoid.begin(), kVoid.end(), name) == kVoid.end()) {
      open.push_back(name);
      if (name == "script" || name == "style") {
        // Their content is not markup.
        size_t close = doc.find("</" + name + ">", pos);
        if (close == std::string::npos) return ::testing::AssertionFailure() << "no </" << name << ">";
        pos = close;
      }
    }
  }
  if (!open.empty()) return ::testing::AssertionFailure() << "left open: " << open.back();
  return ::testing::AssertionSuccess();
}

TEST(BuildPlayerDocument, MarkupIsBalanced) {
  auto deck = Deck(2);
  auto text = MakeShape(skText, 10, 10, 200, 100);
  TPPTXParagraph paragraph;
  paragraph.Runs.push_back(MakeRun("<b>not bold</b> & </section></div>"));
  text->Paragraphs.push_back(paragraph);
  deck->Slides[0]->Shapes.push_back(std::move(text));
  deck->Slides[1]->Shapes.push_back(MakeShape(skOval, 10, 10, 20, 20));
  int objects = 0;
  EXPECT_TRUE(BalancedMarkup(BuildPlayerDocument(*deck, "<title><script>.pptx", objects)));
}

}  // namespace
}  // namespace tarvik
