#include "platform/Resample.h"

#include <algorithm>
#include <cmath>

namespace corvela {

namespace {

struct Tap {
  int32_t Index;
  float Weight;
};

// For every new pixel along one axis, the source pixels it takes and their weights (summing to 1).
std::vector<std::vector<Tap>> Taps(int32_t from, int32_t to) {
  std::vector<std::vector<Tap>> taps(static_cast<size_t>(to));
  const double ratio = static_cast<double>(from) / to;
  for (int32_t i = 0; i < to; ++i) {
    std::vector<Tap>& t = taps[static_cast<size_t>(i)];
    if (to >= from) {
      const double centre = (i + 0.5) * ratio - 0.5;
      const double low = std::floor(centre);
      const auto frac = static_cast<float>(centre - low);
      const auto clampIndex = [from](double v) { return static_cast<int32_t>(std::clamp<double>(v, 0, from - 1)); };
      t.push_back({clampIndex(low), 1.0f - frac});
      t.push_back({clampIndex(low + 1), frac});
    } else {
      const double start = i * ratio, end = (i + 1) * ratio;
      for (auto j = static_cast<int32_t>(std::floor(start)); j < end && j < from; ++j) {
        const double covered = std::min<double>(end, j + 1) - std::max<double>(start, j);
        if (covered > 0) t.push_back({j, static_cast<float>(covered / ratio)});
      }
    }
  }
  return taps;
}

uint32_t Pack(const float (&c)[4]) {
  uint32_t p = 0;
  for (int k = 0; k < 4; ++k) {
    const auto v = static_cast<uint32_t>(std::clamp(c[k] + 0.5f, 0.0f, 255.0f));
    p |= v << (8 * k);
  }
  // Rounding may leave a colour channel just above its alpha; premultiplied pixels never are.
  const uint32_t a = p >> 24;
  for (int k = 0; k < 3; ++k) {
    const uint32_t v = (p >> (8 * k)) & 0xFFu;
    if (v > a) p = (p & ~(0xFFu << (8 * k))) | (a << (8 * k));
  }
  return p;
}

}  // namespace

bool PrepareForBlending(std::vector<uint32_t>& pixels, bool hasAlpha, bool keyed, uint32_t keyRgb) {
  bool seeThrough = false;
  for (uint32_t& p : pixels) {
    if (hasAlpha) {
      seeThrough = seeThrough || (p >> 24) != 0xFF;
    } else if (keyed && (p & 0x00FFFFFFu) == (keyRgb & 0x00FFFFFFu)) {
      p = 0;
      seeThrough = true;
    } else {
      p |= 0xFF000000u;
    }
  }
  return seeThrough;
}

std::vector<uint32_t> ResamplePremultiplied(const uint32_t* source, int32_t sourceWidth, int32_t sourceHeight,
                                            int32_t width, int32_t height) {
  if (width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0) return {};
  const auto across = Taps(sourceWidth, width), down = Taps(sourceHeight, height);
  // Rows first, into floats, then columns.
  std::vector<float> rows(static_cast<size_t>(width) * static_cast<size_t>(sourceHeight) * 4, 0.0f);
  for (int32_t y = 0; y < sourceHeight; ++y) {
    const uint32_t* in = source + static_cast<size_t>(y) * static_cast<size_t>(sourceWidth);
    float* out = rows.data() + static_cast<size_t>(y) * static_cast<size_t>(width) * 4;
    for (int32_t x = 0; x < width; ++x)
      for (const Tap& t : across[static_cast<size_t>(x)]) {
        const uint32_t p = in[t.Index];
        for (int k = 0; k < 4; ++k) out[x * 4 + k] += t.Weight * static_cast<float>((p >> (8 * k)) & 0xFFu);
      }
  }
  std::vector<uint32_t> result(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) {
      float c[4] = {0, 0, 0, 0};
      for (const Tap& t : down[static_cast<size_t>(y)]) {
        const float* in = rows.data() + (static_cast<size_t>(t.Index) * static_cast<size_t>(width) + x) * 4;
        for (int k = 0; k < 4; ++k) c[k] += t.Weight * in[k];
      }
      result[static_cast<size_t>(y) * static_cast<size_t>(width) + x] = Pack(c);
    }
  return result;
}

}  // namespace corvela
