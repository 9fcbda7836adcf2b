// The bundled sample talk (examples/sample.pptx): eight slides that use what
// real decks use — theme fonts and scheme colours, placeholders placed by the
// layout, bullets and mixed runs, basic shapes, a line and a flipped
// connector, a rotated group with a nested group, cropped and mirrored
// pictures, a table, non-ASCII text and coloured backgrounds.
#include "decks.h"
#include "pictures.h"
#include "slide_xml.h"

namespace mkdeck {

using tarvik::test::RelationshipXml;
using tarvik::test::TDeckParts;
using tarvik::test::TDeckWriter;
using tarvik::test::TSlideParts;

namespace {

enum { kLayoutContent = 1, kLayoutTitleSlide = 2, kLayoutTitleOnly = 3 };

const char* const kLatinMajor = "<a:latin typeface=\"+mj-lt\"/>";
const char* const kNavy = "1F3864";

// A placeholder without a box of its own: its place comes from the layout.
std::string Placeholder(int id, const std::string& name, const std::string& type,
                        const std::string& idx, const std::string& paragraphs) {
  return Shape(id, name, "<p:spPr/>", TxBody(paragraphs), PlaceholderNvPr(type, idx));
}

std::string TitleOf(const std::string& text) {
  return Placeholder(2, "Title 1", "title", "", Para(Run(text)));
}

std::string BulletPara(int level, const std::string& runs) {
  const char* ch = level == 0 ? "\xE2\x80\xA2" : "\xE2\x80\x93";
  return Para(runs, "lvl=\"" + std::to_string(level) + "\"", Bullet(ch));
}

// A text box with one centred paragraph, used as a caption.
std::string Caption(int id, const std::string& name, const TBox& box, const std::string& text) {
  return Shape(id, name, SpPr(Xfrm(box), "rect", "<a:noFill/>"),
               TxBody(Para(Run(text, "sz=\"1400\"", SolidFill(Scheme("tx1", "<a:lumMod val=\"65000\"/><a:lumOff val=\"35000\"/>"))),
                           "algn=\"ctr\""),
                      "wrap=\"square\" lIns=\"91440\" tIns=\"45720\" rIns=\"91440\" bIns=\"45720\""),
               "<p:nvPr/>", true);
}

TSlideParts TitleSlide() {
  TSlideParts s;
  s.Layout = kLayoutTitleSlide;
  s.Background = "<p:bgPr>" + SolidFill(Srgb(kNavy)) + "<a:effectLst/></p:bgPr>";
  s.SpTree =
      Placeholder(2, "Title 1", "ctrTitle", "",
                  Para(Run("Reading decks without PowerPoint", "sz=\"5400\" b=\"1\"",
                           SolidFill(Scheme("bg1")) + kLatinMajor),
                       "algn=\"ctr\"")) +
      Placeholder(3, "Subtitle 2", "subTitle", "1",
                  Para(Run("A sample talk \xE2\x80\x94 Zo\xC3\xAB Bront\xC3\xAB, Krak\xC3\xB3w",
                           "sz=\"2400\"",
                           SolidFill(Scheme("bg1", "<a:lumMod val=\"85000\"/>"))),
                       "algn=\"ctr\"")) +
      Shape(4, "Accent Bar", SpPr(Xfrm({4572000, 5334000, 3048000, 91440}), "rect",
                                  SolidFill(Scheme("accent2")), "<a:ln><a:noFill/></a:ln>"));
  return s;
}

TSlideParts BulletSlide() {
  TSlideParts s;
  s.Layout = kLayoutContent;
  std::string accent2 = SolidFill(Scheme("accent2"));
  s.SpTree =
      TitleOf("Why put decks on the web?") +
      Placeholder(
          3, "Content Placeholder 2", "", "1",
          // The lone space between "for" and "the" is a run of its own.
          BulletPara(0, Run("Decks travel ") + Run("for", "b=\"1\"") + Run(" ") +
                            Run("the", "i=\"1\"") + Run(" web, not just the projector")) +
              BulletPara(1, Run("Every browser, no plug-ins")) +
              BulletPara(1, Run("Phones and tablets", "", accent2)) +
              BulletPara(0, Run("Keep ") + Run("one source", "u=\"sng\"") +
                                Run(" for many outputs")) +
              BulletPara(0, Run("Fonts come from the theme: ") +
                                Run("headings", "", kLatinMajor) + Run(" and ") +
                                Run("body text", "", "<a:latin typeface=\"+mn-lt\"/>")) +
              BulletPara(0, Run("Colours come from the scheme: ") +
                                Run("accent 1", "b=\"1\"", SolidFill(Scheme("accent1"))) +
                                Run(", ") + Run("accent 2", "b=\"1\"", accent2) + Run(", ") +
                                Run("darker accent 6", "b=\"1\"",
                                    SolidFill(Scheme("accent6", "<a:lumMod val=\"75000\"/>")))));
  return s;
}

TSlideParts ShapesSlide() {
  TSlideParts s;
  s.Layout = kLayoutTitleOnly;
  const std::string darkOutline =
      Outline(1.5, Scheme("accent1", "<a:lumMod val=\"50000\"/>"));
  s.SpTree =
      TitleOf("Shapes") +
      Shape(3, "Rectangle", SpPr(Xfrm({838200, 1900000, 2286000, 1524000}), "rect",
                                 SolidFill(Scheme("accent1")), darkOutline)) +
      Shape(4, "Rounded Rectangle", SpPr(Xfrm({3581400, 1900000, 2286000, 1524000}), "roundRect",
                                         SolidFill(Scheme("accent6")), darkOutline)) +
      Shape(5, "Ellipse", SpPr(Xfrm({6324600, 1900000, 2286000, 1524000}), "ellipse",
                               SolidFill(Srgb("ED7D31", "<a:lumMod val=\"75000\"/>")))) +
      Shape(6, "Triangle", SpPr(Xfrm({9067800, 1900000, 2286000, 1524000}), "triangle",
                                SolidFill(Scheme("accent4")))) +
      Caption(7, "Caption Rectangle", {838200, 3500000, 2286000, 400000}, "rectangle") +
      Caption(8, "Caption Rounded", {3581400, 3500000, 2286000, 400000}, "rounded rectangle") +
      Caption(9, "Caption Ellipse", {6324600, 3500000, 2286000, 400000}, "ellipse") +
      Caption(10, "Caption Triangle", {9067800, 3500000, 2286000, 400000}, "triangle") +
      Shape(11, "Line", SpPr(Xfrm({838200, 4400000, 4572000, 0}), "line", "",
                             Outline(3, Scheme("accent6")))) +
      Connector(12, "Connector (flipped)", Xfrm({838200, 4700000, 4572000, 1200000}, 0, false, true),
                "straightConnector1",
                Outline(2.25, Scheme("tx2"), "<a:tailEnd type=\"triangle\"/>")) +
      Shape(13, "Button",
            SpPr(Xfrm({6324600, 4600000, 2286000, 762000}), "roundRect",
                 SolidFill(Scheme("accent2")), "<a:ln><a:noFill/></a:ln>"),
            TxBody(Para(Run("Start \xE2\x96\xB6", "sz=\"2000\" b=\"1\"", SolidFill(Scheme("bg1"))),
                        "algn=\"ctr\""),
                   "anchor=\"ctr\" lIns=\"91440\" tIns=\"45720\" rIns=\"91440\" bIns=\"45720\"")) +
      Shape(14, "Stamp",
            SpPr(Xfrm({9067800, 4600000, 2286000, 762000}, -8), "rect", "",
                 Outline(2, Srgb("C00000"))),
            TxBody(Para(Run("DRAFT", "sz=\"2800\" b=\"1\"", SolidFill(Srgb("C00000"))),
                        "algn=\"ctr\""),
                   "anchor=\"ctr\""));
  return s;
}

TSlideParts GroupSlide() {
  TSlideParts s;
  s.Layout = kLayoutTitleOnly;
  // The child space is half the size of the frame: every member doubles.
  std::string label = "sz=\"1400\" b=\"1\"";
  std::string inner = Group(
      20, "Inner", {2000000, 1100000, 800000, 400000}, {2000000, 1100000, 800000, 400000}, 0,
      Shape(21, "Dot 1", SpPr(Xfrm({2000000, 1100000, 300000, 300000}), "ellipse",
                              SolidFill(Scheme("accent4")))) +
          Shape(22, "Dot 2", SpPr(Xfrm({2500000, 1100000, 300000, 300000}), "ellipse",
                                  SolidFill(Scheme("accent5")))));
  std::string members =
      Shape(15, "Box Input",
            SpPr(Xfrm({0, 0, 1000000, 600000}), "rect", SolidFill(Scheme("accent1"))),
            TxBody(Para(Run("Input", label, SolidFill(Scheme("bg1"))), "algn=\"ctr\""),
                   "anchor=\"ctr\"")) +
      Shape(16, "Hub", SpPr(Xfrm({1100000, 500000, 800000, 800000}), "ellipse",
                            SolidFill(Scheme("accent2")))) +
      Shape(17, "Box Output",
            SpPr(Xfrm({2000000, 0, 1000000, 600000}), "rect", SolidFill(Scheme("accent6"))),
            TxBody(Para(Run("Output", label, SolidFill(Scheme("bg1"))), "algn=\"ctr\""),
                   "anchor=\"ctr\"")) +
      Connector(18, "Link", Xfrm({1000000, 300000, 1000000, 0}), "straightConnector1",
                Outline(1.5, Scheme("tx1"))) +
      inner;
  s.SpTree = TitleOf("Groups") +
             Group(14, "Diagram", {3048000, 2000000, 6000000, 3000000}, {0, 0, 3000000, 1500000},
                   15, members) +
             Caption(23, "Caption Group", {838200, 5600000, 10515600, 400000},
                     "One group, turned by 15\xC2\xB0, holding a smaller group");
  return s;
}

TSlideParts PictureSlide() {
  TSlideParts s;
  s.Layout = kLayoutTitleOnly;
  s.Rels = RelationshipXml("rId2", "image", "../media/image1.png") +
           RelationshipXml("rId3", "image", "../media/image2.png");
  s.SpTree =
      TitleOf("Pictures") +
      Picture(3, "Landscape", "rId2", Xfrm({838200, 1900000, 3200400, 2133600}), "",
              "Hills under a yellow sun") +
      Picture(4, "Landscape (cropped)", "rId2", Xfrm({4343400, 1900000, 2286000, 1600200}),
              "l=\"25000\" t=\"10000\" r=\"15000\" b=\"20000\"") +
      Picture(5, "Arrow", "rId3", Xfrm({7010400, 1900000, 1371600, 1371600})) +
      Picture(6, "Arrow (mirrored)", "rId3",
              Xfrm({8686800, 1900000, 1371600, 1371600}, 0, true, false)) +
      Picture(7, "Arrow (upside down)", "rId3",
              Xfrm({8686800, 3500000, 1371600, 1371600}, 0, false, true)) +
      Caption(8, "Caption Pictures", {838200, 5200000, 10515600, 400000},
              "The same landscape whole and cropped; the same arrow as drawn, mirrored and "
              "upside down");
  return s;
}

TSlideParts WorldSlide() {
  TSlideParts s;
  s.Layout = kLayoutContent;
  s.Background = "<p:bgPr>" +
                 SolidFill(Scheme("accent1", "<a:lumMod val=\"20000\"/><a:lumOff val=\"80000\"/>")) +
                 "<a:effectLst/></p:bgPr>";
  std::string ea = "<a:ea typeface=\"Noto Sans CJK JP\"/>";
  s.SpTree =
      TitleOf("Around the world \xF0\x9F\x8C\x8D") +
      Placeholder(
          3, "Content Placeholder 2", "", "1",
          BulletPara(0, Run("Accents: caf\xC3\xA9, na\xC3\xAFve, fa\xC3\xA7" "ade, "
                            "\xC3\x86r\xC3\xB8sk\xC3\xB8" "bing, \xC5\x81\xC3\xB3" "d\xC5\xBA")) +
              BulletPara(0, Run("Greek and Cyrillic: \xCE\x91\xCE\xB8\xCE\xAE\xCE\xBD\xCE\xB1, "
                                "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0")) +
              BulletPara(0, Run("CJK: ") +
                                Run("\xE6\x9D\xB1\xE4\xBA\xAC \xC2\xB7 \xE5\x8C\x97\xE4\xBA\xAC "
                                    "\xC2\xB7 \xEC\x84\x9C\xEC\x9A\xB8",
                                    "altLang=\"ja-JP\"", ea)) +
              BulletPara(0, Run("Emoji: \xF0\x9F\x9A\x80 \xF0\x9F\x8E\x89 \xF0\x9F\x91\x8B")) +
              BulletPara(0, Run("Symbols: \xE2\x82\xAC 5 \xC2\xB1 2 \xE2\x89\xA4 10 & <tags> \"quoted\"")));
  return s;
}

TSlideParts ResultsSlide() {
  TSlideParts s;
  s.Layout = kLayoutTitleOnly;
  s.Rels = RelationshipXml("rId2", "image", "../media/image3.png");
  s.SpTree = TitleOf("Results") +
             Table(3, "Table", {838200, 1900000, 5029200, 1828800},
                   {{"Output", "Slides", "Time"},
                    {"HTML5", "8", "0.2 s"},
                    {"EPUB", "8", "0.3 s"},
                    {"SCORM", "8", "0.3 s"}}) +
             Picture(4, "Chart", "rId2", Xfrm({6477000, 1900000, 4876800, 3169920}), "",
                     "Bar chart rising to the right") +
             Shape(5, "Callout",
                   SpPr(Xfrm({8839200, 5200000, 2514600, 762000}), "wedgeRectCallout",
                        SolidFill(Scheme("accent4", "<a:lumMod val=\"40000\"/><a:lumOff val=\"60000\"/>")),
                        Outline(1, Scheme("accent4"))),
                   TxBody(Para(Run("Up 25%!", "sz=\"2000\" b=\"1\""), "algn=\"ctr\""),
                          "anchor=\"ctr\""));
  return s;
}

TSlideParts ClosingSlide() {
  TSlideParts s;
  s.Layout = kLayoutTitleSlide;
  s.Background = "<p:bgPr>" + SolidFill(Srgb(kNavy)) + "<a:effectLst/></p:bgPr>";
  s.Rels = RelationshipXml("rId2", "image", "../media/image2.png");
  s.SpTree =
      Placeholder(2, "Title 1", "ctrTitle", "",
                  Para(Run("Thank you!", "sz=\"6000\" b=\"1\"", SolidFill(Scheme("bg1"))),
                       "algn=\"ctr\"")) +
      Placeholder(3, "Subtitle 2", "subTitle", "1",
                  Para(Run("Questions? ", "sz=\"2400\"", SolidFill(Scheme("accent4"))) +
                           Run("tarvik@example.org", "sz=\"2400\"", SolidFill(Scheme("bg1"))),
                       "algn=\"ctr\"")) +
      Picture(4, "Badge", "rId2", Xfrm({5638800, 5334000, 914400, 914400}));
  return s;
}

}  // namespace

TDeckWriter BuildSampleDeck() {
  TDeckParts parts;
  AddTalkLayouts(parts);
  parts.Slides = {TitleSlide(),  BulletSlide(), ShapesSlide(),  GroupSlide(),
                 PictureSlide(), WorldSlide(),  ResultsSlide(), ClosingSlide()};
  TDeckWriter w = tarvik::test::BuildMinimalDeck(parts);
  // PNG is deflated already; store it as PowerPoint does.
  const auto stored = TDeckWriter::TStorage::Stored;
  w.Add("ppt/media/image1.png", LandscapePng(480, 320), stored);
  w.Add("ppt/media/image2.png", ArrowBadgePng(200), stored);
  w.Add("ppt/media/image3.png", BarChartPng(400, 260), stored);
  return w;
}

}  // namespace mkdeck
