// libFuzzer target: the input is the XML of one slide part, placed in an
// otherwise valid deck (theme, master, layout with placeholders, a picture),
// so mutations reach the shape tree, text bodies, colours and placeholder
// lookup instead of dying at the ZIP layer. Text after a line
// "--layout--" replaces the layout part, so the layout is fuzzed too.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_scratch.h"
#include "platform/files.h"
#include "support/deck_writer.h"

namespace {

tarvik::test::TDeckWriter BaseDeck() {
  using namespace tarvik::test;
  TDeckParts parts;
  parts.MasterSpTree =
      "<p:sp><p:nvSpPr><p:cNvPr id=\"2\" name=\"Title\"/><p:cNvSpPr/><p:nvPr><p:ph "
      "type=\"title\"/></p:nvPr></p:nvSpPr><p:spPr><a:xfrm><a:off x=\"838200\" y=\"365125\"/>"
      "<a:ext cx=\"10515600\" cy=\"1325563\"/></a:xfrm></p:spPr></p:sp>"
      "<p:sp><p:nvSpPr><p:cNvPr id=\"3\" name=\"Body\"/><p:cNvSpPr/><p:nvPr><p:ph type=\"body\" "
      "idx=\"1\"/></p:nvPr></p:nvSpPr><p:spPr><a:xfrm><a:off x=\"838200\" y=\"1825625\"/>"
      "<a:ext cx=\"10515600\" cy=\"4351338\"/></a:xfrm></p:spPr></p:sp>";
  parts.LayoutSpTree =
      "<p:sp><p:nvSpPr><p:cNvPr id=\"2\" name=\"Title\"/><p:cNvSpPr/><p:nvPr><p:ph "
      "type=\"title\"/></p:nvPr></p:nvSpPr><p:spPr/></p:sp>";
  TSlideParts slide;
  slide.Rels = RelationshipXml("rId2", "image", "../media/image1.png") +
               RelationshipXml("rId3", "video", "https://example.org/v.mp4", true) +
               RelationshipXml("rId4", "image", "../../../../etc/passwd");
  parts.Slides.push_back(slide);
  TDeckWriter w = BuildMinimalDeck(parts);
  w.Add("ppt/media/image1.png", std::string("\x89PNG\r\n\x1a\n", 8), TDeckWriter::TStorage::Stored);
  return w;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tarvik;
  static tarvik::test::TDeckWriter deck = BaseDeck();
  static const std::string layout = deck.Bytes("ppt/slideLayouts/slideLayout1.xml");
  static const std::string file = JoinPath(fuzz::ScratchFolder(), "slide.pptx");
  std::string input(reinterpret_cast<const char*>(data), size);
  const std::string marker = "\n--layout--\n";
  size_t split = input.find(marker);
  const auto stored = tarvik::test::TDeckWriter::TStorage::Stored;
  deck.Add("ppt/slides/slide1.xml", input.substr(0, split), stored);
  deck.Add("ppt/slideLayouts/slideLayout1.xml",
           split == std::string::npos ? layout : input.substr(split + marker.size()), stored);
  deck.Write(file);
  fuzz::LoadAndDiscard(file);
  return 0;
}
