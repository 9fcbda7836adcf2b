// The SCORM and H5P packages on generated decks: the rules worth guarding
// (escaping of titles, the manifest's identifiers, where the runtime goes,
// what the archives hold and in what order, slide data that decodes to the
// slides) and what a refused export leaves behind. The texts themselves are
// checked by the real clients (tests/browser).
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/json_reader.h"
#include "htmlexport/h5p_export.h"
#include "htmlexport/player_document.h"
#include "htmlexport/render_context.h"
#include "htmlexport/package_test_util.h"
#include "htmlexport/renderer_test_util.h"
#include "htmlexport/scorm_export.h"
#include "htmlexport/svg_renderer.h"
#include "package/base64.h"
#include "package/zip_listing.h"
#include "platform/error.h"
#include "platform/files.h"
#include "pptx/loader.h"
#include "support/deck_writer.h"

namespace tarvik {
namespace {

namespace fs = std::filesystem;
using test::ScratchFolder;

test::TJson ParseJson(const std::string& text) {
  test::TJson json;
  test::TJsonParser parser(text);
  EXPECT_TRUE(parser.Parse(json)) << parser.Error << ": " << text.substr(0, 200);
  return json;
}

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST(ScormManifest, EscapesTheTitleAndLinksItemToResourceByIdentifier) {
  EXPECT_EQ(ScormManifestId(0x00ABCDEFu), "TARVIK_00ABCDEF");
  EXPECT_EQ(ScormManifestId(0xFFFFFFFFu), "TARVIK_FFFFFFFF");
  const std::string title = "Bob's <Q&A> \"draft\"";
  const std::string manifest = BuildImsManifest(title, ScormManifestId(42));
  EXPECT_EQ(Count(manifest, "<title>Bob&apos;s &lt;Q&amp;A&gt; &quot;draft&quot;</title>"), 2u);
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(manifest.c_str()));
  pugi::xml_node root = doc.child("manifest");
  EXPECT_STREQ(root.attribute("identifier").value(), "TARVIK_0000002A");
  pugi::xml_node organizations = root.child("organizations");
  pugi::xml_node organization = organizations.child("organization");
  EXPECT_STREQ(organizations.attribute("default").value(), organization.attribute("identifier").value());
  pugi::xml_node item = organization.child("item");
  pugi::xml_node resource = root.child("resources").child("resource");
  EXPECT_STREQ(item.attribute("identifierref").value(), resource.attribute("identifier").value());
  EXPECT_EQ(std::string(item.child_value("title")), title);
  // The schema has no scormtype element in an item; the resource's attribute marks the SCO.
  EXPECT_FALSE(item.child("adlcp:scormtype"));
  EXPECT_STREQ(resource.attribute("adlcp:scormtype").value(), "sco");
  EXPECT_STREQ(resource.attribute("href").value(), "index.html");
  EXPECT_STREQ(resource.child("file").attribute("href").value(), "index.html");
}

TEST(InsertScormRuntime, GoesBeforeEveryPageEndInAnyLetterCase) {
  const std::string scripts = ScormXapiSettingsBlock() + ScormRuntimeScript();
  EXPECT_EQ(InsertScormRuntime("<p>a</p></body></html>"), "<p>a</p>" + scripts + "</body></html>");
  EXPECT_EQ(InsertScormRuntime("<P>A</P></BODY></HTML>"), "<P>A</P>" + scripts + "</body></html>");
  EXPECT_EQ(InsertScormRuntime("x</Body></Html>y</body></html>"),
            "x" + scripts + "</body></html>y" + scripts + "</body></html>");
  EXPECT_EQ(InsertScormRuntime("</body> </html>"), "</body> </html>");
  // The runtime is one script element: nothing inside closes it early.
  EXPECT_EQ(Count(ScormRuntimeScript(), "</script"), 1u);
  EXPECT_TRUE(ScormRuntimeScript().starts_with("<script>(function(){\"use strict\";"));
}

TEST(H5pJsonTitle, KeepsTheApostropheAndEscapesWhatJsonMust) {
  for (const std::string title : {"Bob's deck", "say \"hi\" \\ 'o'", "tab\there", "Caf\xC3\xA9 </script>"}) {
    test::TJson h5p = ParseJson(BuildH5pJson(title));
    EXPECT_EQ(h5p["title"].S, title);
    test::TJson content = ParseJson(H5pContentBefore(title, 1280, 720) + "QQ==" + H5pContentAfter());
    EXPECT_EQ(content["title"].S, title);
    EXPECT_EQ(content["slideWidth"].Int(), 1280);
    EXPECT_EQ(content["slidesData"].S, "QQ==");
  }
  EXPECT_EQ(H5pJsonTitle("Bob's"), "Bob's");
}

TEST(H5pLibrary, FixedFilesAreJsonTheirScriptAndStylesheetCompacted) {
  test::TJson library = ParseJson(H5pLibraryJson());
  EXPECT_EQ(library["machineName"].S, "H5P.LumioPresentation");
  EXPECT_EQ(library["author"].S, H5pLibraryAuthor);
  EXPECT_EQ(library["preloadedJs"][0]["path"].S, "lumio-presentation.js");
  test::TJson semantics = ParseJson(H5pSemanticsJson());
  ASSERT_EQ(semantics.Items.size(), 8u);
  EXPECT_EQ(semantics[7]["name"].S, "slidesData");
  EXPECT_EQ(H5pLibraryScript().find("\n//"), std::string::npos);
  EXPECT_EQ(H5pLibraryStylesheet().find("/*"), std::string::npos);
  EXPECT_NE(H5pLibraryStylesheet().find(".lumio-h5p-thumb svg{"), std::string::npos);
}

// Slides with a text box each, non-ASCII text, and one picture shown on
// the first two.
class LmsPackages : public test::TPackageTest {
 protected:
  std::string WriteDeck(const std::string& name, int slides) const {
    return TPackageTest::WriteDeck(name, slides, "Caf\xC3\xA9 \xE2\x80\x94 ", std::string(7001, 'P') + "not really a PNG");
  }
  bool WorkFolderLeft() const { return TPackageTest::WorkFolderLeft({"Tarvik_SCORM_", "Tarvik_H5P_"}); }
};

TEST_F(LmsPackages, ScormHoldsTheManifestThenThePlayerWithTheRuntime) {
  std::string deck = WriteDeck("Bob's talk.pptx", 3);
  std::string out = Path("out/talk.scorm.zip");
  WriteFileBytes(Path("out.keep"), "");
  int slides = -1, objects = -1;
  ASSERT_TRUE(ExportSCORM(deck, out, slides, objects));
  EXPECT_EQ(slides, 3);
  EXPECT_EQ(objects, 5);
  EXPECT_FALSE(WorkFolderLeft());

  test::TZipListing zip = test::ListZip(out);
  ASSERT_TRUE(zip.Opened);
  EXPECT_EQ(zip.Names(), (std::vector<std::string>{"imsmanifest.xml", "index.html"}));
  for (const auto& item : zip.Items) EXPECT_EQ(item.Method, ZIP_CM_DEFLATE) << item.Name;
  EXPECT_NE(zip.Items[0].Bytes.find("<title>Bob&apos;s talk</title>"), std::string::npos);

  // The page is the single-file player, pictures inline, with the runtime
  // before its end, and no byte order mark.
  std::unique_ptr<TPPTXPresentation> presentation = LoadPPTXPresentation(deck, Path("check"));
  int playerObjects = 0;
  std::string player = BuildPlayerDocument(*presentation, deck, playerObjects);
  EXPECT_EQ(zip.Items[1].Bytes, InsertScormRuntime(player));
  EXPECT_EQ(Count(zip.Items[1].Bytes, "data:image/png;base64,"), 1u) << "the picture shown twice is embedded once";
}

TEST_F(LmsPackages, H5pSlideDataDecodesToTheSlidesAsOneDocument) {
  std::string deck = WriteDeck("Bob's talk.pptx", 4);
  std::string out = Path("talk.h5p");
  WriteFileBytes(out, "an earlier package");
  int slides = -1, objects = -1;
  ASSERT_TRUE(ExportH5P(deck, out, slides, objects));
  EXPECT_EQ(slides, 4);
  EXPECT_EQ(objects, 6);
  EXPECT_FALSE(WorkFolderLeft());

  test::TZipListing zip = test::ListZip(out);
  ASSERT_TRUE(zip.Opened);
  const std::string lib = "H5P.LumioPresentation-1.0/";
  EXPECT_EQ(zip.Names(), (std::vector<std::string>{"h5p.json", "content/content.json", lib + "library.json",
                                                   lib + "semantics.json", lib + "lumio-presentation.js",
                                                   lib + "lumio-presentation.css"}));
  for (const auto& item : zip.Items) EXPECT_EQ(item.Method, ZIP_CM_DEFLATE) << item.Name;
  EXPECT_EQ(ParseJson(zip.Items[0].Bytes)["title"].S, "Bob's talk");
  test::TJson content = ParseJson(zip.Items[1].Bytes);
  EXPECT_EQ(content["title"].S, "Bob's talk");

  // Every slide as the renderer draws it in one document: the picture that
  // two slides show is defined once.
  std::unique_ptr<TPPTXPresentation> presentation = LoadPPTXPresentation(deck, Path("check"));
  TRenderContext context(*presentation);
  context.SharePictures();
  std::string sections;
  for (int n = 1; n <= 4; ++n)
    sections += RenderSlideSection(*presentation->Slides[static_cast<size_t>(n - 1)], n,
                                   presentation->SlideWidthPx(), presentation->SlideHeightPx(), context);
  EXPECT_EQ(content["slideWidth"].Int(), presentation->SlideWidthPx());
  std::string decoded;
  ASSERT_TRUE(DecodeBase64(content["slidesData"].S, decoded));
  EXPECT_EQ(decoded, sections);
  EXPECT_EQ(Count(decoded, "data:image/png;base64,"), 1u);
  EXPECT_NE(decoded.find("Caf\xC3\xA9 \xE2\x80\x94 4"), std::string::npos);
}

TEST_F(LmsPackages, H5pSlideDataIsWholeWhereverTheFilesFallInItsGroupsOfThree) {
  // Pictures of 1 to 6 bytes more than a round size, on slides whose text
  // grows by one byte each: every file's URI starts at each offset modulo 3.
  for (int extra = 0; extra < 3; ++extra) {
    test::TDeckParts parts;
    for (int i = 0; i < 3; ++i) {
      test::TSlideParts slide;
      slide.SpTree = test::TextShapeXml(2, "Text", 0, 0, 2000000, 500000, std::string(1 + i + extra, 'x'));
      slide.SpTree += test::PictureXml(3, "Picture", "rId10", 0, 600000, 952500, 952500);
      slide.Rels = test::RelationshipXml("rId10", "image", "../media/p" + std::to_string(i) + ".png");
      parts.Slides.push_back(slide);
    }
    test::TDeckWriter writer = test::BuildMinimalDeck(parts);
    for (int i = 0; i < 3; ++i) writer.Add("ppt/media/p" + std::to_string(i) + ".png", std::string(3000 + i + extra, 'A' + i));
    std::string deck = Path("d" + std::to_string(extra) + ".pptx");
    writer.Write(deck);
    int slides = 0, objects = 0;
    std::string out = Path("d" + std::to_string(extra) + ".h5p");
    ASSERT_TRUE(ExportH5P(deck, out, slides, objects));
    std::unique_ptr<TPPTXPresentation> presentation = LoadPPTXPresentation(deck, Path("check"));
    TRenderContext context(*presentation);
    context.SharePictures();
    std::string sections;
    for (int n = 1; n <= 3; ++n)
      sections += RenderSlideSection(*presentation->Slides[static_cast<size_t>(n - 1)], n,
                                     presentation->SlideWidthPx(), presentation->SlideHeightPx(), context);
    std::string decoded;
    ASSERT_TRUE(DecodeBase64(ParseJson(test::ListZip(out).Items[1].Bytes)["slidesData"].S, decoded));
    EXPECT_EQ(decoded, sections) << extra;
  }
}

TEST_F(LmsPackages, AnEmptyDeckGivesPackagesWithoutSlides) {
  std::string deck = WriteDeck("Empty.pptx", 0);
  int slides = -1, objects = -1;
  ASSERT_TRUE(ExportH5P(deck, Path("empty.h5p"), slides, objects));
  EXPECT_EQ(slides + objects, 0);
  EXPECT_EQ(ParseJson(test::ListZip(Path("empty.h5p")).Items[1].Bytes)["slidesData"].S, "");
  ASSERT_TRUE(ExportSCORM(deck, Path("empty.zip"), slides, objects));
  EXPECT_EQ(slides + objects, 0);
  EXPECT_FALSE(WorkFolderLeft());
}

TEST_F(LmsPackages, RefuseWhatGivesNoPackageAndKeepWhatWasThere) {
  std::string deck = WriteDeck("Talk.pptx", 1);
  std::string out = Path("talk.pkg");
  WriteFileBytes(out, "an earlier package");
  std::string broken = Path("Broken.pptx");
  WriteFileBytes(broken, "not a package");
  struct Kind {
    TExport Export;
    std::string Blank;
  } kinds[] = {{ExportSCORM, "Output SCORM package filename is required."},
               {ExportH5P, "Output H5P filename is required."}};
  for (const auto& kind : kinds)
    ExpectRefusals(kind.Export,
                   {{Path("missing.pptx"), out, "PowerPoint file not found: " + Path("missing.pptx")},
                    {deck, " \t", kind.Blank},
                    {deck, deck, "The output file is the PowerPoint file itself: " + deck},
                    {broken, out, ""}},
                   out, "an earlier package", {"Tarvik_SCORM_", "Tarvik_H5P_"});
}

}  // namespace
}  // namespace tarvik
