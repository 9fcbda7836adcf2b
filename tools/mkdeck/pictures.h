// Pictures for the generated decks, drawn from formulas and encoded as PNG,
// so that every run gives the same bytes and the repository holds no images.
#pragma once
#include <cstdint>
#include <string>

namespace mkdeck {

// A landscape: sky gradient, sun and hills. Width x height pixels, RGB.
std::string LandscapePng(int width, int height);
// A round badge with an arrow pointing right on a transparent ground (RGBA),
// so that a mirrored copy is plainly mirrored.
std::string ArrowBadgePng(int size);
// A small bar chart on white.
std::string BarChartPng(int width, int height);
// A photo-like picture with grain that varies with Seed (for the benchmark deck).
std::string GrainyPhotoPng(int width, int height, uint32_t seed);

// Pictures of noise that varies with Seed, for the media-heavy deck: they do
// not compress, so a file's size is what it costs to carry. The PNG stores its
// pixels without compression (about 3 bytes a pixel, written at memory speed);
// the JPEG is a real baseline JPEG of the given quality.
std::string NoisePng(int width, int height, uint32_t seed);
std::string NoiseJpeg(int width, int height, uint32_t seed, int quality);

}  // namespace mkdeck
