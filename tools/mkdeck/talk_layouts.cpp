// The slide master, layouts and text styles of the generated decks: a title
// and a body placeholder on the master, a "Title and Content" and a
// "Title Only" layout that leave placement to the master, and a "Title Slide"
// layout that places its own centred title and subtitle.
#include "decks.h"
#include "slide_xml.h"

namespace mkdeck {

using tarvik::test::TDeckParts;
using tarvik::test::TLayoutParts;

namespace {

const TBox kTitleBox{838200, 365125, 10515600, 1325563};
const TBox kBodyBox{838200, 1825625, 10515600, 4351338};

std::string PlaceholderText(const std::string& text) { return TxBody(Para(Run(text))); }

std::string LevelStyle(int level, int sizeHundredths, const std::string& bullet, int64_t indent) {
  std::string n = std::to_string(level);
  std::string marL = std::to_string(indent * level);
  return "<a:lvl" + n + "pPr marL=\"" + marL + "\" indent=\"-228600\">" +
         "<a:buFont typeface=\"Arial\"/>" + Bullet(bullet) + "<a:defRPr sz=\"" +
         std::to_string(sizeHundredths) + "\">" + SolidFill(Scheme("tx1")) +
         "<a:latin typeface=\"+mn-lt\"/></a:defRPr></a:lvl" + n + "pPr>";
}

std::string TextStyles() {
  return "<p:titleStyle><a:lvl1pPr algn=\"l\"><a:defRPr sz=\"4000\">" + SolidFill(Scheme("tx2")) +
         "<a:latin typeface=\"+mj-lt\"/></a:defRPr></a:lvl1pPr></p:titleStyle>"
         "<p:bodyStyle>" +
         LevelStyle(1, 2800, "\xE2\x80\xA2", 228600) +
         LevelStyle(2, 2400, "\xE2\x80\x93", 342900) + LevelStyle(3, 2000, "\xE2\x80\xA2", 342900) +
         "</p:bodyStyle><p:otherStyle><a:lvl1pPr><a:defRPr sz=\"1800\">" +
         SolidFill(Scheme("tx1")) + "</a:defRPr></a:lvl1pPr></p:otherStyle>";
}

}  // namespace

void AddTalkLayouts(TDeckParts& parts) {
  parts.MajorFont = "Calibri Light";
  parts.MinorFont = "Calibri";
  parts.MasterSpTree =
      Shape(2, "Title Placeholder 1", SpPr(Xfrm(kTitleBox), "rect"),
            TxBody(Para(Run("Click to edit Master title style")), "anchor=\"ctr\""),
            PlaceholderNvPr("title")) +
      Shape(3, "Text Placeholder 2", SpPr(Xfrm(kBodyBox), "rect"),
            PlaceholderText("Click to edit Master text styles"), PlaceholderNvPr("body", "1"));
  parts.MasterTextStyles = TextStyles();
  // Title and Content: neither placeholder has a box of its own.
  parts.LayoutSpTree = Shape(2, "Title 1", "<p:spPr/>", PlaceholderText("Click to edit title"),
                            PlaceholderNvPr("title")) +
                      Shape(3, "Content Placeholder 2", "<p:spPr/>",
                            PlaceholderText("Click to edit text"), PlaceholderNvPr("", "1"));
  TLayoutParts titleSlide;
  titleSlide.Type = "title";
  titleSlide.Name = "Title Slide";
  titleSlide.SpTree =
      Shape(2, "Title 1", SpPr(Xfrm({1524000, 1122363, 9144000, 2387600}), ""),
            TxBody(Para(Run("Click to edit title"), "algn=\"ctr\""), "anchor=\"b\""),
            PlaceholderNvPr("ctrTitle")) +
      Shape(3, "Subtitle 2", SpPr(Xfrm({1524000, 3602038, 9144000, 1655762}), ""),
            // A subtitle is a line, not a list: no bullet from the master's body style.
            TxBody(Para(Run("Click to edit subtitle")), "",
                   "<a:lvl1pPr marL=\"0\" indent=\"0\" algn=\"ctr\"><a:buNone/>"
                   "<a:defRPr sz=\"2400\"/></a:lvl1pPr>"),
            PlaceholderNvPr("subTitle", "1"));
  TLayoutParts titleOnly;
  titleOnly.Type = "titleOnly";
  titleOnly.Name = "Title Only";
  titleOnly.SpTree = Shape(2, "Title 1", "<p:spPr/>", PlaceholderText("Click to edit title"),
                           PlaceholderNvPr("title"));
  parts.MoreLayouts = {titleSlide, titleOnly};
}

}  // namespace mkdeck
