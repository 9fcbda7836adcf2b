// A file's data: URI written a block at a time is the URI of the whole file,
// whatever its size against the block; and the streamed package entries
// inflate to their text with every reference resolved.
#include <gtest/gtest.h>

#include <string>

#include "htmlexport/data_uri.h"
#include "htmlexport/media_pieces.h"
#include "htmlexport/renderer_test_util.h"
#include "package/base64.h"
#include "package/zip_listing.h"
#include "platform/files.h"

namespace tarvik {
namespace {

using test::ScratchFolder;

std::string Bytes(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + i / 251) & 0xFF);
  return bytes;
}

TEST(WriteFileDataUri, IsTheUriOfTheWholeFileAtEveryBlockBoundary) {
  ScratchFolder dir;
  constexpr size_t kBlock = kBase64BlockBytes;
  for (size_t size : {size_t{1}, size_t{2}, size_t{3}, size_t{4}, kBlock - 1, kBlock, kBlock + 1, kBlock + 2,
                      2 * kBlock, 2 * kBlock + 1}) {
    const std::string bytes = Bytes(size);
    const std::string file = dir.Write("picture.png", bytes);
    std::string out = "<image href=\"";
    TStringSink sink(out);
    ASSERT_TRUE(WriteFileDataUri(sink, file)) << size;
    EXPECT_TRUE(out == "<image href=\"data:image/png;base64," + Base64OfBytes(bytes)) << size;
    EXPECT_EQ(DataUriLength(file), out.size() - 13) << size;
  }
  std::string out;
  TStringSink sink(out);
  EXPECT_FALSE(WriteFileDataUri(sink, dir.Write("empty.png", "")));
  EXPECT_FALSE(WriteFileDataUri(sink, JoinPath(dir.Path(), "missing.png")));
  EXPECT_EQ(out, "") << "nothing for an empty or missing file";
}

TEST(StreamedEntryWithMedia, InflatesToTheTextWithEachReferenceResolved) {
  ScratchFolder dir;
  const std::string png = dir.Write("a.png", Bytes(kBase64BlockBytes + 5));
  const std::string bmp = dir.Write("b.bmp", Bytes(1000));  // not compressed: zlib takes it
  const std::string text = "<p>\"tarvik-media:0\" and \"tarvik-media:1\", \"tarvik-media:0\"; \"tarvik-media:7\"</p>";
  const std::string resolved = "<p>\"" + FileToDataUri(png) + "\" and \"" + FileToDataUri(bmp) + "\", \"" +
                               FileToDataUri(png) + "\"; \"tarvik-media:7\"</p>";
  const std::string archive = JoinPath(dir.Path(), "out.zip");
  // Before the Base64 text, two bytes or one: the files fall differently on its groups.
  WriteZipArchive(archive, {StreamedEntryWithMedia("page.html", text, {png, bmp}),
                            StreamedBase64EntryWithMedia("two.json", "{\"", text, "\"}", {png, bmp}),
                            StreamedBase64EntryWithMedia("one.json", "{", "x" + text, "}", {png, bmp})});
  test::TZipListing zip = test::ListZip(archive);
  ASSERT_TRUE(zip.Opened);
  ASSERT_EQ(zip.Items.size(), 3u);
  EXPECT_TRUE(zip.Items[0].Bytes == resolved);
  EXPECT_TRUE(zip.Items[1].Bytes == "{\"" + Base64OfBytes(resolved) + "\"}");
  EXPECT_TRUE(zip.Items[2].Bytes == "{" + Base64OfBytes("x" + resolved) + "}");
}

}  // namespace
}  // namespace tarvik
