#include "platform/win/Win32Sound.h"

#include <mmsystem.h>

#include "platform/win/Win32FileSystem.h"

namespace corvela::win {

Win32Sound::~Win32Sound() {
  // Before the notifier goes: closing a playing device still posts MCI_NOTIFY_ABORTED to it.
  Close();
}

int Win32Sound::Close() {
  if (!device_) return 0;
  MCI_GENERIC_PARMS params{};
  const MCIERROR error = ::mciSendCommandW(device_, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&params));
  // A device that refuses to close is not retried: the next sound would fail for ever.
  device_ = 0;
  return static_cast<int>(LOWORD(error));
}

int Win32Sound::Open(const std::string& path) {
  Close();
  MCIERROR error = MCIERR_FILE_NOT_FOUND;
  for (const std::wstring& element : MultimediaNames(path)) {
    MCI_OPEN_PARMSW params{};
    params.lpstrElementName = element.c_str();
    // No device type: the multimedia system chooses it from the file.
    error = ::mciSendCommandW(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&params));
    if (!error) {
      device_ = params.wDeviceID;
      return 0;
    }
    if (LOWORD(error) != MCIERR_FILE_NOT_FOUND) break;
  }
  return static_cast<int>(LOWORD(error));
}

int Win32Sound::Play() {
  if (!device_) return MCIERR_INVALID_DEVICE_ID;
  if (!notifier_.hwnd() && !notifier_.Create()) return MCIERR_INTERNAL;
  notifier_.Last = 0;
  MCI_PLAY_PARMS params{};
  params.dwCallback = reinterpret_cast<DWORD_PTR>(notifier_.hwnd());
  const MCIERROR error = ::mciSendCommandW(device_, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&params));
  return static_cast<int>(LOWORD(error));
}

bool Win32Sound::Notifier::Create() {
  WindowClassArgs cls;
  cls.Name = "CorvelaSoundNotifier";
  WindowArgs args;
  args.Style = 0;
  args.X = args.Y = args.Width = args.Height = 0;
  args.Parent = HWND_MESSAGE;
  return Window::Create(cls, args);
}

LRESULT Win32Sound::Notifier::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == MM_MCINOTIFY) {
    Last = wp;
    return 0;
  }
  return Default(msg, wp, lp);
}

}  // namespace corvela::win
