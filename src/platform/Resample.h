#pragma once
// Smooth scaling of pictures for screens of another resolution: GDI's own stretching either keeps
// pixels square or, for pictures with alpha, has no smoothing mode at all.

#include <cstdint>
#include <vector>

namespace corvela {

// Pixels of a decoded picture (0xAARRGGBB, premultiplied when hasAlpha, otherwise alpha unused)
// as premultiplied pixels ready for blending: opaque pictures get alpha 255, and with keyed the
// pixels of keyRgb (0x00RRGGBB) become fully transparent. True when some pixel is not opaque.
bool PrepareForBlending(std::vector<uint32_t>& pixels, bool hasAlpha, bool keyed, uint32_t keyRgb);

// Premultiplied sourceWidth x sourceHeight pixels, top row first, scaled to width x height: each
// axis enlarged by linear interpolation between pixel centres or reduced by averaging the area
// every new pixel covers. Empty when either size is not positive.
std::vector<uint32_t> ResamplePremultiplied(const uint32_t* source, int32_t sourceWidth, int32_t sourceHeight,
                                            int32_t width, int32_t height);

}  // namespace corvela
