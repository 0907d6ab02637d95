#pragma once
// The designer's disc tasks, Check Disc and Make ISO Image: what the windows decide, kept here so
// that it is tested natively.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "project/DiscCheck.h"

namespace corvela {

// Findings that deserve the user's eye before an image is made: any error or warning. Notes
// (the size, unused files) come with every disc and stop nothing.
bool HasErrorsOrWarnings(const std::vector<Finding>& findings);

// The progress line of a running check: "Reading the CD folder: 12,345 files in 67 folders".
std::string DiscCheckProgressText(const DiscCheckProgress& progress);

// The image's file name offered first: the volume label of the caption, beside the CD folder.
// In the user's Documents instead when the CD folder is at a drive's root or is one (the image
// would land on a root, or inside the folder it is made of), or when its parent takes no new
// file without elevation; just the name when there are no Documents either.
std::string DefaultImagePath(FileSystem& files, const std::string& cdFolder, const std::string& caption);

// Progress as a position of 0..kProgressSteps for a progress bar.
inline constexpr int kProgressSteps = 1000;
int ProgressPosition(uint64_t done, uint64_t total);

// "The image is 41.2 MB and fits a CD 700 MB." or "... and fits no disc."
std::string ImageDoneText(uint64_t imageBytes);

}  // namespace corvela
