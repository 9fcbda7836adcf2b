// Dispatch helpers: the failure guard, parameter numbers, work folders, and
// the questions the plug-in asks its host.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <new>
#include <stdexcept>

#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/host_string.h"
#include "platform/system.h"
#include "plugin/dispatch.h"
#include "plugin/module_state.h"

using namespace tarvik;

namespace {

std::vector<std::pair<std::string, std::string>> gSet;
void HOSTCALL RecordVariable(const char* name, const char* value) { gSet.emplace_back(name, value); }

class Dispatch : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = Module();
    Module().SetVariable = RecordVariable;
    gSet.clear();
  }
  void TearDown() override { Module() = saved_; }
  TModuleState saved_;
};

TEST(StrToIntDef, AcceptsWhatTheHostsNumbersLookLike) {
  struct Case {
    const char* text;
    int32_t expected;
  } cases[] = {
      {"12", 12},          {"  7", 7},         {"\t+3", 3},          {"-4", -4},
      {"$A", 10},          {"x1f", 31},        {"X1F", 31},          {"0x10", 16},
      {"0X10", 16},        {"-$10", -16},      {"$FFFFFFFF", -1},    {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      // Everything else gives the default.
      {"", 1},             {"abc", 1},         {"12 ", 1},           {"1.5", 1},
      {"2147483648", 1},   {"$", 1},           {"0x", 1},            {"$100000000", 1},
      {"--1", 1},          {"+", 1},           {"1e3", 1},           {"99999999999999999999", 1},
  };
  for (const auto& c : cases) EXPECT_EQ(StrToIntDef(c.text, 1), c.expected) << '"' << c.text << '"';
}

TEST_F(Dispatch, OutOfRangeIndexesTouchNothing) {
  for (int32_t index : {0, 13, -1, 1000}) {
    EXPECT_FALSE(ExecAction(index, nullptr));
    EXPECT_FALSE(EditAction(index, nullptr));
  }
  EXPECT_TRUE(gSet.empty());
}

TEST_F(Dispatch, GuardTurnsEveryFailureIntoLastError) {
  struct Case {
    std::function<bool()> body;
    const char* message;
  } cases[] = {
      {[]() -> bool { throw ETarvikError("PPTX file not found: x.pptx"); }, "PPTX file not found: x.pptx"},
      {[]() -> bool { throw std::runtime_error("internal detail"); }, "Unexpected internal error."},
      {[]() -> bool { throw 42; }, "Unexpected internal error."},
      {[]() -> bool { throw std::bad_alloc(); }, "Out of memory."},
  };
  for (const auto& c : cases) {
    gSet.clear();
    EXPECT_FALSE(GuardExport(c.body));
    ASSERT_EQ(gSet.size(), 1u);
    EXPECT_EQ(gSet[0].first, "[LastError]");
    EXPECT_EQ(gSet[0].second, c.message);
  }
  gSet.clear();
  EXPECT_TRUE(GuardExport([] { return true; }));
  EXPECT_TRUE(gSet.empty());
}

TEST_F(Dispatch, NoSetVariableCallbackMeansNoCrash) {
  Module().SetVariable = nullptr;
  EXPECT_FALSE(GuardExport([]() -> bool { throw ETarvikError("x"); }));
  EXPECT_FALSE(ExecAction(2, nullptr));
}

TEST_F(Dispatch, VariablesReachTheHostInItsCodePage) {
  // Each code page keeps what it has and marks what it lacks with one "?".
  const struct {
    const char* codePage;
    const char* expected;
  } cases[] = {{"1252", "caf\xE9 ?"}, {"1251", "caf? \xC6"}};
  const bool had = HasEnvVar("TARVIK_CODEPAGE");
  const std::string old = GetEnvVar("TARVIK_CODEPAGE");
  for (const auto& c : cases) {
    SetEnvVar("TARVIK_CODEPAGE", c.codePage);
    gSet.clear();
    SetHostVariable("[LastError]", "caf\xC3\xA9 \xD0\x96");
    ASSERT_EQ(gSet.size(), 1u);
    EXPECT_EQ(gSet[0].second, c.expected) << c.codePage;
  }
  if (had) SetEnvVar("TARVIK_CODEPAGE", old);
  else UnsetEnvVar("TARVIK_CODEPAGE");
}

class TempEnv : public ::testing::Test {
 protected:
  void SetUp() override {
    had_ = HasEnvVar("TEMP");
    old_ = GetEnvVar("TEMP");
    root_ = JoinPath(UserTempFolder(), "tarvik-cache-test-" + NewGuidHex());
  }
  void TearDown() override {
    if (had_) SetEnvVar("TEMP", old_);
    else UnsetEnvVar("TEMP");
    DeleteTree(root_);
  }
  bool had_ = false;
  std::string old_, root_;
};

TEST_F(TempEnv, CacheFolderIsCreatedBelowTemp) {
  for (std::string temp : {root_, root_ + kPathSep}) {
    SetEnvVar("TEMP", temp);
    std::string folder = GetCacheFolder();
    EXPECT_EQ(folder, root_ + kPathSep + "Tarvik_Cache");
    EXPECT_TRUE(DirectoryExists(folder));
  }
}

TEST_F(TempEnv, WithoutTempWorkFoldersGoBelowTheUsersTemporaryFolder) {
  for (bool unset : {true, false}) {
    if (unset) UnsetEnvVar("TEMP");
    else SetEnvVar("TEMP", "");
    EXPECT_EQ(TempWorkFolder("Tarvik_Cache"), JoinPath(UserTempFolder(), "Tarvik_Cache"));
  }
}

// An interface-access host answering from a small script.
int32_t gCode = 0;
std::string gPassed;
bool gPassedNull = false;
const char* gAnswer = nullptr;
BOOL32 gResult = 0;

BOOL32 HOSTCALL FakeAccess(int32_t code, char** hostString) {
  gCode = code;
  gPassedNull = *hostString == nullptr;
  gPassed = gPassedNull ? "" : *hostString;
  FreeHostString(*hostString);
  if (gAnswer) AssignHostString(*hostString, gAnswer);
  return gResult;
}

TEST_F(Dispatch, InterfaceAccessProtocol) {
  Module().InterfaceAccess = nullptr;
  EXPECT_FALSE(HostHasInterfaceAccess());

  Module().InterfaceAccess = FakeAccess;
  gAnswer = nullptr;
  gResult = 1;
  EXPECT_FALSE(HostHasInterfaceAccess()) << "an answer that leaves the variable empty means no access";
  EXPECT_EQ(gCode, 6);
  EXPECT_TRUE(gPassedNull);

  gAnswer = "4.0.9";
  gResult = 0;
  EXPECT_TRUE(HostHasInterfaceAccess()) << "only the text counts, not the result";

  std::string answer;
  gAnswer = "Rectangle2";
  gResult = 1;
  EXPECT_TRUE(AskHost(8, "Rectangle1", answer));
  EXPECT_EQ(gCode, 8);
  EXPECT_EQ(gPassed, "Rectangle1");
  EXPECT_EQ(answer, "Rectangle2");
}

}  // namespace
