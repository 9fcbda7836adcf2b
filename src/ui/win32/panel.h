// Panels: windows of our own class that paint double-buffered, draw their
// non-windowed children (labels, shapes, pictures) in creation order, and
// keep the raised bevel and border in the non-client area, so that the client
// area is what ClientSize reports and child coordinates start inside the frame.
#pragma once
#include <vector>

#include "ui/win32/native_window.h"

namespace tarvik::ui::win32 {

class TPanelCore;

// A control without a window: its parent panel paints it, beneath every
// windowed sibling, as the classic toolkits do.
class TGraphicItem {
 public:
  explicit TGraphicItem(TPanelCore* parent);
  TGraphicItem(const TGraphicItem&) = delete;
  TGraphicItem& operator=(const TGraphicItem&) = delete;
  virtual ~TGraphicItem();
  // Paints in the parent's client coordinates; the clip is the bounds.
  virtual void Paint(HDC dc) = 0;
  const TBounds& Area() const { return area_; }
  bool Shown() const { return shown_; }
  void ParentGone() { parent_ = nullptr; }

 protected:
  void SetArea(const TBounds& area);
  void SetShown(bool shown);
  void Raise();
  void Invalidate() const;
  TUiColor ParentColor() const;

 private:
  TPanelCore* parent_;
  TBounds area_;
  bool shown_ = true;
};

class TPanelCore : public TNativeWindow {
 public:
  explicit TPanelCore(const TPanelStyle& style) : style_(style), color_(style.Color) {}
  ~TPanelCore() override;
  // Creates the window; Parent 0 makes a hidden top-level window.
  void CreateNative(HWND parent, bool visible);

  void AddGraphic(TGraphicItem* item) { graphics_.push_back(item); }
  void RemoveGraphic(TGraphicItem* item);
  void RaiseGraphic(TGraphicItem* item);
  void InvalidateArea(const TBounds& area) const;
  TUiColor PanelColor() const { return color_; }
  void SetPanelColor(TUiColor color);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  virtual void Resized() {}
  // A message from outside the plug-in; true when it was handled.
  virtual bool OutsideMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/) { return false; }

 private:
  int FrameWidth() const { return (style_.RaisedBevel ? 1 : 0) + (style_.BorderWidth > 0 ? style_.BorderWidth : 0); }
  void PaintClient(HDC dc, const RECT& area) const;
  void PaintFrame(HDC dc, RECT frame) const;
  void OnPaint();
  void OnNcPaint();
  void OnPrint(HDC dc, LPARAM flags);
  void OnSize(int width, int height);

  TPanelStyle style_;
  TUiColor color_;
  std::vector<TGraphicItem*> graphics_;  // bottom first
  TUiSize lastSize_;  // windows are born 0 x 0
};

template <class Interface>
class TPanelOf : public TWindowed<Interface, TPanelCore> {
 public:
  explicit TPanelOf(const TPanelStyle& style) : TWindowed<Interface, TPanelCore>(style) {}
  TControlKind Kind() const override { return TControlKind::Panel; }
  void SetColor(TUiColor color) override { this->SetPanelColor(color); }
  TUiColor Color() const override { return this->PanelColor(); }

 protected:
  void Resized() override {
    if (!this->OnResize) return;
    auto handler = this->OnResize;  // the handler may replace itself
    handler();
  }
};

using TWin32Panel = TPanelOf<TPanel>;

class TWin32RootPanel : public TPanelOf<TRootPanel> {
 public:
  TWin32RootPanel(TWindowHandle parent, const TPanelStyle& style) : TPanelOf<TRootPanel>(style), parent_(parent) {}
  void FitToParentWindow() override;
  TWindowHandle ParentWindow() const override { return parent_; }

 protected:
  bool OutsideMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  TWindowHandle parent_;
};

// A panel's native window, for controls created inside it; null for a panel
// of another toolkit.
TPanelCore* PanelCore(TPanel& panel);
HWND PanelHandle(TPanel& panel);

}  // namespace tarvik::ui::win32
