#include "viewer/tarvik_viewer.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "platform/files.h"
#include "platform/rounding.h"
#include "pptx/loader.h"
#include "viewer/viewer_style.h"

namespace tarvik {

namespace {

using ui::TBounds;

constexpr int32_t kBarWidth = 390, kBarHeight = 46, kBarMargin = 4, kBarBottom = 54;
constexpr int32_t kMediaBarHeight = 30;

// Event handlers run inside the toolkit's message handling, where nothing may
// unwind into the system's frames: whatever fails leaves the slide as it is.
template <class TFn>
auto Guarded(TFn fn) {
  return [fn](auto... args) {
    try {
      return fn(args...);
    } catch (...) {
      return decltype(fn(args...))();
    }
  };
}

int32_t Clamp32(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

// "12" with surrounding blanks; 0 when the text is not a decimal integer.
int32_t DecimalOrZero(const std::string& text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return 0;
  size_t last = text.find_last_not_of(" \t");
  std::string digits = text.substr(first, last - first + 1);
  size_t i = digits[0] == '-' || digits[0] == '+' ? 1 : 0;
  if (i == digits.size()) return 0;
  int64_t value = 0;
  for (; i < digits.size(); ++i) {
    if (digits[i] < '0' || digits[i] > '9') return 0;
    value = value * 10 + (digits[i] - '0');
    if (value > std::numeric_limits<int32_t>::max()) return 0;
  }
  return static_cast<int32_t>(digits[0] == '-' ? -value : value);
}

}  // namespace

std::unique_ptr<TTarvikViewer> TTarvikViewer::CreateWithParent(ui::TWindowHandle parentWindow,
                                                               ui::TToolkit& toolkit) {
  return std::unique_ptr<TTarvikViewer>(new TTarvikViewer(parentWindow, toolkit));
}

std::unique_ptr<TTarvikViewer> TTarvikViewer::Create(ui::TToolkit& toolkit) { return CreateWithParent(0, toolkit); }

TTarvikViewer::TTarvikViewer(ui::TWindowHandle parentWindow, ui::TToolkit& toolkit) : FToolkit(toolkit) {
  ui::TPanelStyle plain;
  FWindow = FToolkit.CreateRootPanel(parentWindow, plain);
  FSlideLayer = FToolkit.CreatePanel(*FWindow, plain);
  ui::TUiSize client = FWindow->ClientSize();
  FSlideLayer->SetBounds({0, 0, client.Width, client.Height});
  BuildNavBar();
  FWindow->OnResize = Guarded([this] { ViewerResize(); });
  FWindow->OnMessage = Guarded([this](uint32_t message, intptr_t, intptr_t lParam) { WMHostResize(message, lParam); });
  LayoutNavBar();
  UpdateNavBar();
}

TTarvikViewer::~TTarvikViewer() {
  FWindow->OnResize = nullptr;
  FWindow->OnMessage = nullptr;
  FPresentation.reset();
  ClearSlide();
}

void TTarvikViewer::BuildNavBar() {
  ui::TPanelStyle barStyle;
  barStyle.Color = ui::kUiButtonFace;
  barStyle.RaisedBevel = true;
  barStyle.BorderWidth = 1;
  // Created after the slide layer, so it lies above the slide.
  FNavPanel = FToolkit.CreatePanel(*FWindow, barStyle);
  FPrevButton = FToolkit.CreateButton(*FNavPanel, "< Prev");
  ui::TLabelStyle labelStyle;
  labelStyle.CentreHorizontally = true;
  labelStyle.CentreVertically = true;
  FSlideLabel = FToolkit.CreateLabel(*FNavPanel, labelStyle);
  ui::TFontStyle bold;
  bold.Name = "Tahoma";
  bold.SizePt = 8;
  bold.Bold = true;
  FSlideLabel->SetFont(bold);
  FSlideLabel->SetText("Slide 0 / 0");
  FNextButton = FToolkit.CreateButton(*FNavPanel, "Next >");
  FPageEdit = FToolkit.CreateEdit(*FNavPanel);
  FPageEdit->SetText("1");
  FGoButton = FToolkit.CreateButton(*FNavPanel, "Go");
  FPrevButton->OnClick = Guarded([this] { PrevButtonClick(); });
  FNextButton->OnClick = Guarded([this] { NextButtonClick(); });
  FGoButton->OnClick = Guarded([this] { GoButtonClick(); });
  FPageEdit->OnKeyPress = Guarded([this](char key) { return PageEditKeyPress(key); });
}

void TTarvikViewer::LoadPresentation(const std::string& pptxFile, const std::string& workFolder) {
  FPresentation.reset();
  AdoptPresentation(LoadPPTXPresentation(pptxFile, workFolder));
}

void TTarvikViewer::AdoptPresentation(std::unique_ptr<TPPTXPresentation> presentation) {
  FPresentation = std::move(presentation);
  ShowSlide(0);
}

int32_t TTarvikViewer::SlideCount() const {
  return FPresentation ? static_cast<int32_t>(FPresentation->Slides.size()) : 0;
}

int32_t TTarvikViewer::CurrentShapeCount() const {
  if (!FPresentation || FCurrentSlide < 0 || FCurrentSlide >= SlideCount()) return -1;
  return static_cast<int32_t>(FPresentation->Slides[FCurrentSlide]->Shapes.size());
}

void TTarvikViewer::ClearSlide() {
  // Last first, so that no control outlives one created after it.
  while (!FSlideControls.empty()) FSlideControls.pop_back();
}

void TTarvikViewer::ShowSlide(int32_t index) {
  if (!FPresentation || index < 0 || index >= SlideCount()) return;
  ClearSlide();
  FCurrentSlide = index;
  const TPPTXSlide& slide = *FPresentation->Slides[index];
  FBackground = slide.HasBackgroundColor ? slide.BackgroundColor : ui::kUiWhite;
  FWindow->SetColor(FBackground);
  FSlideLayer->SetColor(FBackground);
  TBounds outer = FWindow->Bounds();
  int32_t slideWidth = FPresentation->SlideWidthPx(), slideHeight = FPresentation->SlideHeightPx();
  double s = 1;
  // A slide without an extent cannot be fitted; it is shown at its own size.
  if (slideWidth > 0 && slideHeight > 0)
    s = std::min(static_cast<double>(outer.Width) / slideWidth, static_cast<double>(outer.Height) / slideHeight);
  if (!(s > 0)) s = 1;
  FScale = s;
  FOffX = Clamp32((static_cast<int64_t>(outer.Width) - RoundHalfEven64(s * slideWidth)) / 2);
  FOffY = Clamp32((static_cast<int64_t>(outer.Height) - RoundHalfEven64(s * slideHeight)) / 2);
  for (size_t i = 0; i < slide.Shapes.size(); ++i)
    CreateShapeControl(*slide.Shapes[i], static_cast<int32_t>(i), FOffX, FOffY, s);
  LayoutNavBar();
  UpdateNavBar();
  FNavPanel->BringToFront();
}

void TTarvikViewer::NextSlide() {
  if (FPresentation && FCurrentSlide < SlideCount() - 1) ShowSlide(FCurrentSlide + 1);
}

void TTarvikViewer::PrevSlide() {
  if (FCurrentSlide > 0) ShowSlide(FCurrentSlide - 1);
}

void TTarvikViewer::CreateShapeControl(const TPPTXShape& shape, int32_t index, int32_t offX, int32_t offY, double s) {
  TBounds bounds;
  bounds.Left = Clamp32(offX + RoundHalfEven64(shape.LeftPx() * s));
  bounds.Top = Clamp32(offY + RoundHalfEven64(shape.TopPx() * s));
  bounds.Width = std::max(1, RoundHalfEven(shape.WidthPx() * s));
  bounds.Height = std::max(1, RoundHalfEven(shape.HeightPx() * s));
  switch (shape.Kind) {
    case skText:
      AddTextLabel(shape, index, bounds, s);
      break;
    case skImage:
      if (!shape.MediaFile.empty() && FileExists(shape.MediaFile)) {
        auto image = FToolkit.CreateImage(*FSlideLayer);
        image->SetBounds(bounds);
        // A picture that cannot be read leaves the control empty, silently.
        image->LoadPicture(shape.MediaFile);
        FSlideControls.push_back({index, std::move(image)});
      }
      break;
    case skVideo:
    case skAudio:
      if (!shape.MediaFile.empty() && FileExists(shape.MediaFile)) AddMedia(shape, index, bounds);
      break;
    default:
      AddShape(shape, index, bounds, s);
      break;
  }
}

void TTarvikViewer::AddTextLabel(const TPPTXShape& shape, int32_t index, const TBounds& bounds, double s) {
  ui::TLabelStyle style;
  style.CentreVertically = true;
  style.WordWrap = true;
  auto label = FToolkit.CreateLabel(*FSlideLayer, style);
  label->SetBounds(bounds);
  label->SetText(shape.PlainText());
  TRunStyle run = FirstRunStyle(shape);
  ui::TFontStyle font;
  font.Name = run.FontName;
  font.SizePt = std::max(1, RoundHalfEven(run.FontSizePt * s));
  font.Bold = run.Bold;
  font.Italic = run.Italic;
  font.Underline = run.Underline;
  font.Color = ContrastTextColor(FBackground, run.Color);
  label->SetFont(font);
  FSlideControls.push_back({index, std::move(label)});
}

void TTarvikViewer::AddShape(const TPPTXShape& shape, int32_t index, const TBounds& bounds, double s) {
  ui::TShapeStyle style;
  style.Form = shape.Kind == skOval        ? ui::TShapeForm::Ellipse
               : shape.Kind == skRoundRect ? ui::TShapeForm::RoundRect
                                           : ui::TShapeForm::Rectangle;
  style.Filled = shape.HasFill;
  if (shape.HasFill) style.FillColor = shape.FillColor;
  style.Outlined = shape.HasLine;
  style.OutlineColor = shape.LineColor;
  style.OutlineWidth = std::max(1, RoundHalfEven(shape.LineWidthPt * s));
  auto control = FToolkit.CreateShape(*FSlideLayer, style);
  control->SetBounds(bounds);
  FSlideControls.push_back({index, std::move(control)});
}

void TTarvikViewer::AddMedia(const TPPTXShape& shape, int32_t index, const TBounds& bounds) {
  int32_t barHeight = std::min(bounds.Height, kMediaBarHeight);
  ui::TPanel* display = nullptr;
  TBounds playerBounds{bounds.Left, bounds.Top, bounds.Width, barHeight};
  if (shape.Kind == skVideo) {
    ui::TPanelStyle black;
    black.Color = ui::kUiBlack;
    auto panel = FToolkit.CreatePanel(*FSlideLayer, black);
    panel->SetBounds({bounds.Left, bounds.Top, bounds.Width, std::max(1, bounds.Height - barHeight)});
    playerBounds.Top = bounds.Top + panel->Bounds().Height;
    display = panel.get();
    FSlideControls.push_back({index, std::move(panel)});
  }
  auto player = FToolkit.CreateMediaPlayer(*FSlideLayer);
  player->SetBounds(playerBounds);
  player->SetVisible(true);
  // A file that will not open keeps its control, without a message; the
  // user starts playback with the player's own button.
  player->Open(shape.MediaFile, display);
  FSlideControls.push_back({index, std::move(player)});
}

void TTarvikViewer::LayoutNavBar() {
  ui::TUiSize client = FWindow->ClientSize();
  TBounds bar{std::max(kBarMargin, (client.Width - kBarWidth) / 2), std::max(kBarMargin, client.Height - kBarBottom),
              std::clamp(client.Width - 2 * kBarMargin, 1, kBarWidth), kBarHeight};
  FNavPanel->SetBounds(bar);
  // The bar's bevel is painted inside it, so its children use its full width.
  int32_t barWidth = FNavPanel->Bounds().Width;
  TBounds prev{8, 10, 72, 26};
  TBounds next{barWidth - 80, 10, 72, 26};
  TBounds go{next.Left - 52, 10, 46, 26};
  TBounds page{go.Left - 58, 10, 52, 26};
  int32_t labelLeft = prev.Left + prev.Width + 6;
  TBounds label{labelLeft, 10, std::max(1, page.Left - labelLeft - 6), 26};
  FPrevButton->SetBounds(prev);
  FNextButton->SetBounds(next);
  FGoButton->SetBounds(go);
  FPageEdit->SetBounds(page);
  FSlideLabel->SetBounds(label);
}

void TTarvikViewer::UpdateNavBar() {
  int32_t count = SlideCount();
  if (count > 0 && FCurrentSlide >= 0) {
    char text[48];
    std::snprintf(text, sizeof text, "Slide %d / %d", FCurrentSlide + 1, count);
    FSlideLabel->SetText(text);
    FPageEdit->SetText(std::to_string(FCurrentSlide + 1));
    FPrevButton->SetEnabled(FCurrentSlide > 0);
    FNextButton->SetEnabled(FCurrentSlide < count - 1);
    FNavPanel->SetVisible(true);
  } else {
    FSlideLabel->SetText("Slide 0 / 0");
    FPageEdit->SetText("");
    FPrevButton->SetEnabled(false);
    FNextButton->SetEnabled(false);
    FNavPanel->SetVisible(false);
  }
}

void TTarvikViewer::PrevButtonClick() { PrevSlide(); }

void TTarvikViewer::NextButtonClick() { NextSlide(); }

void TTarvikViewer::GoButtonClick() {
  if (!FPresentation) return;
  int32_t number = DecimalOrZero(FPageEdit->Text());
  if (number >= 1 && number <= SlideCount()) {
    ShowSlide(number - 1);
    return;
  }
  FPageEdit->SetText(std::to_string(FCurrentSlide + 1));
  FPageEdit->SelectAll();
  FPageEdit->SetFocus();
}

bool TTarvikViewer::PageEditKeyPress(char key) {
  if (key != 13) return false;
  GoButtonClick();
  return true;
}

void TTarvikViewer::ViewerResize() {
  ui::TUiSize client = FWindow->ClientSize();
  FSlideLayer->SetBounds({0, 0, client.Width, client.Height});
  LayoutNavBar();
  if (FCurrentSlide >= 0) ShowSlide(FCurrentSlide);
}

void TTarvikViewer::WMHostResize(uint32_t message, intptr_t lParam) {
  if (message != ui::kHostResizeMessage || lParam != 4) return;
  FWindow->FitToParentWindow();
  if (FCurrentSlide >= 0) ShowSlide(FCurrentSlide);
}

}  // namespace tarvik
