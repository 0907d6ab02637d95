#pragma once
// Decoded pictures and glyphs: the Windows Imaging Component reads BMP, ICO, JPEG, GIF and PNG into
// 32-bit premultiplied DIB sections, GDI reads EMF and WMF.

#include <wincodec.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Geometry.h"
#include "platform/Graphic.h"
#include "platform/Platform.h"
#include "platform/win/Handles.h"

namespace corvela::win {

class WinGraphic : public Graphic {
 public:
  // Where the pixels came from decides how Transparent applies to them.
  enum class Kind { Bitmap, Icon, Jpeg, Gif, Png, Metafile };

  // dib: a 32-bit top-down DIB section of width x height premultiplied BGRA pixels.
  WinGraphic(Kind kind, UniqueBitmap dib, int width, int height, bool hasAlpha, COLORREF transparentColour);
  WinGraphic(UniqueEnhMetaFile metafile, int width, int height);

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  Kind Source() const { return kind_; }
  bool HasAlpha() const { return hasAlpha_; }
  // The bottom-left pixel's colour (white for a monochrome bitmap): left out when drawn transparently.
  COLORREF TransparentColour() const { return transparentColour_; }
  HBITMAP Dib() const { return dib_.get(); }
  HENHMETAFILE Metafile() const { return metafile_.get(); }

  // Scaled into dest. With transparent, a bitmap leaves out its transparent colour; icons, GIFs
  // and pictures with an alpha channel (PNGs, 32-bit bitmaps) always blend over what lies beneath,
  // metafiles play their own drawing, and JPEGs and opaque PNGs are opaque.
  void Draw(HDC dc, const RECT& dest, bool transparent = false) const;
  // At natural size, leaving out the pixels of colour key (glyphs); a picture with alpha blends.
  void DrawTransparent(HDC dc, int x, int y, COLORREF key) const;
  // Scaled smoothly into dest, for a screen of another resolution: resampled (and kept for the next
  // paint at that size) and blended. With keyed, a picture without alpha leaves out the pixels of
  // colour key. Metafiles play at the size; at natural size this draws as Draw or DrawTransparent.
  // A picture too large to resample whole is resampled where the DC's clip lets it show, and one
  // too large even there is stretched plainly.
  void DrawSmooth(HDC dc, const RECT& dest, bool keyed, COLORREF key) const;

 private:
  Kind kind_;
  UniqueBitmap dib_;
  UniqueEnhMetaFile metafile_;
  int width_;
  int height_;
  bool hasAlpha_ = false;
  COLORREF transparentColour_ = 0;
  // Resamples the part of the picture at width x height that DrawSmooth keeps; false when it
  // cannot within the memory one scaling may take.
  bool Resample(int32_t width, int32_t height, const Rect& visible, bool keying, COLORREF key) const;
  // Stretched as GDI does it, leaving out the colour key when keying.
  void DrawStretched(HDC dc, const RECT& dest, bool keying, COLORREF key) const;

  // The last smooth scaling, premultiplied: part of the picture at scaledWidth_ x scaledHeight_.
  mutable UniqueBitmap scaled_;
  mutable int scaledWidth_ = 0, scaledHeight_ = 0;
  mutable Rect scaledPart_;
  mutable bool scaledKeyed_ = false, scaledSeeThrough_ = false;
  mutable COLORREF scaledKey_ = 0;
};

// The imaging component's factory, from its own entry points where it has them; null without one.
ComPtr<IWICImagingFactory> MakeImagingFactory();
// A glyph (a Windows bitmap whatever its name, unless the name says PNG) and a picture of any kind
// the name says, decoded with the factory; null when the file cannot be decoded.
std::unique_ptr<WinGraphic> DecodeBitmapWith(IWICImagingFactory* factory, const std::string& path);
std::unique_ptr<WinGraphic> DecodePictureWith(IWICImagingFactory* factory, const std::string& path);

// A 32-bit copy of any bitmap (resources, design-time captures); null when it cannot be copied.
std::unique_ptr<WinGraphic> GraphicFromBitmap(HBITMAP bitmap);

class Win32GraphicLoader : public GraphicLoader {
 public:
  Win32GraphicLoader();
  ~Win32GraphicLoader() override;
  Win32GraphicLoader(const Win32GraphicLoader&) = delete;
  Win32GraphicLoader& operator=(const Win32GraphicLoader&) = delete;

  std::unique_ptr<Graphic> LoadGlyphBitmap(const std::string& path) override;
  std::unique_ptr<Graphic> LoadPicture(const std::string& path) override;

  // The same, typed, for the Win32 layer.
  std::unique_ptr<WinGraphic> DecodeBitmap(const std::string& path);
  std::unique_ptr<WinGraphic> DecodePicture(const std::string& path);

  // Starts decoding these on a second thread; the loads that ask for them later take the results,
  // waiting for each if need be. Anything not asked for is dropped with the loader.
  void Prefetch(std::vector<PictureRequest> requests);
  // Runs job on that thread once its pictures are decoded, while this one goes on; false when there
  // is no such thread, or it has a job already. WaitForJob returns once the job has run.
  bool RunAfterPrefetch(std::function<void()> job);
  void WaitForJob();
  // The second thread ends, after its job if it has one.
  void EndPrefetch();

 private:
  class Batch;
  // The prefetched picture for this request; null when none was asked for or it failed there.
  std::unique_ptr<WinGraphic> TakePrefetched(const std::string& path, bool glyph);
  IWICImagingFactory* Factory();
  ComPtr<IWICImagingFactory> factory_;
  std::unique_ptr<Batch> batch_;
};

}  // namespace corvela::win
