#pragma once
// Fonts and text measuring with GDI, from the model's FontRecord.

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "platform/Platform.h"
#include "platform/win/Handles.h"
#include "platform/win/Win32Colours.h"
#include "project/Model.h"

namespace corvela::win {

// Size in points at the given pixels per inch; a negative size is a cell height in points, as
// the font dialog stores it.
LOGFONTW MakeLogFont(const FontRecord& font, int pixelsPerInch);

// The flags a label's or button's text is measured and drawn with (alignment added by the caller):
// text whose first strong character runs right to left is laid out in right-to-left reading order.
UINT TextFlags(bool wordWrap, const std::string& text);

// One HFONT per distinct face, size, style and resolution; the colour is not part of a GDI font.
class FontCache {
 public:
  HFONT Get(const FontRecord& font, int pixelsPerInch);
  // Frees everything when more than maxFonts are held; call only while none is selected.
  void Trim(size_t maxFonts);
  size_t Count() const { return fonts_.size(); }

 private:
  using Key = std::tuple<std::string, int32_t, uint8_t, int>;
  std::map<Key, UniqueFont> fonts_;
};

// Measures with the fonts of a cache in a given DC, as DrawText would lay the text out there.
class GdiTextMeasurer : public TextMeasurer {
 public:
  GdiTextMeasurer(HDC dc, FontCache& fonts);
  // With the fonts made for pixelsPerInch rather than the DC's own resolution.
  GdiTextMeasurer(HDC dc, FontCache& fonts, int pixelsPerInch);
  TextExtent Measure(const std::string& text, const FontRecord& font, int32_t maxWidth, bool wordWrap) override;

 private:
  HDC dc_;
  FontCache& fonts_;
  int pixelsPerInch_;
};

// The application's measurer for sizing labels: a screen-compatible memory DC of its own, at the
// design resolution whatever the screen's, since sizes are stored in design pixels.
class Win32TextMeasurer : public TextMeasurer {
 public:
  Win32TextMeasurer();
  TextExtent Measure(const std::string& text, const FontRecord& font, int32_t maxWidth, bool wordWrap) override;

 private:
  UniqueMemoryDc dc_;
  FontCache fonts_;
};

}  // namespace corvela::win
