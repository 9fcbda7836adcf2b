// Text shapes as XHTML in a foreignObject: one block per paragraph, one span
// per run, every value taken from the model as the reader resolved it.
#include "htmlexport/svg_text.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>

#include "htmlexport/svg_paint.h"
#include "htmlexport/text_format.h"
#include "platform/ascii.h"
#include "platform/system_colors.h"
#include "pptx/font_metrics.h"

namespace tarvik {

namespace {

// A colour with its own alpha, so that what lies over it stays solid.
void AppendRgba(std::string& out, TColor color, double opacity) {
  const uint32_t rgb = static_cast<uint32_t>(color);
  out += "rgba(";
  for (int shift = 0; shift <= 16; shift += 8) {
    out += std::to_string((rgb >> shift) & 0xFF);
    out += ',';
  }
  AppendNum(out, opacity);
  out += ')';
}

// Office's blur radius is about twice the deviation, as is CSS's. A glow
// is two shadows on the letters themselves, a tight one and one as wide as
// it reaches, so that it holds its colour near the letters and fades out.
void AppendTextShadow(std::string& out, const TShadow& shadow, double dx, double dy, const TGlow& glow) {
  out += "text-shadow:";
  auto one = [&](double x, double y, double blur, TColor color, double opacity) {
    if (out.back() != ':') out += ',';
    AppendNum(out, x);
    out += "px ";
    AppendNum(out, y);
    out += "px ";
    AppendNum(out, blur);
    out += "px ";
    AppendRgba(out, color, opacity);
  };
  if (shadow.Used) one(dx, dy, shadow.BlurPx, shadow.Color, shadow.Opacity);
  if (glow.Used) {
    one(0, 0, glow.RadiusPx / 2, glow.Color, glow.Opacity);
    one(0, 0, glow.RadiusPx, glow.Color, glow.Opacity);
  }
}

constexpr std::string_view kXhtmlNamespace = "http://www.w3.org/1999/xhtml";
// Single line spacing as a multiple of the font size: about what Office's
// and the free metric-compatible fonts' ascent plus descent come to.
constexpr double kSingleLineHeight = 1.2;
constexpr double kBaselineDropShare = 0.1;
// Office draws super- and subscript at this share of the run's size.
constexpr double kScriptSizeShare = 0.58;

const char* AlignmentName(int32_t alignment) {
  switch (alignment) {
    case kAlignCenter: return "center";
    case kAlignRight: return "right";
    case kAlignJustify: return "justify";
    default: return "left";
  }
}

double SizeOrDefault(double sizePt) { return sizePt > 0 ? sizePt : 18.0; }

void AppendPx(std::string& out, std::string_view name, double px) {
  out += name;
  out += ':';
  AppendNum(out, px);
  out += "px;";
}

void AppendPt(std::string& out, std::string_view name, double pt) {
  out += name;
  out += ':';
  AppendNum(out, pt);
  out += "pt;";
}

// Where a tab goes: the tab-size that takes it to its stop, and the width of
// the text after it up to the next tab or break (and up to its first
// decimal point), by which the player lines that text up on a right,
// centred or decimal stop when it places the tab again.
struct TTabPlacement {
  double SizePx = 0;
  double WidthPx = 0, BeforePointPx = 0;
};

// The placements of a block's tabs, in the order its runs hold them; a tab
// past the end of the list keeps the box's own stops every inch.
struct TTabSizes {
  std::span<const TTabPlacement> Tabs;
  bool Aligned = false;  // whether the player needs the widths
  size_t Next = 0;
};

// CR LF, then a lone CR, then a lone LF: each is one line break.
void AppendTextWithBreaks(std::string& out, const std::string& raw, TTabSizes* tabs = nullptr) {
  std::string text = HtmlEscape(raw);
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += "<br/>";
    } else if (c == '\n') {
      out += "<br/>";
    } else if (c == '\t') {
      // A tab moves to the next stop, which white space that collapses
      // would lose: kept alone, it reaches the paragraph's margin from a
      // hanging first line, then the next multiple of its size.
      if (tabs && tabs->Next < tabs->Tabs.size()) {
        const TTabPlacement& tab = tabs->Tabs[tabs->Next++];
        out += "<span data-tab=\"";
        if (tabs->Aligned) {
          AppendNum(out, tab.WidthPx);
          out += ' ';
          AppendNum(out, tab.BeforePointPx);
        }
        out += "\" style=\"white-space:pre;";
        AppendPx(out, "tab-size", tab.SizePx);
        out += "\">\t</span>";
      } else {
        out += "<span style=\"white-space:pre\">\t</span>";
      }
    } else {
      out += c;
    }
  }
}

// The paragraph's tallest run, or for an empty paragraph its paragraph mark.
double ParagraphSizePt(const TPPTXParagraph& paragraph) {
  if (paragraph.Runs.empty()) return SizeOrDefault(paragraph.EndFontSizePt);
  double size = 0;
  for (const TPPTXTextRun& run : paragraph.Runs) size = std::max(size, SizeOrDefault(run.FontSizePt));
  return size;
}

// The run whose size the paragraph's block is set in (none for a paragraph
// without runs, set in the size of its mark). Every line of a block is at
// least as tall as the block's own font makes it, where the slide's editors
// size each line by its own tallest run: the smallest run keeps a line of
// small text after a line of large text as tight as they draw it.
// The block takes that run's family too: a strut in another family sits on
// the same baseline with other ascent and descent, and the line box that
// holds both is taller than either (a fifteenth for Courier under Arial).
const TPPTXTextRun* StrutRun(const TPPTXParagraph& paragraph) {
  const TPPTXTextRun* strut = nullptr;
  for (const TPPTXTextRun& run : paragraph.Runs)
    if (!strut || SizeOrDefault(run.FontSizePt) < SizeOrDefault(strut->FontSizePt)) strut = &run;
  return strut;
}

void AppendBullet(std::string& out, const TPPTXParagraph& paragraph, double indentPx) {
  const TPPTXTextRun* first = paragraph.Runs.empty() ? nullptr : &paragraph.Runs.front();
  // A bullet larger than its text does not make the line taller.
  out += "<span style=\"line-height:0;";
  // A hanging bullet sits in the indent, and the text starts at the margin.
  if (indentPx < 0) {
    out += "display:inline-block;text-indent:0;";
    AppendPx(out, "min-width", -indentPx);
  }
  const std::string& font = !paragraph.BulletFont.empty() ? paragraph.BulletFont
                            : first                       ? first->FontName
                                                          : std::string();
  if (!font.empty()) {
    out += "font-family:";
    AppendHtmlEscaped(out, CssFontFamily(font));
    out += ';';
  }
  const double size = (first ? SizeOrDefault(first->FontSizePt) : SizeOrDefault(paragraph.EndFontSizePt)) *
                      paragraph.BulletSizePct / 100.0;
  AppendPt(out, "font-size", size);
  if (paragraph.HasBulletColor || (first && first->HasColor)) {
    out += "color:";
    out += ColorToHex(paragraph.HasBulletColor ? paragraph.BulletColor : first->Color);
    out += ';';
  }
  out += "\">";
  AppendHtmlEscaped(out, paragraph.BulletChar);
  // Without a hanging indent a space keeps the bullet off the text. In the
  // indent the space takes no room (it ends the bullet's own line), but it
  // keeps "1." and the first word apart when the text is copied or searched.
  out += ' ';
  out += "</span>";
}

// How far the browser's lines sit above where the slide's own editors put
// them. The browser shares a line's extra height (or its lack) out evenly
// above and below the text, where they put all of it above; and their
// baseline lies a tenth of the size lower within a single-spaced line.
double BaselineShiftPt(const TPPTXParagraph& paragraph, double sizePt) {
  const double lineHeightPt = paragraph.LineSpacingPt > 0 ? paragraph.LineSpacingPt
                                                          : kSingleLineHeight * sizePt * paragraph.LineSpacingPct / 100.0;
  return (lineHeightPt - kSingleLineHeight * sizePt) / 2 + kBaselineDropShare * sizePt;
}

// Which of a paragraph's blocks this is: lines after a break are set as
// blocks of their own, so that each takes its height and baseline from its
// own text; only the opening block has the bullet, the first-line indent and
// the space before, only the closing one the space after.
struct TBlockPart {
  bool Opening = true, Closing = true;
  double SpaceBeforePt = 0, SpaceAfterPt = 0;  // drawn outside this block
};

// How a box sets its lines: wrapped or not, across or down the box, and
// whether its paragraphs stand in the box itself (not in a centred block).
struct TTextFlow {
  bool Wrap = true, Vertical = false, InBox = true;
  double LineWidthPx = 0;  // inside the box's insets
};

// The side an unwrapped line too long for its box grows to, as the slide's
// editors grow it: a centred line both ways, a right-aligned one leftwards.
const char* GrowthSide(const TPPTXParagraph& paragraph) {
  switch (paragraph.Alignment) {
    case kAlignCenter: return "center";
    case kAlignRight: return "flex-end";
    case kAlignLeft: return "flex-start";
    default: return paragraph.RightToLeft ? "flex-end" : "flex-start";
  }
}

// ---- tabs -------------------------------------------------------------------------

// The browser takes a tab to the next multiple of its tab-size from the
// paragraph's content edge, which is its left margin. A size that is the
// stop's distance from that edge lands the tab exactly on the stop whenever
// the text before it falls short of the stop, so the estimate of that text
// below only has to pick the right stop, never to place it.

double PxFromPt(double pt) { return pt * 96.0 / 72.0; }

// How wide a run's text is, by the reader's tables of the free fonts.
double TextWidthPx(const TPPTXTextRun& run, std::string_view text) {
  if (text.empty()) return 0;
  const bool script = std::fabs(run.BaselinePct) > 0.001;
  const double sizePx = PxFromPt(SizeOrDefault(run.FontSizePt) * (script ? kScriptSizeShare : 1.0));
  size_t letters = 0;
  for (unsigned char c : text) letters += (c & 0xC0) != 0x80;
  const double em = run.Caps == kCapsAll ? TextWidthEm(run.FontName, run.Bold, UpperAscii(text))
                                         : TextWidthEm(run.FontName, run.Bold, text);
  return em * sizePx + PxFromPt(run.LetterSpacingPt) * static_cast<double>(letters);
}

// A piece of a block's text between the places where its layout changes:
// a word, a stretch of spaces, a tab or a line break.
struct TTextPiece {
  enum EKind { Word, Space, Tab, Break } Kind = Word;
  double WidthPx = 0;
  double BeforePointPx = -1;  // a word's width up to its first '.', -1 without one
  bool Glued = false;  // a word that goes on the one before it, in another run
};

std::vector<TTextPiece> SplitPieces(std::span<const TPPTXTextRun> runs) {
  std::vector<TTextPiece> pieces;
  for (const TPPTXTextRun& run : runs) {
    const std::string_view text = run.Text;
    size_t at = 0;
    while (at < text.size()) {
      const char c = text[at];
      TTextPiece piece;
      size_t end = at + 1;
      if (c == '\t') {
        piece.Kind = TTextPiece::Tab;
      } else if (c == '\n' || c == '\r') {
        piece.Kind = TTextPiece::Break;
        if (c == '\r' && end < text.size() && text[end] == '\n') ++end;
      } else {
        const bool space = c == ' ';
        while (end < text.size() && text[end] != '\t' && text[end] != '\n' && text[end] != '\r' &&
               (text[end] == ' ') == space)
          ++end;
        piece.Kind = space ? TTextPiece::Space : TTextPiece::Word;
        piece.WidthPx = TextWidthPx(run, text.substr(at, end - at));
        if (!space) {
          const size_t point = text.substr(at, end - at).find('.');
          if (point != std::string_view::npos) piece.BeforePointPx = TextWidthPx(run, text.substr(at, point));
          piece.Glued = at == 0 && !pieces.empty() && pieces.back().Kind == TTextPiece::Word;
        }
      }
      pieces.push_back(piece);
      at = end;
    }
  }
  return pieces;
}

// The stop a tab at x reaches (px from the text's left edge) and how text
// lines up on it: the margin from a hanging first line, the deck's next stop,
// or past the last of them the next multiple of the default pitch.
std::pair<double, int32_t> NextTabStop(const TPPTXParagraph& paragraph, double marginPx, double x) {
  constexpr double kPastPx = 0.5;
  double stop = std::numeric_limits<double>::infinity();
  int32_t align = kTabLeft;
  if (x + kPastPx < marginPx) stop = marginPx;
  for (const TTabStop& tab : paragraph.TabStops) {
    const double at = EmuToPxExact(tab.PositionEmu);
    if (at <= x + kPastPx) continue;
    if (at < stop) {
      stop = at;
      align = tab.Align;
    }
    break;
  }
  if (std::isinf(stop)) {
    const double pitch = EmuToPxExact(paragraph.DefaultTabEmu);
    stop = (std::floor((x + kPastPx) / pitch) + 1) * pitch;
  }
  return {stop, align};
}

// The tab-size of each tab in the pieces. startPx is where the block's first
// piece starts, lineEndPx where its lines wrap (0: they never do); both, like
// the stops, from the text's left edge.
std::vector<TTabPlacement> PlaceTabs(const TPPTXParagraph& paragraph, std::span<const TTextPiece> pieces,
                                     double marginPx, double startPx, double lineEndPx) {
  std::vector<TTabPlacement> tabs;
  double x = startPx, lineStart = startPx;
  for (size_t i = 0; i < pieces.size(); ++i) {
    const TTextPiece& piece = pieces[i];
    switch (piece.Kind) {
      case TTextPiece::Break: x = lineStart = marginPx; break;
      case TTextPiece::Space: x += piece.WidthPx; break;
      case TTextPiece::Word: {
        double word = piece.WidthPx;
        for (size_t j = i + 1; !piece.Glued && j < pieces.size() && pieces[j].Glued; ++j) word += pieces[j].WidthPx;
        if (!piece.Glued && lineEndPx > 0 && x + word > lineEndPx && x > lineStart + 0.5) x = lineStart = marginPx;
        x += piece.WidthPx;
        break;
      }
      case TTextPiece::Tab: {
        const auto [stop, align] = NextTabStop(paragraph, marginPx, x);
        // Text lined up on the stop by its end, middle or decimal point: the
        // stretch up to the next tab or break.
        TTabPlacement tab;
        double beforePoint = -1;
        for (size_t j = i + 1;
             j < pieces.size() && pieces[j].Kind != TTextPiece::Tab && pieces[j].Kind != TTextPiece::Break; ++j) {
          if (beforePoint < 0 && pieces[j].BeforePointPx >= 0) beforePoint = tab.WidthPx + pieces[j].BeforePointPx;
          tab.WidthPx += pieces[j].WidthPx;
        }
        tab.BeforePointPx = beforePoint >= 0 ? beforePoint : tab.WidthPx;
        double end = align == kTabRight    ? stop - tab.WidthPx
                     : align == kTabCenter ? stop - tab.WidthPx / 2
                     : align == kTabDecimal ? stop - tab.BeforePointPx
                                            : stop;
        // Too long to line up: it follows at a little gap, as a space would.
        if (align != kTabLeft) end = std::max(end, x + PxFromPt(SizeOrDefault(paragraph.EndFontSizePt)) / 4);
        // Into the margin from a hanging line, any size does: the browser's
        // next multiple of it is the content edge itself.
        tab.SizePx = end - marginPx > 0.5 ? end - marginPx : EmuToPxExact(paragraph.DefaultTabEmu);
        tabs.push_back(tab);
        x = std::max(end, marginPx);
        break;
      }
    }
  }
  return tabs;
}

// Where the first piece of a paragraph's opening block starts: at the first
// line's indent, after a bullet that stands in line with the text, at the
// margin past a hanging bullet narrower than its indent.
double FirstLineStartPx(const TPPTXParagraph& paragraph, double marginPx, double indentPx) {
  double x = marginPx + indentPx;
  if (paragraph.Bullet && !paragraph.BulletChar.empty()) {
    const TPPTXTextRun* first = paragraph.Runs.empty() ? nullptr : &paragraph.Runs.front();
    TPPTXTextRun bullet;
    bullet.FontName = !paragraph.BulletFont.empty() ? paragraph.BulletFont : first ? first->FontName : std::string();
    bullet.FontSizePt = (first ? SizeOrDefault(first->FontSizePt) : SizeOrDefault(paragraph.EndFontSizePt)) *
                        paragraph.BulletSizePct / 100.0;
    const double width = TextWidthPx(bullet, paragraph.BulletChar + ' ');
    x = indentPx < 0 ? std::max(marginPx, x + width) : x + width;
  }
  return x;
}

void AppendRun(std::string& out, const TPPTXTextRun& run, TTabSizes* tabs);

// Vertical text lays its lines out across the box, so a paragraph's extent
// and spacing are given along the text's own axes there: a width would fix
// how many lines fit side by side, and lines beyond it would spill to one side.
void AppendParagraphBlock(std::string& out, const TPPTXParagraph& paragraph, TTextFlow flow, TBlockPart part) {
  const bool wrap = flow.Wrap, vertical = flow.Vertical;
  const double marginPx = paragraph.HasIndents ? paragraph.MarginLeftEmu / 9525.0 : std::max(paragraph.Level, 0) * 18.0;
  const double indentPx = paragraph.HasIndents && part.Opening ? paragraph.IndentEmu / 9525.0 : 0;
  // A right-to-left paragraph keeps its margin and bullet on the right. The
  // attribute, not the CSS property, which EPUB style sheets may not use.
  out += paragraph.RightToLeft ? "<div dir=\"rtl\"" : "<div";
  // The player's fitting counts a paragraph's lines after a break with it,
  // empty or not.
  if (!part.Opening) out += " data-after-break=\"\"";
  std::vector<TTabPlacement> placements;
  TTabSizes tabs;
  if (!vertical && HasTab(paragraph)) {
    const double startPx = part.Opening ? FirstLineStartPx(paragraph, marginPx, indentPx) : marginPx;
    const double lineEndPx =
        wrap && flow.LineWidthPx > 0 ? flow.LineWidthPx - std::max(paragraph.MarginRightEmu / 9525.0, 0.0) : 0;
    placements = PlaceTabs(paragraph, SplitPieces(paragraph.Runs), marginPx, startPx, lineEndPx);
    tabs.Tabs = placements;
    // The player places the tabs again where the browser set the text: the
    // margin, the default pitch and the deck's stops, px from the text's
    // left edge. A right-to-left line keeps the estimate.
    if (!paragraph.RightToLeft) {
      out += " data-tabs=\"";
      AppendNum(out, marginPx);
      out += ' ';
      AppendNum(out, EmuToPxExact(paragraph.DefaultTabEmu));
      for (const TTabStop& stop : paragraph.TabStops) {
        out += ' ';
        AppendNum(out, EmuToPxExact(stop.PositionEmu));
        out += ':';
        out += "lcrd"[std::clamp(stop.Align, kTabLeft, kTabDecimal)];
        tabs.Aligned = tabs.Aligned || stop.Align != kTabLeft;
      }
      out += '"';
    }
  }
  out += " style=\"";
  if (vertical) out += "box-sizing:border-box;text-align:";
  else if (!wrap && flow.InBox) {
    // As wide as its longest line but never narrower than the box, so that
    // the box's alignment of the block decides where the overflow goes.
    out += "width:max-content;min-width:100%;align-self:";
    out += GrowthSide(paragraph);
    out += ";box-sizing:border-box;text-align:";
  } else out += "width:100%;box-sizing:border-box;text-align:";
  out += AlignmentName(paragraph.Alignment);
  out += vertical ? ";padding-inline-start:" : paragraph.RightToLeft ? ";padding-right:" : ";padding-left:";
  AppendNum(out, marginPx);
  out += "px;";
  if (paragraph.MarginRightEmu > 0)
    AppendPx(out, vertical ? "padding-inline-end" : paragraph.RightToLeft ? "padding-left" : "padding-right",
             paragraph.MarginRightEmu / 9525.0);
  out += "line-height:";
  if (paragraph.LineSpacingPt > 0) {
    AppendNum(out, paragraph.LineSpacingPt);
    out += "pt";
  } else {
    AppendNum(out, kSingleLineHeight * paragraph.LineSpacingPct / 100.0);
  }
  out += ';';
  if (std::fabs(indentPx) > 0.001) AppendPx(out, "text-indent", indentPx);
  const double sizePt = ParagraphSizePt(paragraph);
  const TPPTXTextRun* strut = StrutRun(paragraph);
  AppendPt(out, "font-size", SizeOrDefault(strut ? strut->FontSizePt : paragraph.EndFontSizePt));
  if (strut) {
    out += "font-family:";
    AppendHtmlEscaped(out, CssFontFamily(strut->FontName));
    out += ';';
  }
  if (part.SpaceBeforePt > 0) AppendPt(out, vertical ? "margin-block-start" : "margin-top", part.SpaceBeforePt);
  if (part.SpaceAfterPt > 0) AppendPt(out, vertical ? "margin-block-end" : "margin-bottom", part.SpaceAfterPt);
  if (!wrap) out += "white-space:pre;";
  // The shift moves lines down the page, which is along a vertical line.
  const double shiftPt = vertical ? 0 : BaselineShiftPt(paragraph, sizePt);
  if (std::fabs(shiftPt) > 0.01) {
    out += "position:relative;";
    AppendPt(out, "top", shiftPt);
  }
  out += "\">";
  if (part.Opening && paragraph.Bullet && !paragraph.BulletChar.empty()) AppendBullet(out, paragraph, indentPx);
  if (paragraph.Runs.empty()) out += "&nbsp;";
  for (const auto& run : paragraph.Runs) AppendRun(out, run, &tabs);
  // A break that ends the paragraph starts an empty line, which a block
  // ending in <br/> would not show.
  if (part.Closing && !paragraph.Runs.empty()) {
    const std::string& last = paragraph.Runs.back().Text;
    if (!last.empty() && (last.back() == '\n' || last.back() == '\r')) out += "<br/>";
  }
  out += "</div>";
}

// A title line and a smaller line under it after a break: one paragraph in
// the deck, where each line sits by its own size. Vertical text keeps one
// block, its lines standing side by side.
void AppendParagraph(std::string& out, const TPPTXParagraph& paragraph, double beforePt, double afterPt,
                     TTextFlow flow) {
  std::vector<size_t> starts = {0};
  const auto& runs = paragraph.Runs;
  for (size_t i = 0; i + 1 < runs.size() && !flow.Vertical; ++i)
    if (runs[i].Text == "\n") starts.push_back(i + 1);
  if (starts.size() == 1) {
    AppendParagraphBlock(out, paragraph, flow, {true, true, beforePt, afterPt});
    return;
  }
  TPPTXParagraph lines = paragraph;
  for (size_t k = 0; k < starts.size(); ++k) {
    const size_t end = k + 1 < starts.size() ? starts[k + 1] : runs.size();
    const bool opening = k == 0, closing = k + 1 == starts.size();
    lines.Runs.assign(runs.begin() + static_cast<ptrdiff_t>(starts[k]), runs.begin() + static_cast<ptrdiff_t>(end));
    AppendParagraphBlock(out, lines, flow, {opening, closing, opening ? beforePt : 0, closing ? afterPt : 0});
  }
}

const char* GenericFamily(std::string_view typeface) {
  static const char* const kSerif[] = {"Times", "Cambria", "Georgia", "Garamond", "Book Antiqua", "Palatino",
                                       "Century", "Constantia", "Baskerville", "Bookman", "Liberation Serif"};
  static const char* const kMono[] = {"Courier", "Consolas", "Lucida Console", "Menlo", "Monaco",
                                      "Liberation Mono"};
  auto startsWith = [&](std::string_view prefix) {
    return typeface.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), typeface.begin(), [](char a, char b) {
             return (a | 0x20) == (b | 0x20);
           });
  };
  for (const char* serif : kSerif)
    if (startsWith(serif)) return "serif";
  for (const char* mono : kMono)
    if (startsWith(mono)) return "monospace";
  return "sans-serif";
}

// Shrunk text keeps the scale the deck stored, so that a page without
// script shows it as its author did; a player's script undoes it and fits
// the text again with the fonts at hand, which may be wider or narrower.
void AppendAutoFitScale(std::string& out, const TPPTXShape& shape) {
  if (shape.AutoFit != kAutoFitShrink || shape.Paragraphs.empty()) return;
  out += " data-autofit=\"";
  AppendNum(out, shape.FontScalePct / 100.0);
  out += ' ';
  AppendNum(out, shape.LineSpacingReductionPct / 100.0);
  out += '"';
}

}  // namespace

std::string CssFontFamily(std::string_view typeface) {
  static const struct {
    const char* Office;
    const char* Free;
  } kMetricTwins[] = {
      {"Calibri", "Carlito"},
      {"Calibri Light", "Carlito"},
      {"Cambria", "Caladea"},
      {"Arial", "Liberation Sans"},
      {"Helvetica", "Liberation Sans"},
      {"Arial Narrow", "Liberation Sans Narrow"},
      {"Times New Roman", "Liberation Serif"},
      {"Times", "Liberation Serif"},
      {"Courier New", "Liberation Mono"},
      {"Courier", "Liberation Mono"},
  };
  std::string name(typeface);
  // A quote or a backslash would end the CSS string early; no real font has one.
  std::erase_if(name, [](char c) { return c == '\'' || c == '\\' || c == '"' || c == ';'; });
  if (name.empty()) return "Arial,sans-serif";
  std::string family = "'" + name + "'";
  for (const auto& twin : kMetricTwins) {
    if (name.size() == std::string_view(twin.Office).size() &&
        std::equal(name.begin(), name.end(), twin.Office, [](char a, char b) { return (a | 0x20) == (b | 0x20); })) {
      family += ",'";
      family += twin.Free;
      family += "'";
      break;
    }
  }
  family += ',';
  family += GenericFamily(name);
  // Letters none of those has (Arabic in Calibri or Arial) are drawn in
  // DejaVu Sans, as fontconfig and LibreOffice draw them, rather than in
  // whichever narrower face the browser would pick on its own.
  family += ",'DejaVu Sans'";
  return family;
}

void AppendRunSpan(std::string& out, const TPPTXTextRun& run) { AppendRun(out, run, nullptr); }

namespace {

// The browser draws a span's lines in one style and colour, so the
// underline's decide where a run has both it and a strikethrough.
void AppendDecorationStyle(std::string& out, const TPPTXTextRun& run) {
  static const char* const kStyles[] = {"solid", "double", "dotted", "dashed", "wavy"};
  const int32_t style = run.Underline ? run.UnderlineStyle : (run.DoubleStrikethrough ? kUnderlineDouble : kUnderlineSingle);
  if (style > kUnderlineSingle && style <= kUnderlineWavy) {
    out += ";text-decoration-style:";
    out += kStyles[style];
  }
  if (!run.Underline) return;
  // The slide editors draw it through the descenders.
  out += ";text-decoration-skip-ink:none";
  // Twice the common fonts' own underline, as the heavy kinds draw it.
  if (run.UnderlineHeavy) out += ";text-decoration-thickness:0.13em";
  if (run.HasUnderlineColor) {
    out += ";text-decoration-color:";
    out += ColorToHex(run.UnderlineColor);
  }
}

void AppendRun(std::string& out, const TPPTXTextRun& run, TTabSizes* tabs) {
  const double size = SizeOrDefault(run.FontSizePt);
  const bool script = std::fabs(run.BaselinePct) > 0.001;
  out += "<span style=\"font-family:";
  AppendHtmlEscaped(out, CssFontFamily(run.FontName));
  out += ";font-size:";
  AppendNum(out, script ? size * kScriptSizeShare : size);
  out += "pt;font-weight:";
  out += run.Bold ? "bold" : "normal";
  out += ";font-style:";
  out += run.Italic ? "italic" : "normal";
  out += ";text-decoration:";
  out += run.Underline && run.Strikethrough ? "underline line-through"
         : run.Underline                    ? "underline"
         : run.Strikethrough                ? "line-through"
                                            : "none";
  AppendDecorationStyle(out, run);
  out += ";color:";
  if (run.Opacity <= 0) {
    out += "transparent";
  } else if (run.Opacity < 1) {
    // The colour's own alpha, so that an outline over it stays solid.
    AppendRgba(out, ResolveSystemColor(run.HasColor ? run.Color : 0), run.Opacity);
  } else {
    out += run.HasColor ? ColorToHex(run.Color) : "#000000";
  }
  if (!run.Kerning) out += ";font-kerning:none";
  if (run.HasHighlight) {
    out += ";background-color:";
    out += ColorToHex(run.HighlightColor);
  }
  if (run.HasOutline && run.OutlineWidthPt > 0) {
    out += ";-webkit-text-stroke:";
    AppendNum(out, run.OutlineWidthPt * (script ? kScriptSizeShare : 1.0));
    out += "pt ";
    out += ColorToHex(run.OutlineColor);
  }
  if (run.Shadow.Used || run.Glow.Used) {
    out += ';';
    AppendTextShadow(out, run.Shadow, run.Shadow.DxPx, run.Shadow.DyPx, run.Glow);
  }
  if (script) {
    out += ";vertical-align:";
    AppendNum(out, size * run.BaselinePct / 100.0);
    out += "pt";
  }
  if (run.Caps == kCapsAll) out += ";text-transform:uppercase";
  if (run.Caps == kCapsSmall) out += ";font-variant:small-caps";
  if (std::fabs(run.LetterSpacingPt) > 0.001) {
    out += ";letter-spacing:";
    AppendNum(out, run.LetterSpacingPt);
    out += "pt";
  }
  out += "\">";
  AppendTextWithBreaks(out, run.Text, tabs);
  out += "</span>";
}

}  // namespace

void AppendTextShape(std::string& out, const TPPTXShape& shape) {
  // A shape the deck gives no size (a layout's leftover without a
  // transform) has no box to set text in; spilling it one letter per line
  // from the slide's corner is not what any editor shows.
  if (shape.WEmu == 0 && shape.HEmu == 0) return;
  // Unrounded: a word that fits its line by a fraction of a pixel in the
  // deck must fit here too.
  const double boxLeft = EmuToPxExact(shape.XEmu), boxTop = EmuToPxExact(shape.YEmu);
  const double boxWidth = std::max(EmuToPxExact(shape.WEmu), 1.0);
  const double boxHeight = std::max(EmuToPxExact(shape.HEmu), 1.0);
  // Text sits in its geometry's text rectangle (an arrow's shaft, a
  // callout's body), mirrored with the shape; the whole box where there is none.
  double l = boxLeft, t = boxTop, w = boxWidth, h = boxHeight;
  const TShapeGeometry& geometry = shape.Geometry;
  if (geometry.TextRight - geometry.TextLeft >= 1 &&
      geometry.TextBottom - geometry.TextTop >= 1) {
    l = boxLeft + (shape.FlipH ? boxWidth - geometry.TextRight : geometry.TextLeft);
    t = boxTop + (shape.FlipV ? boxHeight - geometry.TextBottom : geometry.TextTop);
    w = geometry.TextRight - geometry.TextLeft;
    h = geometry.TextBottom - geometry.TextTop;
  }
  const char* boxAlignment = shape.Paragraphs.empty() ? "left" : AlignmentName(shape.Paragraphs.front().Alignment);
  const char* placement = shape.VerticalAnchor == kAnchorMiddle   ? "center"
                          : shape.VerticalAnchor == kAnchorBottom ? "flex-end"
                                                                  : "flex-start";

  out += "<foreignObject";
  for (auto [name, value] : {std::pair{"x", l}, {"y", t}, {"width", w}, {"height", h}}) {
    out += ' ';
    out += name;
    out += "=\"";
    AppendNum(out, value);
    out += '"';
  }
  // The box turns with its shape, and the text body may turn further.
  double deg = shape.RotationDeg + shape.TextRotationDeg;
  if (std::fabs(deg) > 0.001) {
    out += " transform=\"rotate(";
    AppendNum(out, deg);
    out += ' ';
    AppendNum(out, boxLeft + boxWidth / 2);
    out += ' ';
    AppendNum(out, boxTop + boxHeight / 2);
    out += ")\"";
  }
  // Text that runs past its box stays visible, as in the deck's own editor.
  out += " overflow=\"visible\"><div xmlns=\"";
  out += kXhtmlNamespace;
  out += '"';
  AppendAutoFitScale(out, shape);
  out += " style=\"width:100%;height:100%;box-sizing:border-box;padding:";
  const int64_t margins[] = {shape.MarginTopEmu, shape.MarginRightEmu, shape.MarginBottomEmu, shape.MarginLeftEmu};
  for (size_t i = 0; i < 4; ++i) {
    if (i > 0) out += ' ';
    AppendNum(out, std::max(EmuToPxExact(margins[i]), 0.0));
    out += "px";
  }
  out += ";display:flex;flex-direction:column;justify-content:";
  out += placement;
  // Insets taller than the box leave its text a line of no height, which
  // the anchor still places: a centred one half the excess above the top
  // inset's edge, a bottom one all of it, as the slide editors draw it.
  const double spare = h - std::max(EmuToPxExact(shape.MarginTopEmu), 0.0) -
                       std::max(EmuToPxExact(shape.MarginBottomEmu), 0.0);
  if (shape.VerticalTextDeg == 0 && spare < 0 && shape.VerticalAnchor != kAnchorTop) {
    out += ";position:relative;top:";
    AppendNum(out, shape.VerticalAnchor == kAnchorMiddle ? spare / 2 : spare);
    out += "px";
  }
  if (shape.VerticalTextDeg != 0) {
    out += shape.VerticalLinesFromLeft ? ";writing-mode:vertical-lr" : ";writing-mode:vertical-rl";
    // The browser stands East Asian letters upright in vertical lines by
    // itself; turned text turns them with the rest.
    if (shape.VerticalGlyphs == kGlyphsTurned) out += ";text-orientation:sideways";
    if (shape.VerticalGlyphs == kGlyphsStacked) out += ";text-orientation:upright";
    if (shape.VerticalTextDeg == 270) out += ";transform:rotate(180deg)";
  }
  out += ";overflow:visible;white-space:pre-wrap;overflow-wrap:anywhere;word-break:normal;"
         "font-family:Arial,sans-serif;color:#000;line-height:1.2;tab-size:96px;text-align:";
  out += boxAlignment;
  out += ";user-select:text;-webkit-user-select:text;";
  // A shape that paints nothing lets its text cast its shadow and glow. The
  // text turns with its box, so an offset fixed to the slide turns back.
  if ((shape.Shadow.Used || shape.Glow.Used) && !shape.HasFill && !shape.HasLine && shape.Fill.Kind == kFillNone) {
    double dx = 0, dy = 0;
    if (shape.Shadow.Used) ShadowOffset(shape, shape.Shadow.TurnsWithShape ? 0 : -shape.RotationDeg, dx, dy);
    AppendTextShadow(out, shape.Shadow, dx, dy, shape.Glow);
    out += ';';
  }
  out += "\">";
  // A centred block is as wide as its longest line. A box that grows to
  // unwrapped text grows both ways, so text set wider than the deck's own
  // fonts spills out on both sides.
  const bool growsBothWays = shape.AutoFit == kAutoFitShape && !shape.WrapText;
  const bool block = shape.AnchorCenter || growsBothWays;
  // Columns fill in turn down the box's whole height, which the anchor then
  // leaves where it is.
  const bool columns = shape.Columns > 1 && shape.VerticalTextDeg == 0;
  if (columns) {
    out += "<div data-columns=\"\" style=\"height:100%;column-fill:auto;column-count:";
    out += std::to_string(shape.Columns);
    out += ';';
    AppendPx(out, "column-gap", EmuToPxExact(shape.ColumnGapEmu));
    out += "\">";
  }
  if (block) out += growsBothWays ? "<div style=\"align-self:center;width:max-content;\">"
                                  : "<div style=\"align-self:center;max-width:100%;\">";
  const double inside = w - std::max(EmuToPxExact(shape.MarginLeftEmu), 0.0) -
                       std::max(EmuToPxExact(shape.MarginRightEmu), 0.0);
  const double lineWidth =
      columns ? (inside - EmuToPxExact(shape.ColumnGapEmu) * (shape.Columns - 1)) / shape.Columns : inside;
  const TTextFlow flow{shape.WrapText, shape.VerticalTextDeg != 0, !block, lineWidth};
  for (size_t i = 0; i < shape.Paragraphs.size(); ++i)
    AppendParagraph(out, shape.Paragraphs[i], shape.SpaceBeforeDrawnPt(i), shape.SpaceAfterDrawnPt(i), flow);
  if (block) out += "</div>";
  if (columns) out += "</div>";
  out += "</div></foreignObject>";
}

}  // namespace tarvik
