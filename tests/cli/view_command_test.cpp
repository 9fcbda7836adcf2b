// `tarvik view` as a user runs it: the JSON keys and values others rely on,
// SVG that any XML reader takes for every shared deck, and the refusals of
// bad sizes, slides, decks and outputs.
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <dirent.h>

#include <regex>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "cli/json_reader.h"
#include "platform/system.h"

using namespace tarvik;
using namespace tarvik::test;

namespace {

class ViewCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = JoinPath(UserTempFolder(), "tarvik_view_test_" + NewGuidHex());
    tmp_ = JoinPath(dir_, "tmp");
    ASSERT_TRUE(ForceDirectories(tmp_));
  }
  void TearDown() override { DeleteTree(dir_); }
  TRun Tarvik(const std::string& args) { return RunTarvik(args, tmp_, JoinPath(dir_, "stderr.txt")); }
  static std::string Sample() { return std::string(TARVIK_SOURCE_DIR) + "/examples/sample.pptx"; }
  std::string dir_, tmp_;
};

std::vector<std::string> Keys(const TJson& object) {
  std::vector<std::string> keys;
  for (const auto& m : object.Members) keys.push_back(m.first);
  return keys;
}

TEST_F(ViewCommand, JsonKeepsItsSchemaAndTheViewersGeometry) {
  TRun run = Tarvik("view --json --slide 2 " + Quote(Sample()));
  ASSERT_EQ(run.Code, 0) << run.Err;
  TJson doc;
  TJsonParser parser(run.Out);
  ASSERT_TRUE(parser.Parse(doc)) << parser.Error;
  EXPECT_EQ(Keys(doc), (std::vector<std::string>{"Width", "Height", "Slide", "Scale", "OffX", "OffY", "Background",
                                                 "Controls", "NavBar"}));
  EXPECT_EQ(Keys(doc["NavBar"]), (std::vector<std::string>{"Left", "Top", "Width", "Height"}));
  // 1280 x 720 in 800 x 600: scale 0.625, a band of 75 above and below.
  EXPECT_EQ(doc["Slide"].Int(), 2);
  EXPECT_DOUBLE_EQ(doc["Scale"].N, 0.625);
  EXPECT_EQ(doc["OffY"].Int(), 75);
  EXPECT_EQ(doc["NavBar"]["Left"].Int(), 205);
  EXPECT_EQ(doc["NavBar"]["Top"].Int(), 546);
  const std::regex hex("#[0-9A-F]{6}");
  EXPECT_TRUE(std::regex_match(doc["Background"].S, hex));
  ASSERT_FALSE(doc["Controls"].Items.empty());
  int64_t lastShape = -1;
  for (const TJson& control : doc["Controls"].Items) {
    std::vector<std::string> keys = Keys(control);
    ASSERT_GE(keys.size(), 6u);
    keys.resize(6);
    EXPECT_EQ(keys, (std::vector<std::string>{"Kind", "Shape", "Left", "Top", "Width", "Height"}));
    EXPECT_GE(control["Shape"].Int(), lastShape) << "in shape-list order";
    lastShape = control["Shape"].Int();
    if (control["Kind"].S == "label") {
      EXPECT_FALSE(control["Text"].S.empty());
      EXPECT_TRUE(std::regex_match(control["Color"].S, hex));
    }
  }
}

TEST_F(ViewCommand, SvgOfEverySharedDeckIsWellFormed) {
  std::string decks = std::string(TARVIK_SHARED_DIR) + "/decks";
  DIR* d = opendir(decks.c_str());
  if (d == nullptr) GTEST_SKIP() << "no shared decks";
  std::vector<std::string> names;
  while (dirent* e = readdir(d)) {
    std::string name = e->d_name;
    if (name.size() > 5 && name.substr(name.size() - 5) == ".pptx") names.push_back(name);
  }
  closedir(d);
  std::string svg = JoinPath(dir_, "out.svg");
  for (const auto& name : names) {
    TRun run = Tarvik("view --size 640x480 --svg " + Quote(svg) + " " + Quote(JoinPath(decks, name)));
    if (run.Code != 0) {
      EXPECT_EQ(run.Code, 1) << name;
      EXPECT_NE(run.Err, "") << name;
      continue;
    }
    pugi::xml_document doc;
    EXPECT_TRUE(doc.load_file(svg.c_str())) << name;
    EXPECT_STREQ(doc.document_element().name(), "svg") << name;
    EXPECT_STREQ(doc.document_element().attribute("width").value(), "640") << name;
  }
}

TEST_F(ViewCommand, RefusesBadRequestsWithAMessageAndWritesNothing) {
  std::string svg = JoinPath(dir_, "no/such/folder/out.svg");
  struct Case {
    std::string Args;
    int Code;
    std::string Said;
  } cases[] = {
      {"--size 0x600 " + Quote(Sample()), 2, "--size"},
      {"--size big " + Quote(Sample()), 2, "--size"},
      {"--slide 9 " + Quote(Sample()), 1, "no slide 9"},
      {"--slide 0 " + Quote(Sample()), 1, "no slide 0"},
      {Quote(JoinPath(dir_, "missing.pptx")), 1, "missing.pptx"},
      {"--svg " + Quote(svg) + " " + Quote(Sample()), 1, "tarvik: "},
      {"--json --svg x.svg " + Quote(Sample()), 2, "--json"},
  };
  for (const auto& c : cases) {
    TRun run = Tarvik("view " + c.Args);
    EXPECT_EQ(run.Code, c.Code) << c.Args;
    EXPECT_NE(run.Err.find(c.Said), std::string::npos) << c.Args << ": " << run.Err;
    EXPECT_EQ(run.Out, "") << c.Args;
  }
  EXPECT_FALSE(FileExists(svg));
  EXPECT_FALSE(FileExists("x.svg"));
}

}  // namespace
