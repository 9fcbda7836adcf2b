// The JSON writer of `tarvik info --json`: strings always come out as valid
// JSON and valid UTF-8 whatever bytes they held, numbers read back exactly,
// media paths are made relative only when they lie inside the extraction
// folder, and a hand-built model comes out field by field.
#include "cli/model_json.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "cli/json_reader.h"
#include "platform/files.h"

using namespace tarvik;
using tarvik::test::TJson;
using tarvik::test::TJsonParser;

namespace {

TJson ParseOrFail(const std::string& text) {
  TJson doc;
  TJsonParser parser(text);
  EXPECT_TRUE(parser.Parse(doc)) << parser.Error << "\n" << text.substr(0, 2000);
  return doc;
}

std::string P(const std::string& a, const std::string& b) { return JoinPath(a, b); }

}  // namespace

TEST(JsonStringTest, EscapesWhatJsonRequiresAndReplacesInvalidUtf8) {
  const struct {
    std::string In;
    std::string Out;
  } cases[] = {
      {"", "\"\""},
      {"plain", "\"plain\""},
      {"say \"hi\"", "\"say \\\"hi\\\"\""},
      {"C:\\dir", "\"C:\\\\dir\""},
      {"a\r\nb\tc", "\"a\\r\\nb\\tc\""},
      {"\b\f", "\"\\b\\f\""},
      {std::string("nul\0x", 5), "\"nul\\u0000x\""},
      {"\x01\x1f\x7f", "\"\\u0001\\u001f\\u007f\""},
      {"caf\xC3\xA9 \xE6\x9D\xB1 \xF0\x9F\x9A\x80", "\"caf\xC3\xA9 \xE6\x9D\xB1 \xF0\x9F\x9A\x80\""},
      {"\xE2\x80\xA8\xE2\x80\xA9", "\"\\u2028\\u2029\""},
      // Invalid UTF-8: each offending byte becomes U+FFFD, the rest stays.
      {"a\x80z", "\"a\xEF\xBF\xBDz\""},                        // stray continuation byte
      {"\xC0\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},            // overlong NUL
      {"\xED\xA0\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},  // surrogate
      {"\xF4\x90\x80\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},  // > U+10FFFF
      {"x\xE2\x82", "\"x\xEF\xBF\xBD\xEF\xBF\xBD\""},          // cut-off sequence
      {"\xFF", "\"\xEF\xBF\xBD\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.In);
    std::string out = JsonString(c.In);
    EXPECT_EQ(out, c.Out);
    TJson doc = ParseOrFail(out);
    EXPECT_EQ(doc.Type, TJson::String);
  }
}

TEST(JsonNumberTest, ShortestTextThatReadsBackAndNullForNonFinite) {
  const struct {
    double In;
    const char* Out;
  } cases[] = {{18.0, "18"}, {10.5, "10.5"}, {-8.0, "-8"}, {0.1, "0.1"}, {2.25, "2.25"},
               {1.0 / 3.0, "0.3333333333333333"}, {1e21, "1e+21"}};
  for (const auto& c : cases) {
    EXPECT_EQ(JsonNumber(c.In), c.Out);
    TJson doc = ParseOrFail(JsonNumber(c.In));
    EXPECT_EQ(doc.N, c.In);
  }
  EXPECT_EQ(JsonNumber(std::numeric_limits<double>::quiet_NaN()), "null");
  EXPECT_EQ(JsonNumber(std::numeric_limits<double>::infinity()), "null");
  EXPECT_EQ(JsonNumber(-std::numeric_limits<double>::infinity()), "null");
}

TEST(RelativeMediaPathTest, OnlyPathsInsideTheFolderBecomeRelative) {
  const std::string folder = P(P("", "tmp"), "deck_extracted");
  const struct {
    std::string Path;
    std::string Out;
  } cases[] = {
      {P(P(P(folder, "ppt"), "media"), "image1.png"), "ppt/media/image1.png"},
      {P(folder, "top.png"), "top.png"},
      {folder + "2" + kPathSep + "x.png", folder + "2" + kPathSep + "x.png"},  // sibling folder
      {folder, folder},
      {"https://example.org/clip.mp4", "https://example.org/clip.mp4"},
      {"../outside/movie.mp4", "../outside/movie.mp4"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(RelativeMediaPath(c.Path, folder), c.Out) << c.Path;
  EXPECT_EQ(RelativeMediaPath("anything", ""), "anything");
}

TEST(PresentationToJsonTest, HandBuiltModelComesOutFieldByField) {
  TPPTXPresentation p;
  p.SlideWidthEmu = 9144000;
  p.SlideHeightEmu = 6858000;
  p.SourceFile = "talk.pptx";
  p.ExtractFolder = P(P("", "work"), "talk_extracted");
  p.MediaFolder = P(P(p.ExtractFolder, "ppt"), "media");
  p.ThemeMajorFont = "Georgia";
  p.ThemeMinorFont = "Verdana";

  auto slide = std::make_unique<TPPTXSlide>();
  slide->SourceFileName = "slide7.xml";
  slide->HasBackgroundColor = true;
  slide->BackgroundColor = 0x64381F;

  auto text = std::make_unique<TPPTXShape>();
  text->Kind = skText;
  text->GeometryKind = skRoundRect;
  text->Name = "Say \"hi\"\x01";
  text->XEmu = 14288;
  text->YEmu = -14288;
  text->WEmu = 914400;
  text->HEmu = 457200;
  text->RotationDeg = 15.5;
  text->IsTitle = true;
  text->ThemeFontRole = 1;
  text->GroupDepth = 2;
  text->GroupPath = "Outer/Inner";
  text->MarginLeftPx = 10;
  text->VerticalAnchor = 1;
  text->TextRotationDeg = -90;
  text->HasFill = true;
  text->FillColor = 0xC47244;
  text->HasLine = true;
  text->LineColor = 0x0000FF;
  text->LineWidthPt = 2.25;
  TPPTXParagraph para;
  para.Alignment = 2;
  para.Level = 1;
  para.Bullet = true;
  para.BulletChar = "\xE2\x80\xA2";
  TPPTXTextRun run;
  run.Text = "for";
  run.FontName = "+mn-lt";
  run.FontSizePt = 10.5;
  run.Bold = true;
  run.Color = 0x123456;
  run.HasColor = true;
  para.Runs.push_back(run);
  run = TPPTXTextRun{};
  run.Text = " ";
  para.Runs.push_back(run);
  text->Paragraphs.push_back(para);
  text->Paragraphs.push_back(TPPTXParagraph{});
  slide->Shapes.push_back(std::move(text));

  auto video = std::make_unique<TPPTXShape>();
  video->Kind = skVideo;
  video->Name = "Clip";
  video->CropLeft = 25000;
  video->CropBottom = -5000;
  video->FlipH = true;
  video->MediaFile = "https://example.org/clip.mp4";
  video->PosterImage = P(p.MediaFolder, "poster.png");
  slide->Shapes.push_back(std::move(video));
  p.Slides.push_back(std::move(slide));
  p.Slides.push_back(std::make_unique<TPPTXSlide>());

  std::string out = PresentationToJson(p);
  ASSERT_FALSE(out.empty());
  EXPECT_EQ(out.back(), '\n');
  TJson doc = ParseOrFail(out);

  EXPECT_EQ(doc["SlideWidthEmu"].Int(), 9144000);
  EXPECT_EQ(doc["SlideWidthPx"].Int(), 960);
  EXPECT_EQ(doc["SlideHeightPx"].Int(), 720);
  EXPECT_EQ(doc["SourceFile"].S, "talk.pptx");
  EXPECT_EQ(doc["ExtractFolder"].S, p.ExtractFolder);
  EXPECT_EQ(doc["MediaFolder"].S, p.MediaFolder);
  EXPECT_EQ(doc["ThemeMajorFont"].S, "Georgia");
  EXPECT_EQ(doc["ThemeMinorFont"].S, "Verdana");
  ASSERT_EQ(doc["Slides"].Items.size(), 2u);

  const TJson& s = doc["Slides"][0];
  EXPECT_EQ(s["SourceFileName"].S, "slide7.xml");
  EXPECT_TRUE(s["HasBackgroundColor"].B);
  EXPECT_EQ(s["BackgroundColor"].Int(), 0x64381F);
  ASSERT_EQ(s["Shapes"].Items.size(), 2u);

  const TJson& t = s["Shapes"][0];
  EXPECT_EQ(t["Kind"].S, "skText");
  EXPECT_EQ(t["GeometryKind"].S, "skRoundRect");
  EXPECT_EQ(t["Name"].S, "Say \"hi\"\x01");
  EXPECT_EQ(t["XEmu"].Int(), 14288);
  EXPECT_EQ(t["YEmu"].Int(), -14288);
  EXPECT_EQ(t["LeftPx"].Int(), 2);
  EXPECT_EQ(t["TopPx"].Int(), -2);
  EXPECT_EQ(t["WidthPx"].Int(), 96);
  EXPECT_EQ(t["HeightPx"].Int(), 48);
  EXPECT_EQ(t["RotationDeg"].N, 15.5);
  EXPECT_TRUE(t["IsTitle"].B);
  EXPECT_EQ(t["ThemeFontRole"].Int(), 1);
  EXPECT_EQ(t["GroupDepth"].Int(), 2);
  EXPECT_EQ(t["GroupPath"].S, "Outer/Inner");
  EXPECT_EQ(t["MarginLeftPx"].Int(), 10);
  EXPECT_EQ(t["VerticalAnchor"].Int(), 1);
  EXPECT_EQ(t["TextRotationDeg"].N, -90);
  EXPECT_TRUE(t["HasFill"].B);
  EXPECT_EQ(t["FillColor"].Int(), 0xC47244);
  EXPECT_TRUE(t["HasLine"].B);
  EXPECT_EQ(t["LineColor"].Int(), 0xFF);
  EXPECT_EQ(t["LineWidthPt"].N, 2.25);
  ASSERT_EQ(t["Paragraphs"].Items.size(), 2u);
  const TJson& para0 = t["Paragraphs"][0];
  EXPECT_EQ(para0["Alignment"].Int(), 2);
  EXPECT_EQ(para0["Level"].Int(), 1);
  EXPECT_TRUE(para0["Bullet"].B);
  EXPECT_EQ(para0["BulletChar"].S, "\xE2\x80\xA2");
  ASSERT_EQ(para0["Runs"].Items.size(), 2u);
  const TJson& r0 = para0["Runs"][0];
  EXPECT_EQ(r0["Text"].S, "for");
  EXPECT_EQ(r0["FontName"].S, "+mn-lt");
  EXPECT_EQ(r0["FontSizePt"].N, 10.5);
  EXPECT_TRUE(r0["Bold"].B);
  EXPECT_FALSE(r0["Italic"].B);
  EXPECT_FALSE(r0["Underline"].B);
  EXPECT_EQ(r0["Color"].Int(), 0x123456);
  EXPECT_TRUE(r0["HasColor"].B);
  EXPECT_EQ(para0["Runs"][1]["Text"].S, " ");
  EXPECT_EQ(para0["Runs"][1]["FontSizePt"].N, 18);
  EXPECT_EQ(t["Paragraphs"][1]["Runs"].Type, TJson::Array);
  EXPECT_TRUE(t["Paragraphs"][1]["Runs"].Items.empty());

  const TJson& v = s["Shapes"][1];
  EXPECT_EQ(v["Kind"].S, "skVideo");
  EXPECT_EQ(v["GeometryKind"].S, "skOther");
  EXPECT_EQ(v["CropLeft"].Int(), 25000);
  EXPECT_EQ(v["CropBottom"].Int(), -5000);
  EXPECT_TRUE(v["FlipH"].B);
  EXPECT_FALSE(v["FlipV"].B);
  EXPECT_EQ(v["MediaFile"].S, "https://example.org/clip.mp4");
  EXPECT_EQ(v["PosterImage"].S, "ppt/media/poster.png");
  EXPECT_FALSE(v["HasFill"].B);
  EXPECT_EQ(v["FillColor"].Int(), clNone);

  const TJson& empty = doc["Slides"][1];
  EXPECT_FALSE(empty["HasBackgroundColor"].B);
  EXPECT_EQ(empty["BackgroundColor"].Int(), 0xFFFFFF);
  EXPECT_EQ(empty["SourceFileName"].S, "");
  EXPECT_EQ(empty["Shapes"].Type, TJson::Array);
}

TEST(PresentationToJsonTest, EveryFieldOfTheModelHasItsKey) {
  TPPTXPresentation p;
  auto slide = std::make_unique<TPPTXSlide>();
  auto shape = std::make_unique<TPPTXShape>();
  TPPTXParagraph para;
  para.Runs.emplace_back();
  shape->Paragraphs.push_back(para);
  slide->Shapes.push_back(std::move(shape));
  p.Slides.push_back(std::move(slide));
  TJson doc = ParseOrFail(PresentationToJson(p));

  auto expectKeys = [](const TJson& object, std::vector<std::string> keys, const char* what) {
    std::vector<std::string> got;
    for (const auto& m : object.Members) got.push_back(m.first);
    std::sort(got.begin(), got.end());
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(got, keys) << what;
  };
  expectKeys(doc,
             {"SlideWidthEmu", "SlideHeightEmu", "SlideWidthPx", "SlideHeightPx", "Slides",
              "SourceFile", "ExtractFolder", "MediaFolder", "ThemeMajorFont", "ThemeMinorFont"},
             "presentation");
  expectKeys(doc["Slides"][0], {"Shapes", "HasBackgroundColor", "BackgroundColor", "SourceFileName"},
             "slide");
  expectKeys(doc["Slides"][0]["Shapes"][0],
             {"Kind", "Name", "XEmu", "YEmu", "WEmu", "HEmu", "LeftPx", "TopPx", "WidthPx",
              "HeightPx", "RotationDeg", "IsTitle", "ThemeFontRole", "GroupDepth", "GroupPath",
              "Paragraphs", "MarginLeftPx", "MarginRightPx", "MarginTopPx", "MarginBottomPx",
              "VerticalAnchor", "TextRotationDeg", "CropLeft", "CropTop", "CropRight",
              "CropBottom", "FlipH", "FlipV", "MediaFile", "PosterImage", "HasFill", "FillColor",
              "HasLine", "LineColor", "LineWidthPt", "GeometryKind", "AnchorCenter", "WrapText",
              "VerticalTextDeg", "VerticalGlyphs", "VerticalLinesFromLeft", "AutoFit", "FontScalePct", "LineSpacingReductionPct"},
             "shape");
  expectKeys(doc["Slides"][0]["Shapes"][0]["Paragraphs"][0],
             {"Runs", "Alignment", "RightToLeft", "Level", "Bullet", "BulletChar", "BulletFont", "BulletColor",
              "HasBulletColor", "BulletSizePct", "AutoNumScheme", "AutoNumStartAt", "HasIndents", "MarginLeftEmu",
              "IndentEmu", "MarginRightEmu", "LineSpacingPct", "LineSpacingPt", "SpaceBeforePt", "SpaceAfterPt", "EndFontSizePt"},
             "paragraph");
  expectKeys(doc["Slides"][0]["Shapes"][0]["Paragraphs"][0]["Runs"][0],
             {"Text", "FontName", "FontSizePt", "Bold", "Italic", "Underline", "Strikethrough", "Color", "HasColor",
              "BaselinePct", "Caps", "LetterSpacingPt"},
             "run");
}

TEST(PresentationToJsonTest, EmptyPresentationIsStillAnObject) {
  TJson doc = ParseOrFail(PresentationToJson(TPPTXPresentation{}));
  EXPECT_EQ(doc.Type, TJson::Object);
  EXPECT_EQ(doc["Slides"].Type, TJson::Array);
  EXPECT_TRUE(doc["Slides"].Items.empty());
  EXPECT_EQ(doc["SlideWidthPx"].Int(), 0);
}
