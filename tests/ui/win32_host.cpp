// One copy of stb_image_write for the suite: the tests write their pictures with it.
#include "win32_host.h"

#include <algorithm>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace tarvik::test {

namespace {

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

const wchar_t* HostClass() {
  static const ATOM atom = [] {
    WNDCLASSW cls{};
    cls.lpfnWndProc = HostProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.hbrBackground = CreateSolidBrush(RGB(90, 90, 90));
    cls.lpszClassName = L"TarvikTestHost";
    return RegisterClassW(&cls);
  }();
  return atom ? L"TarvikTestHost" : L"STATIC";
}

}  // namespace

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

TCapture Grab(HWND window, TGrabFrom from) {
  RECT r{};
  GetWindowRect(window, &r);
  TCapture c{r.right - r.left, r.bottom - r.top, {}};
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), c.Width, -c.Height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return c;
  HGDIOBJ old = SelectObject(dc, bitmap);
  auto* px = static_cast<uint32_t*>(bits);
  std::fill_n(px, c.Width * c.Height, 0xFF00FFu);  // magenta where nothing was drawn
  if (from != TGrabFrom::Print) {
    HWND source = from == TGrabFrom::Screen ? nullptr : window;
    HDC drawn = GetWindowDC(source);
    BitBlt(dc, 0, 0, c.Width, c.Height, drawn, source ? 0 : r.left, source ? 0 : r.top, SRCCOPY);
    ReleaseDC(source, drawn);
  } else {
    SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT | PRF_CLIENT | PRF_CHILDREN);
  }
  GdiFlush();
  for (int i = 0; i < c.Width * c.Height; ++i) c.Pixels.push_back(RGB(px[i] >> 16 & 0xFF, px[i] >> 8 & 0xFF, px[i] & 0xFF));
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return c;
}

bool TCapture::SavePng(const std::string& path) const {
  std::vector<uint8_t> rgb;
  for (COLORREF p : Pixels) rgb.insert(rgb.end(), {GetRValue(p), GetGValue(p), GetBValue(p)});
  return stbi_write_png(path.c_str(), Width, Height, 3, rgb.data(), Width * 3) != 0;
}

std::string Hex(COLORREF colour) {
  char text[16];
  wsprintfA(text, "#%02X%02X%02X", GetRValue(colour), GetGValue(colour), GetBValue(colour));
  return text;
}

THostWindows::THostWindows() {
  host_ = CreateWindowExW(0, HostClass(), L"Host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, -3000, 0, 440, 340, nullptr,
                          nullptr, GetModuleHandleW(nullptr), nullptr);
  rectangle_ = CreateWindowExW(0, HostClass(), L"Rectangle", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 10,
                               10, 400, 300, host_, nullptr, GetModuleHandleW(nullptr), nullptr);
  ShowWindow(host_, SW_SHOWNORMAL);
  Pump();
}

THostWindows::~THostWindows() {
  if (IsWindow(host_)) DestroyWindow(host_);
  Pump();
}

TCapture THostWindows::Screen(HWND window, int x, int y, const std::function<bool(const TCapture&)>& done) const {
  TCapture shot;
  for (int attempt = 0; attempt < 40; ++attempt) {
    SetWindowPos(host_, HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    UpdateWindow(host_);
    Pump();
    shot = Grab(window, TGrabFrom::Screen);
    if (done(shot)) break;
    Sleep(50);
  }
  return shot;
}

// ---- a user of modal dialogs ------------------------------------------------

namespace {

TDialogRobot* activeRobot = nullptr;

// Finds the visible, enabled dialog of Caption (any for an empty one); with
// no caption to look for, cancels every dialog instead.
struct TDialogSearch {
  const std::wstring* Caption;
  HWND Found;
};

BOOL CALLBACK VisitDialog(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<TDialogSearch*>(param);
  wchar_t cls[16] = L"";
  if (!GetClassNameW(window, cls, 16) || lstrcmpW(cls, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  if (!search->Caption) return PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  if (!IsWindowEnabled(window) || (!search->Caption->empty() && TextOf(window) != *search->Caption)) return TRUE;
  search->Found = window;
  return FALSE;
}

}  // namespace

TDialogRobot::TDialogRobot(std::vector<TDialogStep> steps) : steps_(std::move(steps)), start_(GetTickCount()) {
  activeRobot = this;
  timer_ = SetTimer(nullptr, 0, 50, &Tick);
}

TDialogRobot::~TDialogRobot() {
  KillTimer(nullptr, timer_);
  activeRobot = nullptr;
}

void CALLBACK TDialogRobot::Tick(HWND, UINT, UINT_PTR, DWORD) {
  TDialogRobot* self = activeRobot;
  // An action that opens a dialog of its own runs a loop that ticks again.
  if (!self || self->busy_) return;
  const bool late = GetTickCount() - self->start_ > 15000;
  if (self->Done() && !late) return;
  self->busy_ = true;
  // Late, whatever is still open is cancelled, played steps or not.
  TDialogSearch search{late ? nullptr : &self->steps_[self->next_].Caption, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), &VisitDialog, reinterpret_cast<LPARAM>(&search));
  // In front, as a user's dialog is: other suites' windows may have taken
  // the foreground, and with it the keyboard focus.
  if (search.Found) SetForegroundWindow(search.Found);
  if (search.Found && self->steps_[self->next_].Act(search.Found)) ++self->next_;
  self->busy_ = false;
}

std::vector<HWND> Children(HWND dialog) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  return children;
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

void PressKey(HWND window, UINT key) { PostMessageW(window, WM_KEYDOWN, key, 1); }

bool SaveScreenshot(HWND window, const std::string& name) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  // Wine shows what was drawn when the thread next looks for messages.
  MSG msg;
  for (int i = 0; i < 3; ++i, Sleep(20)) PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
  CreateDirectoryA(TARVIK_SCREENSHOT_DIR, nullptr);
  return Grab(window, TGrabFrom::Window).SavePng(std::string(TARVIK_SCREENSHOT_DIR) + "/" + name + ".png");
}

}  // namespace tarvik::test
