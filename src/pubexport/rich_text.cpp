// RTF for text objects: the font and colour tables, the escaping and the
// paragraph groups.
#include "pubexport/rich_text.h"

#include <algorithm>
#include <cmath>

#include "platform/codepage.h"
#include "platform/rounding.h"
#include "platform/system_colors.h"
#include "pubexport/pub_numbers.h"

namespace tarvik {

int32_t PubColor(TColor color) {
  if (color == clNone) return 16777215;
  return ResolveSystemColor(color) & 0xFFFFFF;
}

std::string SingleLine(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text)
    if (c != '\r' && c != '\n') out += c;
  return out;
}

namespace {

// Simple case folding of one UTF-16 unit: enough for the Latin, Greek and
// Cyrillic letters that font names use.
char16_t FoldUnit(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
  if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
      (c >= 0x410 && c <= 0x42F))
    return static_cast<char16_t>(c + 32);
  if (c >= 0x400 && c <= 0x40F) return static_cast<char16_t>(c + 80);
  return c;
}

std::u16string FoldCase(const std::string& text) {
  std::u16string units = Utf8ToUtf16(text);
  for (auto& u : units) u = FoldUnit(u);
  return units;
}

std::string RunFont(const TPPTXTextRun& run) { return run.FontName.empty() ? "Arial" : run.FontName; }
int32_t RunColor(const TPPTXTextRun& run) { return run.HasColor ? PubColor(run.Color) : 0; }

size_t FontIndex(const std::vector<std::u16string>& folded, const std::string& font) {
  std::u16string key = FoldCase(font);
  for (size_t i = 0; i < folded.size(); ++i)
    if (folded[i] == key) return i;
  return 0;
}

size_t ColorIndex(const std::vector<int32_t>& colors, int32_t color) {
  for (size_t i = 0; i < colors.size(); ++i)
    if (colors[i] == color) return i + 1;
  return 1;
}

// A font name goes into the table as the run gives it, except what would
// break the document: braces and backslashes are escaped, line breaks dropped.
std::string FontTableName(const std::string& name) {
  std::string out;
  for (char c : SingleLine(name)) {
    if (c == '\\' || c == '{' || c == '}') out += '\\';
    out += c;
  }
  return out;
}

// Twips (1/20 point) from EMU (12700 to the point) or from points.
int64_t EmuToTwips(int64_t emu) { return emu / 635; }
int64_t PtToTwips(double pt) { return RoundHalfEven(pt * 20); }

// The left margin and first-line indent the deck gives (or half an inch a
// level where it gives none), spacing before and after as the slide draws
// it (none above the first paragraph or below the last), and line spacing:
// exact (a negative \sl) or a multiple of single (\slmult1, 240 a line).
void AppendParagraphSpacing(std::string& rtf, const TPPTXShape& shape, size_t index) {
  const TPPTXParagraph& paragraph = shape.Paragraphs[index];
  const int64_t left = paragraph.HasIndents ? EmuToTwips(paragraph.MarginLeftEmu)
                                            : static_cast<int64_t>(paragraph.Level) * 720;
  if (left > 0) rtf += "\\li" + std::to_string(left);
  const int64_t first = paragraph.HasIndents ? EmuToTwips(paragraph.IndentEmu) : 0;
  rtf += "\\fi" + std::to_string(first) + "\\ri" + std::to_string(std::max<int64_t>(EmuToTwips(paragraph.MarginRightEmu), 0));
  rtf += "\\sb" + std::to_string(PtToTwips(shape.SpaceBeforeDrawnPt(index)));
  rtf += "\\sa" + std::to_string(PtToTwips(shape.SpaceAfterDrawnPt(index)));
  if (paragraph.LineSpacingPt > 0)
    rtf += "\\sl-" + std::to_string(PtToTwips(paragraph.LineSpacingPt)) + "\\slmult0 ";
  else if (std::fabs(paragraph.LineSpacingPct - 100) > 0.01)
    rtf += "\\sl" + std::to_string(RoundHalfEven(paragraph.LineSpacingPct * 2.4)) + "\\slmult1 ";
  else
    rtf += "\\sl0 ";
}

// The deck's stops of a paragraph that tabs, from the text's left edge as
// RTF measures them too; paragraphs without a tab keep their RTF as it was.
void AppendTabStops(std::string& rtf, const TPPTXParagraph& paragraph) {
  if (!HasTab(paragraph)) return;
  for (const TTabStop& stop : paragraph.TabStops) {
    if (stop.Align == kTabRight) rtf += "\\tqr";
    if (stop.Align == kTabCenter) rtf += "\\tqc";
    if (stop.Align == kTabDecimal) rtf += "\\tqdec";
    rtf += "\\tx" + std::to_string(EmuToTwips(stop.PositionEmu)) + ' ';
  }
}

// Control words for what plain runs never carry, so their RTF stays as it was.
// Only the usual control words are set again on every run, so a run with
// any of these keeps them inside a group of its own, lest they run on into
// the next run's text.
void AppendRunExtras(std::string& rtf, const TPPTXTextRun& run, const std::vector<int32_t>& colors) {
  if (run.Underline && (run.UnderlineStyle != kUnderlineSingle || run.UnderlineHeavy)) {
    static const char* const kThin[] = {"", "\\uldb", "\\uld", "\\uldash", "\\ulwave"};
    static const char* const kHeavy[] = {"\\ulth", "\\uldb", "\\ulthd", "\\ulthdash", "\\ulhwave"};
    const int32_t style = std::clamp(run.UnderlineStyle, kUnderlineSingle, kUnderlineWavy);
    rtf += (run.UnderlineHeavy ? kHeavy : kThin)[style];
  }
  if (run.Underline && run.HasUnderlineColor)
    rtf += "\\ulc" + std::to_string(ColorIndex(colors, PubColor(run.UnderlineColor)));
  if (run.Strikethrough) rtf += run.DoubleStrikethrough ? "\\striked1" : "\\strike";
  if (run.BaselinePct > 0) rtf += "\\super";
  if (run.BaselinePct < 0) rtf += "\\sub";
  if (run.Caps == kCapsAll) rtf += "\\caps";
  if (run.Caps == kCapsSmall) rtf += "\\scaps";
  if (std::fabs(run.LetterSpacingPt) > 0.001) rtf += "\\expndtw" + std::to_string(PtToTwips(run.LetterSpacingPt));
}

}  // namespace

void CollectRtfTables(const TPPTXShape& shape, std::vector<std::string>& fonts,
                      std::vector<int32_t>& colors) {
  fonts.clear();
  colors.clear();
  std::vector<std::u16string> folded;
  for (const auto& paragraph : shape.Paragraphs) {
    for (const auto& run : paragraph.Runs) {
      std::string font = RunFont(run);
      std::u16string key = FoldCase(font);
      bool known = false;
      for (const auto& f : folded)
        if (f == key) known = true;
      if (!known) {
        folded.push_back(key);
        fonts.push_back(font);
      }
      auto add = [&](int32_t color) {
        if (std::find(colors.begin(), colors.end(), color) == colors.end()) colors.push_back(color);
      };
      add(RunColor(run));
      if (run.HasHighlight) add(PubColor(run.HighlightColor));
      if (run.Underline && run.HasUnderlineColor) add(PubColor(run.UnderlineColor));
    }
  }
  if (fonts.empty()) fonts.push_back("Arial");
  if (colors.empty()) colors.push_back(0);
}

std::string RtfEscape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  // Some readers (unrtf among them) take everything up to the next blank,
  // backslash or brace after "\uN?" as its fallback and drop it; an empty
  // group after the escape keeps a following letter ("na\u239?{}ve").
  bool afterEscape = false;
  for (char16_t unit : Utf8ToUtf16(text)) {
    switch (unit) {
      case u'\n': out += "\\line "; afterEscape = false; break;
      case u'\r': break;
      case u'\\': out += "\\\\"; afterEscape = false; break;
      case u'{': out += "\\{"; afterEscape = false; break;
      case u'}': out += "\\}"; afterEscape = false; break;
      default:
        if (unit < 128) {
          if (afterEscape && unit != u' ') out += "{}";
          out += static_cast<char>(unit);
          afterEscape = false;
        } else {
          int value = unit > 32767 ? static_cast<int>(unit) - 65536 : static_cast<int>(unit);
          out += "\\u";
          out += std::to_string(value);
          out += '?';
          afterEscape = true;
        }
    }
  }
  return out;
}

std::string RtfAlignCode(int32_t alignment) {
  switch (alignment) {
    case kAlignCenter: return "\\qc";
    case kAlignRight: return "\\qr";
    case kAlignJustify: return "\\qj";
    default: return "\\ql";
  }
}

std::string BuildTextRtf(const TPPTXShape& shape) {
  std::vector<std::string> fonts;
  std::vector<int32_t> colors;
  CollectRtfTables(shape, fonts, colors);
  std::vector<std::u16string> folded;
  for (const auto& f : fonts) folded.push_back(FoldCase(f));

  std::string rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl";
  for (size_t i = 0; i < fonts.size(); ++i)
    rtf += "{\\f" + std::to_string(i) + "\\fnil " + FontTableName(fonts[i]) + ";}";
  rtf += "}{\\colortbl;";
  for (int32_t v : colors)
    rtf += "\\red" + std::to_string(v & 255) + "\\green" + std::to_string((v >> 8) & 255) + "\\blue" +
           std::to_string((v >> 16) & 255) + ";";
  rtf += "}";
  // The pitch of the stops past the deck's own is the document's in RTF:
  // the first paragraph that tabs gives it.
  for (const auto& paragraph : shape.Paragraphs) {
    if (!HasTab(paragraph)) continue;
    rtf += "\\deftab" + std::to_string(EmuToTwips(paragraph.DefaultTabEmu));
    break;
  }

  for (size_t p = 0; p < shape.Paragraphs.size(); ++p) {
    const auto& paragraph = shape.Paragraphs[p];
    rtf += "{\\pard" + RtfAlignCode(paragraph.Alignment);
    if (paragraph.RightToLeft) rtf += "\\rtlpar";
    AppendParagraphSpacing(rtf, shape, p);
    AppendTabStops(rtf, paragraph);
    if (paragraph.Bullet) {
      rtf += RtfEscape(paragraph.BulletChar);
      rtf += ' ';
    }
    for (const auto& run : paragraph.Runs) {
      int32_t halfPoints = RoundHalfEven(run.FontSizePt * 2);
      if (halfPoints < 1) halfPoints = 1;
      std::string extras;
      AppendRunExtras(extras, run, colors);
      const bool grouped = !extras.empty() || run.HasHighlight;
      if (grouped) rtf += '{';
      rtf += "\\f";
      rtf += std::to_string(FontIndex(folded, RunFont(run)));
      rtf += "\\fs";
      rtf += std::to_string(halfPoints);
      rtf += "\\cf";
      rtf += std::to_string(ColorIndex(colors, RunColor(run)));
      if (run.HasHighlight) rtf += "\\highlight" + std::to_string(ColorIndex(colors, PubColor(run.HighlightColor)));
      rtf += run.Bold ? "\\b" : "\\b0";
      rtf += run.Italic ? "\\i" : "\\i0";
      rtf += run.Underline ? "\\ul" : "\\ul0";
      rtf += extras;
      rtf += ' ';
      rtf += RtfEscape(run.Text);
      if (grouped) rtf += '}';
    }
    rtf += "}";
    if (p + 1 < shape.Paragraphs.size()) rtf += "\\par ";
  }
  rtf += "}";
  return rtf;
}

}  // namespace tarvik
