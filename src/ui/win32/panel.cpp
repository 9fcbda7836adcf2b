// Panel painting: the background and the non-windowed children go into a
// memory bitmap first, so that a slide rebuilt on every resize does not
// flicker; WM_PRINT and WM_PRINTCLIENT draw the same into a caller's DC.
#include "ui/win32/panel.h"

#include <algorithm>

namespace tarvik::ui::win32 {

namespace {

RECT ToRect(const TBounds& b) { return {b.Left, b.Top, b.Left + b.Width, b.Top + b.Height}; }

bool Meets(const TBounds& b, const RECT& area) {
  RECT r = ToRect(b), common;
  return IntersectRect(&common, &r, &area) != FALSE;
}

}  // namespace

TGraphicItem::TGraphicItem(TPanelCore* parent) : parent_(parent) {
  if (parent_) parent_->AddGraphic(this);
}

TGraphicItem::~TGraphicItem() {
  if (!parent_) return;
  Invalidate();
  parent_->RemoveGraphic(this);
}

void TGraphicItem::SetArea(const TBounds& area) {
  Invalidate();
  area_ = area;
  Invalidate();
}

void TGraphicItem::SetShown(bool shown) {
  if (shown_ == shown) return;
  shown_ = shown;
  Invalidate();
}

void TGraphicItem::Raise() {
  if (!parent_) return;
  parent_->RaiseGraphic(this);
  Invalidate();
}

void TGraphicItem::Invalidate() const {
  if (parent_) parent_->InvalidateArea(area_);
}

TUiColor TGraphicItem::ParentColor() const { return parent_ ? parent_->PanelColor() : kUiWhite; }

TPanelCore::~TPanelCore() {
  for (TGraphicItem* item : graphics_) item->ParentGone();
}

void TPanelCore::CreateNative(HWND parent, bool visible) {
  DWORD style = WS_CLIPCHILDREN | (visible ? WS_VISIBLE : 0);
  style |= parent ? WS_CHILD | WS_CLIPSIBLINGS : WS_POPUP;
  CreateWindowExW(0, PanelClassName(), L"", style, 0, 0, 0, 0, parent, nullptr, ModuleInstance(), this);
}

void TPanelCore::RemoveGraphic(TGraphicItem* item) {
  graphics_.erase(std::remove(graphics_.begin(), graphics_.end(), item), graphics_.end());
}

void TPanelCore::RaiseGraphic(TGraphicItem* item) {
  RemoveGraphic(item);
  graphics_.push_back(item);
}

void TPanelCore::InvalidateArea(const TBounds& area) const {
  if (!Handle() || area.Width <= 0 || area.Height <= 0) return;
  RECT r = ToRect(area);
  InvalidateRect(Handle(), &r, FALSE);
}

void TPanelCore::SetPanelColor(TUiColor color) {
  color_ = color;
  if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TPanelCore::PaintClient(HDC dc, const RECT& area) const {
  HBRUSH background = CreateSolidBrush(ColorRef(color_));
  FillRect(dc, &area, background);
  DeleteObject(background);
  RECT whole;
  GetClientRect(Handle(), &whole);
  if (style_.RaisedBevel) {
    // The one-pixel raised bevel of a classic panel, inside its bounds:
    // highlight above and to the left, shadow below and to the right. The
    // border beyond it is the panel's own colour, already there.
    DrawEdge(dc, &whole, BDR_RAISEDINNER, BF_RECT);
  }
  for (TGraphicItem* item : graphics_) {
    const TBounds& b = item->Area();
    if (!item->Shown() || b.Width <= 0 || b.Height <= 0 || !Meets(b, area)) continue;
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, b.Left, b.Top, b.Left + b.Width, b.Top + b.Height);
    item->Paint(dc);
    RestoreDC(dc, saved);
  }
}

void TPanelCore::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(Handle(), &ps);
  const RECT area = ps.rcPaint;
  const int width = area.right - area.left, height = area.bottom - area.top;
  HDC memory = style_.DoubleBuffered && width > 0 && height > 0 ? CreateCompatibleDC(dc) : nullptr;
  HBITMAP bitmap = memory ? CreateCompatibleBitmap(dc, width, height) : nullptr;
  HGDIOBJ old = bitmap ? SelectObject(memory, bitmap) : nullptr;
  try {
    if (bitmap) {
      SetViewportOrgEx(memory, -area.left, -area.top, nullptr);
      PaintClient(memory, area);
      SetViewportOrgEx(memory, 0, 0, nullptr);
      BitBlt(dc, area.left, area.top, width, height, memory, 0, 0, SRCCOPY);
    } else if (width > 0 && height > 0) {
      PaintClient(dc, area);
    }
  } catch (...) {
    // A control that cannot paint leaves its area as it was; EndPaint must run.
  }
  if (old) SelectObject(memory, old);
  if (bitmap) DeleteObject(bitmap);
  if (memory) DeleteDC(memory);
  EndPaint(Handle(), &ps);
}

void TPanelCore::OnSize(int width, int height) {
  if (width == lastSize_.Width && height == lastSize_.Height) return;
  lastSize_ = {width, height};
  Resized();
}

LRESULT TPanelCore::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers every pixel
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_PRINTCLIENT: {
      RECT client;
      GetClientRect(Handle(), &client);
      HDC dc = reinterpret_cast<HDC>(wParam);
      if (lParam & PRF_CLIENT) PaintClient(dc, client);
      if (lParam & PRF_CHILDREN) PrintChildren(Handle(), dc);
      return 0;
    }
    case WM_PRINT:
      // No frame outside the client area: printing the window is printing its client.
      if ((lParam & PRF_CHECKVISIBLE) && !IsWindowVisible(Handle())) return 0;
      return HandleMessage(WM_PRINTCLIENT, wParam, lParam);
    case WM_SIZE:
      OnSize(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_COMMAND:
      if (TNativeWindow* control = FromHandle(reinterpret_cast<HWND>(lParam))) control->Command(HIWORD(wParam));
      return 0;
    default:
      if (OutsideMessage(message, wParam, lParam)) return 0;
      return Default(message, wParam, lParam);
  }
}

void TWin32RootPanel::FitToParentWindow() {
  HWND window = Handle();
  if (!window) return;
  HWND parent = (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr;
  if (!parent) {
    ShowWindow(window, SW_SHOWNA);
    return;
  }
  RECT client;
  GetClientRect(parent, &client);
  SetWindowPos(window, HWND_TOP, 0, 0, client.right, client.bottom, SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

bool TWin32RootPanel::OutsideMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kHostResizeMessage) return false;
  if (OnMessage) {
    auto handler = OnMessage;
    handler(message, static_cast<intptr_t>(wParam), static_cast<intptr_t>(lParam));
  }
  return true;
}

TPanelCore* PanelCore(TPanel& panel) { return dynamic_cast<TPanelCore*>(&panel); }

HWND PanelHandle(TPanel& panel) {
  TPanelCore* core = PanelCore(panel);
  return core ? core->Handle() : nullptr;
}

}  // namespace tarvik::ui::win32
