// The property dialogs through Tarvik.nbp in real windows: a user types into
// every box of each form or input box and confirms it, and the parameter
// array comes back as typed. A screenshot of each of the five forms.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/plugin_host.h"
#include "platform/files.h"
#include "platform/system.h"
#include "ui/win32_host.h"

using namespace tarvik;

namespace {

// Types Texts into the dialog's edit boxes in tab order (there must be as
// many), saves a screenshot when named, and presses Enter.
test::TDialogStep Fill(const char* caption, std::vector<std::string> texts, const char* shot = nullptr) {
  return {test::Wide(caption), [=](HWND dialog) {
            std::vector<HWND> edits;
            wchar_t cls[8];
            for (HWND child : test::Children(dialog))
              if (GetClassNameW(child, cls, 8) && lstrcmpiW(cls, L"Edit") == 0) edits.push_back(child);
            EXPECT_EQ(edits.size(), texts.size()) << caption;
            for (size_t i = 0; i < std::min(edits.size(), texts.size()); ++i)
              SetWindowTextW(edits[i], test::Wide(texts[i]).c_str());
            if (shot) test::SaveScreenshot(dialog, shot);
            if (!edits.empty()) test::PressKey(edits.back(), VK_RETURN);
            return true;
          }};
}

TEST(HostDialogsWin32, EachDialogWritesBackWhatWasTypedIntoIt) {
  const std::string dir = JoinPath(UserTempFolder(), "tarvik_host_dialogs_win32_" + NewGuidHex());
  ASSERT_TRUE(ForceDirectories(dir));
  const std::string deck = JoinPath(dir, "talk.pptx"), out = JoinPath(dir, "out");
  WriteFileBytes(deck, "PK");  // the attach form checks only that it exists
  TPluginHost host{DefaultPluginPath()};
  host.Start();
  const struct {
    int32_t Action;
    std::vector<test::TDialogStep> Steps;
    std::vector<std::string> Written;
  } cases[] = {
      {1, {Fill("ovPPTXAttach Properties", {"Rect1", deck, "[Slides]"}, "dialog_attach")}, {"Rect1", deck, "[Slides]"}},
      {3, {Fill("ovPPTXGotoSlide Properties", {"abc"})}, {"Rect1", "abc"}},
      {6,
       {Fill("ovPPTXImport Properties", {deck}, "dialog_import"), Fill("ovPPTXImport Properties", {out + ".pub"})},
       {deck, out + ".pub"}},
      {7, {Fill("ovPPTXExportHTML Properties", {deck, out + ".html"}, "dialog_html")}, {deck, out + ".html"}},
      {8, {Fill("ovPPTXExportWebFolder Properties", {deck, out}, "dialog_web")}, {deck, out}},
      {9, {Fill("ovPPTXExportH5P Properties", {deck, out + ".h5p"}, "dialog_h5p")}, {deck, out + ".h5p"}},
      {10, {Fill("ovPPTXExportSCORM Properties", {deck, out + ".zip"})}, {deck, out + ".zip"}},
      {11, {Fill("ovPPTXExportEPUB Properties", {deck, out + ".epub"})}, {deck, out + ".epub"}},
      {12, {Fill("ovPPTXExportWebFolder Properties", {deck, out})}, {deck, out}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("action " + std::to_string(c.Action));
    test::TDialogRobot robot(c.Steps);
    const TEditOutcome edited = host.Edit(c.Action, {"Rect1", "", ""});
    EXPECT_TRUE(robot.Done());
    EXPECT_TRUE(edited.Result);
    for (size_t i = 0; i < c.Written.size(); ++i) EXPECT_EQ(edited.Params.at(i), c.Written[i]) << "parameter " << i + 1;
  }
  DeleteTree(dir);
}

}  // namespace
