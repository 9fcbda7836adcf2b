// Modal forms built in code: a dialog of the system's dialog class whose
// controls are placed in pixels from a layout table. The form keeps its texts
// itself, so that they can be set before it is shown and read after it has
// closed and its window is gone.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/dialogs.h"

namespace tarvik::ui::win32 {

// "Segoe UI" at 9 points; where the system lacks that face (Wine), the
// message font's face at the same size.
HFONT FormFont();
// The size a label takes for Text in the form font.
SIZE FormTextExtent(const std::string& text);

class TWin32Form : public TForm {
 public:
  explicit TWin32Form(const TFormLayout& layout);
  ~TWin32Form() override;

  void SetCaption(const std::string& caption) override;
  std::string Text(const std::string& name) const override;
  void SetText(const std::string& name, const std::string& text) override;
  void Focus(const std::string& name) override;
  void OnClick(const std::string& name, std::function<void()> handler) override;
  void SetValidator(std::function<bool()> validator) override { validator_ = std::move(validator); }
  TModalResult ShowModal() override;

 private:
  struct TControl {
    TFormItem Item;
    HWND Window = nullptr;
    std::function<void()> Click;
  };

  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Initialise();
  void PlaceWindow() const;
  void CreateControl(TControl& control, int id);
  static void PlaceControl(const TControl& control);
  void Command(WORD id, WORD code);
  void Close(int result);
  void KeepTexts();
  TControl* Find(const std::string& name);
  const TControl* Find(const std::string& name) const;

  TFormLayout layout_;  // caption and client size; the controls live below
  std::vector<TControl> controls_;
  std::function<bool()> validator_;
  std::string focus_;
  HWND dialog_ = nullptr;
  bool showing_ = false;
  std::vector<HWND> disabled_;  // the thread's windows we disabled while modal
};

}  // namespace tarvik::ui::win32
