// The presentation model: what the reader builds once and every consumer
// (viewer, importer, exporters) only reads. Geometry is kept in EMU as read
// from the package; the Px accessors give the one pixel rounding all outputs share.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tarvik {

// 0x00BBGGRR, red in the low byte. Negative values name system colours.
using TColor = int32_t;
inline constexpr TColor clNone = 0x1FFFFFFF;

enum class TPPTXShapeKind : uint8_t {
  skText,
  skImage,
  skVideo,
  skAudio,
  skRect,
  skOval,
  skRoundRect,
  skLine,
  skOther,
};
using enum TPPTXShapeKind;

// "skText", "skImage", ...
const char* ShapeKindName(TPPTXShapeKind kind);

// EMU to pixels at 96 dpi, rounded to nearest (9525 is odd, so no ties arise).
int64_t EmuToPx(int64_t emu);

struct TPPTXTextRun {
  std::string Text;
  std::string FontName;
  double FontSizePt = 18.0;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  TColor Color = 0;
  bool HasColor = false;
};

struct TPPTXParagraph {
  std::vector<TPPTXTextRun> Runs;
  int32_t Alignment = 0;  // 0 left, 1 centred, 2 right, 3 justified
  int32_t Level = 0;
  bool Bullet = false;
  std::string BulletChar;
};

struct TGroupXform {
  int64_t OffX = 0, OffY = 0;
  int64_t ExtCx = 0, ExtCy = 0;
  int64_t ChOffX = 0, ChOffY = 0;
  int64_t ChExtCx = 0, ChExtCy = 0;
  double RotDeg = 0;
};

class TPPTXShape {
 public:
  TPPTXShapeKind Kind = skOther;
  std::string Name;
  int64_t XEmu = 0, YEmu = 0;
  int64_t WEmu = 0, HEmu = 0;
  double RotationDeg = 0;
  bool IsTitle = false;
  int32_t ThemeFontRole = 0;  // 1 title (major font), 2 other sp (minor font), 0 otherwise
  int32_t GroupDepth = 0;
  std::string GroupPath;
  std::vector<TPPTXParagraph> Paragraphs;
  int32_t MarginLeftPx = 0, MarginRightPx = 0, MarginTopPx = 0, MarginBottomPx = 0;
  int32_t VerticalAnchor = 0;  // 0 top, 1 middle, 2 bottom
  double TextRotationDeg = 0;
  int32_t CropLeft = 0, CropTop = 0, CropRight = 0, CropBottom = 0;
  bool FlipH = false, FlipV = false;
  std::string MediaFile;
  std::string PosterImage;
  bool HasFill = false;
  TColor FillColor = clNone;
  bool HasLine = false;
  TColor LineColor = 0;
  double LineWidthPt = 0;
  // The preset geometry of an sp (skRect without one); skOther for every other
  // element. Lets text boxes keep the outline and fill of their shape.
  TPPTXShapeKind GeometryKind = skOther;

  int32_t LeftPx() const { return static_cast<int32_t>(EmuToPx(XEmu)); }
  int32_t TopPx() const { return static_cast<int32_t>(EmuToPx(YEmu)); }
  int32_t WidthPx() const { return static_cast<int32_t>(EmuToPx(WEmu)); }
  int32_t HeightPx() const { return static_cast<int32_t>(EmuToPx(HEmu)); }
  // Paragraph texts joined by CR LF, trailing CR and LF removed.
  std::string PlainText() const;
};

class TPPTXSlide {
 public:
  std::vector<std::unique_ptr<TPPTXShape>> Shapes;
  bool HasBackgroundColor = false;
  TColor BackgroundColor = 0xFFFFFF;
  std::string SourceFileName;
};

class TPPTXPresentation {
 public:
  int64_t SlideWidthEmu = 0, SlideHeightEmu = 0;
  std::vector<std::unique_ptr<TPPTXSlide>> Slides;
  std::string SourceFile;
  std::string ExtractFolder;
  std::string MediaFolder;
  std::string ThemeMajorFont, ThemeMinorFont;

  int32_t SlideWidthPx() const { return static_cast<int32_t>(EmuToPx(SlideWidthEmu)); }
  int32_t SlideHeightPx() const { return static_cast<int32_t>(EmuToPx(SlideHeightEmu)); }
};

}  // namespace tarvik
