#pragma once
// The system colours of the running Windows session, and colour values as GDI wants them.

#include <windows.h>

#include <optional>

#include "platform/Platform.h"
#include "platform/SystemColours.h"

namespace corvela::win {

class Win32SystemColours : public SystemColours {
 public:
  uint32_t SystemColour(int index) override { return ::GetSysColor(index); }
  // Asked of Windows once, and again after SettingsChanged.
  bool HighContrast() override;
  void SettingsChanged() override { highContrast_.reset(); }

 private:
  std::optional<bool> highContrast_;
};

// A stored colour as GDI wants it: a system colour reads its current value.
COLORREF GdiColour(Colour colour);

}  // namespace corvela::win
