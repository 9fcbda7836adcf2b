// The five viewer actions through Tarvik.nbp, as a host runs them: the
// status variables, every failure message, names without regard to case,
// replacing and freeing viewers, and the folders the viewers unpack into.
// The plug-in draws with its headless toolkit here, so any non-zero window
// handle the host answers is a window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/plugin_host.h"
#include "platform/files.h"
#include "platform/system.h"
#include "support/deck_writer.h"

using namespace tarvik;

namespace {

class HostViewer : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = JoinPath(UserTempFolder(), "tarvik_host_viewer_" + NewGuidHex());
    ASSERT_TRUE(ForceDirectories(dir_));
    hadTemp_ = HasEnvVar("TEMP");
    oldTemp_ = GetEnvVar("TEMP");
    SetEnvVar("TEMP", dir_);
    host_.Start();
    GiveAccess("1001");
  }
  void TearDown() override {
    host_.Message(2, 0);
    if (hadTemp_) SetEnvVar("TEMP", oldTemp_);
    else UnsetEnvVar("TEMP");
    DeleteTree(dir_);
  }

  // The host knows the protocol and answers every object name with Window.
  void GiveAccess(const std::string& window) {
    host_.Answers[6] = {true, std::string("1")};
    host_.Answers[7] = {true, window};
  }
  static std::string Sample() { return std::string(TARVIK_SOURCE_DIR) + "/examples/sample.pptx"; }
  std::string EmptyDeck() {
    std::string path = JoinPath(dir_, "empty.pptx");
    test::BuildMinimalDeck({}).Write(path);
    return path;
  }
  // The three status variables as the last action set them, in order.
  std::vector<std::pair<std::string, std::string>> Status() {
    std::vector<std::pair<std::string, std::string>> status;
    for (const auto& v : host_.Variables())
      if (v.first != "[LastError]") status.push_back(v);
    return status;
  }
  bool Run(int32_t action, const std::vector<std::optional<std::string>>& params) {
    host_.ClearEvents();
    return host_.Exec(action, params);
  }
  std::string CacheFolder(const std::string& name) { return JoinPath(JoinPath(dir_, "Tarvik_Cache"), name); }

  TPluginHost host_{DefaultPluginPath()};
  std::string dir_, oldTemp_;
  bool hadTemp_ = false;
};

using TStatus = std::vector<std::pair<std::string, std::string>>;
TStatus StatusOf(const std::string& slide, const std::string& count, const std::string& shapes) {
  return {{"[PPTXCurrentSlide]", slide}, {"[PPTXSlideCount]", count}, {"[PPTXShapeCount]", shapes}};
}

TEST_F(HostViewer, AttachAsksTheHostThenReportsTheCountAndTheStatus) {
  ASSERT_TRUE(Run(1, {"Rect1", Sample(), "[Slides]"})) << host_.Variable("[LastError]").value_or("");
  std::vector<std::string> asked;
  for (const auto& e : host_.Events)
    if (e.Kind == THostEvent::InterfaceAccess) asked.push_back(std::to_string(e.Code) + ":" + e.Name);
  EXPECT_EQ(asked, (std::vector<std::string>{"6:", "7:Rect1"}));
  auto variables = host_.Variables();
  ASSERT_EQ(variables.size(), 4u) << "no [LastError] on success";
  EXPECT_EQ(variables[0], (std::pair<std::string, std::string>{"[Slides]", "8"}));
  EXPECT_EQ(variables[1], (std::pair<std::string, std::string>{"[PPTXCurrentSlide]", "1"}));
  EXPECT_EQ(variables[2], (std::pair<std::string, std::string>{"[PPTXSlideCount]", "8"}));
  EXPECT_GT(std::stoi(variables[3].second), 0);
  EXPECT_TRUE(DirectoryExists(CacheFolder("Viewer_RECT1"))) << "unpacked below a folder of its own";
}

TEST_F(HostViewer, NavigationFindsTheViewerWithoutCaseAndStaysWithinTheSlides) {
  ASSERT_TRUE(Run(1, {"Rect1", Sample(), ""}));
  EXPECT_EQ(Status().size(), 3u) << "an empty variable name sets nothing more";
  struct Step {
    int32_t Action;
    std::string Name, Number, Slide;
  } steps[] = {
      {3, "RECT1", "3", "3"}, {4, "rect1", "", "4"}, {5, "Rect1", "", "3"},  {3, "rEcT1", "0", "3"},
      {3, "Rect1", "99", "3"}, {3, "Rect1", "abc", "1"}, {5, "Rect1", "", "1"}, {3, "Rect1", "$8", "8"},
      {4, "Rect1", "", "8"},   {3, "Rect1", "", "1"},
  };
  for (const auto& s : steps) {
    std::vector<std::optional<std::string>> params{s.Name};
    if (s.Action == 3) params.push_back(s.Number);
    EXPECT_TRUE(Run(s.Action, params)) << s.Action << " " << s.Number;
    auto status = Status();
    ASSERT_EQ(status.size(), 3u);
    EXPECT_EQ(status[0].second, s.Slide) << s.Action << " " << s.Number;
    EXPECT_EQ(status[1].second, "8");
    EXPECT_FALSE(host_.Variable("[LastError]").has_value());
  }
}

TEST_F(HostViewer, EveryFailureHasItsMessage) {
  std::string missing = JoinPath(dir_, "missing.pptx");
  std::string noViewer = "There is no PowerPoint viewer attached to an object named Nothing.";
  struct Case {
    int32_t Action;
    std::vector<std::optional<std::string>> Params;
    std::string Window, Message;
  } cases[] = {
      {1, {"Rect1", Sample(), ""}, "", "This function requires VisualNEO Win 4.0.9 or higher."},
      {1, {"Rect1", missing, "[V]"}, "1001", "File not found: " + missing},
      {1, {"Rect1", Sample(), "[V]"}, "0", "Object named Rect1 does not exist."},
      {1, {"Rect1", Sample(), "[V]"}, "not a number", "Object named Rect1 does not exist."},
      {2, {"Nothing"}, "1001", noViewer},
      {3, {"Nothing", "1"}, "1001", noViewer},
      {4, {"Nothing"}, "1001", noViewer},
      {5, {"Nothing"}, "1001", noViewer},
  };
  for (const auto& c : cases) {
    host_.Answers.clear();
    if (!c.Window.empty()) GiveAccess(c.Window);
    EXPECT_FALSE(Run(c.Action, c.Params));
    auto variables = host_.Variables();
    ASSERT_EQ(variables.size(), 1u) << c.Message;
    EXPECT_EQ(variables[0], (std::pair<std::string, std::string>{"[LastError]", c.Message}));
  }
}

TEST_F(HostViewer, ReattachReplacesAndAFailedAttachLeavesNothingBehind) {
  ASSERT_TRUE(Run(1, {"Rect1", Sample(), ""}));
  ASSERT_TRUE(Run(1, {"RECT1", EmptyDeck(), ""}));
  EXPECT_EQ(Status(), StatusOf("0", "0", "-1"));
  EXPECT_TRUE(Run(2, {"rect1"}));
  EXPECT_FALSE(Run(2, {"Rect1"})) << "the replaced viewer is gone too";
  EXPECT_FALSE(DirectoryExists(CacheFolder("Viewer_RECT1")));

  // A deck the reader refuses: its message, no viewer, no folder.
  std::string broken = JoinPath(dir_, "broken.pptx");
  WriteFileBytes(broken, "not a zip");
  ASSERT_TRUE(Run(1, {"Rect1", Sample(), ""}));
  EXPECT_FALSE(Run(1, {"Rect1", broken, "[V]"}));
  EXPECT_FALSE(host_.Variable("[LastError]").value_or("").empty());
  EXPECT_FALSE(host_.Variable("[V]").has_value());
  EXPECT_FALSE(Run(4, {"Rect1"})) << "the earlier viewer went at the start of the attach";
  EXPECT_FALSE(DirectoryExists(CacheFolder("Viewer_RECT1")));
}

TEST_F(HostViewer, ViewersOfSameNamedDecksKeepTheirOwnMedia) {
  std::string a = JoinPath(dir_, "a"), b = JoinPath(dir_, "b");
  ASSERT_TRUE(ForceDirectories(a) && ForceDirectories(b));
  WriteFileBytes(JoinPath(a, "deck.pptx"), ReadFileBytes(Sample()));
  WriteFileBytes(JoinPath(b, "deck.pptx"), ReadFileBytes(Sample()));
  ASSERT_TRUE(Run(1, {"Left", JoinPath(a, "deck.pptx"), ""}));
  ASSERT_TRUE(Run(1, {"Right", JoinPath(b, "deck.pptx"), ""}));
  std::string rightMedia = JoinPath(CacheFolder("Viewer_RIGHT"), "deck_extracted");
  ASSERT_TRUE(DirectoryExists(rightMedia));
  EXPECT_TRUE(Run(2, {"Left"}));
  EXPECT_FALSE(DirectoryExists(CacheFolder("Viewer_LEFT")));
  EXPECT_TRUE(DirectoryExists(rightMedia));
  // Names that differ only in characters a folder name cannot hold stay apart.
  ASSERT_TRUE(Run(1, {"a/b", Sample(), ""}));
  ASSERT_TRUE(Run(1, {"a_b", Sample(), ""}));
  EXPECT_TRUE(Run(4, {"a/b"}));
  EXPECT_EQ(Status()[0].second, "2");
}

TEST_F(HostViewer, GoodbyeFreesEveryViewerOnceAndAttachStartsAfresh) {
  ASSERT_TRUE(Run(1, {"Rect1", Sample(), ""}));
  ASSERT_TRUE(Run(1, {"Rect2", Sample(), ""}));
  host_.Message(2, 0);
  host_.Message(2, 0);
  for (const char* name : {"Rect1", "Rect2"}) {
    EXPECT_FALSE(Run(4, {std::string(name)}));
    EXPECT_EQ(host_.Variable("[LastError]"),
              std::string("There is no PowerPoint viewer attached to an object named ") + name + ".");
  }
  EXPECT_FALSE(DirectoryExists(CacheFolder("Viewer_RECT1")));
  EXPECT_TRUE(DirectoryExists(JoinPath(dir_, "Tarvik_Cache"))) << "the cache itself stays";
  EXPECT_TRUE(Run(1, {"Rect2", Sample(), ""}));
  EXPECT_TRUE(Run(4, {"Rect2"}));
}

}  // namespace
