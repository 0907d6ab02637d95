#pragma once
// Window styles for a frame worked out from the menu's window settings; the menu window and the
// design surface both wear them.

#include <windows.h>

#include "player/MenuFrame.h"

namespace corvela::win {

struct FrameStyleBits {
  DWORD Style = 0;
  DWORD ExStyle = 0;
};

FrameStyleBits StylesFor(const WindowFrame& frame);

// Replaces the frame bits of a live window, keeping its other bits, and lets the frame redraw.
void ApplyFrameStyles(HWND hwnd, const FrameStyleBits& bits);

}  // namespace corvela::win
