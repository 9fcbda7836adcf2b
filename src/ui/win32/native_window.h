// What the Win32 controls share: the module's panel class, text and colour
// conversions, and TNativeWindow, the tie between a control object and its
// window. The host may destroy our windows under us (closing the Rectangle
// takes its children along), so a control forgets its handle when the window
// goes and answers from what it last knew.
#pragma once
#include <windows.h>

#include <string>
#include <utility>

#include "ui/toolkit.h"

namespace tarvik::ui::win32 {

// The module (the plug-in DLL, or a test program) whose code runs here.
HINSTANCE ModuleInstance();
// Our panel window class, registered on first use for this module and
// unregistered when the module unloads.
const wchar_t* PanelClassName();
// The font of buttons and edit boxes: the system's message font.
HFONT GuiFont();

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);
std::string WindowTextOf(HWND window);
// A control colour as GDI takes it, system colours resolved now.
COLORREF ColorRef(TUiColor color);

class TNativeWindow {
 public:
  TNativeWindow() = default;
  TNativeWindow(const TNativeWindow&) = delete;
  TNativeWindow& operator=(const TNativeWindow&) = delete;
  virtual ~TNativeWindow();

  HWND Handle() const { return hwnd_; }
  static TNativeWindow* FromHandle(HWND window);
  static bool IsPanelWindow(HWND window);

  // Ties a window of our panel class to this object (from WM_NCCREATE).
  void Adopt(HWND window);
  // Ties a window of a system class (BUTTON, EDIT, MCIWnd) to this object;
  // its messages pass through HandleMessage first.
  void Subclass(HWND window);
  // Every message of an adopted or subclassed window comes through here.
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  // WM_COMMAND notifications the parent passes on to the control they name.
  virtual void Command(WORD /*code*/) {}

 protected:
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
  // Destroys the window now, without calling back into this object.
  void DestroyNative();

 private:
  void Forget();
  HWND hwnd_ = nullptr;
  WNDPROC original_ = nullptr;
};

// Draws Parent's visible children, their frames and, recursively, their own
// children into Dc, whose origin is Parent's client origin. WM_PRINT does not reach into children
// everywhere (Wine's DefWindowProc ignores PRF_CHILDREN), so we walk them.
void PrintChildren(HWND parent, HDC dc);

// The TControl half of a control that has a window of its own.
template <class Interface, class Native = TNativeWindow>
class TWindowed : public Interface, public Native {
 public:
  template <class... Args>
  explicit TWindowed(Args&&... args) : Native(std::forward<Args>(args)...) {}

  void SetBounds(const TBounds& bounds) override {
    bounds_ = bounds;
    if (HWND h = this->Handle()) MoveWindow(h, bounds.Left, bounds.Top, Positive(bounds.Width), Positive(bounds.Height), TRUE);
  }
  TBounds Bounds() const override {
    HWND h = this->Handle();
    if (!h) return bounds_;
    RECT r;
    GetWindowRect(h, &r);
    HWND parent = (GetWindowLongW(h, GWL_STYLE) & WS_CHILD) ? GetParent(h) : nullptr;
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
  }
  TUiSize ClientSize() const override {
    RECT r{};
    if (HWND h = this->Handle()) GetClientRect(h, &r);
    return {r.right, r.bottom};
  }
  void SetVisible(bool visible) override {
    if (HWND h = this->Handle()) ShowWindow(h, visible ? SW_SHOWNA : SW_HIDE);
  }
  bool Visible() const override {
    HWND h = this->Handle();
    return h && (GetWindowLongW(h, GWL_STYLE) & WS_VISIBLE) != 0;
  }
  void SetEnabled(bool enabled) override {
    if (HWND h = this->Handle()) EnableWindow(h, enabled);
  }
  bool Enabled() const override {
    HWND h = this->Handle();
    return h && IsWindowEnabled(h);
  }
  void BringToFront() override {
    if (HWND h = this->Handle()) SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }

 protected:
  static int Positive(int32_t value) { return value > 0 ? value : 0; }

 private:
  TBounds bounds_;
};

}  // namespace tarvik::ui::win32
