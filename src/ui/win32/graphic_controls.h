// Labels, shapes and pictures: controls without windows of their own, painted
// by their parent panel, so that text shows whatever lies beneath it.
#pragma once
#include <memory>

#include "ui/win32/panel.h"
#include "ui/win32/picture.h"

namespace tarvik::ui::win32 {

template <class Interface>
class TGraphic : public Interface, public TGraphicItem {
 public:
  explicit TGraphic(TPanelCore* parent) : TGraphicItem(parent) {}
  void SetBounds(const TBounds& bounds) override { SetArea(bounds); }
  TBounds Bounds() const override { return Area(); }
  TUiSize ClientSize() const override { return {Area().Width, Area().Height}; }
  void SetVisible(bool visible) override { SetShown(visible); }
  bool Visible() const override { return Shown(); }
  void SetEnabled(bool enabled) override {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    Invalidate();
  }
  bool Enabled() const override { return enabled_; }
  void BringToFront() override { Raise(); }

 protected:
  bool enabled_ = true;
};

class TWin32Label : public TGraphic<TLabel> {
 public:
  TWin32Label(TPanelCore* parent, const TLabelStyle& style) : TGraphic<TLabel>(parent), style_(style) {}
  ~TWin32Label() override;
  TControlKind Kind() const override { return TControlKind::Label; }
  void SetText(const std::string& text) override;
  std::string Text() const override { return text_; }
  void SetFont(const TFontStyle& font) override;
  TFontStyle Font() const override { return font_; }
  void Paint(HDC dc) override;

 private:
  HFONT NativeFont();
  TLabelStyle style_;
  std::string text_;
  TFontStyle font_;
  HFONT native_ = nullptr;
};

class TWin32Shape : public TGraphic<TShapeControl> {
 public:
  TWin32Shape(TPanelCore* parent, const TShapeStyle& style) : TGraphic<TShapeControl>(parent), style_(style) {}
  TControlKind Kind() const override { return TControlKind::Shape; }
  void SetStyle(const TShapeStyle& style) override;
  TShapeStyle Style() const override { return style_; }
  void Paint(HDC dc) override;

 private:
  TShapeStyle style_;
};

class TWin32Image : public TGraphic<TImage> {
 public:
  explicit TWin32Image(TPanelCore* parent) : TGraphic<TImage>(parent) {}
  TControlKind Kind() const override { return TControlKind::Image; }
  bool LoadPicture(const std::string& fileName) override;
  void Paint(HDC dc) override;

 private:
  std::unique_ptr<TPicture> picture_;
};

}  // namespace tarvik::ui::win32
