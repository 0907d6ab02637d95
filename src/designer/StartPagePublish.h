#pragma once
// Keeping the CD folder's start page current: Save writes Start.html and the pictures in
// Start.files when the project asks for the page, and removes both when it does not.

#include "project/AppState.h"

namespace corvela {

// With PublishStartPage set, writes the page and its pictures and removes the files of
// Start.files the page no longer uses; without it, removes Start.html and Start.files. A picture
// that cannot be converted is left out of the folder (the disc check names its source). The
// first file that cannot be written is reported and ends it.
bool PublishStartPage(AppState& state);

}  // namespace corvela
