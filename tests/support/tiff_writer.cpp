#include "support/tiff_writer.h"

#include <zlib.h>

#include <algorithm>

namespace tarvik::test {

namespace {

class TBitWriter {
 public:
  void Put(uint32_t code, int width) {
    buffer_ = buffer_ << width | code;
    for (count_ += width; count_ >= 8; count_ -= 8) bytes_ += static_cast<char>(buffer_ >> (count_ - 8) & 0xFF);
  }
  std::string Finish() {
    if (count_ > 0) bytes_ += static_cast<char>(buffer_ << (8 - count_) & 0xFF);
    return bytes_;
  }

 private:
  uint64_t buffer_ = 0;
  int count_ = 0;
  std::string bytes_;
};

class TNumbers {
 public:
  explicit TNumbers(bool bigEndian) : big_(bigEndian) {}
  void Put(std::string& out, uint32_t value, int size) const {
    for (int i = 0; i < size; ++i) out += static_cast<char>(value >> (8 * (big_ ? size - 1 - i : i)) & 0xFF);
  }

 private:
  bool big_;
};

// The strips or tiles of the image, uncompressed, tiles padded to their size.
std::vector<std::string> Blocks(const TTiffImage& image) {
  const bool tiled = image.TileWidth > 0;
  const uint32_t width = tiled ? image.TileWidth : image.Width;
  const uint32_t height = tiled ? image.TileHeight : image.RowsPerStrip ? image.RowsPerStrip : image.Height;
  std::vector<std::string> blocks;
  for (uint32_t top = 0; top < image.Height; top += height) {
    for (uint32_t left = 0; left < image.Width; left += width) {
      const uint32_t rows = tiled ? height : std::min(height, image.Height - top);
      std::string block(static_cast<size_t>(rows) * width * image.Samples, '\0');
      for (uint32_t y = 0; y < rows && top + y < image.Height; ++y)
        for (uint32_t x = 0; x < width && left + x < image.Width; ++x)
          for (uint32_t s = 0; s < image.Samples; ++s)
            block[(static_cast<size_t>(y) * width + x) * image.Samples + s] =
                image.Pixels[((static_cast<size_t>(top) + y) * image.Width + left + x) * image.Samples + s];
      if (image.Predictor == 2) {
        const size_t row = static_cast<size_t>(width) * image.Samples;
        for (size_t start = 0; start < block.size(); start += row)
          for (size_t x = row; x-- > image.Samples;)
            block[start + x] = static_cast<char>(block[start + x] - block[start + x - image.Samples]);
      }
      blocks.push_back(block);
    }
  }
  return blocks;
}

std::string Compress(uint32_t compression, const std::string& data) {
  if (compression == 5) return LzwCompress(data);
  if (compression == 32773) return PackBitsCompress(data);
  if (compression != 8 && compression != 32946) return data;
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  std::string out(size, '\0');
  compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(data.data()),
            static_cast<uLong>(data.size()), 9);
  out.resize(size);
  return out;
}

}  // namespace

std::string LzwCompress(const std::string& data) {
  TBitWriter bits;
  std::map<std::string, uint32_t> table;
  uint32_t next = 0;
  int width = 9;
  auto clear = [&] {
    bits.Put(256, width);
    table.clear();
    for (uint32_t i = 0; i < 256; ++i) table[std::string(1, static_cast<char>(i))] = i;
    next = 258;
    width = 9;
  };
  // The reader adds each entry one code later than the writer does.
  auto added = [&] {
    if (++next >= (1u << width) && width < 12) ++width;
  };
  clear();
  std::string word;
  for (char c : data) {
    if (table.count(word + c)) {
      word += c;
      continue;
    }
    bits.Put(table[word], width);
    table[word + c] = next;
    added();
    if (next == 4094) clear();
    word = std::string(1, c);
  }
  if (!word.empty()) {
    bits.Put(table[word], width);
    added();
  }
  bits.Put(257, width);
  return bits.Finish();
}

std::string PackBitsCompress(const std::string& data) {
  std::string out;
  for (size_t at = 0; at < data.size();) {
    size_t run = 1;
    while (at + run < data.size() && run < 128 && data[at + run] == data[at]) ++run;
    if (run >= 2) {
      out += static_cast<char>(1 - static_cast<int>(run));
      out += data[at];
      at += run;
      continue;
    }
    const size_t start = at;
    do ++at;
    while (at < data.size() && at - start < 128 && !(at + 1 < data.size() && data[at + 1] == data[at]));
    out += static_cast<char>(at - start - 1);
    out += data.substr(start, at - start);
  }
  return out;
}

std::string WriteTiff(const TTiffImage& image) {
  const TNumbers numbers(image.BigEndian);
  std::string file = image.BigEndian ? std::string("MM\0*", 4) : std::string("II*\0", 4);
  std::string data;
  std::vector<uint32_t> offsets, counts;
  for (const std::string& block : Blocks(image)) {
    const std::string stored = Compress(image.Compression, block);
    offsets.push_back(static_cast<uint32_t>(8 + data.size()));
    counts.push_back(static_cast<uint32_t>(stored.size()));
    data += stored;
  }
  const bool tiled = image.TileWidth > 0;
  std::map<uint16_t, std::pair<int, std::vector<uint32_t>>> tags = {
      {256, {3, {image.Width}}},
      {257, {3, {image.Height}}},
      {258, {3, std::vector<uint32_t>(image.Samples, 8)}},
      {259, {3, {image.Compression}}},
      {262, {3, {image.Photometric}}},
      {277, {3, {image.Samples}}},
      {uint16_t(tiled ? 324 : 273), {4, offsets}},
      {uint16_t(tiled ? 325 : 279), {4, counts}},
  };
  if (tiled) tags[322] = {3, {image.TileWidth}}, tags[323] = {3, {image.TileHeight}};
  if (!tiled && image.RowsPerStrip) tags[278] = {3, {image.RowsPerStrip}};
  if (image.Predictor != 1) tags[317] = {3, {image.Predictor}};
  if (!image.ColourMap.empty()) tags[320] = {3, image.ColourMap};
  if (!image.ExtraSamples.empty()) tags[338] = {3, image.ExtraSamples};
  for (const auto& [tag, values] : image.Replaced) tags[tag] = {4, values};
  for (uint16_t tag : image.Omitted) tags.erase(tag);

  const uint32_t directory = static_cast<uint32_t>(8 + data.size());
  numbers.Put(file, directory, 4);
  file += data;
  numbers.Put(file, static_cast<uint32_t>(tags.size()), 2);
  std::string values;
  const uint32_t valuesAt = directory + 2 + 12 * static_cast<uint32_t>(tags.size()) + 4;
  for (const auto& [tag, typed] : tags) {
    const auto& [type, list] = typed;
    const int size = type == 3 ? 2 : 4;
    numbers.Put(file, tag, 2);
    numbers.Put(file, static_cast<uint32_t>(type), 2);
    numbers.Put(file, static_cast<uint32_t>(list.size()), 4);
    std::string packed;
    for (uint32_t value : list) numbers.Put(packed, value, size);
    if (packed.size() <= 4) {
      file += packed + std::string(4 - packed.size(), '\0');
    } else {
      numbers.Put(file, valuesAt + static_cast<uint32_t>(values.size()), 4);
      values += packed;
    }
  }
  numbers.Put(file, 0, 4);  // no further directory
  return file + values;
}

}  // namespace tarvik::test
