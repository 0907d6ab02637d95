#pragma once
// The system colours of the running Windows session.

#include <windows.h>

#include "platform/Platform.h"

namespace corvela::win {

class Win32SystemColours : public SystemColours {
 public:
  uint32_t SystemColour(int index) override { return ::GetSysColor(index); }
};

}  // namespace corvela::win
