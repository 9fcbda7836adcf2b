// Text body parsing: body properties, paragraphs, runs and run properties.
#include "pptx/text_body.h"

#include "pptx/xml_helpers.h"

namespace tarvik {

namespace {

int32_t InsetPx(pugi::xml_node bodyPr, std::string_view name) {
  return static_cast<int32_t>(EmuToPx(GetAttrInt64(bodyPr, name, 0)));
}

void ReadBodyProperties(pugi::xml_node bodyPr, TPPTXShape& shape) {
  if (!bodyPr) return;
  shape.MarginLeftPx = InsetPx(bodyPr, "lIns");
  shape.MarginRightPx = InsetPx(bodyPr, "rIns");
  shape.MarginTopPx = InsetPx(bodyPr, "tIns");
  shape.MarginBottomPx = InsetPx(bodyPr, "bIns");
  std::string anchor = LowerAscii(GetAttrText(bodyPr, "anchor", "t"));
  shape.VerticalAnchor = anchor == "ctr" ? 1 : (anchor == "b" ? 2 : 0);
  shape.TextRotationDeg = static_cast<int32_t>(GetAttrInt64(bodyPr, "rot", 0)) / 60000.0;
}

void ReadParagraphProperties(pugi::xml_node pPr, TPPTXParagraph& paragraph) {
  if (!pPr) return;
  std::string align = LowerAscii(GetAttrText(pPr, "algn", "l"));
  paragraph.Alignment = align == "ctr" ? 1 : (align == "r" ? 2 : (align == "just" ? 3 : 0));
  paragraph.Level = static_cast<int32_t>(GetAttrInt64(pPr, "lvl", 0));
  if (pugi::xml_node bullet = FindChildNode(pPr, "buChar")) {
    paragraph.Bullet = true;
    paragraph.BulletChar = GetAttrText(bullet, "char", "\xE2\x80\xA2");  // U+2022
  }
}

void ReadRunProperties(pugi::xml_node rPr, const ThemeColorMap* colors, const std::string& defaultFont,
                       TPPTXTextRun& run) {
  if (!rPr) return;
  run.Bold = GetAttrText(rPr, "b") == "1";
  run.Italic = GetAttrText(rPr, "i") == "1";
  run.Underline = !SameText(GetAttrText(rPr, "u", "none"), "none");
  std::string size = GetAttrText(rPr, "sz");
  if (!size.empty()) {
    int32_t hundredths = 1800;
    if (!TryParseInt32(size, hundredths)) hundredths = 1800;
    run.FontSizePt = hundredths / 100.0;
  }
  if (pugi::xml_node latin = FindChildNode(rPr, "latin")) run.FontName = GetAttrText(latin, "typeface", defaultFont);
  TColor color = 0;
  if (ReadSolidFill(rPr, colors, color)) {
    run.Color = color;
    run.HasColor = true;
  }
}

}  // namespace

void ParseTextBody(pugi::xml_node textBody, const ThemeColorMap* colors, const std::string& majorFont,
                   const std::string& minorFont, bool isTitle, TPPTXShape& shape) {
  shape.Paragraphs.clear();
  shape.MarginLeftPx = shape.MarginRightPx = shape.MarginTopPx = shape.MarginBottomPx = 0;
  shape.VerticalAnchor = 0;
  shape.TextRotationDeg = 0;
  if (!textBody) return;

  ReadBodyProperties(FindChildNode(textBody, "bodyPr"), shape);

  std::string defaultFont = minorFont;
  if (isTitle && !majorFont.empty()) defaultFont = majorFont;
  if (defaultFont.empty()) defaultFont = "Arial";

  const pugi::xml_node defaults = FindDescendantNode(textBody, "defRPr");

  for (pugi::xml_node p = textBody.first_child(); p; p = p.next_sibling()) {
    if (!IsElementNamed(p, "p")) continue;
    TPPTXParagraph paragraph;
    ReadParagraphProperties(FindChildNode(p, "pPr"), paragraph);
    for (pugi::xml_node r = p.first_child(); r; r = r.next_sibling()) {
      if (!IsElementNamed(r, "r")) continue;
      TPPTXTextRun run;
      run.FontName = defaultFont;
      if (pugi::xml_node t = FindChildNode(r, "t")) run.Text = ElementText(t);
      pugi::xml_node rPr = FindChildNode(r, "rPr");
      ReadRunProperties(rPr ? rPr : defaults, colors, defaultFont, run);
      paragraph.Runs.push_back(std::move(run));
    }
    shape.Paragraphs.push_back(std::move(paragraph));
  }
}

}  // namespace tarvik
