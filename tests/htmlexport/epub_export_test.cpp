// The EPUB book of generated decks: the archive in container order, every
// page exactly as the renderer draws its slide (in its XHTML form), the
// package and navigation documents' rules, and what a refused export
// leaves behind.
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "htmlexport/epub_documents.h"
#include "htmlexport/epub_export.h"
#include "htmlexport/package_test_util.h"
#include "htmlexport/renderer_test_util.h"
#include "htmlexport/svg_renderer.h"
#include "package/zip_listing.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/system.h"
#include "pptx/loader.h"
#include "support/deck_writer.h"

namespace tarvik {
namespace {

namespace fs = std::filesystem;
using test::ScratchFolder;

TEST(SectionAsXhtml, WritesTheFormsOnlyHtmlAcceptsTheXmlWay) {
  const std::string xhtml = " xmlns=\"http://www.w3.org/1999/xhtml\"";
  const std::pair<std::string, std::string> cases[] = {
      {"<div>&nbsp;</div><div>a&nbsp;b</div>", "<div>&#160;</div><div>a&#160;b</div>"},
      {"<span>&amp;nbsp; &lt;video controls&gt;</span>", "<span>&amp;nbsp; &lt;video controls&gt;</span>"},
      {"<foreignObject><video controls width=\"100%\" height=\"100%\" src=\"data:video/mp4;base64,AA==\"></video>",
       "<foreignObject><video" + xhtml +
           " controls=\"controls\" src=\"data:video/mp4;base64,AA==\" style=\"width:100%;height:100%\"></video>"},
      {"<audio controls src=\"x.mp3\"></audio>", "<audio" + xhtml + " controls=\"controls\" src=\"x.mp3\"></audio>"},
      {"<video width=320 style=\"border:0\" muted>", "<video" + xhtml + " muted=\"muted\" style=\"width:320px;border:0\">"},
      {"<videos><audiox/>", "<videos><audiox/>"},
      {std::string("<span>a\x01" "b\x0B\tc</span>"), "<span>ab\tc</span>"},
  };
  for (const auto& [section, expected] : cases) EXPECT_EQ(SectionAsXhtml(section), expected) << section;
}

TEST(EpubPageName, PadsTheSlideNumberToThreeDigits) {
  const std::pair<int, const char*> cases[] = {
      {1, "slide001.xhtml"}, {7, "slide007.xhtml"}, {42, "slide042.xhtml"}, {999, "slide999.xhtml"},
      {1000, "slide1000.xhtml"}};
  for (const auto& [n, name] : cases) EXPECT_EQ(EpubPageName(n), name);
}

bool IsTimestamp(const std::string& text) {
  const std::string shape = "0000-00-00T00:00:00Z";
  if (text.size() != shape.size()) return false;
  for (size_t i = 0; i < shape.size(); ++i)
    if (shape[i] == '0' ? !(text[i] >= '0' && text[i] <= '9') : text[i] != shape[i]) return false;
  return true;
}

// Slides with one picture on each of the first two and a text box on all.
class EpubExport : public test::TPackageTest {
 protected:
  std::string WriteDeck(const std::string& name, int slides) const {
    return TPackageTest::WriteDeck(name, slides, "Slide & ", "\x89PNG\r\n\x1A\n" + std::string(70000, 'P'));
  }
  bool WorkFolderLeft() const { return TPackageTest::WorkFolderLeft({"Tarvik_EPUB_"}); }
};

TEST_F(EpubExport, WritesTheBookInContainerOrderWithEveryPageAsTheRendererDrawsIt) {
  const std::string title = "Q&A <draft>";
  std::string deck = WriteDeck(title + ".pptx", 3);
  std::string out = Path("books/talk.epub");
  int slides = -1, objects = -1;
  const std::time_t before = std::time(nullptr);
  ASSERT_TRUE(ExportEPUB(deck, out, slides, objects));
  EXPECT_EQ(slides, 3);
  EXPECT_EQ(objects, 5);
  EXPECT_FALSE(WorkFolderLeft());

  test::TZipListing book = test::ListZip(out);
  ASSERT_TRUE(book.Opened);
  EXPECT_EQ(book.Names(), (std::vector<std::string>{"mimetype", "META-INF/container.xml", "OEBPS/package.opf",
                                                    "OEBPS/nav.xhtml", "OEBPS/styles/epub.css",
                                                    "OEBPS/text/slide001.xhtml", "OEBPS/text/slide002.xhtml",
                                                    "OEBPS/text/slide003.xhtml", "OEBPS/media/m1.png"}));
  EXPECT_EQ(book.Items[0].Bytes, "application/epub+zip");
  for (size_t i = 0; i < book.Items.size(); ++i) {
    const bool stored = i == 0 || book.Items[i].Name.starts_with("OEBPS/media/");
    EXPECT_EQ(book.Items[i].Method, stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE) << book.Items[i].Name;
  }

  // Each page as the renderer draws the slide, the picture that two pages
  // show being one file of the book.
  std::unique_ptr<TPPTXPresentation> presentation = LoadPPTXPresentation(deck, Path("check"));
  EXPECT_EQ(book.Find("OEBPS/media/m1.png")->Bytes, ReadFileBytes(presentation->Slides[0]->Shapes[1]->MediaFile));
  TRenderContext context(*presentation);
  context.ReferenceMedia();
  for (int n = 1; n <= 3; ++n) {
    const auto& slide = *presentation->Slides[static_cast<size_t>(n - 1)];
    std::string section = SectionAsXhtml(RenderSlideSection(slide, n, 1280, 720, context));
    for (size_t at; (at = section.find(TRenderContext::kMediaReference)) != std::string::npos;)
      section.replace(at, TRenderContext::kMediaReference.size() + 1, "../media/m1.png");
    EXPECT_EQ(book.Find("OEBPS/text/" + EpubPageName(n))->Bytes, BuildEpubSlidePage(section, title, n, 1280, 720));
  }

  // Every XML document of the book is well-formed and has no byte order mark.
  std::vector<pugi::xml_document> docs(book.Items.size());
  for (size_t i = 1; i < book.Items.size(); ++i) {
    if (book.Items[i].Name.ends_with(".css") || book.Items[i].Name.ends_with(".png")) continue;
    EXPECT_TRUE(book.Items[i].Bytes.starts_with("<?xml")) << book.Items[i].Name;
    EXPECT_TRUE(docs[i].load_string(book.Items[i].Bytes.c_str())) << book.Items[i].Name;
  }
  const pugi::xml_node package = docs[2].child("package");
  EXPECT_EQ(std::string(package.child("metadata").child_value("dc:title")), title);
  EXPECT_TRUE(std::string(package.child("metadata").child_value("dc:identifier")).starts_with("urn:uuid:"));
  pugi::xpath_node_set modified = package.select_nodes("metadata/meta[@property='dcterms:modified']");
  ASSERT_EQ(modified.size(), 1u);
  const std::string stamp = modified.first().node().child_value();
  EXPECT_TRUE(IsTimestamp(stamp)) << stamp;
  EXPECT_GE(stamp, EpubTimestamp(before));
  std::vector<std::string> items, spine;
  for (pugi::xml_node item : package.child("manifest").children("item"))
    items.push_back(std::string(item.attribute("id").value()) + " " + item.attribute("href").value() + " " +
                    item.attribute("properties").value());
  for (pugi::xml_node ref : package.child("spine").children("itemref")) spine.push_back(ref.attribute("idref").value());
  EXPECT_EQ(items, (std::vector<std::string>{"nav nav.xhtml nav", "css styles/epub.css ",
                                             "slide1 text/slide001.xhtml svg", "slide2 text/slide002.xhtml svg",
                                             "slide3 text/slide003.xhtml svg", "media1 media/m1.png "}));
  EXPECT_EQ(spine, (std::vector<std::string>{"slide1", "slide2", "slide3"}));
  const pugi::xml_node nav = docs[3].child("html").child("body").child("nav");
  EXPECT_EQ(std::string(nav.child_value("h1")), title);
  EXPECT_EQ(nav.select_nodes("ol/li/a").size(), 3u);
  EXPECT_EQ(std::string(docs[6].child("html").child("head").child_value("title")), title + " \xE2\x80\x94 Slide 2");
}

TEST_F(EpubExport, RefusesWhatGivesNoBookAndKeepsWhatWasThere) {
  std::string deck = WriteDeck("Talk.pptx", 1);
  std::string out = Path("talk.epub");
  WriteFileBytes(out, "an earlier book");
  std::string empty = WriteDeck("Empty.pptx", 0);
  std::string broken = Path("Broken.pptx");
  WriteFileBytes(broken, "not a package");
  ExpectRefusals(ExportEPUB,
                 {{Path("missing.pptx"), out, "PowerPoint file not found: " + Path("missing.pptx")},
                  {deck, " \t", "Output EPUB filename is required."},
                  {deck, deck, "The output file is the PowerPoint file itself: " + deck},
                  {empty, out, "The presentation has no slides to make an EPUB book of: " + empty},
                  {broken, out, ""}},
                 out, "an earlier book", {"Tarvik_EPUB_"});
}

}  // namespace
}  // namespace tarvik
