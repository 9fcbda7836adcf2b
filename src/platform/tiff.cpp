// The TIFF decoder reads nothing it has not first found inside the file, and
// sizes its buffers from the picture's capped dimensions, never from counts
// the file states; a picture whose strips hold too few bytes for its size is
// refused before its pixels are allocated.
#include "platform/tiff.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <map>
#include <new>
#include <optional>

#include "platform/files.h"

#ifdef TARVIK_HAVE_STB_WRITE
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>
#endif

namespace tarvik {

namespace {

constexpr int64_t kMaxTiffBytes = int64_t{256} << 20;
// No strip unpacks to more than this many times its size (LZW's best is
// under 2800, Deflate's about 1030), so a small file announcing a large
// picture cannot make the decoder allocate for it.
constexpr uint64_t kMaxExpansion = 4096;
constexpr uint32_t kMaxSamples = 8;
// A tile may overhang the picture, but not by more than this.
constexpr uint32_t kMaxTileSide = 1024;

enum : uint16_t {
  kTagWidth = 256,
  kTagHeight = 257,
  kTagBitsPerSample = 258,
  kTagCompression = 259,
  kTagPhotometric = 262,
  kTagStripOffsets = 273,
  kTagSamplesPerPixel = 277,
  kTagRowsPerStrip = 278,
  kTagStripByteCounts = 279,
  kTagPlanar = 284,
  kTagPredictor = 317,
  kTagColourMap = 320,
  kTagTileWidth = 322,
  kTagTileHeight = 323,
  kTagTileOffsets = 324,
  kTagTileByteCounts = 325,
  kTagExtraSamples = 338,
  kTagSampleFormat = 339,
};

enum : uint32_t { kNone = 1, kLzw = 5, kDeflate = 8, kPackBits = 32773, kOldDeflate = 32946 };
enum : uint32_t { kWhiteIsZero = 0, kBlackIsZero = 1, kRgb = 2, kPalette = 3 };

// Numbers in the file's byte order. A read outside the file gives 0; callers
// that must tell check Has first.
class TTiffBytes {
 public:
  TTiffBytes(std::string_view bytes, bool bigEndian) : bytes_(bytes), big_(bigEndian) {}
  uint64_t Size() const { return bytes_.size(); }
  bool Has(uint64_t at, uint64_t count) const { return at <= bytes_.size() && count <= bytes_.size() - at; }
  uint32_t Number(uint64_t at, int size) const {
    if (!Has(at, static_cast<uint64_t>(size))) return 0;
    uint32_t value = 0;
    for (int i = 0; i < size; ++i)
      value = value << 8 | static_cast<unsigned char>(bytes_[at + static_cast<uint64_t>(big_ ? i : size - 1 - i)]);
    return value;
  }
  std::string_view Slice(uint64_t at, uint64_t count) const {
    return Has(at, count) ? bytes_.substr(at, count) : std::string_view();
  }

 private:
  std::string_view bytes_;
  bool big_;
};

// Where a directory entry's values lie: in the entry itself when they fit in
// four bytes. Size is 0 for types the decoder reads no numbers from.
struct TEntry {
  uint64_t At = 0;
  uint32_t Count = 0;
  int Size = 0;
};
using TDirectory = std::map<uint16_t, TEntry>;

int TypeSize(uint32_t type) {
  if (type == 1) return 1;  // BYTE
  if (type == 3) return 2;  // SHORT
  if (type == 4) return 4;  // LONG
  return 0;
}

constexpr uint16_t kTagsRead[] = {
    kTagWidth,           kTagHeight,       kTagBitsPerSample,   kTagCompression,    kTagPhotometric,  kTagStripOffsets,
    kTagSamplesPerPixel, kTagRowsPerStrip, kTagStripByteCounts, kTagPlanar,         kTagPredictor,    kTagColourMap,
    kTagTileWidth,       kTagTileHeight,   kTagTileOffsets,     kTagTileByteCounts, kTagExtraSamples, kTagSampleFormat};

// The first directory only: later ones hold thumbnails or further pages, so
// a chain of directories that loops is never followed. A tag the decoder
// reads whose values lie outside the file makes the file broken, rather
// than one with that tag missing.
std::optional<TDirectory> ReadDirectory(const TTiffBytes& file, uint64_t at) {
  const uint32_t count = file.Number(at, 2);
  if (count == 0 || !file.Has(at + 2, uint64_t{count} * 12)) return std::nullopt;
  TDirectory directory;
  for (uint32_t i = 0; i < count; ++i) {
    const uint64_t entry = at + 2 + uint64_t{i} * 12;
    TEntry values;
    values.Size = TypeSize(file.Number(entry + 2, 2));
    values.Count = file.Number(entry + 4, 4);
    const uint64_t bytes = uint64_t{values.Count} * static_cast<uint64_t>(values.Size);
    values.At = bytes <= 4 ? entry + 8 : file.Number(entry + 8, 4);
    const auto tag = static_cast<uint16_t>(file.Number(entry, 2));
    const bool read = std::find(std::begin(kTagsRead), std::end(kTagsRead), tag) != std::end(kTagsRead);
    if (read && !file.Has(values.At, bytes)) return std::nullopt;
    directory.emplace(tag, values);
  }
  return directory;
}

// All values of Tag; none when it is absent. They lie inside the file, which
// bounds how many there can be.
std::vector<uint32_t> Values(const TTiffBytes& file, const TDirectory& directory, uint16_t tag) {
  std::vector<uint32_t> values;
  const auto found = directory.find(tag);
  if (found == directory.end()) return values;
  const TEntry& entry = found->second;
  const auto size = static_cast<uint64_t>(entry.Size);
  if (size == 0 || !file.Has(entry.At, entry.Count * size)) return values;
  values.reserve(entry.Count);
  for (uint32_t i = 0; i < entry.Count; ++i) values.push_back(file.Number(entry.At + i * size, entry.Size));
  return values;
}

uint32_t Value(const TTiffBytes& file, const TDirectory& directory, uint16_t tag, uint32_t fallback) {
  const auto found = directory.find(tag);
  if (found == directory.end() || found->second.Size == 0 || found->second.Count == 0) return fallback;
  return file.Number(found->second.At, found->second.Size);
}

// How the pixels are stored. Strips are blocks the picture's width across.
struct TLayout {
  uint32_t Width = 0, Height = 0;
  uint32_t Compression = kNone, Photometric = kBlackIsZero, Predictor = 1;
  uint32_t Samples = 1;        // per pixel, colour and extra
  uint32_t ColourSamples = 1;  // 3 for RGB
  int32_t Alpha = -1;          // the alpha sample, -1 for an opaque picture
  bool Premultiplied = false;
  bool Tiled = false;
  uint32_t BlockWidth = 0, BlockHeight = 0;
  std::vector<uint32_t> Offsets, Counts, ColourMap;

  uint64_t Across() const { return (uint64_t{Width} + BlockWidth - 1) / BlockWidth; }
  uint64_t Down() const { return (uint64_t{Height} + BlockHeight - 1) / BlockHeight; }
  // Tiles always hold their whole size; the last strip only the rows left.
  uint64_t BlockBytes(uint64_t index) const {
    const uint64_t top = index / Across() * BlockHeight;
    const uint64_t rows = Tiled ? BlockHeight : std::min<uint64_t>(BlockHeight, Height - top);
    return rows * BlockWidth * Samples;
  }
};

// The alpha sample: the first extra sample when it is named alpha, or the
// fourth sample of an RGB picture that names none, taken as associated alpha
// as other readers do.
void ReadAlpha(const TTiffBytes& file, const TDirectory& directory, TLayout& layout) {
  if (layout.Samples <= layout.ColourSamples) return;
  const std::vector<uint32_t> extra = Values(file, directory, kTagExtraSamples);
  const uint32_t kind = !extra.empty() ? extra[0] : layout.Photometric == kRgb && layout.Samples == 4 ? 1 : 0;
  if (kind != 1 && kind != 2) return;
  layout.Alpha = static_cast<int32_t>(layout.ColourSamples);
  layout.Premultiplied = kind == 1;
}

// The pixel format, when it is one the decoder draws.
bool ReadFormat(const TTiffBytes& file, const TDirectory& directory, TLayout& layout) {
  layout.Width = Value(file, directory, kTagWidth, 0);
  layout.Height = Value(file, directory, kTagHeight, 0);
  if (layout.Width == 0 || layout.Height == 0 || uint64_t{layout.Width} * layout.Height > kMaxTiffPixels) return false;
  layout.Samples = Value(file, directory, kTagSamplesPerPixel, 1);
  layout.Photometric = Value(file, directory, kTagPhotometric, layout.Samples >= 3 ? kRgb : kBlackIsZero);
  layout.ColourSamples = layout.Photometric == kRgb ? 3 : 1;
  layout.Compression = Value(file, directory, kTagCompression, kNone);
  layout.Predictor = Value(file, directory, kTagPredictor, 1);
  if (layout.Photometric > kPalette || layout.Samples < layout.ColourSamples || layout.Samples > kMaxSamples)
    return false;
  if (layout.Samples > 1 && Value(file, directory, kTagPlanar, 1) != 1) return false;
  if (layout.Predictor != 1 && layout.Predictor != 2) return false;
  const uint32_t c = layout.Compression;
  if (c != kNone && c != kLzw && c != kDeflate && c != kPackBits && c != kOldDeflate) return false;
  const std::vector<uint32_t> bits = Values(file, directory, kTagBitsPerSample);
  if (bits.empty() || std::any_of(bits.begin(), bits.end(), [](uint32_t b) { return b != 8; })) return false;
  const std::vector<uint32_t> formats = Values(file, directory, kTagSampleFormat);
  if (std::any_of(formats.begin(), formats.end(), [](uint32_t f) { return f != 1; })) return false;
  if (layout.Photometric == kPalette) {
    layout.ColourMap = Values(file, directory, kTagColourMap);
    if (layout.ColourMap.size() != 3 * 256) return false;
  }
  ReadAlpha(file, directory, layout);
  return true;
}

// Where the strips or tiles lie, each cut to the file's end; blocks without
// a stated size run to the end of the file, and the decoders stop when their
// block is full.
bool ReadBlocks(const TTiffBytes& file, const TDirectory& directory, TLayout& layout) {
  layout.Tiled = directory.count(kTagTileWidth) != 0;
  if (layout.Tiled) {
    layout.BlockWidth = Value(file, directory, kTagTileWidth, 0);
    layout.BlockHeight = Value(file, directory, kTagTileHeight, 0);
    if (layout.BlockWidth > std::max(layout.Width, kMaxTileSide)) return false;
    if (layout.BlockHeight > std::max(layout.Height, kMaxTileSide)) return false;
    layout.Offsets = Values(file, directory, kTagTileOffsets);
    layout.Counts = Values(file, directory, kTagTileByteCounts);
  } else {
    layout.BlockWidth = layout.Width;
    layout.BlockHeight = std::min(Value(file, directory, kTagRowsPerStrip, layout.Height), layout.Height);
    layout.Offsets = Values(file, directory, kTagStripOffsets);
    layout.Counts = Values(file, directory, kTagStripByteCounts);
  }
  if (layout.BlockWidth == 0 || layout.BlockHeight == 0) return false;
  if (uint64_t{layout.BlockWidth} * layout.BlockHeight > kMaxTiffPixels) return false;
  const uint64_t blocks = layout.Across() * layout.Down();
  if (layout.Offsets.size() < blocks || (!layout.Counts.empty() && layout.Counts.size() < blocks)) return false;
  layout.Offsets.resize(blocks);
  layout.Counts.resize(blocks, UINT32_MAX);
  uint64_t stored = 0, unpacked = 0;
  for (uint64_t i = 0; i < blocks; ++i) {
    if (layout.Offsets[i] > file.Size()) return false;
    layout.Counts[i] = static_cast<uint32_t>(std::min<uint64_t>(layout.Counts[i], file.Size() - layout.Offsets[i]));
    stored += layout.Counts[i];
    unpacked += layout.BlockBytes(i);
  }
  return unpacked / kMaxExpansion <= stored;
}

bool UnpackBits(std::string_view in, std::vector<uint8_t>& out) {
  size_t at = 0, filled = 0;
  while (filled < out.size() && at < in.size()) {
    const int header = static_cast<signed char>(in[at++]);
    if (header == -128) continue;
    const size_t run = header >= 0 ? static_cast<size_t>(header) + 1 : static_cast<size_t>(1 - header);
    const size_t take = std::min(run, out.size() - filled);
    if (header >= 0) {
      if (run > in.size() - at) return false;
      std::memcpy(out.data() + filled, in.data() + at, take);
      at += run;
    } else {
      if (at == in.size()) return false;
      std::memset(out.data() + filled, static_cast<unsigned char>(in[at++]), take);
    }
    filled += take;
  }
  return filled == out.size();
}

// LZW codes read most significant bit first, 9 to 12 bits wide; -1 past the end.
class TCodeReader {
 public:
  explicit TCodeReader(std::string_view in) : in_(in) {}
  int Next(int width) {
    if (bit_ + static_cast<uint64_t>(width) > in_.size() * uint64_t{8}) return -1;
    uint32_t window = 0;
    for (uint64_t i = bit_ / 8; i < bit_ / 8 + 3; ++i)
      window = window << 8 | (i < in_.size() ? static_cast<unsigned char>(in_[i]) : 0u);
    const int shift = 24 - static_cast<int>(bit_ % 8) - width;
    bit_ += static_cast<uint64_t>(width);
    return static_cast<int>(window >> shift & ((1u << width) - 1));
  }

 private:
  std::string_view in_;
  uint64_t bit_ = 0;
};

constexpr int kLzwClear = 256, kLzwEnd = 257, kLzwFirstFree = 258, kLzwCodes = 4096;

struct TLzwCode {
  uint16_t Prefix = 0, Length = 1;
  uint8_t Last = 0, First = 0;
};

// Writes the string of Code at Filled, as much of it as Out has room for.
size_t EmitLzw(const std::vector<TLzwCode>& table, int code, std::vector<uint8_t>& out, size_t filled) {
  const size_t length = table[static_cast<size_t>(code)].Length;
  const size_t kept = std::min(length, out.size() - filled);
  for (size_t i = length; i-- > 0; code = table[static_cast<size_t>(code)].Prefix)
    if (i < kept) out[filled + i] = table[static_cast<size_t>(code)].Last;
  return filled + kept;
}

// Codes widen one code early, as TIFF writers have always done. A code not
// yet in the table fails the strip.
bool UnpackLzw(std::string_view in, std::vector<uint8_t>& out) {
  std::vector<TLzwCode> table(kLzwCodes);
  for (size_t i = 0; i < 256; ++i) table[i].Last = table[i].First = static_cast<uint8_t>(i);
  TCodeReader codes(in);
  int width = 9, free = kLzwFirstFree, previous = -1;
  size_t filled = 0;
  while (filled < out.size()) {
    const int code = codes.Next(width);
    if (code < 0 || code == kLzwEnd) break;
    if (code == kLzwClear) {
      width = 9, free = kLzwFirstFree, previous = -1;
      continue;
    }
    if (code > free || (previous < 0 && code >= kLzwFirstFree)) return false;
    if (previous >= 0 && free < kLzwCodes) {
      const TLzwCode& before = table[static_cast<size_t>(previous)];
      const uint8_t last = code == free ? before.First : table[static_cast<size_t>(code)].First;
      table[static_cast<size_t>(free)] = {static_cast<uint16_t>(previous), static_cast<uint16_t>(before.Length + 1),
                                          last, before.First};
      if (++free >= (1 << width) - 1 && width < 12) ++width;
    }
    filled = EmitLzw(table, code, out, filled);
    previous = code;
  }
  return filled == out.size();
}

bool Inflate(std::string_view in, std::vector<uint8_t>& out) {
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) return false;
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
  stream.avail_in = static_cast<uInt>(in.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  int status = Z_OK;
  while (status == Z_OK && stream.avail_out > 0) status = inflate(&stream, Z_NO_FLUSH);
  inflateEnd(&stream);
  return stream.avail_out == 0;
}

// Fills Out entirely from In, or fails: a short strip is a broken file.
bool Unpack(uint32_t compression, std::string_view in, std::vector<uint8_t>& out) {
  switch (compression) {
    case kNone:
      if (in.size() < out.size()) return false;
      std::memcpy(out.data(), in.data(), out.size());
      return true;
    case kPackBits:
      return UnpackBits(in, out);
    case kLzw:
      return UnpackLzw(in, out);
    default:
      return Inflate(in, out);
  }
}

// Horizontal differencing: each sample was stored as its difference to the
// same sample of the pixel before it in the row.
void UndoPredictor(std::vector<uint8_t>& block, size_t rowBytes, size_t samples) {
  for (size_t row = 0; row < block.size(); row += rowBytes)
    for (size_t x = samples; x < rowBytes && row + x < block.size(); ++x)
      block[row + x] = static_cast<uint8_t>(block[row + x] + block[row + x - samples]);
}

void ToRgba(const TLayout& layout, const uint8_t* sample, uint8_t* pixel) {
  for (int c = 0; c < 3; ++c) {
    if (layout.Photometric == kRgb)
      pixel[c] = sample[c];
    else if (layout.Photometric == kPalette)
      pixel[c] = static_cast<uint8_t>(layout.ColourMap[c * 256u + sample[0]] >> 8);
    else
      pixel[c] = layout.Photometric == kWhiteIsZero ? static_cast<uint8_t>(255 - sample[0]) : sample[0];
  }
  const unsigned alpha = layout.Alpha < 0 ? 255 : sample[layout.Alpha];
  pixel[3] = static_cast<uint8_t>(alpha);
  if (!layout.Premultiplied || alpha == 255) return;
  for (int c = 0; c < 3; ++c)
    pixel[c] = static_cast<uint8_t>(alpha ? std::min(255u, (pixel[c] * 255u + alpha / 2) / alpha) : 0);
}

// Copies the part of block Index that lies inside the picture.
void Place(const TLayout& layout, uint64_t index, const std::vector<uint8_t>& block, TRgbaPicture& picture) {
  const uint64_t left = index % layout.Across() * layout.BlockWidth;
  const uint64_t top = index / layout.Across() * layout.BlockHeight;
  const uint64_t width = std::min<uint64_t>(layout.BlockWidth, layout.Width - left);
  const uint64_t rows = std::min<uint64_t>(layout.BlockHeight, layout.Height - top);
  for (uint64_t y = 0; y < rows; ++y)
    for (uint64_t x = 0; x < width; ++x)
      ToRgba(layout, &block[(y * layout.BlockWidth + x) * layout.Samples],
             &picture.Pixels[((top + y) * layout.Width + left + x) * 4]);
}

bool Decode(std::string_view bytes, TRgbaPicture& picture) {
  const TTiffBytes file(bytes, bytes[0] == 'M');
  const std::optional<TDirectory> directory = ReadDirectory(file, file.Number(4, 4));
  TLayout layout;
  if (!directory || !ReadFormat(file, *directory, layout) || !ReadBlocks(file, *directory, layout)) return false;
  TRgbaPicture decoded;
  decoded.Width = layout.Width;
  decoded.Height = layout.Height;
  decoded.Pixels.resize(uint64_t{layout.Width} * layout.Height * 4);
  std::vector<uint8_t> block;
  for (uint64_t i = 0; i < layout.Offsets.size(); ++i) {
    block.resize(layout.BlockBytes(i));
    if (!Unpack(layout.Compression, file.Slice(layout.Offsets[i], layout.Counts[i]), block)) return false;
    if (layout.Predictor == 2) UndoPredictor(block, uint64_t{layout.BlockWidth} * layout.Samples, layout.Samples);
    Place(layout, i, block, decoded);
  }
  picture = std::move(decoded);
  return true;
}

#ifdef TARVIK_HAVE_STB_WRITE
void AppendBytes(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<size_t>(size));
}
#endif

}  // namespace

bool IsTiff(std::string_view head) {
  using namespace std::string_view_literals;
  return head.substr(0, 4) == "II*\0"sv || head.substr(0, 4) == "MM\0*"sv;
}

bool DecodeTiff(std::string_view bytes, TRgbaPicture& picture) {
  picture = {};
  if (!IsTiff(bytes)) return false;
  try {
    return Decode(bytes, picture);
  } catch (const std::bad_alloc&) {
    return false;  // a large picture in a 32-bit host short of room
  }
}

std::string ConvertTiff(const std::string& file, const std::string& target) {
#ifdef TARVIK_HAVE_STB_WRITE
  const int64_t size = FileSize(file);
  if (size <= 0 || size > kMaxTiffBytes) return "";
  try {
    TRgbaPicture picture;
    if (!DecodeTiff(ReadFileBytes(file), picture)) return "";
    std::string png;
    const int width = static_cast<int>(picture.Width), height = static_cast<int>(picture.Height);
    if (!stbi_write_png_to_func(AppendBytes, &png, width, height, 4, picture.Pixels.data(), width * 4)) return "";
    const std::string path = target + ".png";
    WriteFileBytes(path, png);
    return path;
  } catch (...) {
    return "";  // an unreadable file or a full disk: the picture is drawn as a box
  }
#else
  (void)file;
  (void)target;
  return "";
#endif
}

}  // namespace tarvik
