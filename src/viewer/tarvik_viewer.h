// TTarvikViewer: one presentation shown live inside a host object's window.
// Each shape of the slide on display becomes a control at its place, scaled
// to fit and centred; a small bar over the bottom moves between slides.
// Every change of slide or size builds the slide's controls anew from the model.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "pptx/model.h"
#include "ui/toolkit.h"

namespace tarvik {

class TTarvikViewer {
 public:
  // A viewer as a child of a host window (0 for none): no presentation, no
  // slide, the bar laid out and hidden. Its window is not shown yet.
  static std::unique_ptr<TTarvikViewer> CreateWithParent(ui::TWindowHandle parentWindow,
                                                         ui::TToolkit& toolkit = ui::DefaultToolkit());
  static std::unique_ptr<TTarvikViewer> Create(ui::TToolkit& toolkit = ui::DefaultToolkit());
  ~TTarvikViewer();
  TTarvikViewer(const TTarvikViewer&) = delete;
  TTarvikViewer& operator=(const TTarvikViewer&) = delete;

  // Releases the current presentation, loads the file with WorkFolder as the
  // extraction root and shows the first slide. The loader's failure passes
  // out, leaving the viewer without a presentation.
  void LoadPresentation(const std::string& pptxFile, const std::string& workFolder);
  // The same with a presentation already loaded.
  void AdoptPresentation(std::unique_ptr<TPPTXPresentation> presentation);

  // Index outside the slides, or no presentation: nothing happens.
  void ShowSlide(int32_t index);
  void NextSlide();
  void PrevSlide();

  const std::string& RectangleName() const { return FRectangleName; }
  void SetRectangleName(const std::string& name) { FRectangleName = name; }
  int32_t CurrentSlide() const { return FCurrentSlide; }
  int32_t SlideCount() const;
  // -1 without a presentation or a slide on display.
  int32_t CurrentShapeCount() const;

  // The viewer's own window, which the attach places and shows.
  ui::TRootPanel& Window() const { return *FWindow; }

  // What the slide on display was built as, for the CLI and tests.
  struct TSlideControl {
    int32_t Shape = 0;  // index in the slide's shape list
    std::unique_ptr<ui::TControl> Control;
  };
  const std::vector<TSlideControl>& SlideControls() const { return FSlideControls; }
  const TPPTXPresentation* Presentation() const { return FPresentation.get(); }
  double Scale() const { return FScale; }
  int32_t OffsetX() const { return FOffX; }
  int32_t OffsetY() const { return FOffY; }
  ui::TUiColor Background() const { return FBackground; }
  ui::TPanel& SlideLayer() const { return *FSlideLayer; }
  ui::TPanel& NavPanel() const { return *FNavPanel; }
  ui::TButton& PrevButton() const { return *FPrevButton; }
  ui::TLabel& SlideLabel() const { return *FSlideLabel; }
  ui::TButton& NextButton() const { return *FNextButton; }
  ui::TEdit& PageEdit() const { return *FPageEdit; }
  ui::TButton& GoButton() const { return *FGoButton; }

 private:
  TTarvikViewer(ui::TWindowHandle parentWindow, ui::TToolkit& toolkit);
  void BuildNavBar();
  void ClearSlide();
  void CreateShapeControl(const TPPTXShape& shape, int32_t index, int32_t offX, int32_t offY, double s);
  void AddTextLabel(const TPPTXShape& shape, int32_t index, const ui::TBounds& bounds, double s);
  void AddShape(const TPPTXShape& shape, int32_t index, const ui::TBounds& bounds, double s);
  void AddMedia(const TPPTXShape& shape, int32_t index, const ui::TBounds& bounds);
  void LayoutNavBar();
  void UpdateNavBar();
  void PrevButtonClick();
  void NextButtonClick();
  void GoButtonClick();
  bool PageEditKeyPress(char key);
  void ViewerResize();
  void WMHostResize(uint32_t message, intptr_t lParam);

  ui::TToolkit& FToolkit;
  std::unique_ptr<TPPTXPresentation> FPresentation;
  int32_t FCurrentSlide = -1;
  std::string FRectangleName;
  // Parents before children: members are destroyed in reverse order.
  std::unique_ptr<ui::TRootPanel> FWindow;
  std::unique_ptr<ui::TPanel> FSlideLayer;
  std::unique_ptr<ui::TPanel> FNavPanel;
  std::unique_ptr<ui::TButton> FPrevButton;
  std::unique_ptr<ui::TLabel> FSlideLabel;
  std::unique_ptr<ui::TButton> FNextButton;
  std::unique_ptr<ui::TEdit> FPageEdit;
  std::unique_ptr<ui::TButton> FGoButton;
  std::vector<TSlideControl> FSlideControls;
  double FScale = 1;
  int32_t FOffX = 0, FOffY = 0;
  ui::TUiColor FBackground = ui::kUiWhite;
};

}  // namespace tarvik
