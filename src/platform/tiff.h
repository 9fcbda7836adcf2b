// TIFF pictures turned into PNG, which browsers draw; they draw no TIFF.
// Decks keep TIFFs from scanners and print workflows. The decoder is ours and
// small: the first image of a baseline file with 8-bit samples, in strips or
// tiles, uncompressed, PackBits, LZW or Deflate; gray, RGB or palette colour,
// with or without alpha. Files are treated as hostile: anything outside that,
// or anything inconsistent, is refused rather than guessed at.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik {

// Larger pictures are refused: their pixels alone would take 400 MB.
constexpr uint64_t kMaxTiffPixels = 100'000'000;

// Rows top down, four bytes a pixel: red, green, blue and unassociated alpha.
struct TRgbaPicture {
  uint32_t Width = 0, Height = 0;
  std::vector<uint8_t> Pixels;
};

// A TIFF by its first four bytes, in either byte order.
bool IsTiff(std::string_view head);

// The first image of the file; false, with Picture left empty, when it cannot
// be decoded.
bool DecodeTiff(std::string_view bytes, TRgbaPicture& picture);

// Writes the first image of the TIFF File to Target + ".png" and returns that
// path; "" when it cannot be decoded or this build cannot write PNG (nothing
// is left at the target then).
std::string ConvertTiff(const std::string& file, const std::string& target);

}  // namespace tarvik
