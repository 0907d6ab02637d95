#include "project/Gradient.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "platform/SystemColours.h"

namespace corvela {

int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
  if (c == 0) return -1;
  int64_t product = static_cast<int64_t>(a) * b;
  int64_t divisor = c;
  if (divisor < 0) {
    product = -product;
    divisor = -divisor;
  }
  const int64_t half = divisor / 2;
  // Division truncates toward zero, so adding half away from zero first rounds halves away.
  const int64_t q = product >= 0 ? (product + half) / divisor : (product - half) / divisor;
  if (q > INT32_MAX || q < -INT32_MAX) return -1;
  return static_cast<int32_t>(q);
}

PixelBuffer::PixelBuffer(int32_t width, int32_t height, Colour fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<size_t>(width_) * static_cast<size_t>(height_), fill) {}

void PixelBuffer::FillSolid(const PixelRect& r, Colour rgb) {
  const int32_t left = std::max(r.Left, 0), right = std::min(r.Right, width_);
  const int32_t top = std::max(r.Top, 0), bottom = std::min(r.Bottom, height_);
  if (left >= right || top >= bottom) return;
  for (int32_t y = top; y < bottom; ++y) {
    auto row = pixels_.begin() + static_cast<ptrdiff_t>(y) * width_;
    std::fill(row + left, row + right, rgb);
  }
}

PixelBuffer PixelBuffer::Cropped(int32_t width, int32_t height) const {
  PixelBuffer out(std::min(width, width_), std::min(height, height_));
  for (int32_t y = 0; y < out.height_; ++y) {
    auto from = pixels_.begin() + static_cast<ptrdiff_t>(y) * width_;
    std::copy(from, from + out.width_, out.pixels_.begin() + static_cast<ptrdiff_t>(y) * out.width_);
  }
  return out;
}

BandColours::BandColours(Colour startRgb, Colour endRgb)
    : r1_(startRgb & 0xFF),
      g1_((startRgb >> 8) & 0xFF),
      b1_((startRgb >> 16) & 0xFF),
      dr_(static_cast<int32_t>(endRgb & 0xFF) - r1_),
      dg_(static_cast<int32_t>((endRgb >> 8) & 0xFF) - g1_),
      db_(static_cast<int32_t>((endRgb >> 16) & 0xFF) - b1_) {}

Colour BandColours::BandColour(int32_t k, int32_t d) const {
  if (d == 0) return static_cast<Colour>(r1_ | (g1_ << 8) | (b1_ << 16));
  const auto channel = [&](int32_t base, int32_t delta) {
    return static_cast<Colour>((base + MulDiv(k, delta, d)) & 0xFF);
  };
  return channel(r1_, dr_) | (channel(g1_, dg_) << 8) | (channel(b1_, db_) << 16);
}

namespace {

// Horizontal bands from the bottom edge up, or vertical bands from the right edge leftward;
// up to 256 bands, their boundaries rounded by MulDiv.
void FillLinear(FillSurface& s, const PixelRect& r, const BandColours& bands, bool horizontalBands) {
  const int32_t extent = horizontalBands ? r.Bottom - r.Top : r.Right - r.Left;
  const int32_t n = std::min(extent, 256);
  // Vertical bands make every row alike: on a surface in memory one row is filled and copied,
  // rather than every narrow band walking down all the rows.
  const bool copyRows = !horizontalBands && r.Left >= 0 && r.Top >= 0 && r.Right <= s.Width() &&
                        r.Bottom <= s.Height() && r.Bottom - r.Top > 1 && s.RowPixels(r.Top);
  const int32_t bottom = copyRows ? r.Top + 1 : r.Bottom;
  for (int32_t k = 0; k < n; ++k) {
    const Colour c = bands.BandColour(k, n - 1);
    const int32_t nearEdge = MulDiv(k, extent, n), farEdge = MulDiv(k + 1, extent, n);
    if (horizontalBands)
      s.FillSolid({r.Left, r.Bottom - farEdge, r.Right, r.Bottom - nearEdge}, c);
    else
      s.FillSolid({r.Right - farEdge, r.Top, r.Right - nearEdge, bottom}, c);
  }
  if (copyRows) {
    const Colour* const first = s.RowPixels(r.Top) + r.Left;
    for (int32_t y = r.Top + 1; y < r.Bottom; ++y)
      std::copy(first, first + (r.Right - r.Left), s.RowPixels(y) + r.Left);
  }
}

// The rings and corner geometries are defined as a sequence of steps, each painting one-pixel
// outlines in one band colour, later steps over earlier ones. Consecutive steps of one colour
// paint the union of their outlines at once: the same pixels, in a few wide fills instead of
// one per step and side (a 1920-pixel panel has thousands of steps but a few hundred colours).
// Steps are grouped only within one phase, where the union has a simple shape.
template <typename StepColour, typename Phase, typename PaintGroup>
void PaintStepGroups(int32_t steps, StepColour stepColour, Phase phase, PaintGroup paintGroup) {
  int32_t first = 0;
  Colour colour = stepColour(0);
  int phaseOfFirst = phase(0);
  for (int32_t t = 1; t <= steps; ++t) {
    Colour c = 0;
    int p = 0;
    if (t < steps) {
      c = stepColour(t);
      p = phase(t);
      if (c == colour && p == phaseOfFirst) continue;
    }
    paintGroup(phaseOfFirst, first, t - 1, colour);
    first = t;
    colour = c;
    phaseOfFirst = p;
  }
}

// One-pixel rectangle outlines from the outside in; once one inset reaches its half size the
// other goes on alone, painting the middle rows or columns. Step t insets by a = min(t, hh) rows
// and b = min(t, hw) columns.
void FillRings(FillSurface& s, const PixelRect& r, const BandColours& bands) {
  const int32_t w = r.Right - r.Left, h = r.Bottom - r.Top;
  const int32_t hw = w / 2, hh = h / 2, d = hw + hh;
  const int32_t steps = std::max({hw, hh, 1});
  enum { kBoth, kColumnsOnly, kRowsOnly, kNeither };
  const auto phase = [&](int32_t t) {
    if (t < std::min(hh, hw)) return kBoth;
    if (t < hw) return kColumnsOnly;  // the row inset stays at hh
    if (t < hh) return kRowsOnly;     // the column inset stays at hw
    return kNeither;
  };
  const auto colour = [&](int32_t t) { return bands.BandColour(std::min(t, hh) + std::min(t, hw), d); };
  PaintStepGroups(steps, colour, phase, [&](int p, int32_t t0, int32_t t1, Colour c) {
    switch (p) {
      case kBoth:  // the frame between the outlines of steps t0 and t1
        s.FillSolid({r.Left + t0, r.Top + t0, r.Right - t0, r.Top + t1 + 1}, c);
        s.FillSolid({r.Left + t0, r.Bottom - t1 - 1, r.Right - t0, r.Bottom - t0}, c);
        s.FillSolid({r.Left + t0, r.Top + t1 + 1, r.Left + t1 + 1, r.Bottom - t1 - 1}, c);
        s.FillSolid({r.Right - t1 - 1, r.Top + t1 + 1, r.Right - t0, r.Bottom - t1 - 1}, c);
        break;
      case kColumnsOnly:  // the middle one or two rows, from column t0 to its mirror
        s.FillSolid({r.Left + t0, r.Top + std::min(hh, h - 1 - hh), r.Right - t0, r.Top + std::max(hh, h - 1 - hh) + 1},
                    c);
        break;
      case kRowsOnly:
        s.FillSolid(
            {r.Left + std::min(hw, w - 1 - hw), r.Top + t0, r.Left + std::max(hw, w - 1 - hw) + 1, r.Bottom - t0}, c);
        break;
      default:  // a rectangle at most 1 x 1 inside: the single step's four sides as they are
        s.FillSolid({r.Left, r.Top, r.Left + 1, r.Bottom}, c);
        s.FillSolid({r.Right - 1, r.Top, r.Right, r.Bottom}, c);
        s.FillSolid({r.Left, r.Top, r.Right, r.Top + 1}, c);
        s.FillSolid({r.Left, r.Bottom - 1, r.Right, r.Bottom}, c);
        break;
    }
  });
}

// Square outlines growing from the top-left (fromTop) or bottom-left corner: step t paints
// column min(t, w) over its first min(t, h) rows and, while t < h, row t over its first
// min(t, w) + 1 columns (rows counted from the corner). Once t reaches the width, those fills lie
// one column right of the rectangle; the surface clips them.
void FillCorner(FillSurface& s, const PixelRect& r, const BandColours& bands, bool fromTop) {
  const int32_t w = r.Right - r.Left, h = r.Bottom - r.Top, d = w + h;
  const int32_t steps = std::max({w, h, 1});
  enum { kBoth, kRowsPastWidth, kColumnsPastHeight, kNothing };
  const auto phase = [&](int32_t t) {
    if (t < std::min(w, h)) return kBoth;
    if (t < h) return kRowsPastWidth;
    if (t < w) return kColumnsPastHeight;
    return kNothing;
  };
  const auto colour = [&](int32_t t) { return bands.BandColour(std::min(t, w) + std::min(t, h), d); };
  // Rows [top, bottom) counted from the corner's edge, columns from the left edge.
  const auto fill = [&](int32_t left, int32_t top, int32_t right, int32_t bottom, Colour c) {
    if (fromTop)
      s.FillSolid({r.Left + left, r.Top + top, r.Left + right, r.Top + bottom}, c);
    else
      s.FillSolid({r.Left + left, r.Bottom - bottom, r.Left + right, r.Bottom - top}, c);
  };
  PaintStepGroups(steps, colour, phase, [&](int p, int32_t t0, int32_t t1, Colour c) {
    switch (p) {
      case kBoth:  // the L between the squares of sides t0 and t1 + 1
        fill(0, t0, t1 + 1, t1 + 1, c);
        fill(t0, 0, t1 + 1, t0, c);
        break;
      case kRowsPastWidth:
        fill(0, t0, w + 1, t1 + 1, c);
        fill(w, 0, w + 1, t0, c);
        break;
      case kColumnsPastHeight:
        fill(t0, 0, t1 + 1, h, c);
        break;
      default:
        break;
    }
  });
}

// The same pixels on a surface in memory whose width the rectangle spans, row by row: pixel x of
// row y (both counted from the corner) takes step max(x, y), so each row is its own step's colour
// up to column y and then the same colours column by column. That tail is made once and copied.
// False when the shortcut does not apply.
bool FillCornerRows(FillSurface& s, const PixelRect& r, const BandColours& bands, bool fromTop) {
  const int32_t w = r.Right - r.Left, h = r.Bottom - r.Top, d = w + h;
  // Spanning the width, the fills that run one column past the right edge are clipped anyway.
  if (w <= 0 || h <= 0 || r.Left != 0 || r.Right != s.Width() || r.Top < 0 || r.Bottom > s.Height() ||
      !s.RowPixels(r.Top))
    return false;
  const auto colour = [&](int32_t t) { return bands.BandColour(std::min(t, w) + std::min(t, h), d); };
  std::vector<Colour> byColumn(static_cast<size_t>(w));
  for (int32_t x = 0; x < w; ++x) byColumn[static_cast<size_t>(x)] = colour(x);
  for (int32_t y = 0; y < h; ++y) {
    Colour* const row = s.RowPixels(fromTop ? r.Top + y : r.Bottom - 1 - y);
    const int32_t ownColour = std::min(y + 1, w);
    std::fill(row, row + ownColour, colour(y));
    std::copy(byColumn.begin() + ownColour, byColumn.end(), row + ownColour);
  }
  return true;
}

// Keeps the fills asked of it, to be replayed on the real surface.
class FillRecorder final : public FillSurface {
 public:
  explicit FillRecorder(const FillSurface& target) : width_(target.Width()), height_(target.Height()) {}
  int32_t Width() const override { return width_; }
  int32_t Height() const override { return height_; }
  void FillSolid(const PixelRect& r, Colour rgb) override { Fills.push_back({r, rgb}); }
  struct Fill {
    PixelRect Rect;
    Colour Rgb;
  };
  std::vector<Fill> Fills;

 private:
  int32_t width_, height_;
};

// On a surface in memory, tall narrow fills walk a new page of memory every row. Replaying the
// fills in their order one strip of rows at a time keeps each strip's pages at hand; every pixel
// still sees the same fills in the same order.
void ReplayInStrips(FillSurface& s, const std::vector<FillRecorder::Fill>& fills) {
  constexpr int32_t kStripRows = 64;
  int32_t top = INT32_MAX, bottom = INT32_MIN;
  for (const FillRecorder::Fill& f : fills) {
    top = std::min(top, f.Rect.Top);
    bottom = std::max(bottom, f.Rect.Bottom);
  }
  for (int32_t stripTop = top; stripTop < bottom; stripTop += kStripRows) {
    const int32_t stripBottom = std::min(stripTop + kStripRows, bottom);
    for (const FillRecorder::Fill& f : fills) {
      if (f.Rect.Bottom <= stripTop || f.Rect.Top >= stripBottom) continue;
      s.FillSolid({f.Rect.Left, std::max(f.Rect.Top, stripTop), f.Rect.Right, std::min(f.Rect.Bottom, stripBottom)},
                  f.Rgb);
    }
  }
}

PixelRect Normalised(PixelRect r) {
  if (r.Right < r.Left) std::swap(r.Left, r.Right);
  if (r.Bottom < r.Top) std::swap(r.Top, r.Bottom);
  return r;
}

uint64_t IntegerSqrt(uint64_t v) {
  auto root = static_cast<uint64_t>(std::sqrt(static_cast<double>(v)));
  while (root * root > v) --root;
  while ((root + 1) * (root + 1) <= v) ++root;
  return root;
}

}  // namespace

void FillGradientRect(FillSurface& surface, PixelRect rect, FillGeometry geometry, Colour start, Colour end,
                      SystemColours* colours) {
  rect = Normalised(rect);
  const BandColours bands(ResolveColour(start, colours), ResolveColour(end, colours));
  switch (static_cast<uint8_t>(geometry)) {
    case 0:
    case 1:
      FillLinear(surface, rect, bands, true);
      break;
    case 2:
    case 3:
      FillLinear(surface, rect, bands, false);
      break;
    case 4:
    case 5:
    case 6: {
      if (geometry != FillGeometry::Rings &&
          FillCornerRows(surface, rect, bands, geometry == FillGeometry::TopLeftCorner))
        break;
      const bool inMemory = surface.RowPixels(0) != nullptr;
      FillRecorder recorder(surface);
      FillSurface& target = inMemory ? recorder : surface;
      if (geometry == FillGeometry::Rings)
        FillRings(target, rect, bands);
      else
        FillCorner(target, rect, bands, geometry == FillGeometry::TopLeftCorner);
      if (inMemory) ReplayInStrips(surface, recorder.Fills);
      break;
    }
    default:
      break;
  }
}

void FillRadialRect(FillSurface& surface, PixelRect rect, Colour start, Colour end, SystemColours* colours) {
  rect = Normalised(rect);
  const int64_t w = rect.Right - rect.Left, h = rect.Bottom - rect.Top;
  if (w <= 0 || h <= 0) return;
  const BandColours bands(ResolveColour(start, colours), ResolveColour(end, colours));
  // Distances in half pixels from the centre to pixel centres, so that they are integers: a pixel
  // at column x lies dx = 2x + 1 - w half pixels from the centre, the corner pixels at sqrt(far).
  const uint64_t far = static_cast<uint64_t>((w - 1) * (w - 1) + (h - 1) * (h - 1));
  if (far == 0) {
    surface.FillSolid(rect, bands.BandColour(0, 0));
    return;
  }
  // One band per whole pixel of the corner's distance, as the linear geometries have one per row.
  const int32_t n = static_cast<int32_t>(std::clamp<uint64_t>(IntegerSqrt(far) / 2 + 1, 2, 256));
  // Band k = floor(n * distance / corner distance), so a pixel is in band j or beyond when
  // n^2 * q >= j^2 * far, q its squared distance: threshold[j] is the least such q.
  const uint64_t nn = static_cast<uint64_t>(n) * static_cast<uint64_t>(n);
  std::vector<uint64_t> threshold(static_cast<size_t>(n));
  std::vector<Colour> colour(static_cast<size_t>(n));
  for (int32_t j = 0; j < n; ++j) {
    threshold[static_cast<size_t>(j)] = (static_cast<uint64_t>(j) * static_cast<uint64_t>(j) * far + nn - 1) / nn;
    colour[static_cast<size_t>(j)] = bands.BandColour(j, n - 1);
  }

  // Each row is symmetric about the centre column, so only its right half, from column half on,
  // is worked out: there band j begins at the first column whose dx reaches the least dx >= 0
  // with dx^2 + dy^2 >= threshold[j]; a row costs one square root per band it crosses.
  const int32_t width = static_cast<int32_t>(w), height = static_cast<int32_t>(h);
  const int32_t half = width / 2;
  const int64_t dxHalf = 2 * static_cast<int64_t>(half) + 1 - w;  // 0 or 1
  // The least m >= 0 with m^2 >= need; doubles hold these squares exactly.
  const auto leastRoot = [](int64_t need) {
    if (need <= 0) return int64_t{0};
    auto m = static_cast<int64_t>(std::sqrt(static_cast<double>(need)));
    while (m * m < need) ++m;
    while (m > 0 && (m - 1) * (m - 1) >= need) --m;
    return m;
  };
  // Runs of one band along a row, in columns relative to rect.Left.
  struct Run {
    int32_t Left, Right, Band, Top;
  };
  std::vector<Run> right;
  int32_t innerBand = 0;
  // The runs of row y (relative) right of column half.
  const auto rightHalf = [&](int32_t y) {
    const int64_t dy = 2 * static_cast<int64_t>(y) + 1 - h;
    const uint64_t dy2 = static_cast<uint64_t>(dy * dy);
    const uint64_t q = static_cast<uint64_t>(dxHalf * dxHalf) + dy2;
    while (innerBand + 1 < n && q >= threshold[static_cast<size_t>(innerBand + 1)]) ++innerBand;
    while (innerBand > 0 && q < threshold[static_cast<size_t>(innerBand)]) --innerBand;
    right.clear();
    int32_t from = half;
    for (int32_t j = innerBand + 1; j < n && from < width; ++j) {
      const int64_t e = leastRoot(static_cast<int64_t>(threshold[static_cast<size_t>(j)] - dy2));
      // The first column with 2x + 1 - w >= e.
      const auto at = static_cast<int32_t>(std::min<int64_t>((e + w) / 2, w));
      if (at > from) {
        right.push_back({from, at, j - 1, y});
        from = at;
      }
    }
    if (from < width) right.push_back({from, width, n - 1, y});
  };

  // A surface in memory gets the pixels written directly, the top half of the rows only: the
  // left half of a row mirrors its right half, and the bottom rows mirror the top ones.
  if (rect.Left >= 0 && rect.Top >= 0 && rect.Right <= surface.Width() && rect.Bottom <= surface.Height() &&
      surface.RowPixels(rect.Top)) {
    // Runs are a few pixels long: each is written in blocks of 8 from left to right, the last
    // block spilling into the next run, which overwrites it; only the row's end is exact.
    constexpr int32_t kBlock = 8;
    const auto fillRun = [&](Colour* row, int32_t left, int32_t right, Colour c) {
      Colour block[kBlock];
      std::fill(block, block + kBlock, c);
      int32_t x = left;
      for (; x < right && x + kBlock <= width; x += kBlock) std::memcpy(row + x, block, sizeof block);
      for (; x < right; ++x) row[x] = c;
    };
    for (int32_t y = 0; y < (height + 1) / 2; ++y) {
      Colour* const row = surface.RowPixels(rect.Top + y) + rect.Left;
      rightHalf(y);
      for (auto it = right.rbegin(); it != right.rend(); ++it)
        fillRun(row, width - it->Right, width - it->Left, colour[static_cast<size_t>(it->Band)]);
      for (const Run& run : right) fillRun(row, run.Left, run.Right, colour[static_cast<size_t>(run.Band)]);
      if (height - 1 - y != y) std::copy(row, row + width, surface.RowPixels(rect.Bottom - 1 - y) + rect.Left);
    }
    return;
  }

  // Otherwise rectangles: a run that repeats unchanged in the next row grows downward instead of
  // costing another fill, which saves most fills near the horizontal axis.
  std::vector<Run> open, row, next;
  const auto flush = [&](const Run& run, int32_t bottom) {
    surface.FillSolid({rect.Left + run.Left, rect.Top + run.Top, rect.Left + run.Right, rect.Top + bottom},
                      colour[static_cast<size_t>(run.Band)]);
  };
  for (int32_t y = 0; y < height; ++y) {
    rightHalf(y);
    // The whole row: the right half mirrored onto columns left of half, then the right half; the
    // two innermost runs share a band and join.
    row.clear();
    for (auto it = right.rbegin(); it != right.rend(); ++it) {
      const int32_t left = width - it->Right, end = std::min(width - it->Left, half);
      if (left < end) row.push_back({left, end, it->Band, y});
    }
    for (const Run& run : right) {
      if (!row.empty() && row.back().Band == run.Band && row.back().Right == run.Left)
        row.back().Right = run.Right;
      else
        row.push_back(run);
    }
    next.clear();
    size_t i = 0;
    for (const Run& run : row) {
      bool carried = false;
      while (i < open.size() && open[i].Left <= run.Left) {
        const Run& old = open[i++];
        if (old.Left == run.Left && old.Right == run.Right && old.Band == run.Band) {
          next.push_back(old);
          carried = true;
          break;
        }
        flush(old, y);
      }
      if (!carried) next.push_back(run);
    }
    for (; i < open.size(); ++i) flush(open[i], y);
    std::swap(open, next);
  }
  for (const Run& run : open) flush(run, height);
}

std::optional<BackgroundFill> PlanBackground(const MenuProject& project, int32_t panelWidth, int32_t panelHeight) {
  // The outer panel keeps the button face colour for the whole run; a gradient toward it shows nothing.
  constexpr Colour kOuterPanelColour = kClBtnFace;
  if (project.GradientColor == kOuterPanelColour) return std::nullopt;
  BackgroundFill fill;
  fill.Width = std::max(panelWidth, 0);
  fill.Height = std::max(panelHeight, 0);
  const Colour back = project.BackColor;
  const Colour gradient = project.GradientColor;
  const auto set = [&](FillGeometry geometry, Colour start, Colour end) {
    fill.Geometry = geometry;
    fill.Start = start;
    fill.End = end;
    return fill;
  };
  switch (static_cast<GradientStyle>(project.GradientStyle)) {
    case GradientStyle::TopBottom:
      return set(FillGeometry::BottomUp, back, gradient);
    case GradientStyle::BottomTop:
      return set(FillGeometry::BottomUp, gradient, back);
    case GradientStyle::LeftRight:
      return set(FillGeometry::RightToLeft, back, gradient);
    case GradientStyle::RightLeft:
      return set(FillGeometry::RightToLeft, gradient, back);
    case GradientStyle::FromCenter:
      return set(FillGeometry::Rings, back, gradient);
    case GradientStyle::FromTopLeft:
      return set(FillGeometry::TopLeftCorner, back, gradient);
    case GradientStyle::FromBottomLeft:
      return set(FillGeometry::BottomLeftCorner, back, gradient);
    case GradientStyle::Radial:
      return set(FillGeometry::Radial, back, gradient);
    case GradientStyle::None:
      break;
  }
  return std::nullopt;
}

void FillBackground(FillSurface& renderer, const BackgroundFill& fill, SystemColours* colours) {
  const PixelRect whole{0, 0, fill.RendererWidth(), fill.RendererHeight()};
  if (fill.Geometry == FillGeometry::Radial)
    FillRadialRect(renderer, whole, fill.Start, fill.End, colours);
  else
    FillGradientRect(renderer, whole, fill.Geometry, fill.Start, fill.End, colours);
}

std::optional<PixelBuffer> RenderBackgroundPixels(const MenuProject& project, SystemColours* colours,
                                                  int32_t panelWidth, int32_t panelHeight) {
  const std::optional<BackgroundFill> fill = PlanBackground(project, panelWidth, panelHeight);
  if (!fill) return std::nullopt;
  PixelBuffer renderer(fill->RendererWidth(), fill->RendererHeight());
  FillBackground(renderer, *fill, colours);
  return renderer.Cropped(fill->Width, fill->Height);
}

}  // namespace corvela
