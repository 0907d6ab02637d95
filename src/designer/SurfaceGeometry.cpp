#include "designer/SurfaceGeometry.h"

#include <algorithm>
#include <limits>

namespace corvela {

namespace {

// Bounds come from project files and may be anything a 32-bit field holds, so sums are taken
// in 64 bits and brought back into range rather than overflowing.
int32_t Saturate(int64_t v) {
  constexpr int64_t lo = std::numeric_limits<int32_t>::min();
  constexpr int64_t hi = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(std::clamp(v, lo, hi));
}

struct Extent {
  int64_t L, T, W, H;
  int64_t LastX() const { return L + W - 1; }
  int64_t LastY() const { return T + H - 1; }
  // W div 2 truncates toward zero, as C++ division does.
  int64_t MidX() const { return L + W / 2; }
  int64_t MidY() const { return T + H / 2; }
};

Extent ExtentOf(const MenuObject& obj) {
  const ControlBase& c = obj.Base();
  return {c.Left, c.Top, c.Width, c.Height};
}

struct Centre {
  int64_t X, Y;
};

bool InBox(Centre c, int64_t x, int64_t y) {
  return x >= c.X - kHandleReach && x <= c.X + kHandleReach && y >= c.Y - kHandleReach && y <= c.Y + kHandleReach;
}

}  // namespace

int32_t HitTestHandles(int32_t x, int32_t y, const MenuObject& obj) {
  const Extent e = ExtentOf(obj);
  const Centre centres[8] = {
      {e.L, e.T},
      {e.MidX(), e.T},
      {e.LastX(), e.T},
      {e.LastX(), e.MidY()},
      {e.LastX(), e.LastY()},
      {e.MidX(), e.LastY()},
      {e.L, e.LastY()},
      {e.L, e.MidY()},
  };
  int32_t code = kHitNothing;
  for (int32_t i = 0; i < 8; ++i)
    if (InBox(centres[i], x, y)) code = i + 1;
  if (code != kHitNothing) return code;
  return ContainsPoint(obj, x, y) ? kHitBody : kHitNothing;
}

bool ContainsPoint(const MenuObject& obj, int32_t x, int32_t y) {
  const Extent e = ExtentOf(obj);
  return x >= e.L && x <= e.LastX() && y >= e.T && y <= e.LastY();
}

bool StrictlyInside(const MenuObject& obj, int32_t x, int32_t y) {
  const Extent e = ExtentOf(obj);
  return e.L < x && x < e.LastX() && e.T < y && y < e.LastY();
}

bool TouchesBand(const MenuObject& obj, const Rect& band) {
  const Extent e = ExtentOf(obj);
  return e.LastX() >= band.Left && e.L <= band.Right && e.LastY() >= band.Top && e.T <= band.Bottom;
}

Rect NormalisedBand(Point a, Point b) {
  return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

void ClampObjectPositions(MenuProject& project, Size panel) {
  const int32_t maxLeft = Saturate(int64_t{panel.Width} - kClampMargin);
  const int32_t maxTop = Saturate(int64_t{panel.Height} - kClampMargin);
  for (auto& obj : project.Objects) {
    ControlBase& c = obj->Base();
    if (c.Left < 0) c.Left = 0;
    if (c.Top < 0) c.Top = 0;
    if (c.Left > maxLeft) c.Left = maxLeft;
    if (c.Top > maxTop) c.Top = maxTop;
  }
}

void ApplyDragStep(ControlBase& c, int32_t hitCode, int32_t dx, int32_t dy) {
  auto add = [](int32_t& field, int64_t delta) { field = Saturate(int64_t{field} + delta); };
  const bool movesLeft =
      hitCode == kHitBody || hitCode == kHitTopLeft || hitCode == kHitBottomLeft || hitCode == kHitLeft;
  const bool movesTop = hitCode == kHitBody || hitCode == kHitTopLeft || hitCode == kHitTop || hitCode == kHitTopRight;
  if (movesLeft) add(c.Left, dx);
  if (movesTop) add(c.Top, dy);
  switch (hitCode) {
    case kHitTopLeft:
      add(c.Width, -int64_t{dx});
      add(c.Height, -int64_t{dy});
      break;
    case kHitTop:
      add(c.Height, -int64_t{dy});
      break;
    case kHitTopRight:
      add(c.Height, -int64_t{dy});
      add(c.Width, dx);
      break;
    case kHitRight:
      add(c.Width, dx);
      break;
    case kHitBottomRight:
      add(c.Width, dx);
      add(c.Height, dy);
      break;
    case kHitBottom:
      add(c.Height, dy);
      break;
    case kHitBottomLeft:
      add(c.Width, -int64_t{dx});
      add(c.Height, dy);
      break;
    case kHitLeft:
      add(c.Width, -int64_t{dx});
      break;
    default:
      return;  // a move changes no size
  }
  if (c.Width <= 0) c.Width = 1;
  if (c.Height <= 0) c.Height = 1;
}

CursorShape CursorForHitCode(int32_t hitCode) {
  switch (hitCode) {
    case kHitBody:
      return CursorShape::SizeAll;
    case kHitTopLeft:
    case kHitBottomRight:
      return CursorShape::SizeNWSE;
    case kHitTop:
    case kHitBottom:
      return CursorShape::SizeNS;
    case kHitTopRight:
    case kHitBottomLeft:
      return CursorShape::SizeNESW;
    case kHitRight:
    case kHitLeft:
      return CursorShape::SizeWE;
    default:
      return CursorShape::Arrow;
  }
}

CursorShape CursorAt(const MenuProject& project, int32_t x, int32_t y) {
  const auto& objects = project.Objects;
  for (auto it = objects.rbegin(); it != objects.rend(); ++it) {
    const MenuObject& obj = **it;
    if (!obj.Selected) {
      if (ContainsPoint(obj, x, y)) return CursorShape::Arrow;
      continue;
    }
    const int32_t code = HitTestHandles(x, y, obj);
    if (code >= kHitBody) return CursorForHitCode(code);
  }
  return CursorShape::Arrow;
}

std::string PlaceholderText(ObjectKind kind) {
  switch (kind) {
    case ObjectKind::Avi:
      return "[AVI]";
    case ObjectKind::Html:
      return "[HTML]";
    case ObjectKind::Rtf:
      return "[RTF]";
    case ObjectKind::Movie:
      return "[Movie]";
    default:
      return {};
  }
}

std::vector<Rect> HandleSquares(const MenuObject& obj) {
  const Extent e = ExtentOf(obj);
  const int64_t r = e.L + e.W;
  const int64_t b = e.T + e.H;
  const Centre centres[8] = {
      {e.L, e.T}, {e.MidX(), e.T}, {r, e.T}, {r, e.MidY()}, {r, b}, {e.MidX(), b}, {e.L, b}, {e.L, e.MidY()},
  };
  std::vector<Rect> squares;
  squares.reserve(8);
  for (const Centre& c : centres)
    squares.push_back({Saturate(c.X - kHandleReach), Saturate(c.Y - kHandleReach), Saturate(c.X + kHandleReach),
                       Saturate(c.Y + kHandleReach)});
  return squares;
}

namespace {
bool IsPaneKind(ObjectKind kind) {
  return kind == ObjectKind::Avi || kind == ObjectKind::Html || kind == ObjectKind::Rtf || kind == ObjectKind::Movie;
}
}  // namespace

std::vector<Rect> PaneBoxes(const MenuProject& project) {
  std::vector<Rect> boxes;
  for (auto it = project.Objects.rbegin(); it != project.Objects.rend(); ++it) {
    if (!IsPaneKind((*it)->Kind)) continue;
    const Extent e = ExtentOf(**it);
    boxes.push_back({Saturate(e.L), Saturate(e.T), Saturate(e.L + e.W), Saturate(e.T + e.H)});
  }
  return boxes;
}

std::vector<SurfaceMark> BuildSurfaceMarks(const MenuProject& project) {
  std::vector<SurfaceMark> marks;
  const auto& objects = project.Objects;
  size_t panes = 0;
  for (const auto& obj : objects) panes += IsPaneKind(obj->Kind);
  size_t panesAbove = 0;
  for (auto it = objects.rbegin(); it != objects.rend(); ++it) {
    const MenuObject& obj = **it;
    const bool pane = IsPaneKind(obj.Kind);
    const size_t covered = pane ? panesAbove : panes;
    const Extent e = ExtentOf(obj);
    const int32_t l = static_cast<int32_t>(e.L);
    const int32_t t = static_cast<int32_t>(e.T);
    const int32_t r = Saturate(e.L + e.W);
    const int32_t b = Saturate(e.T + e.H);
    if (obj.Kind == ObjectKind::Html) marks.push_back({MarkKind::HtmlBackground, {l, t, r, b}, {}, covered});
    // A pane that shows its clip or document needs no stand-in written over it.
    std::string text = obj.Pane && obj.Pane->ShowsContent() ? std::string() : PlaceholderText(obj.Kind);
    if (!text.empty())
      marks.push_back({MarkKind::Placeholder, {Saturate(e.L + 5), Saturate(e.T + 5), r, b}, std::move(text), covered});
    // New objects have no name until one is given: those say what they are.
    if (obj.Kind == ObjectKind::Image && !obj.Shown) {
      const std::string& name = obj.Base().Name;
      marks.push_back({MarkKind::EmptyImage, {l, t, r, b}, name.empty() ? "Image" : name, covered});
    }
    marks.push_back({MarkKind::Frame,
                     {Saturate(e.L - 1), Saturate(e.T - 1), Saturate(e.L + e.W + 1), Saturate(e.T + e.H + 1)},
                     {},
                     covered});
    if (obj.Selected)
      for (const Rect& square : HandleSquares(obj)) marks.push_back({MarkKind::Handle, square, {}, covered});
    panesAbove += pane;
  }
  return marks;
}

}  // namespace corvela
