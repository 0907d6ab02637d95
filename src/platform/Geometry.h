#pragma once
// Points, sizes and rectangles in pixels, shared by layout, the design surface and dialogs.

#include <cstdint>

namespace corvela {

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
};

}  // namespace corvela
