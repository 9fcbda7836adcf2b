// Every deck of the shared collection imports: a page per slide, a record per
// shape except pictures and media whose file is missing, and every FileName=
// names a file that exists. Damaged decks fail with a message and no file.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/error.h"
#include "platform/files.h"
#include "platform/system.h"
#include "pptx/loader.h"
#include "pubexport/import_driver.h"
#include "pubexport/pub_test_support.h"

using namespace tarvik;
using namespace tarvik::test;

namespace {

std::vector<std::string> Decks(const std::string& folder) {
  std::vector<std::string> decks;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    std::string ext = entry.path().extension().string();
    if (entry.is_regular_file() && (ext == ".pptx" || ext == ".pptm" || ext == ".ppsx"))
      decks.push_back(entry.path().string());
  }
  std::sort(decks.begin(), decks.end());
  return decks;
}

std::string Native(std::string relative) {
  for (char& c : relative)
    if (c == '\\') c = kPathSep;
  return relative;
}

class DeckImport : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!DirectoryExists(decks_)) GTEST_SKIP() << decks_ << " is not here";
    hadTemp_ = HasEnvVar("TEMP");
    savedTemp_ = GetEnvVar("TEMP");
    SetEnvVar("TEMP", dir_ / "temp");
  }
  void TearDown() override {
    if (DirectoryExists(decks_)) hadTemp_ ? SetEnvVar("TEMP", savedTemp_) : UnsetEnvVar("TEMP");
  }
  std::string decks_ = JoinPath(TARVIK_SHARED_DIR, "decks");
  TTempDir dir_;
  bool hadTemp_ = false;
  std::string savedTemp_;
};

}  // namespace

TEST_F(DeckImport, EveryDeckImports) {
  auto decks = Decks(decks_);
  ASSERT_FALSE(decks.empty());
  for (const auto& deck : decks) {
    SCOPED_TRACE(deck);
    auto model = LoadPPTXPresentation(deck, dir_ / "model");
    int32_t shapes = 0, records = 0;
    for (const auto& slide : model->Slides)
      for (const auto& shape : slide->Shapes) {
        ++shapes;
        bool media = shape->Kind == skImage || shape->Kind == skVideo || shape->Kind == skAudio;
        if (!media || (!shape->MediaFile.empty() && FileExists(shape->MediaFile))) ++records;
      }
    std::string pub = JoinPath(dir_ / "out", RemoveExtension(ExtractFileName(deck)) + ".pub");
    int32_t slides = 0, objects = 0;
    ASSERT_TRUE(ConvertPPTXToPub(deck, pub, slides, objects));
    std::string text = ReadFileBytes(pub);
    EXPECT_EQ(slides, static_cast<int32_t>(model->Slides.size()));
    EXPECT_EQ(objects, shapes);
    EXPECT_EQ(LinesStarting(text, "NewPage=").size(), model->Slides.size());
    EXPECT_EQ(static_cast<int32_t>(LinesStarting(text, "ObjectType=").size()), records);
    EXPECT_EQ(text.substr(0, 3), "NBW");
    for (const auto& line : LinesStarting(text, "FileName=")) {
      EXPECT_EQ(line.rfind("FileName=media\\slide", 0), 0u) << line;
      EXPECT_TRUE(FileExists(JoinPath(ExtractFileDir(pub), Native(line.substr(9))))) << line;
    }
    for (const auto& line : LinesStarting(text, "Text=")) {
      std::string rtf = line.substr(5);
      EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\deff0{\\fonttbl", 0), 0u);
      EXPECT_EQ(rtf.back(), '}');
    }
  }
}

TEST_F(DeckImport, DamagedDecksFailWithAMessage) {
  std::string broken = JoinPath(decks_, "broken");
  if (!DirectoryExists(broken)) GTEST_SKIP() << "no damaged decks";
  for (const auto& deck : Decks(broken)) {
    SCOPED_TRACE(deck);
    std::string pub = JoinPath(dir_ / "broken", RemoveExtension(ExtractFileName(deck)) + ".pub");
    int32_t slides = 0, objects = 0;
    bool result = true;
    try {
      result = ConvertPPTXToPub(deck, pub, slides, objects);
    } catch (const ETarvikError& e) {
      result = false;
      EXPECT_GT(std::string(e.what()).size(), 0u);
    }
    EXPECT_FALSE(result);
    EXPECT_FALSE(FileExists(pub));
  }
}
