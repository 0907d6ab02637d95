#pragma once
// The process's DPI awareness and a window's resolution. The calls came with later versions of
// Windows, so each is looked up at run time and older systems get what they have.

#include <windows.h>

#include "platform/Geometry.h"

namespace corvela::win {

// Per-monitor awareness (version 2 where Windows has it), else per-monitor, else system-wide
// awareness. Must come before the process makes its first window.
void DeclarePerMonitorDpiAwareness();

// The dots per inch of the monitor the window is on, as the window sees it.
int WindowDpi(HWND hwnd);

// The work area (the monitor less the taskbar and docked bars) of the monitor the window or the
// rectangle lies on, or lies nearest to.
Rect WorkAreaOf(HWND hwnd);
Rect WorkAreaNear(const RECT& rect);

}  // namespace corvela::win
