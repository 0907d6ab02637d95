#pragma once
// Menus are designed in pixels of a 96 dots-per-inch screen; the player draws them at the
// monitor's resolution. These are the rules that turn design pixels into device pixels and back.

#include <cstdint>

#include "platform/Geometry.h"

namespace corvela {

inline constexpr int32_t kDesignDpi = 96;
inline constexpr int32_t kMaxDpi = 64 * kDesignDpi;

class DpiScale {
 public:
  // A resolution of 0 or less is taken as the design resolution, and one past kMaxDpi as that, so
  // that any coordinate of 33 bits scales in 64 without overflow.
  explicit DpiScale(int32_t dpi = kDesignDpi) : dpi_(dpi <= 0 ? kDesignDpi : dpi > kMaxDpi ? kMaxDpi : dpi) {}
  int32_t Dpi() const { return dpi_; }
  bool IsDesign() const { return dpi_ == kDesignDpi; }

  // A coordinate, rounded half away from zero. Every edge is scaled on its own, so two rectangles
  // that share an edge in design pixels still share it: they neither overlap nor leave a gap. A
  // right or bottom edge of a record's Left + Width may lie past 32 bits; the result is clamped.
  int32_t Edge(int64_t designPixels) const;
  // A length of its own (margins, spacing, border and bevel widths, picture sizes): rounded like
  // an edge, and a length of at least one design pixel stays at least one device pixel.
  int32_t Length(int32_t designPixels) const;
  Rect Bounds(const Rect& design) const;
  // The design coordinate of a device pixel: the largest v with Edge(v) <= devicePixel. A device
  // pixel lies in Bounds(r) exactly when its design coordinate lies in r, so hit tests on the
  // design rectangles agree with what is drawn.
  int32_t ToDesign(int32_t devicePixel) const;

 private:
  int32_t dpi_;
};

// A font size in points as the height GDI takes for it at dpi: negative for the character height
// of a positive size; a negative size is a cell height in points and gives a positive height.
int32_t FontPixelHeight(int32_t points, int32_t dpi);

}  // namespace corvela
