// Every real deck of the shared folder exports in both forms: the single
// file carries each picture once and every use of one names its definition,
// the single file and the web folder agree on the counts, the web folder's index.html
// holds no data URI in any attribute and every asset it names exists, and
// the damaged decks fail with a message (single file) or false (web folder)
// without leaving output behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "htmlexport/html5_export.h"
#include "htmlexport/web_folder.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/system.h"

namespace tarvik {
namespace {

namespace fs = std::filesystem;

const std::string kDecks = std::string(TARVIK_SHARED_DIR) + "/decks";

bool IsDeck(const fs::directory_entry& entry) {
  std::string ext = entry.path().extension().string();
  return entry.is_regular_file() && (ext == ".pptx" || ext == ".pptm" || ext == ".ppsx");
}

// The page up to its script, which is all markup (no regex here: a data URI
// can be megabytes long).
std::string Markup(const std::string& page) { return page.substr(0, page.find("<script>")); }

// Names of the attributes (double-quoted, as the page writes them) whose
// value holds "data:".
std::vector<std::string> DataUriAttributes(const std::string& markup) {
  std::vector<std::string> found;
  for (size_t eq = markup.find("=\""); eq != std::string::npos; eq = markup.find("=\"", eq + 1)) {
    size_t end = markup.find('"', eq + 2);
    if (end == std::string::npos) break;
    if (markup.compare(eq + 2, 5, "data:") == 0 || markup.substr(eq + 2, end - eq - 2).find("data:") != std::string::npos) {
      size_t name = markup.find_last_of(" \t\n", eq);
      found.push_back(markup.substr(name + 1, eq - name - 1));
    }
    eq = end;
  }
  return found;
}

// Every double-quoted value that starts with Prefix, in order; with Blank the
// text where each such value is emptied.
std::vector<std::string> QuotedValues(const std::string& markup, const std::string& prefix, std::string* blank) {
  std::vector<std::string> values;
  size_t copied = 0;
  for (size_t at = markup.find("\"" + prefix); at != std::string::npos; at = markup.find("\"" + prefix, at + 1)) {
    size_t end = markup.find('"', at + 1);
    if (end == std::string::npos) break;
    values.push_back(markup.substr(at + 1, end - at - 1));
    if (blank) *blank += markup.substr(copied, at + 1 - copied);
    copied = end;
    at = end;
  }
  if (blank) *blank += markup.substr(copied);
  return values;
}

class ExportDecks : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::is_directory(kDecks)) GTEST_SKIP() << "no shared decks at " << kDecks;
    root_ = JoinPath(UserTempFolder(), "tarvik_export_decks_" + NewGuidHex());
    ForceDirectories(root_);
    hadTemp_ = HasEnvVar("TEMP");
    temp_ = GetEnvVar("TEMP");
    SetEnvVar("TEMP", root_);
  }
  void TearDown() override {
    if (hadTemp_) SetEnvVar("TEMP", temp_);
    else UnsetEnvVar("TEMP");
    DeleteTree(root_);
  }
  std::string root_, temp_;
  bool hadTemp_ = false;
};

TEST_F(ExportDecks, EveryDeckExportsAsSingleFileAndWebFolder) {
  int decks = 0;
  for (const auto& entry : fs::directory_iterator(kDecks)) {
    if (!IsDeck(entry)) continue;
    const std::string deck = entry.path().string();
    const std::string name = entry.path().stem().string();
    SCOPED_TRACE(name);
    ++decks;
    int slides = 0, objects = 0;
    std::string html = JoinPath(root_, "out/" + name + ".html");
    try {
      ASSERT_TRUE(ExportHTML5(deck, html, slides, objects));
    } catch (const ETarvikError& e) {
      ADD_FAILURE() << "single file: " << e.what();
      continue;
    }
    std::string page = ReadFileBytes(html);
    EXPECT_TRUE(page.starts_with("\xEF\xBB\xBF<!DOCTYPE html>"));
    EXPECT_TRUE(page.ends_with("show(1);})();</script></body></html>"));
    // Each picture is in the page once; every use names a definition there.
    std::set<std::string> pictures;
    for (const std::string& uri : QuotedValues(Markup(page), "data:", nullptr)) {
      if (uri.starts_with("data:video/") || uri.starts_with("data:audio/")) continue;
      EXPECT_TRUE(pictures.insert(uri).second) << "a picture embedded twice: " << uri.substr(0, 40);
    }
    const std::vector<std::string> ids = QuotedValues(Markup(page), "pic_", nullptr);
    const std::set<std::string> defined(ids.begin(), ids.end());
    EXPECT_EQ(defined.size(), ids.size()) << "a picture defined twice";
    for (const std::string& use : QuotedValues(Markup(page), "#pic_", nullptr))
      EXPECT_TRUE(defined.count(use.substr(1))) << use;

    int webSlides = 0, webObjects = 0;
    std::string folder = JoinPath(root_, "out/" + name + "_Web");
    ASSERT_TRUE(ExportWebFolder(deck, folder, webSlides, webObjects));
    EXPECT_EQ(webSlides, slides);
    EXPECT_EQ(webObjects, objects);
    std::string index = ReadFileBytes(JoinPath(folder, "index.html"));
    EXPECT_TRUE(index.starts_with("\xEF\xBB\xBF<!DOCTYPE html>"));
    EXPECT_EQ(DataUriAttributes(Markup(index)), std::vector<std::string>{});
    EXPECT_FALSE(PathExists(JoinPath(folder, ".Tarvik_staging.html")));
    // Every reference names an asset that exists; every asset is referenced.
    std::string pageBlank, indexBlank;
    QuotedValues(Markup(page), "data:", &pageBlank);
    std::vector<std::string> references = QuotedValues(Markup(index), "assets/asset_", &indexBlank);
    std::set<std::string> referenced(references.begin(), references.end());
    std::set<std::string> written;
    for (const auto& asset : fs::directory_iterator(JoinPath(folder, "assets")))
      written.insert("assets/" + asset.path().filename().string());
    EXPECT_EQ(referenced, written);
    // Apart from data URIs turned into asset references, the two pages are the same.
    EXPECT_TRUE(pageBlank == indexBlank);
  }
  EXPECT_GT(decks, 20);
}

TEST_F(ExportDecks, DamagedDecksFailWithoutOutput) {
  const std::string broken = kDecks + "/broken";
  if (!fs::is_directory(broken)) GTEST_SKIP() << "no damaged decks";
  for (const auto& entry : fs::directory_iterator(broken)) {
    if (!IsDeck(entry)) continue;
    const std::string name = entry.path().stem().string();
    SCOPED_TRACE(name);
    int slides = 0, objects = 0;
    std::string html = JoinPath(root_, "broken/" + name + ".html");
    try {
      bool ok = ExportHTML5(entry.path().string(), html, slides, objects);
      // A package that reads as an empty presentation is a valid page.
      if (ok) {
        EXPECT_EQ(slides, 0);
      }
    } catch (const ETarvikError& e) {
      EXPECT_FALSE(std::string(e.what()).empty());
      EXPECT_FALSE(PathExists(html));
      EXPECT_EQ(slides, 0);
    }
    std::string folder = JoinPath(root_, "broken/" + name + "_Web");
    const bool ok = ExportWebFolder(entry.path().string(), folder, slides, objects);
    // Either a whole folder of an empty presentation, or no page at all.
    EXPECT_EQ(PathExists(JoinPath(folder, "index.html")), ok);
    if (ok) {
      EXPECT_EQ(slides, 0);
    }
    EXPECT_FALSE(PathExists(JoinPath(folder, ".Tarvik_staging.html")));
  }
}

}  // namespace
}  // namespace tarvik
