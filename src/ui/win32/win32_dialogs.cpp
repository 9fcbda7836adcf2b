// The Win32 dialogs: what DefaultDialogs gives in the Windows build. Forms
// are our own dialogs (form.cpp); the pickers and message boxes are the
// system's, owned by whichever window of ours is active so that they are
// modal over it.
#include <windows.h>

#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <memory>

#include "platform/files.h"
#include "ui/win32/form.h"
#include "ui/win32/native_window.h"

namespace tarvik::ui {

namespace {

using namespace win32;

// Long enough for any path the shell hands out, long names included.
constexpr DWORD kFileBufferChars = 32768;

// The input box's grid; it widens for a long prompt.
constexpr int kInputMargin = 12, kInputMinWidth = 360, kInputHeight = 104, kInputButtonWidth = 80, kInputGap = 8;

HHOOK centreHook = nullptr;

// Moves the first dialog that activates, the message box, to the middle of
// the screen; the system would put it over its owner.
LRESULT CALLBACK CentreOnActivate(int code, WPARAM wParam, LPARAM lParam) {
  HHOOK hook = centreHook;
  wchar_t cls[16] = L"";
  HWND window = reinterpret_cast<HWND>(wParam);
  if (code == HCBT_ACTIVATE && GetClassNameW(window, cls, 16) && lstrcmpW(cls, L"#32770") == 0) {
    RECT r{};
    GetWindowRect(window, &r);
    SetWindowPos(window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    UnhookWindowsHookEx(hook);
    centreHook = nullptr;
  }
  return CallNextHookEx(hook, code, wParam, lParam);
}

// "A|b|C|d" as the common dialogs take it: NUL-separated, ending in two NULs.
std::wstring FilterPairs(const std::string& filter) {
  std::wstring pairs = Widen(filter);
  std::replace(pairs.begin(), pairs.end(), L'|', L'\0');
  return pairs.append(2, L'\0');
}

int CALLBACK PreselectFolder(HWND browser, UINT message, LPARAM, LPARAM folder) {
  if (message == BFFM_INITIALIZED && folder) SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, folder);
  return 0;
}

class TWin32Dialogs : public TDialogs {
 public:
  std::unique_ptr<TForm> CreateForm(const TFormLayout& layout) override { return std::make_unique<TWin32Form>(layout); }

  bool PickFile(const TFileDialogOptions& options, std::string& fileName) override {
    std::wstring initial = Widen(options.InitialFile);
    // A preset name the dialog refuses (bad characters) would stop it from
    // opening at all; then it opens empty.
    if (ShowFileDialog(options, initial, fileName)) return true;
    const DWORD failure = CommDlgExtendedError();
    return failure == FNERR_INVALIDFILENAME && !initial.empty() && ShowFileDialog(options, L"", fileName);
  }

  bool BrowseForFolder(const std::string& prompt, std::string& folder) override {
    const std::wstring title = Widen(prompt), preset = Widen(folder);
    BROWSEINFOW info{};
    info.hwndOwner = GetActiveWindow();
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_NEWDIALOGSTYLE | BIF_RETURNONLYFSDIRS | BIF_NONEWFOLDERBUTTON;
    info.lpfn = &PreselectFolder;
    info.lParam = !folder.empty() && DirectoryExists(folder) ? reinterpret_cast<LPARAM>(preset.c_str()) : 0;
    // The new style needs OLE on this thread; a host that chose the
    // multithreaded model gets the old style rather than no browser.
    const HRESULT ole = OleInitialize(nullptr);
    if (FAILED(ole)) info.ulFlags &= ~static_cast<UINT>(BIF_NEWDIALOGSTYLE);
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
    std::wstring path(MAX_PATH + 1, L'\0');
    const bool picked = chosen && SHGetPathFromIDListW(chosen, path.data()) && path[0];
    if (chosen) CoTaskMemFree(chosen);
    if (SUCCEEDED(ole)) OleUninitialize();
    if (picked) folder = Narrow(path.c_str());
    return picked;
  }

  void ShowMessage(const std::string& caption, const std::string& text, TMessageIcon icon) override {
    const UINT kind = icon == TMessageIcon::Warning ? MB_ICONWARNING
                      : icon == TMessageIcon::Error ? MB_ICONERROR
                                                    : MB_ICONINFORMATION;
    HWND owner = GetActiveWindow();
    if (centreHook) UnhookWindowsHookEx(centreHook);
    centreHook = SetWindowsHookExW(WH_CBT, &CentreOnActivate, nullptr, GetCurrentThreadId());
    MessageBoxW(owner, Widen(text).c_str(), Widen(caption).c_str(), MB_OK | kind | (owner ? 0 : MB_TASKMODAL));
    if (centreHook) UnhookWindowsHookEx(centreHook);
    centreHook = nullptr;
  }

  bool InputBox(const std::string& caption, const std::string& prompt, std::string& text) override {
    const int width = std::max<int>(kInputMinWidth, FormTextExtent(prompt).cx + 2 * kInputMargin);
    const int buttonTop = kInputHeight - kInputMargin - 25;
    TFormLayout layout{caption, width, kInputHeight, {}};
    layout.Items = {
        {.Kind = TFormItemKind::Label, .Name = "Prompt", .Text = prompt, .Left = kInputMargin, .Top = kInputMargin},
        {.Kind = TFormItemKind::Edit, .Name = "Value", .Text = text, .Left = kInputMargin, .Top = 33,
         .Width = width - 2 * kInputMargin},
        {.Kind = TFormItemKind::Button, .Name = "OK", .Text = "OK",
         .Left = width - kInputMargin - 2 * kInputButtonWidth - kInputGap, .Top = buttonTop,
         .Width = kInputButtonWidth, .Role = TButtonRole::Default},
        {.Kind = TFormItemKind::Button, .Name = "Cancel", .Text = "Cancel",
         .Left = width - kInputButtonWidth - kInputMargin, .Top = buttonTop, .Width = kInputButtonWidth,
         .Role = TButtonRole::Cancel},
    };
    TWin32Form form(layout);
    if (form.ShowModal() != TModalResult::OK) return false;
    text = form.Text("Value");
    return true;
  }

 private:
  static bool ShowFileDialog(const TFileDialogOptions& options, const std::wstring& initial, std::string& fileName) {
    std::wstring buffer(kFileBufferChars, L'\0');
    if (initial.size() < kFileBufferChars) std::copy(initial.begin(), initial.end(), buffer.begin());
    const std::wstring title = Widen(options.Title), filter = FilterPairs(options.Filter);
    const std::wstring defaultExt = Widen(options.DefaultExt), folder = Widen(options.InitialDir);
    OPENFILENAMEW request{};
    request.lStructSize = sizeof(request);
    request.hwndOwner = GetActiveWindow();
    request.lpstrFilter = options.Filter.empty() ? nullptr : filter.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = buffer.data();
    request.nMaxFile = kFileBufferChars;
    request.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    request.lpstrTitle = title.empty() ? nullptr : title.c_str();
    request.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
    // The host's current folder is its own business, not the dialog's.
    request.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
    if (options.OverwritePrompt) request.Flags |= OFN_OVERWRITEPROMPT;
    if (options.PathMustExist) request.Flags |= OFN_PATHMUSTEXIST;
    if (options.FileMustExist) request.Flags |= OFN_FILEMUSTEXIST;
    if (options.HideReadOnly) request.Flags |= OFN_HIDEREADONLY;
    const BOOL confirmed = options.Save ? GetSaveFileNameW(&request) : GetOpenFileNameW(&request);
    if (confirmed) fileName = Narrow(buffer.c_str());
    return confirmed;
  }
};

}  // namespace

TDialogs& DefaultDialogs() {
  static TWin32Dialogs dialogs;
  return dialogs;
}

}  // namespace tarvik::ui
