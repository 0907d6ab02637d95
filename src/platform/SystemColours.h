#pragma once
// Colour values as the model stores them (0x00BBGGRR, or 0x80000000 + a system colour index)
// turned into plain RGB.

#include <cstdint>

namespace corvela {

// 0x00BBGGRR, or 0x80000000 + system colour index.
using Colour = uint32_t;
inline constexpr Colour kSystemColourFlag = 0x80000000u;

// The indexes of the system colours that a high-contrast theme sets.
enum SystemColourIndex : int {
  kColourWindow = 5,
  kColourWindowText = 8,
  kColourHighlight = 13,
  kColourButtonFace = 15,
  kColourButtonText = 18,
  kColourHotLight = 26,
};
// The colour value that reads the system colour with this index.
constexpr Colour SystemColourValue(int index) { return kSystemColourFlag | static_cast<Colour>(index); }

class SystemColours;

// The classic Windows scheme: where system colours come from when the platform has none.
// An index outside the scheme gives black, as Windows does.
uint32_t ClassicSystemColour(int index);

// RGB (0x00BBGGRR) of a colour value: a system colour reads the current value through colours
// (the classic scheme without them); an RGB value keeps its three colour bytes.
uint32_t ResolveColour(Colour colour, SystemColours* colours);

}  // namespace corvela
