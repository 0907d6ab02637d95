#pragma once
// Sounds through the multimedia control interface: one device at a time, opened by file name
// with the device type chosen from the file, played without waiting. The end of playback is
// notified to a hidden window of its own.
// <mmsystem.h> stays out of this header: its PlaySound macro would rename LinkAction::PlaySound
// in every file that includes both.

#include <windows.h>

#include "platform/Platform.h"
#include "platform/win/Window.h"

namespace corvela::win {

class Win32Sound : public SoundPlayer {
 public:
  Win32Sound() = default;
  ~Win32Sound() override;
  Win32Sound(const Win32Sound&) = delete;
  Win32Sound& operator=(const Win32Sound&) = delete;

  int Close() override;
  int Open(const std::string& path) override;
  int Play() override;

  bool IsOpen() const { return device_ != 0; }
  // The last MM_MCINOTIFY code received (MCI_NOTIFY_SUCCESSFUL, _FAILURE, _ABORTED, ...), 0 for none.
  WPARAM LastNotification() const { return notifier_.Last; }

 private:
  // Message-only window that receives the play request's notification.
  class Notifier : public Window {
   public:
    bool Create();
    WPARAM Last = 0;

   protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  };

  Notifier notifier_;
  UINT device_ = 0;  // MCIDEVICEID
};

}  // namespace corvela::win
