// The benchmark deck: many slides of about twenty shapes each — a title
// placed by the layout, a bullet list of mixed runs, basic shapes, a line and
// a connector, text boxes, a rotated group with a nested group, a cropped and
// a mirrored picture, a table and a footer. Pictures come from a pool shared
// by all slides, as a template's pictures are.
#include <string>

#include "decks.h"
#include "pictures.h"
#include "slide_xml.h"

namespace mkdeck {

using tarvik::test::RelationshipXml;
using tarvik::test::TDeckParts;
using tarvik::test::TDeckWriter;
using tarvik::test::TSlideParts;

namespace {

constexpr int kPicturePool = 12;
const char* const kAccents[] = {"accent1", "accent2", "accent3", "accent4", "accent5", "accent6"};
const char* const kPresets[] = {"rect", "roundRect", "ellipse", "triangle", "diamond", "hexagon"};

std::string N(int v) { return std::to_string(v); }

std::string MixedRuns(int slide, int para) {
  const char* accent = kAccents[(slide + para) % 6];
  return Run("Point " + N(para + 1) + " of slide " + N(slide) + ": ") +
         Run("measured", "b=\"1\"", SolidFill(Scheme(accent))) +
         Run(" and then ", "i=\"1\"") + Run("explained in plain words", "sz=\"2000\" u=\"sng\"");
}

std::string BodyBox(int slide, int& id) {
  std::string paras;
  for (int p = 0; p < 5; ++p)
    paras += Para(MixedRuns(slide, p), "lvl=\"" + N(p % 2) + "\"", Bullet());
  return Shape(id++, "Body " + N(slide), SpPr(Xfrm({838200, 1700000, 5200000, 3400000}), "rect"),
               TxBody(paras, "lIns=\"91440\" tIns=\"45720\" rIns=\"91440\" bIns=\"45720\""),
               "<p:nvPr/>", true);
}

std::string BasicShapes(int slide, int& id) {
  std::string out;
  for (int i = 0; i < 4; ++i) {
    TBox box{6300000 + int64_t(i % 2) * 1400000, 1700000 + int64_t(i / 2) * 1100000, 1200000,
             900000};
    std::string preset = kPresets[(slide + i) % 6];
    std::string text = (slide + i) % 2 ? TxBody(Para(Run("Step " + N(i + 1), "sz=\"1600\" b=\"1\"",
                                                         SolidFill(Scheme("bg1"))),
                                                     "algn=\"ctr\""),
                                                "anchor=\"ctr\"")
                                       : "";
    out += Shape(id++, "Shape " + N(i + 1),
                 SpPr(Xfrm(box), preset, SolidFill(Scheme(kAccents[(slide + i) % 6])),
                      Outline(1, Scheme("tx1", "<a:lumMod val=\"75000\"/>"))),
                 text);
  }
  out += Shape(id++, "Rule", SpPr(Xfrm({838200, 5200000, 10515600, 0}), "line", "",
                                  Outline(1.5, Scheme("accent1"))));
  out += Connector(id++, "Arrow", Xfrm({6300000, 3900000, 2600000, 500000}, 0, slide % 2, false),
                   "straightConnector1", Outline(2, Scheme("tx2"), "<a:tailEnd type=\"arrow\"/>"));
  return out;
}

std::string TextBoxes(int slide, int& id) {
  std::string out;
  for (int i = 0; i < 2; ++i) {
    std::string paras = Para(Run("Note " + N(i + 1) + ": ", "b=\"1\"") +
                             Run("slide " + N(slide) + " keeps its promise")) +
                        Para(Run("Source: ", "i=\"1\"") + Run("the team's own measurements"),
                             "algn=\"r\"");
    out += Shape(id++, "Note " + N(i + 1),
                 SpPr(Xfrm({838200 + int64_t(i) * 2700000, 5300000, 2600000, 700000}), "rect",
                      SolidFill(Scheme("bg2"))),
                 TxBody(paras, "anchor=\"t\""), "<p:nvPr/>", true);
  }
  return out;
}

// Ids are taken one statement at a time: the operands of + are unsequenced.
std::string RotatedGroup(int slide, int& id) {
  int groupId = id++;
  std::string members =
      Shape(id++, "Member Box", SpPr(Xfrm({0, 0, 1000000, 500000}), "rect",
                                     SolidFill(Scheme("accent1"))),
            TxBody(Para(Run("Part " + N(slide), "sz=\"1200\"", SolidFill(Scheme("bg1"))),
                        "algn=\"ctr\"")));
  members += Shape(id++, "Member Ring", SpPr(Xfrm({1200000, 0, 500000, 500000}), "ellipse",
                                             SolidFill(Scheme("accent2"))));
  members += Connector(id++, "Member Link", Xfrm({1000000, 250000, 200000, 0}),
                       "straightConnector1", Outline(1, Scheme("tx1")));
  int innerId = id++;
  std::string inner = Shape(id++, "Inner A", SpPr(Xfrm({0, 600000, 400000, 300000}), "rect",
                                                   SolidFill(Scheme("accent3"))));
  inner += Shape(id++, "Inner B", SpPr(Xfrm({500000, 600000, 400000, 300000}), "roundRect",
                                       SolidFill(Scheme("accent4"))));
  members += Group(innerId, "Inner", {0, 600000, 900000, 300000}, {0, 600000, 900000, 300000}, 0,
                   inner);
  return Group(groupId, "Cluster", {9200000, 3900000, 2400000, 1300000}, {0, 0, 1700000, 900000},
               (slide * 7) % 40 - 20, members);
}

std::string Pictures(int slide, int& id) {
  std::string out = Picture(id++, "Photo", "rId2", Xfrm({9300000, 1700000, 1300000, 900000}),
                            "l=\"10000\" t=\"5000\" r=\"10000\" b=\"5000\"");
  out += Picture(id++, "Photo (mirrored)", "rId3",
                 Xfrm({10700000, 1700000, 1300000, 900000}, 0, true, slide % 3 == 0));
  return out;
}

TSlideParts BenchSlide(int slide) {
  TSlideParts s;
  s.Layout = 3;  // Title Only: the title's box comes from the master
  s.Rels =
      RelationshipXml("rId2", "image", "../media/photo" + N(slide % kPicturePool + 1) + ".png") +
      RelationshipXml("rId3", "image",
                      "../media/photo" + N((slide + 5) % kPicturePool + 1) + ".png");
  int id = 3;
  s.SpTree = Shape(2, "Title 1", "<p:spPr/>",
                   TxBody(Para(Run("Slide " + N(slide) + ": ") +
                               Run("results and next steps", "b=\"1\""))),
                   PlaceholderNvPr("title"));
  s.SpTree += BodyBox(slide, id);
  s.SpTree += BasicShapes(slide, id);
  s.SpTree += TextBoxes(slide, id);
  s.SpTree += RotatedGroup(slide, id);
  s.SpTree += Pictures(slide, id);
  s.SpTree += Table(id++, "Figures", {6300000, 4500000, 2600000, 600000},
                    {{"Metric", "Value"}, {"Slide", N(slide).c_str()}});
  s.SpTree += Shape(id++, "Footer", SpPr(Xfrm({838200, 6300000, 10515600, 300000}), "rect"),
                    TxBody(Para(Run("Benchmark deck \xC2\xB7 " + N(slide), "sz=\"1000\""),
                                "algn=\"r\"")),
                    "<p:nvPr/>", true);
  return s;
}

}  // namespace

TDeckWriter BuildBenchDeck(int slides) {
  TDeckParts parts;
  AddTalkLayouts(parts);
  for (int i = 1; i <= slides; ++i) parts.Slides.push_back(BenchSlide(i));
  TDeckWriter w = tarvik::test::BuildMinimalDeck(parts);
  for (int i = 1; i <= kPicturePool; ++i)
    w.Add("ppt/media/photo" + N(i) + ".png", GrainyPhotoPng(320, 240, uint32_t(i)),
          TDeckWriter::TStorage::Stored);
  return w;
}

}  // namespace mkdeck
