// Small builders shared by the importer tests: model shapes and runs made in
// one line, a private temporary folder, and the publication text split into
// its lines and records.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/system.h"
#include "pptx/model.h"

namespace tarvik::test {

inline TPPTXTextRun TextRun(const std::string& text, const std::string& font = "Arial", double size = 18,
                        TColor color = 0, bool hasColor = false) {
  TPPTXTextRun r;
  r.Text = text;
  r.FontName = font;
  r.FontSizePt = size;
  r.Color = color;
  r.HasColor = hasColor;
  return r;
}

inline TPPTXParagraph Para(std::vector<TPPTXTextRun> runs, int32_t alignment = 0, int32_t level = 0) {
  TPPTXParagraph p;
  p.Runs = std::move(runs);
  p.Alignment = alignment;
  p.Level = level;
  return p;
}

// A shape of Kind with a box in pixels (EMU = pixels x 9525).
inline std::unique_ptr<TPPTXShape> Shape(TPPTXShapeKind kind, const std::string& name, int64_t x, int64_t y,
                                         int64_t w, int64_t h) {
  auto s = std::make_unique<TPPTXShape>();
  s->Kind = kind;
  s->Name = name;
  s->XEmu = x * 9525;
  s->YEmu = y * 9525;
  s->WEmu = w * 9525;
  s->HEmu = h * 9525;
  return s;
}

// A folder below the user's temporary folder, removed again afterwards.
class TTempDir {
 public:
  TTempDir() : path_(JoinPath(UserTempFolder(), "tarvik-pubtest-" + NewGuidHex())) { ForceDirectories(path_); }
  ~TTempDir() { DeleteTree(path_); }
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;
  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return JoinPath(path_, name); }

 private:
  std::string path_;
};

// Splits text at CR LF; a line end of any other kind fails the test.
inline std::vector<std::string> PubLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    EXPECT_NE(end, std::string::npos) << "the last line has no CR LF";
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "stray line break in: " << line;
    lines.push_back(line);
    start = end + 2;
  }
  return lines;
}

// The lines joined with CR LF after each, as the writer produces them.
inline std::string JoinLines(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\r\n";
  return out;
}

// Lines that begin with Prefix.
inline std::vector<std::string> LinesStarting(const std::string& text, const std::string& prefix) {
  std::vector<std::string> out;
  for (const auto& l : PubLines(text))
    if (l.rfind(prefix, 0) == 0) out.push_back(l);
  return out;
}

}  // namespace tarvik::test
