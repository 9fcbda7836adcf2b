// The publication source records: header and page lines, each object record
// line by line, the number rules and the object names.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "platform/rounding.h"
#include "platform/system.h"
#include "pubexport/pub_numbers.h"
#include "pubexport/pub_test_support.h"
#include "pubexport/publication_writer.h"
#include "pubexport/rich_text.h"

using namespace tarvik;
using namespace tarvik::test;

namespace {

std::string Sep() { return std::string(1, kPathSep); }

// Runs a test body with LC_ALL (and LC_NUMERIC, LANG) set, restoring them after.
class TLocaleEnv {
 public:
  explicit TLocaleEnv(const std::string& lcAll) {
    for (const char* name : {"LC_ALL", "LC_NUMERIC", "LANG", "LOCPATH"}) {
      saved_.push_back({name, HasEnvVar(name), GetEnvVar(name)});
      UnsetEnvVar(name);
    }
    if (!lcAll.empty()) SetEnvVar("LC_ALL", lcAll);
  }
  ~TLocaleEnv() {
    for (const auto& s : saved_) s.had ? SetEnvVar(s.name, s.value) : UnsetEnvVar(s.name);
  }

 private:
  struct Saved {
    std::string name;
    bool had;
    std::string value;
  };
  std::vector<Saved> saved_;
};

}  // namespace

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  struct Case {
    double value;
    int32_t rounded;
  } cases[] = {{2.5, 2},   {3.5, 4},   {-2.5, -2}, {-3.5, -4}, {0.5, 0},        {1.5, 2},
               {2.4999, 2}, {2.5001, 3}, {-0.4, 0}, {7, 7},     {1e12, INT32_MAX}, {-1e12, INT32_MIN}};
  for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.value), c.rounded) << c.value;
  EXPECT_EQ(RoundHalfEven(std::nan("")), 0);
}

TEST(RoundDivHalfEven, ExactQuotients) {
  struct Case {
    int64_t num, den, q;
  } cases[] = {{5, 2, 2}, {7, 2, 4}, {-5, 2, -2}, {-7, 2, -4}, {2000000, 100000, 20},
               {250000, 100000, 2}, {350000, 100000, 4}, {-250000, 100000, -2}, {149999, 100000, 1}};
  for (const auto& c : cases) EXPECT_EQ(RoundDivHalfEven(c.num, c.den), c.q) << c.num << "/" << c.den;
}

TEST(FormatAngle, AtMostThreeDecimalsWithTheGivenSeparator) {
  struct Case {
    double value;
    const char* dot;
    const char* comma;
  } cases[] = {
      {12.5, "12.5", "12,5"},     {-12.5, "-12.5", "-12,5"},  {90, "90", "90"},
      {0.0104, "0.01", "0,01"},   {33.3333333, "33.333", "33,333"}, {359.9996, "360", "360"},
      {0.0125, "0.012", "0,012"}, {0.0135, "0.014", "0,014"}, {-0.0135, "-0.014", "-0,014"},
      {12.5005, "12.5", "12,5"},  {1.2345678, "1.235", "1,235"}, {-0.0004, "0", "0"},
      {270.25, "270.25", "270,25"}, {1e6, "1000000", "1000000"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatAngle(c.value, "."), c.dot) << c.value;
    EXPECT_EQ(FormatAngle(c.value, ","), c.comma) << c.value;
  }
}

TEST(FormatAngle, FollowsTheUserLocale) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows takes the separator from the user's settings, not the environment";
#else
  {
    TLocaleEnv env("C");
    EXPECT_EQ(UserDecimalSeparator(), ".");
    EXPECT_EQ(FormatAngle(-12.5), "-12.5");
  }
  // A German locale writes a comma; build one privately when the system has none.
  TTempDir dir;
  std::string german = "de_DE.UTF-8";
  std::string locpath;
  {
    TLocaleEnv probe(german);
    if (UserDecimalSeparator() != ",") {
      std::string command = "localedef -i de_DE -f UTF-8 '" + (dir / german) + "' >/dev/null 2>&1";
      if (std::system(command.c_str()) != 0) GTEST_SKIP() << "no German locale and no localedef";
      locpath = dir.Path();
    }
  }
  // glibc keeps a few bytes of every LOCPATH it reads, which the leak checker
  // of sanitizer builds reports; a child process that ends with _exit keeps
  // that out of this process.
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    close(fds[0]);
    TLocaleEnv env(german);
    if (!locpath.empty()) SetEnvVar("LOCPATH", locpath);
    std::string sb;
    WriteBoxObject(sb, "B_1", 0, 0, 1, 1, 0, 0, 0, false, -12.5);
    std::string report = UserDecimalSeparator() + "|" + FormatAngle(12.5) + "|" + PubLines(sb).back();
    ssize_t written = write(fds[1], report.data(), report.size());
    _exit(written == static_cast<ssize_t>(report.size()) ? 0 : 1);
  }
  close(fds[1]);
  std::string report;
  char buffer[256];
  ssize_t n;
  while ((n = read(fds[0], buffer, sizeof buffer)) > 0) report.append(buffer, static_cast<size_t>(n));
  close(fds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_EQ(report, ",|12,5|; Tarvik Rotation=-12,5");
#endif
}

TEST(WritePubHeader, FortySixLinesInOrder) {
  std::string sb;
  std::string folder = Sep() + "work" + Sep() + "out";
  WritePubHeader(sb, "Deck - Imported", folder + Sep() + "deck.pub", 1280, 720);
  std::vector<std::string> expected = {
      "NBW Publication Source File",
      "",  // the notice, checked below
      "Title=Deck - Imported", "Author=Tarvik", "Language=US", "NeoBookVer=5.80", "ScreenColors=16777216",
      "ScreenWidth=1280", "ScreenHeight=720", "BkndColor=16777215", "ScreenAutoSize=Yes",
      "LinkColor=16711680", "WindowStyle=0", "WindowOrder=0", "WindowPos=0", "WindowProps=31", "BiDiMode=0",
      "UseUpdateTimer=Yes", "ReturnTime=60", "ShapeTransColor=536870912", "CompileType=0", "MediaType=0",
      "FilesIncluded=1", "FontsIncluded=0", "CopyExternalFiles=Yes", "SetupMedia=3",
      "SetupInstDir=" + folder + Sep(), "SetupTitle=Deck - Imported Setup", "SetupColors=16711680|0|65535",
      "VersionMajor=2", "VersionMinor=0", "VersionRelease=0", "VersionBuild=0", "ReqExLevel=1",
      "CustomFontName=Arial", "CustomFontSize=9", "CustomFontStyle=0", "CustomCharset=1", "CacheSize=30",
      "ExtractOp=132", "L_OK=OK", "L_CANCEL=Cancel", "L_YES=Yes", "L_NO=No", "L_CLOSE=Close",
      "L_ERRORTITLE=Error"};
  std::vector<std::string> lines = PubLines(sb);
  ASSERT_EQ(lines.size(), 46u);
  EXPECT_EQ(lines[1].rfind("; ", 0), 0u) << "the notice is a comment line: " << lines[1];
  lines[1] = "";
  EXPECT_EQ(lines, expected);
}

TEST(WritePubHeader, TitleAndFolderStayOnTheirLines) {
  std::string sb;
  WritePubHeader(sb, "Two\r\nLines", Sep() + "x" + Sep() + "p.pub", 1, 1);
  std::vector<std::string> lines = PubLines(sb);
  ASSERT_EQ(lines.size(), 46u);
  EXPECT_EQ(lines[2], "Title=TwoLines");
  EXPECT_EQ(lines[27], "SetupTitle=TwoLines Setup");
}

TEST(WritePageSettings, BackgroundOnlyWhenTheSlideStatesOne) {
  struct Case {
    bool has;
    TColor color;
    const char* line;
  } cases[] = {{false, 0x0000FF, "PageColor=16777215"},
               {true, clNone, "PageColor=16777215"},
               {true, 0x0000FF, "PageColor=255"},
               {true, 0, "PageColor=0"}};
  for (const auto& c : cases) {
    TPPTXSlide slide;
    slide.HasBackgroundColor = c.has;
    slide.BackgroundColor = c.color;
    std::string sb;
    WritePageSettings(sb, slide);
    EXPECT_EQ(sb, JoinLines({c.line, "PageStyle=0", "PageGradient1=0", "PageGradient2=0", "PageGradientDir=1",
                             "WallpaperStyle=0", "EffectSpeed=0"}));
  }
}

TEST(WriteBoxObject, RectangleAndRoundedRectangle) {
  std::string sb;
  WriteBoxObject(sb, "Rect_1", -5, 7, 0, -3, 255, 65280, 2, false, 0.005);
  EXPECT_EQ(sb, JoinLines({"ObjectType=5", "Name=Rect_1", "X=-5", "Y=7", "W=1", "H=1", "Anchor=0",
                           "LineColor=65280", "LineWidth=2", "LineStyle=0", "FillColor=255", "FillPattern=1",
                           "FillMode=Yes", "TabOrder=0"}));
  sb.clear();
  WriteBoxObject(sb, "Round_2", 1, 2, 30, 40, 16777215, 0, 0, true, 90);
  EXPECT_EQ(sb, JoinLines({"ObjectType=16", "Name=Round_2", "X=1", "Y=2", "W=30", "H=40", "Anchor=0",
                           "LineColor=0", "LineWidth=0", "LineStyle=0", "FillColor=16777215", "FillPattern=1",
                           "FillMode=Yes", "TabOrder=0", "; Tarvik Rotation=90"}));
}

TEST(WriteBoxObject, RotationCommentThreshold) {
  TLocaleEnv env("C");
  const std::string sep = UserDecimalSeparator();
  struct Case {
    double deg;
    std::string line;  // empty: no comment
  } cases[] = {{0.005, ""}, {-0.01, ""}, {0.0104, "; Tarvik Rotation=0" + sep + "01"},
               {90, "; Tarvik Rotation=90"}, {-12.5, "; Tarvik Rotation=-12" + sep + "5"}};
  for (const auto& c : cases) {
    std::string sb;
    WriteBoxObject(sb, "R_1", 0, 0, 1, 1, 0, 0, 0, false, c.deg);
    auto comments = LinesStarting(sb, ";");
    if (c.line.empty()) {
      EXPECT_TRUE(comments.empty()) << c.deg;
    } else {
      ASSERT_EQ(comments.size(), 1u) << c.deg;
      EXPECT_EQ(comments[0], c.line);
      EXPECT_EQ(PubLines(sb).back(), c.line);
    }
  }
}

TEST(WriteEllipseObject, FillModeFollowsTheFill) {
  auto shape = Shape(skOval, "Oval", 10, 20, 30, 40);
  shape->HasLine = true;
  shape->LineColor = 0x808080;
  shape->LineWidthPt = 0.4;
  std::string sb;
  WriteEllipseObject(sb, "Oval_3", *shape);
  EXPECT_EQ(sb, JoinLines({"ObjectType=6", "Name=Oval_3", "X=10", "Y=20", "W=30", "H=40", "Anchor=0",
                           "LineColor=8421504", "LineWidth=1", "LineStyle=0", "FillColor=16777215",
                           "FillPattern=1", "FillMode=No", "TabOrder=0"}));
  shape->HasFill = true;
  shape->FillColor = 0x00FF00;
  shape->HasLine = false;
  shape->RotationDeg = 45;
  sb.clear();
  WriteEllipseObject(sb, "Oval_3", *shape);
  EXPECT_EQ(sb, JoinLines({"ObjectType=6", "Name=Oval_3", "X=10", "Y=20", "W=30", "H=40", "Anchor=0",
                           "LineColor=0", "LineWidth=0", "LineStyle=0", "FillColor=65280", "FillPattern=1",
                           "FillMode=Yes", "TabOrder=0", "; Tarvik Rotation=45"}));
}

TEST(WriteLineObject, EndPointsFollowFlipsThenRotation) {
  struct Case {
    bool flipH, flipV;
    double deg;
    int x1, y1, x2, y2;
  } cases[] = {
      // Box 100,50 .. 160,90.
      {false, false, 0, 100, 50, 160, 90},
      {true, true, 0, 100, 50, 160, 90},
      {true, false, 0, 160, 50, 100, 90},
      {false, true, 0, 160, 50, 100, 90},
      // A quarter turn about the centre (130,70): (100,50) -> (150,40), (160,90) -> (110,100).
      {false, false, 90, 150, 40, 110, 100},
      {true, false, 90, 150, 100, 110, 40},
      {false, false, 180, 160, 90, 100, 50},
      {false, false, 0.005, 100, 50, 160, 90},
  };
  for (const auto& c : cases) {
    auto shape = Shape(skLine, "Line", 100, 50, 60, 40);
    shape->FlipH = c.flipH;
    shape->FlipV = c.flipV;
    shape->RotationDeg = c.deg;
    std::string sb;
    WriteLineObject(sb, "Line_1", *shape);
    std::string expect = "ObjectType=7\r\nName=Line_1\r\nX1=" + std::to_string(c.x1) + "\r\nY1=" +
                         std::to_string(c.y1) + "\r\nX2=" + std::to_string(c.x2) + "\r\nY2=" +
                         std::to_string(c.y2) + "\r\n";
    EXPECT_EQ(sb.substr(0, expect.size()), expect) << c.flipH << c.flipV << " " << c.deg;
  }
}

TEST(WriteLineObject, WholeRecordAndWidths) {
  auto shape = Shape(skLine, "L", 0, 5, 0, 25);  // a vertical line, zero wide
  std::string sb;
  WriteLineObject(sb, "L_2", *shape);
  EXPECT_EQ(sb, JoinLines({"ObjectType=7", "Name=L_2", "X1=0", "Y1=5", "X2=0", "Y2=30", "EndCaps=0",
                           "LineColor=0", "LineWidth=1", "LineStyle=0", "FillColor=16777215",
                           "FillPattern=0", "TabOrder=0"}));
  struct Case {
    double pt;
    const char* line;
  } widths[] = {{0, "LineWidth=1"}, {2.5, "LineWidth=2"}, {3.5, "LineWidth=4"}, {0.75, "LineWidth=1"}};
  for (const auto& w : widths) {
    shape->HasLine = true;
    shape->LineColor = 0xFF0000;
    shape->LineWidthPt = w.pt;
    sb.clear();
    WriteLineObject(sb, "L_2", *shape);
    EXPECT_EQ(LinesStarting(sb, "LineWidth=")[0], w.line) << w.pt;
    EXPECT_EQ(LinesStarting(sb, "LineColor=")[0], "LineColor=16711680");
  }
}

TEST(WriteTextObject, WholeRecord) {
  auto shape = Shape(skText, "Title 1", 40, 30, 600, 0);
  auto run = TextRun("Hi", "Calibri Light", 10.5, 0x0000FF, true);
  shape->Paragraphs.push_back(Para({run}, 2));
  shape->MarginLeftPx = 10;
  shape->MarginTopPx = -4;
  shape->HasLine = true;
  shape->LineColor = 0x00FF00;
  shape->HasFill = true;
  shape->FillColor = 0xFF0000;
  shape->VerticalAnchor = 1;
  shape->TextRotationDeg = 270;
  shape->RotationDeg = 30;  // not written for text objects
  std::string sb;
  WriteTextObject(sb, "Title_1_1", *shape);
  EXPECT_EQ(sb, JoinLines({"ObjectType=8", "Name=Title_1_1", "X=40", "Y=30", "W=600", "H=1", "Anchor=0",
                           "Font=Calibri Light", "FontSize=10", "FontStyle=0", "FontCharset=1", "TextColor=255",
                           "Text=" + BuildTextRtf(*shape), "HMargin=10", "VMargin=0", "Align=2",
                           "LineColor=65280", "LineWidth=0", "LineStyle=6", "FillColor=16711680",
                           "FillPattern=1", "FillMode=Yes", "TabOrder=0", "; Tarvik VerticalAnchor=1",
                           "; Tarvik TextRotation=270"}));
}

TEST(WriteTextObject, DefaultsWithoutAFirstRun) {
  struct Case {
    std::vector<TPPTXParagraph> paragraphs;
    const char* font;
    const char* size;
    const char* color;
    const char* align;
  } cases[] = {
      {{}, "Font=Arial", "FontSize=18", "TextColor=0", "Align=0"},
      {{Para({}, 3), Para({TextRun("x", "Times", 30, 0xFF, true)})}, "Font=Arial", "FontSize=18", "TextColor=0",
       "Align=3"},
      {{Para({TextRun("x", "", 0, 0xFF, false)})}, "Font=Arial", "FontSize=1", "TextColor=0", "Align=0"},
      {{Para({TextRun("x", "Times", 12.5)})}, "Font=Times", "FontSize=12", "TextColor=0", "Align=0"},
  };
  for (const auto& c : cases) {
    auto shape = Shape(skText, "T", 0, 0, 10, 10);
    shape->Paragraphs = c.paragraphs;
    std::string sb;
    WriteTextObject(sb, "T_1", *shape);
    auto lines = PubLines(sb);
    ASSERT_EQ(lines.size(), 23u);  // no comment lines for a top-anchored, unturned text
    EXPECT_EQ(lines[7], c.font);
    EXPECT_EQ(lines[8], c.size);
    EXPECT_EQ(lines[11], c.color);
    EXPECT_EQ(lines[15], c.align);
    EXPECT_EQ(lines[19], "FillColor=0");
  }
}

TEST(WritePictureAndMediaObjects, WholeRecords) {
  auto pic = Shape(skImage, "Picture 3", -10, 20, 0, 50);
  pic->HasLine = true;
  pic->LineColor = 0x0000FF;
  pic->LineWidthPt = 6;
  pic->RotationDeg = 180;
  std::string sb;
  WritePictureObject(sb, "Picture_3_2", "media\\slide1_obj2.png", *pic);
  EXPECT_EQ(sb, JoinLines({"ObjectType=4", "Name=Picture_3_2", "X=-10", "Y=20", "W=1", "H=50", "Anchor=0",
                           "FileName=media\\slide1_obj2.png", "PictStyle=2", "Centered=Yes", "Resample=Yes",
                           "LineColor=255", "LineWidth=1", "LineStyle=0", "FillColor=16777215",
                           "FillPattern=1", "FillMode=Yes", "TabOrder=0", "; Tarvik Rotation=180"}));
  auto video = Shape(skVideo, "Video", 1, 2, 3, 0);
  video->RotationDeg = 45;
  sb.clear();
  WriteMediaObject(sb, "Video_4", "media\\slide1_obj4.mp4", *video);
  EXPECT_EQ(sb, JoinLines({"ObjectType=17", "Name=Video_4", "X=1", "Y=2", "W=3", "H=1", "Anchor=0",
                           "FileName=media\\slide1_obj4.mp4", "AutoStart=No", "LineColor=0", "LineWidth=0",
                           "LineStyle=0", "FillColor=0", "FillPattern=0", "TabOrder=0"}));
}

TEST(WritePlaceholderObject, GreyBoxWithoutColoursOrText) {
  auto shape = Shape(skOther, "Chart", 5, 6, 70, 80);
  shape->HasFill = true;
  shape->FillColor = 0x0000FF;
  shape->Paragraphs.push_back(Para({TextRun("lost")}));
  shape->RotationDeg = 10;
  std::string sb;
  WritePlaceholderObject(sb, "Chart_9", *shape);
  EXPECT_EQ(sb, JoinLines({"ObjectType=5", "Name=Chart_9", "X=5", "Y=6", "W=70", "H=80", "Anchor=0",
                           "LineColor=8421504", "LineWidth=1", "LineStyle=0", "FillColor=16777215",
                           "FillPattern=1", "FillMode=Yes", "TabOrder=0", "; Tarvik Rotation=10",
                           "; Tarvik unsupported PPTX object preserved as editable placeholder"}));
}

TEST(MakeObjectName, AsciiIdentifiersWithThePosition) {
  struct Case {
    std::string name, groupPath;
    int32_t position;
    std::string expected;
  } cases[] = {
      {"Title 1", "", 1, "Title_1_1"},
      {"", "", 3, "Object_3"},
      {" \t\r\n ", "", 3, "Object_3"},
      {"3D Model", "", 5, "Obj_3D_Model_5"},
      {std::string(50, 'a'), "", 7, std::string(40, 'a') + "_7"},
      {"9" + std::string(50, 'b'), "", 2, "Obj_9" + std::string(35, 'b') + "_2"},
      {"Pic", "Group 2/Inner", 4, "Group_2_Inner_Pic_4"},
      {"Gr\xC3\xBC" "n", "", 1, "Gr_n_1"},                 // one unit, one "_"
      {"a\xF0\x9F\x98\x80" "b", "", 2, "a__b_2"},         // two units outside the BMP
      {"  padded  ", "", 8, "padded_8"},
      {"x-y.z", "", 12, "x_y_z_12"},
      {"Inner", "/", 1, "__Inner_1"},
  };
  for (const auto& c : cases) {
    TPPTXShape shape;
    shape.Name = c.name;
    shape.GroupPath = c.groupPath;
    EXPECT_EQ(MakeObjectName(ObjectBaseName(shape), c.position), c.expected) << c.name;
  }
}
