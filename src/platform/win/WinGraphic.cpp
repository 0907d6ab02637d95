#include <cstdint>
#include <cstdlib>
#include <new>
#include <optional>

#include "platform/PictureRules.h"
#include "platform/Resample.h"
#include "platform/win/Win32Graphics.h"

namespace corvela::win {

WinGraphic::WinGraphic(Kind kind, UniqueBitmap dib, int width, int height, bool hasAlpha, COLORREF transparentColour)
    : kind_(kind),
      dib_(std::move(dib)),
      width_(width),
      height_(height),
      hasAlpha_(hasAlpha),
      transparentColour_(transparentColour) {}

WinGraphic::WinGraphic(UniqueEnhMetaFile metafile, int width, int height)
    : kind_(Kind::Metafile), metafile_(std::move(metafile)), width_(width), height_(height) {}

void WinGraphic::Draw(HDC dc, const RECT& dest, bool transparent) const {
  // A rectangle wider or higher than 32 bits hold is nothing GDI could draw.
  const int64_t width = int64_t{dest.right} - dest.left, height = int64_t{dest.bottom} - dest.top;
  if (width <= 0 || height <= 0 || width > INT32_MAX || height > INT32_MAX) return;
  const auto dw = static_cast<int>(width), dh = static_cast<int>(height);
  if (metafile_) {
    ::PlayEnhMetaFile(dc, metafile_.get(), &dest);
    return;
  }
  UniqueMemoryDc source(::CreateCompatibleDC(dc));
  if (!source) return;
  SelectScope select(source.get(), dib_.get());
  if (hasAlpha_) {
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::GdiAlphaBlend(dc, dest.left, dest.top, dw, dh, source.get(), 0, 0, width_, height_, blend);
  } else if (transparent && kind_ == Kind::Bitmap) {
    ::GdiTransparentBlt(dc, dest.left, dest.top, dw, dh, source.get(), 0, 0, width_, height_, transparentColour_);
  } else if (dw == width_ && dh == height_) {
    ::BitBlt(dc, dest.left, dest.top, dw, dh, source.get(), 0, 0, SRCCOPY);
  } else {
    // Averaging smooths a reduced picture; an enlarged one keeps its pixels square, as the
    // platform's plain stretch draws it.
    const bool reduced = dw < width_ || dh < height_;
    const int oldMode = ::SetStretchBltMode(dc, reduced ? HALFTONE : COLORONCOLOR);
    POINT oldOrigin;
    ::SetBrushOrgEx(dc, 0, 0, &oldOrigin);
    ::StretchBlt(dc, dest.left, dest.top, dw, dh, source.get(), 0, 0, width_, height_, SRCCOPY);
    ::SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
    ::SetStretchBltMode(dc, oldMode);
  }
}

void WinGraphic::DrawTransparent(HDC dc, int x, int y, COLORREF key) const {
  if (metafile_ || hasAlpha_) {
    const RECT dest{x, y, x + width_, y + height_};
    Draw(dc, dest, true);
    return;
  }
  UniqueMemoryDc source(::CreateCompatibleDC(dc));
  if (!source) return;
  SelectScope select(source.get(), dib_.get());
  ::GdiTransparentBlt(dc, x, y, width_, height_, source.get(), 0, 0, width_, height_, key);
}

void WinGraphic::DrawSmooth(HDC dc, const RECT& dest, bool keyed, COLORREF key) const {
  const int64_t dw = int64_t{dest.right} - dest.left, dh = int64_t{dest.bottom} - dest.top;
  // A rectangle wider or higher than 32 bits hold is nothing GDI could draw.
  if (dw <= 0 || dh <= 0 || dw > INT32_MAX || dh > INT32_MAX) return;
  if (metafile_ || (dw == width_ && dh == height_)) {
    if (keyed && !metafile_ && !hasAlpha_)
      DrawTransparent(dc, dest.left, dest.top, key);
    else
      Draw(dc, dest, false);
    return;
  }
  const bool keying = keyed && !hasAlpha_;
  // What can show of the picture: the DC's clip within dest, in the scaled picture's pixels.
  RECT clip{};
  const int region = ::GetClipBox(dc, &clip);
  if (region == NULLREGION) return;
  if (region == ERROR) clip = dest;
  const Rect visible{FitInt32(int64_t{clip.left} - dest.left), FitInt32(int64_t{clip.top} - dest.top),
                     FitInt32(int64_t{clip.right} - dest.left), FitInt32(int64_t{clip.bottom} - dest.top)};
  const auto w = static_cast<int32_t>(dw), h = static_cast<int32_t>(dh);
  const Rect shown = ClippedTo(visible, w, h);
  if (shown.IsEmpty()) return;
  const bool cached = scaled_ && w == scaledWidth_ && h == scaledHeight_ && keying == scaledKeyed_ &&
                      (!keying || key == scaledKey_) && shown.Left >= scaledPart_.Left &&
                      shown.Top >= scaledPart_.Top && shown.Right <= scaledPart_.Right &&
                      shown.Bottom <= scaledPart_.Bottom;
  if (!cached && !Resample(w, h, visible, keying, key)) {
    DrawStretched(dc, dest, keying, key);
    return;
  }
  UniqueMemoryDc source(::CreateCompatibleDC(dc));
  if (!source) return;
  SelectScope select(source.get(), scaled_.get());
  const int x = dest.left + scaledPart_.Left, y = dest.top + scaledPart_.Top;
  const int pw = scaledPart_.Width(), ph = scaledPart_.Height();
  if (scaledSeeThrough_) {
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::GdiAlphaBlend(dc, x, y, pw, ph, source.get(), 0, 0, pw, ph, blend);
  } else {
    ::BitBlt(dc, x, y, pw, ph, source.get(), 0, 0, SRCCOPY);
  }
}

bool WinGraphic::Resample(int32_t width, int32_t height, const Rect& visible, bool keying, COLORREF key) const {
  scaled_.reset();
  const std::optional<Rect> part = PartToScale(width_, width, height, visible);
  DIBSECTION section{};
  if (!part || !::GetObjectW(dib_.get(), sizeof section, &section) || !section.dsBm.bmBits) return false;
  ::GdiFlush();
  void* out = nullptr;
  UniqueBitmap made = CreateTopDownDib(part->Width(), part->Height(), &out);
  if (!made) return false;
  // COLORREF is 0x00BBGGRR, the pixels 0x00RRGGBB.
  const uint32_t keyRgb = (GetRValue(key) << 16) | (GetGValue(key) << 8) | GetBValue(key);
  const SourcePixels source{
      static_cast<const uint32_t*>(section.dsBm.bmBits), width_, height_, hasAlpha_, keying, keyRgb};
  ResampleResult result;
  try {
    result = ResamplePart(source, width, height, *part, static_cast<uint32_t*>(out));
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (!result.Done) return false;
  scaled_ = std::move(made);
  scaledWidth_ = width;
  scaledHeight_ = height;
  scaledPart_ = *part;
  scaledKeyed_ = keying;
  scaledKey_ = key;
  scaledSeeThrough_ = result.SeeThrough;
  return true;
}

void WinGraphic::DrawStretched(HDC dc, const RECT& dest, bool keying, COLORREF key) const {
  if (!keying) {
    Draw(dc, dest, false);
    return;
  }
  UniqueMemoryDc source(::CreateCompatibleDC(dc));
  if (!source) return;
  SelectScope select(source.get(), dib_.get());
  ::GdiTransparentBlt(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, source.get(), 0, 0,
                      width_, height_, key);
}

std::unique_ptr<WinGraphic> GraphicFromBitmap(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || !::GetObjectW(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight == 0) return nullptr;
  const int w = info.bmWidth, h = std::abs(info.bmHeight);
  void* bits = nullptr;
  UniqueBitmap dib = CreateTopDownDib(w, h, &bits);
  UniqueMemoryDc from(::CreateCompatibleDC(nullptr)), to(::CreateCompatibleDC(nullptr));
  if (!dib || !from || !to) return nullptr;
  {
    SelectScope selectFrom(from.get(), bitmap), selectTo(to.get(), dib.get());
    if (!::BitBlt(to.get(), 0, 0, w, h, from.get(), 0, 0, SRCCOPY)) return nullptr;
  }
  ::GdiFlush();
  auto* pixels = static_cast<uint32_t*>(bits);
  SettleAlpha(pixels, static_cast<size_t>(w) * h);
  const COLORREF key = BitmapTransparentColour(pixels, w, h, info.bmBitsPixel == 1);
  return std::make_unique<WinGraphic>(WinGraphic::Kind::Bitmap, std::move(dib), w, h, false, key);
}

}  // namespace corvela::win
