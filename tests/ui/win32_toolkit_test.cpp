// The Win32 toolkit in real windows, as a host holds it: our root panel in
// the host's "Rectangle". The checks read pixels back, so they hold for what
// is drawn and where, not for how. The host tests of the viewer compare the
// screen with these prints and save a screenshot.
#include <windows.h>

#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/system.h"
#include "ui/toolkit.h"
#include "win32_host.h"

namespace tarvik::ui {
namespace {

using test::TCapture;

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 160, 0), kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0), kWhite = RGB(255, 255, 255);
constexpr uint32_t kRgbaRed = 0xFF0000FF, kRgbaBlue = 0xFFFF0000, kRgbaClear = 0;

// A Width x Height picture, its left half Left and its right half Right (RGBA).
void WritePicture(const std::string& path, int width, int height, uint32_t left, uint32_t right) {
  std::vector<uint32_t> px(static_cast<size_t>(width) * height);
  for (size_t i = 0; i < px.size(); ++i) px[i] = static_cast<int>(i % width) < width / 2 ? left : right;
  if (path.ends_with(".png")) stbi_write_png(path.c_str(), width, height, 4, px.data(), width * 4);
  if (path.ends_with(".bmp")) stbi_write_bmp(path.c_str(), width, height, 4, px.data());
}

// A tenth of a second of 8-bit silence: a file every MCI opens.
std::string WavClip() {
  const auto le = [](uint32_t v, int n) { return std::string(reinterpret_cast<const char*>(&v), n); };
  return "RIFF" + le(36 + 800, 4) + "WAVEfmt " + le(16, 4) + le(1, 2) + le(1, 2) + le(8000, 4) + le(8000, 4) + le(1, 2) +
         le(8, 2) + "data" + le(800, 4) + std::string(800, '\x80');
}

class Win32Toolkit : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = Kit().CreateRootPanel(reinterpret_cast<TWindowHandle>(host_.Rectangle()), TPanelStyle{});
    root_->FitToParentWindow();
    dir_ = JoinPath(UserTempFolder(), "tarvik_ui_" + NewGuidHex());
    ForceDirectories(dir_);
  }
  void TearDown() override { DeleteTree(dir_); }
  static TToolkit& Kit() { return DefaultToolkit(); }
  HWND RootWindow() const { return FindWindowExW(host_.Rectangle(), nullptr, L"TarvikPanel", nullptr); }
  TCapture Print() const {
    test::Pump();
    return test::Grab(RootWindow());
  }
  static std::unique_ptr<TShapeControl> Shape(TPanel& parent, TShapeStyle style, TBounds bounds) {
    auto shape = Kit().CreateShape(parent, style);
    shape->SetBounds(bounds);
    return shape;
  }
  static TShapeStyle Filled(COLORREF colour) { return {TShapeForm::Rectangle, true, static_cast<TUiColor>(colour)}; }

  test::THostWindows host_;
  std::unique_ptr<TRootPanel> root_;
  std::string dir_;
};

TEST_F(Win32Toolkit, ShapesFillAndOutlineExactlyTheirBounds) {
  struct TCase {
    const char* Name;
    TShapeStyle Style;
    TBounds Box;
  };
  const TCase cases[] = {
      {"filled rectangle", {TShapeForm::Rectangle, true, kRed, false}, {20, 20, 60, 40}},
      {"outlined rectangle", {TShapeForm::Rectangle, false, 0, true, kBlue, 1}, {100, 20, 60, 40}},
      {"filled, thick outline", {TShapeForm::Rectangle, true, kGreen, true, kBlue, 5}, {180, 20, 60, 40}},
      {"filled ellipse", {TShapeForm::Ellipse, true, kRed, false}, {20, 100, 80, 50}},
      {"outlined ellipse", {TShapeForm::Ellipse, true, kGreen, true, kBlue, 3}, {120, 100, 80, 50}},
      {"rounded rectangle", {TShapeForm::RoundRect, true, kYellow, true, kBlue, 2}, {220, 100, 80, 60}},
  };
  std::vector<std::unique_ptr<TShapeControl>> shapes;
  for (const TCase& c : cases) shapes.push_back(Shape(*root_, c.Style, c.Box));
  const TCapture shot = Print();
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const TBounds& b = c.Box;
    const int w = c.Style.Outlined ? c.Style.OutlineWidth : 0;
    const COLORREF fill = c.Style.Filled ? c.Style.FillColor : kWhite;
    const COLORREF edge = c.Style.Outlined ? c.Style.OutlineColor : fill;
    const int cx = b.Left + b.Width / 2, cy = b.Top + b.Height / 2, right = b.Left + b.Width, bottom = b.Top + b.Height;
    // Nothing spills out on any side; the outline's whole width lies inside.
    const POINT outside[] = {{b.Left - 1, cy}, {right, cy}, {cx, b.Top - 1}, {cx, bottom}};
    for (POINT p : outside) EXPECT_PIXEL(shot, p.x, p.y, kWhite);
    for (int d = 0; d < std::max(w, 1); ++d) {
      const POINT inside[] = {{b.Left + d, cy}, {right - 1 - d, cy}, {cx, b.Top + d}, {cx, bottom - 1 - d}};
      for (POINT p : inside) EXPECT_PIXEL(shot, p.x, p.y, edge);
    }
    EXPECT_PIXEL(shot, b.Left + w + 1, cy, fill);
    EXPECT_PIXEL(shot, cx, cy, fill);
    // Only the rectangle reaches its corners.
    const COLORREF corner = c.Style.Form == TShapeForm::Rectangle ? edge : kWhite;
    EXPECT_PIXEL(shot, b.Left, b.Top, corner);
    EXPECT_PIXEL(shot, right - 1, bottom - 1, corner);
  }
  // Negative colours name system colours, resolved when painted.
  root_->SetColor(kUiButtonFace);
  EXPECT_PIXEL(Print(), 5, 5, GetSysColor(COLOR_BTNFACE));
}

TEST_F(Win32Toolkit, LabelsWrapCentreAndLetWhatLiesBeneathShowThrough) {
  struct TCase {
    const char* Name;
    TLabelStyle Style;
    const char* Text;
    bool ManyLines;
  };
  const TCase cases[] = {
      {"wrapped, centred vertically", {false, true, true}, "one two three four five six", true},
      {"wrapped, centred both ways", {true, true, true}, "Hg", false},
      {"one line, at the top", {false, false, false}, "one two three four five six", false},
  };
  const TBounds box{20, 20, 120, 160};
  auto ground = Shape(*root_, Filled(kGreen), {0, 0, 200, 220});
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    auto label = Kit().CreateLabel(*root_, c.Style);
    label->SetBounds(box);
    label->SetFont({"Arial", 12, true, false, false, static_cast<TUiColor>(kRed)});
    label->SetText(c.Text);
    const TCapture shot = Print();
    RECT ink{400, 300, -1, -1};  // around every pixel that is neither the shape nor the panel
    for (int y = 0; y < 220; ++y)
      for (int x = 0; x < 200; ++x)
        if (shot.At(x, y) != kGreen && shot.At(x, y) != kWhite)
          ink = {std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y), std::max<LONG>(ink.right, x + 1),
                 std::max<LONG>(ink.bottom, y + 1)};
    ASSERT_LT(ink.left, ink.right) << "no text drawn";
    EXPECT_TRUE(ink.left >= box.Left && ink.right <= box.Left + box.Width && ink.top >= box.Top &&
                ink.bottom <= box.Top + box.Height)
        << "text outside its bounds";
    EXPECT_PIXEL(shot, box.Left + 1, box.Top + box.Height - 2, kGreen);
    const int lineHeight = 19;  // 12 points at 96 dpi, with some leading
    EXPECT_EQ(ink.bottom - ink.top > lineHeight, c.ManyLines) << ink.top << ".." << ink.bottom;
    const int middle = (ink.top + ink.bottom) / 2, centre = (ink.left + ink.right) / 2;
    EXPECT_NEAR(middle, c.Style.CentreVertically ? box.Top + box.Height / 2 : box.Top + lineHeight / 2, 5);
    EXPECT_NEAR(c.Style.CentreHorizontally ? centre : ink.left, c.Style.CentreHorizontally ? box.Left + box.Width / 2 : box.Left, 3);
  }
}

TEST_F(Win32Toolkit, PicturesAreFittedInProportionAndCentredOverWhatLiesBeneath) {
  struct TCase {
    const char* File;
    int Width, Height;
    TBounds Box, Fitted;
  };
  const TCase cases[] = {
      {"wide.png", 40, 20, {10, 10, 100, 100}, {10, 35, 100, 50}},
      {"tall.bmp", 10, 40, {150, 10, 100, 100}, {187, 10, 25, 100}},
      {"small.png", 4, 4, {270, 10, 60, 30}, {285, 10, 30, 30}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.File);
    WritePicture(JoinPath(dir_, c.File), c.Width, c.Height, kRgbaRed, kRgbaBlue);
    auto image = Kit().CreateImage(*root_);
    image->SetBounds(c.Box);
    ASSERT_TRUE(image->LoadPicture(JoinPath(dir_, c.File)));
    const TCapture shot = Print();
    const TBounds& f = c.Fitted;
    const int middle = f.Top + f.Height / 2;
    EXPECT_PIXEL(shot, f.Left, middle, kRed);
    EXPECT_PIXEL(shot, f.Left + f.Width / 4, middle, kRed);
    EXPECT_PIXEL(shot, f.Left + f.Width * 3 / 4, middle, kBlue);
    EXPECT_PIXEL(shot, f.Left + f.Width - 1, middle, kBlue);
    // The bands beside the fitted picture stay empty.
    const POINT band = f.Top > c.Box.Top ? POINT{f.Left + 1, f.Top - 1} : POINT{f.Left - 1, middle};
    if (f.Top > c.Box.Top || f.Left > c.Box.Left) {
      EXPECT_PIXEL(shot, band.x, band.y, kWhite);
    }
  }
  auto beneath = Shape(*root_, Filled(kGreen), {200, 150, 80, 80});
  WritePicture(JoinPath(dir_, "half.png"), 20, 20, kRgbaRed, kRgbaClear);
  auto image = Kit().CreateImage(*root_);
  image->SetBounds({200, 150, 80, 80});
  ASSERT_TRUE(image->LoadPicture(JoinPath(dir_, "half.png")));
  const TCapture shot = Print();
  EXPECT_PIXEL(shot, 215, 190, kRed);
  EXPECT_PIXEL(shot, 265, 190, kGreen);
}

TEST_F(Win32Toolkit, PicturesThatCannotBeReadLeaveAnEmptyControl) {
  WritePicture(JoinPath(dir_, "good.png"), 8, 8, kRgbaRed, kRgbaRed);
  const std::string good = ReadFileBytes(JoinPath(dir_, "good.png"));
  std::string huge = good;
  huge.replace(16, 8, std::string("\x00\x01\x86\xA0\x00\x01\x86\xA0", 8));  // 100000 x 100000 in the header
  const std::string gif("GIF89a\x01\x00\x01\x00\x80\x00\x00\xFF\x00\x00\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00"
                        "\x02\x02\x44\x01\x00;", 35);  // one red pixel
  struct TCase {
    const char* Name;
    std::string Bytes;
    bool Loads;
  };
  const TCase cases[] = {{"missing.png", "", false},       {"empty.png", "", false},
                         {"text.png", "not a picture", false}, {"cut.png", good.substr(0, 40), false},
                         {"huge.png", huge, false},         {"tiny.gif", gif, true}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::string path = JoinPath(dir_, c.Name);
    if (std::string(c.Name) != "missing.png") WriteFileBytes(path, c.Bytes);
    auto image = Kit().CreateImage(*root_);
    image->SetBounds({20, 20, 40, 40});
    ASSERT_TRUE(image->LoadPicture(JoinPath(dir_, "good.png")));
    // A failed load also clears what the control showed before.
    EXPECT_EQ(image->LoadPicture(path), c.Loads);
    EXPECT_PIXEL(Print(), 40, 40, c.Loads ? kRed : kWhite);
  }
}

TEST_F(Win32Toolkit, ClicksKeysAndHostMessagesReachTheirHandlers) {
  auto button = Kit().CreateButton(*root_, "Go");
  button->SetBounds({10, 10, 60, 26});
  int clicks = 0;
  button->OnClick = [&] { ++clicks; };
  SendMessageW(FindWindowExW(RootWindow(), nullptr, L"BUTTON", nullptr), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);

  auto edit = Kit().CreateEdit(*root_);
  edit->SetBounds({80, 10, 52, 26});
  edit->SetText("1");
  std::string seen;
  edit->OnKeyPress = [&](char key) {
    seen += key;
    return key == '\r' || key == '7';
  };
  HWND box = FindWindowExW(RootWindow(), nullptr, L"EDIT", nullptr);
  // Enter as a keyboard sends it: a key press that the message loop translates.
  SetFocus(box);
  PostMessageW(box, WM_KEYDOWN, VK_RETURN, 1);
  test::Pump();
  EXPECT_EQ(seen, "\r");
  SendMessageW(box, EM_SETSEL, 1, 1);
  for (char key : std::string("4x7")) SendMessageW(box, WM_CHAR, static_cast<WPARAM>(key), 1);
  EXPECT_EQ(seen, "\r4x7");
  EXPECT_EQ(edit->Text(), "14") << "digits only, and none that the handler took";

  std::vector<intptr_t> messages;
  root_->OnMessage = [&](uint32_t message, intptr_t wParam, intptr_t lParam) {
    messages.insert(messages.end(), {static_cast<intptr_t>(message), wParam, lParam});
  };
  SendMessageW(RootWindow(), kHostResizeMessage, 7, 4);
  SendMessageW(RootWindow(), kHostResizeMessage, 0, 3);
  SendMessageW(RootWindow(), WM_USER + 1, 0, 4);
  EXPECT_EQ(messages, (std::vector<intptr_t>{0x04FA, 7, 4, 0x04FA, 0, 3}));
}

TEST_F(Win32Toolkit, RootPanelFollowsItsParentWindowAndRisesAboveItsSiblings) {
  int resizes = 0, expected = 0;
  root_->OnResize = [&] { ++resizes; };
  EXPECT_EQ(root_->ParentWindow(), reinterpret_cast<TWindowHandle>(host_.Rectangle()));
  TUiSize last = root_->ClientSize();
  for (const TUiSize& size : {TUiSize{320, 200}, TUiSize{150, 90}, TUiSize{150, 90}, TUiSize{1, 1}}) {
    SCOPED_TRACE(std::to_string(size.Width) + "x" + std::to_string(size.Height));
    SetWindowPos(host_.Rectangle(), nullptr, 0, 0, size.Width, size.Height, SWP_NOMOVE | SWP_NOZORDER);
    // A window of the host's that covers ours until we refit.
    HWND cover = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 5, 5, host_.Rectangle(), nullptr, nullptr, nullptr);
    root_->FitToParentWindow();
    expected += size.Width != last.Width || size.Height != last.Height;
    last = size;
    EXPECT_EQ(GetWindow(host_.Rectangle(), GW_CHILD), RootWindow());
    const TBounds b = root_->Bounds();
    EXPECT_EQ((std::vector<int>{b.Left, b.Top, b.Width, b.Height}), (std::vector<int>{0, 0, size.Width, size.Height}));
    EXPECT_EQ(Kit().WindowClientSize(reinterpret_cast<TWindowHandle>(host_.Rectangle())).Width, size.Width);
    EXPECT_TRUE(root_->Visible());
    EXPECT_EQ(resizes, expected);
    DestroyWindow(cover);
  }
  DestroyWindow(host_.Rectangle());
  EXPECT_EQ(Kit().WindowClientSize(reinterpret_cast<TWindowHandle>(host_.Rectangle())).Width, 0) << "no such window";
}

TEST_F(Win32Toolkit, ControlsOutliveTheHostWindowsThatHeldThem) {
  auto panel = Kit().CreatePanel(*root_, TPanelStyle{});
  auto shape = Shape(*panel, Filled(kRed), {0, 0, 10, 10});
  auto button = Kit().CreateButton(*panel, "Next >");
  auto edit = Kit().CreateEdit(*panel);
  auto player = Kit().CreateMediaPlayer(*panel);
  DestroyWindow(host_.Rectangle());  // the host closes the page that held the Rectangle
  for (TControl* c : std::initializer_list<TControl*>{root_.get(), panel.get(), button.get(), edit.get(), player.get()}) {
    c->SetBounds({1, 2, 3, 4});
    c->SetVisible(true);
    c->BringToFront();
    EXPECT_FALSE(c->Visible());
  }
  edit->SetText("3");
  EXPECT_EQ(edit->Text(), "");
  EXPECT_FALSE(player->Open("x.wav", panel.get()));
  // Parents may go before their children; the children are then inert.
  panel.reset();
  shape->SetBounds({5, 5, 5, 5});
}

BOOL CALLBACK CountDialogs(HWND window, LPARAM count) {
  wchar_t cls[16];
  if (IsWindowVisible(window) && GetClassNameW(window, cls, 16) && lstrcmpW(cls, L"#32770") == 0) ++*reinterpret_cast<int*>(count);
  return TRUE;
}

TEST_F(Win32Toolkit, MediaOpensInTheBoundsItWasGivenOrFailsWithoutAMessage) {
  WriteFileBytes(JoinPath(dir_, "tone.wav"), WavClip());
  WriteFileBytes(JoinPath(dir_, "broken.avi"), "RIFF junk, no AVI");
  auto display = Kit().CreatePanel(*root_, TPanelStyle{kUiBlack});
  display->SetBounds({10, 10, 200, 100});
  for (const char* name : {"tone.wav", "broken.avi", "missing.mp3", ""}) {
    SCOPED_TRACE(name);
    auto player = Kit().CreateMediaPlayer(*root_);
    player->SetBounds({10, 110, 200, 30});
    EXPECT_EQ(player->Open(*name ? JoinPath(dir_, name) : "", display.get()), name == std::string("tone.wav"));
    const TBounds bar = player->Bounds();
    EXPECT_EQ((std::vector<int>{bar.Left, bar.Top, bar.Width, bar.Height}), (std::vector<int>{10, 110, 200, 30}));
    EXPECT_TRUE(player->Visible());
    int dialogs = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountDialogs, reinterpret_cast<LPARAM>(&dialogs));
    EXPECT_EQ(dialogs, 0);
  }
}

}  // namespace
}  // namespace tarvik::ui
