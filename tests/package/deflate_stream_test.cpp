// Deflate streams put together from text and shared pieces inflate to
// exactly the text in order, with the size and CRC their entry states,
// wherever the pieces stand.
#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

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

TEST(DeflateStreamBuilder, InflatesToTheTextWhereverPiecesStand) {
  std::string base64;
  for (int i = 0; i < 200000; ++i)
    base64 += "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"[(i * 7919) % 64];
  const std::string pictureText = "data:image/png;base64," + base64 + "A==";
  const std::string markupText = std::string(3000, 'x') + "<br/>";
  // Not Base64 after the marker: compressed by zlib after all.
  const std::string oddText = "data:x;base64,AB\nCD" + std::string(500, '=');
  const TDeflatedPiece picture = DeflatePiece(pictureText, TDeflateEffort::Base64);
  const TDeflatedPiece markup = DeflatePiece(markupText, TDeflateEffort::Full);
  const TDeflatedPiece odd = DeflatePiece(oddText, TDeflateEffort::Base64);
  const TDeflatedPiece empty = DeflatePiece("", TDeflateEffort::Base64);
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
  // Six bits a character, seven for 1 in 32 of them, and a header.
  EXPECT_LT(picture.Stream->size(), pictureText.size() * 3 / 4 + pictureText.size() / 256 + 200);
}

}  // namespace
}  // namespace tarvik
