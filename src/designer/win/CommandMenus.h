#pragma once
// The menu bar, the design surface's popup menu and the shortcut keys, made from the one
// command table.

#include <windows.h>

#include "designer/Commands.h"
#include "platform/win/Handles.h"

namespace corvela::win {

// The designer's menu bar; the window it is set on owns it from then on.
HMENU CreateMenuBar();
UniqueMenu CreateSurfacePopup();
UniqueAccelerators CreateShortcuts();

}  // namespace corvela::win
