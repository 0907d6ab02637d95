#pragma once
// Pictures, clips and sounds of every format the player reads, written byte by byte (EMF and JPEG
// through the system's own encoders), so that tests need no files from elsewhere.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace corvela::testing {

using PixelFn = std::function<COLORREF(int x, int y)>;

// value as `bytes` little-endian bytes.
std::string Le(uint32_t value, int bytes);
// pixel(x, y) counts y from the top.
std::string Bmp24(int w, int h, const PixelFn& pixel);
// 32 bits per pixel, BI_RGB, the fourth byte as argb(x, y) gives it (0xAARRGGBB, not premultiplied).
std::string Bmp32(int w, int h, const std::function<uint32_t(int, int)>& argb);
// 1 bit per pixel, palette black and white; white(x, y) sets a pixel.
std::string Bmp1(int w, int h, const std::function<bool(int, int)>& white);
// One 32-bit image with alpha; argb(x, y) gives 0xAARRGGBB.
std::string Ico32(int w, int h, const std::function<uint32_t(int, int)>& argb);
// A 4-colour GIF; transparentIndex < 0 for none.
std::string Gif(int w, int h, const COLORREF (&palette)[4], const std::function<int(int, int)>& index,
                int transparentIndex = -1);
// A placeable metafile of one inch by half an inch that fills its whole extent with colour.
std::string PlaceableWmf(COLORREF colour);
// An enhanced metafile of one inch by half an inch filled with colour.
bool WriteEmf(const std::string& path, COLORREF colour);
bool WriteJpeg(const std::string& path, int w, int h, const PixelFn& pixel);
// A PNG with alpha through the system's encoder; argb(x, y) gives 0xAARRGGBB, not premultiplied.
bool WritePng(const std::string& path, int w, int h, const std::function<uint32_t(int, int)>& argb);
// An uncompressed 24-bit clip whose frames are each one solid colour.
std::string SolidAvi(int w, int h, const std::vector<COLORREF>& frames, uint32_t fps);
// 0.1 s of an 8 kHz, 8-bit mono square wave.
std::string TinyWav();

}  // namespace corvela::testing
