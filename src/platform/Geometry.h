#pragma once
// Points, sizes and rectangles in pixels, shared by layout, the design surface and dialogs.

#include <algorithm>
#include <cstdint>
#include <limits>

namespace corvela {

// Coordinates come from project files and may hold anything a 32-bit field does: arithmetic on
// them is done in 64 bits and brought back into range with this.
inline int32_t FitInt32(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

struct Point {
  int32_t X = 0;
  int32_t Y = 0;
  bool operator==(const Point& o) const { return X == o.X && Y == o.Y; }
  bool operator!=(const Point& o) const { return !(*this == o); }
};

struct Size {
  int32_t Width = 0;
  int32_t Height = 0;
  bool operator==(const Size& o) const { return Width == o.Width && Height == o.Height; }
  bool operator!=(const Size& o) const { return !(*this == o); }
};

// Left, Top, Right, Bottom as GDI takes them: right and bottom one past the last pixel.
struct Rect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
  bool operator==(const Rect& o) const {
    return Left == o.Left && Top == o.Top && Right == o.Right && Bottom == o.Bottom;
  }
  bool operator!=(const Rect& o) const { return !(*this == o); }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
};

// The smallest rectangle holding both; an empty one adds nothing, as GDI's union has it.
inline Rect Union(const Rect& a, const Rect& b) {
  if (a.IsEmpty()) return b.IsEmpty() ? Rect{} : b;
  if (b.IsEmpty()) return a;
  return {a.Left < b.Left ? a.Left : b.Left, a.Top < b.Top ? a.Top : b.Top, a.Right > b.Right ? a.Right : b.Right,
          a.Bottom > b.Bottom ? a.Bottom : b.Bottom};
}

// The part of r inside a width x height area from 0, 0; empty when none is.
inline Rect ClippedTo(const Rect& r, int32_t width, int32_t height) {
  return {r.Left > 0 ? r.Left : 0, r.Top > 0 ? r.Top : 0, r.Right < width ? r.Right : width,
          r.Bottom < height ? r.Bottom : height};
}

inline Rect Inflated(const Rect& r, int32_t by) { return {r.Left - by, r.Top - by, r.Right + by, r.Bottom + by}; }

}  // namespace corvela
