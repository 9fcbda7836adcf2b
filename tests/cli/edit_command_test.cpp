// tarvik edit: the answers file reaches the plug-in's dialogs and the host's
// pickers, and what they did is printed in the order it happened.
#include <gtest/gtest.h>

#include "cli/cli_run.h"
#include "platform/system.h"

using namespace tarvik;
using namespace tarvik::test;

namespace {

TEST(EditCommand, PrintsDialogsHostRequestsAndParametersInOrder) {
  const std::string dir = JoinPath(UserTempFolder(), "tarvik_edit_cli_" + NewGuidHex());
  ASSERT_TRUE(ForceDirectories(dir));
  const std::string answers = JoinPath(dir, "answers.json"), err = JoinPath(dir, "err.txt");
  WriteFileBytes(answers, R"({"dialogs": [{"form": ["FBtnRectangle", {"FEdFile": "[Deck]"}, "FBtnOK"]}],
                              "host": {"8": "Rect2"}})");
  TRun run = RunTarvik("edit ovPPTXAttach R1 '' '[N]' --answers " + Quote(answers), dir, err);
  EXPECT_EQ(run.Code, 0) << run.Err;
  size_t press = run.Out.find("presses FBtnRectangle"), request = run.Out.find("host request 8 with \"R1\"");
  size_t typed = run.Out.find("types \"[Deck]\" into FEdFile");
  EXPECT_LT(press, request);
  EXPECT_LT(request, typed);
  EXPECT_NE(typed, std::string::npos);
  for (const char* line : {"parameter 1: \"Rect2\"  (changed)\n", "parameter 2: \"[Deck]\"  (changed)\n",
                           "parameter 3: \"[N]\"\n", "result: true\n"})
    EXPECT_NE(run.Out.find(line), std::string::npos) << line;

  WriteFileBytes(answers, R"({"dialogs": [{"picker": null}]})");
  run = RunTarvik("edit 7 deck.pptx --answers " + Quote(answers), dir, err);
  EXPECT_EQ(run.Code, 2);
  EXPECT_NE(run.Err.find("answers file: "), std::string::npos);
  DeleteTree(dir);
}

// Both commands hand parameters over as typed: "[Name]" is a variable
// reference, not a list.
TEST(RunCommand, PassesBracketedParametersAsWritten) {
  const std::string dir = JoinPath(UserTempFolder(), "tarvik_run_cli_" + NewGuidHex());
  ASSERT_TRUE(ForceDirectories(dir));
  TRun run = RunTarvik("run ovPPTXExportHTML '[a,b]' out.html", dir, JoinPath(dir, "err.txt"));
  EXPECT_EQ(run.Code, 1);
  EXPECT_NE(run.Out.find("[LastError]=PowerPoint file not found: [a,b]\n"), std::string::npos) << run.Out;
  DeleteTree(dir);
}

}  // namespace
