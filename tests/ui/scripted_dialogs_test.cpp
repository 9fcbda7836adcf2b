// The scripted user of the headless dialogs: its files keep any text, and it
// picks only what the system's dialogs would let a user pick. (How it answers
// forms in order is pinned through the plug-in's own, in tests/host.)
#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/system.h"
#include "ui/headless/scripted_dialogs.h"

using namespace tarvik;
using namespace tarvik::ui;

namespace {

using TKind = TDialogAnswer::TKind;

TEST(DialogScript, FilesKeepEveryTextAndRefuseWhatIsNoAnswer) {
  const std::string awkward = "a\tb\nc\r%41%\x01 C:\\x \xC3\xA9";
  TDialogScript script = {FormAnswer({Fill("FEdA", awkward), Fill("FEdB", ""), Press("FBtnOK")}),
                          Confirm(TKind::File, awkward), Dismiss(TKind::Folder), Confirm(TKind::Input, ""),
                          Dismiss(TKind::Message)};
  TDialogScript back;
  std::string error;
  ASSERT_TRUE(ParseDialogScript(FormatDialogScript(script), back, error)) << error;
  ASSERT_EQ(back.size(), script.size());
  EXPECT_EQ(back[0].Steps[0].Text, awkward);
  EXPECT_EQ(back[1].Text, awkward);
  EXPECT_EQ(FormatDialogScript(back), FormatDialogScript(script));

  TTranscriptLine line{"set", {"FEdA", awkward, ""}};
  EXPECT_EQ(ParseTranscript(FormatTranscriptLine(line) + "\n" + FormatTranscriptLine(line)),
            (std::vector<TTranscriptLine>{line, line}));

  for (const char* bad : {"press\tFBtnOK\n", "form\nfile\tok\n", "input\tmaybe\tx\n", "form\nclick\tFBtnOK\n"}) {
    EXPECT_FALSE(ParseDialogScript(bad, back, error)) << bad;
    EXPECT_NE(error.find("line "), std::string::npos);
    EXPECT_TRUE(back.empty());
  }
}

TEST(ScriptedDialogs, PickersAcceptOnlyWhatTheSystemDialogsWould) {
  const std::string dir = JoinPath(UserTempFolder(), "tarvik_scripted_" + NewGuidHex());
  ASSERT_TRUE(ForceDirectories(dir));
  const std::string deck = JoinPath(dir, "deck.pptx");
  WriteFileBytes(deck, "x");
  TFileDialogOptions open;
  open.FileMustExist = true;
  open.DefaultExt = "pptx";
  TFileDialogOptions save;
  save.Save = save.PathMustExist = true;
  save.DefaultExt = "html";
  const struct {
    TFileDialogOptions Options;
    std::string Picked;
    bool Accepted;
    std::string Result;
  } cases[] = {
      {open, deck, true, deck},
      {open, JoinPath(dir, "deck"), true, deck},  // the default extension is added
      {open, JoinPath(dir, "missing.pptx"), false, ""},
      {save, JoinPath(JoinPath(dir, "none"), "page.html"), false, ""},
  };
  for (const auto& c : cases) {
    TScriptedDialogs dialogs({Confirm(TKind::File, c.Picked)});
    std::string file;
    EXPECT_EQ(dialogs.PickFile(c.Options, file), c.Accepted) << c.Picked;
    EXPECT_EQ(file, c.Result);
  }
  TScriptedDialogs dialogs({Confirm(TKind::Folder, JoinPath(dir, "none"))});
  std::string folder = "kept";
  EXPECT_FALSE(dialogs.BrowseForFolder("Pick", folder)) << "the browser offers only existing folders";
  EXPECT_EQ(folder, "kept");
  DeleteTree(dir);
}

}  // namespace
