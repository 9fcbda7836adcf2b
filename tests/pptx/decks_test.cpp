// Every real deck of the shared folder loads, or, when damaged, fails with a
// clear message; slide counts agree with MANIFEST.tsv wherever every sldId of
// the deck resolves to a part.
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "platform/error.h"
#include "platform/files.h"
#include "platform/system.h"
#include "pptx/loader.h"

using namespace tarvik;
namespace fs = std::filesystem;

namespace {

const std::string kDecks = std::string(TARVIK_SHARED_DIR) + "/decks";

// file name (with broken/ when there) -> the manifest's slides column.
std::map<std::string, int> ManifestSlides() {
  std::map<std::string, int> slides;
  std::ifstream in(kDecks + "/MANIFEST.tsv");
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line)) {
    std::vector<std::string> cells;
    std::stringstream row(line);
    for (std::string cell; std::getline(row, cell, '\t');) cells.push_back(cell);
    if (cells.size() > 5) slides[cells[0]] = std::stoi(cells[5]);
  }
  return slides;
}

// The number of sldId entries, and whether each names a relationship whose
// target part exists, read straight from the unpacked package.
bool EverySlideIdResolves(const std::string& extractFolder, int& listed) {
  listed = 0;
  const fs::path ppt = fs::path(extractFolder) / "ppt";
  pugi::xml_document presentation, rels;
  if (!presentation.load_file((ppt / "presentation.xml").c_str())) return false;
  rels.load_file((ppt / "_rels" / "presentation.xml.rels").c_str());
  std::map<std::string, std::string> targets;
  for (pugi::xml_node r : rels.document_element().children())
    targets[r.attribute("Id").value()] = r.attribute("Target").value();
  bool all = true;
  for (pugi::xml_node list : presentation.document_element().children()) {
    if (std::string(list.name()).find("sldIdLst") == std::string::npos) continue;
    for (pugi::xml_node id : list.children()) {
      ++listed;
      auto it = targets.find(id.attribute("r:id").value());
      if (it == targets.end() || !fs::exists(ppt / it->second)) all = false;
    }
  }
  return all;
}

class Decks : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::is_directory(kDecks)) GTEST_SKIP() << "no shared decks at " << kDecks;
    root = JoinPath(UserTempFolder(), "tarvik_pptx_decks_" + NewGuidHex());
  }
  void TearDown() override { DeleteTree(root); }
  std::string root;
};

}  // namespace

TEST_F(Decks, EveryDeckLoadsWithTheManifestsSlideCount) {
  auto manifest = ManifestSlides();
  int loaded = 0;
  for (const auto& entry : fs::directory_iterator(kDecks)) {
    if (!entry.is_regular_file() || entry.path().filename() == "MANIFEST.tsv") continue;
    const std::string name = entry.path().filename().string();
    SCOPED_TRACE(name);
    std::unique_ptr<TPPTXPresentation> p;
    try {
      p = LoadPPTXPresentation(entry.path().string(), root);
    } catch (const ETarvikError& e) {
      ADD_FAILURE() << e.what();
      continue;
    }
    ++loaded;
    int listed = 0;
    if (EverySlideIdResolves(p->ExtractFolder, listed)) {
      ASSERT_TRUE(manifest.count(name));
      EXPECT_EQ(static_cast<int>(p->Slides.size()), manifest[name]);
      EXPECT_EQ(static_cast<int>(p->Slides.size()), listed);
    }
    EXPECT_GT(p->SlideWidthEmu, 0);
    for (const auto& slide : p->Slides)
      for (const auto& shape : slide->Shapes)
        for (const std::string* path : {&shape->MediaFile, &shape->PosterImage})
          if (!path->empty() && IsAbsolutePath(*path) && FileExists(*path)) {
            EXPECT_EQ(path->rfind(p->ExtractFolder, 0), 0u) << *path << " lies outside the package";
          }
    DeleteTree(p->ExtractFolder);
  }
  EXPECT_GT(loaded, 50);
}

TEST_F(Decks, BrokenDecksFailWithAClearMessage) {
  auto manifest = ManifestSlides();
  for (const auto& entry : fs::directory_iterator(kDecks + "/broken")) {
    const std::string name = "broken/" + entry.path().filename().string();
    SCOPED_TRACE(name);
    try {
      auto p = LoadPPTXPresentation(entry.path().string(), root);
      // A damaged deck that is readable after all must at least read right.
      EXPECT_EQ(static_cast<int>(p->Slides.size()), manifest[name]);
    } catch (const ETarvikError& e) {
      const std::string message = e.what();
      EXPECT_GT(message.size(), 20u) << message;
      const bool names = message.find(entry.path().filename().string()) != std::string::npos ||
                         message.find("presentation.xml") != std::string::npos;
      EXPECT_TRUE(names) << "the message should say what could not be read: " << message;
    }
  }
}
