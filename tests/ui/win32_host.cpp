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

TCapture Grab(HWND window, bool screen) {
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
  if (screen) {
    HDC from = GetDC(nullptr);
    BitBlt(dc, 0, 0, c.Width, c.Height, from, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, from);
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
    shot = Grab(window, true);
    if (done(shot)) break;
    Sleep(50);
  }
  return shot;
}

}  // namespace tarvik::test
