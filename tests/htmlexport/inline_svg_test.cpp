// Converted metafiles drawn inline: the drawing is kept, scaled into its box,
// and nothing of a hostile file that could run, fetch or collide survives.
#include <gtest/gtest.h>

#include <string>

#include "htmlexport/inline_svg.h"
#include "htmlexport/render_context.h"
#include "htmlexport/renderer_test_util.h"
#include "htmlexport/svg_renderer.h"

namespace tarvik {
namespace {

using test::MakeShape;
using test::ScratchFolder;

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string Svg(const std::string& body, const std::string& root = "viewBox=\"0 0 200 100\"") {
  return "<?xml version=\"1.0\"?><svg xmlns=\"http://www.w3.org/2000/svg\" "
         "xmlns:xlink=\"http://www.w3.org/1999/xlink\" " + root + ">" + body + "</svg>";
}

std::string Inline(const std::string& file) {
  std::string out = "before";
  if (!AppendInlineSvg(out, file, "p1_", 10, 20, 100, 50)) return out == "before" ? "<refused>" : "<changed>";
  return out.substr(6);
}

TEST(InlineSvg, KeepsTheDrawingScaledIntoItsBox) {
  ScratchFolder dir;
  const std::string drawn = Inline(dir.Write(
      "a.svg", Svg("<defs><clipPath id=\"c 1\"><rect width=\"9\" height=\"9\"/></clipPath></defs>"
                   "<text clip-path=\"url(#c 1)\" font-family=\"Arial\" x=\"3\" y=\"12\"><![CDATA[Fox & <dog>]]></text>"
                   "<use xlink:href=\"#c 1\" href=\"#c 1\"/>")));
  EXPECT_TRUE(Has(drawn, "<g class=\"metafile\" transform=\"translate(10 20) scale(0.5 0.5) translate(0 0)\">")) << drawn;
  EXPECT_TRUE(Has(drawn, "<clipPath id=\"p1_1\">")) << "ids are numbered in the order they are met";
  EXPECT_TRUE(Has(drawn, "clip-path=\"url(#p1_1)\"")) << "references follow their ids";
  EXPECT_TRUE(Has(drawn, "<use href=\"#p1_1\">"));
  EXPECT_TRUE(Has(drawn, ">Fox &amp; &lt;dog&gt;</text>")) << "the words are text of the page";

  // Without a viewBox the width and height are the drawing's units.
  EXPECT_TRUE(Has(Inline(dir.Write("b.svg", Svg("<path d=\"M0 0\"/>", "width=\"400px\" height=\"25\""))),
                  "scale(0.25 2)"));
}

TEST(InlineSvg, LeavesOutWhatCouldRunOrFetch) {
  ScratchFolder dir;
  const std::string hostile = Svg(
      "<script>alert(1)</script><g onload=\"alert(2)\" class=\"x\" fill=\"url(http://evil/p)\" stroke=\"red\">"
      "<foreignObject><div>smuggled</div></foreignObject><a href=\"javascript:alert(3)\"><text>link</text></a>"
      "<use href=\"http://evil/x.svg#y\"/>"
      "<rect style=\"fill:red;behavior:url(x.htc);stroke:url(http://evil);background:url(#p)\" "
      "mask=\"u\\72l(http://evil)\"/><style>@import url(http://evil);</style><text>ok\x01</text></g>");
  const std::string drawn = Inline(dir.Write("h.svg", hostile));
  for (const char* gone : {"script", "alert", "onload", "class=\"x", "evil", "foreignObject", "smuggled", "javascript",
                           "link", "behavior", "background", "@import", "style>", "mask=", "\x01"})
    EXPECT_FALSE(Has(drawn, gone)) << gone << " in " << drawn;
  EXPECT_TRUE(Has(drawn, "stroke=\"red\""));
  EXPECT_TRUE(Has(drawn, "style=\"fill:red;\""));
  EXPECT_TRUE(Has(drawn, "<text>ok</text>"));
}

TEST(InlineSvg, RefusesWhatIsNoDrawing) {
  ScratchFolder dir;
  std::string deep;
  for (int i = 0; i < 100; ++i) deep += "<g>";
  for (int i = 0; i < 100; ++i) deep += "</g>";
  for (const auto& [name, bytes] : std::initializer_list<std::pair<const char*, std::string>>{
           {"broken.svg", "<svg viewBox=\"0 0 1 1\"><g></svg>"},
           {"html.svg", "<html><body>no</body></html>"},
           {"sizeless.svg", Svg("<rect/>", "")},
           {"flat.svg", Svg("<rect/>", "viewBox=\"0 0 0 10\"")},
           {"deep.svg", Svg(deep)},
           {"bitmap.svg", Svg("<text>t</text><image href=\"data:image/png;base64,AAAA\"/>")},
           {"empty.svg", ""},
       })
    EXPECT_EQ(Inline(dir.Write(name, bytes)), "<refused>") << name;
  EXPECT_EQ(Inline(JoinPath(dir.Path(), "absent.svg")), "<refused>");
}

TEST(InlineSvg, KeepsPicturesOnlyWhereTheOptionsPutThem) {
  ScratchFolder dir;
  TInlineSvgOptions options;
  options.Picture = [](std::string& out, std::string_view, std::string_view base64, double x, double, double w,
                       double h) {
    out += "<pic at=" + std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(w)) + "x" +
           std::to_string(static_cast<int>(h)) + "/>";
    return base64 != "cmVmdXNl" && base64.find('\n') == std::string_view::npos;
  };
  const struct {
    const char* Body;
    bool Kept;
  } cases[] = {
      {"<image x=\"1\" width=\"5\" height=\"4\" opacity=\".5\" xlink:href=\"data:image/png;base64,iVBORw0KGgo=\"/>",
       true},
      {"<image width=\"5\" height=\"4\" href=\"data:image/jpeg;base64,\n/9j/\n4AAQ\"/>", true},  // wrapped, as libwmf writes it
      {"<image href=\"data:image/svg+xml;base64,PHN2Zy8+\"/>", false},  // a drawing could run scripts
      {"<image href=\"http://evil/x.png\"/>", false},
      {"<image href=\"data:image/png;base64,iV\\\"onload=x\"/>", false},
      {"<image width=\"5\" height=\"4\" href=\"data:image/png;base64,cmVmdXNl\"/>", false},  // the caller cannot keep it
  };
  for (const auto& c : cases) {
    std::string out;
    const bool kept = AppendInlineSvg(out, dir.Write("p.svg", Svg(std::string("<text>t</text>") + c.Body)), "p_", 0, 0,
                                      10, 10, options);
    EXPECT_EQ(kept, c.Kept) << c.Body;
    if (kept) {
      EXPECT_TRUE(Has(out, "<pic at=") && Has(out, " 5x4/></g>") && !Has(out, "data:")) << out;
    }
  }
}

TEST(RenderImageShape, AMetafileJoinsTheSlideUnlessItIsACopyWithoutWords) {
  ScratchFolder dir;
  const std::string emf = dir.Write("chart.emf", "EMF");
  const std::string picture = "<image width=\"4\" height=\"4\" href=\"data:image/png;base64,iVBORw0KGgo=\"/>";
  const struct {
    std::string Body;
    bool Joins;
  } cases[] = {
      {"<text x=\"1\" y=\"9\">Sales</text>" + picture, true},
      {"<text> </text><rect width=\"9\" height=\"9\"/>", false},  // a logo on every slide stays one shared picture
  };
  for (const auto& c : cases) {
    const std::string converted = dir.Write("chart.svg", Svg(c.Body));
    TPPTXPresentation deck;
    deck.Slides.push_back(std::make_unique<TPPTXSlide>());
    for (int i = 0; i < 2; ++i) {
      auto shape = MakeShape(skImage, 10, 20, 100, 50);
      shape->MediaFile = emf;
      shape->DrawingFile = converted;
      deck.Slides[0]->Shapes.push_back(std::move(shape));
    }
    TRenderContext page(deck);
    page.SharePictures();
    const std::string first = RenderShape(*deck.Slides[0]->Shapes[0], page);
    EXPECT_EQ(Has(first, "class=\"metafile\""), c.Joins) << first;
    EXPECT_EQ(Has(first, "<use href=\"#pic_0"), !c.Joins) << first;
    if (!c.Joins) continue;
    // A page in one file holds the drawing's picture once, however often it is drawn.
    const std::string second = RenderShape(*deck.Slides[0]->Shapes[1], page);
    EXPECT_TRUE(Has(first, "href=\"data:image/png;base64,iVBORw0KGgo=\"")) << first;
    EXPECT_FALSE(Has(second, "data:")) << second;
    EXPECT_TRUE(Has(second, "<use href=\"#pic_d00000001\"")) << second;

    // A page whose pictures are files beside it gets the drawing's picture as one file, however often drawn.
    TRenderContext folder(deck);
    folder.ReferenceMedia();
    for (int i = 0; i < 2; ++i)
      EXPECT_TRUE(Has(RenderShape(*deck.Slides[0]->Shapes[i], folder), "href=\"tarvik-media:0\""));
    ASSERT_EQ(folder.ReferencedMedia().size(), 1u);
    EXPECT_EQ(ReadFileBytes(folder.ReferencedMedia()[0]), std::string("\x89PNG\r\n\x1a\n", 8));
  }
}

}  // namespace
}  // namespace tarvik
