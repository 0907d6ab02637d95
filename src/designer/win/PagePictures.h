#pragma once
// The start page's pictures as PNG files: decoded as the player decodes them (the imaging
// component, GDI for metafiles) and encoded by the imaging component's PNG encoder.

#include <windows.h>

#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/win/Handles.h"
#include "platform/win/Win32Graphics.h"

namespace corvela::win {

class PagePictureWriter : public PictureWriter {
 public:
  bool ConvertToPng(const std::string& source, bool glyph, bool keyed, const std::string& target) override;
  bool WritePng(const std::vector<uint32_t>& pixels, int32_t width, int32_t height,
                const std::string& target) override;
  bool WriteFallbackGlyph(const std::string& target) override;
  bool WritePaneView(const PaneWindow& pane, const std::string& target) override;

 private:
  // The graphic's pixels as straight (not premultiplied) BGRA, keyed ones made transparent.
  bool WriteGraphic(const WinGraphic& graphic, bool keyed, const std::string& target);
  bool Encode(const std::vector<uint32_t>& bgra, int32_t width, int32_t height, const std::string& target);
  IWICImagingFactory* Factory();

  ComPtr<IWICImagingFactory> factory_;
};

}  // namespace corvela::win
