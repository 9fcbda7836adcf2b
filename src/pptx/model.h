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

// The furthest a pixel coordinate or size goes: far beyond any slide (a
// slide side is at most 5376 px), and small enough that sums of a few stay
// within 32 bits. Only a damaged or hostile deck holds EMU beyond it.
inline constexpr int32_t kMaxPx = 10000000;

// EMU to pixels at 96 dpi, rounded to nearest (9525 is odd, so no ties
// arise), clamped to -kMaxPx .. kMaxPx: the one place where the file's
// 64-bit EMU become the 32-bit pixels of every output.
int32_t EmuToPx(int64_t emu);
// The same without rounding, for where a fraction of a pixel decides how
// text wraps: a box's text area and its insets.
double EmuToPxExact(int64_t emu);

// Paragraph alignment and vertical anchor codes, as the model stores them.
inline constexpr int32_t kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2, kAlignJustify = 3;
inline constexpr int32_t kAnchorTop = 0, kAnchorMiddle = 1, kAnchorBottom = 2;
// TPPTXTextRun::Caps.
inline constexpr int32_t kCapsNone = 0, kCapsAll = 1, kCapsSmall = 2;
// TPPTXTextRun::UnderlineStyle: the kinds of line the editor offers; the
// dash-dot kinds draw as dashes.
inline constexpr int32_t kUnderlineSingle = 0, kUnderlineDouble = 1, kUnderlineDotted = 2, kUnderlineDashed = 3,
                         kUnderlineWavy = 4;
// TPPTXShape::AutoFit: none, shrink text on overflow (normAutofit), resize the
// shape to its text (spAutoFit, whose box the deck already stores grown).
inline constexpr int32_t kAutoFitNone = 0, kAutoFitShrink = 1, kAutoFitShape = 2;
// TPPTXShape::VerticalGlyphs: how the letters of vertical text stand. Turned
// with their line (vert, vert270); East Asian ones upright and the rest turned
// (eaVert, mongolianVert); all upright, one below the other (wordArtVert).
inline constexpr int32_t kGlyphsTurned = 0, kGlyphsEastAsianUpright = 1, kGlyphsStacked = 2;

// The shadow a shape or its letters cast: its colour and opacity, its blur
// radius and its offset in pixels, the offset as the deck gives it, before
// the shape turns (TurnsWithShape) or regardless of the turn.
struct TShadow {
  bool Used = false;
  TColor Color = 0;
  double Opacity = 1;
  double BlurPx = 0, DxPx = 0, DyPx = 0;
  bool TurnsWithShape = true;
};

// A soft halo of colour around a shape's outline or its letters, reaching
// RadiusPx past their edges.
struct TGlow {
  bool Used = false;
  TColor Color = 0;
  double Opacity = 1;
  double RadiusPx = 0;
};

// Every field holds the resolved value: the run's own properties, or what
// its paragraph, its shape, the layout, the master and the presentation
// give it, nearest first; the format's default where none does.
struct TPPTXTextRun {
  std::string Text;
  std::string FontName;  // theme references (+mn-lt ...) already resolved
  double FontSizePt = 18.0;  // after the shape's autofit scale
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  int32_t UnderlineStyle = kUnderlineSingle;
  bool UnderlineHeavy = false;
  // The underline's own colour (uFill or uLn), where it does not follow the letters'.
  bool HasUnderlineColor = false;
  TColor UnderlineColor = 0;
  bool Strikethrough = false;
  bool DoubleStrikethrough = false;
  TColor Color = 0;
  bool HasColor = false;
  double BaselinePct = 0;  // raised (superscript, > 0) or lowered by this share of the size
  int32_t Caps = kCapsNone;
  double LetterSpacingPt = 0;
  // Pairs of letters are kerned: the chain's kern sets the smallest size
  // that is, and most decks set it at 12 points.
  bool Kerning = true;
  // How opaque the letters' fill is: its colour's alpha, 0 where the deck
  // fills them with nothing and only an outline shows.
  double Opacity = 1;
  // A line along the letters' edges, as WordArt draws them.
  bool HasOutline = false;
  TColor OutlineColor = 0;
  double OutlineWidthPt = 0;
  TShadow Shadow;  // the letters' own, from the nearest effect list of the chain
  TGlow Glow;  // from the same list
  // A marker's colour behind the letters, as the editor's text highlighter paints it.
  bool HasHighlight = false;
  TColor HighlightColor = 0;
};

// Where text after a tab goes: it starts at the stop (left), ends there
// (right), is centred on it, or has its decimal point on it.
inline constexpr int32_t kTabLeft = 0, kTabCenter = 1, kTabRight = 2, kTabDecimal = 3;

struct TTabStop {
  int64_t PositionEmu = 0;  // from the text's left edge, inside the box's inset
  int32_t Align = kTabLeft;
};

inline constexpr int64_t kDefaultTabEmu = 914400;  // an inch

struct TPPTXParagraph {
  std::vector<TPPTXTextRun> Runs;
  int32_t Alignment = kAlignLeft;
  bool RightToLeft = false;
  int32_t Level = 0;
  // Bullet is set only where a bullet shows: never on a paragraph without
  // text. BulletChar holds the character, or the number's text ("3.", "iv)")
  // of an automatically numbered paragraph.
  bool Bullet = false;
  std::string BulletChar;
  std::string BulletFont;  // "" to use the first run's font
  TColor BulletColor = 0;
  bool HasBulletColor = false;  // otherwise the first run's colour
  double BulletSizePct = 100;  // of the first run's size
  std::string AutoNumScheme;  // "arabicPeriod" ...; "" when not numbered
  int32_t AutoNumStartAt = 1;
  // The left margin of every line and the first line's indent from it
  // (negative: a hanging bullet). Without HasIndents the deck sets neither
  // and consumers indent by Level.
  bool HasIndents = false;
  int64_t MarginLeftEmu = 0;
  int64_t IndentEmu = 0;
  int64_t MarginRightEmu = 0;
  // Line spacing: LineSpacingPt when above 0 (exact), else LineSpacingPct of single.
  double LineSpacingPct = 100;
  double LineSpacingPt = 0;
  double SpaceBeforePt = 0;
  double SpaceAfterPt = 0;
  // The deck's own stops, by position, then stops every DefaultTabEmu past
  // the last of them.
  std::vector<TTabStop> TabStops;
  int64_t DefaultTabEmu = kDefaultTabEmu;
  // The size of the paragraph mark: the height of a paragraph without runs.
  double EndFontSizePt = 18.0;
};

// Whether any run of the paragraph holds a tab.
bool HasTab(const TPPTXParagraph& paragraph);

// How an area is painted. TPPTXShape's HasFill and FillColor keep the one
// colour that stands for it, for consumers that paint only solid colours.
inline constexpr int32_t kFillNone = 0, kFillSolid = 1, kFillGradient = 2, kFillPicture = 3;

struct TGradientStop {
  double PositionPct = 0;
  TColor Color = 0;
  double Opacity = 1;
};

// A picture recoloured in two tones: its dark parts become Dark, its light
// parts Light, and the greys between them a blend.
struct TDuotone {
  bool Used = false;
  TColor Dark = 0, Light = 0;
};

struct TPPTXFill {
  int32_t Kind = kFillNone;
  TColor Color = clNone;  // the solid colour, or a gradient's first stop
  double Opacity = 1;
  std::vector<TGradientStop> Stops;  // a gradient's, by position
  double AngleDeg = 0;  // a linear gradient's direction, clockwise from left to right
  bool Radial = false;  // a path gradient, from the centre out
  std::string PictureFile;
  bool Tile = false;  // the picture repeats at its own size instead of stretching
  // A tile's size: the picture's pixels at its own resolution, scaled as the
  // fill says. Zero when the picture's header could not be read; such a
  // tiled picture is stretched over the box.
  int64_t TileWidthEmu = 0, TileHeightEmu = 0;
  // The tile grid is anchored where a tile aligned to this point of the box
  // lies (0, 0.5 or 1 of its width and height: left or top, centre, right or
  // bottom), then moved by the offsets.
  double TileAnchorX = 0, TileAnchorY = 0;
  int64_t TileOffsetXEmu = 0, TileOffsetYEmu = 0;
  // Every other tile across (X) or down (Y) is mirrored.
  bool TileFlipX = false, TileFlipY = false;
  TDuotone Duotone;
  // A pattern fill is solid in its foreground colour (Color, Opacity) for
  // consumers that paint one colour; those that draw patterns find its preset
  // here ("pct5", "dkHorz" ...) with its background colour.
  std::string Pattern;
  TColor PatternBackground = 0xFFFFFF;
  double PatternBackgroundOpacity = 1;
};

// An arrowhead: its type ("triangle", "arrow", "stealth", "diamond", "oval")
// and its width and length, each 0 small, 1 medium, 2 large.
struct TLineEnd {
  std::string Type;
  int32_t Width = 1;
  int32_t Length = 1;
};

// A path's fill="lighten" ... "darkenLess": the shape's fill made lighter or
// darker for faces that give a preset its 3-D look (can, cube, bevel).
enum class TPathShade { Normal, Lighten, LightenLess, Darken, DarkenLess };

struct TShapePath {      // one path of a geometry
  std::string D;         // SVG path data, in pixels relative to the box's top-left corner, unrotated, unflipped
  bool Fill = true;      // false for a path the definition marks fill="none"
  bool Stroke = true;    // false for stroke="0"
  TPathShade Shade = TPathShade::Normal;
};

// A shape's outline, from its preset or custom geometry, at its pixel size.
struct TShapeGeometry {
  std::vector<TShapePath> Paths;
  // The text rectangle (the definition's rect), in pixels relative to the
  // box; the whole box when it is empty (TextRight not beyond TextLeft).
  double TextLeft = 0, TextTop = 0, TextRight = 0, TextBottom = 0;
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
  // The insets as the deck gives them; the pixel fields above are their
  // rounding. Set both through SetMarginsEmu.
  int64_t MarginLeftEmu = 0, MarginRightEmu = 0, MarginTopEmu = 0, MarginBottomEmu = 0;
  int32_t VerticalAnchor = kAnchorTop;
  bool AnchorCenter = false;  // the text block is centred across the box
  bool WrapText = true;
  int32_t VerticalTextDeg = 0;  // 90 or 270: the lines run top to bottom or bottom to top
  int32_t VerticalGlyphs = kGlyphsTurned;
  bool VerticalLinesFromLeft = false;  // the next vertical line stands to the right (mongolianVert, wordArtVert)
  double TextRotationDeg = 0;
  // The text fills this many columns side by side in turn, ColumnGapEmu apart.
  int32_t Columns = 1;
  int64_t ColumnGapEmu = 0;
  // The space before the first paragraph and after the last are drawn; most
  // boxes leave them out, so that the anchor places the text itself.
  bool OuterParagraphSpacing = false;
  int32_t AutoFit = kAutoFitNone;
  double FontScalePct = 100;  // normAutofit's scale, already applied to the runs
  double LineSpacingReductionPct = 0;  // and its reduction, applied to the paragraphs
  int32_t CropLeft = 0, CropTop = 0, CropRight = 0, CropBottom = 0;
  bool FlipH = false, FlipV = false;
  std::string MediaFile;
  // MediaFile as browsers draw it, when it is a metafile or a TIFF: its
  // converted picture, or "" with UndrawablePicture when none could be made.
  // The .pub import keeps MediaFile, which the host draws itself.
  std::string DrawingFile;
  bool UndrawablePicture = false;
  std::string PosterImage;
  double PictureOpacity = 1;  // the picture's own, apart from its box's fill
  TDuotone PictureDuotone;
  bool HasFill = false;
  TColor FillColor = clNone;
  bool HasLine = false;
  TColor LineColor = 0;
  double LineWidthPt = 0;
  TPPTXFill Fill;
  double LineOpacity = 1;
  std::string LineDash;  // "dash", "sysDot" ...; "" or "solid" for a solid line
  TLineEnd LineHead, LineTail;
  TShadow Shadow;
  TGlow Glow;
  // Drawn from the slide's layout or master beneath the slide's own shapes.
  bool Inherited = false;
  // One of the shapes a table, a chart or a diagram is drawn as, or an embedded
  // object's preview taken from the slide's VML drawing: not an element of
  // the shape tree. A preview the frame holds as a picture element of its
  // own is not marked.
  bool FromFrame = false;
  // The outline of its preset or custom geometry at WidthPx x HeightPx; no
  // paths when it has neither (consumers then draw its GeometryKind).
  TShapeGeometry Geometry;
  // The preset geometry of an sp (skRect without one); skOther for every other
  // element. Lets text boxes keep the outline and fill of their shape.
  TPPTXShapeKind GeometryKind = skOther;

  void SetMarginsEmu(int64_t left, int64_t top, int64_t right, int64_t bottom);
  int32_t LeftPx() const { return EmuToPx(XEmu); }
  int32_t TopPx() const { return EmuToPx(YEmu); }
  int32_t WidthPx() const { return EmuToPx(WEmu); }
  int32_t HeightPx() const { return EmuToPx(HEmu); }
  // Paragraph texts joined by CR LF, trailing CR and LF removed.
  std::string PlainText() const;
  // The space drawn before and after paragraph `index`: none outside the
  // first and last unless OuterParagraphSpacing, never negative.
  double SpaceBeforeDrawnPt(size_t index) const;
  double SpaceAfterDrawnPt(size_t index) const;
  // The picture file a browser draws: DrawingFile when there is one.
  const std::string& DrawnFile() const { return DrawingFile.empty() ? MediaFile : DrawingFile; }
};

class TPPTXSlide {
 public:
  std::vector<std::unique_ptr<TPPTXShape>> Shapes;
  bool HasBackgroundColor = false;
  TColor BackgroundColor = 0xFFFFFF;
  TPPTXFill Background;  // the slide's, else its layout's, else its master's
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

  int32_t SlideWidthPx() const { return EmuToPx(SlideWidthEmu); }
  int32_t SlideHeightPx() const { return EmuToPx(SlideHeightEmu); }
};

}  // namespace tarvik
