#pragma once
// The player's start, once its window exists: load the project beside it and decide whether
// the menu runs or the program ends.

#include <cstdint>
#include <vector>

#include "project/AppState.h"

namespace corvela {

enum class StartOutcome : uint8_t {
  Designer,  // the designer loads its projects itself: nothing was done
  Close,     // nothing usable was loaded; why has been shown, and the window should close
  Run,       // the project and every object's resources are loaded: show the menu
};

// Loads ProjectFileName with every object's resources applied once, each missing file reported
// once. A failed load still runs, with the resources of the objects it read, when it got as far
// as the window's size; otherwise an invisible window would only linger. Modified is false
// afterwards either way.
StartOutcome LoadPlayerProject(AppState& state);

// The glyphs and pictures that LoadPlayerProject will decode, read from the project file ahead of
// it (so that they can be decoded while the window is made); empty when the file cannot be read.
// Shows nothing: the load itself reports what is wrong.
std::vector<PictureRequest> PlayerPictureRequests(const AppState& state);

}  // namespace corvela
