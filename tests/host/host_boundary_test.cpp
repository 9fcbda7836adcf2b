// Tarvik.nbp seen from a host: registration, host strings, dispatch and
// shutdown, all through the exported functions.
#include <gtest/gtest.h>

#include <cstring>

#include "cli/plugin_host.h"
#include "platform/host_string.h"

using namespace tarvik;

namespace {

// One loaded library for the whole suite, as a host loads a plug-in once.
TPluginHost& Host() {
  static TPluginHost host(DefaultPluginPath());
  return host;
}

class Boundary : public ::testing::Test {
 protected:
  void SetUp() override {
    Host().Answers.clear();
    Host().Actions.clear();
    Host().ClearEvents();
    Host().Start();
    Host().ClearEvents();
  }
};

struct ActionRow {
  int32_t index;
  const char* name;
  std::vector<uint8_t> kinds;
  const char* hint;
};

const ActionRow kExpected[] = {
    {1, "ovPPTXAttach", {1, 1, 6}, "Attach a PowerPoint (.pptx) slide viewer to an existing Rectangle object."},
    {2, "ovPPTXDetach", {1}, "Remove a PowerPoint slide viewer previously attached to a Rectangle object."},
    {3, "ovPPTXGotoSlide", {1, 3}, "Display a specific slide number (1-based) in an attached PowerPoint viewer."},
    {4, "ovPPTXNextSlide", {1}, "Advance an attached PowerPoint viewer to the next slide."},
    {5, "ovPPTXPrevSlide", {1}, "Move an attached PowerPoint viewer back to the previous slide."},
    {6, "ovPPTXImport", {5, 5},
     "Import PowerPoint 2.0: convert slides into editable native VisualNEO Win pages. Preserves theme "
     "fonts/colors, rich text runs, paragraph alignment, image crops, group transforms and shape rotation "
     "metadata. PowerPoint is not required by the resulting publication."},
    {7, "ovPPTXExportHTML", {5, 5},
     "Export a PowerPoint presentation as one self-contained HTML5 file with embedded slide media."},
    {8, "ovPPTXExportWebFolder", {5, 1},
     "Export a PowerPoint presentation as an HTML5 web folder with index.html and externalized media assets."},
    {9, "ovPPTXExportH5P", {5, 5},
     "Export a PowerPoint presentation as an H5P package using the Lumio Presentation content type."},
    {10, "ovPPTXExportSCORM", {5, 5},
     "Export a PowerPoint presentation as a SCORM 1.2 SCO package with resume, completion and "
     "slide-progress tracking."},
    {11, "ovPPTXExportEPUB", {5, 5},
     "Export a PowerPoint presentation as an EPUB 3.3 fixed-layout publication with navigation and "
     "slide-by-slide reading."},
    {12, "ovPPTXExportPWA", {5, 1},
     "Export a PowerPoint presentation as an installable offline-capable Progressive Web App with "
     "service-worker caching."},
};

TEST_F(Boundary, InitGivesTitlePublisherAndHint) {
  EXPECT_EQ(Host().Title, "TarvikPlugin");
  EXPECT_FALSE(Host().Publisher.empty());
  EXPECT_EQ(Host().Hint,
            "Attach a PowerPoint (.pptx) slide viewer to a Rectangle and navigate its slides - text, images, "
            "video, audio and shapes are rendered with the original layout.");
}

TEST_F(Boundary, InitReleasesWhatTheVariablesHeld) {
  // A host may pass in blocks of its own; the sanitizer run reports them if kept.
  char* title = TPluginHost::HostStringOf("old title");
  char* publisher = TPluginHost::HostStringOf("old");
  char* hint = nullptr;
  Host().InitPlugIn(0, &title, &publisher, &hint);
  EXPECT_STREQ(title, "TarvikPlugin");
  ASSERT_NE(hint, nullptr);
  FreeHostString(title);
  FreeHostString(publisher);
  FreeHostString(hint);
}

TEST_F(Boundary, RegistersTwelveActionsInIndexOrder) {
  Host().Actions.clear();
  Host().ClearEvents();
  Host().Start();
  const auto& actions = Host().Actions;
  ASSERT_EQ(actions.size(), 12u);
  for (size_t i = 0; i < 12; ++i) {
    const ActionRow& row = kExpected[i];
    const TRegisteredAction& a = actions[i];
    EXPECT_EQ(a.Index, row.index);
    EXPECT_EQ(a.Name, row.name);
    EXPECT_EQ(a.Hint, row.hint);
    EXPECT_EQ(a.Kinds, row.kinds) << row.name;
    EXPECT_EQ(a.ParamCount, static_cast<int32_t>(row.kinds.size()));
    EXPECT_EQ(a.HighestKindIndex, a.ParamCount - 1);
  }
  // Only add-action calls during registration: no variable is set.
  for (const auto& e : Host().Events) EXPECT_EQ(e.Kind, THostEvent::AddAction);
}

TEST_F(Boundary, RowsWithEqualKindsShareOneArray) {
  const auto& a = Host().Actions;
  ASSERT_EQ(a.size(), 12u);
  auto kinds = [&](int index) { return a[static_cast<size_t>(index - 1)].KindsAddress; };
  EXPECT_EQ(kinds(2), kinds(4));
  EXPECT_EQ(kinds(2), kinds(5));
  for (int i : {7, 9, 10, 11}) EXPECT_EQ(kinds(6), kinds(i));
  EXPECT_EQ(kinds(8), kinds(12));
  EXPECT_NE(kinds(6), kinds(8));
}

TEST_F(Boundary, IndexesOutsideTheTableReturnFalseAndSetNothing) {
  for (int32_t index : {0, 13}) {
    char* params[3] = {TPluginHost::HostStringOf("a"), TPluginHost::HostStringOf("b"), nullptr};
    char* before0 = params[0];
    EXPECT_EQ(Host().ExecAction(index, params), 0);
    EXPECT_EQ(Host().EditAction(index, params), 0);
    EXPECT_EQ(params[0], before0) << "the parameter array is untouched";
    EXPECT_STREQ(params[0], "a");
    FreeHostString(params[0]);
    FreeHostString(params[1]);
  }
  EXPECT_TRUE(Host().Events.empty());
}

TEST_F(Boundary, EditingAPickerActionAsksTheHostAndSetsNoVariable) {
  // Every action runs and edits by now: detach's dialog is the host's own
  // object picker, which answers nothing here, so the name stays.
  char* params[1] = {TPluginHost::HostStringOf("Rectangle1")};
  EXPECT_EQ(Host().EditAction(2, params), 1);
  EXPECT_STREQ(params[0], "Rectangle1");
  FreeHostString(params[0]);
  EXPECT_TRUE(Host().Variables().empty());
  ASSERT_EQ(Host().Events.size(), 1u);
  EXPECT_EQ(Host().Events[0].Code, 8);
}

TEST_F(Boundary, NullParametersReadAsEmptyTexts) {
  EXPECT_FALSE(Host().Exec(3, {std::nullopt, std::nullopt}));
  EXPECT_TRUE(Host().Variable("[LastError]").has_value());
}

TEST_F(Boundary, FreeingViewersTwiceIsHarmless) {
  Host().Message(2, 0);
  Host().Message(2, 0);
  Host().Message(7, 0);
  EXPECT_TRUE(Host().Events.empty()) << "a message calls nothing back";
  // The plug-in still answers afterwards, through the callbacks it kept.
  EXPECT_FALSE(Host().Exec(7, {std::string(), std::string()}));
  EXPECT_EQ(Host().Variable("[LastError]"), "PowerPoint file not found: ");
}

TEST_F(Boundary, WorksWithoutInterfaceAccess) {
  Host().Actions.clear();
  Host().Start(/*withInterfaceAccess=*/false);
  EXPECT_FALSE(Host().Exec(2, {std::string("Rectangle1")}));
  for (const auto& e : Host().Events) EXPECT_NE(e.Kind, THostEvent::InterfaceAccess);
}

}  // namespace
