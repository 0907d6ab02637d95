#include "player/FocusOrder.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <tuple>

#include "player/CaptionText.h"
#include "player/HotTracking.h"

namespace corvela {

namespace {

// Bounds in 64 bits: they come from the project file and may be anything; a negative size
// counts as none.
struct Box {
  int64_t Left, Top, Right, Bottom;
};

Box BoxOf(const MenuObject& obj) {
  const ControlBase& b = obj.Base();
  return {b.Left, b.Top, int64_t{b.Left} + std::max(b.Width, 0), int64_t{b.Top} + std::max(b.Height, 0)};
}

bool IsIndex(const MenuProject& project, int index) {
  return index >= 0 && static_cast<size_t>(index) < project.Objects.size();
}

const MenuObject& At(const MenuProject& project, int index) {
  return *project.Objects[static_cast<size_t>(index)];
}

// The focus order with one more object in it: an object outside the order, placed where it
// stands among the objects of its group, so that a walk can start from it. extra -1: none.
std::vector<int> OrderWith(const MenuProject& project, int extra) {
  std::vector<int> actions, panes;
  for (size_t i = 0; i < project.Objects.size(); ++i) {
    const int index = static_cast<int>(i);
    const MenuObject& obj = *project.Objects[i];
    if (IsActionObject(obj) || (index == extra && IsPainted(obj.Kind)))
      actions.push_back(index);
    else if (IsKeyboardPane(obj) || index == extra)
      panes.push_back(index);
  }
  const bool rightToLeft = ReadsRightToLeft(project);
  std::vector<int> order = ReadingOrder(project, std::move(actions), rightToLeft);
  const std::vector<int> paneOrder = ReadingOrder(project, std::move(panes), rightToLeft);
  order.insert(order.end(), paneOrder.begin(), paneOrder.end());
  return order;
}

}  // namespace

bool IsActionObject(const MenuObject& obj) {
  return IsPainted(obj.Kind) && obj.HasLink();
}

bool IsKeyboardPane(const MenuObject& obj) {
  return obj.Kind == ObjectKind::Rtf || obj.Kind == ObjectKind::Html;
}

bool TakesFocus(const MenuObject& obj) {
  return IsActionObject(obj) || IsKeyboardPane(obj);
}

bool ReadsRightToLeft(const MenuProject& project) {
  int rightToLeft = 0, leftToRight = 0;
  for (const auto& obj : project.Objects) {
    const std::string* caption = CaptionOf(*obj);
    if (!caption) continue;
    const TextDirection direction = DirectionOf(*caption);
    rightToLeft += direction == TextDirection::RightToLeft;
    leftToRight += direction == TextDirection::LeftToRight;
  }
  return rightToLeft > leftToRight;
}

std::vector<int> ReadingOrder(const MenuProject& project, std::vector<int> indexes, bool rightToLeft) {
  indexes.erase(std::remove_if(indexes.begin(), indexes.end(), [&](int i) { return !IsIndex(project, i); }),
                indexes.end());
  const auto box = [&](int i) { return BoxOf(At(project, i)); };
  std::sort(indexes.begin(), indexes.end(),
            [&](int a, int b) { return std::make_tuple(box(a).Top, a) < std::make_tuple(box(b).Top, b); });
  // Within a row: from the leading edge of the reading direction.
  const auto inRow = [&](int a, int b) {
    if (rightToLeft) return std::make_tuple(-box(a).Right, a) < std::make_tuple(-box(b).Right, b);
    return std::make_tuple(box(a).Left, a) < std::make_tuple(box(b).Left, b);
  };
  for (auto rowBegin = indexes.begin(); rowBegin != indexes.end();) {
    const Box first = box(*rowBegin);
    // Doubled, so that the middle of an odd height needs no rounding.
    const int64_t middle2 = first.Top + first.Bottom;
    auto rowEnd = std::find_if(rowBegin + 1, indexes.end(), [&](int i) {
      const int64_t top = box(i).Top;
      return top != first.Top && 2 * top >= middle2;
    });
    std::sort(rowBegin, rowEnd, inRow);
    rowBegin = rowEnd;
  }
  return indexes;
}

std::vector<int> FocusOrder(const MenuProject& project) {
  return OrderWith(project, -1);
}

int NextInFocusOrder(const MenuProject& project, int from, bool backward) {
  const bool outside = IsIndex(project, from) && !TakesFocus(At(project, from));
  const std::vector<int> order = OrderWith(project, outside ? from : -1);
  const int focusable = static_cast<int>(order.size()) - (outside ? 1 : 0);
  if (focusable == 0) return -1;
  const auto at = std::find(order.begin(), order.end(), from);
  if (at == order.end()) return backward ? order.back() : order.front();
  const int n = static_cast<int>(order.size());
  const int pos = static_cast<int>(at - order.begin());
  return order[static_cast<size_t>((pos + (backward ? n - 1 : 1)) % n)];
}

int NearestInDirection(const MenuProject& project, int from, ArrowKey arrow) {
  if (!IsIndex(project, from)) return -1;
  const std::vector<int> order = FocusOrder(project);
  std::vector<ptrdiff_t> orderPos(project.Objects.size(), -1);
  for (size_t k = 0; k < order.size(); ++k) orderPos[static_cast<size_t>(order[k])] = static_cast<ptrdiff_t>(k);
  const bool vertical = arrow == ArrowKey::Up || arrow == ArrowKey::Down;
  const bool forward = arrow == ArrowKey::Right || arrow == ArrowKey::Down;
  const Box f = BoxOf(At(project, from));
  // Centres doubled, so that they stay whole numbers.
  const auto along = [&](const Box& b) { return vertical ? b.Top + b.Bottom : b.Left + b.Right; };
  const auto across = [&](const Box& b) { return vertical ? b.Left + b.Right : b.Top + b.Bottom; };
  const auto overlapsAcross = [&](const Box& b) {
    return vertical ? std::max(b.Left, f.Left) < std::min(b.Right, f.Right)
                    : std::max(b.Top, f.Top) < std::min(b.Bottom, f.Bottom);
  };
  const ptrdiff_t fromPos = orderPos[static_cast<size_t>(from)];
  int best = -1;
  std::tuple<bool, int64_t, int64_t, ptrdiff_t> bestKey{};
  for (int index : order) {
    if (index == from || !IsActionObject(At(project, index))) continue;
    const Box b = BoxOf(At(project, index));
    const int64_t ahead = forward ? along(b) - along(f) : along(f) - along(b);
    const int64_t aside = std::max(across(b) - across(f), across(f) - across(b));
    const ptrdiff_t pos = orderPos[static_cast<size_t>(index)];
    const bool sameCentre = ahead == 0 && aside == 0;
    if (ahead < 0 || (ahead == 0 && !sameCentre) || (sameCentre && (pos > fromPos) != forward)) continue;
    const bool inBeam = overlapsAcross(b) || aside == 0;
    // Off the beam only what lies more ahead than aside, so that Down never jumps sideways.
    if (!inBeam && ahead < aside) continue;
    // Off the beam, a step across costs twice a step along: a neighbour in the next row or
    // column wins over one far off to the side.
    const auto key = std::make_tuple(!inBeam, inBeam ? ahead : ahead + 2 * aside, aside, std::abs(pos - fromPos));
    if (best < 0 || key < bestKey) best = index, bestKey = key;
  }
  return best;
}

MnemonicMatch FindMnemonic(const MenuProject& project, char32_t typed, int from) {
  const bool outside = IsIndex(project, from) && !TakesFocus(At(project, from));
  const std::vector<int> order = OrderWith(project, outside ? from : -1);
  MnemonicMatch match;
  if (order.empty()) return match;
  const auto at = std::find(order.begin(), order.end(), from);
  const size_t n = order.size();
  const size_t start = at == order.end() ? n - 1 : static_cast<size_t>(at - order.begin());
  for (size_t k = 1; k <= n; ++k) {
    const int index = order[(start + k) % n];
    const MenuObject& obj = At(project, index);
    const std::string* caption = CaptionOf(obj);
    if (!IsActionObject(obj) || !caption || !MnemonicMatches(*caption, typed)) continue;
    if (match.Count++ == 0) match.Index = index;
  }
  return match;
}

}  // namespace corvela
