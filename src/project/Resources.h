#pragma once
// Loading the files that objects and the window show.

#include "project/Model.h"

namespace corvela {

// Panel colour, background and window icon of the menu window.
void ApplyFormSettings(AppState& state);

}  // namespace corvela
