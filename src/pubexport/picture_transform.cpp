// Crop, mirror and turn of pictures by whole pixels, without smoothing.
#include "pubexport/picture_transform.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <numbers>
#include <stdexcept>

#include "platform/files.h"
#include "platform/rounding.h"
#include "pptx/group_transform.h"

namespace tarvik {

TCropRect CropRectangle(int32_t width, int32_t height, int32_t cropLeft, int32_t cropTop, int32_t cropRight,
                        int32_t cropBottom) {
  auto edge = [](int64_t size, int64_t share) { return RoundDivHalfEven(size * share, 100000); };
  width = std::max(width, 1);
  height = std::max(height, 1);
  TCropRect r;
  int64_t left = std::clamp<int64_t>(edge(width, cropLeft), 0, width - 1);
  int64_t top = std::clamp<int64_t>(edge(height, cropTop), 0, height - 1);
  int64_t right = std::clamp<int64_t>(edge(width, 100000 - int64_t{cropRight}), left + 1, width);
  int64_t bottom = std::clamp<int64_t>(edge(height, 100000 - int64_t{cropBottom}), top + 1, height);
  r.Left = static_cast<int32_t>(left);
  r.Top = static_cast<int32_t>(top);
  r.Right = static_cast<int32_t>(right);
  r.Bottom = static_cast<int32_t>(bottom);
  return r;
}

TRgbBitmap CropAndFlip(const TRgbBitmap& source, const TCropRect& crop, bool flipH, bool flipV) {
  int32_t cw = std::max(1, crop.Right - crop.Left);
  int32_t ch = std::max(1, crop.Bottom - crop.Top);
  TRgbBitmap out(cw, ch);
  for (int32_t y = 0; y < ch; ++y)
    for (int32_t x = 0; x < cw; ++x) {
      int32_t sx = flipH ? cw - 1 - x : x;
      int32_t sy = flipV ? ch - 1 - y : y;
      out.Set(x, y, source.At(crop.Left + sx, crop.Top + sy));
    }
  return out;
}

TRgbBitmap TurnBitmap(const TRgbBitmap& source, double degrees) {
  const double cw = source.Width, ch = source.Height;
  const double cx = cw / 2, cy = ch / 2;
  const double theta = degrees * std::numbers::pi / 180;
  const TTurn forward(cx, cy, theta), back(cx, cy, -theta);
  double minX = 0, maxX = 0, minY = 0, maxY = 0;
  const double corners[4][2] = {{0, 0}, {cw, 0}, {cw, ch}, {0, ch}};
  for (int k = 0; k < 4; ++k) {
    double x = corners[k][0], y = corners[k][1];
    forward.Apply(x, y);
    if (k == 0 || x < minX) minX = x;
    if (k == 0 || x > maxX) maxX = x;
    if (k == 0 || y < minY) minY = y;
    if (k == 0 || y > maxY) maxY = y;
  }
  // cos 90 degrees is 6e-17, not 0: without the allowance a quarter turn of
  // a 3 x 2 picture would come out 3 wide instead of 2.
  const double slack = 1e-7;
  double nw = std::max(1.0, std::ceil(maxX - minX - slack));
  double nh = std::max(1.0, std::ceil(maxY - minY - slack));
  if (nw * nh > static_cast<double>(kMaxBitmapPixels)) throw std::length_error("picture too large");
  TRgbBitmap out(static_cast<int32_t>(nw), static_cast<int32_t>(nh), 0xFFFFFF);
  for (int32_t j = 0; j < out.Height; ++j)
    for (int32_t i = 0; i < out.Width; ++i) {
      // Each target pixel takes the source pixel under its centre, so that a
      // quarter or half turn moves every pixel whole instead of half a pixel off.
      double sx = minX + i + 0.5, sy = minY + j + 0.5;
      back.Apply(sx, sy);
      if (sx >= 0 && sx < cw && sy >= 0 && sy < ch)
        out.Set(i, j, source.At(static_cast<int32_t>(std::floor(sx)), static_cast<int32_t>(std::floor(sy))));
    }
  return out;
}

void ApplyDuotone(TRgbBitmap& bitmap, const TDuotone& tone) {
  if (!tone.Used) return;
  // TColor keeps red in its low byte; the bitmap keeps it in its high one.
  auto channel = [](TColor c, int k) { return static_cast<double>((c >> (8 * k)) & 0xFF); };
  for (size_t i = 0; i + 2 < bitmap.Pixels.size(); i += 3) {
    uint8_t* px = &bitmap.Pixels[i];
    const double luma = (0.299 * px[0] + 0.587 * px[1] + 0.114 * px[2]) / 255;
    for (int k = 0; k < 3; ++k) {
      const double dark = channel(tone.Dark, k), light = channel(tone.Light, k);
      px[k] = static_cast<uint8_t>(std::clamp(std::lround(dark + (light - dark) * luma), 0L, 255L));
    }
  }
}

bool SaveTransformedImage(const std::string& source, const std::string& target, int32_t cropLeft,
                          int32_t cropTop, int32_t cropRight, int32_t cropBottom, bool flipH, bool flipV,
                          double rotationDeg, const TDuotone& tone) {
  if (!FileExists(source)) return false;
  bool turn = std::fabs(rotationDeg) >= 0.01;
  const bool reshaped = cropLeft != 0 || cropTop != 0 || cropRight != 0 || cropBottom != 0 || flipH || flipV || turn;
  if (!reshaped && !tone.Used) return false;
  bool written = false;
  try {
    TRgbBitmap picture;
    if (!DecodePicture(ReadFileBytes(source), picture)) return false;
    // Recolouring a picture flattened over white would tint its see-through
    // parts as well, and an icon would become a plain square: such a picture
    // keeps its own colours.
    const bool recolour = tone.Used && !picture.Translucent;
    if (!reshaped && !recolour) return false;
    TCropRect crop = CropRectangle(picture.Width, picture.Height, cropLeft, cropTop, cropRight, cropBottom);
    picture = CropAndFlip(picture, crop, flipH, flipV);
    // Before the turn, so that the white corners it adds stay white.
    if (recolour) ApplyDuotone(picture, tone);
    if (turn) picture = TurnBitmap(picture, rotationDeg);
    std::string png = EncodePng(picture);
    if (png.empty()) return false;
    std::string folder = ExtractFileDir(target);
    if (!folder.empty()) ForceDirectories(folder);
    written = true;
    WriteFileBytes(target, png);
    return true;
  } catch (const std::exception&) {
    // A half-written file must not stay behind under the name the record would use.
    if (written && FileExists(target)) DeleteTree(target);
    return false;
  }
}

}  // namespace tarvik
