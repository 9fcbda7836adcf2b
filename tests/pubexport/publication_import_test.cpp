// The publication written from a hand-built model: pages and records in
// order, counts, media copies and transformed pictures beside the file, the
// title, and the file's encoding.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/system.h"
#include "pubexport/media_files.h"
#include "pubexport/picture_codec.h"
#include "pubexport/pub_test_support.h"
#include "pubexport/publication_import.h"

using namespace tarvik;
using namespace tarvik::test;

namespace {

std::unique_ptr<TPPTXPresentation> Deck(int slides) {
  auto p = std::make_unique<TPPTXPresentation>();
  p->SlideWidthEmu = 1280 * 9525;
  p->SlideHeightEmu = 720 * 9525;
  for (int i = 0; i < slides; ++i) p->Slides.push_back(std::make_unique<TPPTXSlide>());
  return p;
}

TPPTXShape& Add(TPPTXPresentation& p, int slide, std::unique_ptr<TPPTXShape> s) {
  p.Slides[size_t(slide - 1)]->Shapes.push_back(std::move(s));
  return *p.Slides[size_t(slide - 1)]->Shapes.back();
}

std::string Native(const std::string& relative) {
  std::string path = relative;
  for (char& c : path)
    if (c == '\\') c = kPathSep;
  return path;
}

class PublicationTest : public ::testing::Test {
 protected:
  std::string Picture(const std::string& name, int32_t w = 4, int32_t h = 2) {
    std::string path = dir_ / ("src/" + name);
    ForceDirectories(ExtractFileDir(path));
    WriteFileBytes(path, EncodePng(TRgbBitmap(w, h, 0x336699)));
    return path;
  }
  std::string File(const std::string& name, const std::string& bytes) {
    std::string path = dir_ / ("src/" + name);
    ForceDirectories(ExtractFileDir(path));
    WriteFileBytes(path, bytes);
    return path;
  }
  std::string Build(const TPPTXPresentation& p, int32_t& slides, int32_t& objects,
                    const std::string& pptx = "deck.pptx") {
    slides = objects = 0;
    return BuildPublicationText(p, dir_ / pptx, pub_, slides, objects);
  }
  TTempDir dir_;
  std::string pub_ = dir_ / "out/deck.pub";
};

}  // namespace

TEST_F(PublicationTest, PagesAndRecordsSkipMissingMedia) {
  ForceDirectories(ExtractFileDir(pub_));
  auto p = Deck(3);
  Add(*p, 1, Shape(skText, "Title 1", 0, 0, 100, 50)).Paragraphs.push_back(Para({TextRun("Hi")}));
  Add(*p, 1, Shape(skRect, "Box", 1, 1, 10, 10));
  Add(*p, 1, Shape(skImage, "Gone", 1, 1, 10, 10)).MediaFile = dir_ / "src/missing.png";
  Add(*p, 2, Shape(skOval, "Oval", 1, 1, 10, 10));
  Add(*p, 2, Shape(skLine, "Line", 1, 1, 10, 10));
  Add(*p, 2, Shape(skImage, "NoFile", 1, 1, 10, 10));  // MediaFile empty
  Add(*p, 2, Shape(skImage, "Pic", 1, 1, 10, 10)).MediaFile = Picture("a.png");
  Add(*p, 3, Shape(skRoundRect, "Round", 1, 1, 10, 10));
  Add(*p, 3, Shape(skOther, "Chart", 1, 1, 10, 10));
  Add(*p, 3, Shape(skAudio, "Sound", 1, 1, 10, 10)).MediaFile = File("s.mp3", "ID3");
  int32_t slides = 0, objects = 0;
  std::string text = Build(*p, slides, objects);
  EXPECT_EQ(slides, 3);
  EXPECT_EQ(objects, 10);
  auto lines = PubLines(text);
  ASSERT_GT(lines.size(), 47u);
  EXPECT_EQ(lines[46], "MasterPage");
  EXPECT_EQ(LinesStarting(text, "NewPage="),
            (std::vector<std::string>{"NewPage=Slide 1", "NewPage=Slide 2", "NewPage=Slide 3"}));
  EXPECT_EQ(LinesStarting(text, "Name="),
            (std::vector<std::string>{"Name=Title_1_1", "Name=Box_2", "Name=Oval_1", "Name=Line_2", "Name=Pic_4",
                                      "Name=Round_1", "Name=Chart_2", "Name=Sound_3"}));
  EXPECT_EQ(LinesStarting(text, "ObjectType="),
            (std::vector<std::string>{"ObjectType=8", "ObjectType=5", "ObjectType=6", "ObjectType=7",
                                      "ObjectType=4", "ObjectType=16", "ObjectType=5", "ObjectType=17"}));
  // A page block starts right after the last record of the page before.
  auto firstPage = std::find(lines.begin(), lines.end(), "NewPage=Slide 1");
  ASSERT_NE(firstPage, lines.end());
  EXPECT_EQ(*(firstPage + 8), "ObjectType=8");
  for (const auto& line : LinesStarting(text, "FileName="))
    EXPECT_TRUE(FileExists(JoinPath(ExtractFileDir(pub_), Native(line.substr(9))))) << line;
}

TEST_F(PublicationTest, BoxValuesComeFromTheShape) {
  auto p = Deck(1);
  auto& box = Add(*p, 1, Shape(skRect, "Box", -3, 4, 0, 20));
  box.HasFill = true;
  box.FillColor = 0x0000FF;
  box.HasLine = true;
  box.LineColor = 0x00FF00;
  box.LineWidthPt = 2.5;
  box.RotationDeg = 30;
  auto& bare = Add(*p, 1, Shape(skRoundRect, "Bare", 0, 0, 5, 5));
  bare.LineWidthPt = 9;  // no outline: the width is not written
  bare.FillColor = 0x123456;  // without HasFill the colour is not used
  int32_t slides, objects;
  std::string text = Build(*p, slides, objects);
  EXPECT_EQ(LinesStarting(text, "FillColor="), (std::vector<std::string>{"FillColor=255", "FillColor=16777215"}));
  EXPECT_EQ(LinesStarting(text, "LineColor="), (std::vector<std::string>{"LineColor=65280", "LineColor=0"}));
  EXPECT_EQ(LinesStarting(text, "LineWidth="), (std::vector<std::string>{"LineWidth=2", "LineWidth=0"}));
  EXPECT_EQ(LinesStarting(text, "W="), (std::vector<std::string>{"W=1", "W=5"}));
  EXPECT_EQ(LinesStarting(text, "X="), (std::vector<std::string>{"X=-3", "X=0"}));
  EXPECT_EQ(LinesStarting(text, "; Tarvik Rotation="), (std::vector<std::string>{"; Tarvik Rotation=30"}));
}

TEST_F(PublicationTest, MediaNamesAndPictureTransforms) {
  auto p = Deck(2);
  for (int i = 0; i < 3; ++i) Add(*p, 2, Shape(skRect, "Filler", 0, 0, 1, 1));
  auto& cropped = Add(*p, 2, Shape(skImage, "Cropped", 0, 0, 10, 10));
  cropped.MediaFile = Picture("image1.png", 10, 4);
  cropped.CropLeft = 20000;
  auto& plain = Add(*p, 2, Shape(skImage, "Plain", 0, 0, 10, 10));
  plain.MediaFile = File("image2.jpeg", "not decoded when copied");
  plain.RotationDeg = 15;  // a turn alone is only a comment
  auto& noExt = Add(*p, 2, Shape(skVideo, "Clip", 0, 0, 10, 10));
  noExt.MediaFile = File("media1", "video bytes");
  auto& broken = Add(*p, 2, Shape(skImage, "Broken", 0, 0, 10, 10));
  broken.MediaFile = File("image3.png", "damaged");
  broken.FlipH = true;
  int32_t slides, objects;
  std::string text = Build(*p, slides, objects);
  EXPECT_EQ(LinesStarting(text, "FileName="),
            (std::vector<std::string>{"FileName=media\\slide2_obj4_crop.png", "FileName=media\\slide2_obj5.jpeg",
                                      "FileName=media\\slide2_obj6.bin", "FileName=media\\slide2_obj7.png"}));
  std::string media = MediaFolderOf(pub_);
  TRgbBitmap crop;
  ASSERT_TRUE(DecodePicture(ReadFileBytes(JoinPath(media, "slide2_obj4_crop.png")), crop));
  EXPECT_EQ(crop.Width, 8);
  EXPECT_EQ(crop.Height, 4);
  EXPECT_EQ(ReadFileBytes(JoinPath(media, "slide2_obj5.jpeg")), "not decoded when copied");
  EXPECT_EQ(ReadFileBytes(JoinPath(media, "slide2_obj6.bin")), "video bytes");
  // A picture that cannot be flipped falls back to a copy of its source.
  EXPECT_EQ(ReadFileBytes(JoinPath(media, "slide2_obj7.png")), "damaged");
  EXPECT_FALSE(FileExists(JoinPath(media, "slide2_obj7_crop.png")));
  EXPECT_EQ(LinesStarting(text, "; Tarvik Rotation="), (std::vector<std::string>{"; Tarvik Rotation=15"}));
}

TEST_F(PublicationTest, FailedCopyRaisesAndWritesNoPublication) {
  auto p = Deck(1);
  Add(*p, 1, Shape(skRect, "Box", 0, 0, 1, 1));
  std::string source = File("clip.mp4", "v");
  Add(*p, 1, Shape(skVideo, "Clip", 0, 0, 1, 1)).MediaFile = source;
  ForceDirectories(ExtractFileDir(pub_));
  WriteFileBytes(MediaFolderOf(pub_), "a file where the media folder belongs");
  int32_t slides = 0, objects = 0;
  try {
    WritePublication(*p, dir_ / "deck.pptx", pub_, slides, objects);
    FAIL() << "no error";
  } catch (const ETarvikError& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to copy media file: " + source);
  }
  EXPECT_EQ(slides, 1);
  EXPECT_EQ(objects, 1);
  EXPECT_FALSE(FileExists(pub_));
}

TEST_F(PublicationTest, ImportingAgainOverwrites) {
  auto p = Deck(1);
  auto& pic = Add(*p, 1, Shape(skImage, "Pic", 0, 0, 1, 1));
  pic.MediaFile = File("a.gif", "first");
  ForceDirectories(ExtractFileDir(pub_));
  int32_t slides, objects;
  WritePublication(*p, dir_ / "deck.pptx", pub_, slides, objects);
  std::string first = ReadFileBytes(pub_);
  WriteFileBytes(pic.MediaFile, "second");
  WriteFileBytes(pub_, first + first + "stale tail");
  // A read-only source (packages may say so) still leaves a copy the next import can replace.
  namespace fs = std::filesystem;
  fs::permissions(fs::path(pic.MediaFile), fs::perms::owner_read, fs::perm_options::replace);
  WritePublication(*p, dir_ / "deck.pptx", pub_, slides, objects);
  EXPECT_EQ(ReadFileBytes(pub_), first);
  std::string copy = JoinPath(MediaFolderOf(pub_), "slide1_obj1.gif");
  EXPECT_EQ(ReadFileBytes(copy), "second");
  EXPECT_NE(fs::status(fs::path(copy)).permissions() & fs::perms::owner_write, fs::perms::none);
  fs::permissions(fs::path(pic.MediaFile), fs::perms::owner_all, fs::perm_options::add);
}

TEST_F(PublicationTest, CopyOntoItselfKeepsTheFile) {
  std::string inPlace = JoinPath(MediaFolderOf(pub_), "slide1_obj1");
  ForceDirectories(MediaFolderOf(pub_));
  WriteFileBytes(inPlace, "keep me");
  EXPECT_EQ(CopyMediaFile(pub_, inPlace, 1, 1), "media\\slide1_obj1.bin");
  WriteFileBytes(inPlace + ".bin", "keep me too");
  EXPECT_EQ(CopyMediaFile(pub_, inPlace + ".bin", 1, 1), "media\\slide1_obj1.bin");
  EXPECT_EQ(ReadFileBytes(inPlace + ".bin"), "keep me too");
}

TEST(PublicationTitle, FileNameWithoutFolderAndLastExtension) {
  std::string sep(1, kPathSep);
  EXPECT_EQ(PublicationTitle(sep + "d" + sep + "Quarterly.Review.pptx"), "Quarterly.Review - Imported");
  EXPECT_EQ(PublicationTitle("deck"), "deck - Imported");
  EXPECT_EQ(PublicationTitle(sep + "a.b" + sep + "deck"), "deck - Imported");
}

class CodePage : public PublicationTest {
 protected:
  void SetUp() override {
    had_ = HasEnvVar("TARVIK_CODEPAGE");
    saved_ = GetEnvVar("TARVIK_CODEPAGE");
    ForceDirectories(ExtractFileDir(pub_));
  }
  void TearDown() override { had_ ? SetEnvVar("TARVIK_CODEPAGE", saved_) : UnsetEnvVar("TARVIK_CODEPAGE"); }
  std::string Write(const std::string& pptxName) {
    auto p = Deck(1);
    Add(*p, 1, Shape(skText, "T", 0, 0, 9, 9))
        .Paragraphs.push_back(Para({TextRun("\xD0\x9F\xD1\x80\xD0\xB8", "Times \xD0\x9D")}));
    int32_t slides, objects;
    WritePublication(*p, dir_ / pptxName, pub_, slides, objects);
    return ReadFileBytes(pub_);
  }
  bool had_ = false;
  std::string saved_;
};

TEST_F(CodePage, Cp1251WritesACyrillicTitleInThatCodePage) {
  SetEnvVar("TARVIK_CODEPAGE", "CP1251");
  if (AnsiCodePageName() != "CP1251") GTEST_SKIP() << "the code page here is " << AnsiCodePageName();
  // "Отчёт.pptx"
  std::string bytes = Write("\xD0\x9E\xD1\x82\xD1\x87\xD1\x91\xD1\x82.pptx");
  EXPECT_NE(bytes.find("Title=\xCE\xF2\xF7\xB8\xF2 - Imported\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("SetupTitle=\xCE\xF2\xF7\xB8\xF2 - Imported Setup\r\n"), std::string::npos);
  // Font names are written as they are, so in the code page too; the run text is escaped.
  EXPECT_NE(bytes.find("Font=Times \xCD\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("\\fnil Times \xCD;}"), std::string::npos);
  EXPECT_NE(bytes.find("\\u1055?\\u1088?\\u1080?}"), std::string::npos);
}

TEST_F(CodePage, DefaultCodePageHasNoBomAndReplacesWhatItLacks) {
  UnsetEnvVar("TARVIK_CODEPAGE");
  if (AnsiCodePageName() != "CP1252") GTEST_SKIP() << "the code page here is " << AnsiCodePageName();
  std::string bytes = Write("Caf\xC3\xA9 \xD0\x96.pptx");  // "Café Ж"
  EXPECT_EQ(bytes.substr(0, 27), "NBW Publication Source File");
  EXPECT_NE(bytes.find("Title=Caf\xE9 ? - Imported\r\n"), std::string::npos);
  PubLines(bytes);  // every line ends in CR LF
}
