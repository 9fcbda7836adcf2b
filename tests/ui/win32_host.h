// What the Windows tests of the viewer's windows and of the dialogs share: a
// host with a top-level window and a child "Rectangle", message pumping, the
// pixels of a window read back through WM_PRINT (no screen needed) or from
// the screen, and a user who answers modal dialogs.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace tarvik::test {

void Pump();

// Pixels as 0x00BBGGRR values, like the colours the model holds.
struct TCapture {
  int Width = 0, Height = 0;
  std::vector<COLORREF> Pixels;
  COLORREF At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
  bool SavePng(const std::string& path) const;
};

// The window, its frame and its children as WM_PRINT draws them, as the
// screen shows it, or as drawn into the window itself, whatever lies over it.
enum class TGrabFrom { Print, Screen, Window };
TCapture Grab(HWND window, TGrabFrom from = TGrabFrom::Print);
std::string Hex(COLORREF colour);

#define EXPECT_PIXEL(capture, x, y, colour) \
  EXPECT_EQ(::tarvik::test::Hex((capture).At(x, y)), ::tarvik::test::Hex(colour)) << "at (" << (x) << ", " << (y) << ")"

// The host: the top-level window lies off the screen, so that suites running
// side by side do not cover each other; ShowAt brings it in for screen reads.
class THostWindows {
 public:
  THostWindows();
  ~THostWindows();
  HWND Host() const { return host_; }
  HWND Rectangle() const { return rectangle_; }
  // Window grabbed from the screen once Done accepts it (another program's
  // window may lie over ours for a moment); the last grab when never.
  TCapture Screen(HWND window, int x, int y, const std::function<bool(const TCapture&)>& done) const;

 private:
  HWND host_ = nullptr;
  HWND rectangle_ = nullptr;
};

// A user of modal dialogs. A thread timer, which every modal loop on the
// thread keeps firing, plays the steps in order: each waits for the visible,
// enabled dialog of its caption (any dialog for an empty one) and is done
// once its action returns true. After 15 seconds every dialog is cancelled.
struct TDialogStep {
  std::wstring Caption;
  std::function<bool(HWND dialog)> Act;
};

class TDialogRobot {
 public:
  explicit TDialogRobot(std::vector<TDialogStep> steps);
  ~TDialogRobot();
  bool Done() const { return next_ == steps_.size(); }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  std::vector<TDialogStep> steps_;
  size_t next_ = 0;
  UINT_PTR timer_ = 0;
  DWORD start_ = 0;
  bool busy_ = false;
};

// The dialog's children in creation order, which is also their z-order.
std::vector<HWND> Children(HWND dialog);
std::wstring TextOf(HWND window);
std::wstring Wide(const std::string& ascii);
// Posted, so that the dialog's own loop handles it as it would a user's.
void PressKey(HWND window, UINT key);
// The window as drawn, into TARVIK_SCREENSHOT_DIR/Name.png.
bool SaveScreenshot(HWND window, const std::string& name);

}  // namespace tarvik::test
