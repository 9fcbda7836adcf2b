// The panel window class, the message hook of every control window, and the
// walk that prints a window tree into one device context.
#include "ui/win32/native_window.h"

#include "platform/codepage.h"
#include "platform/system_colors.h"

namespace tarvik::ui::win32 {

namespace {

constexpr wchar_t kControlProperty[] = L"Tarvik.Control";
constexpr wchar_t kPanelClass[] = L"TarvikPanel";

LRESULT CALLBACK PanelWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    if (create->lpCreateParams) static_cast<TNativeWindow*>(create->lpCreateParams)->Adopt(window);
  }
  if (TNativeWindow* self = TNativeWindow::FromHandle(window)) return self->Dispatch(message, wParam, lParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK SubclassWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (TNativeWindow* self = TNativeWindow::FromHandle(window)) return self->Dispatch(message, wParam, lParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

// Registered once; the destructor runs when the module unloads, by which time
// the host has freed our windows (an unregister that finds windows left fails
// harmlessly).
struct TPanelClass {
  ATOM atom = 0;
  TPanelClass() {
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof(cls);
    cls.style = CS_HREDRAW | CS_VREDRAW;
    cls.lpfnWndProc = PanelWindowProc;
    cls.hInstance = ModuleInstance();
    cls.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    cls.lpszClassName = kPanelClass;
    atom = RegisterClassExW(&cls);
  }
  ~TPanelClass() {
    if (atom) UnregisterClassW(kPanelClass, ModuleInstance());
  }
};

struct TGuiFont {
  HFONT font = nullptr;
  TGuiFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
      font = CreateFontIndirectW(&metrics.lfMessageFont);
  }
  ~TGuiFont() {
    if (font) DeleteObject(font);
  }
};

}  // namespace

HINSTANCE ModuleInstance() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ModuleInstance), &module);
  return module;
}

const wchar_t* PanelClassName() {
  static TPanelClass registration;
  return kPanelClass;
}

HFONT GuiFont() {
  static TGuiFont gui;
  return gui.font ? gui.font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

std::wstring Widen(const std::string& utf8) {
  const std::u16string wide = Utf8ToUtf16(utf8);
  return std::wstring(wide.begin(), wide.end());
}

std::string Narrow(const std::wstring& wide) { return Utf16ToUtf8(std::u16string(wide.begin(), wide.end())); }

std::string WindowTextOf(HWND window) {
  if (!window) return {};
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return Narrow(text);
}

COLORREF ColorRef(TUiColor color) { return static_cast<COLORREF>(ResolveSystemColor(color)) & 0x00FFFFFFu; }

TNativeWindow::~TNativeWindow() { DestroyNative(); }

TNativeWindow* TNativeWindow::FromHandle(HWND window) {
  return window ? static_cast<TNativeWindow*>(GetPropW(window, kControlProperty)) : nullptr;
}

bool TNativeWindow::IsPanelWindow(HWND window) {
  wchar_t name[32];
  return GetClassNameW(window, name, 32) > 0 && lstrcmpW(name, kPanelClass) == 0 &&
         reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE)) == ModuleInstance();
}

void TNativeWindow::Adopt(HWND window) {
  hwnd_ = window;
  SetPropW(window, kControlProperty, this);
}

void TNativeWindow::Subclass(HWND window) {
  if (!window) return;
  Adopt(window);
  original_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassWindowProc)));
}

LRESULT TNativeWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCDESTROY) {
    HWND window = hwnd_;
    WNDPROC original = original_;
    Forget();
    return original ? CallWindowProcW(original, window, message, wParam, lParam)
                    : DefWindowProcW(window, message, wParam, lParam);
  }
  // No exception may unwind into the system's or the host's frames.
  try {
    return HandleMessage(message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}

LRESULT TNativeWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return Default(message, wParam, lParam);
}

LRESULT TNativeWindow::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!hwnd_) return 0;
  return original_ ? CallWindowProcW(original_, hwnd_, message, wParam, lParam)
                   : DefWindowProcW(hwnd_, message, wParam, lParam);
}

void TNativeWindow::Forget() {
  if (!hwnd_) return;
  RemovePropW(hwnd_, kControlProperty);
  if (original_) SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
  hwnd_ = nullptr;
  original_ = nullptr;
}

void TNativeWindow::DestroyNative() {
  HWND window = hwnd_;
  if (!window) return;
  Forget();
  DestroyWindow(window);
}

namespace {

// A system control prints its client area through a bitmap of its own: some
// (Wine's buttons) clip to their client rectangle in device coordinates and
// draw nothing into a DC whose origin was moved. The sunken edge of an edit
// box is drawn as the system draws it.
void PrintSystemControl(HWND parent, HWND child, HDC dc, RECT frame) {
  if (GetWindowLongW(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) DrawEdge(dc, &frame, EDGE_SUNKEN, BF_RECT);
  POINT origin{0, 0};
  MapWindowPoints(child, parent, &origin, 1);
  RECT client;
  GetClientRect(child, &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = memory ? CreateCompatibleBitmap(dc, client.right, client.bottom) : nullptr;
  if (bitmap) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    SendMessageW(child, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT | PRF_ERASEBKGND);
    BitBlt(dc, origin.x, origin.y, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(bitmap);
  }
  if (memory) DeleteDC(memory);
  const int saved = SaveDC(dc);
  OffsetViewportOrgEx(dc, origin.x, origin.y, nullptr);
  IntersectClipRect(dc, 0, 0, client.right, client.bottom);
  PrintChildren(child, dc);
  RestoreDC(dc, saved);
}

}  // namespace

void PrintChildren(HWND parent, HDC dc) {
  // Bottom of the z-order first, so that upper siblings cover lower ones.
  for (HWND child = GetWindow(GetWindow(parent, GW_CHILD), GW_HWNDLAST); child;
       child = GetWindow(child, GW_HWNDPREV)) {
    if (!(GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE)) continue;
    RECT frame;
    GetWindowRect(child, &frame);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&frame), 2);
    if (!TNativeWindow::IsPanelWindow(child)) {
      PrintSystemControl(parent, child, dc, frame);
      continue;
    }
    const int saved = SaveDC(dc);
    OffsetViewportOrgEx(dc, frame.left, frame.top, nullptr);
    IntersectClipRect(dc, 0, 0, frame.right - frame.left, frame.bottom - frame.top);
    SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT | PRF_CLIENT | PRF_CHILDREN);
    RestoreDC(dc, saved);
  }
}

}  // namespace tarvik::ui::win32
