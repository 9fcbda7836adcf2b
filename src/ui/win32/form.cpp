// The form's dialog: an empty in-memory template run by the system's modal
// loop, which gives Tab, Enter, Esc and the close box their usual meaning;
// the controls are made when the dialog starts, at their pixel positions.
#include "ui/win32/form.h"

#include <algorithm>

#include "ui/win32/native_window.h"

namespace tarvik::ui::win32 {

namespace {

// Edit boxes and buttons whose row gives no height: a single line's box and
// the system's usual button.
constexpr int kControlHeight = 25;
// Plain controls take ids from here on; the Default and Cancel buttons take
// IDOK and IDCANCEL, which is what Enter, Esc and the close box send.
constexpr int kFirstControlId = 1000;

int CALLBACK FaceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool HasFace(HDC dc, const wchar_t* face) {
  LOGFONTW query{};
  query.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(query.lfFaceName, face, LF_FACESIZE);
  bool found = false;
  EnumFontFamiliesExW(dc, &query, FaceFound, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

struct TFormFont {
  HFONT font = nullptr;
  TFormFont() {
    HDC screen = GetDC(nullptr);
    LOGFONTW face{};
    face.lfHeight = -MulDiv(9, screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96, 72);
    face.lfWeight = FW_NORMAL;
    face.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(face.lfFaceName, L"Segoe UI", LF_FACESIZE);
    // Left to itself GDI would map a missing face to whatever it likes best,
    // often a serif one; the message font is what the system's own dialogs use.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (screen && !HasFace(screen, face.lfFaceName) &&
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
      lstrcpynW(face.lfFaceName, metrics.lfMessageFont.lfFaceName, LF_FACESIZE);
    if (screen) ReleaseDC(nullptr, screen);
    font = CreateFontIndirectW(&face);
  }
  ~TFormFont() {
    if (font) DeleteObject(font);
  }
};

BOOL CALLBACK CollectEnabled(HWND window, LPARAM list) {
  try {
    auto* windows = reinterpret_cast<std::vector<HWND>*>(list);
    if (IsWindowVisible(window) && IsWindowEnabled(window)) windows->push_back(window);
    return TRUE;
  } catch (...) {
    return FALSE;
  }
}

void EnableAgain(std::vector<HWND>& windows) {
  for (HWND window : windows)
    if (IsWindow(window)) EnableWindow(window, TRUE);
  windows.clear();
}

}  // namespace

HFONT FormFont() {
  static TFormFont form;
  return form.font ? form.font : GuiFont();
}

SIZE FormTextExtent(const std::string& text) {
  SIZE size{0, 0};
  HDC dc = GetDC(nullptr);
  if (!dc) return size;
  HGDIOBJ old = SelectObject(dc, FormFont());
  const std::wstring wide = Widen(text);
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  TEXTMETRICW metrics{};
  if (GetTextMetricsW(dc, &metrics)) size.cy = metrics.tmHeight;  // an empty label keeps a line's height
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size;
}

TWin32Form::TWin32Form(const TFormLayout& layout)
    : layout_{layout.Caption, layout.ClientWidth, layout.ClientHeight, {}} {
  for (const TFormItem& item : layout.Items) controls_.push_back({item, nullptr, nullptr});
}

TWin32Form::~TWin32Form() {
  // Only a handler that frees its own form while it is shown gets here with
  // a window left; the dialog must not call back into freed memory.
  if (dialog_) {
    SetWindowLongPtrW(dialog_, DWLP_USER, 0);
    EndDialog(dialog_, IDCANCEL);
  }
  EnableAgain(disabled_);
}

void TWin32Form::SetCaption(const std::string& caption) {
  layout_.Caption = caption;
  if (dialog_) SetWindowTextW(dialog_, Widen(caption).c_str());
}

std::string TWin32Form::Text(const std::string& name) const {
  const TControl* control = Find(name);
  if (!control) return {};
  return control->Window ? WindowTextOf(control->Window) : control->Item.Text;
}

void TWin32Form::SetText(const std::string& name, const std::string& text) {
  TControl* control = Find(name);
  if (!control) return;
  control->Item.Text = text;
  if (!control->Window) return;
  SetWindowTextW(control->Window, Widen(text).c_str());
  if (control->Item.Kind == TFormItemKind::Label) PlaceControl(*control);
}

void TWin32Form::Focus(const std::string& name) {
  focus_ = name;
  const TControl* control = Find(name);
  if (dialog_ && control && control->Window)
    SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control->Window), TRUE);
}

void TWin32Form::OnClick(const std::string& name, std::function<void()> handler) {
  if (TControl* control = Find(name)) control->Click = std::move(handler);
}

TModalResult TWin32Form::ShowModal() {
  if (showing_) return TModalResult::Cancel;
  // Ownerless, as the forms are, the dialog would leave the host's windows
  // usable behind it: it disables them itself, as a modal form does.
  EnableAgain(disabled_);
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabled, reinterpret_cast<LPARAM>(&disabled_));
  for (HWND window : disabled_) EnableWindow(window, FALSE);
  // A template without controls: menu, class and title are each one empty word.
  std::vector<WORD> dialogTemplate(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0);
  auto* header = reinterpret_cast<DLGTEMPLATE*>(dialogTemplate.data());
  header->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  header->dwExtendedStyle = WS_EX_DLGMODALFRAME;
  showing_ = true;
  const INT_PTR result =
      DialogBoxIndirectParamW(ModuleInstance(), header, nullptr, &DialogProc, reinterpret_cast<LPARAM>(this));
  showing_ = false;
  EnableAgain(disabled_);
  return result == IDOK ? TModalResult::OK : TModalResult::Cancel;
}

INT_PTR CALLBACK TWin32Form::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    reinterpret_cast<TWin32Form*>(lParam)->dialog_ = dialog;
  }
  auto* self = reinterpret_cast<TWin32Form*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (!self) return FALSE;
  // No exception may unwind into the system's modal loop.
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    if (message == WM_INITDIALOG) EndDialog(dialog, IDCANCEL);
    return FALSE;
  }
}

INT_PTR TWin32Form::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      Initialise();
      return FALSE;  // the focus is set already
    case WM_COMMAND:
      Command(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_DESTROY:
      // The controls still exist while their parent hears of its end.
      KeepTexts();
      dialog_ = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}

void TWin32Form::Initialise() {
  SetWindowTextW(dialog_, Widen(layout_.Caption).c_str());
  // Created in table order: the order of the children is the tab order.
  for (size_t i = 0; i < controls_.size(); ++i) {
    const TFormItem& item = controls_[i].Item;
    const TButtonRole role = item.Kind == TFormItemKind::Button ? item.Role : TButtonRole::Plain;
    CreateControl(controls_[i], role == TButtonRole::Default  ? IDOK
                                : role == TButtonRole::Cancel ? IDCANCEL
                                                              : kFirstControlId + static_cast<int>(i));
  }
  PlaceWindow();
  SendMessageW(dialog_, DM_SETDEFID, IDOK, 0);
  const TControl* chosen = Find(focus_);
  HWND target = chosen && chosen->Window ? chosen->Window : GetNextDlgTabItem(dialog_, nullptr, FALSE);
  if (target) SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(target), TRUE);
}

void TWin32Form::PlaceWindow() const {
  const int clientWidth = std::max(0, layout_.ClientWidth), clientHeight = std::max(0, layout_.ClientHeight);
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(dialog_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(dialog_, GWL_EXSTYLE)));
  SIZE outer{frame.right - frame.left, frame.bottom - frame.top};
  // A frame drawn other than the system predicted (Wine's, some themes') is
  // corrected by the client area it actually left.
  for (int pass = 0; pass < 2; ++pass) {
    SetWindowPos(dialog_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - outer.cx) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - outer.cy) / 2, outer.cx, outer.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{};
    GetClientRect(dialog_, &client);
    if (client.right == clientWidth && client.bottom == clientHeight) break;
    outer.cx += clientWidth - client.right;
    outer.cy += clientHeight - client.bottom;
  }
}

void TWin32Form::CreateControl(TControl& control, int id) {
  const TFormItem& item = control.Item;
  const wchar_t* cls = L"STATIC";
  DWORD style = SS_LEFTNOWORDWRAP | SS_NOPREFIX, exStyle = 0;
  if (item.Kind == TFormItemKind::Edit) {
    cls = L"EDIT";
    style = ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP;
    exStyle = WS_EX_CLIENTEDGE;
  } else if (item.Kind == TFormItemKind::Button) {
    cls = L"BUTTON";
    style = (item.Role == TButtonRole::Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP;
  }
  const auto menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
  control.Window = CreateWindowExW(exStyle, cls, Widen(item.Text).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                                   dialog_, menu, ModuleInstance(), nullptr);
  if (!control.Window) return;
  SendMessageW(control.Window, WM_SETFONT, reinterpret_cast<WPARAM>(FormFont()), FALSE);
  // The author may type or paste more than the 30,000 characters a box takes by default.
  if (item.Kind == TFormItemKind::Edit) SendMessageW(control.Window, EM_SETLIMITTEXT, 0, 0);
  PlaceControl(control);
}

void TWin32Form::PlaceControl(const TControl& control) {
  const TFormItem& item = control.Item;
  const bool label = item.Kind == TFormItemKind::Label;
  const SIZE text = label ? FormTextExtent(item.Text) : SIZE{0, 0};
  // A pixel beyond the text's advance: the last glyph's smoothed edge can
  // reach past it, and Wine's labels then leave that glyph out altogether.
  const int width = item.Width > 0 ? item.Width : text.cx + 1;
  const int height = item.Height > 0 ? item.Height : label ? text.cy : kControlHeight;
  MoveWindow(control.Window, item.Left, item.Top, width, height, TRUE);
}

void TWin32Form::Command(WORD id, WORD code) {
  if (code != BN_CLICKED) return;
  if (id == IDCANCEL) return Close(IDCANCEL);
  if (id == IDOK) {
    auto validator = validator_;  // the validator may replace itself
    if (!validator || validator()) Close(IDOK);
    return;
  }
  const size_t index = static_cast<size_t>(id) - kFirstControlId;
  if (id < kFirstControlId || index >= controls_.size() || !controls_[index].Click) return;
  auto handler = controls_[index].Click;
  handler();
}

void TWin32Form::Close(int result) {
  // Enabled again before the dialog hides, so that activation returns to
  // the host's window rather than to nowhere.
  EnableAgain(disabled_);
  if (dialog_) EndDialog(dialog_, result);
}

void TWin32Form::KeepTexts() {
  for (TControl& control : controls_) {
    if (control.Window) control.Item.Text = WindowTextOf(control.Window);
    control.Window = nullptr;
  }
}

TWin32Form::TControl* TWin32Form::Find(const std::string& name) {
  auto found = std::find_if(controls_.begin(), controls_.end(), [&](const TControl& c) { return c.Item.Name == name; });
  return found == controls_.end() ? nullptr : &*found;
}

const TWin32Form::TControl* TWin32Form::Find(const std::string& name) const {
  return const_cast<TWin32Form*>(this)->Find(name);
}

}  // namespace tarvik::ui::win32
