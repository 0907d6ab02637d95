#include "platform/win/Win32Colours.h"

namespace corvela::win {

COLORREF GdiColour(Colour colour) {
  Win32SystemColours current;
  return static_cast<COLORREF>(ResolveColour(colour, &current));
}

}  // namespace corvela::win
