#include "pptx/model.h"

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

int64_t EmuToPx(int64_t emu) {
  return static_cast<int64_t>(std::llround(static_cast<double>(emu) / 9525.0));
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
