#pragma once
// TGradientForm, the hidden renderer of the menu window's background gradient, and the GDI
// surfaces the portable fill routine draws on.

#include <windows.h>

#include <cstdint>

#include "platform/win/Handles.h"
#include "platform/win/Window.h"
#include "player/Gradient.h"
#include "project/AppState.h"

namespace corvela::win {

// The fill routine's surface on a DC: PatBlt with a solid brush, clipped to width × height. The
// brush is kept while consecutive fills share its colour. The DC's own brush is put back at the end.
class DcFillSurface final : public FillSurface {
 public:
  DcFillSurface(HDC dc, int32_t width, int32_t height) : dc_(dc), width_(width), height_(height) {}
  ~DcFillSurface() override;
  DcFillSurface(const DcFillSurface&) = delete;
  DcFillSurface& operator=(const DcFillSurface&) = delete;
  int32_t Width() const override { return width_; }
  int32_t Height() const override { return height_; }
  void FillSolid(const PixelRect& r, Colour rgb) override;
  // How many solid brushes were made: one per change of colour.
  int BrushesMade() const { return brushesMade_; }

 private:
  HDC dc_;
  int32_t width_, height_;
  UniqueBrush brush_;
  COLORREF brushColour_ = 0;
  HGDIOBJ displaced_ = nullptr;
  int brushesMade_ = 0;
};

// A 32-bit top-down DIB section selected into a memory DC of its own, so that its colours are
// exact whatever the screen's depth. Each pixel reads 0x00RRGGBB.
class DibSurface {
 public:
  DibSurface() = default;
  ~DibSurface();
  DibSurface(const DibSurface&) = delete;
  DibSurface& operator=(const DibSurface&) = delete;
  // Makes the surface width × height (at least 1 × 1); the pixels are undefined afterwards.
  // Keeps the bitmap when the size is unchanged. False when GDI cannot make it.
  bool Resize(int32_t width, int32_t height);
  HDC Dc() const { return dc_.get(); }
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  const uint32_t* Pixels() const { return pixels_; }
  uint32_t* Pixels() { return pixels_; }

 private:
  void Release();
  UniqueMemoryDc dc_;
  UniqueBitmap bitmap_;
  HGDIOBJ displaced_ = nullptr;
  uint32_t* pixels_ = nullptr;
  int32_t width_ = 0, height_ = 0;
};

// The fill routine's surface straight on a DibSurface's pixels. The radial style needs about one
// rectangle per row and band (some 240,000 on a full-HD panel), too many for a GDI call each.
// While it lives the pixels hold RGB (0x00BBGGRR), so the fill may write rows directly; the
// destructor swaps them back to the DIB's 0x00RRGGBB in one pass.
class DibFillSurface final : public FillSurface {
 public:
  explicit DibFillSurface(DibSurface& dib);
  ~DibFillSurface() override;
  DibFillSurface(const DibFillSurface&) = delete;
  DibFillSurface& operator=(const DibFillSurface&) = delete;
  int32_t Width() const override { return dib_.Width(); }
  int32_t Height() const override { return dib_.Height(); }
  void FillSolid(const PixelRect& r, Colour rgb) override;
  Colour* RowPixels(int32_t y) override;

 private:
  DibSurface& dib_;
};

// PaintBackground's picture for an inner panel of panelWidth × panelHeight, drawn on the renderer:
// the renderer becomes (W + 2) × (H + 2), is filled whole, and its top-left W × H part is copied
// into a new bitmap. Null when no picture is shown, and for an empty panel.
UniqueBitmap RenderBackground(DibSurface& renderer, const MenuProject& project, SystemColours* colours,
                              int32_t panelWidth, int32_t panelHeight);

// The same on a renderer made for this one call, for a menu window without a TGradientForm.
UniqueBitmap RenderBackground(const AppState& state, int32_t panelWidth, int32_t panelHeight);

// Draws Image1's picture on the inner panel's DC, stretched to width × height as Image1 shows it
// (1:1 while the picture is rebuilt at every size change).
void DrawBackground(HDC dc, HBITMAP picture, int32_t width, int32_t height);

// TGradientForm: a hidden borderless window, never shown, whose surface is the renderer. It keeps
// the renderer's size, and paints the renderer's last picture if it is ever asked to. Without
// Create it is the renderer alone, an off-screen surface of the same size.
class GradientForm : public Window {
 public:
  // panelWidth × panelHeight: the menu window's inner panel at this moment.
  bool Create(int32_t panelWidth = 0, int32_t panelHeight = 0);
  UniqueBitmap RenderBackground(const AppState& state, int32_t panelWidth, int32_t panelHeight);
  const DibSurface& Renderer() const { return renderer_; }

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void SetRendererSize(int32_t panelWidth, int32_t panelHeight);
  void PaintContent(HDC dc);
  DibSurface renderer_;
};

}  // namespace corvela::win
