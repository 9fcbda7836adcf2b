// The slide viewer on the headless toolkit: where the slide and the bar go
// at a given size, which control each shape becomes, the text colours, and
// what the bar, a resize and the host's message do.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/system.h"
#include "ui/headless/headless_toolkit.h"
#include "viewer/tarvik_viewer.h"
#include "viewer/viewer_style.h"

using namespace tarvik;
using namespace tarvik::ui;

namespace {

constexpr TWindowHandle kHost = 1001;

TPPTXShape MakeShape(TPPTXShapeKind kind, int32_t left, int32_t top, int32_t width, int32_t height) {
  TPPTXShape shape;
  shape.Kind = kind;
  shape.XEmu = left * 9525LL;
  shape.YEmu = top * 9525LL;
  shape.WEmu = width * 9525LL;
  shape.HEmu = height * 9525LL;
  return shape;
}

TPPTXShape TextShape(const std::string& text, TColor color, int32_t left = 0, int32_t top = 0) {
  TPPTXShape shape = MakeShape(skText, left, top, 100, 40);
  TPPTXParagraph paragraph;
  TPPTXTextRun run;
  run.Text = text;
  run.Color = color;
  run.HasColor = true;
  run.FontSizePt = 24;
  run.Bold = true;
  paragraph.Runs.push_back(run);
  shape.Paragraphs.push_back(paragraph);
  return shape;
}

std::unique_ptr<TPPTXPresentation> MakeDeck(int32_t width, int32_t height,
                                            std::vector<std::vector<TPPTXShape>> slides) {
  auto deck = std::make_unique<TPPTXPresentation>();
  deck->SlideWidthEmu = width * 9525LL;
  deck->SlideHeightEmu = height * 9525LL;
  for (auto& shapes : slides) {
    auto slide = std::make_unique<TPPTXSlide>();
    for (auto& shape : shapes) slide->Shapes.push_back(std::make_unique<TPPTXShape>(shape));
    deck->Slides.push_back(std::move(slide));
  }
  return deck;
}

class Viewer : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = JoinPath(UserTempFolder(), "tarvik_viewer_" + NewGuidHex());
    ASSERT_TRUE(ForceDirectories(dir_));
  }
  void TearDown() override {
    viewer_.reset();
    DeleteTree(dir_);
  }

  TTarvikViewer& Attach(int32_t width, int32_t height, std::unique_ptr<TPPTXPresentation> deck) {
    toolkit_.SetHostWindow(kHost, {width, height});
    viewer_ = TTarvikViewer::CreateWithParent(kHost, toolkit_);
    viewer_->Window().FitToParentWindow();
    if (deck) viewer_->AdoptPresentation(std::move(deck));
    return *viewer_;
  }
  std::string File(const std::string& name, const std::string& bytes) {
    std::string path = JoinPath(dir_, name);
    WriteFileBytes(path, bytes);
    return path;
  }
  std::vector<TBounds> Bounds() const {
    std::vector<TBounds> all;
    for (const auto& c : viewer_->SlideControls()) all.push_back(c.Control->Bounds());
    return all;
  }

  THeadlessToolkit toolkit_;
  std::unique_ptr<TTarvikViewer> viewer_;
  std::string dir_;
};

void ExpectBounds(const TBounds& actual, const TBounds& expected, const std::string& what) {
  EXPECT_EQ(actual.Left, expected.Left) << what;
  EXPECT_EQ(actual.Top, expected.Top) << what;
  EXPECT_EQ(actual.Width, expected.Width) << what;
  EXPECT_EQ(actual.Height, expected.Height) << what;
}

TEST_F(Viewer, FitsTheSlideAndPlacesTheBarAtEverySize) {
  struct Case {
    int32_t SlideW, SlideH, ViewW, ViewH;
    double Scale;
    int32_t OffX, OffY, ShapeLeft;
    TBounds Bar;
    int32_t PageLeft, LabelWidth;
  } cases[] = {
      {960, 540, 800, 600, 800.0 / 960, 0, 75, 83, {205, 546, 390, 46}, 200, 108},
      {960, 540, 300, 300, 300.0 / 960, 0, 65, 31, {4, 246, 292, 46}, 102, 10},
      {960, 540, 150, 100, 150.0 / 960, 0, 8, 16, {4, 46, 142, 46}, -48, 1},
      // 100.5 pixels of slide and of shape offset round to the even 100 and 0.
      {201, 200, 200, 100, 0.5, 50, 0, 50, {4, 46, 192, 46}, 2, 1},
  };
  for (const auto& c : cases) {
    std::string what = std::to_string(c.ViewW) + "x" + std::to_string(c.ViewH);
    int32_t shapeLeft = c.SlideW == 201 ? 1 : 100;
    Attach(c.ViewW, c.ViewH, MakeDeck(c.SlideW, c.SlideH, {{MakeShape(skRect, shapeLeft, 0, 10, 10)}}));
    EXPECT_NEAR(viewer_->Scale(), c.Scale, 1e-12) << what;
    EXPECT_EQ(viewer_->OffsetX(), c.OffX) << what;
    EXPECT_EQ(viewer_->OffsetY(), c.OffY) << what;
    EXPECT_EQ(Bounds().at(0).Left, c.ShapeLeft) << what;
    ExpectBounds(viewer_->NavPanel().Bounds(), c.Bar, what);
    EXPECT_EQ(viewer_->PageEdit().Bounds().Left, c.PageLeft) << what;
    EXPECT_EQ(viewer_->SlideLabel().Bounds().Width, c.LabelWidth) << what;
    // The buttons keep their order and spacing from the bar's right edge.
    EXPECT_EQ(viewer_->NextButton().Bounds().Left, c.Bar.Width - 80) << what;
    EXPECT_EQ(viewer_->GoButton().Bounds().Left, c.Bar.Width - 132) << what;
    EXPECT_EQ(viewer_->SlideLabel().Bounds().Left, 86) << what;
  }
}

TEST_F(Viewer, EveryKindBecomesItsControl) {
  std::string picture = File("p.png", std::string("\x89PNG\r\n\x1a\n", 8) + "rest");
  std::string notPicture = File("p.jpg", "text");
  std::string movie = File("m.mp4", "movie");
  auto image = [&](const std::string& file) {
    TPPTXShape s = MakeShape(skImage, 0, 0, 50, 50);
    s.MediaFile = file;
    return s;
  };
  auto media = [&](TPPTXShapeKind kind, int32_t height, const std::string& file) {
    TPPTXShape s = MakeShape(kind, 10, 100, 200, height);
    s.MediaFile = file;
    return s;
  };
  TPPTXShape oval = MakeShape(skOval, 0, 0, 10, 10), round = MakeShape(skRoundRect, 0, 0, 10, 10);
  TPPTXShape line = MakeShape(skLine, 0, 0, 10, 0);
  oval.HasFill = true;
  oval.FillColor = 0x0000FF;
  round.HasLine = true;
  round.LineColor = 0x00FF00;
  round.LineWidthPt = 0.2;
  Attach(960, 540, MakeDeck(960, 540, {{TextShape("Hi", 0), image(picture), image(notPicture),
                                         image(dir_ + "/none.png"), media(skVideo, 20, movie), media(skAudio, 100, movie),
                                         media(skVideo, 100, dir_ + "/none.mp4"), oval, round, line,
                                         MakeShape(skOther, 0, 0, 10, 10)}}));
  const auto& controls = viewer_->SlideControls();
  std::vector<std::pair<int32_t, TControlKind>> made;
  for (const auto& c : controls) made.emplace_back(c.Shape, c.Control->Kind());
  using K = TControlKind;
  EXPECT_EQ(made, (std::vector<std::pair<int32_t, K>>{{0, K::Label}, {1, K::Image}, {2, K::Image}, {4, K::Panel},
                                                        {4, K::MediaPlayer}, {5, K::MediaPlayer}, {7, K::Shape},
                                                        {8, K::Shape}, {9, K::Shape}, {10, K::Shape}}));
  EXPECT_EQ(static_cast<THeadlessImage&>(*controls[1].Control).PictureFile(), picture);
  EXPECT_EQ(static_cast<THeadlessImage&>(*controls[2].Control).PictureFile(), "") << "unreadable: empty";
  // A 20-pixel video: a 1-pixel display with the 20-pixel bar below it.
  ExpectBounds(controls[3].Control->Bounds(), {10, 100, 200, 1}, "display");
  ExpectBounds(controls[4].Control->Bounds(), {10, 101, 200, 20}, "player");
  auto& player = static_cast<THeadlessMediaPlayer&>(*controls[4].Control);
  EXPECT_EQ(player.Display(), controls[3].Control.get());
  EXPECT_TRUE(player.Opened() && player.Visible());
  ExpectBounds(controls[5].Control->Bounds(), {10, 100, 200, 30}, "audio");
  EXPECT_EQ(static_cast<THeadlessMediaPlayer&>(*controls[5].Control).Display(), nullptr);
  TShapeStyle ovalStyle = static_cast<TShapeControl&>(*controls[6].Control).Style();
  EXPECT_TRUE(ovalStyle.Form == TShapeForm::Ellipse && ovalStyle.Filled && !ovalStyle.Outlined);
  EXPECT_EQ(ovalStyle.FillColor, 0x0000FF);
  TShapeStyle roundStyle = static_cast<TShapeControl&>(*controls[7].Control).Style();
  EXPECT_TRUE(roundStyle.Form == TShapeForm::RoundRect && !roundStyle.Filled && roundStyle.Outlined);
  EXPECT_EQ(roundStyle.OutlineWidth, 1) << "a hairline still shows";
  EXPECT_EQ(static_cast<TShapeControl&>(*controls[8].Control).Style().Form, TShapeForm::Rectangle);
  EXPECT_EQ(controls[8].Control->Bounds().Height, 1) << "a flat line keeps one pixel";
  EXPECT_EQ(viewer_->CurrentShapeCount(), 11);
  // The bar lies above everything the slide put on the layer.
  auto* root = NodeOf(viewer_->Window());
  EXPECT_EQ(root->Children().back(), NodeOf(viewer_->NavPanel()));
}

TEST_F(Viewer, TextLabelsTakeTheFirstRunScaledAndAContrastingColour) {
  Attach(480, 270, MakeDeck(960, 540, {{TextShape("On white", 0xFFFFFF)}}));
  auto& label = static_cast<THeadlessLabel&>(*viewer_->SlideControls().at(0).Control);
  EXPECT_EQ(label.Text(), "On white");
  EXPECT_TRUE(label.Style().WordWrap && label.Style().CentreVertically && !label.Style().CentreHorizontally);
  TFontStyle font = label.Font();
  EXPECT_EQ(font.SizePt, 12) << "24 pt at half size";
  EXPECT_TRUE(font.Bold);
  EXPECT_EQ(font.Color, 0) << "white text on a white slide shows black";
}

TEST(ViewerStyle, TextColourGivesWayOnlyWhenItWouldVanish) {
  struct Case {
    TColor Background, Text, Shown;
  } cases[] = {
      {0xFFFFFF, 0xFFFFFF, 0},         // white on white: black
      {0x400000, 0x000000, 0xFFFFFF},  // black on dark blue (luminance 7): white
      {0xFFFFFF, 0x0000FF, 0x0000FF},  // red (76) on white: kept
      {0x808080, 0x909090, 0},         // grey on grey of luminance 128: black
      {0x7F7F7F, 0x909090, 0xFFFFFF},  // ... and just below 128: white
      {0x000000, 0x3C3C3C, 0x3C3C3C},  // exactly 60 apart: kept
  };
  for (const auto& c : cases) EXPECT_EQ(ContrastTextColor(c.Background, c.Text), c.Shown) << std::hex << c.Text;
  EXPECT_EQ(ColorLuminance(static_cast<TColor>(0xFF000005)), 255) << "the window colour resolves to white";
}

TEST(ViewerStyle, FirstRunStyleSkipsBlankRunsAndKeepsDefaultsItLacks) {
  TPPTXShape shape;
  EXPECT_EQ(FirstRunStyle(shape).FontName, "Arial");
  EXPECT_EQ(FirstRunStyle(shape).FontSizePt, 18);
  TPPTXParagraph blank, real;
  blank.Runs.push_back({});
  blank.Runs.back().Text = " \t\r\n";
  blank.Runs.back().FontName = "Blank";
  real.Runs.push_back({});
  real.Runs.back().Text = " x ";
  real.Runs.back().FontSizePt = 30;
  real.Runs.back().Italic = true;
  real.Runs.back().Color = 0x123456;  // without HasColor
  shape.Paragraphs = {blank, real};
  TRunStyle style = FirstRunStyle(shape);
  EXPECT_EQ(style.FontName, "Arial");
  EXPECT_EQ(style.FontSizePt, 30);
  EXPECT_TRUE(style.Italic);
  EXPECT_EQ(style.Color, 0);
}

TEST_F(Viewer, BarButtonsMoveAndStopAtTheEnds) {
  Attach(800, 600, MakeDeck(960, 540, {{}, {TextShape("a", 0)}, {}}));
  EXPECT_FALSE(THeadlessToolkit::Click(viewer_->PrevButton())) << "disabled on the first slide";
  EXPECT_TRUE(THeadlessToolkit::Click(viewer_->NextButton()));
  EXPECT_TRUE(THeadlessToolkit::Click(viewer_->NextButton()));
  EXPECT_EQ(viewer_->CurrentSlide(), 2);
  EXPECT_FALSE(viewer_->NextButton().Enabled());
  EXPECT_EQ(viewer_->SlideLabel().Text(), "Slide 3 / 3");
  EXPECT_EQ(viewer_->PageEdit().Text(), "3");
  EXPECT_TRUE(THeadlessToolkit::Click(viewer_->PrevButton()));
  EXPECT_EQ(viewer_->CurrentShapeCount(), 1);
}

TEST_F(Viewer, GoAndEnterTakeOnlyASlideNumberAndRestoreAnythingElse) {
  struct Case {
    std::string Typed;
    bool ByEnter;
    int32_t Slide;
  } cases[] = {{"2", true, 1}, {"0", true, 0}, {"99", true, 0}, {"ab", true, 0}, {" 3 ", false, 2}, {"", false, 0}};
  for (const auto& c : cases) {
    Attach(800, 600, MakeDeck(960, 540, {{}, {}, {}}));
    auto& edit = static_cast<THeadlessEdit&>(viewer_->PageEdit());
    edit.SetText(c.Typed);
    if (c.ByEnter) edit.Type(13);
    else THeadlessToolkit::Click(viewer_->GoButton());
    EXPECT_EQ(viewer_->CurrentSlide(), c.Slide) << c.Typed;
    EXPECT_EQ(edit.Text(), std::to_string(c.Slide + 1)) << c.Typed;
    bool refused = c.Slide == 0;
    EXPECT_EQ(edit.AllSelected() && edit.Focused(), refused) << c.Typed;
  }
}

TEST_F(Viewer, OutOfRangeSlidesAndAnEmptyDeckChangeNothing) {
  auto& empty = Attach(800, 600, nullptr);
  EXPECT_EQ(empty.SlideCount(), 0);
  EXPECT_EQ(empty.CurrentShapeCount(), -1);
  EXPECT_FALSE(empty.NavPanel().Visible());
  EXPECT_EQ(empty.SlideLabel().Text(), "Slide 0 / 0");
  empty.AdoptPresentation(MakeDeck(960, 540, {}));
  EXPECT_EQ(empty.CurrentSlide(), -1);
  EXPECT_FALSE(empty.NavPanel().Visible());

  auto& viewer = Attach(800, 600, MakeDeck(960, 540, {{TextShape("a", 0)}, {}}));
  EXPECT_TRUE(viewer.NavPanel().Visible());
  const TControl* before = viewer.SlideControls().at(0).Control.get();
  for (int32_t index : {-1, 2, 1000}) viewer.ShowSlide(index);
  viewer.PrevSlide();
  EXPECT_EQ(viewer.CurrentSlide(), 0);
  EXPECT_EQ(viewer.SlideControls().at(0).Control.get(), before) << "not even rebuilt";
}

TEST_F(Viewer, TheHostsMessageRefitsOnlyWithLParam4AndResizesRebuild) {
  auto& viewer = Attach(800, 600, MakeDeck(960, 540, {{MakeShape(skRect, 0, 0, 960, 540)}}));
  toolkit_.SetHostWindow(kHost, {480, 270});
  THeadlessToolkit::SendMessage(viewer.Window(), kHostResizeMessage, 0, 3);
  EXPECT_EQ(viewer.Window().Bounds().Width, 800);
  EXPECT_EQ(Bounds().at(0).Width, 800);
  THeadlessToolkit::SendMessage(viewer.Window(), kHostResizeMessage, 0, 4);
  ExpectBounds(viewer.Window().Bounds(), {0, 0, 480, 270}, "window");
  ExpectBounds(Bounds().at(0), {0, 0, 480, 270}, "slide");
  ExpectBounds(viewer.SlideLayer().Bounds(), {0, 0, 480, 270}, "layer");
  EXPECT_EQ(viewer.NavPanel().Bounds().Top, 216);
  // A resize from anywhere else rebuilds the slide too.
  viewer.Window().SetBounds({0, 0, 960, 1000});
  EXPECT_EQ(viewer.OffsetY(), 230);
  ExpectBounds(Bounds().at(0), {0, 230, 960, 540}, "after resize");
}

}  // namespace
