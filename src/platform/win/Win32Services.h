#pragma once
// Win32 implementations of the small platform services.

#include <windows.h>

#include "platform/Platform.h"

namespace corvela::win {

class Win32Ui : public UserInterface {
 public:
  MessageResult AskUser(const std::string& text, const std::string& caption, MessageIcon icon,
                           MessageButtons buttons) override;
  std::string ApplicationTitle() override { return Title; }
  // The application's title: "Corvela" in the designer, the menu's caption in the player.
  std::string Title = "Corvela";
  // The window that owns message boxes; null: the active window.
  HWND Owner = nullptr;
};

class Win32Screen : public Screen {
 public:
  int32_t Width() override { return ::GetSystemMetrics(SM_CXSCREEN); }
  int32_t Height() override { return ::GetSystemMetrics(SM_CYSCREEN); }
};

class Win32Clock : public Clock {
 public:
  uint32_t TickCount() override { return ::GetTickCount(); }
};

// The common Open dialog: read-only box hidden, resizable, the file must exist unless told.
class Win32FileChooser : public FileChooser {
 public:
  std::optional<std::string> ChooseFile(const FileChooserRequest& request) override;
  HWND Owner = nullptr;
};

}  // namespace corvela::win
