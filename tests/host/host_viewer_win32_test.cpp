// The viewer actions in real windows: a host with a "Rectangle" whose handle
// it answers as decimal text, a deck attached through Tarvik.nbp, and the
// viewer's pixels read back where the fit and centre rules put the slide.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "cli/plugin_host.h"
#include "platform/files.h"
#include "platform/system.h"
#include "support/deck_writer.h"
#include "ui/win32_host.h"

using namespace tarvik;

namespace {

constexpr COLORREF kSlide1 = RGB(0xCC, 0, 0), kSlide2 = RGB(0, 0, 0xCC), kFill = RGB(0, 0xAA, 0), kLine = RGB(0, 0, 0xFF);
constexpr COLORREF kOval = RGB(0xFF, 0xFF, 0);

// A shape without text at (X, Y) of size (W, H) in pixels of the slide.
std::string Box(int id, const char* preset, int x, int y, int w, int h, const char* fill, const char* line) {
  const auto emu = [](int px) { return std::to_string(px * 9525); };
  std::string xml = "<p:sp><p:nvSpPr><p:cNvPr id=\"" + std::to_string(id) + "\" name=\"S\"/><p:cNvSpPr/><p:nvPr/></p:nvSpPr>"
                    "<p:spPr><a:xfrm><a:off x=\"" + emu(x) + "\" y=\"" + emu(y) + "\"/><a:ext cx=\"" + emu(w) + "\" cy=\"" +
                    emu(h) + "\"/></a:xfrm><a:prstGeom prst=\"" + preset + "\"><a:avLst/></a:prstGeom>" +
                    "<a:solidFill><a:srgbClr val=\"" + fill + "\"/></a:solidFill>";
  if (*line) xml += "<a:ln w=\"38100\"><a:solidFill><a:srgbClr val=\"" + std::string(line) + "\"/></a:solidFill></a:ln>";
  return xml + "</p:spPr></p:sp>";
}

std::string Background(const char* colour) {
  return "<p:bgPr><a:solidFill><a:srgbClr val=\"" + std::string(colour) + "\"/></a:solidFill><a:effectLst/></p:bgPr>";
}

class HostViewerWin32 : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = JoinPath(UserTempFolder(), "tarvik_host_viewer_win32_" + NewGuidHex());
    ASSERT_TRUE(ForceDirectories(dir_));
    host_.Start();
    host_.Answers[6] = {true, std::string("1")};
    host_.Answers[7] = {true, std::to_string(reinterpret_cast<uintptr_t>(windows_.Rectangle()))};
    // A name of its own: suites running side by side must not share a viewer's folder.
    name_ = "Rect" + NewGuidHex().substr(0, 8);
    // A 960 x 540 slide: a green box with a thick blue outline and, over its
    // right end, a yellow ellipse, on red; the second slide is blue.
    test::TDeckParts parts;
    parts.SlideWidthEmu = 960 * 9525;
    parts.SlideHeightEmu = 540 * 9525;
    parts.Slides = {{Box(2, "rect", 96, 96, 192, 96, "00AA00", "0000FF") + Box(3, "ellipse", 240, 96, 192, 192, "FFFF00", ""),
                     "", Background("CC0000")},
                    {"", "", Background("0000CC")}};
    deck_ = JoinPath(dir_, "shapes.pptx");
    test::BuildMinimalDeck(parts).Write(deck_);
  }
  void TearDown() override {
    host_.Message(2, 0);
    DeleteTree(dir_);
  }
  HWND ViewerWindow() const { return GetWindow(windows_.Rectangle(), GW_CHILD); }
  test::TCapture Print() const {
    test::Pump();
    return test::Grab(ViewerWindow());
  }
  void Click(const wchar_t* caption) const {
    HWND bar = GetWindow(ViewerWindow(), GW_CHILD);  // the bar lies above the slide
    SendMessageW(FindWindowExW(bar, nullptr, L"BUTTON", caption), BM_CLICK, 0, 0);
  }
  // Where the viewer puts a shape of the slide at this client size: scaled
  // to fit, centred, each number rounded half to even.
  static RECT Place(int width, int height, int x, int y, int w, int h) {
    const double s = std::min(width / 960.0, height / 540.0);
    const auto round = [s](int v) { return static_cast<LONG>(std::nearbyint(v * s)); };
    const LONG left = (width - round(960)) / 2 + round(x), top = (height - round(540)) / 2 + round(y);
    return {left, top, left + round(w), top + round(h)};
  }
  void ExpectSlideOne(int width, int height) const {
    const test::TCapture shot = Print();
    ASSERT_EQ(shot.Width, width);
    const RECT box = Place(width, height, 96, 96, 192, 96), oval = Place(width, height, 240, 96, 192, 192);
    EXPECT_PIXEL(shot, box.left, box.top, kLine);
    EXPECT_PIXEL(shot, box.left - 1, box.top, kSlide1);
    EXPECT_PIXEL(shot, box.left, box.bottom - 1, kLine);
    EXPECT_PIXEL(shot, box.left, box.bottom, kSlide1);
    EXPECT_PIXEL(shot, (box.left + oval.left) / 2, (box.top + box.bottom) / 2, kFill);
    EXPECT_PIXEL(shot, (oval.left + oval.right) / 2, (oval.top + oval.bottom) / 2, kOval);
    EXPECT_PIXEL(shot, box.right - 3, (oval.top + oval.bottom) / 2 - 2, kOval) << "the later shape lies above";
    EXPECT_PIXEL(shot, box.right - 2, box.top, kLine) << "the ellipse leaves the box's corner";
    EXPECT_PIXEL(shot, 1, 1, kSlide1) << "the bands beside the slide take its background";
  }

  test::THostWindows windows_;
  TPluginHost host_{DefaultPluginPath()};
  std::string dir_, deck_, name_;
};

TEST_F(HostViewerWin32, TheSlideFillsTheRectangleAndTheBarMovesBetweenSlides) {
  ASSERT_TRUE(host_.Exec(1, {name_, deck_, "[Slides]"})) << host_.Variable("[LastError]").value_or("");
  ASSERT_TRUE(IsWindowVisible(ViewerWindow()));
  ExpectSlideOne(400, 300);
  Click(L"Next >");
  EXPECT_PIXEL(Print(), 200, 150, kSlide2);
  Click(L"< Prev");
  EXPECT_PIXEL(Print(), 200, 150, kSlide1);
  ASSERT_TRUE(host_.Exec(4, {name_}));  // the next-slide action agrees with the bar
  EXPECT_EQ(host_.Variable("[PPTXCurrentSlide]"), "2");
}

TEST_F(HostViewerWin32, TheHostsResizeMessageRefitsTheViewer) {
  ASSERT_TRUE(host_.Exec(1, {name_, deck_, ""}));
  const int sizes[][2] = {{600, 300}, {300, 300}, {400, 300}};
  for (const auto& size : sizes) {
    SCOPED_TRACE(std::to_string(size[0]) + "x" + std::to_string(size[1]));
    SetWindowPos(windows_.Rectangle(), nullptr, 0, 0, size[0], size[1], SWP_NOMOVE | SWP_NOZORDER);
    SendMessageW(ViewerWindow(), 0x04FA, 0, 4);
    RECT client;
    GetClientRect(ViewerWindow(), &client);
    EXPECT_EQ(client.right, size[0]);
    ExpectSlideOne(size[0], size[1]);
  }
}

TEST_F(HostViewerWin32, AnAttachedDeckOnTheScreen) {
  const std::string sample = std::string(TARVIK_SOURCE_DIR) + "/examples/sample.pptx";
  ASSERT_TRUE(host_.Exec(1, {name_, sample, ""})) << host_.Variable("[LastError]").value_or("");
  const test::TCapture printed = Print();
  const test::TCapture screen = windows_.Screen(ViewerWindow(), 0, 0, [&](const test::TCapture& shot) {
    return shot.At(200, 150) == printed.At(200, 150) && shot.At(10, 270) == printed.At(10, 270);
  });
  EXPECT_PIXEL(screen, 200, 150, printed.At(200, 150));
  EXPECT_PIXEL(screen, 10, 270, GetSysColor(COLOR_BTNFACE)) << "the bar over the slide";
  ForceDirectories(TARVIK_SCREENSHOT_DIR);
  EXPECT_TRUE(screen.SavePng(JoinPath(TARVIK_SCREENSHOT_DIR, "viewer_sample_slide1.png")));
}

}  // namespace
