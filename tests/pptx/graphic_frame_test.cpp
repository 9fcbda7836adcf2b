// Graphic frames as shapes: tables as cells and borders (the grid with
// merged cells, the table style's parts by precedence under the cells' own
// properties, caps for a hostile table), diagrams from their drawing part,
// and embedded objects as their preview picture.
#include <gtest/gtest.h>

#include <algorithm>

#include "pptx/diagram_fallback.h"
#include "pptx/font_metrics.h"
#include "pptx/table.h"
#include "pptx_test_util.h"

using namespace tarvik;
using namespace tarvik::test;

namespace {

const ThemeColorMap kColors{{"accent1", 0x0000FF}, {"lt1", 0xFFFFFF}, {"dk1", 0x000000}};

// Wide and tall enough for a line of 18 pt text with the default margins.
constexpr int64_t kW = 3000000, kH = 500000;

std::string Cell(const std::string& text, const std::string& attrs = "", const std::string& tcPr = "/>") {
  return "<a:tc" + attrs + "><a:txBody><a:bodyPr/><a:p><a:r><a:t>" + text + "</a:t></a:r></a:p></a:txBody>" +
         "<a:tcPr" + tcPr + "</a:tc>";
}

std::string Table(const std::string& tblPr, const std::string& rows, int columns = 3) {
  std::string grid;
  for (int i = 0; i < columns; ++i) grid += "<a:gridCol w='" + std::to_string(kW) + "'/>";
  return "<a:tbl xmlns:a='http://schemas.openxmlformats.org/drawingml/2006/main'>" + tblPr + "<a:tblGrid>" + grid +
         "</a:tblGrid>" + rows + "</a:tbl>";
}

std::string Row(const std::string& cells) { return "<a:tr h='" + std::to_string(kH) + "'>" + cells + "</a:tr>"; }

const char* const kStyles =
    "<a:tblStyleLst xmlns:a='http://schemas.openxmlformats.org/drawingml/2006/main'>"
    "<a:tblStyle styleId='{S}'>"
    "<a:wholeTbl><a:tcStyle><a:tcBdr><a:insideH><a:ln w='12700'><a:solidFill><a:schemeClr val='lt1'/></a:solidFill>"
    "</a:ln></a:insideH></a:tcBdr><a:fill><a:solidFill><a:srgbClr val='111111'/></a:solidFill></a:fill></a:tcStyle>"
    "</a:wholeTbl>"
    "<a:band1H><a:tcStyle><a:fill><a:solidFill><a:srgbClr val='222222'/></a:solidFill></a:fill></a:tcStyle>"
    "</a:band1H>"
    "<a:firstRow><a:tcTxStyle b='on'><a:fontRef idx='minor'><a:prstClr val='black'/></a:fontRef>"
    "<a:schemeClr val='lt1'/></a:tcTxStyle>"
    "<a:tcStyle><a:fill><a:solidFill><a:schemeClr val='accent1'/></a:solidFill></a:fill></a:tcStyle></a:firstRow>"
    "</a:tblStyle></a:tblStyleLst>";

struct TTableFixture {
  std::unique_ptr<TXmlPart> Styles = Xml(kStyles);
  TThemeFonts Fonts;
  RelationshipMap Rels;
  std::vector<TTablePiece> Expand(const std::string& xml) {
    Doc = Xml(xml);
    return ExpandTable(Doc->Root(), 100, 200, {{&kColors, &Rels, {}}, {&kColors, &Fonts}, {}, Styles->Root()});
  }
  std::unique_ptr<TXmlPart> Doc;
};

const TTablePiece* Named(const std::vector<TTablePiece>& pieces, const std::string& name) {
  for (const auto& piece : pieces)
    if (piece.Shape->Name == name) return &piece;
  return nullptr;
}

}  // namespace

TEST(Table, MergedCellsSpanTheirColumnsAndRows) {
  TTableFixture table;
  auto pieces = table.Expand(Table(
      "", Row(Cell("wide", " gridSpan='2'") + Cell("", " hMerge='1'") + Cell("tall", " rowSpan='2'")) +
              Row(Cell("a") + Cell("b") + Cell("", " vMerge='1'"))));
  const struct {
    const char* Name;
    int64_t X, Y, Cx, Cy;
  } cases[] = {
      {"Cell 1,1", 100, 200, 2 * kW, kH},
      {"Cell 1,3", 100 + 2 * kW, 200, kW, 2 * kH},
      {"Cell 2,1", 100, 200 + kH, kW, kH},
      {"Cell 2,2", 100 + kW, 200 + kH, kW, kH},
  };
  ASSERT_EQ(pieces.size(), 4u);
  for (const auto& c : cases) {
    const TTablePiece* piece = Named(pieces, c.Name);
    ASSERT_NE(piece, nullptr) << c.Name;
    EXPECT_EQ(piece->Box.X, c.X) << c.Name;
    EXPECT_EQ(piece->Box.Y, c.Y) << c.Name;
    EXPECT_EQ(piece->Box.Cx, c.Cx) << c.Name;
    EXPECT_EQ(piece->Box.Cy, c.Cy) << c.Name;
  }
  EXPECT_EQ(Named(pieces, "Cell 1,1")->Shape->PlainText(), "wide");
}

TEST(Table, StylePartsRankFirstRowOverBandsOverWholeTableAndTheCellOverAll) {
  TTableFixture table;
  const std::string rows = Row(Cell("head") + Cell("x") + Cell("own", "", "><a:solidFill><a:srgbClr val='ABCDEF'/></a:solidFill></a:tcPr>")) +
                           Row(Cell("band1") + Cell("x") + Cell("x")) + Row(Cell("band2") + Cell("x") + Cell("x"));
  auto pieces = table.Expand(
      Table("<a:tblPr firstRow='1' bandRow='1'><a:tableStyleId>{S}</a:tableStyleId></a:tblPr>", rows));
  const struct {
    const char* Name;
    TColor Fill;
    bool Bold;
  } cases[] = {
      {"Cell 1,1", 0x0000FF, true},   // firstRow
      {"Cell 1,3", 0xEFCDAB, true},   // the cell's own fill, the row's text
      {"Cell 2,1", 0x222222, false},  // the first band after the heading row
      {"Cell 3,1", 0x111111, false},  // band2H is not in the style: the whole table's
  };
  for (const auto& c : cases) {
    const TTablePiece* piece = Named(pieces, c.Name);
    ASSERT_NE(piece, nullptr) << c.Name;
    EXPECT_TRUE(piece->Shape->HasFill) << c.Name;
    EXPECT_EQ(piece->Shape->FillColor, c.Fill) << c.Name;
    EXPECT_EQ(piece->Shape->Paragraphs[0].Runs[0].Bold, c.Bold) << c.Name;
  }
  EXPECT_EQ(Named(pieces, "Cell 1,1")->Shape->Paragraphs[0].Runs[0].Color, 0xFFFFFF);

  // insideH draws between rows only: two row boundaries of three cells each.
  int lines = 0;
  for (const auto& piece : pieces) {
    if (piece.Shape->Kind != skLine) continue;
    ++lines;
    EXPECT_EQ(piece.Box.Cy, 0);
    EXPECT_GT(piece.Box.Y, 200);
    EXPECT_LT(piece.Box.Y, 200 + 3 * kH);
  }
  EXPECT_EQ(lines, 12);  // each inner boundary drawn by the cells on both sides
}

TEST(Table, CellsOwnBorderReplacesTheStyles) {
  TTableFixture table;
  const std::string noBottom = "><a:lnB><a:noFill/></a:lnB></a:tcPr>";
  auto pieces = table.Expand(Table("<a:tblPr><a:tableStyleId>{S}</a:tableStyleId></a:tblPr>",
                                   Row(Cell("a", "", noBottom)) + Row(Cell("b", "", "/>")), 1));
  int lines = 0;
  for (const auto& piece : pieces) lines += piece.Shape->Kind == skLine;
  EXPECT_EQ(lines, 1);  // only the second cell's top
}

TEST(Table, RowsGrowToHoldTheirText) {
  TTableFixture table;
  std::string words;
  for (int i = 0; i < 40; ++i) words += "word ";
  auto pieces = table.Expand(Table("", Row(Cell("short") + Cell(words)) + Row(Cell("next") + Cell("")), 2));
  const TTablePiece* tall = Named(pieces, "Cell 1,2");
  ASSERT_NE(tall, nullptr);
  // 40 words of 5 characters at 18 pt need several lines in a column of 3 million EMU.
  EXPECT_GT(tall->Box.Cy, 3 * kH);
  EXPECT_EQ(Named(pieces, "Cell 1,1")->Box.Cy, tall->Box.Cy) << "the whole row grows";
  EXPECT_EQ(Named(pieces, "Cell 2,1")->Box.Y, 200 + tall->Box.Cy);
  EXPECT_EQ(Named(pieces, "Cell 2,1")->Box.Cy, kH) << "a row that fits keeps its height";
  // Turned text runs along its row and leaves its height alone.
  for (const auto& [vert, deg] : {std::pair{"vert270", 270}, {"vert", 90}, {"horz", 0}}) {
    pieces = table.Expand(Table("", Row(Cell(words, "", std::string(" vert='") + vert + "'/>")), 1));
    ASSERT_NE(Named(pieces, "Cell 1,1"), nullptr);
    EXPECT_EQ(Named(pieces, "Cell 1,1")->Shape->VerticalTextDeg, deg) << vert;
    EXPECT_EQ(Named(pieces, "Cell 1,1")->Box.Cy == kH, deg != 0) << vert;
  }
}

TEST(Table, ABuiltInStyleTheDeckLeavesOutStillDrawsItsHeaderBandsAndBorders) {
  TTableFixture table;
  const std::string rows =
      Row(Cell("head") + Cell("x")) + Row(Cell("band1") + Cell("x")) + Row(Cell("band2") + Cell("x"));
  // Medium Style 2 - Accent 1, the style of a new table, in lower case as some writers spell it.
  auto pieces = table.Expand(Table(
      "<a:tblPr firstRow='1' bandRow='1'><a:tableStyleId>{5c22544a-7ee6-4342-b048-85bdc9fd1c3a}</a:tableStyleId>"
      "</a:tblPr>",
      rows, 2));
  const TPPTXShape& head = *Named(pieces, "Cell 1,1")->Shape;
  const TPPTXShape& band1 = *Named(pieces, "Cell 2,1")->Shape;
  const TPPTXShape& band2 = *Named(pieces, "Cell 3,1")->Shape;
  EXPECT_EQ(head.FillColor, 0x0000FFu);
  EXPECT_TRUE(head.Paragraphs[0].Runs[0].Bold);
  EXPECT_EQ(head.Paragraphs[0].Runs[0].Color, 0xFFFFFFu);
  for (const TPPTXShape* body : {&band1, &band2}) {
    ASSERT_TRUE(body->HasFill) << body->Name;
    EXPECT_EQ(body->FillColor >> 8 & 0xFF, body->FillColor >> 16 & 0xFF) << "a tint of the accent: " << body->Name;
    EXPECT_FALSE(body->Paragraphs[0].Runs[0].Bold) << body->Name;
    EXPECT_EQ(body->Paragraphs[0].Runs[0].Color, 0x000000u) << body->Name;
  }
  EXPECT_LT(band1.FillColor >> 8 & 0xFF, band2.FillColor >> 8 & 0xFF) << "the first band is the darker tint";

  // White borders all round; the heading row's bottom is the thick one.
  double thin = 100, thick = 0;
  for (const auto& piece : pieces) {
    if (piece.Shape->Kind != skLine) continue;
    EXPECT_EQ(piece.Shape->LineColor, 0xFFFFFFu);
    thin = std::min(thin, piece.Shape->LineWidthPt);
    thick = std::max(thick, piece.Shape->LineWidthPt);
  }
  EXPECT_DOUBLE_EQ(thin, 1.0);
  EXPECT_DOUBLE_EQ(thick, 3.0);

  auto unknown = table.Expand(Table("<a:tblPr><a:tableStyleId>{NOT-A-STYLE}</a:tableStyleId></a:tblPr>", rows, 2));
  EXPECT_FALSE(Named(unknown, "Cell 1,1")->Shape->HasFill);
}

TEST(Table, RowsGrowByTheLinesTheirTextWrapsTo) {
  const std::string word = "Challenge";
  const double wordPt = TextWidthEm("Arial", false, word) * 18, spacePt = TextWidthEm("Arial", false, " ") * 18;
  const double linePt = LineHeightEm("Arial", false) * 18;
  constexpr int64_t kEmuPerPt = 12700, kMargins = 2 * 91440, kMarginsY = 2 * 45720;
  auto columnFor = [&](double textPt) { return static_cast<int64_t>(textPt * kEmuPerPt) + kMargins + 2000; };
  const struct {
    const char* Text;
    int64_t Column;
    int Lines;
  } cases[] = {
      {"Challenge Challenge", columnFor(2 * wordPt + spacePt), 1},
      {"Challenge Challenge", columnFor(2 * wordPt), 2},  // the space does not fit
      {"Challenge Challenge Challenge", columnFor(wordPt), 3},
      {"ChallengeChallenge", columnFor(wordPt), 2},  // a word longer than the line breaks inside
  };
  for (const auto& c : cases) {
    TTableFixture table;
    const std::string cell = std::string("<a:tc><a:txBody><a:bodyPr/><a:p><a:r><a:rPr><a:latin typeface='Arial'/>") +
                             "</a:rPr><a:t>" + c.Text + "</a:t></a:r></a:p></a:txBody><a:tcPr/></a:tc>";
    auto pieces = table.Expand("<a:tbl xmlns:a='http://schemas.openxmlformats.org/drawingml/2006/main'><a:tblGrid>"
                               "<a:gridCol w='" + std::to_string(c.Column) + "'/></a:tblGrid><a:tr h='1'>" + cell +
                               "</a:tr></a:tbl>");
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_NEAR(pieces[0].Box.Cy, c.Lines * linePt * kEmuPerPt + kMarginsY, 2) << c.Text << " in " << c.Column;
  }
}

TEST(Table, AHostileTableIsCapped) {
  TTableFixture table;
  std::string rows;
  for (int r = 0; r < 800; ++r) rows += Row(Cell("x") + Cell("y"));
  auto pieces = table.Expand(Table("", rows, 2));
  EXPECT_EQ(pieces.size(), 1000u);  // 500 rows
  EXPECT_TRUE(table.Expand(Table("", "", 0)).empty());
}

namespace {

std::string Replaced(std::string text, const std::string& what, const std::string& with) {
  return text.replace(text.find(what), what.size(), with);
}

std::string Frame(const std::string& name, const std::string& graphicData) {
  return "<p:graphicFrame><p:nvGraphicFramePr><p:cNvPr id='9' name='" + name +
         "'/><p:cNvGraphicFramePr/><p:nvPr/></p:nvGraphicFramePr>"
         "<p:xfrm><a:off x='1000000' y='2000000'/><a:ext cx='4000000' cy='2000000'/></p:xfrm>"
         "<a:graphic><a:graphicData uri='x'>" + graphicData + "</a:graphicData></a:graphic></p:graphicFrame>";
}

const char* const kDrawing =
    "<dsp:drawing xmlns:dsp='http://schemas.microsoft.com/office/drawing/2008/diagram' "
    "xmlns:a='http://schemas.openxmlformats.org/drawingml/2006/main'><dsp:spTree><dsp:nvGrpSpPr/><dsp:grpSpPr/>"
    "<dsp:sp modelId='{1}'><dsp:nvSpPr><dsp:cNvPr id='0' name=''/><dsp:cNvSpPr/></dsp:nvSpPr>"
    "<dsp:spPr><a:xfrm><a:off x='100000' y='0'/><a:ext cx='1000000' cy='1000000'/></a:xfrm>"
    "<a:prstGeom prst='ellipse'/></dsp:spPr>"
    "<dsp:txBody><a:bodyPr/><a:p><a:r><a:t>Step one</a:t></a:r></a:p></dsp:txBody>"
    "<dsp:txXfrm><a:off x='100000' y='250000'/><a:ext cx='1000000' cy='500000'/></dsp:txXfrm></dsp:sp>"
    // A tall shape turned a quarter, its text box turned back to lie level across it.
    "<dsp:sp modelId='{2}'><dsp:nvSpPr><dsp:cNvPr id='0' name=''/><dsp:cNvSpPr/></dsp:nvSpPr>"
    "<dsp:spPr><a:xfrm rot='5400000'><a:off x='1500000' y='-500000'/><a:ext cx='952500' cy='2857500'/></a:xfrm>"
    "<a:prstGeom prst='rect'/></dsp:spPr><dsp:txBody><a:bodyPr/><a:p><a:r><a:t>Turned</a:t></a:r></a:p></dsp:txBody>"
    "<dsp:txXfrm rot='-5400000'><a:off x='547500' y='500125'/><a:ext cx='2857500' cy='857250'/></dsp:txXfrm></dsp:sp>"
    "</dsp:spTree></dsp:drawing>";

}  // namespace

TEST(GraphicFrame, DiagramsAreDrawnFromTheirDrawingPartAndObjectsAsTheirPreview) {
  TTempDir dir;
  TDeckParts parts;
  const std::string diagram =
      "<dgm:relIds xmlns:dgm='http://schemas.openxmlformats.org/drawingml/2006/diagram' "
      "xmlns:r='http://schemas.openxmlformats.org/officeDocument/2006/relationships' r:dm='rDm'/>";
  const std::string object =
      "<p:oleObj r:id='rOle'><p:embed/><p:pic><p:nvPicPr><p:cNvPr id='0' name=''/><p:cNvPicPr/><p:nvPr/></p:nvPicPr>"
      "<p:blipFill><a:blip r:embed='rImg'/><a:stretch/></p:blipFill><p:spPr/></p:pic></p:oleObj>";
  parts.Slides = {{Frame("Process", diagram) + Frame("Worksheet", object) + Frame("Broken", Replaced(diagram, "rDm", "rNone")),
                   RelationshipXml("rDm", "diagramData", "../diagrams/data1.xml") +
                       RelationshipXml("rDraw", "diagramDrawing", "../diagrams/drawing1.xml") +
                       RelationshipXml("rImg", "image", "../media/image1.png"),
                   ""}};
  TDeckWriter deck = BuildMinimalDeck(parts);
  deck.Add("ppt/diagrams/data1.xml",
           "<dgm:dataModel xmlns:dgm='http://schemas.openxmlformats.org/drawingml/2006/diagram'><dgm:extLst><a:ext "
           "xmlns:a='http://schemas.openxmlformats.org/drawingml/2006/main'><dsp:dataModelExt "
           "xmlns:dsp='http://schemas.microsoft.com/office/drawing/2008/diagram' relId='rDraw'/></a:ext></dgm:extLst>"
           "</dgm:dataModel>");
  deck.Add("ppt/diagrams/drawing1.xml", kDrawing);
  deck.Add("ppt/media/image1.png", "not really a png");
  auto p = LoadDeck(deck, dir);
  const TPPTXSlide& slide = *p->Slides.at(0);

  const TPPTXShape* step = nullptr;
  const TPPTXShape* preview = nullptr;
  const TPPTXShape* broken = nullptr;
  for (const auto& shape : slide.Shapes) {
    if (shape->PlainText() == "Step one") step = shape.get();
    if (shape->Name == "Worksheet") preview = shape.get();
    if (shape->Name == "Broken") broken = shape.get();
  }
  ASSERT_NE(broken, nullptr) << "a diagram without its parts stays a frame";
  EXPECT_EQ(broken->Kind, skOther);
  ASSERT_NE(step, nullptr);
  EXPECT_EQ(step->GroupPath, "Process");
  EXPECT_EQ(step->XEmu, 1100000);  // in the frame's space
  EXPECT_EQ(step->YEmu, 2000000);
  EXPECT_EQ(step->GeometryKind, skOval);
  EXPECT_NEAR(step->Geometry.TextTop, step->HeightPx() / 4, 1);  // its own text box
  const TPPTXShape* turned = nullptr;
  for (const auto& shape : slide.Shapes)
    if (shape->PlainText() == "Turned") turned = shape.get();
  ASSERT_NE(turned, nullptr);
  EXPECT_EQ(turned->RotationDeg + turned->TextRotationDeg, 0) << "the text reads level";
  const TShapeGeometry& g = turned->Geometry;
  EXPECT_NEAR(g.TextRight - g.TextLeft, 300, 1e-6) << "as wide as its box, across the narrow shape";
  EXPECT_NEAR(g.TextBottom - g.TextTop, 90, 1e-6);
  EXPECT_NEAR(g.TextLeft + g.TextRight, turned->WidthPx(), 1e-6) << "centred where both centres meet";
  EXPECT_NEAR(g.TextTop + g.TextBottom, turned->HeightPx(), 1e-6);
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(preview->Kind, skImage);
  EXPECT_EQ(preview->XEmu, 1000000);
  EXPECT_EQ(preview->WEmu, 4000000);
}

TEST(GraphicFrame, LegacyObjectsShowTheirVmlPreviewAndMetafilesAreMarked) {
  TTempDir dir;
  TDeckParts parts;
  const std::string object = "<p:oleObj spid='_x0000_s1026' r:id='rOle' progId='Excel.Sheet.12'><p:embed/></p:oleObj>";
  parts.Slides = {{Frame("Sheet", object) + Frame("Unknown", Replaced(object, "1026", "9999")) +
                       Frame("Named", Replaced(object, "1026", "1030")),
                   RelationshipXml("rVml", "vmlDrawing", "../drawings/vmlDrawing1.vml"), ""}};
  TDeckWriter deck = BuildMinimalDeck(parts);
  deck.Add("ppt/drawings/vmlDrawing1.vml",
           "<xml xmlns:v='urn:schemas-microsoft-com:vml' xmlns:o='urn:schemas-microsoft-com:office:office'>"
           "<v:shape id='_x0000_s1026'><v:imagedata o:relid='rId1'/></v:shape>"
           "<v:shape id='Named_x0020_3' o:spid='_x0000_s1030'><v:imagedata o:relid='rId1'/></v:shape></xml>");
  deck.Add("ppt/drawings/_rels/vmlDrawing1.vml.rels",
           "<Relationships xmlns='http://schemas.openxmlformats.org/package/2006/relationships'>" +
               RelationshipXml("rId1", "image", "../media/image1.emf") + "</Relationships>");
  // An EMF header record cut short: recognised, and drawn by no converter.
  std::string emf(44, '\0');
  emf[0] = 1;
  emf.replace(40, 4, " EMF");
  deck.Add("ppt/media/image1.emf", emf);
  auto p = LoadDeck(deck, dir);
  const auto& shapes = p->Slides.at(0)->Shapes;
  ASSERT_EQ(shapes.size(), 3u);
  EXPECT_EQ(shapes[0]->Kind, skImage);
  EXPECT_EQ(shapes[2]->Kind, skImage) << "a named VML shape is found by its o:spid";
  EXPECT_TRUE(shapes[0]->MediaFile.ends_with("image1.emf")) << "the import keeps the original";
  EXPECT_TRUE(shapes[0]->UndrawablePicture);
  EXPECT_EQ(shapes[0]->DrawnFile(), shapes[0]->MediaFile);
  EXPECT_EQ(shapes[1]->Kind, skOther) << "an object without a preview stays its frame";
}

namespace {

// A data model: the document point, then items "A", "B", ... with the
// sub-items listed for each (parOf links, given in reverse srcOrd order so
// that the order must come from srcOrd).
std::string DataModel(const std::vector<std::vector<std::string>>& items) {
  std::string points = "<dgm:pt modelId='doc' type='doc'/>", links;
  auto text = [](const std::string& t) { return "<dgm:t><a:bodyPr/><a:p><a:r><a:t>" + t + "</a:t></a:r></a:p></dgm:t>"; };
  for (size_t i = items.size(); i-- > 0;) {
    const std::string id = std::string(1, static_cast<char>('A' + i));
    points += "<dgm:pt modelId='" + id + "'>" + text(id) + "</dgm:pt>";
    links += "<dgm:cxn modelId='c" + id + "' srcId='doc' destId='" + id + "' srcOrd='" + std::to_string(i) + "'/>";
    for (size_t j = 0; j < items[i].size(); ++j) {
      points += "<dgm:pt modelId='" + id + std::to_string(j) + "'>" + text(items[i][j]) + "</dgm:pt>";
      links += "<dgm:cxn modelId='d" + id + std::to_string(j) + "' srcId='" + id + "' destId='" + id +
               std::to_string(j) + "' srcOrd='" + std::to_string(j) + "'/>";
    }
  }
  return "<dgm:dataModel xmlns:dgm='d' xmlns:a='a'><dgm:ptLst>" + points + "<dgm:pt modelId='p' type='pres'/>" +
         "</dgm:ptLst><dgm:cxnLst>" + links + "</dgm:cxnLst></dgm:dataModel>";
}

}  // namespace

TEST(GraphicFrame, DiagramsWithoutDrawnShapesListTheirItemsInTheFrame) {
  struct TCase {
    std::vector<std::vector<std::string>> Items;
    std::vector<std::string> Texts;  // the boxes' texts in order
  };
  const TCase cases[] = {
      {{{}, {}, {}}, {"A", "B", "C"}},
      {{{"a1", "a2"}, {}, {"c1"}}, {"A", "a1a2", "B", "C", "c1"}},
      {{}, {}},
  };
  const int64_t width = 4000000, height = 3000000;
  for (const TCase& c : cases) {
    auto model = LoadXmlDocumentFromBytes(DataModel(c.Items), "data");
    auto tree = BuildDiagramFallback(model->Root(), width, height);
    if (c.Texts.empty()) {
      EXPECT_EQ(tree, nullptr);
      continue;
    }
    ASSERT_NE(tree, nullptr);
    std::vector<std::string> texts;
    for (pugi::xml_node sp : tree->Root().children()) {
      std::string text;
      for (const pugi::xpath_node& t : sp.select_nodes(".//a:t")) text += t.node().text().get();
      texts.push_back(text);
      pugi::xml_node off = sp.select_node(".//a:off").node(), ext = sp.select_node(".//a:ext").node();
      EXPECT_GE(off.attribute("x").as_llong(), 0);
      EXPECT_LE(off.attribute("x").as_llong() + ext.attribute("cx").as_llong(), width) << text;
      EXPECT_LE(off.attribute("y").as_llong() + ext.attribute("cy").as_llong(), height) << text;
    }
    EXPECT_EQ(texts, c.Texts);
  }
  auto drawing = LoadXmlDocumentFromBytes(kDrawing, "drawing");
  EXPECT_FALSE(IsEmptyDiagramDrawing(drawing->Root()));
  auto empty = LoadXmlDocumentFromBytes("<dsp:drawing xmlns:dsp='x'><dsp:spTree><dsp:nvGrpSpPr/><dsp:grpSpPr/>"
                                        "</dsp:spTree></dsp:drawing>", "empty");
  EXPECT_TRUE(IsEmptyDiagramDrawing(empty->Root()));
}
