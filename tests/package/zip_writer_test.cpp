// The ZIP writer's rules: entries in the order given with the method asked
// for and their names unchanged, a new archive every time, and no file at
// the path when writing fails.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "package/deflate_stream.h"
#include "package/zip_listing.h"
#include "package/zip_writer.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/system.h"

namespace tarvik {
namespace {

class ZipWriter : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = JoinPath(UserTempFolder(), "tarvik_zipwriter_" + NewGuidHex());
    ASSERT_TRUE(ForceDirectories(dir_));
  }
  void TearDown() override { DeleteTree(dir_); }
  std::string PathOf(const std::string& name) const { return JoinPath(dir_, name); }
  std::string dir_;
};

TZipEntry Entry(const std::string& name, const std::string& bytes, TZipMethod method) {
  TZipEntry entry;
  entry.Name = name;
  entry.Bytes = bytes;
  entry.Method = method;
  return entry;
}

TEST_F(ZipWriter, WritesEntriesInOrderWithTheirMethodsFromBytesAndFiles) {
  std::string page(5000, 'x');
  WriteFileBytes(PathOf("page.xhtml"), page);
  TZipEntry fromFile = Entry("OEBPS/text/page.xhtml", "", TZipMethod::Deflated);
  fromFile.SourceFile = PathOf("page.xhtml");
  const std::vector<TZipEntry> entries = {
      Entry("mimetype", "application/epub+zip", TZipMethod::Stored),
      Entry("z/last-name-first.txt", "zz", TZipMethod::Deflated),
      fromFile,
      Entry("a.txt", "", TZipMethod::Stored),
  };
  WriteZipArchive(PathOf("out.zip"), entries);
  test::TZipListing zip = test::ListZip(PathOf("out.zip"));
  ASSERT_TRUE(zip.Opened);
  EXPECT_EQ(zip.Names(), (std::vector<std::string>{"mimetype", "z/last-name-first.txt",
                                                   "OEBPS/text/page.xhtml", "a.txt"}));
  const int methods[] = {ZIP_CM_STORE, ZIP_CM_DEFLATE, ZIP_CM_DEFLATE, ZIP_CM_STORE};
  for (size_t i = 0; i < entries.size(); ++i) EXPECT_EQ(zip.Items[i].Method, methods[i]) << i;
  EXPECT_EQ(zip.Items[0].Bytes, "application/epub+zip");
  EXPECT_EQ(zip.Items[2].Bytes, page);
  EXPECT_LT(FileSize(PathOf("out.zip")), 2000) << "the page was deflated";
}

TEST_F(ZipWriter, ReplacesAnEarlierFileButNeverAFolder) {
  std::string out = PathOf("book.epub");
  WriteFileBytes(out, "an earlier export, not even a zip");
  WriteZipArchive(out, {Entry("new.txt", "new", TZipMethod::Deflated)});
  EXPECT_EQ(test::ListZip(out).Names(), std::vector<std::string>{"new.txt"});

  ASSERT_TRUE(ForceDirectories(PathOf("folder.epub/inside")));
  EXPECT_THROW(WriteZipArchive(PathOf("folder.epub"), {Entry("a", "b", TZipMethod::Stored)}), ETarvikError);
  EXPECT_TRUE(DirectoryExists(PathOf("folder.epub/inside")));
}

// A stream made in three stretches; a failure instead of the third when asked.
class TThreeStretches final : public TDeflateSource {
 public:
  explicit TThreeStretches(bool fail) : FFail(fail) {}
  bool Next(std::string& out) override {
    if (FStep == 3) return false;
    if (++FStep == 3) {
      if (FFail) throw ETarvikError("Cannot read file \"media.png\".");
      FWriter.Finish(out);
    } else {
      FWriter.Text(std::string(70000, static_cast<char>('a' + FStep)), out);
    }
    return true;
  }
  uint64_t Size() const override { return FStep == 3 ? FWriter.Size() : 140000; }
  uint32_t Crc() const override { return FWriter.Crc(); }

 private:
  bool FFail;
  int FStep = 0;
  TDeflateWriter FWriter;
};

TEST_F(ZipWriter, StreamedEntriesAreMadeWhileWrittenAndTheirFailureLeavesNothing) {
  TZipEntry streamed;
  streamed.Name = "index.html";
  streamed.Source = std::make_shared<TThreeStretches>(false);
  WriteZipArchive(PathOf("ok.zip"), {Entry("a.txt", "a", TZipMethod::Stored), streamed});
  test::TZipListing zip = test::ListZip(PathOf("ok.zip"));
  ASSERT_TRUE(zip.Opened);
  EXPECT_EQ(zip.Items[1].Bytes, std::string(70000, 'b') + std::string(70000, 'c'));

  streamed.Source = std::make_shared<TThreeStretches>(true);
  try {
    WriteZipArchive(PathOf("failed.zip"), {streamed});
    ADD_FAILURE() << "no exception";
  } catch (const ETarvikError& e) {
    EXPECT_STREQ(e.what(), "Cannot read file \"media.png\".") << "the source's own reason";
  }
  EXPECT_FALSE(PathExists(PathOf("failed.zip")));
  size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir_)) ++files;
  EXPECT_EQ(files, 1u) << "only ok.zip, no temporary file";
}

TEST_F(ZipWriter, AFailedWriteLeavesNoArchive) {
  std::string out = PathOf("broken.zip");
  WriteFileBytes(out, "earlier");
  TZipEntry missing = Entry("gone.txt", "", TZipMethod::Deflated);
  missing.SourceFile = PathOf("no-such-file.txt");
  EXPECT_THROW(WriteZipArchive(out, {Entry("ok.txt", "ok", TZipMethod::Deflated), missing}), ETarvikError);
  EXPECT_FALSE(PathExists(out));
  EXPECT_THROW(WriteZipArchive(PathOf("no/such/folder/x.zip"), {Entry("a", "b", TZipMethod::Stored)}),
               ETarvikError);
}

}  // namespace
}  // namespace tarvik
