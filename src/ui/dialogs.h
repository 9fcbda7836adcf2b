// Modal dialogs for the actions' property editors: forms laid out from a
// table of controls, the system's file and folder pickers, message boxes and
// a one-line input box. The Win32 backend shows real dialogs; the headless
// backend answers each one from a script, and cancels everything without one,
// so that nothing ever waits for a user who is not there.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tarvik::ui {

enum class TFormItemKind { Label, Edit, Button };

// How a button closes its form: Default is pressed by Enter, Cancel by Esc.
enum class TButtonRole { Plain, Default, Cancel };

struct TFormItem {
  TFormItemKind Kind = TFormItemKind::Label;
  std::string Name;  // the form's field name, e.g. "FEdFile"; unique in a form
  std::string Text;  // caption, label text or the edit box's first text
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Width = 0;   // 0 for a label: sized to its text
  int32_t Height = 0;  // 0 for a label: sized to its text
  TButtonRole Role = TButtonRole::Plain;
};

// Client size in pixels; controls in creation (and tab) order. A form has a
// dialog border (fixed size, no minimise or maximise box), no owner, opens
// centred on the screen and draws every control in "Segoe UI" at 9 points.
struct TFormLayout {
  std::string Caption;
  int32_t ClientWidth = 0;
  int32_t ClientHeight = 0;
  std::vector<TFormItem> Items;
};

enum class TModalResult { OK, Cancel };

class TForm {
 public:
  virtual ~TForm() = default;
  virtual void SetCaption(const std::string& caption) = 0;
  // The text of the named edit box or label; empty for an unknown name.
  virtual std::string Text(const std::string& name) const = 0;
  virtual void SetText(const std::string& name, const std::string& text) = 0;
  virtual void Focus(const std::string& name) = 0;
  // What a Plain button does when pressed.
  virtual void OnClick(const std::string& name, std::function<void()> handler) = 0;
  // Asked when the Default button is pressed: true closes the form with OK.
  // Without one, the Default button closes with OK at once.
  virtual void SetValidator(std::function<bool()> validator) = 0;
  virtual TModalResult ShowModal() = 0;
};

struct TFileDialogOptions {
  bool Save = false;
  std::string Title;
  std::string Filter;  // "Description|*.ext|All files (*.*)|*.*"
  std::string DefaultExt;
  std::string InitialFile;  // preselected file, may be empty
  std::string InitialDir;   // folder to start in when there is no file, may be empty
  bool OverwritePrompt = false;
  bool PathMustExist = false;
  bool FileMustExist = false;
  bool HideReadOnly = false;
};

enum class TMessageIcon { Information, Warning, Error };

class TDialogs {
 public:
  virtual ~TDialogs() = default;
  virtual std::unique_ptr<TForm> CreateForm(const TFormLayout& layout) = 0;
  // True with FileName set when the user confirms.
  virtual bool PickFile(const TFileDialogOptions& options, std::string& fileName) = 0;
  // The shell's folder browser in its new style, rooted at the desktop,
  // file-system folders only, no new-folder button; Folder, when not empty,
  // is preselected (the caller passes only a folder that exists).
  virtual bool BrowseForFolder(const std::string& prompt, std::string& folder) = 0;
  // An OK-only box centred on the screen.
  virtual void ShowMessage(const std::string& caption, const std::string& text, TMessageIcon icon) = 0;
  // True with Text set to what was typed when the user presses OK.
  virtual bool InputBox(const std::string& caption, const std::string& prompt, std::string& text) = 0;
};

// The build's dialogs for one editing session: Win32 in the Windows DLL, the
// scripted ones elsewhere. Ask once per session: the scripted backend starts
// over at every call, from the answers file named by TARVIK_DIALOG_ANSWERS,
// and records what it shows into the file named by TARVIK_DIALOG_TRANSCRIPT
// (ui/headless/dialog_script.h has both formats).
TDialogs& DefaultDialogs();

}  // namespace tarvik::ui
