// Advance tables of the metric-compatible free fonts, looked up by the name
// a deck gives its text.
#include "pptx/font_metrics.h"

#include <algorithm>

#include "platform/ascii.h"
#include "platform/codepage.h"

namespace tarvik {

namespace {

struct TCharRange {
  char32_t First, Last;
};

constexpr size_t kColumns = 381;  // characters in kAdvanceRanges

struct TFamilyAdvances {
  const char* Name;
  int LineHeight, BoldLineHeight;  // 1/1000 em
  short Advances[2][kColumns];  // regular, bold: 1/1000 em per character of kAdvanceRanges, -1 for none
};

#include "pptx/font_advances.inc"

constexpr size_t kFallback = 4;  // DejaVu Sans: what fontconfig offers for a family it lacks
constexpr double kAverageLetter = 0.55;

// Families with a metric-compatible free font; the rest are drawn, and so
// measured, in DejaVu. Calibri and Cambria are measured in Carlito and
// Caladea, which share their advances: where the real fonts are installed
// the browser draws those widths, and the exported pages name the twins next.
size_t FamilyIndex(std::string_view family) {
  static const struct {
    const char* Name;
    size_t Index;
  } kAliases[] = {
      {"Arial", 0},        {"Helvetica", 0},       {"Liberation Sans", 0},   {"Arial Narrow", 1},
      {"Liberation Sans Narrow", 1}, {"Times New Roman", 2}, {"Times", 2}, {"Liberation Serif", 2},
      {"Courier New", 3},  {"Courier", 3},         {"Liberation Mono", 3},   {"DejaVu Sans", 4},
      {"Georgia", 5},      {"DejaVu Serif", 5},    {"Constantia", 5},        {"Calibri", 6},
      {"Calibri Light", 6}, {"Carlito", 6},        {"Cambria", 7},           {"Caladea", 7},
  };
  for (const auto& alias : kAliases)
    if (SameText(family, alias.Name)) return alias.Index;
  return kFallback;
}

// The character's column in the advance tables, or -1.
int Column(char32_t code) {
  int base = 0;
  for (const TCharRange& range : kAdvanceRanges) {
    if (code >= range.First && code <= range.Last) return base + static_cast<int>(code - range.First);
    base += static_cast<int>(range.Last - range.First + 1);
  }
  return -1;
}

bool FullWidth(char32_t code) {
  return (code >= 0x2E80 && code <= 0x9FFF) || (code >= 0xAC00 && code <= 0xD7AF) ||
         (code >= 0xF900 && code <= 0xFAFF) || (code >= 0xFF01 && code <= 0xFF60);
}

// Accents, Hebrew points and Arabic vowels take no room of their own.
bool CombiningMark(char32_t code) {
  return (code >= 0x0300 && code <= 0x036F) || (code >= 0x0591 && code <= 0x05C7) || (code >= 0x064B && code <= 0x065F);
}

double Advance(size_t family, bool bold, char32_t code) {
  if (FullWidth(code)) return 1.0;
  const int column = Column(code);
  if (column < 0) return kAverageLetter;
  for (size_t f : {family, kFallback}) {
    const short advance = kFamilyAdvances[f].Advances[bold ? 1 : 0][column];
    if (advance >= 0) return advance / 1000.0;
  }
  return kAverageLetter;
}

}  // namespace

double TextWidthEm(std::string_view family, bool bold, std::string_view utf8) {
  const size_t index = FamilyIndex(family);
  double width = 0;
  for (size_t at = 0; at < utf8.size();) {
    char32_t code = 0;
    const size_t length = Utf8SequenceLength(utf8, at, code);
    if (length == 0) {
      width += kAverageLetter;
      at += 1;
      continue;
    }
    if (!CombiningMark(code)) width += Advance(index, bold, code);
    at += length;
  }
  return width;
}

double LineHeightEm(std::string_view family, bool bold, std::string_view utf8) {
  const size_t index = FamilyIndex(family);
  auto height = [bold](size_t f) {
    return (bold ? kFamilyAdvances[f].BoldLineHeight : kFamilyAdvances[f].LineHeight) / 1000.0;
  };
  for (size_t at = 0; at < utf8.size();) {
    char32_t code = 0;
    const size_t length = std::max<size_t>(Utf8SequenceLength(utf8, at, code), 1);
    at += length;
    const int column = Column(code);
    if (column >= 0 && kFamilyAdvances[index].Advances[bold ? 1 : 0][column] < 0)
      return std::max(height(index), height(kFallback));
  }
  return height(index);
}

}  // namespace tarvik
