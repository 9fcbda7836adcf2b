// The EPUB, PWA, SCORM and H5P actions through Tarvik.nbp, on the bundled sample deck:
// what a host sees (the variables) and what the files must hold for their
// readers, on every platform the plug-in is built for.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/plugin_host.h"
#include "platform/files.h"
#include "platform/system.h"

using namespace tarvik;

namespace {

class HostExports : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = JoinPath(UserTempFolder(), "tarvik_host_exports_" + NewGuidHex());
    ASSERT_TRUE(ForceDirectories(dir_));
    host_.Start();
  }
  void TearDown() override { DeleteTree(dir_); }

  static std::string Sample() { return std::string(TARVIK_SOURCE_DIR) + "/examples/sample.pptx"; }

  TPluginHost host_{DefaultPluginPath()};
  std::string dir_;
};

TEST_F(HostExports, TheBookOpensWithItsStoredMimetypeAsReadersDetectIt) {
  std::string book = JoinPath(dir_, "sample.epub");
  ASSERT_TRUE(host_.Exec(11, {Sample(), book})) << host_.Variable("[LastError]").value_or("");
  EXPECT_EQ(host_.Variable("[PPTXEPUBSlides]"), "8");
  EXPECT_EQ(host_.Variable("[LastError]"), "");
  // A local header at 0, the name "mimetype" at 30 with no extra field, and
  // its bytes stored right after it: how a reader recognises an EPUB.
  std::string bytes = ReadFileBytes(book);
  ASSERT_GT(bytes.size(), 58u);
  EXPECT_EQ(bytes.substr(0, 4), std::string("PK\x03\x04", 4));
  EXPECT_EQ(bytes.substr(28, 2), std::string("\0\0", 2)) << "no extra field";
  EXPECT_EQ(bytes.substr(30, 28), "mimetypeapplication/epub+zip");
}

TEST_F(HostExports, TheAppFolderHoldsManifestIconsAndWorker) {
  std::string folder = JoinPath(dir_, "sample_PWA");
  ASSERT_TRUE(host_.Exec(12, {Sample(), folder})) << host_.Variable("[LastError]").value_or("");
  EXPECT_EQ(host_.Variable("[PPTXPWAIndex]"), folder + kPathSep + "index.html");
  for (const char* name : {"index.html", "manifest.webmanifest", "service-worker.js", "icons/icon-192.svg",
                           "icons/icon-512.svg"})
    EXPECT_TRUE(FileExists(JoinPath(folder, name))) << name;
  // The worker names files by URL path, whatever the system's separator.
  EXPECT_NE(ReadFileBytes(JoinPath(folder, "service-worker.js")).find("\"icons/icon-192.svg\""), std::string::npos);
}

TEST_F(HostExports, ThePackagesReportTheirVariablesInTheActionsOrder) {
  std::string scorm = JoinPath(dir_, "sample.scorm.zip");
  host_.ClearEvents();
  ASSERT_TRUE(host_.Exec(10, {Sample(), scorm})) << host_.Variable("[LastError]").value_or("");
  std::vector<std::string> names;
  for (const auto& variable : host_.Variables()) names.push_back(variable.first);
  EXPECT_EQ(names, (std::vector<std::string>{"[PPTXSCORMExported]", "[PPTXSCORMSlides]", "[PPTXSCORMObjects]",
                                             "[PPTXSCORMVersion]", "[LastError]"}));
  EXPECT_EQ(host_.Variable("[PPTXSCORMExported]"), scorm);
  EXPECT_EQ(host_.Variable("[PPTXSCORMSlides]"), "8");
  EXPECT_EQ(host_.Variable("[PPTXSCORMVersion]"), "1.2");
  const std::optional<std::string> objects = host_.Variable("[PPTXSCORMObjects]");
  EXPECT_EQ(ReadFileBytes(scorm).substr(30, 15), "imsmanifest.xml");

  std::string h5p = JoinPath(dir_, "sample.h5p");
  host_.ClearEvents();
  ASSERT_TRUE(host_.Exec(9, {Sample(), h5p})) << host_.Variable("[LastError]").value_or("");
  names.clear();
  for (const auto& variable : host_.Variables()) names.push_back(variable.first);
  EXPECT_EQ(names, (std::vector<std::string>{"[PPTXH5PExported]", "[PPTXH5PSlides]", "[PPTXH5PObjects]",
                                             "[LastError]"}));
  EXPECT_EQ(host_.Variable("[PPTXH5PSlides]"), "8");
  EXPECT_EQ(host_.Variable("[PPTXH5PObjects]"), objects);
  EXPECT_EQ(ReadFileBytes(h5p).substr(30, 8), "h5p.json");
}

TEST_F(HostExports, ThePackageActionsCheckTheirParametersInOrder) {
  const std::string missing = JoinPath(dir_, "missing.pptx");
  struct Case {
    int32_t Action;
    std::string Deck, Output, Message;
  } cases[] = {
      {9, missing, "   ", "PowerPoint file not found: " + missing},
      {9, Sample(), " 	 ", "Output H5P filename is required."},
      {10, missing, "", "PowerPoint file not found: " + missing},
      {10, Sample(), "   ", "Output SCORM package filename is required."},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(host_.Exec(c.Action, {c.Deck, c.Output}));
    EXPECT_EQ(host_.Variable("[LastError]"), c.Message) << c.Action;
  }
}

}  // namespace
