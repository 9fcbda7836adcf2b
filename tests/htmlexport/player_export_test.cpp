// The single-file export driver and the export actions (HTML, web folder,
// EPUB, PWA) on generated decks: checks and their messages in order, the
// written file, what a failure leaves behind, and the result variables in
// their order.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/socket.h>
#include <unistd.h>
#endif

#include "htmlexport/export_progress.h"
#include "htmlexport/html5_export.h"
#include "htmlexport/renderer_test_util.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/system.h"
#include "plugin/dispatch.h"
#include "plugin/module_state.h"
#include "support/deck_writer.h"

namespace tarvik {
namespace {

using test::ScratchFolder;
using TVariables = std::vector<std::pair<std::string, std::string>>;

TVariables gSet;
void HOSTCALL RecordVariable(const char* name, const char* value) { gSet.emplace_back(name, value); }

std::string WriteDeck(const std::string& folder, const std::string& name, int slides) {
  test::TDeckParts parts;
  for (int i = 0; i < slides; ++i) {
    test::TSlideParts slide;
    slide.SpTree = test::TextShapeXml(2, "Text", 0, 0, 2000000, 500000, "Slide " + std::to_string(i + 1)) +
                   test::TextShapeXml(3, "Box", 0, 600000, 2000000, 500000, "", "ellipse");
    parts.Slides.push_back(slide);
  }
  std::string path = JoinPath(folder, name);
  test::BuildMinimalDeck(parts).Write(path);
  return path;
}

class ExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = Module();
    Module().SetVariable = RecordVariable;
    gSet.clear();
  }
  void TearDown() override { Module() = saved_; }
  bool Run(int32_t index, std::vector<std::string> params) {
    std::vector<char*> raw;
    for (auto& p : params) raw.push_back(p.data());
    gSet.clear();
    // As nbExecAction runs it: inside the guard that turns failures into "[LastError]".
    return GuardExport([&] { return ExecAction(index, raw.data()); });
  }
  std::string Path(const std::string& name) const { return JoinPath(scratch_.Path(), name); }

  ScratchFolder scratch_;
  test::TempVariable temp_{scratch_.Path()};
  TModuleState saved_;
};

TEST_F(ExportTest, ExportHTML5WritesThePageWithByteOrderMarkAndCounts) {
  std::string deck = WriteDeck(scratch_.Path(), "Talk.pptx", 3);
  int slides = -1, objects = -1;
  std::string out = Path("nested/folders/talk.html");
  ASSERT_TRUE(ExportHTML5(deck, out, slides, objects));
  EXPECT_EQ(slides, 3);
  EXPECT_EQ(objects, 6);
  std::string page = ReadFileBytes(out);
  EXPECT_TRUE(page.starts_with("\xEF\xBB\xBF<!DOCTYPE html>"));
  EXPECT_TRUE(page.ends_with("show(1);})();</script></body></html>"));
  EXPECT_NE(page.find("<title>Talk</title>"), std::string::npos);
  EXPECT_TRUE(DirectoryExists(Path("Tarvik_HTML/Talk_extracted")));
  // Nothing but the page is left in the output folder.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Path("nested/folders")),
                          std::filesystem::directory_iterator()), 1);
}

TEST_F(ExportTest, ExportHTML5ChecksItsInputsInOrder) {
  std::string deck = WriteDeck(scratch_.Path(), "Talk.pptx", 1);
  int slides = 9, objects = 9;
  try {
    ExportHTML5(Path("missing.pptx"), "  ", slides, objects);
    FAIL() << "no error";
  } catch (const ETarvikError& e) {
    EXPECT_EQ(std::string(e.what()), "PowerPoint file not found: " + Path("missing.pptx"));
  }
  EXPECT_EQ(slides, 0);
  EXPECT_EQ(objects, 0);
  try {
    ExportHTML5(deck, " \t ", slides, objects);
    FAIL() << "no error";
  } catch (const ETarvikError& e) {
    EXPECT_EQ(std::string(e.what()), "Output HTML filename is required.");
  }
}

TEST_F(ExportTest, ExportHTML5NeverOverwritesTheDeckOrAGoodPageWithAFailure) {
  std::string deck = WriteDeck(scratch_.Path(), "Talk.pptx", 1);
  std::string before = ReadFileBytes(deck);
  int slides = 0, objects = 0;
  EXPECT_THROW(ExportHTML5(deck, deck, slides, objects), ETarvikError);
  EXPECT_EQ(ReadFileBytes(deck), before);

  std::string out = Path("talk.html");
  WriteFileBytes(out, "earlier export");
  std::string broken = Path("Broken.pptx");
  WriteFileBytes(broken, "not a package");
  EXPECT_THROW(ExportHTML5(broken, out, slides, objects), ETarvikError);
  EXPECT_EQ(ReadFileBytes(out), "earlier export");
  EXPECT_EQ(slides, 0);
}

TEST_F(ExportTest, ActionsCheckTheirParametersInOrderWithTheirMessages) {
  std::string deck = WriteDeck(scratch_.Path(), "Talk.pptx", 1);
  struct Case {
    int32_t index;
    std::string presentation, output, message;
  } cases[] = {
      {7, Path("none.pptx"), "", "PowerPoint file not found: " + Path("none.pptx")},
      {7, scratch_.Path(), Path("x.html"), "PowerPoint file not found: " + scratch_.Path()},
      {7, deck, "", "Output HTML5 filename is required."},
      {7, deck, "   ", "Output HTML5 filename is required."},
      {8, Path("none.pptx"), "  ", "PowerPoint file not found: " + Path("none.pptx")},
      {8, deck, "\t", "Output web folder is required."},
      // The EPUB action asks only for a name and leaves a missing deck to its driver.
      {11, " ", "", "PowerPoint filename is required."},
      {11, deck, "\t ", "Output EPUB filename is required."},
      {11, Path("none.pptx"), Path("x.epub"), "PowerPoint file not found: " + Path("none.pptx")},
      {12, Path("none.pptx"), "", "PowerPoint file not found: " + Path("none.pptx")},
      {12, deck, "  ", "Output PWA folder is required."},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(Run(c.index, {c.presentation, c.output}));
    EXPECT_EQ(gSet, (TVariables{{"[LastError]", c.message}})) << c.index << " " << c.output;
  }
}

TEST_F(ExportTest, ExportHTMLSetsItsVariablesInOrderAndEmptiesLastError) {
  std::string deck = WriteDeck(scratch_.Path(), "Talk.pptx", 2);
  std::string out = Path("out/Talk.html");
  ASSERT_TRUE(Run(7, {deck, out}));
  EXPECT_EQ(gSet, (TVariables{{"[PPTXHTMLExported]", out},
                              {"[PPTXHTMLSlides]", "2"},
                              {"[PPTXHTMLObjects]", "4"},
                              {"[LastError]", ""}}));
  // A loader failure carries the loader's message and sets nothing else.
  std::string broken = Path("Broken.pptx");
  WriteFileBytes(broken, "not a package");
  EXPECT_FALSE(Run(7, {broken, out}));
  ASSERT_EQ(gSet.size(), 1u);
  EXPECT_EQ(gSet[0].first, "[LastError]");
  EXPECT_FALSE(gSet[0].second.empty());
}

TEST_F(ExportTest, ExportWebFolderSetsItsVariablesAndIndexWithOneSeparator) {
  std::string deck = WriteDeck(scratch_.Path(), "Talk.pptx", 2);
  for (std::string out : {Path("web"), Path("web2") + kPathSep}) {
    ASSERT_TRUE(Run(8, {deck, out}));
    std::string folder = out.back() == kPathSep ? out : out + kPathSep;
    EXPECT_EQ(gSet, (TVariables{{"[PPTXWebFolder]", out},
                                {"[PPTXWebIndex]", folder + "index.html"},
                                {"[PPTXWebSlides]", "2"},
                                {"[PPTXWebObjects]", "4"},
                                {"[LastError]", ""}}));
    EXPECT_TRUE(FileExists(folder + "index.html"));
  }
  // The driver swallows a loader failure; the action gives its own message.
  std::string broken = Path("Broken.pptx");
  WriteFileBytes(broken, "not a package");
  EXPECT_FALSE(Run(8, {broken, Path("web3")}));
  EXPECT_EQ(gSet, (TVariables{{"[LastError]", "Unable to create the HTML5 web folder."}}));
}

TEST_F(ExportTest, ExportEPUBAndPWASetTheirVariablesInOrder) {
  std::string deck = WriteDeck(scratch_.Path(), "Talk.pptx", 2);
  std::string book = Path("out/Talk.epub");
  ASSERT_TRUE(Run(11, {deck, book}));
  EXPECT_EQ(gSet, (TVariables{{"[PPTXEPUBExported]", book},
                              {"[PPTXEPUBSlides]", "2"},
                              {"[PPTXEPUBObjects]", "4"},
                              {"[PPTXEPUBVersion]", "3.3"},
                              {"[LastError]", ""}}));
  for (std::string out : {Path("app"), Path("app2") + kPathSep}) {
    ASSERT_TRUE(Run(12, {deck, out}));
    std::string folder = out.back() == kPathSep ? out : out + kPathSep;
    EXPECT_EQ(gSet, (TVariables{{"[PPTXPWAExported]", out},
                                {"[PPTXPWAFolder]", out},
                                {"[PPTXPWAIndex]", folder + "index.html"},
                                {"[PPTXPWASlides]", "2"},
                                {"[PPTXPWAObjects]", "4"},
                                {"[PPTXPWAVersion]", "1.0"},
                                {"[LastError]", ""}}));
  }
  // The PWA driver reports a failed web folder by false alone.
  std::string broken = Path("Broken.pptx");
  WriteFileBytes(broken, "not a package");
  EXPECT_FALSE(Run(12, {broken, Path("app3")}));
  EXPECT_EQ(gSet, (TVariables{{"[LastError]", "Unable to create the PWA web application."}}));
}

#ifndef _WIN32
// The progress reports a command-line host can ask for: one line per slide
// on the socket named in the environment, and nothing at all otherwise.
TEST_F(ExportTest, ReportsSlideProgressOnlyToASocketNamedInTheEnvironment) {
  int fds[2];
  ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, fds), 0);
  SetEnvVar(kProgressFdVariable, std::to_string(fds[1]));
  std::string deck = WriteDeck(scratch_.Path(), "Talk.pptx", 2);
  int slides = 0, objects = 0;
  ASSERT_TRUE(ExportHTML5(deck, Path("talk.html"), slides, objects));
  close(fds[1]);
  std::string received;
  char buffer[256];
  for (ssize_t got; (got = recv(fds[0], buffer, sizeof buffer, 0)) > 0;) received.append(buffer, size_t(got));
  close(fds[0]);
  EXPECT_EQ(received, "0 2\n1 2\n2 2\n");

  // A descriptor that is no socket (here a pipe with nobody reading) is left alone.
  int pipeFds[2];
  ASSERT_EQ(pipe(pipeFds), 0);
  close(pipeFds[0]);
  SetEnvVar(kProgressFdVariable, std::to_string(pipeFds[1]));
  ReportSlideProgress(1, 2);
  close(pipeFds[1]);
  SetEnvVar(kProgressFdVariable, "not a number");
  ReportSlideProgress(1, 2);
  UnsetEnvVar(kProgressFdVariable);
}
#endif

}  // namespace
}  // namespace tarvik
