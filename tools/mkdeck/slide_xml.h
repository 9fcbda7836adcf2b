// Small builders for the DrawingML and PresentationML fragments that make up
// a slide: boxes, fills, outlines, text runs and paragraphs, shapes, pictures,
// connectors, groups and tables. Each returns the XML text of one element;
// text is escaped here, attribute strings passed in are taken as written.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>

namespace mkdeck {

inline constexpr int64_t kEmuPerInch = 914400;
inline constexpr int64_t kEmuPerPt = 12700;

struct TBox {
  int64_t X = 0, Y = 0, Cx = 0, Cy = 0;
};

// Escapes &, <, >, " for element text and attribute values.
std::string Esc(const std::string& text);

// Colours: an srgbClr or schemeClr element with optional modifier children
// (for example "<a:lumMod val=\"75000\"/>").
std::string Srgb(const std::string& hex, const std::string& modifiers = "");
std::string Scheme(const std::string& name, const std::string& modifiers = "");
std::string SolidFill(const std::string& color);
// An a:ln of the given width in points; Extra goes after the fill (dash, ends).
std::string Outline(double widthPt, const std::string& color, const std::string& extra = "");

// a:xfrm with rotation in degrees and flips.
std::string Xfrm(const TBox& box, double rotDeg = 0, bool flipH = false, bool flipV = false);
// p:spPr with an optional xfrm (empty box -> none), preset geometry, fill and outline.
std::string SpPr(const std::string& xfrm, const std::string& preset, const std::string& fill = "",
                 const std::string& line = "");

// A run; RPrAttrs such as "b=\"1\" sz=\"2400\"", RPrChildren such as a fill or latin font.
std::string Run(const std::string& text, const std::string& rPrAttrs = "",
                const std::string& rPrChildren = "");
// A paragraph of runs (already built); PPrAttrs such as "lvl=\"1\" algn=\"ctr\"".
std::string Para(const std::string& runs, const std::string& pPrAttrs = "",
                 const std::string& pPrChildren = "");
std::string Bullet(const std::string& ch = "\xE2\x80\xA2");
// p:txBody with the given bodyPr attributes and list style children.
std::string TxBody(const std::string& paragraphs, const std::string& bodyPrAttrs = "",
                   const std::string& lstStyle = "");

// p:nvPr holding a placeholder; empty type or idx are left out.
std::string PlaceholderNvPr(const std::string& type, const std::string& idx = "");

// An sp element. NvPr defaults to an empty p:nvPr; TextBox marks a text box.
std::string Shape(int id, const std::string& name, const std::string& spPr,
                  const std::string& txBody = "", const std::string& nvPr = "<p:nvPr/>",
                  bool textBox = false);
// A pic of relationship RelId; SrcRect such as "l=\"25000\" r=\"10000\"".
std::string Picture(int id, const std::string& name, const std::string& relId,
                    const std::string& xfrm, const std::string& srcRect = "",
                    const std::string& descr = "");
// A pic that plays the video of relationship VideoRelId, showing the picture
// of PosterRelId until it starts; an empty PosterRelId gives no poster.
std::string VideoPicture(int id, const std::string& name, const std::string& posterRelId,
                         const std::string& videoRelId, const std::string& xfrm);
// A cxnSp (connector) with preset geometry and outline.
std::string Connector(int id, const std::string& name, const std::string& xfrm,
                      const std::string& preset, const std::string& line);
// A grpSp whose frame Box maps the child space Child, rotated by RotDeg.
std::string Group(int id, const std::string& name, const TBox& box, const TBox& child,
                  double rotDeg, const std::string& children);
// A graphicFrame holding a table of the given cell texts (rows of columns).
std::string Table(int id, const std::string& name, const TBox& box,
                  const std::initializer_list<std::initializer_list<const char*>>& rows);

}  // namespace mkdeck
