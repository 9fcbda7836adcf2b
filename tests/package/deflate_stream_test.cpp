// Deflate streams put together from text and shared pieces inflate to
// exactly the text in order, with the size and CRC their entry states,
// wherever the pieces stand.
#include <gtest/gtest.h>
#include <zlib.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "package/base64.h"
#include "package/deflate_stream.h"

namespace tarvik {
namespace {

std::string Inflate(const TZipEntry& entry, bool* complete) {
  std::string deflated;
  for (const auto& chunk : entry.Deflated) deflated += *chunk;
  z_stream z{};
  inflateInit2(&z, -15);
  std::string out(entry.Size + 64, '\0');
  z.next_in = reinterpret_cast<Bytef*>(deflated.data());
  z.avail_in = static_cast<uInt>(deflated.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  *complete = inflate(&z, Z_FINISH) == Z_STREAM_END && z.avail_in == 0;
  out.resize(out.size() - z.avail_out);
  inflateEnd(&z);
  return out;
}

// A piece of Text: after ";base64," (when Base64 says so) with the fixed
// code, the rest by zlib.
TDeflatedPiece Piece(std::string_view text, bool base64) {
  const size_t marker = text.find(";base64,");
  const size_t split = base64 && marker != std::string_view::npos ? marker + 8 : text.size();
  auto stream = std::make_shared<std::string>();
  TDeflateWriter writer;
  writer.Text(text.substr(0, split), *stream);
  writer.Base64(text.substr(split), *stream);
  writer.Flush(*stream);
  return {std::move(stream), writer.Size(), writer.Crc()};
}

TEST(DeflateStreamBuilder, InflatesToTheTextWhereverPiecesStand) {
  std::string base64;
  for (int i = 0; i < 200000; ++i)
    base64 += "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"[(i * 7919) % 64];
  const std::string pictureText = "data:image/png;base64," + base64 + "A==";
  const std::string markupText = std::string(3000, 'x') + "<br/>";
  // Base64 that stops short: its digits coded, the rest by zlib.
  const std::string oddText = "data:x;base64,AB\nCD" + std::string(500, '=');
  const TDeflatedPiece picture = Piece(pictureText, true);
  const TDeflatedPiece markup = Piece(markupText, false);
  const TDeflatedPiece odd = Piece(oddText, true);
  const TDeflatedPiece empty = Piece("", true);
  // A piece (or none: text compressed on the spot) and the text it stands for.
  struct TPart {
    const TDeflatedPiece* Piece;
    std::string Text;
  };
  // Text repeated after a piece must not be coded as a copy from before it.
  const std::string page = "<svg><image href=\"";
  const std::vector<std::vector<TPart>> layouts = {
      {{nullptr, page}, {&picture, pictureText}, {nullptr, "\"/>" + page}, {&picture, pictureText},
       {nullptr, "\"/></svg>"}},
      {{&picture, pictureText}, {&markup, markupText}, {&odd, oddText}, {&empty, ""}},
      {{nullptr, page + page + page}},
      {},
  };
  for (size_t i = 0; i < layouts.size(); ++i) {
    TDeflateStreamBuilder builder;
    std::string expected;
    for (const auto& part : layouts[i]) {
      if (part.Piece) builder.AddPiece(*part.Piece);
      else builder.AddText(part.Text);
      expected += part.Text;
    }
    TZipEntry entry;
    builder.FinishInto(entry);
    bool complete = false;
    EXPECT_EQ(Inflate(entry, &complete), expected) << "layout " << i;
    EXPECT_TRUE(complete) << "layout " << i;
    EXPECT_EQ(entry.Size, expected.size()) << "layout " << i;
    EXPECT_EQ(entry.Crc, crc32(0, reinterpret_cast<const Bytef*>(expected.data()), static_cast<uInt>(expected.size())))
        << "layout " << i;
  }
  // Six bits a digit, seven for 1 in 64 of them, and a header.
  EXPECT_LT(picture.Stream->size(), pictureText.size() * 3 / 4 + pictureText.size() / 256 + 200);
}

// Inflates a raw deflate stream that should end exactly where it does.
std::string InflateStream(const std::string& deflated, size_t expected, bool* complete) {
  TZipEntry entry;
  entry.Deflated = {std::make_shared<const std::string>(deflated)};
  entry.Size = expected;
  return Inflate(entry, complete);
}

TEST(TDeflateWriter, Base64OfBytesIsTheBase64OfThemWhateverTheirKindAndLength) {
  static constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string noise, digits;
  uint32_t state = 7;
  for (int i = 0; i < 30000; ++i) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    noise += static_cast<char>(state >> 24);
    digits += kAlphabet[state % 64];  // Base64 itself, as an H5P file's slides carry it
  }
  // Lengths around the steps of twelve and sixteen bytes, and long enough
  // for a run of groups that hold seven-bit digits.
  for (const std::string* bytes : {&noise, &digits}) {
    for (size_t length : {0, 3, 12, 15, 18, 27, 48, 51, 1200, 29997}) {
      const std::string_view part = std::string_view(*bytes).substr(1, length);
      std::string stream;
      TDeflateWriter writer;
      writer.Text("<image href=\"data:image/png;base64,", stream);
      writer.Base64Of(part, stream);
      writer.Base64("AB==", stream);
      writer.Text("\"/>", stream);
      writer.Finish(stream);
      const std::string expected =
          "<image href=\"data:image/png;base64," + Base64OfBytes(part) + "AB==\"/>";
      bool complete = false;
      EXPECT_EQ(InflateStream(stream, expected.size(), &complete), expected) << length;
      EXPECT_TRUE(complete) << length;
      EXPECT_EQ(writer.Size(), expected.size());
      EXPECT_EQ(writer.Crc(), crc32(0, reinterpret_cast<const Bytef*>(expected.data()), static_cast<uInt>(expected.size())))
          << length;
    }
  }
}

}  // namespace
}  // namespace tarvik
