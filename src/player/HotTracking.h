#pragma once
// Hot tracking: while the mouse is over a label, button or image, that object shows its hot
// font, glyph or picture; the object it leaves gets its normal look back. At most one is hot.
//
// The operations change the records (the control's Font and MenuObject::Shown) and return the
// indexes of the objects whose look changed, in list order, so that the window repaints
// exactly those and nothing when nothing changed.

#include <cstdint>
#include <vector>

#include "project/AppState.h"

namespace corvela {

// Labels, buttons and images: the inner panel paints them, and they alone take part in hot
// tracking and clicks.
bool IsPainted(ObjectKind kind);

// Makes the object at index hot (-1: none) and every other one normal.
std::vector<int> SetHotObject(AppState& state, int hot);

// The index of the hot object, or -1.
int HotObject(const MenuProject& project);

// The mouse moved over the control whose Tag is tag.
std::vector<int> ObjectMouseMove(AppState& state, int32_t tag);

// The mouse moved over the bare background: nothing is hot. The window repaints the returned
// objects at once rather than at its next idle moment.
std::vector<int> Image1MouseMove(AppState& state);

// Labels, buttons and images are painted by the inner panel rather than being windows: the index
// of the topmost of them (the last in list order) whose rectangle holds the point of the panel,
// or -1. Panes are child windows that get their own mouse messages and are never hit here.
int PaintedObjectAt(const MenuProject& project, int32_t x, int32_t y);

// A mouse move over the inner panel: over a painted object it is ObjectMouseMove of that
// object's control, elsewhere Image1MouseMove.
std::vector<int> PanelMouseMove(AppState& state, int32_t x, int32_t y);

}  // namespace corvela
