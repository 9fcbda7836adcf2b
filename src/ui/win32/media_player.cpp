// The media player: the system's MCI window (MCIWnd) with its row of
// transport controls. Video goes to the display panel rather than into the
// bar, and every failure stays silent: an error box would stop the host.
#include <windows.h>
#include <digitalv.h>
#include <vfw.h>

#include "ui/win32/controls.h"
#include "ui/win32/panel.h"

namespace tarvik::ui::win32 {

void TWin32MediaPlayer::CreateNative(HWND parent) {
  if (!parent) return;
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | MCIWNDF_NOERRORDLG | MCIWNDF_NOAUTOSIZEWINDOW |
                      MCIWNDF_NOAUTOSIZEMOVIE | MCIWNDF_NOOPEN | MCIWNDF_NOMENU;
  Subclass(MCIWndCreateW(parent, ModuleInstance(), style, nullptr));
}

bool TWin32MediaPlayer::Open(const std::string& fileName, TPanel* display) {
  HWND window = Handle();
  if (!window || fileName.empty()) return false;
  const std::wstring name = Widen(fileName);
  const TBounds bounds = Bounds();
  // The device type follows from the file; the player is opened, not started.
  const bool opened = SendMessageW(window, MCIWNDM_OPENW, 0, reinterpret_cast<LPARAM>(name.c_str())) == 0;
  // Some MCIWnd versions (Wine's) fit the window to the movie whatever the
  // style says; the bar keeps the bounds it was given.
  SetBounds(bounds);
  if (opened && display) ShowVideoOn(PanelHandle(*display));
  return opened;
}

void TWin32MediaPlayer::ShowVideoOn(HWND display) const {
  if (!display) return;
  const auto device = static_cast<MCIDEVICEID>(SendMessageW(Handle(), MCIWNDM_GETDEVICEID, 0, 0));
  if (!device) return;
  MCI_DGV_WINDOW_PARMSW window{};
  window.hWnd = display;
  // Audio has no window to move; that is not a failure.
  if (mciSendCommandW(device, MCI_WINDOW, MCI_DGV_WINDOW_HWND, reinterpret_cast<DWORD_PTR>(&window)) != 0) return;
  RECT client;
  GetClientRect(display, &client);
  MCI_DGV_PUT_PARMS put{};
  put.rc = {0, 0, client.right, client.bottom};  // MCI rectangles are left, top, width, height
  mciSendCommandW(device, MCI_PUT, MCI_DGV_PUT_DESTINATION | MCI_DGV_RECT, reinterpret_cast<DWORD_PTR>(&put));
}

}  // namespace tarvik::ui::win32
