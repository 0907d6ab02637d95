#pragma once
// The background gradient of the menu window's inner panel: which picture PaintBackground makes
// and the fill routine that draws it with solid rectangles (on a picture in memory it may write
// the same pixels row by row), so that the player (on a GDI surface) and the tests (on a pixel
// buffer) draw the same pixels.

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/Platform.h"
#include "project/Model.h"

namespace corvela {

// The Windows kernel's MulDiv: a × b in 64 bits divided by c, rounded to the nearest integer with
// halves away from zero; -1 when c is 0 or the result does not fit in 32 bits.
int32_t MulDiv(int32_t a, int32_t b, int32_t c);

// The renderer's Direction values that the program uses. 0 paints like BottomUp and 2 like
// RightToLeft; 7 and above paint nothing.
enum class FillGeometry : uint8_t {
  BottomUp = 1,
  RightToLeft = 3,
  Rings = 4,
  TopLeftCorner = 5,
  BottomLeftCorner = 6,
  Nothing = 7,
  // Not a renderer value (FillGradientRect paints nothing for it): style 7 "Radial", drawn by
  // FillRadialRect.
  Radial = 8,
};

// Columns [Left, Right) of rows [Top, Bottom).
using PixelRect = Rect;

// Anything the gradient can be drawn on: it only ever fills rectangles with one solid colour.
class FillSurface {
 public:
  virtual ~FillSurface() = default;
  virtual int32_t Width() const = 0;
  virtual int32_t Height() const = 0;
  // Fills r with an RGB colour (0x00BBGGRR), clipped to the surface; a rectangle with
  // Right <= Left or Bottom <= Top fills nothing.
  virtual void FillSolid(const PixelRect& r, Colour rgb) = 0;
  // A surface in memory may also hand out row y's Width() pixels in RGB (0x00BBGGRR), so that
  // pictures of many small runs can be written directly; null means rectangles only.
  virtual Colour* RowPixels(int32_t /*y*/) { return nullptr; }
};

// A plain 32-bit picture in memory, row by row from the top; each pixel is 0x00BBGGRR, the same
// layout as the model's colours (a Windows DIB holds 0x00RRGGBB).
class PixelBuffer final : public FillSurface {
 public:
  PixelBuffer() = default;
  PixelBuffer(int32_t width, int32_t height, Colour fill = 0);
  int32_t Width() const override { return width_; }
  int32_t Height() const override { return height_; }
  void FillSolid(const PixelRect& r, Colour rgb) override;
  Colour* RowPixels(int32_t y) override { return pixels_.data() + static_cast<ptrdiff_t>(y) * width_; }
  Colour At(int32_t x, int32_t y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  const std::vector<Colour>& Pixels() const { return pixels_; }
  // The top-left width × height part (both no larger than this buffer's).
  PixelBuffer Cropped(int32_t width, int32_t height) const;

 private:
  int32_t width_ = 0;
  int32_t height_ = 0;
  std::vector<Colour> pixels_;
};

// The colours of the bands between a start and an end colour, both already RGB.
class BandColours {
 public:
  BandColours(Colour startRgb, Colour endRgb);
  // BandColour(k, d): each channel start + MulDiv(k, delta, d), modulo 256. d = 0 (a single band,
  // which the renderer's 2 × 2 minimum never asks for) gives the start colour rather than
  // MulDiv's -1.
  Colour BandColour(int32_t k, int32_t d) const;

 private:
  int32_t r1_, g1_, b1_;
  int32_t dr_, dg_, db_;
};

// The fill routine: paints rect on the surface in the geometry, band 0 in the start colour.
// System colours resolve through colours.
void FillGradientRect(FillSurface& surface, PixelRect rect, FillGeometry geometry, Colour start, Colour end,
                      SystemColours* colours);

// Style 7 "Radial": concentric circles around the rectangle's centre, the start colour at the centre
// and the end colour at the farthest corner. Like the linear geometries it has one band per pixel
// of radius up to 256 bands, all equally thick; the band of a pixel comes from its exact squared
// distance, so the picture is the same on every platform.
void FillRadialRect(FillSurface& surface, PixelRect rect, Colour start, Colour end, SystemColours* colours);

// What PaintBackground draws for a panel of Width × Height: the renderer of
// (Width + 2) × (Height + 2) is filled whole and its top-left Width × Height part is the picture.
struct BackgroundFill {
  FillGeometry Geometry = FillGeometry::Nothing;
  Colour Start = 0;  // as stored: RGB or a system colour
  Colour End = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  int32_t RendererWidth() const { return Width + 2; }
  int32_t RendererHeight() const { return Height + 2; }
};

// PaintBackground's decisions. Nothing when no picture is shown: style 8 "None", a GradientColor
// equal to the outer panel's colour (button face), or a style the program does not know (a damaged
// file). Negative panel sizes count as 0.
std::optional<BackgroundFill> PlanBackground(const MenuProject& project, int32_t panelWidth, int32_t panelHeight);

// Fills the whole renderer surface as the plan says.
void FillBackground(FillSurface& renderer, const BackgroundFill& fill, SystemColours* colours);

// The portable PaintBackground: the panel's picture, or nothing.
std::optional<PixelBuffer> RenderBackgroundPixels(const MenuProject& project, SystemColours* colours,
                                                  int32_t panelWidth, int32_t panelHeight);

}  // namespace corvela
