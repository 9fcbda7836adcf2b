#include "viewer/viewer_style.h"

#include <cstdlib>

#include "platform/system_colors.h"

namespace tarvik {

namespace {

// Bytes above the space count as something to show, UTF-8 sequences included.
bool ShowsSomething(const std::string& text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) > ' ') return true;
  return false;
}

}  // namespace

TRunStyle FirstRunStyle(const TPPTXShape& shape) {
  TRunStyle style;
  for (const TPPTXParagraph& paragraph : shape.Paragraphs) {
    for (const TPPTXTextRun& run : paragraph.Runs) {
      if (!ShowsSomething(run.Text)) continue;
      if (!run.FontName.empty()) style.FontName = run.FontName;
      style.FontSizePt = run.FontSizePt;
      style.Bold = run.Bold;
      style.Italic = run.Italic;
      style.Underline = run.Underline;
      if (run.HasColor) style.Color = run.Color;
      return style;
    }
  }
  return style;
}

int32_t ColorLuminance(TColor color) {
  auto rgb = static_cast<uint32_t>(ResolveSystemColor(color));
  int32_t r = rgb & 0xFF, g = (rgb >> 8) & 0xFF, b = (rgb >> 16) & 0xFF;
  return (r * 299 + g * 587 + b * 114) / 1000;
}

TColor ContrastTextColor(TColor background, TColor textColor) {
  int32_t backLuminance = ColorLuminance(background);
  if (std::abs(backLuminance - ColorLuminance(textColor)) >= 60) return textColor;
  return backLuminance < 128 ? 0xFFFFFF : 0;
}

}  // namespace tarvik
