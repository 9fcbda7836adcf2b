// Writes the decks the browser tests drive: ten slides whose content the tests
// know (pictures used twice, a crop, an audio player without a poster, text
// that looks like a data URI, coloured backgrounds), once as player.pptx and
// once under a name that tries to break out of the page's script; a deck
// without slides as empty.pptx; and paint.pptx, one slide whose master band,
// gradient and arrowhead the pixel tests look for; and autofit.pptx, shrunk
// text that overflows its box, fits it, or fits but for empty paragraphs;
// and text_layout.pptx, lines that tab to the deck's stops and text in columns.
//   player_deck <folder>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <string>

#include "pictures.h"
#include "slide_xml.h"
#include "support/deck_writer.h"

using namespace mkdeck;
using tarvik::test::BuildMinimalDeck;
using tarvik::test::RelationshipXml;
using tarvik::test::TDeckParts;
using tarvik::test::TDeckWriter;
using tarvik::test::TSlideParts;

namespace {

constexpr int64_t kSlideCx = 12192000, kSlideCy = 6858000;

// One second of a quiet 440 Hz tone, 8 kHz mono 8-bit PCM.
std::string ToneWav() {
  const uint32_t rate = 8000, samples = 8000;
  std::string wav;
  auto u32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) wav += static_cast<char>((v >> (8 * i)) & 0xFF); };
  auto u16 = [&](uint16_t v) { for (int i = 0; i < 2; ++i) wav += static_cast<char>((v >> (8 * i)) & 0xFF); };
  wav += "RIFF";
  u32(36 + samples);
  wav += "WAVEfmt ";
  u32(16);
  u16(1);
  u16(1);
  u32(rate);
  u32(rate);
  u16(1);
  u16(8);
  wav += "data";
  u32(samples);
  for (uint32_t i = 0; i < samples; ++i) {
    // A triangle wave is enough; no floating point needed.
    uint32_t phase = (i * 440 * 4 / rate) % 4;
    int level = phase == 0 ? 0 : phase == 1 ? 20 : phase == 2 ? 0 : -20;
    wav += static_cast<char>(128 + level);
  }
  return wav;
}

std::string Background(const std::string& hex) {
  return "<p:bgPr>" + SolidFill(Srgb(hex)) + "<a:effectLst/></p:bgPr>";
}

std::string TextBox(int id, const std::string& name, const TBox& box, const std::string& text,
                    const std::string& size = "2800") {
  return Shape(id, name, SpPr(Xfrm(box), "rect"), TxBody(Para(Run(text, "sz=\"" + size + "\""))), "<p:nvPr/>",
               true);
}

// An audio frame as PowerPoint writes it, but without a poster picture, so
// that the page shows the browser's audio player.
std::string AudioFrame(int id, const TBox& box, const std::string& mediaRel) {
  return "<p:pic><p:nvPicPr><p:cNvPr id=\"" + std::to_string(id) +
         "\" name=\"Tone\"/><p:cNvPicPr/><p:nvPr><a:audioFile r:link=\"" + mediaRel +
         "\"/></p:nvPr></p:nvPicPr><p:blipFill/><p:spPr>" + Xfrm(box) +
         "<a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></p:spPr></p:pic>";
}

TDeckWriter BuildPlayerDeck() {
  TDeckParts parts;
  parts.SlideWidthEmu = kSlideCx;
  parts.SlideHeightEmu = kSlideCy;
  const std::string imageRel = RelationshipXml("rId10", "image", "../media/landscape.png");
  const std::string badgeRel = RelationshipXml("rId11", "image", "../media/badge.png");

  TSlideParts first;
  first.Background = Background("FFFFFF");
  first.SpTree = TextBox(2, "Title", {609600, 304800, 10972800, 914400}, "Player test deck", "4000") +
                 Picture(3, "Landscape", "rId10", Xfrm({609600, 1371600, 6096000, 3429000})) +
                 TextBox(4, "Lookalike", {7010400, 1371600, 4572000, 2286000},
                         "Text is text: data:image/png;base64,iVBORw0KGgo= stays here.", "1800");
  first.Rels = imageRel;
  parts.Slides.push_back(first);

  TSlideParts audio;
  audio.Background = Background("EAF2FF");
  audio.SpTree = TextBox(2, "Title", {609600, 304800, 10972800, 914400}, "Slide with audio") +
                 AudioFrame(3, {1524000, 1524000, 9144000, 4572000}, "rId12");
  audio.Rels = RelationshipXml("rId12", "audio", "../media/tone.wav");
  parts.Slides.push_back(audio);

  TSlideParts reuse;
  reuse.Background = Background("FFF4E0");
  reuse.SpTree = TextBox(2, "Title", {609600, 304800, 10972800, 914400}, "Same picture, and a crop") +
                 Picture(3, "Landscape again", "rId10", Xfrm({609600, 1371600, 4572000, 2571750})) +
                 Picture(4, "Cropped badge", "rId11", Xfrm({6096000, 1371600, 2743200, 2743200}),
                         "l=\"25000\" r=\"25000\"");
  reuse.Rels = imageRel + badgeRel;
  parts.Slides.push_back(reuse);

  for (int n = 4; n <= 10; ++n) {
    TSlideParts s;
    s.Background = Background(n % 2 == 0 ? "F0FFF0" : "FFFFFF");
    s.SpTree = TextBox(2, "Title", {609600, 304800, 10972800, 914400}, "Slide " + std::to_string(n)) +
               Shape(3, "Box", SpPr(Xfrm({609600, 1828800, 3048000, 1524000}), "rect", SolidFill(Srgb("4472C4"))));
    parts.Slides.push_back(s);
  }

  TDeckWriter deck = BuildMinimalDeck(parts);
  deck.Add("ppt/media/landscape.png", LandscapePng(320, 180));
  deck.Add("ppt/media/badge.png", ArrowBadgePng(128));
  deck.Add("ppt/media/tone.wav", ToneWav());
  // The minimal deck's content types know no .wav.
  std::string types = deck.Bytes("[Content_Types].xml");
  types.insert(types.find("<Default Extension=\"xml\""),
               "<Default Extension=\"wav\" ContentType=\"audio/wav\"/>");
  deck.Add("[Content_Types].xml", types);
  return deck;
}

// Thirds of the slide in EMU, so that the test can find things by share.
TDeckWriter BuildPaintDeck() {
  TDeckParts parts;
  parts.SlideWidthEmu = kSlideCx;
  parts.SlideHeightEmu = kSlideCy;
  // Master art: a green band over the top tenth of every slide.
  parts.MasterSpTree = Shape(10, "Band", SpPr(Xfrm({0, 0, kSlideCx, kSlideCy / 10}), "rect", SolidFill(Srgb("00B050"))));
  const std::string gradient =
      "<a:gradFill><a:gsLst><a:gs pos=\"0\">" + Srgb("FF0000") + "</a:gs><a:gs pos=\"100000\">" + Srgb("0000FF") +
      "</a:gs></a:gsLst><a:lin ang=\"0\" scaled=\"0\"/></a:gradFill>";
  TSlideParts slide;
  slide.Background = Background("FFFFFF");
  slide.SpTree =
      Shape(2, "Gradient", SpPr(Xfrm({kSlideCx / 10, kSlideCy * 3 / 10, kSlideCx * 8 / 10, kSlideCy / 5}), "rect", gradient)) +
      Connector(3, "Arrow", Xfrm({kSlideCx / 10, kSlideCy * 3 / 4, kSlideCx * 7 / 10, 0}), "line",
                Outline(3, Srgb("000000"), "<a:tailEnd type=\"triangle\" w=\"lg\" len=\"lg\"/>"));
  parts.Slides.push_back(slide);
  return BuildMinimalDeck(parts);
}

// Side by side: 28 pt text four times too tall for its box; text that fits
// at full size though stored at half; a line that fits, then empty
// paragraphs that do not. Each box's text starts with its name. Under them,
// unwrapped lines twice as long as their boxes, aligned left, centred and
// right, named after their alignment.
TDeckWriter BuildAutoFitDeck() {
  auto box = [](int id, int paragraphs, int words, int empty, const std::string& fit) {
    std::string body, text = "Box" + std::to_string(id);
    for (int w = 1; w < words; ++w) text += " word";
    for (int p = 0; p < paragraphs; ++p) body += Para(Run(text, "sz=\"2800\""));
    for (int p = 0; p < empty; ++p) body += "<a:p><a:endParaRPr sz=\"2800\"/></a:p>";
    const TBox at{kSlideCx / 3 * (id - 2) + 100000, 100000, kSlideCx / 3 - 200000, kSlideCy / 3};
    return Shape(id, text, SpPr(Xfrm(at), "rect"), "<p:txBody><a:bodyPr wrap=\"square\">" + fit +
                 "</a:bodyPr><a:lstStyle/>" + body + "</p:txBody>");
  };
  TDeckParts parts;
  parts.SlideWidthEmu = kSlideCx;
  parts.SlideHeightEmu = kSlideCy;
  TSlideParts slide;
  slide.SpTree = box(2, 6, 12, 0, "<a:normAutofit fontScale=\"25000\" lnSpcReduction=\"20000\"/>") +
                 box(3, 1, 2, 0, "<a:normAutofit fontScale=\"50000\" lnSpcReduction=\"20000\"/>") +
                 box(4, 1, 2, 6, "<a:normAutofit/>");
  int id = 5;
  for (const char* align : {"l", "ctr", "r"}) {
    const TBox at{kSlideCx / 4 * (id - 4), kSlideCy * 2 / 3, kSlideCx / 8, kSlideCy / 8};
    const std::string line = Para(Run(std::string("Unwrapped-") + align + " line", "sz=\"2800\""),
                                  std::string("algn=\"") + align + "\"");
    slide.SpTree += Shape(id++, align, SpPr(Xfrm(at), "rect"), TxBody(line, "wrap=\"none\""));
  }
  parts.Slides.push_back(slide);
  return BuildMinimalDeck(parts);
}

// Slide 1: tabbed lines in boxes without insets, each starting with its
// name: to a stop of the deck's from a hanging first line, to the default
// pitch past a margin off it, to a right stop, and in a shrunk box whose
// stored scale would put the text before its tab short of the first stop,
// though at the size the player fits it to that text runs past it. Stops
// (px from the text's edge) are in the name. Slide 2: two boxes of two
// columns 100 px apart where three lines fit a column, with six lines, and
// with eight that shrink to fit.
TDeckWriter BuildTextLayoutDeck() {
  constexpr int64_t kPx = 9525;
  auto box = [](int id, const std::string& pPr, const std::string& tabs, const std::string& text,
                const std::string& fit = "") {
    const TBox at{100 * kPx, (40 + 150 * int64_t{id - 2}) * kPx, 1000 * kPx, 120 * kPx};
    const std::string label = text.substr(0, text.find('\t') + 1);
    const std::string runs = Run(label, "sz=\"2800\"", "<a:latin typeface=\"Liberation Sans\"/>") +
                             Run(text.substr(label.size()), "sz=\"2800\"", "<a:latin typeface=\"Liberation Sans\"/>");
    return Shape(id, label, SpPr(Xfrm(at), "rect"),
                 "<p:txBody><a:bodyPr wrap=\"square\" lIns=\"0\" rIns=\"0\">" + fit + "</a:bodyPr><a:lstStyle/>" +
                     Para(runs, pPr, tabs.empty() ? "" : "<a:tabLst>" + tabs + "</a:tabLst>") + "</p:txBody>");
  };
  TDeckParts parts;
  parts.SlideWidthEmu = kSlideCx;
  parts.SlideHeightEmu = kSlideCy;
  TSlideParts slide;
  slide.SpTree =
      box(2, "marL=\"342900\" indent=\"-342900\"", "<a:tab pos=\"2857500\"/>", "Left-300\tvalue") +
      box(3, "marL=\"190500\" defTabSz=\"457200\"", "", "Pitch-48\tvalue") +
      box(4, "", "<a:tab pos=\"6667500\" algn=\"r\"/>", "Right-700\tvalue") +
      box(5, "", "<a:tab pos=\"952500\"/><a:tab pos=\"5715000\"/>", "Shrunk-100-600\tvalue",
          "<a:normAutofit fontScale=\"25000\"/>");
  parts.Slides.push_back(slide);
  TSlideParts columns;
  for (int id : {2, 3}) {
    std::string lines;
    for (int line = 1; line <= (id == 3 ? 8 : 6); ++line)
      lines += Para(Run("Columns" + std::to_string(id) + "-" + std::to_string(line), "sz=\"2800\""));
    const std::string fit = id == 3 ? "<a:normAutofit/>" : "";
    const TBox at{100 * kPx, (40 + 300 * int64_t{id - 2}) * kPx, 1000 * kPx, 140 * kPx};
    columns.SpTree += Shape(id, "Columns", SpPr(Xfrm(at), "rect"),
                            "<p:txBody><a:bodyPr wrap=\"square\" lIns=\"0\" rIns=\"0\" tIns=\"0\" bIns=\"0\" "
                            "numCol=\"2\" spcCol=\"952500\">" + fit + "</a:bodyPr><a:lstStyle/>" + lines + "</p:txBody>");
  }
  parts.Slides.push_back(columns);
  return BuildMinimalDeck(parts);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: player_deck <folder>\n");
    return 2;
  }
  try {
    std::string folder = argv[1];
    TDeckWriter deck = BuildPlayerDeck();
    deck.Write(folder + "/player.pptx");
    deck.Write(folder + "/Q&A's <!-- <script> deck.pptx");
    BuildMinimalDeck(TDeckParts{}).Write(folder + "/empty.pptx");
    BuildPaintDeck().Write(folder + "/paint.pptx");
    BuildAutoFitDeck().Write(folder + "/autofit.pptx");
    BuildTextLayoutDeck().Write(folder + "/text_layout.pptx");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "player_deck: %s\n", e.what());
    return 1;
  }
  return 0;
}
