// The Win32 toolkit: what DefaultToolkit gives in the Windows build.
#include <memory>

#include "ui/win32/controls.h"
#include "ui/win32/graphic_controls.h"
#include "ui/win32/panel.h"

namespace tarvik::ui {

namespace {

using namespace win32;

class TWin32Toolkit : public TToolkit {
 public:
  std::unique_ptr<TRootPanel> CreateRootPanel(TWindowHandle parentWindow, const TPanelStyle& style) override {
    auto panel = std::make_unique<TWin32RootPanel>(parentWindow, style);
    HWND parent = reinterpret_cast<HWND>(parentWindow);
    // A handle that names no window gets a top-level panel, hidden until
    // FitToParentWindow shows it, rather than no panel at all.
    panel->CreateNative(parent && IsWindow(parent) ? parent : nullptr, false);
    return panel;
  }
  std::unique_ptr<TPanel> CreatePanel(TPanel& parent, const TPanelStyle& style) override {
    auto panel = std::make_unique<TWin32Panel>(style);
    if (HWND window = PanelHandle(parent)) panel->CreateNative(window, true);
    return panel;
  }
  std::unique_ptr<TButton> CreateButton(TPanel& parent, const std::string& caption) override {
    auto button = std::make_unique<TWin32Button>();
    button->CreateNative(PanelHandle(parent), caption);
    return button;
  }
  std::unique_ptr<TLabel> CreateLabel(TPanel& parent, const TLabelStyle& style) override {
    return std::make_unique<TWin32Label>(PanelCore(parent), style);
  }
  std::unique_ptr<TEdit> CreateEdit(TPanel& parent) override {
    auto edit = std::make_unique<TWin32Edit>();
    edit->CreateNative(PanelHandle(parent));
    return edit;
  }
  std::unique_ptr<TImage> CreateImage(TPanel& parent) override { return std::make_unique<TWin32Image>(PanelCore(parent)); }
  std::unique_ptr<TShapeControl> CreateShape(TPanel& parent, const TShapeStyle& style) override {
    return std::make_unique<TWin32Shape>(PanelCore(parent), style);
  }
  std::unique_ptr<TMediaPlayer> CreateMediaPlayer(TPanel& parent) override {
    auto player = std::make_unique<TWin32MediaPlayer>();
    player->CreateNative(PanelHandle(parent));
    return player;
  }
  TUiSize WindowClientSize(TWindowHandle window) const override {
    HWND handle = reinterpret_cast<HWND>(window);
    RECT client{};
    if (!handle || !IsWindow(handle) || !GetClientRect(handle, &client)) return {};
    return {client.right, client.bottom};
  }
};

}  // namespace

TToolkit& DefaultToolkit() {
  static TWin32Toolkit toolkit;
  return toolkit;
}

}  // namespace tarvik::ui
