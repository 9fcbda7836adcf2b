// TIFF files for tests and fuzzing seeds: one image, its tags in either byte
// order, its pixels in strips or tiles under each compression the decoder
// reads. Tags can be replaced or left out to make broken files.
#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace tarvik::test {

struct TTiffImage {
  bool BigEndian = false;
  uint32_t Width = 1, Height = 1, Samples = 1;
  uint32_t Photometric = 1;                // 0 white is zero, 1 black is zero, 2 RGB, 3 palette
  uint32_t Compression = 1;                // 1 none, 5 LZW, 8 and 32946 Deflate, 32773 PackBits
  uint32_t Predictor = 1;                  // 2: horizontal differencing
  uint32_t RowsPerStrip = 0;               // 0: one strip
  uint32_t TileWidth = 0, TileHeight = 0;  // tiles instead of strips when set
  std::vector<uint32_t> ExtraSamples;
  std::vector<uint32_t> ColourMap;  // 768 values, red then green then blue
  std::string Pixels;               // Width x Height x Samples bytes, rows top down
  // Written in place of the tags the image gives (as LONG values), or left out.
  std::map<uint16_t, std::vector<uint32_t>> Replaced;
  std::set<uint16_t> Omitted;
};

// The file: header, then the strips or tiles, then the directory.
std::string WriteTiff(const TTiffImage& image);

// LZW as TIFF stores it: codes most significant bit first, widened one code
// early, the table cleared before it overflows.
std::string LzwCompress(const std::string& data);

std::string PackBitsCompress(const std::string& data);

}  // namespace tarvik::test
