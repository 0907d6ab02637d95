#include "player/win/GradientForm.h"

#include <algorithm>

namespace corvela::win {

DcFillSurface::~DcFillSurface() {
  if (displaced_) ::SelectObject(dc_, displaced_);
}

void DcFillSurface::FillSolid(const PixelRect& r, Colour rgb) {
  const Rect fill = ClippedTo(r, width_, height_);
  if (fill.IsEmpty()) return;
  const COLORREF colour = static_cast<COLORREF>(rgb & 0x00FFFFFF);
  if (!brush_ || colour != brushColour_) {
    UniqueBrush brush(::CreateSolidBrush(colour));
    if (!brush) return;
    HGDIOBJ previous = ::SelectObject(dc_, brush.get());
    if (!displaced_) displaced_ = previous;
    // The old brush is no longer selected, so it can go.
    brush_ = std::move(brush);
    brushColour_ = colour;
    ++brushesMade_;
  }
  ::PatBlt(dc_, fill.Left, fill.Top, fill.Width(), fill.Height(), PATCOPY);
}

DibFillSurface::DibFillSurface(DibSurface& dib) : dib_(dib) {
  // GDI may still hold drawing on the bitmap in its batch.
  ::GdiFlush();
}

DibFillSurface::~DibFillSurface() {
  uint32_t* pixels = dib_.Pixels();
  if (!pixels) return;
  const size_t count = static_cast<size_t>(Width()) * static_cast<size_t>(Height());
  for (size_t i = 0; i < count; ++i) {
    const uint32_t p = pixels[i];
    pixels[i] = ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
  }
}

void DibFillSurface::FillSolid(const PixelRect& r, Colour rgb) {
  const Rect fill = ClippedTo(r, Width(), Height());
  if (fill.IsEmpty() || !dib_.Pixels()) return;
  for (int32_t y = fill.Top; y < fill.Bottom; ++y) std::fill(RowPixels(y) + fill.Left, RowPixels(y) + fill.Right, rgb);
}

Colour* DibFillSurface::RowPixels(int32_t y) {
  if (!dib_.Pixels()) return nullptr;
  return dib_.Pixels() + static_cast<size_t>(y) * static_cast<size_t>(Width());
}

DibSurface::~DibSurface() {
  Release();
}

void DibSurface::Release() {
  if (displaced_) ::SelectObject(dc_.get(), displaced_);
  displaced_ = nullptr;
  bitmap_.reset();
  pixels_ = nullptr;
  width_ = height_ = 0;
}

bool DibSurface::Resize(int32_t width, int32_t height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (bitmap_ && width == width_ && height == height_) return true;
  Release();
  if (!dc_) dc_.reset(::CreateCompatibleDC(nullptr));
  if (!dc_) return false;
  void* bits = nullptr;
  UniqueBitmap bitmap = CreateTopDownDib(width, height, &bits);
  if (!bitmap) return false;
  displaced_ = ::SelectObject(dc_.get(), bitmap.get());
  bitmap_ = std::move(bitmap);
  pixels_ = static_cast<uint32_t*>(bits);
  width_ = width;
  height_ = height;
  return true;
}

UniqueBitmap RenderBackground(DibSurface& renderer, const MenuProject& project, SystemColours* colours,
                              int32_t panelWidth, int32_t panelHeight) {
  const std::optional<BackgroundFill> fill = PlanBackground(project, panelWidth, panelHeight);
  if (!fill || !renderer.Resize(fill->RendererWidth(), fill->RendererHeight())) return {};
  if (fill->Geometry == FillGeometry::Radial) {
    DibFillSurface surface(renderer);
    FillBackground(surface, *fill, colours);
  } else {
    DcFillSurface surface(renderer.Dc(), renderer.Width(), renderer.Height());
    FillBackground(surface, *fill, colours);
  }
  if (fill->Width == 0 || fill->Height == 0) return {};
  UniqueBitmap picture = CreateTopDownDib(fill->Width, fill->Height, nullptr);
  UniqueMemoryDc dc(::CreateCompatibleDC(renderer.Dc()));
  if (!picture || !dc) return {};
  SelectScope select(dc.get(), picture.get());
  ::BitBlt(dc.get(), 0, 0, fill->Width, fill->Height, renderer.Dc(), 0, 0, SRCCOPY);
  return picture;
}

UniqueBitmap RenderBackground(const AppState& state, int32_t panelWidth, int32_t panelHeight) {
  DibSurface renderer;
  return RenderBackground(renderer, state.Project, state.Env.Colours, panelWidth, panelHeight);
}

void DrawBackground(HDC dc, HBITMAP picture, int32_t width, int32_t height) {
  BITMAP info{};
  if (!picture || !::GetObjectW(picture, sizeof info, &info)) return;
  UniqueMemoryDc source(::CreateCompatibleDC(dc));
  SelectScope select(source.get(), picture);
  if (info.bmWidth == width && info.bmHeight == height) {
    ::BitBlt(dc, 0, 0, width, height, source.get(), 0, 0, SRCCOPY);
  } else {
    DcStateScope state(dc);
    ::SetStretchBltMode(dc, COLORONCOLOR);
    ::StretchBlt(dc, 0, 0, width, height, source.get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
  }
}

bool GradientForm::Create(int32_t panelWidth, int32_t panelHeight) {
  WindowClassArgs cls;
  cls.Name = "TGradientForm";
  WindowArgs args;
  args.Style = WS_POPUP;
  args.ExStyle = WS_EX_TOOLWINDOW;
  args.Title = "Gradient";
  args.X = args.Y = 0;
  args.Width = args.Height = 0;
  if (!Window::Create(cls, args)) return false;
  SetRendererSize(panelWidth, panelHeight);
  return true;
}

void GradientForm::SetRendererSize(int32_t panelWidth, int32_t panelHeight) {
  const int32_t width = std::max(panelWidth, 0) + 2, height = std::max(panelHeight, 0) + 2;
  renderer_.Resize(width, height);
  if (hwnd())
    ::SetWindowPos(hwnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

UniqueBitmap GradientForm::RenderBackground(const AppState& state, int32_t panelWidth, int32_t panelHeight) {
  if (!PlanBackground(state.Project, panelWidth, panelHeight)) return {};
  SetRendererSize(panelWidth, panelHeight);
  return win::RenderBackground(renderer_, state.Project, state.Env.Colours, panelWidth, panelHeight);
}

void GradientForm::PaintContent(HDC dc) {
  if (renderer_.Dc()) ::BitBlt(dc, 0, 0, renderer_.Width(), renderer_.Height(), renderer_.Dc(), 0, 0, SRCCOPY);
}

LRESULT GradientForm::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      // The renderer is already an off-screen picture: one blit, no second buffer needed.
      PaintScope ps(hwnd());
      PaintContent(ps.get());
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintContent(reinterpret_cast<HDC>(wp));
      return 0;
  }
  return Default(msg, wp, lp);
}

}  // namespace corvela::win
