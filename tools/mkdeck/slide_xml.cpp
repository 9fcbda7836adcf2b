// Builds the XML text of slide elements; see slide_xml.h.
#include "slide_xml.h"

#include <cmath>
#include <string>

namespace mkdeck {

namespace {

std::string Num(int64_t v) { return std::to_string(v); }

std::string Angle(double deg) { return Num(static_cast<int64_t>(std::llround(deg * 60000.0))); }

std::string NvProps(int id, const std::string& name, const std::string& descr = "") {
  return "<p:cNvPr id=\"" + Num(id) + "\" name=\"" + Esc(name) + "\"" +
         (descr.empty() ? "" : " descr=\"" + Esc(descr) + "\"") + "/>";
}

}  // namespace

std::string Esc(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string Srgb(const std::string& hex, const std::string& modifiers) {
  if (modifiers.empty()) return "<a:srgbClr val=\"" + hex + "\"/>";
  return "<a:srgbClr val=\"" + hex + "\">" + modifiers + "</a:srgbClr>";
}

std::string Scheme(const std::string& name, const std::string& modifiers) {
  if (modifiers.empty()) return "<a:schemeClr val=\"" + name + "\"/>";
  return "<a:schemeClr val=\"" + name + "\">" + modifiers + "</a:schemeClr>";
}

std::string SolidFill(const std::string& color) { return "<a:solidFill>" + color + "</a:solidFill>"; }

std::string Outline(double widthPt, const std::string& color, const std::string& extra) {
  return "<a:ln w=\"" + Num(static_cast<int64_t>(std::llround(widthPt * kEmuPerPt))) + "\">" +
         SolidFill(color) + extra + "</a:ln>";
}

std::string Xfrm(const TBox& box, double rotDeg, bool flipH, bool flipV) {
  std::string attrs;
  if (rotDeg != 0) attrs += " rot=\"" + Angle(rotDeg) + "\"";
  if (flipH) attrs += " flipH=\"1\"";
  if (flipV) attrs += " flipV=\"1\"";
  return "<a:xfrm" + attrs + "><a:off x=\"" + Num(box.X) + "\" y=\"" + Num(box.Y) +
         "\"/><a:ext cx=\"" + Num(box.Cx) + "\" cy=\"" + Num(box.Cy) + "\"/></a:xfrm>";
}

std::string SpPr(const std::string& xfrm, const std::string& preset, const std::string& fill,
                 const std::string& line) {
  std::string geom =
      preset.empty() ? "" : "<a:prstGeom prst=\"" + preset + "\"><a:avLst/></a:prstGeom>";
  return "<p:spPr>" + xfrm + geom + fill + line + "</p:spPr>";
}

std::string Run(const std::string& text, const std::string& rPrAttrs,
                const std::string& rPrChildren) {
  std::string attrs = "lang=\"en-US\"" + (rPrAttrs.empty() ? "" : " " + rPrAttrs) + " dirty=\"0\"";
  std::string rPr = rPrChildren.empty() ? "<a:rPr " + attrs + "/>"
                                        : "<a:rPr " + attrs + ">" + rPrChildren + "</a:rPr>";
  return "<a:r>" + rPr + "<a:t>" + Esc(text) + "</a:t></a:r>";
}

std::string Para(const std::string& runs, const std::string& pPrAttrs,
                 const std::string& pPrChildren) {
  std::string pPr;
  if (!pPrAttrs.empty() || !pPrChildren.empty()) {
    std::string open = "<a:pPr" + (pPrAttrs.empty() ? "" : " " + pPrAttrs);
    pPr = pPrChildren.empty() ? open + "/>" : open + ">" + pPrChildren + "</a:pPr>";
  }
  return "<a:p>" + pPr + runs + "</a:p>";
}

std::string Bullet(const std::string& ch) { return "<a:buChar char=\"" + Esc(ch) + "\"/>"; }

std::string TxBody(const std::string& paragraphs, const std::string& bodyPrAttrs,
                   const std::string& lstStyle) {
  std::string bodyPr = bodyPrAttrs.empty() ? "<a:bodyPr/>" : "<a:bodyPr " + bodyPrAttrs + "/>";
  std::string lst = lstStyle.empty() ? "<a:lstStyle/>" : "<a:lstStyle>" + lstStyle + "</a:lstStyle>";
  return "<p:txBody>" + bodyPr + lst + paragraphs + "</p:txBody>";
}

std::string PlaceholderNvPr(const std::string& type, const std::string& idx) {
  std::string ph = "<p:ph";
  if (!type.empty()) ph += " type=\"" + type + "\"";
  if (!idx.empty()) ph += " idx=\"" + idx + "\"";
  return "<p:nvPr>" + ph + "/></p:nvPr>";
}

std::string Shape(int id, const std::string& name, const std::string& spPr,
                  const std::string& txBody, const std::string& nvPr, bool textBox) {
  std::string cNvSpPr = textBox ? "<p:cNvSpPr txBox=\"1\"/>" : "<p:cNvSpPr/>";
  return "<p:sp><p:nvSpPr>" + NvProps(id, name) + cNvSpPr + nvPr + "</p:nvSpPr>" + spPr +
         txBody + "</p:sp>";
}

std::string Picture(int id, const std::string& name, const std::string& relId,
                    const std::string& xfrm, const std::string& srcRect,
                    const std::string& descr) {
  std::string crop = srcRect.empty() ? "" : "<a:srcRect " + srcRect + "/>";
  return "<p:pic><p:nvPicPr>" + NvProps(id, name, descr) +
         "<p:cNvPicPr><a:picLocks noChangeAspect=\"1\"/></p:cNvPicPr><p:nvPr/></p:nvPicPr>"
         "<p:blipFill><a:blip r:embed=\"" +
         relId + "\"/>" + crop + "<a:stretch><a:fillRect/></a:stretch></p:blipFill>" +
         SpPr(xfrm, "rect") + "</p:pic>";
}

std::string VideoPicture(int id, const std::string& name, const std::string& posterRelId,
                         const std::string& videoRelId, const std::string& xfrm) {
  return "<p:pic><p:nvPicPr>" + NvProps(id, name) +
         "<p:cNvPicPr><a:picLocks noChangeAspect=\"1\"/></p:cNvPicPr>"
         "<p:nvPr><a:videoFile r:link=\"" +
         videoRelId + "\"/></p:nvPr></p:nvPicPr><p:blipFill>" +
         (posterRelId.empty() ? "<a:blip/>" : "<a:blip r:embed=\"" + posterRelId + "\"/>") +
         "<a:stretch><a:fillRect/></a:stretch></p:blipFill>" + SpPr(xfrm, "rect") + "</p:pic>";
}

std::string Connector(int id, const std::string& name, const std::string& xfrm,
                      const std::string& preset, const std::string& line) {
  return "<p:cxnSp><p:nvCxnSpPr>" + NvProps(id, name) + "<p:cNvCxnSpPr/><p:nvPr/></p:nvCxnSpPr>" +
         SpPr(xfrm, preset, "", line) + "</p:cxnSp>";
}

std::string Group(int id, const std::string& name, const TBox& box, const TBox& child,
                  double rotDeg, const std::string& children) {
  std::string rot = rotDeg != 0 ? " rot=\"" + Angle(rotDeg) + "\"" : "";
  return "<p:grpSp><p:nvGrpSpPr>" + NvProps(id, name) + "<p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr>"
         "<p:grpSpPr><a:xfrm" + rot + "><a:off x=\"" + Num(box.X) + "\" y=\"" + Num(box.Y) +
         "\"/><a:ext cx=\"" + Num(box.Cx) + "\" cy=\"" + Num(box.Cy) + "\"/><a:chOff x=\"" +
         Num(child.X) + "\" y=\"" + Num(child.Y) + "\"/><a:chExt cx=\"" + Num(child.Cx) +
         "\" cy=\"" + Num(child.Cy) + "\"/></a:xfrm></p:grpSpPr>" + children + "</p:grpSp>";
}

std::string Table(int id, const std::string& name, const TBox& box,
                  const std::initializer_list<std::initializer_list<const char*>>& rows) {
  size_t cols = rows.size() ? rows.begin()->size() : 0;
  int64_t colW = cols ? box.Cx / static_cast<int64_t>(cols) : 0;
  int64_t rowH = rows.size() ? box.Cy / static_cast<int64_t>(rows.size()) : 0;
  std::string grid;
  for (size_t c = 0; c < cols; ++c) grid += "<a:gridCol w=\"" + Num(colW) + "\"/>";
  std::string body;
  bool header = true;
  for (const auto& row : rows) {
    body += "<a:tr h=\"" + Num(rowH) + "\">";
    // A header row in accent 1 over light accent rows, as the default table style draws.
    std::string textFill = header ? SolidFill(Scheme("bg1")) : "";
    std::string cellFill =
        header ? SolidFill(Scheme("accent1"))
               : SolidFill(Scheme("accent1", "<a:lumMod val=\"20000\"/><a:lumOff val=\"80000\"/>"));
    for (const char* cell : row)
      body += "<a:tc><a:txBody><a:bodyPr/><a:lstStyle/>" +
              Para(Run(cell, header ? "b=\"1\" sz=\"1800\"" : "sz=\"1800\"", textFill)) +
              "</a:txBody><a:tcPr>" + cellFill + "</a:tcPr></a:tc>";
    body += "</a:tr>";
    header = false;
  }
  return "<p:graphicFrame><p:nvGraphicFramePr>" + NvProps(id, name) +
         "<p:cNvGraphicFramePr><a:graphicFrameLocks noGrp=\"1\"/></p:cNvGraphicFramePr><p:nvPr/>"
         "</p:nvGraphicFramePr><p:xfrm><a:off x=\"" +
         Num(box.X) + "\" y=\"" + Num(box.Y) + "\"/><a:ext cx=\"" + Num(box.Cx) + "\" cy=\"" +
         Num(box.Cy) +
         "\"/></p:xfrm><a:graphic><a:graphicData "
         "uri=\"http://schemas.openxmlformats.org/drawingml/2006/table\"><a:tbl>"
         "<a:tblPr firstRow=\"1\" bandRow=\"1\"/><a:tblGrid>" +
         grid + "</a:tblGrid>" + body + "</a:tbl></a:graphicData></a:graphic></p:graphicFrame>";
}

}  // namespace mkdeck
