// nbEditAction through Tarvik.nbp, with the headless dialogs answered by a
// script: what each property dialog shows, what the author's answers and the
// host's pickers do to the parameter array, and every way of cancelling.
#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "cli/dialog_session.h"
#include "cli/plugin_host.h"
#include "platform/files.h"
#include "platform/system.h"

using namespace tarvik;
using namespace tarvik::ui;

namespace {

using TKind = TDialogAnswer::TKind;
using TParams = std::vector<std::optional<std::string>>;

struct TEditRun {
  TEditOutcome Outcome;
  std::vector<TTranscriptLine> Lines;
  std::vector<THostEvent> Requests;

  // The fields of the first line of Kind, or of the control named Name.
  std::vector<std::string> First(const std::string& kind, const std::string& name = "") const {
    for (const auto& line : Lines)
      if (line.Kind == kind && (name.empty() || (line.Fields.size() > 1 && line.Fields[1] == name))) return line.Fields;
    return {};
  }
  std::vector<std::vector<std::string>> All(const std::string& kind) const {
    std::vector<std::vector<std::string>> found;
    for (const auto& line : Lines)
      if (line.Kind == kind) found.push_back(line.Fields);
    return found;
  }
};

// The interface-access requests of an edit: code and the text passed in.
using TAsked = std::vector<std::pair<int32_t, std::string>>;
TAsked Asked(const TEditRun& run) {
  TAsked asked;
  for (const auto& e : run.Requests) asked.emplace_back(e.Code, e.Name);
  return asked;
}

class HostDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = JoinPath(UserTempFolder(), "tarvik_host_dialogs_" + NewGuidHex());
    ASSERT_TRUE(ForceDirectories(dir_));
    host_.Start();
  }
  void TearDown() override { DeleteTree(dir_); }

  TEditRun Edit(int32_t action, const TParams& params, const TDialogScript& script = {}) {
    TScriptedDialogSession session(dir_, script);
    host_.ClearEvents();
    TEditRun run{host_.Edit(action, params), session.Transcript(), {}};
    for (const auto& e : host_.Events)
      if (e.Kind == THostEvent::InterfaceAccess) run.Requests.push_back(e);
    return run;
  }

  TPluginHost host_{DefaultPluginPath()};
  std::string dir_;
};

TEST_F(HostDialogs, OutputsOpenWithTheDefaultNameAfterThePresentation) {
  const struct {
    int32_t Action;
    const char* Deck;
    const char* Stored;
    const char* Shown;
  } cases[] = {
      {7, "C:\\deck.pptx", "", "C:\\deck.html"},
      {7, "", "", ".html"},
      {7, "C:\\talks.old\\deck", "", "C:\\talks.old\\deck.html"},
      {7, "/home/me/talks.old/deck", "", "/home/me/talks.old/deck.html"},
      {7, "C:\\deck.pptx", "D:\\kept.htm", "D:\\kept.htm"},
      {8, "C:\\talks\\deck.pptx", "", "C:\\talks\\deck_Web"},
      {9, "deck.pptx", "", "deck.h5p"},
      {10, "deck.v2.pptx", "", "deck.v2.scorm.zip"},
      {11, "C:\\deck.pptx", "", "C:\\deck.epub"},
      {12, "C:\\talks\\deck.pptx", "", "C:\\talks\\deck_PWA"},
      {6, "C:\\talks\\deck.pptx", "", "C:\\talks\\deck.pub"},
      {6, "C:\\deck.pptx", "D:\\kept.pub", "D:\\kept.pub"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.Action) + " " + c.Deck);
    // The import asks for its output after its form, in an input box.
    TEditRun run = Edit(c.Action, {c.Deck, c.Stored}, {FormAnswer({Press("FBtnOK")})});
    std::vector<std::string> shown = c.Action == 6 ? run.First("input") : run.First("control", "FEdOutput");
    ASSERT_GE(shown.size(), 3u);
    EXPECT_EQ(shown[2], c.Shown);
    if (c.Action != 6 && *c.Deck) {
      EXPECT_EQ(run.Outcome.Params[1], std::string(c.Shown)) << "written back on OK";
    }
  }
}

struct TControlRow {
  const char* Kind;
  const char* Name;
  int Left, Top, Width, Height;
  const char* Role = "plain";
};

const TControlRow kImportGrid[] = {
    {"label", "FLblFile", 24, 38, 0, 0}, {"edit", "FEdFile", 190, 34, 340, 25},
    {"button", "FBtnBrowse", 540, 33, 85, 25}, {"button", "FBtnOK", 450, 92, 85, 25, "default"},
    {"button", "FBtnCancel", 540, 92, 85, 25, "cancel"},
};
const TControlRow kExportGrid[] = {
    {"label", "FLblSource", 24, 38, 0, 0}, {"edit", "FEdSource", 205, 34, 325, 25},
    {"button", "FBtnSource", 540, 33, 85, 25}, {"label", "FLblOutput", 24, 83, 0, 0},
    {"edit", "FEdOutput", 205, 79, 325, 25}, {"button", "FBtnOutput", 540, 78, 85, 25},
    {"button", "FBtnOK", 450, 135, 85, 25, "default"}, {"button", "FBtnCancel", 540, 135, 85, 25, "cancel"},
};
const TControlRow kAttachGrid[] = {
    {"label", "FLblRectangle", 24, 28, 0, 0}, {"edit", "FEdRectangle", 145, 24, 385, 25},
    {"button", "FBtnRectangle", 540, 23, 85, 25}, {"label", "FLblFile", 24, 73, 0, 0},
    {"edit", "FEdFile", 145, 69, 385, 25}, {"button", "FBtnFile", 540, 68, 85, 25},
    {"label", "FLblVariable", 24, 118, 0, 0}, {"edit", "FEdVariable", 145, 114, 385, 25},
    {"button", "FBtnVariable", 540, 113, 85, 25}, {"button", "FBtnOK", 450, 180, 85, 25, "default"},
    {"button", "FBtnCancel", 540, 180, 85, 25, "cancel"},
};

TEST_F(HostDialogs, FormsShowTheirControlsInTabOrderAtTheirPlaces) {
  const struct {
    int32_t Action;
    const char* Caption;
    int ClientHeight;
    std::span<const TControlRow> Grid;
  } forms[] = {
      {1, "ovPPTXAttach Properties", 235, kAttachGrid},
      {6, "ovPPTXImport Properties", 145, kImportGrid},
      {7, "ovPPTXExportHTML Properties", 190, kExportGrid},
      {8, "ovPPTXExportWebFolder Properties", 190, kExportGrid},
      {9, "ovPPTXExportH5P Properties", 190, kExportGrid},
      {10, "ovPPTXExportSCORM Properties", 190, kExportGrid},
      {11, "ovPPTXExportEPUB Properties", 190, kExportGrid},
      {12, "ovPPTXExportWebFolder Properties", 190, kExportGrid},
  };
  for (const auto& form : forms) {
    SCOPED_TRACE(form.Caption);
    TEditRun run = Edit(form.Action, {});
    EXPECT_EQ(run.First("form"), (std::vector<std::string>{form.Caption, "650", std::to_string(form.ClientHeight)}));
    auto controls = run.All("control");
    ASSERT_EQ(controls.size(), form.Grid.size());
    for (size_t i = 0; i < controls.size(); ++i) {
      const TControlRow& r = form.Grid[i];
      std::vector<std::string> expected = {r.Kind, r.Name, controls[i][2], std::to_string(r.Left),
                                           std::to_string(r.Top), std::to_string(r.Width),
                                           std::to_string(r.Height), r.Role};
      EXPECT_EQ(controls[i], expected);
    }
  }
}

TEST_F(HostDialogs, OutputRowsNameWhatEachExportWrites) {
  // The filter's first pair names the files; the second is always all files.
  const struct {
    int32_t Action;
    const char* Label;
    const char* Button;
    const char* SaveTitle;  // null: the folder browser
    const char* Files;
    const char* Ext;
  } cases[] = {
      {7, "Output HTML5 file:", "Browse...", "Save HTML5 Presentation", "HTML5 files (*.html)|*.html", "html"},
      {8, "Output web folder:", "Select...", nullptr, nullptr, nullptr},
      {9, "Output H5P package (.h5p):", "Browse...", "Save H5P Package", "H5P packages (*.h5p)|*.h5p", "h5p"},
      {10, "Output SCORM 1.2 package (.zip):", "Browse...", "Save H5P Package", "SCORM 1.2 packages (*.zip)|*.zip",
       "zip"},
      {11, "Output EPUB 3.3 package (.epub):", "Browse...", "Save H5P Package",
       "EPUB 3.3 packages (*.epub)|*.epub", "epub"},
      {12, "Output web folder:", "Select...", nullptr, nullptr, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Label);
    TKind picker = c.SaveTitle ? TKind::File : TKind::Folder;
    TEditRun run = Edit(c.Action, {"deck.pptx", "no_such_out"}, {FormAnswer({Press("FBtnOutput")}), Dismiss(picker)});
    EXPECT_EQ(run.First("control", "FLblSource")[2], "PowerPoint presentation (.pptx):");
    EXPECT_EQ(run.First("control", "FLblOutput")[2], c.Label);
    EXPECT_EQ(run.First("control", "FBtnOutput")[2], c.Button);
    if (c.SaveTitle) {
      EXPECT_EQ(run.First("save"), (std::vector<std::string>{c.SaveTitle, std::string(c.Files) + "|All files (*.*)|*.*",
                                                             c.Ext, "no_such_out", "",
                                                             "overwrite-prompt,hide-read-only,path-must-exist"}));
    } else {
      // Only a folder that exists is preselected.
      EXPECT_EQ(run.First("folder"), (std::vector<std::string>{"Select output web folder", ""}));
    }
  }
}

TEST_F(HostDialogs, ImportPutsThePublicationInTheFolderTheHostNames) {
  const struct {
    const char* Why;
    std::optional<THostAnswer> Answer;  // nullopt: no interface access
    const char* Shown;
  } cases[] = {
      {"the host's folder wins", THostAnswer{true, "E:\\work\\project.pub"}, "E:\\work\\other.pub"},
      {"a false answer", THostAnswer{false, "E:\\work\\project.pub"}, "D:\\pubs\\old.pub"},
      {"an empty answer", THostAnswer{true, ""}, "D:\\pubs\\old.pub"},
      {"a name without a folder", THostAnswer{true, "project.pub"}, "D:\\pubs\\old.pub"},
      {"no interface access", std::nullopt, "D:\\pubs\\old.pub"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Why);
    host_.Start(c.Answer.has_value());
    host_.Answers.clear();
    if (c.Answer) host_.Answers[12] = *c.Answer;
    TEditRun run = Edit(6, {"C:\\talks\\deck.pptx", "D:\\pubs\\old.pub"},
                        {FormAnswer({Fill("FEdFile", "C:\\talks\\other.pptx"), Press("FBtnOK")}),
                         Confirm(TKind::Input, "F:\\typed.pub")});
    EXPECT_EQ(run.First("input"), (std::vector<std::string>{"ovPPTXImport Properties",
                                                            "Output VisualNEO Win publication (.pub):", c.Shown}));
    // The host is asked about the presentation just written back.
    EXPECT_EQ(Asked(run), (c.Answer ? TAsked{{12, "C:\\talks\\other.pptx"}} : TAsked{}));
    EXPECT_TRUE(run.Outcome.Result);
    EXPECT_EQ(run.Outcome.Params, (TParams{"C:\\talks\\other.pptx", "F:\\typed.pub"}));
  }
}

TEST_F(HostDialogs, EveryCancelReturnsFalseAndKeepsOnlyWhatWasWrittenBefore) {
  host_.Answers[8] = {true, "R2"};
  const TFormStep ok = Press("FBtnOK");
  const struct {
    const char* Why;
    int32_t Action;
    TParams Before;
    TDialogScript Script;
    TParams After;
  } cases[] = {
      {"attach cancelled", 1, {"R1", "a.pptx", "[N]"}, {FormAnswer({Fill("FEdRectangle", "X"), Press("FBtnCancel")})},
       {"R1", "a.pptx", "[N]"}},
      {"go-to input cancelled after the object was picked", 3, {"R1", "2"}, {Dismiss(TKind::Input)}, {"R2", "2"}},
      {"import form cancelled", 6, {"a.pptx", ""}, {FormAnswer({Press("FBtnCancel")})}, {"a.pptx", ""}},
      {"import with a blank presentation", 6, {"a.pptx", ""}, {FormAnswer({Fill("FEdFile", " \t"), ok})},
       {"a.pptx", ""}},
      {"import input cancelled after the presentation was written", 6, {"a.pptx", ""},
       {FormAnswer({Fill("FEdFile", "b.pptx"), ok}), Dismiss(TKind::Input)}, {"b.pptx", ""}},
      {"export form cancelled", 7, {"a.pptx", "a.html"}, {FormAnswer({Fill("FEdSource", "b"), Press("FBtnCancel")})},
       {"a.pptx", "a.html"}},
      {"export with a blank output", 11, {"a.pptx", ""}, {FormAnswer({Fill("FEdOutput", "  "), ok})}, {"a.pptx", ""}},
      {"export with a blank source", 8, {"", "out"}, {FormAnswer({ok})}, {"", "out"}},
      {"a form the author leaves open", 12, {"a.pptx", ""}, {FormAnswer({Fill("FEdSource", "b")})}, {"a.pptx", ""}},
      {"an answer meant for another dialog", 7, {"a.pptx", ""}, {Confirm(TKind::File, "b.pptx")}, {"a.pptx", ""}},
      {"steps for controls the form lacks, and steps after it closed", 9, {"a.pptx", ""},
       {FormAnswer({Press("FEdSource"), Fill("FBtnOK", "b"), Press("FBtnCancel"), ok})}, {"a.pptx", ""}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Why);
    TEditRun run = Edit(c.Action, c.Before, c.Script);
    EXPECT_FALSE(run.Outcome.Result);
    EXPECT_EQ(run.Outcome.Params, c.After);
  }
}

TEST_F(HostDialogs, WithoutAScriptNothingWaitsAndOnlyThePickerActionsSucceed) {
  for (bool access : {true, false}) {
    host_.Start(access);
    for (int32_t action = 1; action <= 12; ++action) {
      SCOPED_TRACE(std::to_string(action) + (access ? " with" : " without") + " interface access");
      TParams before = {"R1", "a.pptx", "[N]"};
      before.resize(static_cast<size_t>(host_.ActionAt(action)->ParamCount));
      TEditRun run = Edit(action, before);
      EXPECT_EQ(run.Outcome.Result, action == 2 || action == 4 || action == 5);
      EXPECT_EQ(run.Outcome.Params, before);
      EXPECT_EQ(run.Requests.empty(), !access || !(action >= 2 && action <= 5));
    }
  }
}

TEST_F(HostDialogs, AttachRefusesOkWithItsMessagesUntilTheFieldsPass) {
  const std::string deck = JoinPath(dir_, "deck.pptx");
  WriteFileBytes(deck, "x");
  const TFormStep ok = Press("FBtnOK");
  TEditRun run = Edit(1, {"", "", ""},
                      {FormAnswer({ok, Fill("FEdRectangle", " R1 "), ok, Fill("FEdFile", JoinPath(dir_, "none.pptx")),
                                   ok, Fill("FEdFile", "[MyFile]"), ok}),
                       Dismiss(TKind::Message), Dismiss(TKind::Message), Dismiss(TKind::Message)});
  EXPECT_EQ(run.All("message"),
            (std::vector<std::vector<std::string>>{
                {"Warning", "Please select a VisualNEO Win Rectangle.", "warning"},
                {"Warning", "Please select a PowerPoint presentation.", "warning"},
                {"Error", "The selected PowerPoint file does not exist.", "error"}}));
  EXPECT_EQ(run.All("focus"), (std::vector<std::vector<std::string>>{{"FEdRectangle"}, {"FEdFile"}, {"FEdFile"}}));
  EXPECT_TRUE(run.Outcome.Result);
  EXPECT_EQ(run.Outcome.Params, (TParams{" R1 ", "[MyFile]", ""})) << "untrimmed; the variable is not checked";

  run = Edit(1, {"R1", deck, ""}, {FormAnswer({ok})});
  EXPECT_TRUE(run.Outcome.Result) << "an existing file passes";
  EXPECT_TRUE(run.All("message").empty());
}

TEST_F(HostDialogs, SelectButtonsAndPickerActionsAskTheHost) {
  host_.Answers[8] = {true, "Picked"};
  host_.Answers[14] = {false, "Ignored"};
  TEditRun run = Edit(1, {"R1", "[F]", "V1"},
                      {FormAnswer({Press("FBtnRectangle"), Press("FBtnVariable"), Press("FBtnOK")})});
  EXPECT_EQ(Asked(run), (TAsked{{8, "R1"}, {14, "V1"}}));
  EXPECT_EQ(run.Outcome.Params, (TParams{"Picked", "[F]", "V1"}));

  run = Edit(3, {"R1", "2"}, {Confirm(TKind::Input, "abc")});
  EXPECT_TRUE(run.Outcome.Result);
  EXPECT_EQ(run.Outcome.Params, (TParams{"Picked", "abc"})) << "the slide as typed";
  EXPECT_EQ(run.First("input"),
            (std::vector<std::string>{"ovPPTXGotoSlide Properties", "Slide number to display (1-based):", "2"}));

  for (int32_t action : {2, 4, 5}) {
    host_.Answers[8].Result = action != 4;  // a false answer keeps the name
    run = Edit(action, {"R1"});
    EXPECT_TRUE(run.Outcome.Result);
    EXPECT_EQ(run.Outcome.Params[0], action == 4 ? "R1" : "Picked");
  }
}

TEST_F(HostDialogs, BrowseButtonsStartFromTheBoxAndReplaceIt) {
  const std::string deck = JoinPath(dir_, "deck.pptx"), other = JoinPath(dir_, "other.pptx");
  WriteFileBytes(deck, "x");
  WriteFileBytes(other, "x");
  const std::string sub = JoinPath(dir_, "site");
  ASSERT_TRUE(ForceDirectories(sub));
  const std::string openOptions = "hide-read-only,path-must-exist,file-must-exist";
  // An existing file is preselected; a missing one in an existing folder opens that folder.
  TEditRun run = Edit(6, {deck, ""}, {FormAnswer({Press("FBtnBrowse"), Press("FBtnCancel")}), Dismiss(TKind::File)});
  EXPECT_EQ(run.First("open"), (std::vector<std::string>{"Select PowerPoint Presentation",
                                                         "PowerPoint Presentations (*.pptx)|*.pptx|All files (*.*)|*.*",
                                                         "pptx", deck, "", openOptions}));
  run = Edit(1, {"R1", JoinPath(dir_, "gone.pptx"), ""},
             {FormAnswer({Press("FBtnFile"), Press("FBtnOK")}), Confirm(TKind::File, other)});
  EXPECT_EQ(run.First("open")[4], dir_ + kPathSep);
  EXPECT_EQ(run.Outcome.Params[1], other);
  // The export forms' source browser starts unset; the web folder's output browser on its folder.
  run = Edit(8, {deck, dir_},
             {FormAnswer({Press("FBtnSource"), Press("FBtnOutput"), Press("FBtnOK")}), Confirm(TKind::File, other),
              Confirm(TKind::Folder, sub)});
  EXPECT_EQ(run.First("open")[3], "");
  EXPECT_EQ(run.First("folder")[1], dir_);
  EXPECT_EQ(run.Outcome.Params, (TParams{other, sub}));
}

}  // namespace
