#include "platform/Resample.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace corvela {

namespace {

struct Tap {
  int32_t Index;
  float Weight;
};

// The source pixels new pixel i takes along an axis of from pixels scaled to to, and their weights
// (summing to 1), appended to taps.
void AddTaps(int32_t from, int32_t to, int32_t i, std::vector<Tap>& taps) {
  const double ratio = static_cast<double>(from) / to;
  if (to >= from) {
    const double centre = (i + 0.5) * ratio - 0.5;
    const double low = std::floor(centre);
    const auto frac = static_cast<float>(centre - low);
    const auto clampIndex = [from](double v) { return static_cast<int32_t>(std::clamp<double>(v, 0, from - 1)); };
    taps.push_back({clampIndex(low), 1.0f - frac});
    taps.push_back({clampIndex(low + 1), frac});
    return;
  }
  const double start = i * ratio, end = (i + 1) * ratio;
  for (auto j = static_cast<int32_t>(std::floor(start)); j < end && j < from; ++j) {
    const double covered = std::min<double>(end, j + 1) - std::max<double>(start, j);
    if (covered > 0) taps.push_back({j, static_cast<float>(covered / ratio)});
  }
}

// At most this many taps for one new pixel along an axis of from pixels scaled to to.
uint64_t TapsPerPixel(int32_t from, int32_t to) {
  return to >= from ? 2 : static_cast<uint64_t>(from / to) + 2;
}

uint32_t Prepared(uint32_t p, const SourcePixels& source) {
  if (source.HasAlpha) return p;
  if (source.Keyed && (p & 0x00FFFFFFu) == (source.KeyRgb & 0x00FFFFFFu)) return 0;
  return p | 0xFF000000u;
}

uint32_t Pack(const float* c) {
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

// The columns of the part, each with its taps into a source row, and the last two source rows
// scaled across them: enlarging, neighbouring new rows share their source rows, and reducing,
// their boundary row.
class RowScaler {
 public:
  RowScaler(const SourcePixels& source, int32_t width, const Rect& part)
      : source_(source), columns_(static_cast<size_t>(part.Width())) {
    begin_.reserve(columns_ + 1);
    for (int32_t x = part.Left; x < part.Right; ++x) {
      begin_.push_back(taps_.size());
      AddTaps(source.Width, width, x, taps_);
    }
    begin_.push_back(taps_.size());
    for (Slot& slot : slots_) slot.Values.resize(columns_ * 4);
  }

  // Source row y across the part, 4 floats a column.
  const float* Row(int32_t y) {
    for (const Slot& slot : slots_)
      if (slot.Index == y) return slot.Values.data();
    // Rows are asked for in rising order: the lower one is not needed again.
    Slot& slot = slots_[0].Index < slots_[1].Index ? slots_[0] : slots_[1];
    slot.Index = y;
    std::fill(slot.Values.begin(), slot.Values.end(), 0.0f);
    const uint32_t* in = source_.Pixels + static_cast<size_t>(y) * static_cast<size_t>(source_.Width);
    float* out = slot.Values.data();
    for (size_t x = 0; x < columns_; ++x)
      for (size_t t = begin_[x]; t < begin_[x + 1]; ++t) {
        const uint32_t p = Prepared(in[taps_[t].Index], source_);
        for (int k = 0; k < 4; ++k) out[x * 4 + k] += taps_[t].Weight * static_cast<float>((p >> (8 * k)) & 0xFFu);
      }
    return out;
  }

 private:
  struct Slot {
    int32_t Index = -1;
    std::vector<float> Values;
  };
  const SourcePixels& source_;
  size_t columns_;
  std::vector<Tap> taps_;
  std::vector<size_t> begin_;
  Slot slots_[2];
};

}  // namespace

uint64_t ResampleBytes(int32_t sourceWidth, int32_t width, const Rect& part) {
  if (part.IsEmpty() || sourceWidth <= 0 || width <= 0) return 0;
  const auto w = static_cast<uint64_t>(int64_t{part.Right} - part.Left);
  const auto h = static_cast<uint64_t>(int64_t{part.Bottom} - part.Top);
  // The scaled pixels; two scaled source rows and the sum, 4 floats a column; each column's taps.
  return w * h * 4 + w * 3 * 4 * sizeof(float) + w * (TapsPerPixel(sourceWidth, width) * sizeof(Tap) + sizeof(size_t));
}

std::optional<Rect> PartToScale(int32_t sourceWidth, int32_t width, int32_t height, const Rect& visible) {
  if (sourceWidth <= 0 || width <= 0 || height <= 0) return std::nullopt;
  const Rect whole{0, 0, width, height};
  if (ResampleBytes(sourceWidth, width, whole) <= kMaxResampleBytes) return whole;
  const Rect part = ClippedTo(visible, width, height);
  if (part.IsEmpty() || ResampleBytes(sourceWidth, width, part) > kMaxResampleBytes) return std::nullopt;
  return part;
}

ResampleResult ResamplePart(const SourcePixels& source, int32_t width, int32_t height, const Rect& part,
                            uint32_t* out) {
  if (!source.Pixels || !out || source.Width <= 0 || source.Height <= 0 || width <= 0 || height <= 0 ||
      part.IsEmpty() || part.Left < 0 || part.Top < 0 || part.Right > width || part.Bottom > height)
    return {};
  RowScaler rows(source, width, part);
  const auto columns = static_cast<size_t>(part.Width());
  std::vector<float> sum(columns * 4);
  std::vector<Tap> down;
  bool seeThrough = false;
  for (int32_t y = part.Top; y < part.Bottom; ++y) {
    down.clear();
    AddTaps(source.Height, height, y, down);
    std::fill(sum.begin(), sum.end(), 0.0f);
    for (const Tap& t : down) {
      const float* row = rows.Row(t.Index);
      for (size_t i = 0; i < sum.size(); ++i) sum[i] += t.Weight * row[i];
    }
    uint32_t* line = out + static_cast<size_t>(y - part.Top) * columns;
    for (size_t x = 0; x < columns; ++x) {
      line[x] = Pack(sum.data() + x * 4);
      seeThrough = seeThrough || (line[x] >> 24) != 0xFF;
    }
  }
  return {true, seeThrough};
}

}  // namespace corvela
