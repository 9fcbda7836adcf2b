// The scripted user of the headless dialogs: its files keep any text, it
// answers dialogs strictly in the order they open, does only what the real
// dialog would let it do, and leaves nothing waiting when the script ends.
#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/system.h"
#include "ui/headless/scripted_dialogs.h"

using namespace tarvik;
using namespace tarvik::ui;

namespace {

using TKind = TDialogAnswer::TKind;

std::vector<std::string> Kinds(const TScriptedDialogs& dialogs) {
  std::vector<std::string> kinds;
  for (const auto& line : dialogs.Transcript())
    if (line.Kind != "control") kinds.push_back(line.Kind);
  return kinds;
}

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

// A form with a box, a button that browses for a file into it, a validated
// OK that refuses an empty box with a message, and Cancel.
struct TProbe {
  explicit TProbe(TScriptedDialogs& dialogs)
      : form(dialogs.CreateForm({"Probe", 300, 100,
                                 {{TFormItemKind::Edit, "FEdA", "", 10, 10, 100, 25},
                                  {TFormItemKind::Button, "FBtnBrowse", "Browse...", 120, 10, 85, 25},
                                  {TFormItemKind::Button, "FBtnOK", "OK", 10, 60, 85, 25, TButtonRole::Default},
                                  {TFormItemKind::Button, "FBtnCancel", "Cancel", 120, 60, 85, 25,
                                   TButtonRole::Cancel}}})) {
    form->OnClick("FBtnBrowse", [this, &dialogs] {
      std::string file;
      if (dialogs.PickFile({}, file)) form->SetText("FEdA", file);
    });
    form->SetValidator([this, &dialogs] {
      if (!form->Text("FEdA").empty()) return true;
      dialogs.ShowMessage("Warning", "empty", TMessageIcon::Warning);
      return false;
    });
  }
  std::unique_ptr<TForm> form;
};

TEST(ScriptedDialogs, FormsFollowTheirStepsAndNestedDialogsTakeTheNextAnswers) {
  const TFormStep ok = Press("FBtnOK");
  const struct {
    const char* Why;
    TDialogScript Script;
    TModalResult Result;
    std::string Box;
    std::vector<std::string> Kinds;
  } cases[] = {
      {"no script", {}, TModalResult::Cancel, "", {"form", "note", "note", "close"}},
      {"typed and confirmed", {FormAnswer({Fill("FEdA", "x"), ok})}, TModalResult::OK, "x",
       {"form", "set", "press", "close"}},
      {"refused until filled", {FormAnswer({ok, Fill("FEdA", "y"), ok}), Dismiss(TKind::Message)},
       TModalResult::OK, "y", {"form", "press", "message", "set", "press", "close"}},
      {"browsed, then left open", {FormAnswer({Press("FBtnBrowse")}), Confirm(TKind::File, "z")},
       TModalResult::Cancel, "z", {"form", "press", "open", "answer", "note", "close"}},
      {"an answer for another dialog", {Confirm(TKind::File, "z")}, TModalResult::Cancel, "",
       {"form", "note", "note", "close"}},
      {"unknown controls and late steps", {FormAnswer({Press("FBtnNone"), Fill("FBtnOK", "t"), Press("FBtnCancel"), ok})},
       TModalResult::Cancel, "", {"form", "note", "note", "press", "note", "close"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Why);
    TScriptedDialogs dialogs(c.Script);
    TProbe probe(dialogs);
    EXPECT_EQ(probe.form->ShowModal(), c.Result);
    EXPECT_EQ(probe.form->Text("FEdA"), c.Box);
    EXPECT_EQ(Kinds(dialogs), c.Kinds);
    EXPECT_EQ(dialogs.AnswersLeft(), 0u);
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
      {save, JoinPath(dir, "page"), true, JoinPath(dir, "page.html")},
      {save, JoinPath(dir, "page.htm"), true, JoinPath(dir, "page.htm")},
      {save, JoinPath(JoinPath(dir, "none"), "page.html"), false, ""},
  };
  for (const auto& c : cases) {
    TScriptedDialogs dialogs({Confirm(TKind::File, c.Picked)});
    std::string file;
    EXPECT_EQ(dialogs.PickFile(c.Options, file), c.Accepted) << c.Picked;
    EXPECT_EQ(file, c.Result);
  }
  TScriptedDialogs dialogs({Confirm(TKind::Folder, JoinPath(dir, "none")), Confirm(TKind::Folder, dir),
                            Dismiss(TKind::Input), Confirm(TKind::Input, "abc")});
  std::string folder = "kept", text = "start";
  EXPECT_FALSE(dialogs.BrowseForFolder("Pick", folder));
  EXPECT_EQ(folder, "kept");
  EXPECT_TRUE(dialogs.BrowseForFolder("Pick", folder));
  EXPECT_EQ(folder, dir);
  EXPECT_FALSE(dialogs.InputBox("Caption", "Prompt", text));
  EXPECT_EQ(text, "start");
  EXPECT_TRUE(dialogs.InputBox("Caption", "Prompt", text));
  EXPECT_EQ(text, "abc");
  DeleteTree(dir);
}

}  // namespace
