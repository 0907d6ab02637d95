#pragma once
// AutoSize: a label fits its caption, an image the picture it shows. The model applies it
// whenever a caption, font or picture changes.

#include <cstdint>
#include <string>

#include "platform/Platform.h"
#include "project/Model.h"

namespace corvela {

// What a label measures for its layout and AutoSize: an empty caption, or "&" alone, counts as one
// blank so that one line's height results.
std::string LabelMeasureText(const std::string& caption);

// Sizes an AutoSize label to its text measured inside its current width; a right-aligned label
// keeps its right edge. Returns true when the bounds changed; does nothing when AutoSize is off.
bool AutoSizeLabel(LabelControl& label, TextMeasurer& measurer);

// An AutoSize image takes the size of a picture with positive width and height; its left and top
// stay. Returns true when the bounds changed.
bool AutoSizeImage(ImageControl& image, int32_t pictureW, int32_t pictureH);

// AutoSize of a label (with a measurer) or of an image (from the picture it shows now), for the
// code that changes a caption, font or picture.
bool ApplyAutoSize(MenuObject& obj, TextMeasurer* measurer);

}  // namespace corvela
