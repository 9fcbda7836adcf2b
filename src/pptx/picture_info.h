// The pixel size and resolution of a picture, from the first bytes of its
// file (PNG, JPEG, GIF, BMP), without decoding it: what a picture fill that
// repeats the picture at its own size needs to know of it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvik {

// Pictures that give no resolution, or one no picture has, are taken at the
// screen's.
inline constexpr double kDefaultPictureDpi = 96;

struct TPictureInfo {
  int32_t WidthPx = 0, HeightPx = 0;
  double DpiX = kDefaultPictureDpi, DpiY = kDefaultPictureDpi;
};

// Reads the header at the start of bytes. False when the format is not one
// of the four, the header is cut short or its size is zero or absurd.
// When false and *wanted (if given) is beyond bytes.size(), the header goes
// on past the bytes given (a JPEG's frame header follows its metadata
// segments) and reading that many bytes may succeed.
bool SniffPictureHeader(std::string_view bytes, TPictureInfo& info, size_t* wanted = nullptr);

// The same for a file, reading only as much of it as the header takes (at
// most a bounded amount). False for a missing or unreadable file.
bool ReadPictureInfo(const std::string& file, TPictureInfo& info);

}  // namespace tarvik
