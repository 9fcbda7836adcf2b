// What the package exporters' suites share: a scratch folder that is also
// the temporary folder, decks of a few slides (a text box on each, one
// picture shown on the first two), and the check that a refused export
// leaves the earlier output as it was and no work folder behind.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "htmlexport/renderer_test_util.h"
#include "platform/error.h"
#include "platform/files.h"
#include "support/deck_writer.h"

namespace tarvik::test {

class TPackageTest : public ::testing::Test {
 protected:
  using TExport = bool (*)(const std::string&, const std::string&, int&, int&);
  struct TRefusal {
    std::string Deck, Output, Message;  // an empty message: the loader's own
  };

  std::string Path(const std::string& name) const { return JoinPath(scratch_.Path(), name); }

  // Text is followed by the slide's number on each slide.
  std::string WriteDeck(const std::string& name, int slides, const std::string& text,
                        const std::string& picture) const {
    TDeckParts parts;
    for (int i = 0; i < slides; ++i) {
      TSlideParts slide;
      slide.SpTree = TextShapeXml(2, "Text", 0, 0, 2000000, 500000, text + std::to_string(i + 1));
      if (i < 2) slide.SpTree += PictureXml(3, "Picture", "rId10", 0, 600000, 952500, 952500);
      slide.Rels = RelationshipXml("rId10", "image", "../media/picture.png");
      parts.Slides.push_back(slide);
    }
    TDeckWriter deck = BuildMinimalDeck(parts);
    deck.Add("ppt/media/picture.png", picture);
    std::string path = Path(name);
    deck.Write(path);
    return path;
  }

  // True when a work folder whose name starts with one of Prefixes is left
  // in the temporary folder.
  bool WorkFolderLeft(std::initializer_list<const char*> prefixes) const {
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(scratch_.Path())))
      for (const char* prefix : prefixes)
        if (entry.path().filename().string().starts_with(prefix)) return true;
    return false;
  }

  // Each case raises (with its message), reports no slides or objects, and
  // leaves Kept in Out, the deck in place and no work folder.
  void ExpectRefusals(TExport exportFn, const std::vector<TRefusal>& cases, const std::string& out,
                      const std::string& kept, std::initializer_list<const char*> workPrefixes) const {
    for (const TRefusal& c : cases) {
      int slides = 9, objects = 9;
      try {
        exportFn(c.Deck, c.Output, slides, objects);
        ADD_FAILURE() << "no error for " << c.Deck << " -> " << c.Output;
      } catch (const ETarvikError& e) {
        if (!c.Message.empty()) {
          EXPECT_EQ(std::string(e.what()), c.Message);
        }
      }
      EXPECT_EQ(slides + objects, 0) << c.Deck;
      EXPECT_EQ(ReadFileBytes(out), kept) << c.Deck;
      EXPECT_TRUE(c.Deck == Path("missing.pptx") || FileExists(c.Deck)) << c.Deck;
      EXPECT_FALSE(WorkFolderLeft(workPrefixes)) << c.Deck;
    }
  }

  ScratchFolder scratch_;
  TempVariable temp_{scratch_.Path()};
};

}  // namespace tarvik::test
