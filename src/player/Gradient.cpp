#include "player/Gradient.h"

#include <algorithm>
#include <cmath>
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
  for (int32_t k = 0; k < n; ++k) {
    const Colour c = bands.BandColour(k, n - 1);
    const int32_t nearEdge = MulDiv(k, extent, n), farEdge = MulDiv(k + 1, extent, n);
    if (horizontalBands)
      s.FillSolid({r.Left, r.Bottom - farEdge, r.Right, r.Bottom - nearEdge}, c);
    else
      s.FillSolid({r.Right - farEdge, r.Top, r.Right - nearEdge, r.Bottom}, c);
  }
}

// One-pixel rectangle outlines from the outside in; once one inset reaches its half size the
// other goes on alone, painting the middle rows or columns.
void FillRings(FillSurface& s, const PixelRect& r, const BandColours& bands) {
  const int32_t hw = (r.Right - r.Left) / 2, hh = (r.Bottom - r.Top) / 2, d = hw + hh;
  int32_t a = 0, b = 0;
  do {
    const Colour c = bands.BandColour(a + b, d);
    s.FillSolid({r.Left + b, r.Top + a, r.Left + b + 1, r.Bottom - a}, c);
    s.FillSolid({r.Right - b - 1, r.Top + a, r.Right - b, r.Bottom - a}, c);
    s.FillSolid({r.Left + b, r.Top + a, r.Right - b, r.Top + a + 1}, c);
    s.FillSolid({r.Left + b, r.Bottom - a - 1, r.Right - b, r.Bottom - a}, c);
    if (a < hh) ++a;
    if (b < hw) ++b;
  } while (a < hh || b < hw);
}

// Square outlines growing from the top-left (fromTop) or bottom-left corner. Once i reaches the
// width, the column and row fills lie one column right of the rectangle; the surface clips them.
void FillCorner(FillSurface& s, const PixelRect& r, const BandColours& bands, bool fromTop) {
  const int32_t w = r.Right - r.Left, h = r.Bottom - r.Top, d = w + h;
  int32_t i = 0, j = 0;
  int32_t y = fromTop ? r.Top : r.Bottom;
  do {
    const Colour c = bands.BandColour(i + j, d);
    const int32_t column = r.Left + i;
    if (fromTop)
      s.FillSolid({column, r.Top, column + 1, y}, c);
    else
      s.FillSolid({column, y, column + 1, r.Bottom}, c);
    if (j < h) {
      ++j;
      if (fromTop) {
        s.FillSolid({r.Left, y, column + 1, y + 1}, c);
        if (y < r.Bottom) ++y;
      } else {
        s.FillSolid({r.Left, y - 1, column + 1, y}, c);
        if (y > r.Top) --y;
      }
    }
    if (i < w) ++i;
  } while (j < h || i < w);
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
      FillRings(surface, rect, bands);
      break;
    case 5:
      FillCorner(surface, rect, bands, true);
      break;
    case 6:
      FillCorner(surface, rect, bands, false);
      break;
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

  // Runs of one band along a row; a run that repeats unchanged in the next row grows downward
  // instead of costing another fill, which saves most fills near the horizontal axis.
  struct Run {
    int32_t Left, Right, Band, Top;
  };
  std::vector<Run> open, row, next;
  const auto flush = [&](const Run& run, int32_t bottom) {
    surface.FillSolid({run.Left, run.Top, run.Right, bottom}, colour[static_cast<size_t>(run.Band)]);
  };
  int32_t band = 0;
  for (int32_t y = rect.Top; y < rect.Bottom; ++y) {
    const int64_t dy = 2 * static_cast<int64_t>(y - rect.Top) + 1 - h;
    row.clear();
    for (int32_t x = rect.Left; x < rect.Right; ++x) {
      const int64_t dx = 2 * static_cast<int64_t>(x - rect.Left) + 1 - w;
      const auto q = static_cast<uint64_t>(dx * dx + dy * dy);
      while (band + 1 < n && q >= threshold[static_cast<size_t>(band + 1)]) ++band;
      while (band > 0 && q < threshold[static_cast<size_t>(band)]) --band;
      if (!row.empty() && row.back().Band == band)
        row.back().Right = x + 1;
      else
        row.push_back({x, x + 1, band, y});
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
  for (const Run& run : open) flush(run, rect.Bottom);
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
