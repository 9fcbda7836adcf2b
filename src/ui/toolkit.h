// The few controls the slide viewer and the property dialogs need, over
// whichever windowing system the build has: real windows and GDI in the
// Windows DLL, a retained tree of controls everywhere else. Code above this
// layer never sees a native handle except the host's own windows.
//
// Ownership: whoever creates a control owns it and destroys children before
// their parent. Destroying a control removes it from its parent's children.
// Children lie above the siblings created before them until BringToFront.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace tarvik::ui {

// A window of the host (a Rectangle object's window), 0 for none.
using TWindowHandle = intptr_t;

// 0x00BBGGRR, as the model holds colours; negative values name a system
// colour (platform/system_colors.h), resolved when painted.
using TUiColor = int32_t;
inline constexpr TUiColor kUiWhite = 0x00FFFFFF;
inline constexpr TUiColor kUiBlack = 0;
inline constexpr TUiColor kUiButtonFace = static_cast<TUiColor>(0xFF00000Fu);

// The host's "resize yourself" message; lParam 4 asks the viewer to refit.
inline constexpr uint32_t kHostResizeMessage = 0x04FA;

struct TBounds {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Width = 0;
  int32_t Height = 0;
};

struct TUiSize {
  int32_t Width = 0;
  int32_t Height = 0;
};

enum class TControlKind { Panel, Button, Label, Edit, Image, Shape, MediaPlayer };

class TControl {
 public:
  virtual ~TControl() = default;
  virtual TControlKind Kind() const = 0;
  virtual void SetBounds(const TBounds& bounds) = 0;
  virtual TBounds Bounds() const = 0;
  // The inside of the control: its bounds less any border and bevel.
  virtual TUiSize ClientSize() const = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual bool Visible() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
  virtual void BringToFront() = 0;
};

struct TPanelStyle {
  TUiColor Color = kUiWhite;
  bool RaisedBevel = false;  // a raised outer bevel
  int32_t BorderWidth = 0;   // between the bevel and the client area
  bool DoubleBuffered = true;
};

class TPanel : public TControl {
 public:
  virtual void SetColor(TUiColor color) = 0;
  virtual TUiColor Color() const = 0;
  // Called after the panel's size changed, whoever changed it.
  std::function<void()> OnResize;
  // Window messages from outside the plug-in (the host's 0x04FA) that reach
  // a root panel.
  std::function<void(uint32_t message, intptr_t wParam, intptr_t lParam)> OnMessage;
};

// A root panel: the top of a control tree, a child window of a host window.
class TRootPanel : public TPanel {
 public:
  // Moves to (0, 0), takes the parent window's client size, goes to the top
  // of its siblings and shows itself. Without a parent window it only shows.
  virtual void FitToParentWindow() = 0;
  virtual TWindowHandle ParentWindow() const = 0;
};

class TButton : public TControl {
 public:
  virtual void SetCaption(const std::string& caption) = 0;
  virtual std::string Caption() const = 0;
  std::function<void()> OnClick;
};

struct TFontStyle {
  std::string Name = "Arial";
  int32_t SizePt = 18;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  TUiColor Color = kUiBlack;
};

struct TLabelStyle {
  bool CentreHorizontally = false;  // otherwise left-aligned
  bool CentreVertically = false;    // otherwise at the top
  bool WordWrap = false;
  bool Transparent = true;  // what lies beneath shows through
};

class TLabel : public TControl {
 public:
  virtual void SetText(const std::string& text) = 0;
  virtual std::string Text() const = 0;
  virtual void SetFont(const TFontStyle& font) = 0;
  virtual TFontStyle Font() const = 0;
};

// A single-line edit box with centred text that takes digits only.
class TEdit : public TControl {
 public:
  virtual void SetText(const std::string& text) = 0;
  virtual std::string Text() const = 0;
  virtual void SelectAll() = 0;
  virtual void SetFocus() = 0;
  // A character typed into the box (13 for Enter); true swallows it.
  std::function<bool(char key)> OnKeyPress;
};

// Shows a picture scaled to fit inside its bounds, aspect kept, centred.
class TImage : public TControl {
 public:
  // False, and an empty control, when the file cannot be read as a picture.
  virtual bool LoadPicture(const std::string& fileName) = 0;
};

enum class TShapeForm { Rectangle, RoundRect, Ellipse };

struct TShapeStyle {
  TShapeForm Form = TShapeForm::Rectangle;
  bool Filled = false;
  TUiColor FillColor = kUiWhite;
  bool Outlined = false;
  TUiColor OutlineColor = kUiBlack;
  int32_t OutlineWidth = 1;  // pixels
};

class TShapeControl : public TControl {
 public:
  virtual void SetStyle(const TShapeStyle& style) = 0;
  virtual TShapeStyle Style() const = 0;
};

// The system's media player: a row of transport buttons, and video drawn on
// a display panel when one is given. Opening does not start playback.
class TMediaPlayer : public TControl {
 public:
  // False, and the control left in place, when the file cannot be opened.
  virtual bool Open(const std::string& fileName, TPanel* display) = 0;
};

class TToolkit {
 public:
  virtual ~TToolkit() = default;
  virtual std::unique_ptr<TRootPanel> CreateRootPanel(TWindowHandle parentWindow, const TPanelStyle& style) = 0;
  virtual std::unique_ptr<TPanel> CreatePanel(TPanel& parent, const TPanelStyle& style) = 0;
  virtual std::unique_ptr<TButton> CreateButton(TPanel& parent, const std::string& caption) = 0;
  virtual std::unique_ptr<TLabel> CreateLabel(TPanel& parent, const TLabelStyle& style) = 0;
  virtual std::unique_ptr<TEdit> CreateEdit(TPanel& parent) = 0;
  virtual std::unique_ptr<TImage> CreateImage(TPanel& parent) = 0;
  virtual std::unique_ptr<TShapeControl> CreateShape(TPanel& parent, const TShapeStyle& style) = 0;
  virtual std::unique_ptr<TMediaPlayer> CreateMediaPlayer(TPanel& parent) = 0;
  // The client size of a host window; 0 x 0 when there is no such window.
  virtual TUiSize WindowClientSize(TWindowHandle window) const = 0;
};

// The build's toolkit: Win32 in the Windows DLL, the headless tree elsewhere.
TToolkit& DefaultToolkit();

}  // namespace tarvik::ui
