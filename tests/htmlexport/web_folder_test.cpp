// The web folder export on generated decks: asset names, numbering and
// reuse, failures.
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
