#pragma once
// Paints the labels, buttons and images of the menu onto the inner panel, in list order, each cut
// at its own rectangle. AVI, HTML, RTF and Movie objects are child windows and are not drawn here.

#include <windows.h>

#include <memory>

#include "platform/DpiScale.h"
#include "platform/win/Win32Graphics.h"
#include "project/win/Win32Text.h"
#include "player/ButtonTracking.h"
#include "project/AppState.h"

namespace corvela::win {

// The built-in 32 x 32 glyph of buttons whose glyph file is empty, missing or unreadable.
std::unique_ptr<WinGraphic> LoadFallbackGlyph();

class ObjectPainter {
 public:
  ObjectPainter();

  // dc is in inner-panel device pixels and already holds the background; scale turns the
  // objects' design pixels into device pixels (the designer paints at the design resolution).
  void PaintObjects(HDC dc, const AppState& state, const ButtonStates& states, const DpiScale& scale = DpiScale());

  const WinGraphic* FallbackGlyph() const { return fallback_.get(); }
  size_t CachedFonts() const { return fonts_.Count(); }

 private:
  void PaintLabel(HDC dc, const LabelControl& label, TextMeasurer& measurer);
  // The controls come with their bounds in device pixels.
  void PaintButton(HDC dc, const ButtonControl& button, const Graphic* shown, ButtonLook look, TextMeasurer& measurer,
                   const DpiScale& scale);
  void PaintImage(HDC dc, const ImageControl& image, const Graphic* shown, const DpiScale& scale);
  void PaintText(HDC dc, const std::string& text, const FontRecord& font, RECT rect, UINT flags);

  FontCache fonts_;
  std::unique_ptr<WinGraphic> fallback_;
  int pixelsPerInch_ = 96;
};

}  // namespace corvela::win
