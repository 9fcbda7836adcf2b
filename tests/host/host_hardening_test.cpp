// Every action through the seven exports with what a careless or hostile
// script may pass: no parameters at all, and absurd ones. The host side is
// checked by the sanitizer run: nothing may read past the parameter array,
// leak, or let an exception out of an export.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "cli/plugin_host.h"
#include "platform/files.h"
#include "platform/host_string.h"
#include "platform/system.h"
#ifdef _WIN32
#include "ui/win32_host.h"
#endif

using namespace tarvik;

namespace {

class Hardening : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = JoinPath(UserTempFolder(), "tarvik_host_hardening_" + NewGuidHex());
    ASSERT_TRUE(ForceDirectories(dir_));
    WriteFileBytes(JoinPath(dir_, "plain.txt"), "not a deck");
    host_.Start();
    ASSERT_EQ(host_.Actions.size(), 12u);
  }
  void TearDown() override { DeleteTree(dir_); }

  // Runs an export with exactly these host strings, freeing them after.
  template <class TExport>
  void CallRaw(TExport run, int32_t index, const std::vector<std::string>& params) {
    std::vector<char*> blocks;
    for (const auto& p : params) blocks.push_back(TPluginHost::HostStringOf(p));
    try {
      run(index, blocks.data());
    } catch (...) {
      ADD_FAILURE() << "an exception left the export for action " << index;
    }
    for (char*& b : blocks) FreeHostString(b);
  }

  TPluginHost host_{DefaultPluginPath()};
  std::string dir_;
};

TEST_F(Hardening, EveryActionWithoutParametersFailsWithAMessage) {
  for (const TRegisteredAction& action : host_.Actions) {
    SCOPED_TRACE(action.Name);
    host_.ClearEvents();
    EXPECT_FALSE(host_.Exec(action.Index, {}));
    auto error = host_.Variable("[LastError]");
    ASSERT_TRUE(error.has_value());
    EXPECT_FALSE(error->empty());
    // Null strings in every declared slot read as empty texts alike.
    host_.ClearEvents();
    EXPECT_FALSE(host_.Exec(action.Index, std::vector<std::optional<std::string>>(
                                              static_cast<size_t>(action.ParamCount), std::nullopt)));
    EXPECT_EQ(host_.Variable("[LastError]"), error);
  }
}

TEST_F(Hardening, NoExceptionLeavesAnyExportWhateverItIsGiven) {
  const std::string deck = std::string(TARVIK_SOURCE_DIR) + "/examples/sample.pptx";
  const std::string plain = JoinPath(dir_, "plain.txt");
  const std::vector<std::vector<std::string>> absurd = {
      {std::string(1 << 20, 'x'), std::string(1 << 20, 'y'), "1"},
      {"\xFF\xFE\x80\x81", "\xC3\x28\xE2\x82", "\x9D"},
      {"-rf", "--help", "-1"},
      {dir_, dir_, "99999999999999999999"},
      {plain, JoinPath(plain, "below_a_file.out"), "$FFFFFFFF"},
      {deck, JoinPath(JoinPath(plain, "sub"), "out.html"), "Rectangle1"},
      {"%s%n%x", "CON", ".."},
  };
#ifdef _WIN32
  // The property dialogs are real windows here: someone has to close them.
  test::TDialogRobot canceller({{L"", [](HWND dialog) { return !PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); }}});
#endif
  for (int32_t index : {INT32_MIN, -1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, INT32_MAX})
    for (const auto& params : absurd) {
      CallRaw(host_.ExecAction, index, params);
      CallRaw(host_.EditAction, index, params);
    }
  try {
    host_.InitPlugIn(INTPTR_MAX, nullptr, nullptr, nullptr);
    host_.RegisterScriptProcessor(&host_);
    for (int32_t code : {INT32_MIN, -1, 0, 1, 2, 3, INT32_MAX}) host_.Message(code, code);
    host_.RegisterPlugIn(nullptr, nullptr, nullptr, nullptr);
    host_.RegisterInterfaceAccess(nullptr);
    EXPECT_EQ(host_.ExecAction(6, nullptr), 0);
  } catch (...) {
    ADD_FAILURE() << "an exception left a registration export";
  }
  host_.Start();  // the host's callbacks again, for whoever runs next
  EXPECT_FALSE(host_.Exec(7, {plain, JoinPath(plain, "x.html")}));
  EXPECT_NE(host_.Variable("[LastError]").value_or(""), "");
}

}  // namespace
