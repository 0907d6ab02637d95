#pragma once
// The design surface wears the menu window's frame, with one difference: it offers only its
// system menu, since it is never minimised, maximised or asked for help on its own.

#include "player/MenuFrame.h"
#include "project/Model.h"

namespace corvela {

WindowFrame SurfaceFrameFor(const FormSettings& form);

}  // namespace corvela
