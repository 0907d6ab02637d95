#include "designer/DragReadout.h"

#include <algorithm>
#include <limits>

namespace corvela {

std::optional<std::string> DragReadoutText(const MenuProject& project) {
  int64_t left = std::numeric_limits<int64_t>::max(), top = left;
  int64_t right = std::numeric_limits<int64_t>::min(), bottom = right;
  for (const auto& obj : project.Objects) {
    if (!obj->Selected) continue;
    const ControlBase& b = obj->Base();
    left = std::min<int64_t>(left, b.Left);
    top = std::min<int64_t>(top, b.Top);
    right = std::max<int64_t>(right, int64_t{b.Left} + b.Width);
    bottom = std::max<int64_t>(bottom, int64_t{b.Top} + b.Height);
  }
  if (left > right) return std::nullopt;
  return std::to_string(left) + ", " + std::to_string(top) + "   " + std::to_string(right - left) + " \u00D7 " +
         std::to_string(bottom - top);
}

Rect PlaceReadout(Point pointer, Size box, Size area) {
  auto place = [](int32_t at, int32_t length, int32_t room) {
    int32_t start = at + kReadoutGap;
    if (start + length > room) start = at - kReadoutGap - length;  // the other side of the pointer
    return std::max(0, std::min(start, room - length));
  };
  const int32_t x = place(pointer.X, box.Width, area.Width);
  const int32_t y = place(pointer.Y, box.Height, area.Height);
  return Rect{x, y, x + box.Width, y + box.Height};
}

}  // namespace corvela
