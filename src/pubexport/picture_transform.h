// Pictures that the presentation crops, flips or turns, re-encoded as PNG
// files with those changes applied, so the host shows what the slide shows.
#pragma once
#include <cstdint>
#include <string>

#include "pptx/model.h"
#include "pubexport/picture_codec.h"

namespace tarvik {

// The crop rectangle in pixels for crops in thousandths of a percent (may be
// negative), each edge rounded with halves to even and clamped so that at
// least one pixel remains.
struct TCropRect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
};
TCropRect CropRectangle(int32_t width, int32_t height, int32_t cropLeft, int32_t cropTop, int32_t cropRight,
                        int32_t cropBottom);

// The cropped part of Source, mirrored as asked.
TRgbBitmap CropAndFlip(const TRgbBitmap& source, const TCropRect& crop, bool flipH, bool flipV);

// Source turned clockwise by Degrees about its centre onto a white bitmap
// just large enough for the turned corners, by nearest pixel.
TRgbBitmap TurnBitmap(const TRgbBitmap& source, double degrees);

// Recolours Bitmap in the two tones by each pixel's luma, as the slide's
// picture filter does, so that the host shows the colours the slide shows.
void ApplyDuotone(TRgbBitmap& bitmap, const TDuotone& tone);

// Writes Target as the PNG of Source with the crop, flips, rotation and
// duotone applied; a picture with see-through pixels is not recoloured.
// False (and nothing raised) when Source is missing, when there is nothing to
// change, or when the picture cannot be read, changed or saved.
bool SaveTransformedImage(const std::string& source, const std::string& target, int32_t cropLeft,
                          int32_t cropTop, int32_t cropRight, int32_t cropBottom, bool flipH, bool flipV,
                          double rotationDeg, const TDuotone& tone = {});

}  // namespace tarvik
