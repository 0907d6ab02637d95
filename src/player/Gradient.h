#pragma once
// The gradient now lives in project/, where the disc check reaches it; the menu window's renderer
// still includes it from here until its own include moves.
#include "project/Gradient.h"
