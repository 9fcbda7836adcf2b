// tarvik import as a user runs it: the built CLI loads the built plug-in. A
// stand-in xdg-open early on PATH records what the shell step would open, so
// nothing real is ever launched.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/files.h"
#include "platform/system.h"
#include "pubexport/pub_test_support.h"
#include "support/deck_writer.h"

using namespace tarvik;
using namespace tarvik::test;

namespace {

struct TResult {
  int Code = -1;
  std::string Out;
};

class CliImport : public ::testing::Test {
 protected:
  void SetUp() override {
    ForceDirectories(dir_ / "bin");
    WriteFileBytes(dir_ / "bin/xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > '" + (dir_ / "opened") + "'\n");
    std::string chmod = "chmod +x '" + (dir_ / "bin/xdg-open") + "'";
    ASSERT_EQ(std::system(chmod.c_str()), 0);
    TDeckParts parts;
    parts.Slides.push_back({TextShapeXml(2, "Title 1", 0, 0, 952500, 476250, "Hello"), "", ""});
    BuildMinimalDeck(parts).Write(dir_ / "talk.pptx");
  }
  TResult Run(const std::string& args) {
    std::string command = "cd '" + dir_.Path() + "' && env -u TARVIK_SHELL_OPEN PATH='" + (dir_ / "bin") +
                          ":/usr/bin:/bin' TARVIK_PLUGIN='" + TARVIK_PLUGIN_FILE + "' '" + TARVIK_CLI_FILE +
                          "' " + args + " 2>&1";
    TResult r;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return r;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) r.Out.append(buffer, n);
    int status = pclose(pipe);
    r.Code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
  }
  // The stand-in opener runs detached; give it a moment.
  std::string Opened() {
    for (int i = 0; i < 50 && !FileExists(dir_ / "opened"); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return FileExists(dir_ / "opened") ? ReadFileBytes(dir_ / "opened") : std::string();
  }
  TTempDir dir_;
};

}  // namespace

TEST_F(CliImport, DefaultOutputBesideTheDeckAndNothingOpened) {
  TResult r = Run("import talk.pptx");
  std::string pub = dir_ / "talk.pub";
  EXPECT_EQ(r.Code, 0) << r.Out;
  EXPECT_EQ(r.Out, "[PPTXImportedPub]=" + pub +
                       "\n[PPTXImportedSlides]=1\n[PPTXImportedObjects]=1\n[LastError]=\n");
  EXPECT_TRUE(FileExists(pub));
  // The generic run path does not open either.
  r = Run("run ovPPTXImport talk.pptx '" + (dir_ / "again.pub") + "'");
  EXPECT_EQ(r.Code, 0) << r.Out;
  EXPECT_TRUE(FileExists(dir_ / "again.pub"));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_FALSE(FileExists(dir_ / "opened"));
}

TEST_F(CliImport, OpenAsksTheShell) {
  TResult r = Run("import talk.pptx out/named.pub --open");
  EXPECT_EQ(r.Code, 0) << r.Out;
  EXPECT_EQ(Opened(), dir_ / "out/named.pub");
}

TEST_F(CliImport, FailuresExitWithTheMessage) {
  TResult r = Run("import missing.pptx");
  EXPECT_EQ(r.Code, 1);
  EXPECT_NE(r.Out.find("tarvik: PowerPoint file not found: " + (dir_ / "missing.pptx")), std::string::npos) << r.Out;
}
