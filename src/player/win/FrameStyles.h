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

// Gives a top-level window the colour key of the window settings: with one it becomes layered
// with that colour see-through; without, it stops being layered and redraws, since taking the
// style away is what drops the key.
void ApplyColourKey(HWND hwnd, const FormSettings& form);

}  // namespace corvela::win
