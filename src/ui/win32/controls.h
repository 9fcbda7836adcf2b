// The controls that are system windows: push buttons, the digits-only edit
// box and the MCI media player.
#pragma once
#include "ui/win32/native_window.h"

namespace tarvik::ui::win32 {

class TWin32Button : public TWindowed<TButton> {
 public:
  void CreateNative(HWND parent, const std::string& caption);
  TControlKind Kind() const override { return TControlKind::Button; }
  void SetCaption(const std::string& caption) override;
  std::string Caption() const override { return WindowTextOf(Handle()); }
  void Command(WORD code) override;
};

class TWin32Edit : public TWindowed<TEdit> {
 public:
  void CreateNative(HWND parent);
  TControlKind Kind() const override { return TControlKind::Edit; }
  void SetText(const std::string& text) override;
  std::string Text() const override { return WindowTextOf(Handle()); }
  void SelectAll() override;
  void SetFocus() override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class TWin32MediaPlayer : public TWindowed<TMediaPlayer> {
 public:
  void CreateNative(HWND parent);
  TControlKind Kind() const override { return TControlKind::MediaPlayer; }
  bool Open(const std::string& fileName, TPanel* display) override;

 private:
  void ShowVideoOn(HWND display) const;
};

}  // namespace tarvik::ui::win32
