#include "designer/Align.h"

#include <algorithm>
#include <limits>
#include <numeric>

#include "designer/SurfaceGeometry.h"

namespace corvela {

namespace {

// Rounds toward minus infinity, so that gaps of an overlapping row are spread like positive ones.
int64_t FloorDiv(int64_t a, int64_t b) {
  const int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Gives each box of the row its start so that the gaps between neighbours differ by at most one
// pixel and the first and last boxes stay: start k is the first start plus the lengths before it
// plus k/(n-1) of the total gap, rounded down, so no rounding error builds up along the row.
void SpaceEvenly(std::vector<Box>& boxes, int32_t Box::*start, int32_t Box::*length) {
  const size_t n = boxes.size();
  std::vector<size_t> order(n);
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return boxes[a].*start < boxes[b].*start; });
  const Box& first = boxes[order.front()];
  const Box& last = boxes[order.back()];
  const int64_t firstStart = first.*start;
  int64_t lengths = 0;
  for (const Box& b : boxes) lengths += b.*length;
  const int64_t totalGap = (int64_t{last.*start} + last.*length - firstStart) - lengths;
  std::vector<int32_t> starts(n);
  int64_t before = 0;
  for (size_t k = 0; k < n; ++k) {
    const Box& b = boxes[order[k]];
    starts[k] = FitInt32(firstStart + before + FloorDiv(totalGap * static_cast<int64_t>(k), static_cast<int64_t>(n - 1)));
    before += b.*length;
  }
  for (size_t k = 0; k < n; ++k) boxes[order[k]].*start = starts[k];
}

Box BoxOf(const ControlBase& c) {
  return {c.Left, c.Top, c.Width, c.Height};
}

}  // namespace

size_t MinimumSelection(AlignCommand command) {
  switch (command) {
    case AlignCommand::CentreInWindow:
      return 1;
    case AlignCommand::SpaceAcross:
    case AlignCommand::SpaceDown:
      return 3;
    default:
      return 2;
  }
}

std::vector<Box> ArrangeBoxes(AlignCommand command, const std::vector<Box>& boxes, Size panel) {
  std::vector<Box> out = boxes;
  if (boxes.size() < MinimumSelection(command)) return out;
  const Box ref = boxes.front();
  const int64_t refRight = int64_t{ref.Left} + ref.Width;
  const int64_t refBottom = int64_t{ref.Top} + ref.Height;
  // Centres as the handles place them: half the size, truncated.
  const int64_t refMidX = int64_t{ref.Left} + ref.Width / 2;
  const int64_t refMidY = int64_t{ref.Top} + ref.Height / 2;
  for (Box& b : out) {
    switch (command) {
      case AlignCommand::Lefts:
        b.Left = ref.Left;
        break;
      case AlignCommand::Centres:
        b.Left = FitInt32(refMidX - b.Width / 2);
        break;
      case AlignCommand::Rights:
        b.Left = FitInt32(refRight - b.Width);
        break;
      case AlignCommand::Tops:
        b.Top = ref.Top;
        break;
      case AlignCommand::Middles:
        b.Top = FitInt32(refMidY - b.Height / 2);
        break;
      case AlignCommand::Bottoms:
        b.Top = FitInt32(refBottom - b.Height);
        break;
      case AlignCommand::SameWidth:
        b.Width = ref.Width;
        break;
      case AlignCommand::SameHeight:
        b.Height = ref.Height;
        break;
      case AlignCommand::SameSize:
        b.Width = ref.Width;
        b.Height = ref.Height;
        break;
      default:
        break;
    }
  }
  if (command == AlignCommand::SpaceAcross) SpaceEvenly(out, &Box::Left, &Box::Width);
  if (command == AlignCommand::SpaceDown) SpaceEvenly(out, &Box::Top, &Box::Height);
  if (command == AlignCommand::CentreInWindow) {
    int64_t left = std::numeric_limits<int64_t>::max(), top = left;
    int64_t right = std::numeric_limits<int64_t>::min(), bottom = right;
    for (const Box& b : out) {
      left = std::min<int64_t>(left, b.Left);
      top = std::min<int64_t>(top, b.Top);
      right = std::max(right, int64_t{b.Left} + b.Width);
      bottom = std::max(bottom, int64_t{b.Top} + b.Height);
    }
    const int64_t dx = (int64_t{panel.Width} - (right - left)) / 2 - left;
    const int64_t dy = (int64_t{panel.Height} - (bottom - top)) / 2 - top;
    for (Box& b : out) {
      b.Left = FitInt32(b.Left + dx);
      b.Top = FitInt32(b.Top + dy);
    }
  }
  return out;
}

namespace {

std::vector<Box> AllBoxes(const MenuProject& project) {
  std::vector<Box> boxes;
  for (const auto& obj : project.Objects) boxes.push_back(BoxOf(obj->Base()));
  return boxes;
}

// The offset that brings [low, high] into [0, limit], as the per-object clamp would for one
// object: a range wider than the room keeps its low end at 0.
int64_t ShiftInto(int64_t low, int64_t high, int64_t limit) {
  if (high > limit) return std::max<int64_t>(limit - high, -low);
  return low < 0 ? -low : 0;
}

// The selection is kept on the panel as one group, so the clamp never changes its shape; then
// every object as a drag does (nothing left for the selection).
void ClampSelectionAsGroup(MenuProject& project, Size panel) {
  int64_t left = std::numeric_limits<int64_t>::max(), top = left;
  int64_t right = std::numeric_limits<int64_t>::min(), bottom = right;
  for (const auto& obj : project.Objects) {
    if (!obj->Selected) continue;
    left = std::min<int64_t>(left, obj->Base().Left);
    right = std::max<int64_t>(right, obj->Base().Left);
    top = std::min<int64_t>(top, obj->Base().Top);
    bottom = std::max<int64_t>(bottom, obj->Base().Top);
  }
  if (left <= right) {
    const int64_t dx = ShiftInto(left, right, int64_t{panel.Width} - kClampMargin);
    const int64_t dy = ShiftInto(top, bottom, int64_t{panel.Height} - kClampMargin);
    for (auto& obj : project.Objects) {
      if (!obj->Selected) continue;
      obj->Base().Left = FitInt32(obj->Base().Left + dx);
      obj->Base().Top = FitInt32(obj->Base().Top + dy);
    }
  }
  ClampObjectPositions(project, panel);
}

}  // namespace

bool AlignSelection(MenuProject& project, AlignCommand command, Size panel) {
  std::vector<ControlBase*> selected;
  for (auto& obj : project.Objects)
    if (obj->Selected) selected.push_back(&obj->Base());
  if (selected.size() < MinimumSelection(command)) return false;
  const std::vector<Box> was = AllBoxes(project);
  std::vector<Box> boxes;
  for (const ControlBase* c : selected) boxes.push_back(BoxOf(*c));
  boxes = ArrangeBoxes(command, boxes, panel);
  for (size_t i = 0; i < selected.size(); ++i) {
    ControlBase& c = *selected[i];
    c.Left = boxes[i].Left;
    c.Top = boxes[i].Top;
    c.Width = boxes[i].Width;
    c.Height = boxes[i].Height;
  }
  ClampSelectionAsGroup(project, panel);
  return AllBoxes(project) != was;
}

bool NudgeSelection(MenuProject& project, ArrowKey key, bool ctrl, bool shift, Size panel) {
  const int32_t step = ctrl ? 8 : 1;
  const bool across = key == ArrowKey::Left || key == ArrowKey::Right;
  const int32_t sign = (key == ArrowKey::Left || key == ArrowKey::Up) ? -1 : 1;
  const int32_t dx = across ? sign * step : 0;
  const int32_t dy = across ? 0 : sign * step;
  // A resize moves the right or bottom edge, as dragging that handle does.
  const int32_t hitCode = !shift ? kHitBody : across ? kHitRight : kHitBottom;
  const std::vector<Box> was = AllBoxes(project);
  for (auto& obj : project.Objects)
    if (obj->Selected) ApplyDragStep(obj->Base(), hitCode, dx, dy);
  ClampSelectionAsGroup(project, panel);
  return AllBoxes(project) != was;
}

}  // namespace corvela
