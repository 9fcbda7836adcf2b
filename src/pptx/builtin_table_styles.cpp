// The built-in table styles as data: each family is a few parts (whole
// table, bands, first and last rows and columns) of text colour, boldness,
// cell fill and borders, with "A" standing for the style's accent colour.
// They are written out as the a:tblStyle markup a deck would carry, so a
// table styled by one is read like any other.
#include "pptx/builtin_table_styles.h"

#include <string>
#include <vector>

#include "platform/ascii.h"

namespace tarvik {

namespace {

// Colours are "name" or "name:modifier=value" (dk1, A:tint=20000), or "none".
// Borders are "side side ...=width:colour[:dbl]" groups split by ';'.
struct TPartDef {
  const char* Part;
  const char* Text;  // the text's colour; "" leaves text to weaker parts
  bool Bold;
  const char* Fill;  // "" leaves the fill to weaker parts
  const char* Borders;
};

struct TFamilyDef {
  const char* Plain;  // what "A" is in the style without an accent
  std::vector<TPartDef> Parts;
};

const TFamilyDef kFamilies[] = {
    // 0: No Style, No Grid
    {"tx1", {{"wholeTbl", "tx1", false, "none", "left right top bottom insideH insideV=0:none"}}},
    // 1: No Style, Table Grid
    {"tx1", {{"wholeTbl", "tx1", false, "none", "left right top bottom insideH insideV=12700:tx1"}}},
    // 2: Themed Style 1
    {"dk1",
     {{"wholeTbl", "dk1", false, "none", "left right top bottom insideH insideV=12700:A"},
      {"band1H", "", false, "A:alpha=40000", ""},
      {"band1V", "", false, "A:alpha=40000", ""},
      {"lastCol", "", true, "", ""},
      {"firstCol", "", true, "", ""},
      {"lastRow", "", true, "none", "top=50800:A:dbl"},
      {"firstRow", "lt1", true, "A", "bottom=12700:lt1"}}},
    // 3: Themed Style 2
    {"tx1",
     {{"wholeTbl", "lt1", false, "A", "left right top bottom=12700:A:tint=50000"},
      {"band1H", "", false, "lt1:alpha=20000", ""},
      {"band1V", "", false, "lt1:alpha=20000", ""},
      {"lastCol", "", true, "", "left=38100:lt1"},
      {"firstCol", "", true, "", "right=38100:lt1"},
      {"lastRow", "", true, "", "top=38100:lt1"},
      {"firstRow", "", true, "", "bottom=38100:lt1"}}},
    // 4: Light Style 1
    {"tx1",
     {{"wholeTbl", "tx1", false, "none", "top bottom=12700:A"},
      {"band1H", "", false, "A:alpha=20000", ""},
      {"band1V", "", false, "A:alpha=20000", ""},
      {"lastCol", "", true, "", ""},
      {"firstCol", "", true, "", ""},
      {"lastRow", "", true, "", "top=12700:A"},
      {"firstRow", "", true, "", "bottom=12700:A"}}},
    // 5: Light Style 2
    {"tx1",
     {{"wholeTbl", "tx1", false, "none", "left right top bottom=12700:A"},
      {"band1H", "", false, "", "top bottom=12700:A"},
      {"band1V", "", false, "", "left right=12700:A"},
      {"band2V", "", false, "", "left right=12700:A"},
      {"lastCol", "", true, "", ""},
      {"firstCol", "", true, "", ""},
      {"lastRow", "", true, "", "top=50800:A:dbl"},
      {"firstRow", "bg1", true, "A", ""}}},
    // 6: Light Style 3
    {"tx1",
     {{"wholeTbl", "tx1", false, "none", "left right top bottom insideH insideV=12700:A"},
      {"band1H", "", false, "A:alpha=20000", ""},
      {"band1V", "", false, "A:alpha=20000", ""},
      {"lastCol", "", true, "", ""},
      {"firstCol", "", true, "", ""},
      {"lastRow", "", true, "", "top=50800:A:dbl"},
      {"firstRow", "A", true, "", "bottom=25400:A"}}},
    // 7: Medium Style 1
    {"dk1",
     {{"wholeTbl", "dk1", false, "lt1", "left right top bottom insideH=12700:A"},
      {"band1H", "", false, "A:tint=20000", ""},
      {"band1V", "", false, "A:tint=20000", ""},
      {"lastCol", "", true, "", ""},
      {"firstCol", "", true, "", ""},
      {"lastRow", "", true, "lt1", "top=50800:A:dbl"},
      {"firstRow", "lt1", true, "A", ""}}},
    // 8: Medium Style 2
    {"dk1",
     {{"wholeTbl", "dk1", false, "A:tint=20000", "left right top bottom insideH insideV=12700:lt1"},
      {"band1H", "", false, "A:tint=40000", ""},
      {"band1V", "", false, "A:tint=40000", ""},
      {"lastCol", "lt1", true, "A", ""},
      {"firstCol", "lt1", true, "A", ""},
      {"lastRow", "lt1", true, "A", "top=38100:lt1"},
      {"firstRow", "lt1", true, "A", "bottom=38100:lt1"}}},
    // 9: Medium Style 3
    {"dk1",
     {{"wholeTbl", "dk1", false, "lt1", "top bottom=25400:dk1"},
      {"band1H", "", false, "dk1:tint=20000", ""},
      {"band1V", "", false, "dk1:tint=20000", ""},
      {"lastCol", "lt1", true, "A", ""},
      {"firstCol", "lt1", true, "A", ""},
      {"lastRow", "", true, "lt1", "top=50800:dk1:dbl"},
      {"firstRow", "lt1", true, "A", "bottom=25400:dk1"}}},
    // 10: Medium Style 4
    {"dk1",
     {{"wholeTbl", "dk1", false, "A:tint=20000", "left right top bottom insideH insideV=12700:A"},
      {"band1H", "", false, "A:tint=40000", ""},
      {"band1V", "", false, "A:tint=40000", ""},
      {"lastCol", "", true, "", ""},
      {"firstCol", "", true, "", ""},
      {"lastRow", "", true, "dk1:tint=20000", "top=25400:dk1"},
      {"firstRow", "A", true, "A:tint=20000", ""}}},
    // 11: Dark Style 1
    {"dk1",
     {{"wholeTbl", "lt1", false, "A:shade=20000", ""},
      {"band1H", "", false, "A:shade=40000", ""},
      {"band1V", "", false, "A:shade=40000", ""},
      {"lastCol", "", true, "A:shade=60000", "left=25400:lt1"},
      {"firstCol", "", true, "A:shade=60000", "right=25400:lt1"},
      {"lastRow", "", true, "A", "top=25400:lt1"},
      {"firstRow", "", true, "dk1", "bottom=25400:lt1"}}},
    // 12: Dark Style 2 (its header takes the next accent, "B")
    {"dk1",
     {{"wholeTbl", "dk1", false, "A:tint=20000", ""},
      {"band1H", "", false, "A:tint=40000", ""},
      {"band1V", "", false, "A:tint=40000", ""},
      {"lastCol", "", true, "", ""},
      {"firstCol", "", true, "", ""},
      {"lastRow", "", true, "A:tint=20000", "top=50800:dk1:dbl"},
      {"firstRow", "lt1", true, "B", ""}}},
};

struct TStyleId {
  const char* Id;
  int Family;
  int Accent;  // 0 for the plain style
};

// Each family's ids, plain first then accents 1 to 6 (Dark Style 2 has only 1, 3 and 5).
constexpr TStyleId kStyleIds[] = {
    {"2D5ABB26-0587-4C30-8999-92F81FD0307C", 0, 0}, {"5940675A-B579-460E-94D1-54222C63F5DA", 1, 0},
    {"3C2FFA5D-87B4-456A-9821-1D502468CF0F", 2, 1}, {"284E427A-3D55-4303-BF80-6455036E1DE7", 2, 2},
    {"69C7853C-536D-4A76-A0AE-DD22124D55A5", 2, 3}, {"775DCB02-9BB8-47FD-8907-85C794F793BA", 2, 4},
    {"35758FB7-9AC5-4552-8A53-C91805E547FA", 2, 5}, {"08FB837D-C827-4EFA-A057-4D05807E0F7C", 2, 6},
    {"D113A9D2-9D6B-4929-AA2D-F23B5EE8CBE7", 3, 1}, {"18603FDC-E32A-4AB5-989C-0864C3EAD2B8", 3, 2},
    {"306799F8-075E-4A3A-A7F6-7FBC6576F1A4", 3, 3}, {"E269D01E-BC32-4049-B463-5C60D7B0CCD2", 3, 4},
    {"327F97BB-C833-4FB7-BDE5-3F7075034690", 3, 5}, {"638B1855-1B75-4FBE-930C-398BA8C253C6", 3, 6},
    {"9D7B26C5-4107-4FEC-AEDC-1716B250A1EF", 4, 0}, {"3B4B98B0-60AC-42C2-AFA5-B58CD77FA1E5", 4, 1},
    {"0E3FDE45-AF77-4B5C-9715-49D594BDF05E", 4, 2}, {"C083E6E3-FA7D-4D7B-A595-EF9225AFEA82", 4, 3},
    {"D27102A9-8310-4765-A935-A1911B00CA55", 4, 4}, {"5FD0F851-EC5A-4D38-B0AD-8093EC10F338", 4, 5},
    {"68D230F3-CF80-4859-8CE7-A43EE81993B5", 4, 6}, {"7E9639D4-E3E2-4D34-9284-5A2195B3D0D7", 5, 0},
    {"69012ECD-51FC-41F1-AA8D-1B2483CD663E", 5, 1}, {"72833802-FEF1-4C79-8D5D-14CF1EAF98D9", 5, 2},
    {"F2DE63D5-997A-4646-A377-4702673A728D", 5, 3}, {"17292A2E-F333-43FB-9621-5CBBE7FDCDCB", 5, 4},
    {"5A111915-BE36-4E01-A7E5-04B1672EAD32", 5, 5}, {"912C8C85-51F0-491E-9774-3900AFEF0FD7", 5, 6},
    {"616DA210-FB5B-4158-B5E0-FEB733F419BA", 6, 0}, {"BC89EF96-8CEA-46FF-86C4-4CE0E7609802", 6, 1},
    {"5DA37D80-6434-44D0-A028-1B22A696006F", 6, 2}, {"8799B23B-EC83-4686-B30A-512413B5E67A", 6, 3},
    {"ED083AE6-46FA-4A59-8FB0-9F97EB10719F", 6, 4}, {"BDBED569-4797-4DF1-A0F4-6AAB3CD982D8", 6, 5},
    {"E8B1032C-EA38-4F05-BA0D-38AFFFC7BED3", 6, 6}, {"793D81CF-94F2-401A-BA57-92F5A7B2D0C5", 7, 0},
    {"B301B821-A1FF-4177-AEE7-76D212191A09", 7, 1}, {"9DCAF9ED-07DC-4A11-8D7F-57B35C25682E", 7, 2},
    {"1FECB4D8-DB02-4DC6-A0A2-4F2EBAE1DC90", 7, 3}, {"1E171933-4619-4E11-9A3F-F7608DF75F80", 7, 4},
    {"FABFCF23-3B69-468F-B69F-88F6DE6A72F2", 7, 5}, {"10A1B5D5-9B99-4C35-A422-299274C87663", 7, 6},
    {"073A0DAA-6AF3-43AB-8588-CEC1D06C72B9", 8, 0}, {"5C22544A-7EE6-4342-B048-85BDC9FD1C3A", 8, 1},
    {"21E4AEA4-8DFA-4A89-87EB-49C32662AFE0", 8, 2}, {"F5AB1C69-6EDB-4FF4-983F-18BD219EF322", 8, 3},
    {"00A15C55-8517-42AA-B614-E9B94910E393", 8, 4}, {"7DF18680-E054-41AD-8BC1-D1AEF772440D", 8, 5},
    {"93296810-A885-4BE3-A3E7-6D5BEEA58F35", 8, 6}, {"8EC20E35-A176-4012-BC5E-935CFFF8708E", 9, 0},
    {"6E25E649-3F16-4E02-A733-19D2CDBF48F0", 9, 1}, {"85BE263C-DBD7-4A20-BB59-AAB30ACAA65A", 9, 2},
    {"EB344D84-9AFB-497E-A393-DC336BA19D2E", 9, 3}, {"EB9631B5-78F2-41C9-869B-9F39066F8104", 9, 4},
    {"74C1A8A3-306A-4EB7-A6B1-4F7E0EB9C5D6", 9, 5}, {"2A488322-F2BA-4B5B-9748-0D474271808F", 9, 6},
    {"D7AC3CCA-C797-4891-BE02-D94E43425B78", 10, 0}, {"69CF1AB2-1976-4502-BF36-3FF5EA218861", 10, 1},
    {"8A107856-5554-42FB-B03E-39F5DBC370BA", 10, 2}, {"0505E3EF-67EA-436B-97B2-0124C06EBD24", 10, 3},
    {"C4B1156A-380E-4F78-BDF5-A606A8083BF9", 10, 4}, {"22838BEF-8BB2-4498-84A7-C5851F593DF1", 10, 5},
    {"16D9F66E-5EB9-4882-86FB-DCBF35E3C3E4", 10, 6}, {"E8034E78-7F5D-4C2E-B375-FC64B27BC917", 11, 0},
    {"125E5076-3810-47DD-B79F-674D7AD40C01", 11, 1}, {"37CE84F3-28C3-443E-9E96-99CF82512B78", 11, 2},
    {"D03447BB-5D67-496B-8E87-E561075AD55C", 11, 3}, {"E929F9F4-4A8F-4326-A1B4-22849713DDAB", 11, 4},
    {"8FD4443E-F989-4FC4-A0C8-D5A2AF1F390B", 11, 5}, {"AF606853-7671-496A-8E4F-DF71F8EC918B", 11, 6},
    {"5202B0CA-FC54-4496-8BCA-5EF66A818D29", 12, 0}, {"0660B408-B3CF-4A94-85FC-2B1E0A45F4A2", 12, 1},
    {"91EBBBCC-DAD2-459C-BE2E-F6DE35CF9A28", 12, 3}, {"46F890A9-2807-4EBB-B81D-B2AA78EC7F39", 12, 5},
};

struct TAccents {
  std::string A, B;  // the style's accent, and the next one for Dark Style 2's header
};

// A colour element under parent from "name[:modifier=value]", as a solid
// fill or, for text, bare; "none" is noFill.
void AppendColor(pugi::xml_node parent, const std::string& described, const TAccents& accents, bool fill = true) {
  if (described == "none") {
    parent.append_child("a:noFill");
    return;
  }
  const size_t colon = described.find(':');
  std::string name = described.substr(0, colon);
  if (name == "A") name = accents.A;
  if (name == "B") name = accents.B;
  pugi::xml_node color = (fill ? parent.append_child("a:solidFill") : parent).append_child("a:schemeClr");
  color.append_attribute("val") = name.c_str();
  if (colon == std::string::npos) return;
  const std::string modifier = described.substr(colon + 1);
  const size_t equals = modifier.find('=');
  if (equals == std::string::npos) return;
  color.append_child(("a:" + modifier.substr(0, equals)).c_str()).append_attribute("val") =
      modifier.substr(equals + 1).c_str();
}

// "sides=width:colour[:dbl]" groups into the part's tcBdr.
void AppendBorders(pugi::xml_node tcBdr, const std::string& borders, const TAccents& accents) {
  for (size_t at = 0; at < borders.size();) {
    size_t end = borders.find(';', at);
    if (end == std::string::npos) end = borders.size();
    const std::string group = borders.substr(at, end - at);
    at = end + 1;
    const size_t equals = group.find('='), colon = group.find(':', equals);
    if (equals == std::string::npos || colon == std::string::npos) continue;
    std::string color = group.substr(colon + 1);
    const bool dbl = color.size() > 4 && color.compare(color.size() - 4, 4, ":dbl") == 0;
    if (dbl) color.resize(color.size() - 4);
    const std::string sides = group.substr(0, equals) + " ";
    for (size_t s = 0; s < sides.size();) {
      const size_t space = sides.find(' ', s);
      pugi::xml_node ln = tcBdr.append_child(("a:" + sides.substr(s, space - s)).c_str()).append_child("a:ln");
      s = space + 1;
      ln.append_attribute("w") = group.substr(equals + 1, colon - equals - 1).c_str();
      ln.append_attribute("cmpd") = dbl ? "dbl" : "sng";
      AppendColor(ln, color, accents);
    }
  }
}

void AppendPart(pugi::xml_node style, const TPartDef& def, const TAccents& accents) {
  pugi::xml_node part = style.append_child(("a:" + std::string(def.Part)).c_str());
  if (*def.Text || def.Bold) {
    pugi::xml_node text = part.append_child("a:tcTxStyle");
    if (def.Bold) text.append_attribute("b") = "on";
    // The theme's body font, as every built-in style sets its text.
    text.append_child("a:fontRef").append_attribute("idx") = "minor";
    if (*def.Text) AppendColor(text, def.Text, accents, false);
  }
  pugi::xml_node tcStyle = part.append_child("a:tcStyle");
  AppendBorders(tcStyle.append_child("a:tcBdr"), def.Borders, accents);
  if (*def.Fill) AppendColor(tcStyle.append_child("a:fill"), def.Fill, accents);
}

}  // namespace

pugi::xml_node BuiltInTableStyle(const std::string& id, pugi::xml_document& doc) {
  std::string bare = id;
  if (bare.size() == 38 && bare.front() == '{' && bare.back() == '}') bare = bare.substr(1, 36);
  for (const TStyleId& known : kStyleIds) {
    if (!SameText(bare, known.Id)) continue;
    const TFamilyDef& family = kFamilies[known.Family];
    TAccents accents{known.Accent ? "accent" + std::to_string(known.Accent) : family.Plain,
                     known.Accent ? "accent" + std::to_string(known.Accent % 6 + 1) : family.Plain};
    pugi::xml_node style = doc.append_child("a:tblStyle");
    style.append_attribute("styleId") = id.c_str();
    for (const TPartDef& part : family.Parts) AppendPart(style, part, accents);
    return style;
  }
  return {};
}

}  // namespace tarvik
