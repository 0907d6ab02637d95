#pragma once
// The shell's execute hand-off through ShellExecuteW.

#include <windows.h>

#include "platform/Platform.h"

namespace corvela::win {

class Win32Shell : public Shell {
 public:
  int Execute(const char* verb, const std::string& file, const char* parameters, const char* directory,
              int32_t showCommand) override;
  // The window that owns whatever the shell shows (the menu window); null: none.
  HWND Owner = nullptr;
};

}  // namespace corvela::win
