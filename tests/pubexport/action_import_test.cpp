// Action 6 as the dispatch runs it: its checks and messages, the variables in
// order, and the shell step, through an opener that never launches anything.
#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/system.h"
#include "plugin/action_table.h"
#include "plugin/dispatch.h"
#include "plugin/import_action.h"
#include "plugin/module_state.h"
#include "pubexport/pub_test_support.h"
#include "support/deck_writer.h"

using namespace tarvik;
using namespace tarvik::test;

namespace {

using TVars = std::vector<std::pair<std::string, std::string>>;
TVars gSet;
void HOSTCALL RecordVariable(const char* name, const char* value) { gSet.emplace_back(name, value); }

class ImportAction : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = Module();
    Module().SetVariable = RecordVariable;
    gSet.clear();
    opened_.clear();
    previous_ = SetShellOpener([this](const std::string& path) {
      opened_.push_back(path);
      return accept_;
    });
    hadTemp_ = HasEnvVar("TEMP");
    savedTemp_ = GetEnvVar("TEMP");
    SetEnvVar("TEMP", dir_ / "temp");
    savedOpen_ = GetEnvVar("TARVIK_SHELL_OPEN");
    UnsetEnvVar("TARVIK_SHELL_OPEN");
    TDeckParts parts;
    parts.Slides.push_back({TextShapeXml(2, "Title 1", 0, 0, 952500, 476250, "Hello"), "", ""});
    parts.Slides.push_back({"", "", ""});
    BuildMinimalDeck(parts).Write(deck_);
  }
  void TearDown() override {
    Module() = saved_;
    SetShellOpener(previous_);
    hadTemp_ ? SetEnvVar("TEMP", savedTemp_) : UnsetEnvVar("TEMP");
    savedOpen_.empty() ? UnsetEnvVar("TARVIK_SHELL_OPEN") : SetEnvVar("TARVIK_SHELL_OPEN", savedOpen_);
  }
  bool Exec(const std::string& a, const std::string& b) {
    std::string pa = a, pb = b;
    char* params[] = {pa.data(), pb.data()};
    return ExecAction(6, params);
  }

  TTempDir dir_;
  std::string deck_ = dir_ / "deck.pptx";
  TModuleState saved_;
  ShellOpener previous_;
  std::vector<std::string> opened_;
  bool accept_ = true;
  bool hadTemp_ = false;
  std::string savedTemp_, savedOpen_;
};

}  // namespace

TEST_F(ImportAction, SuccessSetsTheVariablesInOrderThenOpens) {
  std::string pub = dir_ / "out/deck.pub";
  gSet.emplace_back("[LastError]", "from an earlier action");
  EXPECT_TRUE(Exec(deck_, pub));
  EXPECT_EQ(gSet, (TVars{{"[LastError]", "from an earlier action"},
                         {"[PPTXImportedPub]", pub},
                         {"[PPTXImportedSlides]", "2"},
                         {"[PPTXImportedObjects]", "1"},
                         {"[LastError]", ""}}));
  EXPECT_EQ(opened_, std::vector<std::string>{pub});
  EXPECT_EQ(LinesStarting(ReadFileBytes(pub), "Author="), std::vector<std::string>{std::string("Author=") +
                                                                                    PluginPublisher});
}

TEST_F(ImportAction, ShellRefusalKeepsTheVariablesAndReportsIt) {
  accept_ = false;
  std::string pub = dir_ / "deck.pub";
  EXPECT_FALSE(Exec(deck_, pub));
  ASSERT_EQ(gSet.size(), 5u);
  EXPECT_EQ(gSet[3], (std::pair<std::string, std::string>{"[LastError]", ""}));
  EXPECT_EQ(gSet[4].second,
            "The .pub file was created, but Windows could not open it through the file association: " + pub);
}

TEST_F(ImportAction, ChecksAndDriverFailures) {
  struct Case {
    std::string presentation, output, message;
  } cases[] = {
      {dir_ / "none.pptx", dir_ / "x.pub", "PowerPoint file not found: " + (dir_ / "none.pptx")},
      {"", dir_ / "x.pub", "PowerPoint file not found: "},
      {deck_, "", "Output publication name is required."},
      // Blanks pass the check; the driver cannot make a folder of them.
      {deck_, "   ", "Unable to create directory"},
  };
  for (const auto& c : cases) {
    gSet.clear();
    EXPECT_FALSE(Exec(c.presentation, c.output));
    EXPECT_EQ(gSet, (TVars{{"[LastError]", c.message}})) << c.output;
  }
  EXPECT_TRUE(opened_.empty());
}

TEST_F(ImportAction, DriverFalseGetsTheHandlersMessage) {
  TDeckParts parts;
  parts.SlideHeightEmu = 0;
  parts.Slides.push_back({"", "", ""});
  std::string flat = dir_ / "flat.pptx";
  BuildMinimalDeck(parts).Write(flat);
  EXPECT_FALSE(Exec(flat, dir_ / "flat.pub"));
  ASSERT_EQ(gSet.size(), 1u);
  EXPECT_EQ(gSet[0].first, "[LastError]");
  EXPECT_EQ(gSet[0].second, "Unable to create the VisualNEO Win publication.");
  EXPECT_FALSE(FileExists(dir_ / "flat.pub"));
}

TEST_F(ImportAction, OpenGeneratedPublicationNeedsTheFile) {
  EXPECT_FALSE(OpenGeneratedPublication(dir_ / "gone.pub"));
  EXPECT_EQ(gSet, (TVars{{"[LastError]", "Generated publication not found: " + (dir_ / "gone.pub")}}));
  EXPECT_TRUE(opened_.empty());
  // A host without a desktop takes the request as done without launching anything.
  WriteFileBytes(dir_ / "here.pub", "x");
  SetEnvVar("TARVIK_SHELL_OPEN", "0");
  accept_ = false;
  EXPECT_TRUE(OpenGeneratedPublication(dir_ / "here.pub"));
  EXPECT_TRUE(opened_.empty());
}
