// Text body parsing: body, paragraph and run properties resolved through the
// inheritance chain, and the paragraphs and runs themselves.
#include "pptx/text_body.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <optional>

#include "platform/codepage.h"
#include "pptx/date_field.h"
#include "pptx/fill.h"
#include "pptx/xml_helpers.h"

namespace tarvik {

namespace {

constexpr int kLevels = 9;
constexpr double kDefaultSizePt = 18.0;
// The format's insets when nothing sets them: 0.1 inch across, 0.05 inch down.
constexpr int64_t kDefaultInsetXEmu = 91440, kDefaultInsetYEmu = 45720;

bool IsTrue(std::string_view value) { return value == "1" || SameText(value, "true") || SameText(value, "on"); }

// A percentage as the format writes it: thousandths of a percent ("62500"),
// or in strict documents a number with a sign ("62.5%"); def when neither.
double PercentOf(pugi::xml_node element, std::string_view name, double def) {
  std::string text(TrimControl(GetAttrText(element, name)));
  if (text.empty()) return def;
  if (text.back() == '%') {
    char* end = nullptr;
    double value = std::strtod(text.c_str(), &end);
    return (end && *end == '%' && std::isfinite(value)) ? value : def;
  }
  int64_t thousandths = 0;
  return TryParseInt64(text, thousandths) ? static_cast<double>(thousandths) / 1000.0 : def;
}

// The first node of the chain that has the attribute; empty when none does.
pugi::xml_attribute FirstAttr(const std::vector<pugi::xml_node>& chain, std::string_view name) {
  for (pugi::xml_node node : chain)
    if (pugi::xml_attribute attr = FindAttr(node, name)) return attr;
  return {};
}

// The first child, in the first node of the chain that has one, whose local
// name is among names.
pugi::xml_node FirstChildOf(const std::vector<pugi::xml_node>& chain, std::initializer_list<std::string_view> names) {
  for (pugi::xml_node node : chain)
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling())
      for (std::string_view name : names)
        if (IsElementNamed(child, name)) return child;
  return {};
}

std::string LevelElementName(int32_t level) {
  return "lvl" + std::to_string(std::clamp(level, 0, kLevels - 1) + 1) + "pPr";
}

// ---- body properties ----------------------------------------------------------

void ReadBodyProperties(const std::vector<pugi::xml_node>& chain, TPPTXShape& shape) {
  auto inset = [&](std::string_view name, int64_t def) {
    pugi::xml_attribute attr = FirstAttr(chain, name);
    int64_t emu = def;
    if (attr && !TryParseInt64(attr.value(), emu)) emu = def;
    return emu;
  };
  shape.SetMarginsEmu(inset("lIns", kDefaultInsetXEmu), inset("tIns", kDefaultInsetYEmu),
                      inset("rIns", kDefaultInsetXEmu), inset("bIns", kDefaultInsetYEmu));

  std::string anchor = LowerAscii(FirstAttr(chain, "anchor").value());
  shape.VerticalAnchor = anchor == "ctr" ? kAnchorMiddle : (anchor == "b" ? kAnchorBottom : kAnchorTop);
  shape.AnchorCenter = IsTrue(FirstAttr(chain, "anchorCtr").value());
  shape.WrapText = !SameText(FirstAttr(chain, "wrap").value(), "none");
  SetVerticalText(FirstAttr(chain, "vert").value(), shape);
  int32_t rot = 0;
  if (!TryParseInt32(FirstAttr(chain, "rot").value(), rot)) rot = 0;
  shape.TextRotationDeg = rot / 60000.0;
  // The format allows 16 columns; a gap is never negative.
  int32_t columns = 1;
  if (TryParseInt32(FirstAttr(chain, "numCol").value(), columns)) shape.Columns = std::clamp(columns, 1, 16);
  if (!TryParseInt64(FirstAttr(chain, "spcCol").value(), shape.ColumnGapEmu) || shape.ColumnGapEmu < 0)
    shape.ColumnGapEmu = 0;
  shape.OuterParagraphSpacing = IsTrue(FirstAttr(chain, "spcFirstLastPara").value());

  pugi::xml_node fit = FirstChildOf(chain, {"normAutofit", "spAutoFit", "noAutofit"});
  if (IsElementNamed(fit, "normAutofit")) {
    shape.AutoFit = kAutoFitShrink;
    shape.FontScalePct = std::clamp(PercentOf(fit, "fontScale", 100), 1.0, 100.0);
    shape.LineSpacingReductionPct = std::clamp(PercentOf(fit, "lnSpcReduction", 0), 0.0, 99.0);
  } else if (IsElementNamed(fit, "spAutoFit")) {
    shape.AutoFit = kAutoFitShape;
  }
}

// ---- run properties -------------------------------------------------------------

// The rPr-like elements a run takes its properties from, with the shape's fontRef.
struct TRunChain {
  std::vector<pugi::xml_node> Nodes;
  pugi::xml_node FontRef;
  size_t FontRefAt = 0;  // consulted before Nodes[FontRefAt]
};

// Latin, east Asian or complex script: which of a run's three typefaces its
// text needs. East Asian wins over complex, complex over latin.
std::string_view ScriptOf(const std::string& text) {
  bool complex = false;
  for (char16_t c : Utf8ToUtf16(text)) {
    // 0xD840-0xD87F lead the surrogate pairs of the CJK ideographs beyond the BMP.
    if ((c >= 0x1100 && c <= 0x11FF) || (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) ||
        (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0xD840 && c <= 0xD87F))
      return "ea";
    if ((c >= 0x0590 && c <= 0x08FF) || (c >= 0x0900 && c <= 0x0DFF) || (c >= 0x0E00 && c <= 0x0EFF) ||
        (c >= 0xFB1D && c <= 0xFDFF) || (c >= 0xFE70 && c <= 0xFEFF))
      complex = true;
  }
  return complex ? "cs" : "latin";
}

// The script of a run's text as a theme's per-script fonts name it: that of
// its first letter of a script with a font of its own, kana and hangul
// before the ideographs they come with, which are Chinese or Japanese by
// the run's language. "" for latin text.
std::string_view ScriptTagOf(const std::string& text, std::string_view lang) {
  static const struct {
    char16_t First, Last;
    const char* Tag;
  } kScripts[] = {
      {0x0590, 0x05FF, "Hebr"}, {0xFB1D, 0xFB4F, "Hebr"}, {0x0600, 0x06FF, "Arab"}, {0x0750, 0x077F, "Arab"},
      {0x08A0, 0x08FF, "Arab"}, {0xFB50, 0xFDFF, "Arab"}, {0xFE70, 0xFEFF, "Arab"}, {0x0700, 0x074F, "Syrc"},
      {0x0780, 0x07BF, "Thaa"}, {0x0900, 0x097F, "Deva"}, {0x0980, 0x09FF, "Beng"}, {0x0A00, 0x0A7F, "Guru"},
      {0x0A80, 0x0AFF, "Gujr"}, {0x0B00, 0x0B7F, "Orya"}, {0x0B80, 0x0BFF, "Taml"}, {0x0C00, 0x0C7F, "Telu"},
      {0x0C80, 0x0CFF, "Knda"}, {0x0D00, 0x0D7F, "Mlym"}, {0x0D80, 0x0DFF, "Sinh"}, {0x0E00, 0x0E7F, "Thai"},
      {0x0E80, 0x0EFF, "Laoo"}, {0x3040, 0x30FF, "Jpan"}, {0x1100, 0x11FF, "Hang"}, {0x3130, 0x318F, "Hang"},
      {0xAC00, 0xD7AF, "Hang"},
  };
  bool ideographs = false;
  for (char16_t c : Utf8ToUtf16(text)) {
    for (const auto& script : kScripts)
      if (c >= script.First && c <= script.Last) return script.Tag;
    ideographs = ideographs || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) ||
                 (c >= 0xD840 && c <= 0xD87F);
  }
  if (!ideographs) return "";
  const std::string language = LowerAscii(std::string(lang));
  if (language.starts_with("ja")) return "Jpan";
  if (language.starts_with("ko")) return "Hang";
  if (language.starts_with("zh-tw") || language.starts_with("zh-hk") || language.starts_with("zh-mo")) return "Hant";
  return language.starts_with("zh") ? "Hans" : "";
}

// The fontRef that ranks in the chain: a shape's style/fontRef, or the one
// inside a table style's tcTxStyle.
pugi::xml_node FontReference(pugi::xml_node ref) {
  return IsElementNamed(ref, "fontRef") ? ref : FindChildNode(ref, "fontRef");
}

std::string Typeface(const TRunChain& chain, std::string_view script) {
  const std::string_view suffix = script == "latin" ? "lt" : script;
  for (size_t i = 0; i <= chain.Nodes.size(); ++i) {
    if (i == chain.FontRefAt && chain.FontRef) {
      std::string idx = LowerAscii(GetAttrText(FontReference(chain.FontRef), "idx"));
      if (idx == "major" || idx == "minor") return std::string(idx == "major" ? "+mj-" : "+mn-") + std::string(suffix);
    }
    if (i == chain.Nodes.size()) break;
    std::string face = GetAttrText(FindChildNode(chain.Nodes[i], script), "typeface");
    if (!face.empty()) return face;
  }
  return "";
}

// A table style's bold and italic (b="on") rank where its fontRef does.
std::string ChainAttr(const TRunChain& chain, std::string_view name) {
  for (size_t i = 0; i <= chain.Nodes.size(); ++i) {
    if (i == chain.FontRefAt && IsElementNamed(chain.FontRef, "tcTxStyle"))
      if (pugi::xml_attribute attr = FindAttr(chain.FontRef, name)) return attr.value();
    if (i == chain.Nodes.size()) break;
    if (pugi::xml_attribute attr = FindAttr(chain.Nodes[i], name)) return attr.value();
  }
  return "";
}

// The colour a fontRef or a tcTxStyle gives: its own colour child, else its
// fontRef's. A table style's tcTxStyle writes the fontRef (with a colour of
// its own, often black) before the text's colour, which wins.
bool ReferenceColor(pugi::xml_node ref, const ThemeColorMap* colors, TColor& color) {
  for (pugi::xml_node child = ref.first_child(); child; child = child.next_sibling())
    if (!IsElementNamed(child, "fontRef") && ReadColor(child, colors, color)) return true;
  return ReadColor(FindChildNode(ref, "fontRef").first_child(), colors, color);
}

// The colour and opacity of a text fill: solid, or a gradient's first stop;
// noFill leaves the letters clear.
bool FillColor(pugi::xml_node rPr, const ThemeColorMap* colors, TColor& color, double& opacity) {
  if (FindChildNode(rPr, "noFill")) {
    opacity = 0;
    return true;
  }
  pugi::xml_node solid = FindChildNode(rPr, "solidFill");
  if (ReadColor(solid.first_child(), colors, color)) {
    opacity = ColorAlpha(solid.first_child());
    return true;
  }
  pugi::xml_node stop = FindChildNode(FindChildNode(FindChildNode(rPr, "gradFill"), "gsLst"), "gs");
  return ReadColor(stop.first_child(), colors, color);
}

// The nearest fill of the chain: true with HasColor false for letters
// filled with nothing.
bool ChainColor(const TRunChain& chain, const ThemeColorMap* colors, TPPTXTextRun& run) {
  TColor color = 0;
  for (size_t i = 0; i <= chain.Nodes.size(); ++i) {
    if (i == chain.FontRefAt && chain.FontRef && ReferenceColor(chain.FontRef, colors, color)) {
      run.Color = color;
      run.HasColor = true;
      return true;
    }
    if (i == chain.Nodes.size()) break;
    if (FillColor(chain.Nodes[i], colors, color, run.Opacity)) {
      run.Color = color;
      run.HasColor = run.Opacity > 0;
      return true;
    }
  }
  return false;
}

// The letters' outline: the nearest ln of the chain, drawn when it is filled solid.
void ReadOutline(const std::vector<pugi::xml_node>& nodes, const ThemeColorMap* colors, TPPTXTextRun& run) {
  for (pugi::xml_node node : nodes) {
    pugi::xml_node ln = FindChildNode(node, "ln");
    if (!ln) continue;
    TColor color = 0;
    if (!FindChildNode(ln, "noFill") && ReadSolidFill(ln, colors, color)) {
      run.HasOutline = true;
      run.OutlineColor = color;
      run.OutlineWidthPt = std::clamp(static_cast<double>(GetAttrInt64(ln, "w", 9525)) / 12700, 0.0, 100.0);
    }
    return;
  }
}

void ReadUnderlineKind(std::string_view value, TPPTXTextRun& run) {
  const std::string u = LowerAscii(std::string(value));
  run.Underline = u != "none";
  run.UnderlineHeavy = u.size() >= 5 && u.compare(u.size() - 5, 5, "heavy") == 0;
  run.UnderlineStyle = u == "dbl"                              ? kUnderlineDouble
                       : u.rfind("wavy", 0) == 0               ? kUnderlineWavy
                       : u.rfind("dotted", 0) == 0             ? kUnderlineDotted
                       : u.find("dash") != std::string::npos   ? kUnderlineDashed
                                                               : kUnderlineSingle;
}

// The nearest of the chain that says how its underline is coloured decides:
// its own fill, or (uFillTx, uLnTx) the letters' colour.
void ReadUnderlineColor(const std::vector<pugi::xml_node>& nodes, const ThemeColorMap* colors, TPPTXTextRun& run) {
  for (pugi::xml_node node : nodes) {
    pugi::xml_node fill = FindChildNode(node, "uFill");
    pugi::xml_node line = FindChildNode(node, "uLn");
    if (!fill && FindChildNode(line, "solidFill")) fill = line;
    if (fill) {
      run.HasUnderlineColor = ReadSolidFill(fill, colors, run.UnderlineColor);
      return;
    }
    if (FindChildNode(node, "uFillTx") || FindChildNode(node, "uLnTx")) return;
  }
}

double SizeOf(const std::vector<pugi::xml_node>& chain) {
  for (pugi::xml_node node : chain) {
    int32_t hundredths = 0;
    if (TryParseInt32(GetAttrText(node, "sz"), hundredths) && hundredths > 0) return hundredths / 100.0;
  }
  return kDefaultSizePt;
}

void ReadRunProperties(const TRunChain& chain, const TTextTheme& theme, const std::string& defaultFont,
                       TPPTXTextRun& run) {
  const std::vector<pugi::xml_node>& nodes = chain.Nodes;
  run.FontSizePt = SizeOf(nodes);
  run.Bold = IsTrue(ChainAttr(chain, "b"));
  run.Italic = IsTrue(ChainAttr(chain, "i"));
  if (pugi::xml_attribute u = FirstAttr(nodes, "u")) ReadUnderlineKind(u.value(), run);
  if (pugi::xml_attribute strike = FirstAttr(nodes, "strike")) {
    run.Strikethrough = !SameText(strike.value(), "noStrike");
    run.DoubleStrikethrough = SameText(strike.value(), "dblStrike");
  }
  int32_t baseline = 0;
  if (TryParseInt32(FirstAttr(nodes, "baseline").value(), baseline)) run.BaselinePct = baseline / 1000.0;
  std::string cap = LowerAscii(FirstAttr(nodes, "cap").value());
  run.Caps = cap == "all" ? kCapsAll : (cap == "small" ? kCapsSmall : kCapsNone);
  int32_t spacing = 0;
  if (TryParseInt32(FirstAttr(nodes, "spc").value(), spacing)) run.LetterSpacingPt = spacing / 100.0;
  int32_t kern = 0;
  if (TryParseInt32(FirstAttr(nodes, "kern").value(), kern)) run.Kerning = run.FontSizePt * 100 >= kern - 0.5;

  std::string_view script = ScriptOf(run.Text);
  std::string face = Typeface(chain, script);
  if (face.empty() && script != "latin") face = Typeface(chain, "latin");
  // Only east Asian and complex-script references look at the script's own typeface.
  if (theme.Fonts)
    face = ResolveThemeTypeface(face, *theme.Fonts,
                                script == "latin" ? "" : ScriptTagOf(run.Text, FirstAttr(nodes, "lang").value()));
  run.FontName = face.empty() || face[0] == '+' ? defaultFont : face;

  ChainColor(chain, theme.Colors, run);
  ReadOutline(nodes, theme.Colors, run);
  ReadUnderlineColor(nodes, theme.Colors, run);
  if (pugi::xml_node highlight = FirstChildOf(nodes, {"highlight"}))
    run.HasHighlight = ReadColor(highlight.first_child(), theme.Colors, run.HighlightColor);
  if (pugi::xml_node effects = FirstChildOf(nodes, {"effectLst"})) {
    run.Shadow = ReadOuterShadow(effects, theme.Colors);
    run.Glow = ReadGlow(effects, theme.Colors);
  }
  // A hyperlink shows in the theme's link colour, underlined.
  pugi::xml_node link = nodes.empty() ? pugi::xml_node() : FindChildNode(nodes.front(), "hlinkClick");
  if (link && !GetAttrText(link, "id").empty() && theme.Colors) {
    run.Color = ResolveSchemeColor(theme.Colors, "hlink", pugi::xml_node());
    run.HasColor = true;
    run.Underline = true;
  }
}

// ---- paragraph properties ---------------------------------------------------------

// A character of a symbol font that Office uses as a bullet, as the Unicode
// character that looks like it, chosen among those the common fonts carry;
// 0 when the font is not a symbol font. Without this the browser shows the
// byte's letter ("§" for Wingdings' square bullet) or a missing glyph.
char16_t SymbolBullet(const std::string& font, char16_t c) {
  const bool privateUse = c >= 0xF000 && c <= 0xF0FF;
  if (privateUse) c -= 0xF000;  // the symbol fonts' private-use mapping
  if (SameText(font, "Symbol")) {
    if (c == 0xB7) return u'\u2022';
    if (c == 0x2D) return u'\u2212';
    const bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');  // Greek in Symbol
    return c >= 0x20 && c < 0x7F && !letter ? c : u'\u2022';
  }
  // LibreOffice's symbol fonts keep the Wingdings bullets at the same codes.
  const bool office = SameText(font, "StarSymbol") || SameText(font, "OpenSymbol");
  if (office && !privateUse) return c;
  if (SameText(font, "Wingdings 2") || SameText(font, "Webdings")) return u'\u25AA';
  if (SameText(font, "Wingdings 3")) return u'\u25BA';  // mostly arrowheads
  if (!office && !SameText(font, "Wingdings")) return 0;
  switch (c) {
    case 0x6C: return u'\u25CF';  // black circle
    case 0x6D: return u'\u274D';  // shadowed circle
    case 0x6E: return u'\u25A0';  // black square
    case 0x6F: case 0x70: case 0xA8: return u'\u25A1';  // white square
    case 0x71: return u'\u2751';  // shadowed square
    case 0x72: return u'\u2752';
    case 0x73: return u'\u29EB';  // lozenge
    case 0x75: return u'\u25C6';  // black diamond
    case 0x76: return u'\u2756';  // diamond minus white X
    case 0x77: return u'\u2666';  // small diamond
    case 0x9F: return u'\u2022';
    case 0xA1: case 0xA2: return u'\u25CB';  // circles
    case 0xA7: return u'\u25AA';  // small square
    case 0xD8: return u'\u27A2';  // arrowhead
    case 0xE0: return u'\u2192';
    case 0xE8: return u'\u2794';  // heavy arrow
    case 0xF0: return u'\u21E8';  // white arrow
    case 0xFB: return u'\u2718';  // ballot x
    case 0xFC: return u'\u2714';  // check mark
    case 0xFD: return u'\u2612';
    case 0xFE: return u'\u2611';
    default: return u'\u25AA';
  }
}

// Spacing in points: spcPts in hundredths of a point, or spcPct of the size.
std::optional<double> SpacingPt(pugi::xml_node spacing, double sizePt) {
  if (pugi::xml_node pts = FindChildNode(spacing, "spcPts")) {
    int32_t hundredths = 0;
    if (TryParseInt32(GetAttrText(pts, "val"), hundredths)) return hundredths / 100.0;
  }
  if (pugi::xml_node pct = FindChildNode(spacing, "spcPct")) return PercentOf(pct, "val", 0) / 100.0 * sizePt;
  return std::nullopt;
}

// The nearest list of stops wins whole. Stops outside the box's reach or
// past a sane count are dropped, so a damaged deck cannot make a line of
// thousands of stops; a pitch too small to be one is passed over.
void ReadTabStops(const std::vector<pugi::xml_node>& chain, TPPTXParagraph& paragraph) {
  constexpr int64_t kFarthestEmu = 51206400;  // 56 inches, the largest slide
  constexpr size_t kMostStops = 64;
  for (pugi::xml_node node : chain) {
    int64_t pitch = 0;
    if (TryParseInt64(GetAttrText(node, "defTabSz"), pitch) && pitch >= 12700 && pitch <= kFarthestEmu) {
      paragraph.DefaultTabEmu = pitch;
      break;
    }
  }
  for (pugi::xml_node tab : FirstChildOf(chain, {"tabLst"}).children()) {
    TTabStop stop;
    if (!IsElementNamed(tab, "tab") || !TryParseInt64(GetAttrText(tab, "pos"), stop.PositionEmu) ||
        stop.PositionEmu < 0 || stop.PositionEmu > kFarthestEmu)
      continue;
    const std::string align = LowerAscii(GetAttrText(tab, "algn"));
    stop.Align = align == "r" ? kTabRight : align == "ctr" ? kTabCenter : align == "dec" ? kTabDecimal : kTabLeft;
    paragraph.TabStops.push_back(stop);
    if (paragraph.TabStops.size() == kMostStops) break;
  }
  std::stable_sort(paragraph.TabStops.begin(), paragraph.TabStops.end(),
                   [](const TTabStop& a, const TTabStop& b) { return a.PositionEmu < b.PositionEmu; });
  auto same = [](const TTabStop& a, const TTabStop& b) { return a.PositionEmu == b.PositionEmu; };
  paragraph.TabStops.erase(std::unique(paragraph.TabStops.begin(), paragraph.TabStops.end(), same),
                           paragraph.TabStops.end());
}

void ReadParagraphProperties(const std::vector<pugi::xml_node>& chain, const TTextTheme& theme,
                             TPPTXParagraph& paragraph, double sizePt) {
  std::string align = LowerAscii(FirstAttr(chain, "algn").value());
  paragraph.Alignment = align == "ctr"    ? kAlignCenter
                        : align == "r"    ? kAlignRight
                        : align == "just" ? kAlignJustify
                                          : kAlignLeft;
  paragraph.RightToLeft = IsTrue(FirstAttr(chain, "rtl").value());
  pugi::xml_attribute marL = FirstAttr(chain, "marL"), indent = FirstAttr(chain, "indent");
  paragraph.HasIndents = marL || indent;
  if (!TryParseInt64(marL.value(), paragraph.MarginLeftEmu)) paragraph.MarginLeftEmu = 0;
  if (!TryParseInt64(indent.value(), paragraph.IndentEmu)) paragraph.IndentEmu = 0;
  if (!TryParseInt64(FirstAttr(chain, "marR").value(), paragraph.MarginRightEmu)) paragraph.MarginRightEmu = 0;

  pugi::xml_node lineSpacing = FirstChildOf(chain, {"lnSpc"});
  if (pugi::xml_node pts = FindChildNode(lineSpacing, "spcPts")) {
    int32_t hundredths = 0;
    if (TryParseInt32(GetAttrText(pts, "val"), hundredths) && hundredths > 0) paragraph.LineSpacingPt = hundredths / 100.0;
  } else if (pugi::xml_node pct = FindChildNode(lineSpacing, "spcPct")) {
    paragraph.LineSpacingPct = std::clamp(PercentOf(pct, "val", 100), 10.0, 1000.0);
  }
  paragraph.SpaceBeforePt = SpacingPt(FirstChildOf(chain, {"spcBef"}), sizePt).value_or(0);
  paragraph.SpaceAfterPt = SpacingPt(FirstChildOf(chain, {"spcAft"}), sizePt).value_or(0);
  ReadTabStops(chain, paragraph);

  pugi::xml_node kind = FirstChildOf(chain, {"buNone", "buChar", "buAutoNum", "buBlip"});
  if (IsElementNamed(kind, "buChar")) {
    paragraph.Bullet = true;
    paragraph.BulletChar = GetAttrText(kind, "char", "\xE2\x80\xA2");  // U+2022
  } else if (IsElementNamed(kind, "buAutoNum")) {
    paragraph.Bullet = true;
    paragraph.AutoNumScheme = GetAttrText(kind, "type", "arabicPeriod");
    paragraph.AutoNumStartAt = std::clamp(GetAttrInt32(kind, "startAt", 1), 1, 32767);
  } else if (IsElementNamed(kind, "buBlip")) {
    paragraph.Bullet = true;
    paragraph.BulletChar = "\xE2\x80\xA2";
  }

  pugi::xml_node font = FirstChildOf(chain, {"buFontTx", "buFont"});
  if (IsElementNamed(font, "buFont")) {
    paragraph.BulletFont = GetAttrText(font, "typeface");
    if (theme.Fonts) paragraph.BulletFont = ResolveThemeTypeface(paragraph.BulletFont, *theme.Fonts);
  }
  std::u16string bullet = Utf8ToUtf16(paragraph.BulletChar);
  if (bullet.size() == 1) {
    if (char16_t look = SymbolBullet(paragraph.BulletFont, bullet[0])) {
      paragraph.BulletChar = Utf16ToUtf8(std::u16string(1, look));
      paragraph.BulletFont.clear();
    }
  }
  pugi::xml_node color = FirstChildOf(chain, {"buClrTx", "buClr"});
  if (IsElementNamed(color, "buClr"))
    paragraph.HasBulletColor = ReadColor(color.first_child(), theme.Colors, paragraph.BulletColor);
  pugi::xml_node size = FirstChildOf(chain, {"buSzTx", "buSzPct", "buSzPts"});
  if (IsElementNamed(size, "buSzPct")) {
    paragraph.BulletSizePct = std::clamp(PercentOf(size, "val", 100), 25.0, 400.0);
  } else if (IsElementNamed(size, "buSzPts")) {
    int32_t hundredths = 0;
    if (TryParseInt32(GetAttrText(size, "val"), hundredths) && hundredths > 0 && sizePt > 0)
      paragraph.BulletSizePct = hundredths / sizePt;
  }
}

// ---- numbering ----------------------------------------------------------------------

std::string Roman(int32_t n, bool upper) {
  static const std::pair<int32_t, const char*> kDigits[] = {{1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"},
                                                            {100, "c"},  {90, "xc"},  {50, "l"},  {40, "xl"},
                                                            {10, "x"},   {9, "ix"},   {5, "v"},   {4, "iv"},
                                                            {1, "i"}};
  std::string out;
  for (const auto& [value, text] : kDigits)
    for (; n >= value; n -= value) out += text;
  return upper ? UpperAscii(out) : out;
}

// a .. z, then aa .. zz, as Office counts letters.
std::string Letters(int32_t n, bool upper) {
  const char letter = static_cast<char>((upper ? 'A' : 'a') + (n - 1) % 26);
  return std::string(static_cast<size_t>((n - 1) / 26 + 1), letter);
}

bool HasShownText(const TPPTXParagraph& paragraph) {
  for (const TPPTXTextRun& run : paragraph.Runs)
    if (!TrimControl(run.Text).empty()) return true;
  return false;
}

// Numbers the numbered paragraphs and takes the bullet off those without
// text. A number continues the one before at the same level unless a
// paragraph at a lower level, one without that numbering, or a different
// scheme came between; deeper levels start afresh under each new item.
void NumberParagraphs(std::vector<TPPTXParagraph>& paragraphs) {
  struct TCounter {
    std::string Scheme;
    int32_t Next = 0;
  };
  std::map<int32_t, TCounter> counters;
  for (TPPTXParagraph& paragraph : paragraphs) {
    if (!HasShownText(paragraph)) {
      paragraph.Bullet = false;
      continue;
    }
    const int32_t level = paragraph.Level;
    counters.erase(counters.upper_bound(level), counters.end());
    if (paragraph.AutoNumScheme.empty()) {
      counters.erase(level);
      continue;
    }
    TCounter& counter = counters[level];
    if (counter.Scheme != paragraph.AutoNumScheme || counter.Next == 0) {
      counter.Scheme = paragraph.AutoNumScheme;
      counter.Next = paragraph.AutoNumStartAt;
    }
    paragraph.BulletChar = AutoNumberText(paragraph.AutoNumScheme, counter.Next);
    counter.Next = std::min(counter.Next + 1, 32767);
  }
}

// ---- paragraphs and runs -------------------------------------------------------------

std::vector<pugi::xml_node> LevelChain(const TTextInheritance& inherited, pugi::xml_node first, int32_t level,
                                       bool defaults) {
  std::vector<pugi::xml_node> chain;
  if (first) chain.push_back(first);
  const std::string name = LevelElementName(level);
  for (pugi::xml_node style : inherited.ListStyles) {
    pugi::xml_node lvl = FindChildNode(style, name);
    if (!lvl) continue;
    chain.push_back(defaults ? FindChildNode(lvl, "defRPr") : lvl);
  }
  return chain;
}

// ListStyles[0] is the shape's own lstStyle; the fontRef ranks after it.
TRunChain RunChainFor(const TTextInheritance& inherited, pugi::xml_node rPr, pugi::xml_node pPr, int32_t level) {
  TRunChain chain;
  if (rPr) chain.Nodes.push_back(rPr);
  if (pugi::xml_node defaults = FindChildNode(pPr, "defRPr")) chain.Nodes.push_back(defaults);
  const std::string name = LevelElementName(level);
  for (size_t i = 0; i < inherited.ListStyles.size(); ++i) {
    if (i == 1) chain.FontRefAt = chain.Nodes.size();
    if (pugi::xml_node lvl = FindChildNode(inherited.ListStyles[i], name))
      chain.Nodes.push_back(FindChildNode(lvl, "defRPr"));
  }
  if (inherited.ListStyles.size() <= 1) chain.FontRefAt = chain.Nodes.size();
  chain.FontRef = inherited.FontRef;
  return chain;
}

// A field shows what it stands for where that is known: the slide's number,
// the date and time of now; else the text stored with it.
TPPTXTextRun ReadRun(pugi::xml_node r, const TRunChain& chain, const TTextTheme& theme,
                     const std::string& defaultFont, const TTextInheritance& inherited) {
  TPPTXTextRun run;
  const bool field = IsElementNamed(r, "fld");
  const std::string type = field ? GetAttrText(r, "type") : std::string();
  if (IsElementNamed(r, "br")) {
    // Appended rather than assigned: GCC 12 for Windows misreads the inlined
    // assignment of a literal as an overlapping copy.
    run.Text.push_back('\n');
  } else {
    if (field && inherited.SlideNumber >= 0 && SameText(type, "slidenum")) run.Text = std::to_string(inherited.SlideNumber);
    else if (field) run.Text = DateFieldText(type, GetAttrText(FindChildNode(r, "rPr"), "lang"), inherited.Clock);
    if (run.Text.empty())
      if (pugi::xml_node t = FindChildNode(r, "t")) run.Text = ElementText(t);
  }
  ReadRunProperties(chain, theme, defaultFont, run);
  return run;
}

void ApplyAutoFit(const TPPTXShape& shape, TPPTXParagraph& paragraph) {
  const double scale = shape.FontScalePct / 100.0;
  for (TPPTXTextRun& run : paragraph.Runs) run.FontSizePt *= scale;
  paragraph.EndFontSizePt *= scale;
  paragraph.SpaceBeforePt *= scale;
  paragraph.SpaceAfterPt *= scale;
  if (paragraph.LineSpacingPt <= 0)
    paragraph.LineSpacingPct = std::max(paragraph.LineSpacingPct - shape.LineSpacingReductionPct, 10.0);
}

TPPTXParagraph ReadParagraph(pugi::xml_node p, const TTextInheritance& inherited, const TTextTheme& theme,
                             const std::string& defaultFont) {
  TPPTXParagraph paragraph;
  pugi::xml_node pPr = FindChildNode(p, "pPr");
  paragraph.Level = static_cast<int32_t>(GetAttrInt64(pPr, "lvl", 0));
  for (pugi::xml_node r = p.first_child(); r; r = r.next_sibling()) {
    if (!IsElementNamed(r, "r") && !IsElementNamed(r, "br") && !IsElementNamed(r, "fld")) continue;
    TRunChain chain = RunChainFor(inherited, FindChildNode(r, "rPr"), pPr, paragraph.Level);
    paragraph.Runs.push_back(ReadRun(r, chain, theme, defaultFont, inherited));
  }
  paragraph.EndFontSizePt =
      SizeOf(RunChainFor(inherited, FindChildNode(p, "endParaRPr"), pPr, paragraph.Level).Nodes);
  const double sizePt = paragraph.Runs.empty() ? paragraph.EndFontSizePt : paragraph.Runs.front().FontSizePt;
  ReadParagraphProperties(LevelChain(inherited, pPr, paragraph.Level, false), theme, paragraph, sizePt);
  return paragraph;
}

void ClearText(TPPTXShape& shape) {
  TPPTXShape blank;
  shape.Paragraphs.clear();
  shape.SetMarginsEmu(0, 0, 0, 0);
  shape.VerticalAnchor = blank.VerticalAnchor;
  shape.AnchorCenter = blank.AnchorCenter;
  shape.WrapText = blank.WrapText;
  shape.VerticalTextDeg = blank.VerticalTextDeg;
  shape.VerticalGlyphs = blank.VerticalGlyphs;
  shape.VerticalLinesFromLeft = blank.VerticalLinesFromLeft;
  shape.TextRotationDeg = blank.TextRotationDeg;
  shape.Columns = blank.Columns;
  shape.ColumnGapEmu = blank.ColumnGapEmu;
  shape.OuterParagraphSpacing = blank.OuterParagraphSpacing;
  shape.AutoFit = blank.AutoFit;
  shape.FontScalePct = blank.FontScalePct;
  shape.LineSpacingReductionPct = blank.LineSpacingReductionPct;
}

}  // namespace

void SetVerticalText(std::string_view vert, TPPTXShape& shape) {
  const std::string v = LowerAscii(std::string(vert));
  const bool eastAsian = v == "eavert" || v == "mongolianvert";
  const bool stacked = v == "wordartvert" || v == "wordartvertrtl";
  shape.VerticalTextDeg = v == "vert270" ? 270 : (v == "vert" || eastAsian || stacked ? 90 : 0);
  shape.VerticalGlyphs = eastAsian ? kGlyphsEastAsianUpright : (stacked ? kGlyphsStacked : kGlyphsTurned);
  shape.VerticalLinesFromLeft = v == "mongolianvert" || v == "wordartvert";
}

std::string AutoNumberText(const std::string& scheme, int32_t n) {
  n = std::clamp(n, 1, 32767);
  const std::string lower = LowerAscii(scheme);
  std::string number;
  if (lower.starts_with("romanlc")) number = Roman(n, false);
  else if (lower.starts_with("romanuc")) number = Roman(n, true);
  else if (lower.starts_with("alphalc")) number = Letters(n, false);
  else if (lower.starts_with("alphauc")) number = Letters(n, true);
  else number = std::to_string(n);
  if (lower.ends_with("parenboth")) return "(" + number + ")";
  if (lower.ends_with("parenr")) return number + ")";
  if (lower.ends_with("plain")) return number;
  if (lower.ends_with("minus")) return "- " + number + " -";
  return number + ".";
}

void ParseTextBody(pugi::xml_node textBody, const TTextInheritance& inherited, const TTextTheme& theme,
                   TPPTXShape& shape) {
  ClearText(shape);
  if (!textBody) return;

  std::vector<pugi::xml_node> bodyChain{FindChildNode(textBody, "bodyPr")};
  bodyChain.insert(bodyChain.end(), inherited.BodyProperties.begin(), inherited.BodyProperties.end());
  ReadBodyProperties(bodyChain, shape);
  TTextInheritance chains = inherited;
  chains.ListStyles.insert(chains.ListStyles.begin(), FindChildNode(textBody, "lstStyle"));

  std::string defaultFont;
  if (theme.Fonts) defaultFont = inherited.Title && !theme.Fonts->MajorLatin.empty() ? theme.Fonts->MajorLatin
                                                                                      : theme.Fonts->MinorLatin;
  if (defaultFont.empty()) defaultFont = "Arial";

  for (pugi::xml_node p = textBody.first_child(); p; p = p.next_sibling()) {
    if (!IsElementNamed(p, "p")) continue;
    shape.Paragraphs.push_back(ReadParagraph(p, chains, theme, defaultFont));
    if (shape.AutoFit == kAutoFitShrink) ApplyAutoFit(shape, shape.Paragraphs.back());
  }
  NumberParagraphs(shape.Paragraphs);
}

}  // namespace tarvik
