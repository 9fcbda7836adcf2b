// The package layer's formats: the MIME table both ways, Base64 both ways
// (also in parts), CRC-32, and the escapes of XML, JSON and URL paths.
#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <string>
#include <vector>

#include "package/base64.h"
#include "package/crc32.h"
#include "package/mime_types.h"
#include "package/text_escape.h"

namespace tarvik {
namespace {

TEST(MimeTypeForFile, MapsExtensionsCaseInsensitively) {
  struct Case {
    const char* name;
    const char* mime;
  } cases[] = {
      {"a.png", "image/png"},       {"a.JPG", "image/jpeg"},      {"a.jpeg", "image/jpeg"},
      {"a.Gif", "image/gif"},       {"a.svg", "image/svg+xml"},   {"a.bmp", "image/bmp"},
      {"a.webp", "image/webp"},     {"a.mp4", "video/mp4"},       {"a.webm", "video/webm"},
      {"a.ogg", "audio/ogg"},       {"a.MP3", "audio/mpeg"},      {"a.wav", "audio/wav"},
      {"a.emf", "application/octet-stream"}, {"noext", "application/octet-stream"},
      {"", "application/octet-stream"},      {"dir.png/file", "application/octet-stream"},
      {"/x/media/image1.jpg", "image/jpeg"}, {"a.png.bak", "application/octet-stream"},
      {"trailingdot.", "application/octet-stream"},
  };
  for (const auto& c : cases) EXPECT_EQ(MimeTypeForFile(c.name), c.mime) << c.name;
}

TEST(Base64OfBytes, MatchesRfc4648Vectors) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"", ""},         {"f", "Zg=="},         {"fo", "Zm8="},         {"foo", "Zm9v"},
      {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"},
      {std::string("\x00\xff\xfe\x80", 4), "AP/+gA=="},
      {"\xfb\xff", "+/8="},
  };
  for (const auto& c : cases) EXPECT_EQ(Base64OfBytes(c.in), c.out) << c.in;
}

// Bit by bit, the slow way: six bits at a time from the front.
std::string ReferenceBase64(const std::string& bytes) {
  static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  size_t bits = bytes.size() * 8;
  for (size_t pos = 0; pos < bits; pos += 6) {
    int value = 0;
    for (size_t b = pos; b < pos + 6; ++b) {
      int bit = b < bits ? (static_cast<unsigned char>(bytes[b / 8]) >> (7 - b % 8)) & 1 : 0;
      value = value * 2 + bit;
    }
    out += kAlphabet[value];
  }
  while (out.size() % 4) out += '=';
  return out;
}

TEST(Base64OfBytes, AgreesWithBitwiseEncodingAndDecodesBackForEveryByteValue) {
  std::string bytes;
  for (int i = 0; i < 770; ++i) bytes += static_cast<char>((i * 37 + i / 256) & 0xFF);
  std::string decoded;
  for (size_t len : {0u, 1u, 2u, 3u, 4u, 255u, 256u, 257u, 768u, 769u, 770u}) {
    std::string text = Base64OfBytes(bytes.substr(0, len));
    EXPECT_EQ(text, ReferenceBase64(bytes.substr(0, len))) << len;
    ASSERT_TRUE(DecodeBase64(text, decoded)) << len;
    EXPECT_EQ(decoded, bytes.substr(0, len)) << len;
  }
}

TEST(Base64OfBytes, AppendsWithoutTouchingWhatIsThere) {
  std::string out = "data:x;base64,";
  AppendBase64(out, "foobar");
  EXPECT_EQ(out, "data:x;base64,Zm9vYmFy");
  for (size_t n = 0; n < 10; ++n) EXPECT_EQ(Base64OfBytes(std::string(n, 'x')).size(), Base64Length(n));
}

TEST(TBase64Stream, EverySplitGivesTheTextOfTheWhole) {
  std::string bytes;
  for (int i = 0; i < 50; ++i) bytes += static_cast<char>(i * 37 + 11);
  // Sizes of the parts, in order; the rest of the bytes, if any, come last.
  const std::vector<std::vector<size_t>> splits = {
      {}, {0}, {1}, {2}, {3}, {1, 1, 1}, {2, 2, 2, 2}, {4, 0, 5}, {1, 49}, {3, 3, 3}, {50}, {7, 0, 0, 1, 13},
  };
  for (size_t total : {size_t{0}, size_t{1}, size_t{2}, size_t{3}, size_t{47}, size_t{50}}) {
    for (const auto& split : splits) {
      // Groups, beside, hands over whole groups only, and all of them.
      TBase64Stream stream, groups;
      std::string text, grouped;
      size_t at = 0;
      auto add = [&](size_t n) {
        const std::string_view part = std::string_view(bytes).substr(at, std::min(n, total - at));
        stream.Add(part, text);
        groups.Groups(part, [&](std::string_view whole) {
          EXPECT_EQ(whole.size() % 3, 0u);
          grouped.append(whole);
        });
        at += part.size();
      };
      for (size_t n : split) add(n);
      add(total);
      EXPECT_EQ(stream.Pending(), total % 3);
      stream.Finish(text);
      EXPECT_EQ(text, Base64OfBytes(bytes.substr(0, total))) << total << " bytes, " << split.size() << " parts";
      EXPECT_EQ(grouped, bytes.substr(0, total / 3 * 3));
    }
  }
}

TEST(Crc32, AgreesWithZlibAtEveryLengthAndAlignment) {
  std::string bytes;
  uint32_t state = 12345;
  for (int i = 0; i < 4096; ++i) {
    state = state * 1103515245u + 12345u;
    bytes += static_cast<char>(state >> 24);
  }
  // Around the fast path's steps: 16-byte folds, 64-byte blocks.
  for (size_t offset : {0, 1, 7, 15}) {
    for (size_t size : {0, 1, 15, 16, 17, 63, 64, 65, 79, 80, 127, 128, 129, 1000, 4000}) {
      const std::string_view text = std::string_view(bytes).substr(offset, size);
      for (uint32_t start : {0u, 0xDEADBEEFu})
        EXPECT_EQ(Crc32(start, text), crc32(start, reinterpret_cast<const Bytef*>(text.data()), static_cast<uInt>(size)))
            << offset << "+" << size;
    }
  }
}

TEST(ExtensionForMimeType, FollowsTheTableIgnoringCase) {
  const std::pair<const char*, const char*> cases[] = {
      {"image/png", ".png"},   {"IMAGE/PNG", ".png"},   {"image/jpeg", ".jpg"}, {"image/gif", ".gif"},
      {"image/svg+xml", ".svg"}, {"image/bmp", ".bmp"}, {"image/webp", ".webp"}, {"video/mp4", ".mp4"},
      {"Video/WebM", ".webm"}, {"audio/ogg", ".ogg"},   {"audio/mpeg", ".mp3"}, {"audio/wav", ".wav"},
      {"application/octet-stream", ".bin"}, {"image/x-emf", ".bin"}, {"", ".bin"}, {"image/png ", ".bin"},
  };
  for (const auto& [mime, extension] : cases) EXPECT_EQ(ExtensionForMimeType(mime), extension) << mime;
  // One table both ways: a file named after a known type reads as that type.
  for (const char* mime : {"image/png", "image/jpeg", "image/svg+xml", "video/webm", "audio/mpeg", "audio/wav"})
    EXPECT_EQ(MimeTypeForFile("file" + ExtensionForMimeType(mime)), mime);
}

TEST(DecodeBase64, KnownVectorsAndRejects) {
  const std::pair<const char*, const char*> vectors[] = {
      {"", ""}, {"Zg==", "f"}, {"Zm8=", "fo"}, {"Zm9v", "foo"}, {"Zm9vYg==", "foob"},
      {"Zm9vYmE=", "fooba"}, {"Zm9vYmFy", "foobar"}, {"+/8=", "\xFB\xFF"},
  };
  std::string bytes;
  for (const auto& [text, expected] : vectors) {
    ASSERT_TRUE(DecodeBase64(text, bytes)) << text;
    EXPECT_EQ(bytes, expected) << text;
  }
  for (const char* bad : {"Zm9", "Zm9v!", "=Zm9", "Zg=a", "Z===", "Zm 9v", "Zm9v\n"})
    EXPECT_FALSE(DecodeBase64(bad, bytes)) << bad;
}

TEST(XmlEscape, EscapesTheFiveOnceAndDropsWhatXmlCannotCarry) {
  const std::pair<std::string, std::string> cases[] = {
      {"Q&A <draft> \"x\" it's", "Q&amp;A &lt;draft&gt; &quot;x&quot; it&apos;s"},
      {"&amp;", "&amp;amp;"},
      {"tab\tline\ncr\r", "tab\tline\ncr\r"},
      {std::string("a\x01" "b\x0B\x1F", 5) + std::string(1, '\0') + "c", "abc"},
      {"Caf\xC3\xA9 \xE2\x80\x94 \xF0\x9F\x98\x80", "Caf\xC3\xA9 \xE2\x80\x94 \xF0\x9F\x98\x80"},
  };
  for (const auto& [text, escaped] : cases) EXPECT_EQ(XmlEscape(text), escaped) << text;
}

TEST(JsonEscape, EscapesQuotesBackslashesAndControls) {
  const std::pair<std::string, std::string> cases[] = {
      {"say \"hi\"", "say \\\"hi\\\""},
      {"C:\\decks\\a", "C:\\\\decks\\\\a"},
      {"a\nb\tc\rd\be\ff", "a\\nb\\tc\\rd\\be\\ff"},
      {"\x01\x1F", "\\u0001\\u001F"},
      {"it's </script> Caf\xC3\xA9", "it's </script> Caf\xC3\xA9"},
  };
  for (const auto& [text, escaped] : cases) EXPECT_EQ(JsonEscape(text), escaped) << text;
}

TEST(PercentEncodePath, KeepsSeparatorsAndEncodesWhatWouldChangeTheUrl) {
  const std::pair<std::string, std::string> cases[] = {
      {"assets/asset_0001.png", "assets/asset_0001.png"},
      {"a#b%.png", "a%23b%25.png"},
      {"what?.html", "what%3F.html"},
      {"my deck/x\\y.png", "my%20deck/x%5Cy.png"},
      {"\"<>`{}^|", "%22%3C%3E%60%7B%7D%5E%7C"},
      {"caf\xC3\xA9.svg", "caf%C3%A9.svg"},
      {"-._~!$&'()*+,;=:@", "-._~!$&'()*+,;=:@"},
  };
  for (const auto& [path, encoded] : cases) EXPECT_EQ(PercentEncodePath(path), encoded) << path;
}

}  // namespace
}  // namespace tarvik

TEST(SniffPictureType, KnowsPicturesByTheirFirstBytesOnly) {
  using namespace std::string_literals;
  const struct {
    std::string head;
    const char* type;
  } cases[] = {
      {"\x89PNG\r\n\x1A\n\0\0\0\x0D"s, "image/png"}, {"\xFF\xD8\xFF\xE0"s, "image/jpeg"},
      {"GIF89a", "image/gif"},                        {"RIFF\x10\0\0\0WEBPVP8 "s, "image/webp"},
      {"RIFF\x10\0\0\0WAVE"s, ""},                    {"\x89PNG", ""},
      {"<svg/>", ""},                                 {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(tarvik::SniffPictureType(c.head), c.type) << c.head;
}
