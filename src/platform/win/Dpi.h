#pragma once
// The process's DPI awareness and a window's resolution. The calls came with later versions of
// Windows, so each is looked up at run time and older systems get what they have.

#include <windows.h>

namespace corvela::win {

// Per-monitor awareness (version 2 where Windows has it), else per-monitor, else system-wide
// awareness. Must come before the process makes its first window.
void DeclarePerMonitorDpiAwareness();

// The dots per inch of the monitor the window is on, as the window sees it.
int WindowDpi(HWND hwnd);

}  // namespace corvela::win
