// A decoded picture (PNG, JPEG, GIF's first frame, BMP) and its drawing,
// scaled to fit a box with its proportions kept and centred. The scaled copy is
// kept until the box changes size, so a repaint is one blit.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ui/toolkit.h"

namespace tarvik::ui::win32 {

// Where a Width x Height picture lands in Box: as large as fits, proportions kept,
// at least one pixel each way, centred (an odd pixel left over goes right and
// below).
TBounds FitPicture(int32_t width, int32_t height, const TBounds& box);

class TPicture {
 public:
  TPicture() = default;
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;
  ~TPicture();
  // False when the file cannot be read or decoded, or is absurdly large.
  bool Load(const std::string& fileName);
  void DrawFitted(HDC dc, const TBounds& box);

 private:
  bool Rescale(int width, int height);
  void DropScaled();

  int width_ = 0;
  int height_ = 0;
  std::vector<uint32_t> pixels_;  // 0xAARRGGBB, premultiplied, top row first
  bool translucent_ = false;
  HBITMAP scaled_ = nullptr;
  int scaledWidth_ = 0;
  int scaledHeight_ = 0;
};

}  // namespace tarvik::ui::win32
