// Draws the generated pictures pixel by pixel and encodes them with
// stb_image_write; see pictures.h.
#include "pictures.h"

#include <stb_image_write.h>
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace mkdeck {

namespace {

struct TImage {
  int Width, Height, Channels;
  std::vector<uint8_t> Pixels;
  TImage(int w, int h, int c) : Width(w), Height(h), Channels(c), Pixels(size_t(w) * h * c, 0) {}
  uint8_t* At(int x, int y) { return &Pixels[(size_t(y) * Width + x) * Channels]; }
};

void PngSink(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data), size_t(size));
}

std::string EncodePng(const TImage& img) {
  std::string out;
  if (!stbi_write_png_to_func(PngSink, &out, img.Width, img.Height, img.Channels,
                              img.Pixels.data(), img.Width * img.Channels))
    throw std::runtime_error("PNG encoding failed");
  return out;
}

uint8_t Clamp(double v) { return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }

void Put(TImage& img, int x, int y, double r, double g, double b, double a = 255) {
  uint8_t* p = img.At(x, y);
  p[0] = Clamp(r);
  p[1] = Clamp(g);
  p[2] = Clamp(b);
  if (img.Channels == 4) p[3] = Clamp(a);
}

double Mix(double a, double b, double t) { return a + (b - a) * t; }

// Landscape colours at (x, y); Grain adds per-pixel noise in -1..1 units.
void PaintLandscape(TImage& img, double phase, uint32_t seed, double grain) {
  const double w = img.Width, h = img.Height;
  uint32_t state = seed * 2654435761u + 1u;
  for (int y = 0; y < img.Height; ++y) {
    for (int x = 0; x < img.Width; ++x) {
      double fy = y / h, fx = x / w;
      double r = Mix(90, 200, fy), g = Mix(150, 225, fy), b = Mix(235, 250, fy);
      double sx = fx - 0.75, sy = fy - 0.28;
      double sun = std::sqrt(sx * sx * (w / h) * (w / h) + sy * sy);
      if (sun < 0.11) r = 255, g = 214, b = 80;
      double far = 0.62 + 0.08 * std::sin(fx * 7.0 + phase) + 0.03 * std::sin(fx * 23.0);
      double near = 0.78 + 0.06 * std::sin(fx * 4.0 + 1.3 + phase);
      if (fy > far) r = 96, g = 130, b = 110;
      if (fy > near) r = Mix(70, 40, (fy - near) * 3), g = Mix(140, 95, (fy - near) * 3), b = 60;
      if (grain > 0) {
        state = state * 1664525u + 1013904223u;
        double n = ((state >> 24) / 127.5 - 1.0) * grain;
        r += n, g += n, b += n;
      }
      Put(img, x, y, r, g, b);
    }
  }
}

// Noise pixels from xorshift32; a zero seed would stay zero.
TImage NoiseImage(int width, int height, uint32_t seed) {
  TImage img(width, height, 3);
  uint32_t state = seed * 2654435761u | 1u;
  for (uint8_t& p : img.Pixels) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    p = static_cast<uint8_t>(state >> 24);
  }
  return img;
}

void PutBigEndian(std::string& out, uint32_t v) {
  const char b[4] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
  out.append(b, 4);
}

void PngChunk(std::string& out, const char* type, const std::string& data) {
  PutBigEndian(out, static_cast<uint32_t>(data.size()));
  size_t start = out.size();
  out.append(type, 4);
  out += data;
  uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(out.data() + start),
                    static_cast<uInt>(out.size() - start));
  PutBigEndian(out, static_cast<uint32_t>(crc));
}

// stb's encoder searches for matches even in noise, which takes seconds per
// picture; zlib's level 0 just frames the rows.
std::string EncodeStoredPng(const TImage& img) {
  const size_t stride = size_t(img.Width) * img.Channels;
  std::string raw(size_t(img.Height) * (stride + 1), '\0');  // filter byte 0 on every row
  for (int y = 0; y < img.Height; ++y)
    std::memcpy(&raw[size_t(y) * (stride + 1) + 1], &img.Pixels[size_t(y) * stride], stride);
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::string packed(packedSize, '\0');
  if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()),
                0) != Z_OK)
    throw std::runtime_error("PNG encoding failed");
  packed.resize(packedSize);

  std::string header;
  PutBigEndian(header, static_cast<uint32_t>(img.Width));
  PutBigEndian(header, static_cast<uint32_t>(img.Height));
  header += std::string{char(8), char(img.Channels == 4 ? 6 : 2), 0, 0, 0};
  std::string out("\x89PNG\r\n\x1a\n", 8);
  PngChunk(out, "IHDR", header);
  PngChunk(out, "IDAT", packed);
  PngChunk(out, "IEND", "");
  return out;
}

}  // namespace

std::string NoisePng(int width, int height, uint32_t seed) {
  return EncodeStoredPng(NoiseImage(width, height, seed));
}

std::string NoiseJpeg(int width, int height, uint32_t seed, int quality) {
  TImage img = NoiseImage(width, height, seed);
  std::string out;
  if (!stbi_write_jpg_to_func(PngSink, &out, img.Width, img.Height, img.Channels,
                              img.Pixels.data(), quality))
    throw std::runtime_error("JPEG encoding failed");
  return out;
}

std::string LandscapePng(int width, int height) {
  TImage img(width, height, 3);
  PaintLandscape(img, 0.0, 0, 0);
  return EncodePng(img);
}

std::string GrainyPhotoPng(int width, int height, uint32_t seed) {
  TImage img(width, height, 3);
  PaintLandscape(img, seed * 0.7, seed, 12);
  return EncodePng(img);
}

std::string ArrowBadgePng(int size) {
  TImage img(size, size, 4);
  const double c = (size - 1) / 2.0, radius = size * 0.48;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      double dx = (x - c) / radius, dy = (y - c) / radius;
      double d = std::sqrt(dx * dx + dy * dy);
      if (d > 1.0) {
        Put(img, x, y, 0, 0, 0, 0);
        continue;
      }
      // The arrow: a shaft from the left, a head pointing right.
      bool shaft = dx > -0.6 && dx < 0.15 && std::fabs(dy) < 0.16;
      bool head = dx >= 0.15 && dx < 0.62 && std::fabs(dy) < (0.62 - dx) * 1.1;
      double edge = std::clamp((1.0 - d) * radius, 0.0, 1.0);  // soft rim
      if (shaft || head)
        Put(img, x, y, 255, 255, 255, 255 * edge);
      else
        Put(img, x, y, Mix(68, 30, d), Mix(114, 60, d), Mix(196, 120, d), 255 * edge);
    }
  }
  return EncodePng(img);
}

std::string BarChartPng(int width, int height) {
  TImage img(width, height, 3);
  const double values[] = {0.35, 0.55, 0.48, 0.72, 0.9};
  const double colors[][3] = {{68, 114, 196}, {237, 125, 49}, {165, 165, 165},
                              {255, 192, 0},  {112, 173, 71}};
  const int n = 5, margin = width / 12, baseY = height - height / 8;
  const int slot = (width - 2 * margin) / n;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      bool gridLine = y < baseY && (baseY - y) % (height / 5) == 0;
      double v = gridLine ? 225 : 255;
      Put(img, x, y, v, v, v);
    }
  for (int i = 0; i < n; ++i) {
    int x0 = margin + i * slot + slot / 6, x1 = margin + (i + 1) * slot - slot / 6;
    int top = baseY - static_cast<int>(values[i] * (baseY - height / 10));
    for (int y = top; y < baseY; ++y)
      for (int x = x0; x < x1; ++x) Put(img, x, y, colors[i][0], colors[i][1], colors[i][2]);
  }
  for (int x = margin / 2; x < width - margin / 2; ++x)
    for (int y = baseY; y < baseY + 2 && y < height; ++y) Put(img, x, y, 64, 64, 64);
  return EncodePng(img);
}

}  // namespace mkdeck
