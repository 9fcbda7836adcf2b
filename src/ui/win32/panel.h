// Panels: windows of our own class that paint double-buffered and draw their
// non-windowed children (labels, shapes, pictures) in creation order. As in
// the classic toolkits, the bevel and border are painted inside the panel and
// children are placed from its outer corner; ClientSize is what lies inside
// the frame.
#pragma once
#include <algorithm>
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
  // The bevel and the border, on each side.
  int FrameWidth() const { return (style_.RaisedBevel ? 1 : 0) + (style_.BorderWidth > 0 ? style_.BorderWidth : 0); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  virtual void Resized() {}
  // A message from outside the plug-in; true when it was handled.
  virtual bool OutsideMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/) { return false; }

 private:
  void PaintClient(HDC dc, const RECT& area) const;
  void OnPaint();
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
  TUiSize ClientSize() const override {
    const TUiSize window = TWindowed<Interface, TPanelCore>::ClientSize();
    const int inset = 2 * this->FrameWidth();
    return {std::max(window.Width - inset, 0), std::max(window.Height - inset, 0)};
  }
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
