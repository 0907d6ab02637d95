#include "project/win/Win32Text.h"

#include <algorithm>
#include <iterator>

#include "platform/CodePoints.h"
#include "platform/DpiScale.h"
#include "platform/win/WideText.h"

namespace corvela::win {

LOGFONTW MakeLogFont(const FontRecord& font, int pixelsPerInch) {
  LOGFONTW lf{};
  lf.lfHeight = FontPixelHeight(font.Size, pixelsPerInch);
  lf.lfWeight = (font.Style & fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (font.Style & fsItalic) ? TRUE : FALSE;
  lf.lfUnderline = (font.Style & fsUnderline) ? TRUE : FALSE;
  lf.lfStrikeOut = (font.Style & fsStrikeOut) ? TRUE : FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  const std::wstring name = Wide(font.Name);
  size_t n = std::min(name.size(), std::size(lf.lfFaceName) - 1);
  // A name cut short never ends in half a surrogate pair.
  if (n > 0 && n < name.size() && IS_HIGH_SURROGATE(name[n - 1])) --n;
  std::copy_n(name.data(), n, lf.lfFaceName);
  return lf;
}

UINT TextFlags(bool wordWrap, const std::string& text) {
  return DT_EXPANDTABS | (wordWrap ? DT_WORDBREAK : DT_SINGLELINE) | (ReadsRightToLeft(text) ? DT_RTLREADING : 0);
}

HFONT FontCache::Get(const FontRecord& font, int pixelsPerInch) {
  Key key{font.Name, font.Size, font.Style, pixelsPerInch};
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it->second.get();
  const LOGFONTW lf = MakeLogFont(font, pixelsPerInch);
  UniqueFont created(::CreateFontIndirectW(&lf));
  HFONT h = created.get();
  if (h) fonts_.emplace(std::move(key), std::move(created));
  return h;
}

void FontCache::Trim(size_t maxFonts) {
  if (fonts_.size() > maxFonts) fonts_.clear();
}

GdiTextMeasurer::GdiTextMeasurer(HDC dc, FontCache& fonts)
    : dc_(dc), fonts_(fonts), pixelsPerInch_(::GetDeviceCaps(dc, LOGPIXELSY)) {}

GdiTextMeasurer::GdiTextMeasurer(HDC dc, FontCache& fonts, int pixelsPerInch)
    : dc_(dc), fonts_(fonts), pixelsPerInch_(pixelsPerInch) {}

TextExtent GdiTextMeasurer::Measure(const std::string& text, const FontRecord& font, int32_t maxWidth, bool wordWrap) {
  SelectScope select(dc_, fonts_.Get(font, pixelsPerInch_));
  RECT r{0, 0, maxWidth, 0};
  const std::wstring wide = Wide(text);
  ::DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &r, DT_CALCRECT | TextFlags(wordWrap, text));
  return {r.right - r.left, r.bottom - r.top};
}

Win32TextMeasurer::Win32TextMeasurer() : dc_(::CreateCompatibleDC(nullptr)) {}

TextExtent Win32TextMeasurer::Measure(const std::string& text, const FontRecord& font, int32_t maxWidth,
                                      bool wordWrap) {
  if (!dc_) return {};
  GdiTextMeasurer measurer(dc_.get(), fonts_, kDesignDpi);
  return measurer.Measure(text, font, maxWidth, wordWrap);
}

}  // namespace corvela::win
