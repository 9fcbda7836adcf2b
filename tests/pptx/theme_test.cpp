// Colour parsing and arithmetic, scheme colours, solid fills and theme fonts.
#include <gtest/gtest.h>

#include "platform/error.h"
#include "pptx/theme.h"
#include "pptx_test_util.h"

using namespace tarvik;
using namespace tarvik::test;

namespace {

TColor Rgb(int r, int g, int b) { return r + g * 256 + b * 65536; }

ThemeColorMap Office() { return {{"dk1", 0}, {"lt1", 0xFFFFFF}, {"lt2", Rgb(0xE7, 0xE6, 0xE6)}, {"accent1", 0xC47244}}; }

}  // namespace

TEST(Theme, ParseHexColor) {
  const struct {
    const char* text;
    TColor color;
  } cases[] = {
      {"FF0000", 0x0000FF}, {"#00ff00", 0x00FF00},  {"12345", 0},          {" 4472C4 ", 0xC47244},
      {"4472C4FF", 0xC47244}, {"ZZ72C4", 0xC47200}, {"\t#FFFFFF\n", 0xFFFFFF}, {"", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseHexColor(c.text), c.color) << c.text;
}

TEST(Theme, ColorModifiersGiveOfficesShadesWithoutIntermediateClamping) {
  const struct {
    TColor in;
    const char* modifiers;
    TColor out;
  } cases[] = {
      // Office's own shades of its accent and text colours, in HSL luminance
      {0xC47244, "<a:lumMod val='75000'/>", Rgb(0x2F, 0x55, 0x97)},                           // darker 25%
      {0xC47244, "<a:lumMod val='20000'/><a:lumOff val='80000'/>", Rgb(0xDA, 0xE3, 0xF3)},    // lighter 80%
      {Rgb(0x1F, 0x49, 0x7D), "<a:lumMod val='60000'/><a:lumOff val='40000'/>", Rgb(0x55, 0x8E, 0xD5)},  // lighter 40%
      // tint and shade keep val of the colour, mixed in linear light
      {0x000000, "<a:tint val='50000'/>", Rgb(188, 188, 188)},
      {0x000000, "<a:tint val='20000'/>", Rgb(231, 231, 231)},
      {0xFFFFFF, "<a:shade val='50000'/>", Rgb(188, 188, 188)},
      {0xC47244, "<a:lumOff val='-25000'/>", Rgb(33, 58, 104)},
      {Rgb(200, 200, 200), "<a:lumOff val='40000'/><a:lumMod val='50000'/>", Rgb(151, 151, 151)},
      {0xC47244, "<a:lumMod/>", 0xC47244},
      {0xC47244, "<a:lumOff/>", 0xFFFFFF},
      {0xC47244, "<a:tint/>", 0xC47244},
      {0xC47244, "<a:alpha val='50000'/><a:satMod val='2'/><A:LUMMOD VAL='0'/>", 0},
      {0xC47244, "<a:lumMod val='x'/>", 0xC47244},
      {0x808080, "<a:lumMod val='2147483647'/>", 0xFFFFFF},  // luminance stops at white
  };
  for (const auto& c : cases) {
    auto xml = Xml(std::string("<a:srgbClr>") + c.modifiers + "</a:srgbClr>");
    EXPECT_EQ(ApplyColorModifiers(c.in, xml->Root()), c.out) << c.modifiers;
  }
  EXPECT_EQ(ApplyColorModifiers(0x123456, pugi::xml_node()), 0x123456);
}

TEST(Theme, HueAndSaturationModifiersWorkInHsl) {
  const TColor red = Rgb(255, 0, 0), muted = Rgb(150, 100, 100);
  const struct {
    TColor in;
    const char* modifiers;
    TColor out;
  } cases[] = {
      {red, "<a:hueOff val='7200000'/>", Rgb(0, 255, 0)},
      {red, "<a:hue val='14400000'/>", Rgb(0, 0, 255)},
      {Rgb(0, 0, 255), "<a:hueMod val='50000'/>", Rgb(0, 255, 0)},
      {muted, "<a:satMod val='0'/>", Rgb(125, 125, 125)},
      {muted, "<a:sat val='0'/>", Rgb(125, 125, 125)},
      {muted, "<a:satOff val='-100000'/>", Rgb(125, 125, 125)},
      {muted, "<a:satMod val='150000'/>", Rgb(163, 88, 88)},
      {muted, "<a:satMod val='900000'/>", Rgb(250, 0, 0)},  // saturation stops at full
  };
  for (const auto& c : cases) {
    auto xml = Xml(std::string("<a:srgbClr>") + c.modifiers + "</a:srgbClr>");
    EXPECT_EQ(ApplyColorModifiers(c.in, xml->Root()), c.out) << c.modifiers;
  }
}

TEST(Theme, SchemeColorsUseTheFixedAliases) {
  ThemeColorMap map = Office();
  auto none = Xml("<a:schemeClr/>");
  EXPECT_EQ(ResolveSchemeColor(&map, "tx1", none->Root()), 0);
  EXPECT_EQ(ResolveSchemeColor(&map, "BG1", none->Root()), 0xFFFFFF);
  EXPECT_EQ(ResolveSchemeColor(&map, "bg2", none->Root()), Rgb(0xE7, 0xE6, 0xE6));
  EXPECT_EQ(ResolveSchemeColor(&map, "phClr", none->Root()), 0);
  EXPECT_EQ(ResolveSchemeColor(nullptr, "bg1", none->Root()), 0);
  auto darker = Xml("<a:schemeClr val='accent1'><a:lumMod val='75000'/></a:schemeClr>");
  EXPECT_EQ(ResolveSchemeColor(&map, "accent1", darker->Root()), Rgb(0x2F, 0x55, 0x97));
}

TEST(Theme, SolidFillReadsItsFirstColourChildOfAnyKind) {
  ThemeColorMap map = Office();
  const struct {
    const char* xml;
    bool found;
    TColor color;
  } cases[] = {
      {"<p:spPr><a:solidFill><a:srgbClr val='FF0000'/></a:solidFill></p:spPr>", true, 0x0000FF},
      {"<p:spPr><a:solidFill><a:schemeClr val='bg1'><a:shade val='50000'/></a:schemeClr></a:solidFill></p:spPr>",
       true, Rgb(188, 188, 188)},
      {"<p:spPr><a:solidFill><a:sysClr val='window'/></a:solidFill></p:spPr>", true, 0xFFFFFF},
      {"<p:spPr><a:solidFill><a:prstClr val='red'/></a:solidFill></p:spPr>", true, 0x0000FF},
      {"<p:spPr><a:solidFill><a:hslClr hue='0' sat='100000' lum='50000'/></a:solidFill></p:spPr>", true, 0x0000FF},
      {"<p:spPr><a:solidFill><a:scrgbClr r='0' g='100000' b='0'/></a:solidFill></p:spPr>", true, 0x00FF00},
      {"<p:spPr><a:solidFill><a:unknownClr/></a:solidFill></p:spPr>", false, 0},
      {"<p:spPr><a:solidFill/></p:spPr>", false, 0},
      {"<p:spPr><a:gradFill/></p:spPr>", false, 0},
      {"<p:spPr><a:ln><a:solidFill><a:srgbClr val='FF0000'/></a:solidFill></a:ln></p:spPr>", false, 0},
  };
  for (const auto& c : cases) {
    auto xml = Xml(c.xml);
    TColor color = 99;
    EXPECT_EQ(ReadSolidFill(xml->Root(), &map, color), c.found) << c.xml;
    EXPECT_EQ(color, c.color) << c.xml;
  }
}

TEST(Theme, ThemePartGivesFontsAndColours) {
  TTempDir dir;
  const std::string folder = dir / "x_extracted";
  EXPECT_EQ(LoadThemeFont(folder, true), "");
  EXPECT_TRUE(LoadThemeColors(folder).empty());

  ForceDirectories(JoinPath(JoinPath(folder, "ppt"), "theme"));
  WriteFileBytes(ThemePartPath(folder),
                 "<a:theme xmlns:a='x'><a:themeElements><a:clrScheme name='c'>"
                 "<a:dk1><a:sysClr val='windowText'/></a:dk1>"
                 "<a:Accent1><a:srgbClr val='4472C4'><a:lumMod val='50000'/></a:srgbClr></a:Accent1>"
                 "<a:accent2><a:scrgbClr r='100000' g='0' b='50000'/></a:accent2>"
                 "<a:accent3><a:prstClr val='red'/></a:accent3><a:accent4/>"
                 "<a:accent5><a:srgbClr val='000001'/></a:accent5><a:accent5><a:srgbClr val='000002'/></a:accent5>"
                 "</a:clrScheme><a:fontScheme name='f'><a:majorFont><a:latin typeface='Head'/></a:majorFont>"
                 "<a:minorFont><a:ea typeface='x'/></a:minorFont></a:fontScheme></a:themeElements></a:theme>");
  EXPECT_EQ(LoadThemeFont(folder, true), "Head");
  EXPECT_EQ(LoadThemeFont(folder, false), "");
  ThemeColorMap map = LoadThemeColors(folder);
  EXPECT_EQ(map.at("dk1"), 0xFFFFFF) << "sysClr without lastClr is white";
  EXPECT_EQ(map.at("accent1"), 0xC47244) << "scheme modifiers are not applied";
  EXPECT_EQ(map.at("accent2"), Rgb(255, 0, 128)) << "127.5 rounds to the even 128";
  EXPECT_EQ(map.count("accent3"), 0u);
  EXPECT_EQ(map.count("accent4"), 0u);
  EXPECT_EQ(map.at("accent5"), 0x020000) << "a later entry replaces an earlier one";

  WriteFileBytes(ThemePartPath(folder), "<a:theme>");
  EXPECT_THROW(LoadThemeColors(folder), ETarvikError);
}

TEST(Theme, EmptyScriptReferencesTakeTheScriptsOwnTypefaceElseLatin) {
  auto doc = Xml("<a:theme xmlns:a='x'><a:fontScheme><a:majorFont><a:latin typeface='Head'/><a:cs typeface=''/>"
                 "<a:font script='Arab' typeface='Arial'/><a:font script='Hebr' typeface=''/></a:majorFont>"
                 "<a:minorFont><a:latin typeface='Body'/><a:cs typeface='Body CS'/>"
                 "<a:font script='Arab' typeface='Tahoma'/></a:minorFont></a:fontScheme></a:theme>");
  const TThemeFonts fonts = ReadThemeFonts(doc->Root());
  const struct {
    const char *Reference, *Script, *Face;
  } cases[] = {
      {"+mj-cs", "Arab", "Arial"}, {"+mj-cs", "arab", "Arial"}, {"+mj-cs", "Hebr", "Head"}, {"+mj-cs", "", "Head"},
      {"+mj-lt", "Arab", "Head"},  {"+mn-cs", "Arab", "Body CS"},  // the theme's own cs typeface comes first
      {"Named", "Arab", "Named"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ResolveThemeTypeface(c.Reference, fonts, c.Script), c.Face) << c.Reference << " " << c.Script;
}
