// Buttons and the page number box.
#include "ui/win32/controls.h"

namespace tarvik::ui::win32 {

namespace {

HWND CreateSystemControl(HWND parent, const wchar_t* cls, const std::wstring& text, DWORD style, DWORD exStyle) {
  if (!parent) return nullptr;
  HWND window = CreateWindowExW(exStyle, cls, text.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | style,
                                0, 0, 0, 0, parent, nullptr, ModuleInstance(), nullptr);
  if (window) SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont()), FALSE);
  return window;
}

}  // namespace

void TWin32Button::CreateNative(HWND parent, const std::string& caption) {
  Subclass(CreateSystemControl(parent, L"BUTTON", Widen(caption), BS_PUSHBUTTON, 0));
}

void TWin32Button::SetCaption(const std::string& caption) {
  if (Handle()) SetWindowTextW(Handle(), Widen(caption).c_str());
}

void TWin32Button::Command(WORD code) {
  if (code != BN_CLICKED || !OnClick) return;
  auto handler = OnClick;  // the handler may replace itself
  handler();
}

void TWin32Edit::CreateNative(HWND parent) {
  Subclass(CreateSystemControl(parent, L"EDIT", L"", ES_NUMBER | ES_CENTER | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE));
}

void TWin32Edit::SetText(const std::string& text) {
  if (Handle()) SetWindowTextW(Handle(), Widen(text).c_str());
}

void TWin32Edit::SelectAll() {
  if (Handle()) SendMessageW(Handle(), EM_SETSEL, 0, -1);
}

void TWin32Edit::SetFocus() {
  if (Handle()) ::SetFocus(Handle());
}

LRESULT TWin32Edit::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // The handler sees a character before the box does, so that it can take
  // Enter, which a single-line box would only answer with a beep.
  if (message == WM_CHAR && wParam < 0x80 && OnKeyPress) {
    auto handler = OnKeyPress;
    if (handler(static_cast<char>(wParam))) return 0;
  }
  return Default(message, wParam, lParam);
}

}  // namespace tarvik::ui::win32
