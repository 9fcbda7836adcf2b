// The rich text read back by a real RTF reader (Debian's unrtf): the text of
// every run must come back, accents, CJK and characters beyond the BMP included.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>

#include "platform/codepage.h"
#include "platform/files.h"
#include "pubexport/pub_test_support.h"
#include "pubexport/rich_text.h"

using namespace tarvik;
using namespace tarvik::test;

namespace {

bool HaveUnrtf() { return std::system("unrtf --version >/dev/null 2>&1") == 0; }

std::string RunUnrtf(const std::string& file) {
  std::string command = "unrtf --html '" + file + "' 2>/dev/null";
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return out;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  pclose(pipe);
  return out;
}

// The document's text: tags dropped (<br> as a line break), entities decoded,
// surrogate pairs joined.
std::string BodyText(const std::string& html) {
  static const std::map<std::string, char32_t> kNamed = {
      {"amp", '&'},      {"lt", '<'},       {"gt", '>'},       {"quot", '"'},    {"nbsp", 0xA0},
      {"eacute", 0xE9},  {"egrave", 0xE8},  {"iuml", 0xEF},    {"uuml", 0xFC},   {"Uuml", 0xDC},
      {"ouml", 0xF6},    {"auml", 0xE4},    {"szlig", 0xDF},   {"ccedil", 0xE7}, {"ntilde", 0xF1},
      {"bull", 0x2022},  {"euro", 0x20AC},  {"hellip", 0x2026}};
  // unrtf opens the body only at the first plain character, so an escape that
  // starts the document lands before "</head>": read from the end of the
  // header's last comment instead.
  size_t start = html.rfind("-->", html.find("<body>"));
  std::string body = html.substr(start == std::string::npos ? 0 : start + 3);
  std::u16string units;
  for (size_t i = 0; i < body.size();) {
    if (body[i] == '<') {
      size_t close = body.find('>', i);
      if (body.compare(i, 3, "<br") == 0) units += u'\n';
      i = close == std::string::npos ? body.size() : close + 1;
    } else if (body[i] == '&') {
      size_t semi = body.find(';', i);
      std::string name = body.substr(i + 1, semi - i - 1);
      char32_t cp = '?';
      if (!name.empty() && name[0] == '#') cp = char32_t(std::strtoul(name.c_str() + 1, nullptr, 10));
      else if (kNamed.count(name)) cp = kNamed.at(name);
      else ADD_FAILURE() << "unknown entity &" << name << ";";
      if (cp >= 0x10000) {
        units += char16_t(0xD800 + ((cp - 0x10000) >> 10));
        units += char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF));
      } else {
        units += char16_t(cp);
      }
      i = semi + 1;
    } else if (body[i] == '\n') {
      ++i;  // the reader's own line wrapping
    } else {
      size_t next = body.find_first_of("<&\n", i);
      if (next == std::string::npos) next = body.size();
      units += Utf8ToUtf16(body.substr(i, next - i));
      i = next;
    }
  }
  return Utf16ToUtf8(units);
}

}  // namespace

TEST(RtfReadBack, EveryRunComesBack) {
  if (!HaveUnrtf()) GTEST_SKIP() << "unrtf is not installed (make deps installs it)";
  const std::vector<std::vector<std::string>> paragraphs = {
      {"Caf\xC3\xA9 cr\xC3\xA8me", " na\xC3\xAFve Gr\xC3\xBC\xC3\x9F" "e, M\xC3\xBCnchen!"},
      {"\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xA6\xE3\x81\x99\xE3\x81\xA8", "\xF0\x9F\x98\x80 smile"},
      {"braces {a} and back\\slash", "\xE2\x82\xAC" "5 \xE2\x80\xA6" "end"},
      {"x\xC3\xA7y", "\xC3\xB1" "a"},
  };
  TPPTXShape shape;
  for (const auto& texts : paragraphs) {
    std::vector<TPPTXTextRun> runs;
    for (const auto& t : texts) runs.push_back(TextRun(t, "Arial", 14));
    shape.Paragraphs.push_back(Para(runs));
  }
  TTempDir dir;
  std::string file = dir / "text.rtf";
  WriteFileBytes(file, BuildTextRtf(shape));
  std::string text = BodyText(RunUnrtf(file));
  size_t at = 0;
  for (const auto& texts : paragraphs)
    for (const auto& t : texts) {
      size_t found = text.find(t, at);
      EXPECT_NE(found, std::string::npos) << "run \"" << t << "\" missing from:\n" << text;
      if (found != std::string::npos) at = found + t.size();
    }
}

TEST(RtfReadBack, LineBreaksAndBulletsSurvive) {
  if (!HaveUnrtf()) GTEST_SKIP() << "unrtf is not installed (make deps installs it)";
  TPPTXShape shape;
  auto p = Para({TextRun("first\r\nsecond"), TextRun(" same line")}, 1, 1);
  p.Bullet = true;
  p.BulletChar = "\xE2\x80\xA2";
  shape.Paragraphs.push_back(p);
  TTempDir dir;
  std::string file = dir / "text.rtf";
  WriteFileBytes(file, BuildTextRtf(shape));
  std::string text = BodyText(RunUnrtf(file));
  // The bullet comes first; unrtf drops the blank after an escape that opens the document.
  size_t bullet = text.find("\xE2\x80\xA2");
  size_t runs = text.find("first\nsecond same line");
  EXPECT_NE(bullet, std::string::npos) << text;
  EXPECT_NE(runs, std::string::npos) << text;
  EXPECT_LT(bullet, runs) << text;
}
