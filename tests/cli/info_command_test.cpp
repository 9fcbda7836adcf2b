// `tarvik info` as a user runs it: the built binary on the bundled sample
// deck (text and JSON), its exit codes and messages, no folder left behind,
// and valid JSON for every deck of the shared collection.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <vector>

#include "cli/cli_run.h"
#include "cli/json_reader.h"
#include "platform/files.h"
#include "platform/system.h"

using namespace tarvik;
using tarvik::test::TJson;
using tarvik::test::TJsonParser;
using tarvik::test::Quote;
using tarvik::test::RunTarvik;
using tarvik::test::TRun;

namespace {

class InfoCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = JoinPath(UserTempFolder(), "tarvik_info_test_" + NewGuidHex());
    ASSERT_TRUE(ForceDirectories(dir_));
    tmp_ = JoinPath(dir_, "tmp");
    ASSERT_TRUE(ForceDirectories(tmp_));
  }
  void TearDown() override { DeleteTree(dir_); }

  // Runs tarvik with a TMPDIR of the test's own, so leftovers are visible.
  TRun Tarvik(const std::string& args) { return RunTarvik(args, tmp_, JoinPath(dir_, "stderr.txt")); }

  size_t LeftoversInTemp() {
    size_t count = 0;
    if (DIR* d = opendir(tmp_.c_str())) {
      while (dirent* e = readdir(d))
        if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") ++count;
      closedir(d);
    }
    return count;
  }

  static std::string Sample() { return std::string(TARVIK_SOURCE_DIR) + "/examples/sample.pptx"; }

  static TJson Parse(const std::string& text) {
    TJson doc;
    TJsonParser parser(text);
    EXPECT_TRUE(parser.Parse(doc)) << parser.Error;
    return doc;
  }

  std::string dir_, tmp_;
};

// The shape of a slide by name, or a null value.
const TJson& ShapeNamed(const TJson& slide, const std::string& name) {
  for (const auto& shape : slide["Shapes"].Items)
    if (shape["Name"].S == name) return shape;
  static const TJson none;
  return none;
}

}  // namespace

TEST_F(InfoCommandTest, TextFormListsSlidesBackgroundsAndShapes) {
  TRun run = Tarvik("info " + Quote(Sample()));
  ASSERT_EQ(run.Code, 0) << run.Err;
  EXPECT_EQ(run.Err, "");
  const char* const expected[] = {
      "Slide size: 1280 x 720 px (12192000 x 6858000 EMU)\n",
      "Theme fonts: major \"Calibri Light\", minor \"Calibri\"\n",
      "Slides: 8\n",
      "Slide 1 (slide1.xml): background #1F3864, 3 shapes\n",
      "Slide 2 (slide2.xml): background not set (#FFFFFF), 2 shapes\n",
      "  1. skText \"Title 1\" 160,118 960x251 rot 0 group - text \"Reading decks without "
      "PowerPoint\"\n",
      "  2. skRect \"Rectangle\" 88,199 240x160 rot 0 group -\n",
      "  13. skText \"Stamp\" 952,483 240x80 rot -8 group - text \"DRAFT\"\n",
      "  6. skOval \"Dot 1\" 708,473 63x63 rot 15 group \"Diagram/Inner\"\n",
      "text \"Around the world \xF0\x9F\x8C\x8D\"",
  };
  for (const char* line : expected) EXPECT_NE(run.Out.find(line), std::string::npos) << line;
  EXPECT_EQ(LeftoversInTemp(), 0u);
}

TEST_F(InfoCommandTest, JsonFormHoldsTheModelOfTheSample) {
  TRun run = Tarvik("info --json " + Quote(Sample()));
  ASSERT_EQ(run.Code, 0) << run.Err;
  TJson doc = Parse(run.Out);
  EXPECT_EQ(doc["SlideWidthEmu"].Int(), 12192000);
  EXPECT_EQ(doc["SlideHeightPx"].Int(), 720);
  EXPECT_EQ(doc["ThemeMajorFont"].S, "Calibri Light");
  EXPECT_EQ(doc["ThemeMinorFont"].S, "Calibri");
  ASSERT_EQ(doc["Slides"].Items.size(), 8u);
  const TJson& slides = doc["Slides"];

  EXPECT_TRUE(slides[0]["HasBackgroundColor"].B);
  EXPECT_EQ(slides[0]["BackgroundColor"].Int(), 0x64381F);
  EXPECT_FALSE(slides[1]["HasBackgroundColor"].B);
  // accent1 4472C4 with lumMod 20000 and lumOff 80000: Office's "lighter 80%", DAE3F3.
  EXPECT_EQ(slides[5]["BackgroundColor"].Int(), 0xF3E3DA);

  // Placeholders without a box borrow it: the centred title from its layout,
  // the content title through a box-less layout placeholder from the master.
  const TJson& ctrTitle = ShapeNamed(slides[0], "Title 1");
  EXPECT_EQ(ctrTitle["XEmu"].Int(), 1524000);
  EXPECT_EQ(ctrTitle["YEmu"].Int(), 1122363);
  EXPECT_TRUE(ctrTitle["IsTitle"].B);
  const TJson& body = ShapeNamed(slides[1], "Content Placeholder 2");
  EXPECT_EQ(body["XEmu"].Int(), 838200);
  EXPECT_EQ(body["YEmu"].Int(), 1825625);
  EXPECT_EQ(body["WEmu"].Int(), 10515600);
  EXPECT_EQ(body["HEmu"].Int(), 4351338);

  // The lone space between two differently formatted words stays a run.
  const TJson& runs = body["Paragraphs"][0]["Runs"];
  ASSERT_EQ(runs.Items.size(), 5u);
  EXPECT_EQ(runs[1]["Text"].S, "for");
  EXPECT_TRUE(runs[1]["Bold"].B);
  EXPECT_EQ(runs[2]["Text"].S, " ");
  EXPECT_EQ(runs[3]["Text"].S, "the");
  EXPECT_TRUE(runs[3]["Italic"].B);
  EXPECT_TRUE(body["Paragraphs"][0]["Bullet"].B);
  EXPECT_EQ(body["Paragraphs"][1]["Level"].Int(), 1);

  const struct {
    int Slide;
    const char* Name;
    const char* Kind;
    const char* Geometry;
  } kinds[] = {
      {2, "Rectangle", "skRect", "skRect"},       {2, "Rounded Rectangle", "skRoundRect", "skRoundRect"},
      {2, "Ellipse", "skOval", "skOval"},         {2, "Triangle", "skOther", "skOther"},
      {2, "Line", "skLine", "skLine"},            {2, "Connector (flipped)", "skLine", "skOther"},
      {2, "Button", "skText", "skRoundRect"},     {4, "Landscape", "skImage", "skOther"},
      {6, "Cell 2,1", "skText", "skRect"},         {6, "Callout", "skText", "skOther"},
  };
  for (const auto& k : kinds) {
    const TJson& shape = ShapeNamed(slides[k.Slide], k.Name);
    EXPECT_EQ(shape["Kind"].S, k.Kind) << k.Name;
    EXPECT_EQ(shape["GeometryKind"].S, k.Geometry) << k.Name;
  }

  // A table comes as its cells, grouped under the frame's name.
  EXPECT_EQ(ShapeNamed(slides[6], "Cell 4,3")["GroupPath"].S, "Table");

  const TJson& rect = ShapeNamed(slides[2], "Rectangle");
  EXPECT_TRUE(rect["HasFill"].B);
  EXPECT_EQ(rect["FillColor"].Int(), 0xC47244);
  EXPECT_EQ(rect["LineWidthPt"].N, 1.5);
  const TJson& connector = ShapeNamed(slides[2], "Connector (flipped)");
  EXPECT_TRUE(connector["FlipV"].B);
  EXPECT_FALSE(connector["FlipH"].B);
  EXPECT_TRUE(connector["HasLine"].B);
  EXPECT_EQ(connector["LineWidthPt"].N, 2.25);
  EXPECT_EQ(ShapeNamed(slides[2], "Stamp")["RotationDeg"].N, -8);

  const TJson& dot = ShapeNamed(slides[3], "Dot 1");
  EXPECT_EQ(dot["GroupDepth"].Int(), 2);
  EXPECT_EQ(dot["GroupPath"].S, "Diagram/Inner");
  EXPECT_EQ(dot["RotationDeg"].N, 15);

  const TJson& cropped = ShapeNamed(slides[4], "Landscape (cropped)");
  EXPECT_EQ(cropped["MediaFile"].S, "ppt/media/image1.png");
  EXPECT_EQ(cropped["CropLeft"].Int(), 25000);
  EXPECT_EQ(cropped["CropTop"].Int(), 10000);
  EXPECT_EQ(cropped["CropRight"].Int(), 15000);
  EXPECT_EQ(cropped["CropBottom"].Int(), 20000);
  EXPECT_TRUE(ShapeNamed(slides[4], "Arrow (mirrored)")["FlipH"].B);
  EXPECT_TRUE(ShapeNamed(slides[4], "Arrow (upside down)")["FlipV"].B);
  EXPECT_EQ(ShapeNamed(slides[4], "Arrow")["MediaFile"].S, "ppt/media/image2.png");

  std::string world;
  for (const auto& p : ShapeNamed(slides[5], "Content Placeholder 2")["Paragraphs"].Items)
    for (const auto& r : p["Runs"].Items) world += r["Text"].S;
  for (const char* t : {"caf\xC3\xA9", "\xE6\x9D\xB1\xE4\xBA\xAC", "\xF0\x9F\x9A\x80", "<tags>"})
    EXPECT_NE(world.find(t), std::string::npos) << t;
  EXPECT_EQ(LeftoversInTemp(), 0u);
}

TEST_F(InfoCommandTest, FailuresAndUsageHaveTheirExitCodes) {
  std::string missing = JoinPath(dir_, "nowhere.pptx");
  TRun run = Tarvik("info " + Quote(missing));
  EXPECT_EQ(run.Code, 1);
  EXPECT_EQ(run.Out, "");
  EXPECT_NE(run.Err.find("PPTX file not found: " + missing), std::string::npos) << run.Err;

  std::string notZip = JoinPath(dir_, "text.pptx");
  WriteFileBytes(notZip, "this is not a zip archive");
  run = Tarvik("info --json " + Quote(notZip));
  EXPECT_EQ(run.Code, 1);
  EXPECT_EQ(run.Out, "");
  EXPECT_FALSE(run.Err.empty());

  EXPECT_EQ(Tarvik("info").Code, 2);
  EXPECT_EQ(Tarvik("info --no-such-flag " + Quote(Sample())).Code, 2);
  EXPECT_EQ(LeftoversInTemp(), 0u);
}

TEST_F(InfoCommandTest, SharedDecksGiveValidJsonOrAClearFailure) {
  std::string decks = std::string(TARVIK_SHARED_DIR) + "/decks";
  if (!DirectoryExists(decks)) GTEST_SKIP() << "no shared decks at " << decks;
  std::ifstream manifest(decks + "/MANIFEST.tsv");
  std::string line;
  std::getline(manifest, line);  // header
  int checked = 0;
  while (std::getline(manifest, line)) {
    std::string file = line.substr(0, line.find('\t'));
    if (file.empty()) continue;
    SCOPED_TRACE(file);
    TRun run = Tarvik("info --json " + Quote(decks + "/" + file));
    if (file.starts_with("broken/")) {
      EXPECT_EQ(run.Code, 1);
      EXPECT_NE(run.Err.find("tarvik: "), std::string::npos);
      EXPECT_GT(run.Err.size(), std::string("tarvik: \n").size());
    } else {
      ASSERT_EQ(run.Code, 0) << run.Err;
      TJson doc = Parse(run.Out);
      EXPECT_EQ(doc["Slides"].Type, TJson::Array);
    }
    ++checked;
  }
  EXPECT_GT(checked, 0);
  EXPECT_EQ(LeftoversInTemp(), 0u);
}

// Not info itself, but the same binary and the same way of running it.
namespace {

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST_F(InfoCommandTest, RunNamesTheParametersItPassesEmpty) {
  TRun run = Tarvik("run 7");
  EXPECT_EQ(run.Code, 1);
  auto lines = LinesOf(run.Err);
  ASSERT_EQ(lines.size(), 2u) << run.Err;
  EXPECT_NE(lines[0].find("ovPPTXExportHTML(file, file)"), std::string::npos) << lines[0];
  EXPECT_NE(lines[0].find("0 given"), std::string::npos) << lines[0];
  // Then the action's own check answers, as for any empty parameter.
  EXPECT_EQ(lines[1].rfind("tarvik: ", 0), 0u) << lines[1];
}

TEST_F(InfoCommandTest, AFalseFromTheDriverKeepsItsReasonOnASecondLine) {
  const std::string deck = JoinPath(dir_, "damaged.pptx");
  WriteFileBytes(deck, "not a zip archive");
  TRun run = Tarvik("web " + Quote(deck) + " " + Quote(JoinPath(dir_, "out")));
  EXPECT_EQ(run.Code, 1);
  auto lines = LinesOf(run.Err);
  ASSERT_EQ(lines.size(), 2u) << run.Err;
  EXPECT_EQ(lines[0].rfind("tarvik: ", 0), 0u);
  EXPECT_EQ(lines[1].rfind("  ", 0), 0u) << "indented under the action's message";
  EXPECT_NE(lines[1].find("damaged.pptx"), std::string::npos) << lines[1];
  // The action's own variable keeps its fixed message.
  EXPECT_NE(run.Out.find("[LastError]=" + lines[0].substr(8)), std::string::npos) << run.Out;
}

}  // namespace
