#pragma once
// The code pages through Windows' own conversions, which know every code page the machine has.

#include <windows.h>

#include "platform/Platform.h"

namespace corvela::win {

class Win32CodePages : public CodePages {
 public:
  uint32_t SystemCodePage() override { return ::GetACP(); }
  // UTF-8, and the code pages of one or two bytes a character whose first half is ASCII.
  bool Supports(uint32_t codePage) override;
  std::string ToUtf8(uint32_t codePage, std::string_view bytes) override;
  // WC_NO_BEST_FIT_CHARS: Windows would otherwise write a look-alike ('\' for a full-width '＼').
  std::string FromUtf8(uint32_t codePage, std::string_view text, bool& replaced) override;
};

}  // namespace corvela::win
