// Every real deck of the shared folder loads, or, when damaged, fails with a
// clear message; slide counts agree with MANIFEST.tsv wherever every sldId of
// the deck resolves to a part, and so do its pictures, groups and media.
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <algorithm>
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

// The manifest's counts of a deck, over its slide parts: p:pic elements
// (not those of an mc:Choice), p:grpSp elements, and media elements
// (a:audioFile, a:videoFile, a:wavAudioFile, a:quickTimeFile).
struct TManifestRow {
  int Slides = 0, Pictures = 0, Groups = 0, Media = 0;
};

// file name (with broken/ when there) -> its row, read by the header's names.
std::map<std::string, TManifestRow> ManifestRows() {
  std::map<std::string, TManifestRow> rows;
  std::ifstream in(kDecks + "/MANIFEST.tsv");
  auto cellsOf = [](const std::string& line) {
    std::vector<std::string> cells;
    std::stringstream row(line);
    for (std::string cell; std::getline(row, cell, '\t');) cells.push_back(cell);
    return cells;
  };
  std::string line;
  std::getline(in, line);
  const std::vector<std::string> header = cellsOf(line);
  auto column = [&](const char* name) { return std::find(header.begin(), header.end(), name) - header.begin(); };
  const size_t slides = column("slides"), pictures = column("pictures"), groups = column("groups"),
               media = column("media");
  while (std::getline(in, line)) {
    std::vector<std::string> cells = cellsOf(line);
    if (cells.size() <= std::max({slides, pictures, groups, media})) continue;
    rows[cells[0]] = {std::stoi(cells[slides]), std::stoi(cells[pictures]), std::stoi(cells[groups]),
                      std::stoi(cells[media])};
  }
  return rows;
}

std::map<std::string, int> ManifestSlides() {
  std::map<std::string, int> slides;
  for (const auto& [name, row] : ManifestRows()) slides[name] = row.Slides;
  return slides;
}

// The same counts from the model, of the slides' own elements: what layouts
// and masters add is not in the manifest, and neither is what a table, a
// chart or a diagram is drawn as, nor an embedded object's preview from the VML drawing
// (shapes FromFrame): it counts one graphic frame for each. A preview the
// frame holds as a p:pic counts as a picture. Members of
// a group follow each other in drawing order, so a group starts wherever a
// shape's group path leaves the previous shape's. Group paths hold names,
// though: sibling groups of one name that follow each other (real decks have
// runs of them) count as one, and a group with nothing drawn in it leaves no
// trace (a group of one table, for one), so the model's groups are a lower
// bound of the manifest's.
TManifestRow ModelCounts(const TPPTXPresentation& p) {
  TManifestRow counts;
  counts.Slides = static_cast<int>(p.Slides.size());
  for (const auto& slide : p.Slides) {
    std::vector<std::string> previous;
    for (const auto& shape : slide->Shapes) {
      if (shape->Inherited || shape->FromFrame) continue;
      const bool media = shape->Kind == skVideo || shape->Kind == skAudio;
      counts.Pictures += media || shape->Kind == skImage;
      counts.Media += media;
      std::vector<std::string> path;
      std::stringstream names(shape->GroupPath);
      for (std::string name; std::getline(names, name, '/');) path.push_back(name);
      size_t same = 0;
      while (same < path.size() && same < previous.size() && path[same] == previous[same]) ++same;
      counts.Groups += static_cast<int>(path.size() - same);
      previous = std::move(path);
    }
  }
  return counts;
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

TEST_F(Decks, EveryDeckLoadsWithTheManifestsCounts) {
  auto manifest = ManifestSlides();
  auto rows = ManifestRows();
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
      const TManifestRow want = rows[name], got = ModelCounts(*p);
      EXPECT_EQ(got.Pictures, want.Pictures) << "pictures";
      EXPECT_LE(got.Groups, want.Groups) << "groups";
      EXPECT_EQ(got.Media, want.Media) << "media";
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
