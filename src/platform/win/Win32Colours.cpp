#include "platform/win/Win32Colours.h"

namespace corvela::win {

bool Win32SystemColours::HighContrast() {
  if (!highContrast_) {
    HIGHCONTRASTW setting{};
    setting.cbSize = sizeof setting;
    highContrast_ = ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) &&
                    (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
  }
  return *highContrast_;
}

COLORREF GdiColour(Colour colour) {
  Win32SystemColours current;
  return static_cast<COLORREF>(ResolveColour(colour, &current));
}

}  // namespace corvela::win
