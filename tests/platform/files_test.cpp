// Path and folder helpers the reader and the exporters rely on.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/error.h"
#include "platform/files.h"
#include "platform/system.h"

using namespace tarvik;

namespace {

std::string S(const char* posix) {
  std::string s = posix;
  for (char& c : s)
    if (c == '/') c = kPathSep;
  return s;
}

class TempDir : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = JoinPath(UserTempFolder(), "tarvik-files-test-" + NewGuidHex());
    ASSERT_TRUE(ForceDirectories(root_));
  }
  void TearDown() override { DeleteTree(root_); }
  std::string root_;
};

TEST(Paths, JoinUsesExactlyOneSeparator) {
  struct Case {
    std::string a, b, expected;
  } cases[] = {
      {S("/a/b"), "c", S("/a/b/c")},
      {S("/a/b/"), "c", S("/a/b/c")},
      {S("/a/b//"), S("/c"), S("/c")},  // an absolute second path stands alone
      {"", "c", "c"},
      {S("a"), "", S("a")},
      {S("/"), "x", S("/x")},
  };
  for (const auto& c : cases) EXPECT_EQ(JoinPath(c.a, c.b), c.expected) << c.a << " + " << c.b;
}

TEST(Paths, NamePartsAndExtensions) {
  EXPECT_EQ(ExtractFileName(S("/d/Q3 review.pptx")), "Q3 review.pptx");
  EXPECT_EQ(ExtractFileDir(S("/d/e/f.txt")), S("/d/e"));
  EXPECT_EQ(ExtractFileDir("f.txt"), "");
  EXPECT_EQ(RemoveExtension(S("/d/report.final.pptx")), S("/d/report.final"));
  EXPECT_EQ(RemoveExtension(S("/d.x/noext")), S("/d.x/noext"));
  EXPECT_EQ(ExtractFileName(RemoveExtension("deck.pptm")), "deck");
}

TEST_F(TempDir, ForceDirectoriesCreatesParentsAndDeleteTreeClearsReadOnly) {
  std::string deep = JoinPath(root_, S("a/b/c"));
  ASSERT_TRUE(ForceDirectories(deep));
  std::string file = JoinPath(deep, "locked.txt");
  WriteFileBytes(file, "x");
  namespace fs = std::filesystem;
  fs::permissions(file, fs::perms::owner_read, fs::perm_options::replace);
  fs::permissions(deep, fs::perms::owner_read | fs::perms::owner_exec, fs::perm_options::replace);
  DeleteTree(JoinPath(root_, "a"));
  EXPECT_FALSE(PathExists(JoinPath(root_, "a")));
}

TEST_F(TempDir, DeleteTreeOfAMissingOrEmptyNameTouchesNothingElse) {
  std::string sibling = JoinPath(root_, "kept.txt");
  WriteFileBytes(sibling, "x");
  DeleteTree(JoinPath(root_, "missing"));
  DeleteTree("");  // not the current folder
  EXPECT_EQ(ReadFileBytes(sibling), "x");
}

TEST_F(TempDir, WriteFileReplacingIsWholeOrNothing) {
  std::string file = JoinPath(root_, "out.pub");
  WriteFileBytes(file, "old");
  WriteFileReplacing(file, {"new ", "text"});
  EXPECT_EQ(ReadFileBytes(file), "new text");
  // A folder in the way: the write fails, and no piece of it stays behind.
  std::string blocked = JoinPath(root_, "blocked");
  ASSERT_TRUE(ForceDirectories(JoinPath(blocked, "inner")));
  EXPECT_THROW(WriteFileReplacing(blocked, {"x"}), ETarvikError);
  EXPECT_TRUE(DirectoryExists(JoinPath(blocked, "inner")));
  size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(root_)) ++entries;
  EXPECT_EQ(entries, 2u) << "only out.pub and blocked";
}

TEST_F(TempDir, ReplacingFileGoesInPlaceOnlyWhenCommitted) {
  std::string file = JoinPath(root_, "page.html");
  WriteFileBytes(file, "old");
  {
    TReplacingFile page(file);
    page.Write("new ");
    page.Write(std::string(3 << 20, 'x'));  // past the gathering buffer
    EXPECT_EQ(ReadFileBytes(file), "old") << "not before the commit";
  }
  EXPECT_EQ(ReadFileBytes(file), "old") << "a page never committed leaves the earlier one";
  {
    TReplacingFile page(file);
    page.Write("new ");
    page.Write("text");
    page.Commit();
  }
  EXPECT_EQ(ReadFileBytes(file), "new text");
  size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(root_)) ++entries;
  EXPECT_EQ(entries, 1u) << "no temporary file stays behind";
}

TEST_F(TempDir, ReadAndWriteWholeFilesWithUtf8Names) {
  std::string file = JoinPath(root_, "caf\xC3\xA9 \xE6\x97\xA5.bin");
  std::string bytes("a\0b\xFF", 4);
  WriteFileBytes(file, bytes);
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(DirectoryExists(file));
  EXPECT_EQ(ReadFileBytes(file), bytes);
  EXPECT_EQ(FileSize(file), 4);
  EXPECT_THROW(ReadFileBytes(JoinPath(root_, "nope")), ETarvikError);
  EXPECT_THROW(WriteFileBytes(JoinPath(root_, S("no/such/dir/f")), "x"), ETarvikError);
}

#ifndef _WIN32
TEST_F(TempDir, ExistsFollowsLinks) {
  std::string target = JoinPath(root_, "target.txt");
  WriteFileBytes(target, "x");
  std::filesystem::create_symlink(target, JoinPath(root_, "good"));
  std::filesystem::create_symlink(JoinPath(root_, "gone"), JoinPath(root_, "dangling"));
  EXPECT_TRUE(PathExists(JoinPath(root_, "good")));
  EXPECT_TRUE(FileExists(JoinPath(root_, "good")));
  EXPECT_FALSE(PathExists(JoinPath(root_, "dangling")));
}

TEST_F(TempDir, DeleteTreeDoesNotFollowLinksOutOfTheTree) {
  std::string outside = JoinPath(root_, "outside");
  ASSERT_TRUE(ForceDirectories(outside));
  WriteFileBytes(JoinPath(outside, "keep.txt"), "x");
  std::string tree = JoinPath(root_, "tree");
  ASSERT_TRUE(ForceDirectories(tree));
  std::filesystem::create_directory_symlink(outside, JoinPath(tree, "link"));
  DeleteTree(tree);
  EXPECT_FALSE(PathExists(tree));
  EXPECT_TRUE(FileExists(JoinPath(outside, "keep.txt")));
}
#endif

}  // namespace
