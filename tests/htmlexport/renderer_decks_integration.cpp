// Every real deck of the shared folder renders: each slide gives one section
// that is well-formed XML, clip identifiers never repeat within a deck, every
// picture that exists on disk is embedded, and lines stay finite.
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <filesystem>
#include <set>
#include <string>

#include "htmlexport/render_context.h"
#include "htmlexport/svg_renderer.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/system.h"
#include "pptx/loader.h"

namespace tarvik {
namespace {

namespace fs = std::filesystem;

const std::string kDecks = std::string(TARVIK_SHARED_DIR) + "/decks";

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (size_t pos = text.find(from); pos != std::string::npos; pos = text.find(from, pos + to.size()))
    text.replace(pos, from.size(), to);
  return text;
}

// The two HTML-only forms of a section in their XML spelling.
std::string AsXml(const std::string& section) {
  std::string xml = ReplaceAll(section, "&nbsp;", "&#160;");
  xml = ReplaceAll(xml, "<video controls ", "<video controls=\"\" ");
  return ReplaceAll(xml, "<audio controls ", "<audio controls=\"\" ");
}

class RenderDecks : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::is_directory(kDecks)) GTEST_SKIP() << "no shared decks at " << kDecks;
    root = JoinPath(UserTempFolder(), "tarvik_render_decks_" + NewGuidHex());
  }
  void TearDown() override { DeleteTree(root); }
  std::string root;
};

TEST_F(RenderDecks, EverySlideRendersAsWellFormedSvg) {
  int decks = 0;
  for (const auto& entry : fs::directory_iterator(kDecks)) {
    const std::string ext = entry.path().extension().string();
    if (!entry.is_regular_file() || (ext != ".pptx" && ext != ".pptm" && ext != ".ppsx")) continue;
    const std::string name = entry.path().filename().string();
    SCOPED_TRACE(name);
    std::unique_ptr<TPPTXPresentation> presentation;
    try {
      presentation = LoadPPTXPresentation(entry.path().string(), root);
    } catch (const ETarvikError& e) {
      ADD_FAILURE() << "load failed: " << e.what();
      continue;
    }
    ++decks;
    TRenderContext context(*presentation);
    std::set<std::string> clipIds;
    int64_t images = 0, expectedImages = 0;
    for (size_t i = 0; i < presentation->Slides.size(); ++i) {
      const TPPTXSlide& slide = *presentation->Slides[i];
      for (const auto& shape : slide.Shapes) {
        const std::string& picture =
            shape->Kind == skImage ? shape->MediaFile
            : (shape->Kind == skVideo || shape->Kind == skAudio) ? shape->PosterImage
                                                                 : std::string();
        if (!picture.empty() && FileExists(picture) && FileSize(picture) > 0) ++expectedImages;
        if (shape->Fill.Kind == kFillPicture && FileExists(shape->Fill.PictureFile) &&
            FileSize(shape->Fill.PictureFile) > 0)
          ++expectedImages;
      }
      const std::string& background = slide.Background.PictureFile;
      if (slide.Background.Kind == kFillPicture && FileExists(background) && FileSize(background) > 0)
        ++expectedImages;
      std::string section = RenderSlideSection(slide, static_cast<int>(i + 1),
                                               presentation->SlideWidthPx(),
                                               presentation->SlideHeightPx(), context);
      pugi::xml_document doc;
      pugi::xml_parse_result parsed = doc.load_string(AsXml(section).c_str());
      ASSERT_TRUE(parsed) << "slide " << i + 1 << ": " << parsed.description() << " at "
                          << parsed.offset;
      for (auto clip : doc.select_nodes("//clipPath")) {
        std::string id = clip.node().attribute("id").value();
        EXPECT_TRUE(clipIds.insert(id).second) << "clip id " << id << " repeats";
      }
      // A metafile drawn inline is one picture, whatever pictures it holds.
      images += static_cast<int64_t>(doc.select_nodes("//g[@class='metafile']").size());
      for (auto image : doc.select_nodes("//image[not(ancestor::g[@class='metafile'])]")) {
        ++images;
        EXPECT_EQ(std::string(image.node().attribute("href").value()).rfind("data:", 0), 0u);
      }
      for (auto line : doc.select_nodes("//line"))
        for (const char* a : {"x1", "y1", "x2", "y2"})
          EXPECT_EQ(std::string(line.node().attribute(a).value()).find_first_not_of("-0123456789."),
                    std::string::npos);
    }
    EXPECT_EQ(images, expectedImages);
  }
  EXPECT_GT(decks, 0);
}

}  // namespace
}  // namespace tarvik
