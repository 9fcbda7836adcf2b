// Externalising data URIs (names, numbering, reuse, what is left alone)
// and the web folder export on generated decks.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "htmlexport/renderer_test_util.h"
#include "htmlexport/web_folder.h"
#include "platform/files.h"
#include "platform/system.h"
#include "support/deck_writer.h"

namespace tarvik {
namespace {

namespace fs = std::filesystem;
using test::ScratchFolder;

std::string Uri(const std::string& mime, const std::string& bytes) {
  static const char* kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string b64;
  for (size_t i = 0; i < bytes.size(); i += 3) {
    uint32_t v = static_cast<uint8_t>(bytes[i]) << 16;
    if (i + 1 < bytes.size()) v |= static_cast<uint8_t>(bytes[i + 1]) << 8;
    if (i + 2 < bytes.size()) v |= static_cast<uint8_t>(bytes[i + 2]);
    b64 += kAlphabet[(v >> 18) & 63];
    b64 += kAlphabet[(v >> 12) & 63];
    b64 += i + 1 < bytes.size() ? kAlphabet[(v >> 6) & 63] : '=';
    b64 += i + 2 < bytes.size() ? kAlphabet[v & 63] : '=';
  }
  return "data:" + mime + ";base64," + b64;
}

std::string Image(const std::string& uri) { return "<image href=\"" + uri + "\" x=\"0\"/>"; }

TEST(ExternalizeDataUris, WritesEachDistinctUriOnceInOrderOfFirstUse) {
  ScratchFolder scratch;
  std::string assets = JoinPath(scratch.Path(), "assets");
  std::string png = Uri("image/png", "PNG bytes"), other = Uri("image/jpeg", "JPEG");
  std::string doc = "<svg>" + Image(png) + Image(other) + Image(png) + "<p>x</p>" + Image(png) + "</svg>";
  std::string out = ExternalizeDataUris(doc, assets, "assets/");
  EXPECT_EQ(out, "<svg>" + Image("assets/asset_0001.png") + Image("assets/asset_0002.jpg") +
                     Image("assets/asset_0001.png") + "<p>x</p>" + Image("assets/asset_0001.png") + "</svg>");
  EXPECT_EQ(ReadFileBytes(JoinPath(assets, "asset_0001.png")), "PNG bytes");
  EXPECT_EQ(ReadFileBytes(JoinPath(assets, "asset_0002.jpg")), "JPEG");
  EXPECT_EQ(std::distance(fs::directory_iterator(assets), fs::directory_iterator()), 2);
}

TEST(ExternalizeDataUris, MediaSourcesUnknownTypesAndFourDigitNumbers) {
  ScratchFolder scratch;
  std::string assets = JoinPath(scratch.Path(), "assets");
  std::string doc;
  for (int i = 0; i < 11; ++i) doc += Image(Uri("image/gif", "gif " + std::to_string(i)));
  doc += "<video controls width=\"100%\" height=\"100%\" src=\"" + Uri("video/mp4", "movie") + "\"></video>";
  doc += "<audio controls src=\"" + Uri("application/octet-stream", "sound") + "\"></audio>";
  doc += "<video controls width=\"100%\" height=\"100%\" src=\"\"></video>";
  std::string out = ExternalizeDataUris(doc, assets, "media/");
  EXPECT_NE(out.find(Image("media/asset_0011.gif")), std::string::npos);
  EXPECT_NE(out.find("src=\"media/asset_0012.mp4\"></video>"), std::string::npos);
  EXPECT_NE(out.find("<audio controls src=\"media/asset_0013.bin\"></audio>"), std::string::npos);
  EXPECT_NE(out.find("src=\"\"></video>"), std::string::npos) << "an empty source stays empty";
  EXPECT_EQ(ReadFileBytes(JoinPath(assets, "asset_0013.bin")), "sound");
  EXPECT_FALSE(FileExists(JoinPath(assets, "asset_0014.bin")));
}

TEST(ExternalizeDataUris, LeavesTextThatOnlyLooksLikeADataUri) {
  ScratchFolder scratch;
  std::string assets = JoinPath(scratch.Path(), "assets");
  std::string png = Uri("image/png", "real");
  // Slide text reaches the page HTML-escaped: no raw double quote, ever.
  const std::string lookalikes[] = {
      "<span>data:image/png;base64,iVBORw0KGgo=</span>",
      "<span>Our data: see the table;base64,AAAA below</span>",
      "<span>src=&quot;data:image/png;base64,AAAA&quot;</span>",
      "<div title=\"data:image/png;base64,AAAA\">x</div>",
      "<span>metadata: none</span>",
      "<image href=\"data:image/png;base64,\"/>",
      "<image href=\"data:image/png;base64,AA!A\"/>",
  };
  for (const auto& text : lookalikes) {
    std::string doc = text + Image(png) + text;
    std::string out = ExternalizeDataUris(doc, assets, "assets/");
    EXPECT_EQ(out, text + Image("assets/asset_0001.png") + text) << text;
  }
}

TEST(ExternalizeDataUris, EmptyDocumentStaysEmptyAndCreatesNothing) {
  ScratchFolder scratch;
  std::string assets = JoinPath(scratch.Path(), "assets");
  EXPECT_EQ(ExternalizeDataUris("", assets, "assets/"), "");
  EXPECT_FALSE(DirectoryExists(assets));
  EXPECT_EQ(ExternalizeDataUris("<p>no pictures</p>", assets, "assets/"), "<p>no pictures</p>");
  EXPECT_TRUE(DirectoryExists(assets));
}

// A deck whose landscape picture appears on three slides and whose badge appears once.
std::string WriteDeck(const std::string& folder, const std::string& name) {
  test::TDeckParts parts;
  const std::string pic = test::PictureXml(2, "Picture", "rId10", 0, 0, 952500, 952500);
  for (int i = 0; i < 3; ++i) {
    test::TSlideParts slide;
    slide.SpTree = pic + (i == 1 ? test::PictureXml(3, "Badge", "rId11", 952500, 0, 952500, 952500) : "");
    slide.Rels = test::RelationshipXml("rId10", "image", "../media/picture.png") +
                 test::RelationshipXml("rId11", "image", "../media/badge.gif");
    parts.Slides.push_back(slide);
  }
  test::TDeckWriter deck = test::BuildMinimalDeck(parts);
  deck.Add("ppt/media/picture.png", "not really a PNG, but bytes all the same");
  deck.Add("ppt/media/badge.gif", "GIF89a");
  std::string path = JoinPath(folder, name);
  deck.Write(path);
  return path;
}

class WebFolderExport : public ::testing::Test {
 protected:
  ScratchFolder scratch_;
  test::TempVariable temp_{scratch_.Path()};
};

TEST_F(WebFolderExport, WritesIndexAndAssetsAndNoStagingFile) {
  std::string deck = WriteDeck(scratch_.Path(), "Deck.pptx");
  std::string out = JoinPath(scratch_.Path(), "out/Deck_Web");
  int slides = -1, objects = -1;
  ASSERT_TRUE(ExportWebFolder(deck, out, slides, objects));
  EXPECT_EQ(slides, 3);
  EXPECT_EQ(objects, 4);
  std::string index = ReadFileBytes(JoinPath(out, "index.html"));
  EXPECT_TRUE(index.starts_with("\xEF\xBB\xBF<!DOCTYPE html>"));
  EXPECT_EQ(index.find("data:"), std::string::npos);
  auto count = [&](const std::string& what) {
    size_t n = 0;
    for (size_t p = index.find(what); p != std::string::npos; p = index.find(what, p + 1)) ++n;
    return n;
  };
  EXPECT_EQ(count("href=\"assets/asset_0001.png\""), 1u) << "one picture on three slides is one asset, defined once";
  EXPECT_EQ(count("<use href=\"#pic_00000001\""), 3u);
  EXPECT_NE(index.find("href=\"assets/asset_0002.gif\""), std::string::npos);
  EXPECT_EQ(ReadFileBytes(JoinPath(out, "assets/asset_0002.gif")), "GIF89a");
  EXPECT_FALSE(PathExists(JoinPath(out, ".Tarvik_staging.html")));
  EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(out)), fs::directory_iterator()), 2);
  // The single-file export unpacked the deck below TEMP.
  EXPECT_TRUE(DirectoryExists(JoinPath(scratch_.Path(), "Tarvik_HTML/Deck_extracted")));
}

TEST_F(WebFolderExport, SecondExportRestartsNumberingAndKeepsForeignFiles) {
  std::string deck = WriteDeck(scratch_.Path(), "Deck.pptx");
  std::string out = JoinPath(scratch_.Path(), "web");
  ForceDirectories(JoinPath(out, "assets"));
  WriteFileBytes(JoinPath(out, "assets/asset_0001.png"), "stale");
  WriteFileBytes(JoinPath(out, "assets/asset_0099.png"), "extra");
  int slides = 0, objects = 0;
  ASSERT_TRUE(ExportWebFolder(deck, out, slides, objects));
  ASSERT_TRUE(ExportWebFolder(deck, out, slides, objects));
  EXPECT_EQ(ReadFileBytes(JoinPath(out, "assets/asset_0001.png")), "not really a PNG, but bytes all the same");
  EXPECT_EQ(ReadFileBytes(JoinPath(out, "assets/asset_0099.png")), "extra");
  EXPECT_FALSE(FileExists(JoinPath(out, "assets/asset_0003.png")));
}

TEST_F(WebFolderExport, FailsQuietlyAndLeavesNothingHalfDone) {
  int slides = 5, objects = 5;
  std::string deck = WriteDeck(scratch_.Path(), "Deck.pptx");
  // Blank or missing inputs: false, counts 0, nothing created.
  EXPECT_FALSE(ExportWebFolder(deck, "  \t", slides, objects));
  EXPECT_EQ(slides, 0);
  EXPECT_EQ(objects, 0);
  std::string out = JoinPath(scratch_.Path(), "never");
  EXPECT_FALSE(ExportWebFolder(JoinPath(scratch_.Path(), "missing.pptx"), out, slides, objects));
  EXPECT_FALSE(ExportWebFolder("", out, slides, objects));
  EXPECT_FALSE(PathExists(out));
  // A damaged deck: the loader fails, the error is swallowed, the staging file goes.
  std::string broken = JoinPath(scratch_.Path(), "Broken.pptx");
  WriteFileBytes(broken, "PK\x03\x04 this is no zip");
  std::string brokenOut = JoinPath(scratch_.Path(), "broken_web");
  EXPECT_FALSE(ExportWebFolder(broken, brokenOut, slides, objects));
  EXPECT_FALSE(PathExists(JoinPath(brokenOut, ".Tarvik_staging.html")));
  EXPECT_FALSE(PathExists(JoinPath(brokenOut, "index.html")));
}

}  // namespace
}  // namespace tarvik
