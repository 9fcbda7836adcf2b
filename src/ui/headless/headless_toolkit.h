// The toolkit without a windowing system: every control is a node of a
// retained tree that keeps its geometry and properties. Nothing is painted;
// tests and the CLI read the tree back and inject what a user or a host
// would do (clicks, keys, host windows that change size, window messages).
//
// Host windows are only sizes: a test defines them with SetHostWindow; a
// handle it did not define takes its size from TARVIK_HEADLESS_WINDOWS
// ("1001=800x600,1002=300x200"), or else 800 x 600, so that a host that
// reaches the plug-in only through its exports can still attach viewers.
#pragma once
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "ui/toolkit.h"

namespace tarvik::ui {

class THeadlessToolkit;

// What every headless control shares: its place in the tree.
class THeadlessNode {
 public:
  THeadlessNode(const THeadlessNode&) = delete;
  THeadlessNode& operator=(const THeadlessNode&) = delete;

  THeadlessNode* Parent() const { return parent_; }
  // Bottom to top: later children lie above earlier ones.
  const std::vector<THeadlessNode*>& Children() const { return children_; }
  virtual TControl& Control() = 0;
  const TControl& Control() const { return const_cast<THeadlessNode*>(this)->Control(); }
  // Visible itself and every ancestor visible.
  bool Showing() const;
  // Bounds relative to the root panel's top-left corner.
  TBounds BoundsInRoot() const;

 protected:
  THeadlessNode(THeadlessToolkit& toolkit, THeadlessNode* parent);
  virtual ~THeadlessNode();
  void Raise();
  THeadlessToolkit& toolkit_;

 private:
  THeadlessNode* parent_;
  std::vector<THeadlessNode*> children_;
};

// TControl over a node: bounds, visibility, enabled state, z-order.
template <class TBase>
class THeadlessControl : public TBase, public THeadlessNode {
 public:
  TControl& Control() override { return *this; }
  void SetBounds(const TBounds& bounds) override {
    bool resized = bounds.Width != bounds_.Width || bounds.Height != bounds_.Height;
    bounds_ = bounds;
    if (resized) Resized();
  }
  TBounds Bounds() const override { return bounds_; }
  TUiSize ClientSize() const override {
    int32_t inset = Inset();
    return {std::max(0, bounds_.Width - 2 * inset), std::max(0, bounds_.Height - 2 * inset)};
  }
  void SetVisible(bool visible) override { visible_ = visible; }
  bool Visible() const override { return visible_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  bool Enabled() const override { return enabled_; }
  void BringToFront() override { Raise(); }

 protected:
  THeadlessControl(THeadlessToolkit& toolkit, THeadlessNode* parent, bool visible = true)
      : THeadlessNode(toolkit, parent), visible_(visible) {}
  virtual void Resized() {}
  virtual int32_t Inset() const { return 0; }

 private:
  TBounds bounds_;
  bool visible_;
  bool enabled_ = true;
};

class THeadlessPanel : public THeadlessControl<TPanel> {
 public:
  THeadlessPanel(THeadlessToolkit& toolkit, THeadlessNode* parent, const TPanelStyle& style, bool visible = true)
      : THeadlessControl(toolkit, parent, visible), style_(style) {}
  TControlKind Kind() const override { return TControlKind::Panel; }
  void SetColor(TUiColor color) override { style_.Color = color; }
  TUiColor Color() const override { return style_.Color; }
  const TPanelStyle& Style() const { return style_; }

 protected:
  void Resized() override {
    if (OnResize) OnResize();
  }
  int32_t Inset() const override { return (style_.RaisedBevel ? 1 : 0) + style_.BorderWidth; }

 private:
  TPanelStyle style_;
};

class THeadlessRootPanel : public THeadlessControl<TRootPanel> {
 public:
  THeadlessRootPanel(THeadlessToolkit& toolkit, TWindowHandle parentWindow, const TPanelStyle& style);
  ~THeadlessRootPanel() override;
  TControlKind Kind() const override { return TControlKind::Panel; }
  void SetColor(TUiColor color) override { style_.Color = color; }
  TUiColor Color() const override { return style_.Color; }
  const TPanelStyle& Style() const { return style_; }
  void FitToParentWindow() override;
  TWindowHandle ParentWindow() const override { return parentWindow_; }
  // Among the roots in the same host window, higher lies above.
  int64_t ZOrder() const { return zOrder_; }

 protected:
  void Resized() override {
    if (OnResize) OnResize();
  }
  int32_t Inset() const override { return (style_.RaisedBevel ? 1 : 0) + style_.BorderWidth; }

 private:
  TWindowHandle parentWindow_;
  TPanelStyle style_;
  int64_t zOrder_ = 0;
};

class THeadlessButton : public THeadlessControl<TButton> {
 public:
  THeadlessButton(THeadlessToolkit& toolkit, THeadlessNode* parent, const std::string& caption)
      : THeadlessControl(toolkit, parent), caption_(caption) {}
  TControlKind Kind() const override { return TControlKind::Button; }
  void SetCaption(const std::string& caption) override { caption_ = caption; }
  std::string Caption() const override { return caption_; }

 private:
  std::string caption_;
};

class THeadlessLabel : public THeadlessControl<TLabel> {
 public:
  THeadlessLabel(THeadlessToolkit& toolkit, THeadlessNode* parent, const TLabelStyle& style)
      : THeadlessControl(toolkit, parent), style_(style) {}
  TControlKind Kind() const override { return TControlKind::Label; }
  void SetText(const std::string& text) override { text_ = text; }
  std::string Text() const override { return text_; }
  void SetFont(const TFontStyle& font) override { font_ = font; }
  TFontStyle Font() const override { return font_; }
  const TLabelStyle& Style() const { return style_; }

 private:
  TLabelStyle style_;
  std::string text_;
  TFontStyle font_;
};

class THeadlessEdit : public THeadlessControl<TEdit> {
 public:
  THeadlessEdit(THeadlessToolkit& toolkit, THeadlessNode* parent) : THeadlessControl(toolkit, parent) {}
  ~THeadlessEdit() override;
  TControlKind Kind() const override { return TControlKind::Edit; }
  void SetText(const std::string& text) override {
    text_ = text;
    selected_ = false;
  }
  std::string Text() const override { return text_; }
  void SelectAll() override { selected_ = true; }
  void SetFocus() override;
  bool AllSelected() const { return selected_; }
  bool Focused() const;
  // A typed character: offered to OnKeyPress first; a digit that passes
  // replaces a full selection or is appended, backspace (8) removes the last
  // character, anything else is refused as the digits-only box does.
  void Type(char key);

 private:
  std::string text_;
  bool selected_ = false;
};

class THeadlessImage : public THeadlessControl<TImage> {
 public:
  THeadlessImage(THeadlessToolkit& toolkit, THeadlessNode* parent) : THeadlessControl(toolkit, parent) {}
  TControlKind Kind() const override { return TControlKind::Image; }
  // Accepts a readable PNG, JPEG, GIF or BMP, recognised by its signature.
  bool LoadPicture(const std::string& fileName) override;
  // The picture shown; "" while empty.
  const std::string& PictureFile() const { return picture_; }

 private:
  std::string picture_;
};

class THeadlessShape : public THeadlessControl<TShapeControl> {
 public:
  THeadlessShape(THeadlessToolkit& toolkit, THeadlessNode* parent, const TShapeStyle& style)
      : THeadlessControl(toolkit, parent), style_(style) {}
  TControlKind Kind() const override { return TControlKind::Shape; }
  void SetStyle(const TShapeStyle& style) override { style_ = style; }
  TShapeStyle Style() const override { return style_; }

 private:
  TShapeStyle style_;
};

class THeadlessMediaPlayer : public THeadlessControl<TMediaPlayer> {
 public:
  THeadlessMediaPlayer(THeadlessToolkit& toolkit, THeadlessNode* parent) : THeadlessControl(toolkit, parent) {}
  TControlKind Kind() const override { return TControlKind::MediaPlayer; }
  // Opens a file that exists and can be read; nothing is played.
  bool Open(const std::string& fileName, TPanel* display) override;
  const std::string& FileName() const { return fileName_; }
  bool Opened() const { return opened_; }
  TPanel* Display() const { return display_; }

 private:
  std::string fileName_;
  bool opened_ = false;
  TPanel* display_ = nullptr;
};

class THeadlessToolkit : public TToolkit {
 public:
  THeadlessToolkit() = default;
  ~THeadlessToolkit() override = default;
  THeadlessToolkit(const THeadlessToolkit&) = delete;
  THeadlessToolkit& operator=(const THeadlessToolkit&) = delete;

  std::unique_ptr<TRootPanel> CreateRootPanel(TWindowHandle parentWindow, const TPanelStyle& style) override;
  std::unique_ptr<TPanel> CreatePanel(TPanel& parent, const TPanelStyle& style) override;
  std::unique_ptr<TButton> CreateButton(TPanel& parent, const std::string& caption) override;
  std::unique_ptr<TLabel> CreateLabel(TPanel& parent, const TLabelStyle& style) override;
  std::unique_ptr<TEdit> CreateEdit(TPanel& parent) override;
  std::unique_ptr<TImage> CreateImage(TPanel& parent) override;
  std::unique_ptr<TShapeControl> CreateShape(TPanel& parent, const TShapeStyle& style) override;
  std::unique_ptr<TMediaPlayer> CreateMediaPlayer(TPanel& parent) override;
  TUiSize WindowClientSize(TWindowHandle window) const override;

  // --- what a test host does ---
  // Defines (or resizes) a host window. The viewer learns of a new size
  // only when the host sends it the resize message.
  void SetHostWindow(TWindowHandle window, TUiSize clientSize);
  // The root panels placed in a host window, bottom to top.
  std::vector<THeadlessRootPanel*> RootsIn(TWindowHandle window) const;
  const std::vector<THeadlessRootPanel*>& Roots() const { return roots_; }
  // A window message as the host sends it to a root panel.
  static void SendMessage(TRootPanel& root, uint32_t message, intptr_t wParam, intptr_t lParam);
  // A mouse click: reaches OnClick only when the button is showing and
  // enabled, as on screen. False when it did not reach it.
  static bool Click(TButton& button);
  TControl* FocusedControl() const { return focus_ ? &focus_->Control() : nullptr; }

 private:
  friend class THeadlessNode;
  friend class THeadlessRootPanel;
  friend class THeadlessEdit;
  std::map<TWindowHandle, TUiSize> windows_;
  std::vector<THeadlessRootPanel*> roots_;
  THeadlessNode* focus_ = nullptr;
  int64_t nextZ_ = 0;
};

// The headless node behind a control of this toolkit; null for another's.
THeadlessNode* NodeOf(TControl& control);

// "1001=800x600,1002=300x200": the size given for Window, false when none is.
bool LookUpWindowSize(const std::string& table, TWindowHandle window, TUiSize& size);

}  // namespace tarvik::ui
