#include "pptx/model.h"

#include <algorithm>
#include <cmath>

namespace tarvik {

const char* ShapeKindName(TPPTXShapeKind kind) {
  switch (kind) {
    case skText: return "skText";
    case skImage: return "skImage";
    case skVideo: return "skVideo";
    case skAudio: return "skAudio";
    case skRect: return "skRect";
    case skOval: return "skOval";
    case skRoundRect: return "skRoundRect";
    case skLine: return "skLine";
    case skOther: return "skOther";
  }
  return "skOther";
}

int32_t EmuToPx(int64_t emu) {
  const double px = std::round(static_cast<double>(emu) / 9525.0);
  return static_cast<int32_t>(std::clamp(px, -static_cast<double>(kMaxPx), static_cast<double>(kMaxPx)));
}

double EmuToPxExact(int64_t emu) {
  return std::clamp(static_cast<double>(emu) / 9525.0, -static_cast<double>(kMaxPx), static_cast<double>(kMaxPx));
}

void TPPTXShape::SetMarginsEmu(int64_t left, int64_t top, int64_t right, int64_t bottom) {
  MarginLeftEmu = left;
  MarginTopEmu = top;
  MarginRightEmu = right;
  MarginBottomEmu = bottom;
  MarginLeftPx = EmuToPx(left);
  MarginTopPx = EmuToPx(top);
  MarginRightPx = EmuToPx(right);
  MarginBottomPx = EmuToPx(bottom);
}

bool HasTab(const TPPTXParagraph& paragraph) {
  for (const TPPTXTextRun& run : paragraph.Runs)
    if (run.Text.find('\t') != std::string::npos) return true;
  return false;
}

double TPPTXShape::SpaceBeforeDrawnPt(size_t index) const {
  if (index >= Paragraphs.size() || (index == 0 && !OuterParagraphSpacing)) return 0;
  return std::max(Paragraphs[index].SpaceBeforePt, 0.0);
}

double TPPTXShape::SpaceAfterDrawnPt(size_t index) const {
  if (index >= Paragraphs.size() || (index + 1 == Paragraphs.size() && !OuterParagraphSpacing)) return 0;
  return std::max(Paragraphs[index].SpaceAfterPt, 0.0);
}

std::string TPPTXShape::PlainText() const {
  std::string text;
  for (const auto& paragraph : Paragraphs) {
    for (const auto& run : paragraph.Runs) text += run.Text;
    text += "\r\n";
  }
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
  return text;
}

}  // namespace tarvik
