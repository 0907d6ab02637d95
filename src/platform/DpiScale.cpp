#include "platform/DpiScale.h"

#include <algorithm>

namespace corvela {

namespace {
// a × b / c rounded half away from zero, in 64 bits.
int64_t Scaled(int64_t a, int64_t b, int64_t c) {
  const int64_t product = a * b;
  return product >= 0 ? (product + c / 2) / c : -((-product + c / 2) / c);
}

int32_t Clamp(int64_t v) {
  return static_cast<int32_t>(v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : v);
}
}  // namespace

int32_t DpiScale::Edge(int64_t designPixels) const {
  if (IsDesign()) return Clamp(designPixels);
  // Edges are sums of two 32-bit fields at most; the bound keeps the product within 64 bits.
  constexpr int64_t kLimit = int64_t{1} << 34;
  return Clamp(Scaled(std::clamp(designPixels, -kLimit, kLimit), dpi_, kDesignDpi));
}

int32_t DpiScale::Length(int32_t designPixels) const {
  const int32_t scaled = Edge(designPixels);
  if (designPixels > 0 && scaled < 1) return 1;
  return scaled;
}

Rect DpiScale::Bounds(const Rect& design) const {
  return {Edge(design.Left), Edge(design.Top), Edge(design.Right), Edge(design.Bottom)};
}

int32_t DpiScale::ToDesign(int32_t devicePixel) const {
  if (IsDesign()) return devicePixel;
  // A first guess from the exact quotient, then the one step either way that rounding may need.
  int64_t v = static_cast<int64_t>(devicePixel) * kDesignDpi / dpi_;
  while (Scaled(v + 1, dpi_, kDesignDpi) <= devicePixel) ++v;
  while (Scaled(v, dpi_, kDesignDpi) > devicePixel) --v;
  return Clamp(v);
}

int32_t FontPixelHeight(int32_t points, int32_t dpi) {
  return Clamp(-Scaled(points, dpi, 72));
}

}  // namespace corvela
