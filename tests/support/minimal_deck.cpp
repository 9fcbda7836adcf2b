// Assembles the parts of a valid, minimal .pptx around the slides a test
// describes: content types, package and presentation relationships, the
// presentation part, a theme, an optional layout and master, and the slides.
#include <string>
#include <vector>

#include "support/deck_writer.h"

namespace tarvik::test {

namespace {

const char* const kXmlDecl = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

std::string Namespaces() {
  return std::string(" xmlns:a=\"") + kNsA + "\" xmlns:r=\"" + kNsR + "\" xmlns:p=\"" + kNsP + "\"";
}

std::string GroupHeader() {
  return "<p:nvGrpSpPr><p:cNvPr id=\"1\" name=\"\"/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr>"
         "<p:grpSpPr><a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext cx=\"0\" cy=\"0\"/>"
         "<a:chOff x=\"0\" y=\"0\"/><a:chExt cx=\"0\" cy=\"0\"/></a:xfrm></p:grpSpPr>";
}

std::string RelsPart(const std::string& body) {
  return std::string(kXmlDecl) +
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">" +
         body + "</Relationships>";
}

std::string ContentTypes(const TDeckParts& parts) {
  std::string x = std::string(kXmlDecl) +
                  "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                  "<Default Extension=\"rels\" "
                  "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                  "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                  "<Default Extension=\"png\" ContentType=\"image/png\"/>"
                  "<Default Extension=\"jpeg\" ContentType=\"image/jpeg\"/>"
                  "<Default Extension=\"jpg\" ContentType=\"image/jpeg\"/>"
                  "<Default Extension=\"gif\" ContentType=\"image/gif\"/>"
                  "<Default Extension=\"mp4\" ContentType=\"video/mp4\"/>"
                  "<Default Extension=\"mp3\" ContentType=\"audio/mpeg\"/>";
  const std::string pml = "application/vnd.openxmlformats-officedocument.presentationml.";
  auto over = [&](const std::string& part, const std::string& type) {
    x += "<Override PartName=\"" + part + "\" ContentType=\"" + type + "\"/>";
  };
  over("/ppt/presentation.xml", pml + "presentation.main+xml");
  if (parts.WithLayout) {
    over("/ppt/slideMasters/slideMaster1.xml", pml + "slideMaster+xml");
    for (size_t i = 1; i <= 1 + parts.MoreLayouts.size(); ++i)
      over("/ppt/slideLayouts/slideLayout" + std::to_string(i) + ".xml", pml + "slideLayout+xml");
  }
  for (size_t i = 1; i <= parts.Slides.size(); ++i)
    over("/ppt/slides/slide" + std::to_string(i) + ".xml", pml + "slide+xml");
  over("/ppt/theme/theme1.xml", "application/vnd.openxmlformats-officedocument.theme+xml");
  return x + "</Types>";
}

std::string PresentationXml(const TDeckParts& parts) {
  std::string x = std::string(kXmlDecl) + "<p:presentation" + Namespaces() + ">";
  if (parts.WithLayout)
    x += "<p:sldMasterIdLst><p:sldMasterId id=\"2147483648\" r:id=\"rId1\"/></p:sldMasterIdLst>";
  x += "<p:sldIdLst>";
  for (size_t i = 1; i <= parts.Slides.size(); ++i)
    x += "<p:sldId id=\"" + std::to_string(255 + i) + "\" r:id=\"rId" + std::to_string(100 + i) +
         "\"/>";
  x += "</p:sldIdLst>";
  x += "<p:sldSz cx=\"" + std::to_string(parts.SlideWidthEmu) + "\" cy=\"" +
       std::to_string(parts.SlideHeightEmu) + "\"/>";
  x += "<p:notesSz cx=\"6858000\" cy=\"9144000\"/>";
  return x + "</p:presentation>";
}

std::string PresentationRels(const TDeckParts& parts) {
  std::string body;
  if (parts.WithLayout)
    body += RelationshipXml("rId1", "slideMaster", "slideMasters/slideMaster1.xml");
  body += RelationshipXml("rId2", "theme", "theme/theme1.xml");
  for (size_t i = 1; i <= parts.Slides.size(); ++i)
    body += RelationshipXml("rId" + std::to_string(100 + i), "slide",
                            "slides/slide" + std::to_string(i) + ".xml");
  return RelsPart(body);
}

std::string FontXml(const char* element, const std::string& latin) {
  return std::string("<a:") + element + "><a:latin typeface=\"" + latin +
         "\"/><a:ea typeface=\"\"/><a:cs typeface=\"\"/></a:" + element + ">";
}

std::string ThemeXml(const TDeckParts& parts) {
  const std::string solid = "<a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill>";
  const std::string line = "<a:ln w=\"6350\">" + solid + "</a:ln>";
  return std::string(kXmlDecl) + "<a:theme xmlns:a=\"" + kNsA +
         "\" name=\"Tarvik\"><a:themeElements>"
         "<a:clrScheme name=\"Tarvik\">" +
         (parts.ColorScheme.empty() ? DefaultColorScheme() : parts.ColorScheme) +
         "</a:clrScheme><a:fontScheme name=\"Tarvik\">" + FontXml("majorFont", parts.MajorFont) +
         FontXml("minorFont", parts.MinorFont) +
         "</a:fontScheme><a:fmtScheme name=\"Tarvik\"><a:fillStyleLst>" + solid + solid + solid +
         "</a:fillStyleLst><a:lnStyleLst>" + line + line + line +
         "</a:lnStyleLst><a:effectStyleLst><a:effectStyle><a:effectLst/></a:effectStyle>"
         "<a:effectStyle><a:effectLst/></a:effectStyle><a:effectStyle><a:effectLst/>"
         "</a:effectStyle></a:effectStyleLst><a:bgFillStyleLst>" +
         solid + solid + solid +
         "</a:bgFillStyleLst></a:fmtScheme></a:themeElements></a:theme>";
}

// Layout N relates to the master as rId1 for the first and rId<N+1> for the
// others, rId2 being the theme's.
std::string MasterLayoutRelId(size_t n) { return "rId" + std::to_string(n == 1 ? 1 : n + 1); }

std::string MasterXml(const TDeckParts& parts) {
  std::string layoutIds;
  for (size_t i = 1; i <= 1 + parts.MoreLayouts.size(); ++i)
    layoutIds += "<p:sldLayoutId id=\"" + std::to_string(2147483648u + i) + "\" r:id=\"" +
                 MasterLayoutRelId(i) + "\"/>";
  return std::string(kXmlDecl) + "<p:sldMaster" + Namespaces() + "><p:cSld><p:spTree>" +
         GroupHeader() + parts.MasterSpTree +
         "</p:spTree></p:cSld>"
         "<p:clrMap bg1=\"lt1\" tx1=\"dk1\" bg2=\"lt2\" tx2=\"dk2\" accent1=\"accent1\" "
         "accent2=\"accent2\" accent3=\"accent3\" accent4=\"accent4\" accent5=\"accent5\" "
         "accent6=\"accent6\" hlink=\"hlink\" folHlink=\"folHlink\"/>"
         "<p:sldLayoutIdLst>" +
         layoutIds + "</p:sldLayoutIdLst>" +
         (parts.MasterTextStyles.empty() ? ""
                                        : "<p:txStyles>" + parts.MasterTextStyles + "</p:txStyles>") +
         "</p:sldMaster>";
}

std::string LayoutXml(const TLayoutParts& layout) {
  return std::string(kXmlDecl) + "<p:sldLayout" + Namespaces() + " type=\"" + layout.Type +
         "\" preserve=\"1\"><p:cSld name=\"" + layout.Name + "\"><p:spTree>" + GroupHeader() +
         layout.SpTree +
         "</p:spTree></p:cSld><p:clrMapOvr><a:masterClrMapping/></p:clrMapOvr></p:sldLayout>";
}

}  // namespace

std::string RelType(const std::string& suffix) {
  if (suffix == "media") return "http://schemas.microsoft.com/office/2007/relationships/media";
  return "http://schemas.openxmlformats.org/officeDocument/2006/relationships/" + suffix;
}

std::string RelationshipXml(const std::string& id, const std::string& typeSuffix,
                            const std::string& target, bool external) {
  return "<Relationship Id=\"" + id + "\" Type=\"" + RelType(typeSuffix) + "\" Target=\"" +
         target + "\"" + (external ? " TargetMode=\"External\"" : "") + "/>";
}

std::string DefaultColorScheme() {
  auto srgb = [](const char* name, const char* hex) {
    return std::string("<a:") + name + "><a:srgbClr val=\"" + hex + "\"/></a:" + name + ">";
  };
  return "<a:dk1><a:sysClr val=\"windowText\" lastClr=\"000000\"/></a:dk1>"
         "<a:lt1><a:sysClr val=\"window\" lastClr=\"FFFFFF\"/></a:lt1>" +
         srgb("dk2", "44546A") + srgb("lt2", "E7E6E6") + srgb("accent1", "4472C4") +
         srgb("accent2", "ED7D31") + srgb("accent3", "A5A5A5") + srgb("accent4", "FFC000") +
         srgb("accent5", "5B9BD5") + srgb("accent6", "70AD47") + srgb("hlink", "0563C1") +
         srgb("folHlink", "954F72");
}

std::string SlideXml(const std::string& spTree, const std::string& background) {
  std::string bg = background.empty() ? "" : "<p:bg>" + background + "</p:bg>";
  return std::string(kXmlDecl) + "<p:sld" + Namespaces() + "><p:cSld>" + bg + "<p:spTree>" +
         GroupHeader() + spTree +
         "</p:spTree></p:cSld><p:clrMapOvr><a:masterClrMapping/></p:clrMapOvr></p:sld>";
}

std::string TextShapeXml(int id, const std::string& name, int64_t x, int64_t y, int64_t cx,
                         int64_t cy, const std::string& text, const std::string& geometry) {
  std::string geom = geometry.empty()
                         ? ""
                         : "<a:prstGeom prst=\"" + geometry + "\"><a:avLst/></a:prstGeom>";
  return "<p:sp><p:nvSpPr><p:cNvPr id=\"" + std::to_string(id) + "\" name=\"" + name +
         "\"/><p:cNvSpPr/><p:nvPr/></p:nvSpPr><p:spPr><a:xfrm><a:off x=\"" + std::to_string(x) +
         "\" y=\"" + std::to_string(y) + "\"/><a:ext cx=\"" + std::to_string(cx) + "\" cy=\"" +
         std::to_string(cy) + "\"/></a:xfrm>" + geom +
         "</p:spPr><p:txBody><a:bodyPr/><a:lstStyle/><a:p><a:r><a:rPr lang=\"en-US\"/><a:t>" +
         text + "</a:t></a:r></a:p></p:txBody></p:sp>";
}

std::string PictureXml(int id, const std::string& name, const std::string& relId, int64_t x,
                       int64_t y, int64_t cx, int64_t cy) {
  return "<p:pic><p:nvPicPr><p:cNvPr id=\"" + std::to_string(id) + "\" name=\"" + name +
         "\"/><p:cNvPicPr/><p:nvPr/></p:nvPicPr><p:blipFill><a:blip r:embed=\"" + relId +
         "\"/><a:stretch><a:fillRect/></a:stretch></p:blipFill><p:spPr><a:xfrm><a:off x=\"" +
         std::to_string(x) + "\" y=\"" + std::to_string(y) + "\"/><a:ext cx=\"" +
         std::to_string(cx) + "\" cy=\"" + std::to_string(cy) +
         "\"/></a:xfrm><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></p:spPr></p:pic>";
}

TDeckWriter BuildMinimalDeck(const TDeckParts& parts) {
  TDeckWriter w;
  w.Add("[Content_Types].xml", ContentTypes(parts));
  w.Add("_rels/.rels",
        RelsPart(RelationshipXml("rId1", "officeDocument", "ppt/presentation.xml")));
  w.Add("ppt/presentation.xml", PresentationXml(parts));
  w.Add("ppt/_rels/presentation.xml.rels", PresentationRels(parts));
  if (parts.WithLayout) {
    std::vector<TLayoutParts> layouts{{"obj", "Title and Content", parts.LayoutSpTree}};
    layouts.insert(layouts.end(), parts.MoreLayouts.begin(), parts.MoreLayouts.end());
    std::string masterRels = RelationshipXml("rId2", "theme", "../theme/theme1.xml");
    for (size_t i = 1; i <= layouts.size(); ++i) {
      std::string part = "slideLayout" + std::to_string(i) + ".xml";
      masterRels += RelationshipXml(MasterLayoutRelId(i), "slideLayout", "../slideLayouts/" + part);
      w.Add("ppt/slideLayouts/" + part, LayoutXml(layouts[i - 1]));
      w.Add("ppt/slideLayouts/_rels/" + part + ".rels",
            RelsPart(RelationshipXml("rId1", "slideMaster", "../slideMasters/slideMaster1.xml")));
    }
    w.Add("ppt/slideMasters/slideMaster1.xml", MasterXml(parts));
    w.Add("ppt/slideMasters/_rels/slideMaster1.xml.rels", RelsPart(masterRels));
  }
  w.Add("ppt/theme/theme1.xml", ThemeXml(parts));
  for (size_t i = 0; i < parts.Slides.size(); ++i) {
    const TSlideParts& s = parts.Slides[i];
    std::string n = std::to_string(i + 1);
    w.Add("ppt/slides/slide" + n + ".xml", SlideXml(s.SpTree, s.Background));
    std::string rels = parts.WithLayout ? RelationshipXml("rId1", "slideLayout",
                                                         "../slideLayouts/slideLayout" +
                                                             std::to_string(s.Layout) + ".xml")
                                       : "";
    w.Add("ppt/slides/_rels/slide" + n + ".xml.rels", RelsPart(rels + s.Rels));
  }
  return w;
}

}  // namespace tarvik::test
