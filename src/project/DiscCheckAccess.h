#pragma once
// The accessibility part of the disc check: what a screen reader could not name and what the eye
// could not read. A linked image, or a linked button without a caption, needs a hint to be named;
// each caption's normal and hot-track colours need enough contrast with what lies behind them.

#include <vector>

#include "project/DiscCheckProject.h"
#include "project/DiscFindings.h"

namespace corvela {

// System colours read as the classic scheme: the check cannot know the player's machine.
void CheckMenuAccess(const MenuSnapshot& menu, std::vector<Finding>& findings);

}  // namespace corvela
