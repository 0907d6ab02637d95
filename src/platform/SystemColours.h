#pragma once
// Colour values as the model stores them (0x00BBGGRR, or 0x80000000 + a system colour index)
// turned into plain RGB.

#include <cstdint>

namespace corvela {

// 0x00BBGGRR, or 0x80000000 + system colour index.
using Colour = uint32_t;
inline constexpr Colour kSystemColourFlag = 0x80000000u;

class SystemColours;

// The classic Windows scheme: where system colours come from when the platform has none.
// An index outside the scheme gives black, as Windows does.
uint32_t ClassicSystemColour(int index);

// RGB (0x00BBGGRR) of a colour value: a system colour reads the current value through colours
// (the classic scheme without them); an RGB value keeps its three colour bytes.
uint32_t ResolveColour(Colour colour, SystemColours* colours);

}  // namespace corvela
