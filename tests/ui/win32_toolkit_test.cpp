// The Win32 toolkit in real windows, as a host holds it: our root panel in
// the host's "Rectangle". The checks read pixels back, so they hold for what
// is drawn and where, not for how.
#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <algorithm>
#include <memory>
#include <string>
#include <tuple>
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

std::string Le(uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i));
  return out;
}
std::string Chunk(const char* id, const std::string& data) { return std::string(id, 4) + Le(data.size(), 4) + data; }
std::string List(const char* kind, const std::string& data) { return Chunk("LIST", std::string(kind, 4) + data); }

// A silent AVI of ten uncompressed 32-bit frames, the left half Left and the
// right half Right (0x00RRGGBB): it plays without codecs or a sound device.
std::string AviClip(int width, int height, uint32_t left, uint32_t right) {
  const uint32_t frames = 10, size = 4 * width * height;
  std::string frame;
  for (uint32_t i = 0; i < size / 4; ++i) frame += Le(static_cast<int>(i % width) < width / 2 ? left : right, 4);
  const std::string avih = Le(100000, 4) + Le(size * 10, 4) + Le(0, 4) + Le(0x10, 4) + Le(frames, 4) + Le(0, 4) +
                           Le(1, 4) + Le(size, 4) + Le(width, 4) + Le(height, 4) + std::string(16, '\0');
  const std::string strh = "vidsDIB " + Le(0, 8) + Le(0, 4) + Le(1, 4) + Le(10, 4) + Le(0, 4) + Le(frames, 4) +
                           Le(size, 4) + Le(0xFFFFFFFF, 4) + Le(0, 8) + Le(width, 2) + Le(height, 2);
  const std::string strf = Le(40, 4) + Le(width, 4) + Le(height, 4) + Le(1, 2) + Le(32, 2) + Le(0, 4) + Le(size, 4) +
                           std::string(16, '\0');
  std::string movi, index;
  for (uint32_t i = 0, at = 4; i < frames; ++i, at += 8 + size) {
    movi += Chunk("00db", frame);
    index += "00db" + Le(0x10, 4) + Le(at, 4) + Le(size, 4);
  }
  const std::string header = List("hdrl", Chunk("avih", avih) + List("strl", Chunk("strh", strh) + Chunk("strf", strf)));
  const std::string body = "AVI " + header + List("movi", movi) + Chunk("idx1", index);
  return "RIFF" + Le(body.size(), 4) + body;
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
}

TEST_F(Win32Toolkit, LaterControlsLieAboveUntilBroughtToFrontAndLeaveNothingBehind) {
  auto lower = Shape(*root_, Filled(kRed), {50, 50, 100, 100});
  auto upper = Shape(*root_, Filled(kBlue), {100, 100, 100, 100});
  EXPECT_PIXEL(Print(), 120, 120, kBlue);
  lower->BringToFront();
  EXPECT_PIXEL(Print(), 120, 120, kRed);
  lower->SetVisible(false);
  EXPECT_PIXEL(Print(), 120, 120, kBlue);
  upper->SetBounds({150, 150, 20, 20});
  EXPECT_PIXEL(Print(), 120, 120, kWhite);
  upper.reset();
  EXPECT_PIXEL(Print(), 160, 160, kWhite);
  // A windowed panel lies above every shape, whenever the shape was made.
  auto panel = Kit().CreatePanel(*root_, TPanelStyle{static_cast<TUiColor>(kYellow)});
  panel->SetBounds({0, 0, 30, 30});
  auto late = Shape(*root_, Filled(kGreen), {0, 0, 60, 60});
  EXPECT_PIXEL(Print(), 10, 10, kYellow);
  EXPECT_PIXEL(Print(), 40, 40, kGreen);
}

TEST_F(Win32Toolkit, PanelFramesLieInsideTheBoundsAndShrinkTheClientSize) {
  struct TCase {
    bool Bevel;
    int32_t Border;
  };
  const TBounds box{40, 40, 100, 80};
  const int right = box.Left + box.Width - 1, bottom = box.Top + box.Height - 1;
  for (const TCase& c : {TCase{false, 0}, TCase{true, 0}, TCase{false, 3}, TCase{true, 2}}) {
    SCOPED_TRACE(std::string("bevel ") + (c.Bevel ? "yes" : "no") + ", border " + std::to_string(c.Border));
    auto panel = Kit().CreatePanel(*root_, {static_cast<TUiColor>(kYellow), c.Bevel, c.Border});
    panel->SetBounds(box);
    const int inset = (c.Bevel ? 1 : 0) + c.Border;
    // Children are placed from the panel's outer corner, as the bar's buttons expect.
    auto mark = Shape(*panel, Filled(kRed), {inset, inset, 10, 10});
    EXPECT_EQ(panel->ClientSize().Width, box.Width - 2 * inset);
    EXPECT_EQ(panel->ClientSize().Height, box.Height - 2 * inset);
    const TCapture shot = Print();
    EXPECT_PIXEL(shot, box.Left + inset, box.Top + inset, kRed);
    EXPECT_PIXEL(shot, box.Left + inset + 10, box.Top + inset + 10, kYellow);
    EXPECT_PIXEL(shot, box.Left - 1, box.Top + 20, kWhite);
    EXPECT_PIXEL(shot, right, box.Top, c.Bevel ? GetSysColor(COLOR_BTNSHADOW) : kYellow);
    EXPECT_PIXEL(shot, box.Left, bottom - 1, c.Bevel ? GetSysColor(COLOR_BTNHIGHLIGHT) : kYellow);
    EXPECT_PIXEL(shot, right, bottom, c.Bevel ? GetSysColor(COLOR_BTNSHADOW) : kYellow);
  }
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
  HWND gone = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  for (HWND none : {HWND(nullptr), gone}) EXPECT_EQ(Kit().WindowClientSize(reinterpret_cast<TWindowHandle>(none)).Width, 0);
  // Without a host window the panel is a hidden top-level window until shown.
  auto loose = Kit().CreateRootPanel(0, TPanelStyle{});
  EXPECT_FALSE(loose->Visible());
  loose->FitToParentWindow();
  EXPECT_TRUE(loose->Visible());
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

TEST_F(Win32Toolkit, MediaOpensWithoutPlayingDrawsVideoOnItsDisplayAndFailsSilently) {
  const COLORREF left = RGB(0, 200, 0), right = RGB(200, 0, 200);
  WriteFileBytes(JoinPath(dir_, "clip.avi"), AviClip(32, 16, 0x00C800, 0xC800C8));
  WriteFileBytes(JoinPath(dir_, "broken.avi"), "RIFF junk, no AVI");
  auto display = Kit().CreatePanel(*root_, TPanelStyle{kUiBlack});
  display->SetBounds({10, 10, 200, 100});
  for (const char* name : {"broken.avi", "missing.mp3", ""}) {
    auto player = Kit().CreateMediaPlayer(*root_);
    player->SetBounds({10, 150, 200, 30});
    EXPECT_FALSE(player->Open(*name ? JoinPath(dir_, name) : "", display.get())) << name;
    EXPECT_TRUE(player->Visible());
  }
  auto video = Kit().CreateMediaPlayer(*root_);
  video->SetBounds({10, 110, 200, 30});
  ASSERT_TRUE(video->Open(JoinPath(dir_, "clip.avi"), display.get()));
  const TBounds bar = video->Bounds();
  EXPECT_EQ((std::vector<int>{bar.Left, bar.Top, bar.Width, bar.Height}), (std::vector<int>{10, 110, 200, 30}))
      << "the bar keeps its bounds, whatever the movie's size";
  int dialogs = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountDialogs, reinterpret_cast<LPARAM>(&dialogs));
  EXPECT_EQ(dialogs, 0);
  // Opened, not started: the display stays black until play is pressed.
  const auto black = [](const TCapture& shot) { return shot.At(110, 60) == 0; };
  EXPECT_PIXEL(host_.Screen(RootWindow(), 520, 0, black), 110, 60, 0);
  SendMessageW(ChildWindowFromPointEx(RootWindow(), POINT{100, 125}, CWP_SKIPINVISIBLE), MCI_PLAY, 0, 0);
  const TCapture shot = host_.Screen(RootWindow(), 520, 0, [&](const TCapture& s) { return s.At(20, 20) == left; });
  EXPECT_PIXEL(shot, 20, 20, left);
  EXPECT_PIXEL(shot, 200, 100, right);
}

TEST_F(Win32Toolkit, TheScreenShowsWhatThePrintShows) {
  // A slide as the viewer builds one, under a navigation bar.
  auto sky = Shape(*root_, Filled(RGB(30, 60, 120)), {0, 30, 400, 225});
  auto sun = Shape(*root_, {TShapeForm::Ellipse, true, static_cast<TUiColor>(kYellow), true, kUiWhite, 3}, {280, 50, 90, 90});
  auto title = Kit().CreateLabel(*root_, {false, true, true});
  title->SetBounds({20, 50, 240, 80});
  title->SetFont({"Arial", 20, true, false, false, kUiWhite});
  title->SetText("Tarvik on Win32: shapes, text and pictures");
  WritePicture(JoinPath(dir_, "flag.png"), 30, 20, kRgbaRed, kRgbaBlue);
  auto picture = Kit().CreateImage(*root_);
  picture->SetBounds({20, 150, 120, 90});
  ASSERT_TRUE(picture->LoadPicture(JoinPath(dir_, "flag.png")));
  auto bar = Kit().CreatePanel(*root_, {kUiButtonFace, true, 1});
  bar->SetBounds({5, 246, 390, 46});
  std::vector<std::unique_ptr<TButton>> buttons;
  using TPlace = std::tuple<const char*, int, int>;
  for (auto [caption, left, width] : {TPlace{"< Prev", 8, 72}, TPlace{"Go", 258, 46}, TPlace{"Next >", 310, 72}}) {
    buttons.push_back(Kit().CreateButton(*bar, caption));
    buttons.back()->SetBounds({left, 10, width, 26});
  }
  auto page = Kit().CreateLabel(*bar, {true, true, false});
  page->SetBounds({86, 10, 108, 26});
  page->SetFont({"Tahoma", 8, true});
  page->SetText("Slide 1 / 8");
  auto edit = Kit().CreateEdit(*bar);
  edit->SetBounds({200, 10, 52, 26});
  edit->SetText("1");
  const TCapture printed = Print();
  const POINT probes[] = {{10, 40}, {325, 95}, {325, 51}, {40, 195}, {120, 195}, {10, 280}, {207, 258}, {86, 283}};
  const TCapture screen = host_.Screen(RootWindow(), 0, 0, [&](const TCapture& shot) {
    return std::all_of(std::begin(probes), std::end(probes), [&](POINT p) { return shot.At(p.x, p.y) == printed.At(p.x, p.y); });
  });
  for (POINT p : probes) EXPECT_PIXEL(screen, p.x, p.y, printed.At(p.x, p.y));
  ForceDirectories(TARVIK_SCREENSHOT_DIR);
  EXPECT_TRUE(screen.SavePng(JoinPath(TARVIK_SCREENSHOT_DIR, "win32_toolkit_screen.png")));
  EXPECT_TRUE(printed.SavePng(JoinPath(TARVIK_SCREENSHOT_DIR, "win32_toolkit_print.png")));
}

}  // namespace
}  // namespace tarvik::ui
