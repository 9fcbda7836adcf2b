// Package extraction: folder naming and recreation, and hostile archives
// (escaping names, links, bombs, lying headers, broken files) contained.
#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>

#include "platform/error.h"
#include "pptx/package.h"
#include "pptx/relationships.h"
#include "pptx_test_util.h"

using namespace tarvik;
using namespace tarvik::test;

namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// A raw deflate stream of the given bytes.
std::string RawDeflate(const std::string& bytes) {
  z_stream z{};
  deflateInit2(&z, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&z, bytes.size()), '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  z.avail_in = static_cast<uInt>(bytes.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

uint32_t Crc(const std::string& bytes) {
  return static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

}  // namespace

TEST(Package, ExtractionFolderIsNamedAfterThePackage) {
  EXPECT_EQ(ExtractionFolderFor("/decks/Q3 review.pptx", "/tmp/Work"),
            std::string("/tmp/Work") + kPathSep + "Q3 review_extracted");
  EXPECT_EQ(ExtractionFolderFor("report.final.pptx", std::string("/w") + kPathSep),
            std::string("/w") + kPathSep + "report.final_extracted");
  EXPECT_EQ(ExtractionFolderFor("a.pptx", ""), "a_extracted");
}

TEST(Package, SafeEntryPaths) {
  const std::string s(1, kPathSep);
  const struct {
    const char* name;
    bool safe;
    std::string path;
  } cases[] = {
      {"ppt/slides/slide1.xml", true, "ppt" + s + "slides" + s + "slide1.xml"},
      {"./ppt//media/", true, "ppt" + s + "media"},
      {"[Content_Types].xml", true, "[Content_Types].xml"},
      {"../evil.txt", false, ""},
      {"ppt/../../evil.txt", false, ""},
      {"ppt\\..\\..\\evil.txt", false, ""},
      {"/etc/evil", false, ""},
      {"\\evil", false, ""},
      {"C:/evil.txt", false, ""},
      {"ppt/file.xml:stream", false, ""},
      {"ppt/NUL.xml", false, ""},
      {"ppt/com1", false, ""},
      {"ppt/trailing.", false, ""},
      {"ppt/tab\there", false, ""},
      {"ppt/wild*.xml", false, ""},
      {"ppt/console.xml", true, "ppt" + s + "console.xml"},
      {"ppt/m\xC3\xBCnze.xml", true, "ppt" + s + "m\xC3\xBCnze.xml"},
      {"ppt/bad\xC3(.xml", false, ""},
      {"ppt/surrogate\xED\xA0\x80.xml", false, ""},
  };
  for (const auto& c : cases) {
    std::string path;
    EXPECT_EQ(SafeEntryPath(c.name, path), c.safe) << c.name;
    if (c.safe) {
      EXPECT_EQ(path, c.path) << c.name;
    }
  }
}

TEST(Package, EscapingNamesAndLinksAreNeverWrittenOutside) {
  TTempDir dir;
  TDeckWriter deck = BuildMinimalDeck({});
  deck.Add("../evil1.txt", "x")
      .Add("ppt/../../evil2.txt", "x")
      .Add("ppt\\..\\..\\evil3.txt", "x")
      .Add(FullNormalisedPath(dir / "evil4.txt"), "x")
      .AddSymlink("ppt/media/link.png", dir / "target.txt")
      .AddSymlink("linkdir", dir.Path)
      .Add("linkdir/evil5.txt", "x")
      .Add("ppt/media/ok.png", "png");
  WriteFileBytes(dir / "target.txt", "secret");
  auto presentation = LoadDeck(deck, dir);
  const std::string folder = presentation->ExtractFolder;
  for (const char* name : {"evil1.txt", "evil2.txt", "evil3.txt", "evil4.txt", "evil5.txt"}) {
    EXPECT_FALSE(PathExists(dir / name)) << name;
    EXPECT_FALSE(PathExists(dir / "work" + kPathSep + name)) << name;
  }
  namespace fs = std::filesystem;
  const std::string media = JoinPath(JoinPath(folder, "ppt"), "media");
  EXPECT_FALSE(fs::exists(fs::symlink_status(JoinPath(media, "link.png"))));
  EXPECT_FALSE(fs::is_symlink(fs::symlink_status(JoinPath(folder, "linkdir"))));
  EXPECT_TRUE(FileExists(JoinPath(JoinPath(folder, "linkdir"), "evil5.txt"))) << "written inside, as a plain folder";
  EXPECT_EQ(ReadFileBytes(JoinPath(media, "ok.png")), "png");
  EXPECT_EQ(ReadFileBytes(dir / "target.txt"), "secret");
}

TEST(Package, SecondExtractionRecreatesTheFolderEvenWithReadOnlyFiles) {
  TTempDir dir;
  TDeckWriter deck = BuildMinimalDeck({});
  deck.Add("ppt/media/ro.png", "a").SetUnixMode("ppt/media/ro.png", 0444);
  const std::string file = dir / "deck.pptx";
  deck.Write(file);
  std::string folder = ExtractPackage(file, dir / "work");
  const std::string stale = JoinPath(folder, "stale.txt");
  WriteFileBytes(stale, "old");
  namespace fs = std::filesystem;
  fs::permissions(fs::path(JoinPath(JoinPath(JoinPath(folder, "ppt"), "media"), "ro.png")), fs::perms::owner_read);
  fs::permissions(fs::path(stale), fs::perms::owner_read);
  uint64_t bytes = 0;
  EXPECT_EQ(ExtractPackage(file, dir / "work", &bytes), folder);
  EXPECT_FALSE(PathExists(stale));
  EXPECT_GT(bytes, 0u);
}

TEST(Package, DecompressionBombsAreRefused) {
  TTempDir dir;
  const struct {
    const char* what;
    std::function<void(TDeckWriter&)> add;
    const char* message;
  } cases[] = {
      {"one entry far beyond its compressed size",
       [](TDeckWriter& d) { d.AddZeroBomb("ppt/media/bomb.bin", 100ull << 20); }, "decompression bomb"},
      {"many entries together",
       [](TDeckWriter& d) {
         for (int i = 0; i < 5; ++i) d.AddZeroBomb("ppt/media/b" + std::to_string(i) + ".bin", 60ull << 20);
       },
       "decompression bomb"},
      {"a stated size beyond the total limit",
       [](TDeckWriter& d) { d.AddRawDeflate("ppt/media/huge.bin", RawDeflate("x"), 5ull << 30, Crc("x")); },
       "decompression bomb"},
  };
  for (const auto& c : cases) {
    TDeckWriter deck = BuildMinimalDeck({});
    c.add(deck);
    const std::string file = dir / "bomb.pptx";
    deck.Write(file);
    std::string error = ErrorOf([&] { ExtractPackage(file, dir / "work"); });
    EXPECT_TRUE(Contains(error, c.message)) << c.what << ": " << error;
    EXPECT_FALSE(PathExists(dir / "work" + kPathSep + "bomb_extracted")) << "refused before writing";
  }
}

TEST(Package, AnEntryYieldingMoreThanItStatesIsRefused) {
  TTempDir dir;
  const std::string big(1 << 20, 'a');
  TDeckWriter deck = BuildMinimalDeck({});
  deck.AddRawDeflate("ppt/media/liar.bin", RawDeflate(big), 10, Crc(big));
  deck.Write(dir / "liar.pptx");
  EXPECT_FALSE(ErrorOf([&] { ExtractPackage(dir / "liar.pptx", dir / "work"); }).empty());
  EXPECT_LT(FileSize(JoinPath(ExtractionFolderFor("liar.pptx", dir / "work"), "ppt/media/liar.bin")), 1 << 20);
}

TEST(Package, BrokenArchivesFailWithTheArchiveReadersMessage) {
  TTempDir dir;
  WriteFileBytes(dir / "text.pptx", "this is not a zip archive at all");
  EXPECT_TRUE(Contains(ErrorOf([&] { ExtractPackage(dir / "text.pptx", dir / "work"); }), "Not a zip archive"));
  WriteFileBytes(dir / "locked.pptx", std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1") + std::string(504, '\0'));
  EXPECT_TRUE(Contains(ErrorOf([&] { ExtractPackage(dir / "locked.pptx", dir / "work"); }), "password-protected"));

  BuildMinimalDeck({}).Write(dir / "whole.pptx");
  std::string bytes = ReadFileBytes(dir / "whole.pptx");
  WriteFileBytes(dir / "cut.pptx", bytes.substr(0, bytes.size() / 2));
  std::string error = ErrorOf([&] { ExtractPackage(dir / "cut.pptx", dir / "work"); });
  EXPECT_TRUE(Contains(error, "cut.pptx") && Contains(error, "may be incomplete")) << error;
}
