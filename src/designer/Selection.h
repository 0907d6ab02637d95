#pragma once
// The one selected object, which the commands on a single object (properties, link, front,
// back) act on.

#include "project/Model.h"

namespace corvela {

// Its index, or -1 when none or several are selected.
int SingleSelectedIndex(const MenuProject& project);
// The object itself, or null when none or several are selected.
MenuObject* SingleSelectedObject(MenuProject& project);
// Selects the object alone, as a click on it would; false when the index names no object.
bool SelectOnlyObject(MenuProject& project, int32_t index);

}  // namespace corvela
