#pragma once
// Smooth scaling of pictures for screens of another resolution: GDI's own stretching either keeps
// pixels square or, for pictures with alpha, has no smoothing mode at all.

#include <cstdint>
#include <optional>

#include "platform/Geometry.h"

namespace corvela {

// A decoded picture's pixels, top row first: 0xAARRGGBB, premultiplied when HasAlpha; otherwise
// alpha is unused, the picture counts as opaque and with Keyed the pixels of KeyRgb (0x00RRGGBB)
// as fully transparent.
struct SourcePixels {
  const uint32_t* Pixels = nullptr;
  int32_t Width = 0;
  int32_t Height = 0;
  bool HasAlpha = false;
  bool Keyed = false;
  uint32_t KeyRgb = 0;
};

// One scaling never takes more memory than this; a part that would is drawn by plain stretching.
inline constexpr uint64_t kMaxResampleBytes = uint64_t{64} << 20;

// The memory, in bytes and with the scaled pixels, that scaling this part of a picture
// sourceWidth pixels wide to width pixels wide takes.
uint64_t ResampleBytes(int32_t sourceWidth, int32_t width, const Rect& part);

// What to scale of a picture sourceWidth pixels wide drawn at width x height, of which visible
// shows (in the scaled picture's pixels): all of it when that fits the budget, so that later paints
// of other parts take it as it is; else the visible part; nothing, for plain stretching, when even
// that does not fit.
std::optional<Rect> PartToScale(int32_t sourceWidth, int32_t width, int32_t height, const Rect& visible);

struct ResampleResult {
  bool Done = false;        // false: nothing was written
  bool SeeThrough = false;  // some pixel written is not opaque
};

// The part (inside 0, 0 - width, height) of the picture scaled to width x height, premultiplied,
// into out, part.Width() pixels a row: each axis enlarged by linear interpolation between pixel
// centres or reduced by averaging the area every new pixel covers. The pixels are the same as that
// part of the whole scaled picture, so a picture can be scaled where it shows, piece by piece.
// Nothing is done when a size is not positive or the part is empty or not inside.
ResampleResult ResamplePart(const SourcePixels& source, int32_t width, int32_t height, const Rect& part, uint32_t* out);

}  // namespace corvela
