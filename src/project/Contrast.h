#pragma once
// Whether the menu's text can be read: the contrast between each caption's colour and what lies
// behind it, by the relative luminance and contrast ratio of the Web Content Accessibility
// Guidelines 2.x. Text needs 4.5 : 1, large text (18 points, or 14 points bold) 3 : 1.

#include <cstdint>
#include <vector>

#include "platform/Platform.h"
#include "project/Model.h"

namespace corvela {

// The relative luminance of an RGB colour (0x00BBGGRR), from 0 (black) to 1 (white).
double RelativeLuminance(uint32_t rgb);
// (lighter + 0.05) / (darker + 0.05), from 1 to 21, whichever way round the colours come.
double ContrastRatio(uint32_t rgbA, uint32_t rgbB);

bool IsLargeText(const FontRecord& font);
// 3 for large text, 4.5 otherwise.
double MinimumContrast(const FontRecord& font);

struct ContrastFinding {
  int32_t ObjectIndex = -1;
  bool HotFont = false;  // the hot-track font's colour, rather than the normal one
  uint32_t TextRgb = 0;
  uint32_t BehindRgb = 0;  // the colour behind the text that reads worst with it
  double Ratio = 1;
  double Required = 4.5;
};

// Every label and button caption whose normal or hot-track font colour reads below its minimum
// against what lies behind it: an opaque label's own colour, a button's face, or else the
// background of an inner panel of panelWidth × panelHeight (its colour, or the worst colour of the
// gradient beneath the object). Text over a picture (an image with a picture beneath it) is not
// judged, nor text that lies wholly outside the panel. System colours resolve through colours (the
// classic scheme without them). In list order, the normal font before the hot one.
std::vector<ContrastFinding> FindLowContrast(const MenuProject& project, SystemColours* colours, int32_t panelWidth,
                                             int32_t panelHeight);

}  // namespace corvela
