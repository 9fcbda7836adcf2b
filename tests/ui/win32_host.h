// What the Windows tests of the viewer's windows share: a host with a
// top-level window and a child "Rectangle", message pumping, and the pixels
// of a window read back through WM_PRINT (no screen needed) or from the screen.
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

// The window, its frame and its children as WM_PRINT draws them; with
// Screen, as the screen shows it.
TCapture Grab(HWND window, bool screen = false);
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

}  // namespace tarvik::test
