// The Win32 side of the platform layer against the system itself: host
// strings in GlobalAlloc blocks and the ANSI code page, GUIDs as Windows
// prints them, the temporary folder in long form, the two environments.
#ifdef _WIN32

#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/host_string.h"
#include "platform/system.h"

namespace tarvik {
namespace {

std::string Hex(const std::string& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

class HostStringsCp1252 : public ::testing::Test {
 protected:
  void SetUp() override {
    if (GetACP() != 1252) GTEST_SKIP() << "expects code page 1252, the system has " << GetACP();
  }
};

TEST_F(HostStringsCp1252, ConvertToAnsiWithOneQuestionMarkPerMissingCharacter) {
  struct TCase {
    const char* Utf8;
    const char* Ansi;
  };
  const TCase cases[] = {
      {"plain ASCII", "plain ASCII"},
      {"Gr\xC3\xBC\xC3\x9F" "e", "Gr\xFC\xDF" "e"},                 // Grüße
      {"\xE2\x82\xAC 5 \xE2\x80\x93 \xE2\x80\x9Cok\xE2\x80\x9D",  // € 5 – “ok”
       "\x80 5 \x96 \x93ok\x94"},
      {"\xE6\x97\xA5\xE6\x9C\xAC", "??"},                     // 日本: not in 1252
      {"a\xF0\x9F\x98\x80" "b", "a?b"},                         // an emoji is one character
      {"\xC4\x80", "?"},                                      // Ā: no best fit to "A"
      {"\xE2\x88\x9E", "?"},                                  // ∞: no best fit to "8"
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Utf8);
    EXPECT_EQ(Hex(Utf8ToAnsi(c.Utf8)), Hex(c.Ansi));
  }
}

TEST_F(HostStringsCp1252, RoundTripThroughAGlobalAllocBlock) {
  char* p = nullptr;
  AssignHostString(p, "Caf\xC3\xA9 \xE2\x82\xAC \xE6\x97\xA5");  // Café € 日
  ASSERT_NE(p, nullptr);
  // GMEM_FIXED: the block's address is its own handle, as a host that frees
  // it with GlobalFree expects.
  EXPECT_EQ(GlobalHandle(p), static_cast<HGLOBAL>(p));
  EXPECT_EQ(GlobalSize(p), 9u);
  EXPECT_EQ(Hex(p), Hex("Caf\xE9 \x80 ?"));
  EXPECT_EQ(ReadHostString(p), "Caf\xC3\xA9 \xE2\x82\xAC ?");
  FreeHostString(p);
  EXPECT_EQ(p, nullptr);
}

TEST_F(HostStringsCp1252, EmptyTextGivesAOneByteBlock) {
  char* p = nullptr;
  AssignHostString(p, "");
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(GlobalSize(p), 1u);
  EXPECT_EQ(p[0], '\0');
  EXPECT_EQ(ReadHostString(p), "");
  FreeHostString(p);
  EXPECT_EQ(ReadHostString(nullptr), "");
}

TEST(PlatformWin32, CodePageNameIsTheSystemsAnsiCodePage) {
  EXPECT_EQ(AnsiCodePageName(), "CP" + std::to_string(GetACP()));
}

bool IsUpperHex(const std::string& s) {
  return s.find_first_not_of("0123456789ABCDEF") == std::string::npos;
}

TEST(PlatformWin32, GuidsAreFreshUpperCaseHex) {
  std::string a = NewGuidHex();
  std::string b = NewGuidHex();
  ASSERT_EQ(a.size(), 32u);
  EXPECT_TRUE(IsUpperHex(a)) << a;
  EXPECT_NE(a, b);
  std::string dashed = NewGuidDashed();
  ASSERT_EQ(dashed.size(), 36u);
  for (size_t i : {8u, 13u, 18u, 23u}) EXPECT_EQ(dashed[i], '-') << dashed;
}

TEST(PlatformWin32, GuidDigitsFollowWindowsOwnFormatting) {
  GUID guid{};
  ASSERT_TRUE(SUCCEEDED(CoCreateGuid(&guid)));
  wchar_t text[40];
  ASSERT_GT(StringFromGUID2(guid, text, 40), 0);
  std::string expected;
  for (const wchar_t* c = text; *c; ++c)
    if (*c != L'{' && *c != L'}' && *c != L'-') expected += static_cast<char>(*c);
  unsigned char bytes[16];
  memcpy(bytes, &guid, sizeof bytes);
  EXPECT_EQ(FormatGuidHex(bytes), expected);
}

// Sets TMP for one test and puts the old value back afterwards.
class Win32TempFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    hadTmp_ = HasEnvVar("TMP");
    oldTmp_ = GetEnvVar("TMP");
  }
  void TearDown() override {
    if (hadTmp_)
      SetEnvVar("TMP", oldTmp_);
    else
      UnsetEnvVar("TMP");
    if (!made_.empty()) DeleteTree(made_);
  }
  bool hadTmp_ = false;
  std::string oldTmp_;
  std::string made_;
};

TEST_F(Win32TempFolder, HasNoTrailingSeparatorAndExists) {
  std::string temp = UserTempFolder();
  ASSERT_FALSE(temp.empty());
  EXPECT_NE(temp.back(), '\\');
  EXPECT_NE(temp.back(), '/');
  EXPECT_TRUE(DirectoryExists(temp)) << temp;
}

TEST_F(Win32TempFolder, FollowsTmpAndGivesTheLongForm) {
  std::string base = UserTempFolder();
  made_ = JoinPath(base, "Tarvik long folder name " + NewGuidHex().substr(0, 8));
  ASSERT_TRUE(ForceDirectories(made_));
  std::u16string wideLong = Utf8ToUtf16(made_);
  wchar_t shortPath[MAX_PATH];
  DWORD n = GetShortPathNameW(reinterpret_cast<const wchar_t*>(wideLong.c_str()), shortPath,
                              MAX_PATH);
  ASSERT_GT(n, 0u);
  std::string shortForm = Utf16ToUtf8(std::u16string(reinterpret_cast<char16_t*>(shortPath), n));
  SetEnvVar("TMP", shortForm + "\\");
  EXPECT_EQ(UserTempFolder(), made_);
}

TEST(PlatformWin32, EnvironmentChangesReachTheCRuntimeToo) {
  const std::string name = "TARVIK_PLATFORM_TEST";
  SetEnvVar(name, "Gr\xC3\xBC\xC3\x9F" "e");
  EXPECT_TRUE(HasEnvVar(name));
  EXPECT_EQ(GetEnvVar(name), "Gr\xC3\xBC\xC3\x9F" "e");
  const wchar_t* crt = _wgetenv(L"TARVIK_PLATFORM_TEST");
  ASSERT_NE(crt, nullptr);
  EXPECT_EQ(std::wstring(crt), L"Gr\u00FC\u00DF" L"e");

  SetEnvVar(name, "");
  EXPECT_TRUE(HasEnvVar(name));  // set, but empty
  EXPECT_EQ(GetEnvVar(name), "");

  UnsetEnvVar(name);
  EXPECT_FALSE(HasEnvVar(name));
  EXPECT_EQ(_wgetenv(L"TARVIK_PLATFORM_TEST"), nullptr);
}

TEST(PlatformWin32, LongValuesAreReadWhole) {
  std::string value(5000, 'x');
  value += "end";
  SetEnvVar("TARVIK_PLATFORM_LONG", value);
  EXPECT_EQ(GetEnvVar("TARVIK_PLATFORM_LONG"), value);
  UnsetEnvVar("TARVIK_PLATFORM_LONG");
}

}  // namespace
}  // namespace tarvik

#endif  // _WIN32
