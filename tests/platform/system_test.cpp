// GUIDs, temp folders and the shell-open seam.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <regex>
#include <thread>
#include <set>

#include "platform/files.h"
#include "platform/system.h"

using namespace tarvik;

TEST(Guid, FormatsAsWindowsPrintsThem) {
  const unsigned char bytes[16] = {0x78, 0x56, 0x34, 0x12, 0x34, 0x12, 0x78, 0x56,
                                   0x9A, 0xBC, 0xDE, 0xF0, 0x01, 0x23, 0x45, 0x67};
  EXPECT_EQ(FormatGuidHex(bytes), "12345678123456789ABCDEF001234567");
}

TEST(Guid, NewGuidsAreUpperCaseHexAndDistinct) {
  std::set<std::string> seen;
  for (int i = 0; i < 50; ++i) {
    std::string hex = NewGuidHex();
    EXPECT_TRUE(std::regex_match(hex, std::regex("[0-9A-F]{32}"))) << hex;
    seen.insert(hex);
  }
  EXPECT_EQ(seen.size(), 50u);
  EXPECT_TRUE(std::regex_match(NewGuidDashed(),
                               std::regex("[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}")));
}

TEST(TempFolder, ExistsAndHasNoTrailingSeparator) {
  std::string temp = UserTempFolder();
  EXPECT_TRUE(DirectoryExists(temp));
  ASSERT_FALSE(temp.empty());
  if (temp.size() > 1) {
    EXPECT_NE(temp.back(), kPathSep);
  }
}

TEST(Environment, SetReadAndUnset) {
  SetEnvVar("TARVIK_TEST_VAR", "value \xC3\xA9");
  EXPECT_TRUE(HasEnvVar("TARVIK_TEST_VAR"));
  EXPECT_EQ(GetEnvVar("TARVIK_TEST_VAR"), "value \xC3\xA9");
  UnsetEnvVar("TARVIK_TEST_VAR");
  EXPECT_FALSE(HasEnvVar("TARVIK_TEST_VAR"));
  EXPECT_EQ(GetEnvVar("TARVIK_TEST_VAR"), "");
}

TEST(ShellOpen, GoesThroughTheInstalledOpener) {
  std::vector<std::string> opened;
  ShellOpener previous = SetShellOpener([&](const std::string& path) {
    opened.push_back(path);
    return true;
  });
  EXPECT_TRUE(ShellOpenFile("deck.pub"));
  SetShellOpener(previous);
  EXPECT_EQ(opened, std::vector<std::string>{"deck.pub"});
}

#ifndef _WIN32
// The system opener with a stand-in xdg-open that writes down its argument.
TEST(ShellOpen, PassesANameThatLooksLikeAnOptionAsAPath) {
  const std::string bin = JoinPath(UserTempFolder(), "tarvik-opener-" + NewGuidHex());
  ASSERT_TRUE(ForceDirectories(bin));
  const std::string record = JoinPath(bin, "opened.txt");
  WriteFileBytes(JoinPath(bin, "xdg-open"), "#!/bin/sh\nprintf '%s' \"$1\" > \"" + record + ".part\" && mv \"" +
                                               record + ".part\" \"" + record + "\"\n");
  std::filesystem::permissions(JoinPath(bin, "xdg-open"), std::filesystem::perms::owner_all);
  const std::string path = GetEnvVar("PATH");
  SetEnvVar("PATH", bin + ":" + path);
  const bool started = SystemShellOpen("-rf.pub");
  SetEnvVar("PATH", JoinPath(bin, "none"));
  const bool withoutOpener = SystemShellOpen("deck.pub");
  SetEnvVar("PATH", path);
  EXPECT_TRUE(started);
  EXPECT_FALSE(withoutOpener);
  // The opener runs on its own; wait for what it writes, a few seconds at most.
  for (int i = 0; i < 500 && !FileExists(record); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(FileExists(record) ? ReadFileBytes(record) : std::string(), "./-rf.pub");
  DeleteTree(bin);
}
#endif

TEST(Ticks, DoNotGoBackwards) {
  uint32_t a = TickCountMs();
  uint32_t b = TickCountMs();
  EXPECT_LE(static_cast<uint32_t>(b - a), 1000u);
}
