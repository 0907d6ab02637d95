#include "platform/SystemColours.h"

#include <array>

#include "platform/Platform.h"

namespace corvela {

namespace {
constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) {
  return r | (g << 8) | (b << 16);
}

// Indices 0 (scroll bar) to 30 (menu bar), in the system's order.
constexpr std::array<uint32_t, 31> kClassicScheme = {
    Rgb(212, 208, 200), Rgb(58, 110, 165),  Rgb(10, 36, 106),   Rgb(128, 128, 128), Rgb(212, 208, 200),
    Rgb(255, 255, 255), Rgb(0, 0, 0),       Rgb(0, 0, 0),       Rgb(0, 0, 0),       Rgb(255, 255, 255),
    Rgb(212, 208, 200), Rgb(212, 208, 200), Rgb(128, 128, 128), Rgb(10, 36, 106),   Rgb(255, 255, 255),
    Rgb(212, 208, 200), Rgb(128, 128, 128), Rgb(128, 128, 128), Rgb(0, 0, 0),       Rgb(212, 208, 200),
    Rgb(255, 255, 255), Rgb(64, 64, 64),    Rgb(212, 208, 200), Rgb(0, 0, 0),       Rgb(255, 255, 225),
    Rgb(180, 180, 180), Rgb(0, 0, 128),     Rgb(166, 202, 240), Rgb(192, 192, 192), Rgb(49, 106, 197),
    Rgb(212, 208, 200),
};
}  // namespace

uint32_t ClassicSystemColour(int index) {
  if (index < 0 || index >= static_cast<int>(kClassicScheme.size())) return 0;
  return kClassicScheme[static_cast<size_t>(index)];
}

uint32_t ResolveColour(Colour colour, SystemColours* colours) {
  if (colour & kSystemColourFlag) {
    int index = static_cast<int>(colour & 0xFFu);
    return (colours ? colours->SystemColour(index) : ClassicSystemColour(index)) & 0x00FFFFFFu;
  }
  return colour & 0x00FFFFFFu;
}

}  // namespace corvela
