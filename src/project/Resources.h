#pragma once
// Loading the files that objects and the window show into the controls and the object's caches.

#include <vector>

#include "project/AppState.h"

namespace corvela {

// Rebuilds the caches of one object and what its control shows. Missing files are reported with
// "File "<path>" not found"; files that exist but cannot be loaded are silently left out.
void ApplyObjectResources(AppState& state, MenuObject& obj);
// Every object from index 0 upward, then the window wires the controls.
void ApplyAllObjectResources(AppState& state);
// The glyphs and pictures that ApplyAllObjectResources decodes, in the order it asks for them,
// whether or not the files exist.
std::vector<PictureRequest> PictureRequests(const AppState& state);
// Panel colour, background and window icon of the menu window.
void ApplyFormSettings(AppState& state);
// The window icon alone: FormIcon, or else the CD folder's icon file.
void ApplyFormIcon(AppState& state);

}  // namespace corvela
