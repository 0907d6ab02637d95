#include "player/win/ObjectPainter.h"

#include "platform/win/PaintMessage.h"
#include "platform/win/ResourceIds.h"
#include "platform/win/WideText.h"
#include "player/DpiLayout.h"
#include "player/HighContrast.h"
#include "player/ObjectLayout.h"
#include "player/win/PanelPaint.h"

namespace corvela::win {

namespace {

// Hot tracking swaps a handful of fonts; far more means stale ones are piling up.
constexpr size_t kMaxCachedFonts = 64;

// Moved by dx, dy; an object's bounds may lie anywhere a file puts them, so in 64 bits.
RECT ToRect(const Rect& r, int dx, int dy) {
  return {FitInt32(int64_t{r.Left} + dx), FitInt32(int64_t{r.Top} + dy), FitInt32(int64_t{r.Right} + dx),
          FitInt32(int64_t{r.Bottom} + dy)};
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
  // ExtTextOut with an opaque rectangle fills without creating a brush.
  const COLORREF old = ::SetBkColor(dc, colour);
  ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  ::SetBkColor(dc, old);
}

UINT AlignmentFlags(uint8_t alignment) {
  switch (static_cast<TextAlignment>(alignment)) {
    case TextAlignment::RightJustify:
      return DT_RIGHT;
    case TextAlignment::Center:
      return DT_CENTER;
    case TextAlignment::LeftJustify:
      break;
  }
  return DT_LEFT;
}

}  // namespace

std::unique_ptr<WinGraphic> LoadFallbackGlyph() {
  UniqueBitmap bitmap(static_cast<HBITMAP>(::LoadImageW(
      ::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_FALLBACK_GLYPH), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  return GraphicFromBitmap(bitmap.get());
}

ObjectPainter::ObjectPainter() : fallback_(LoadFallbackGlyph()) {}

void ObjectPainter::PaintObjects(HDC dc, const AppState& state, const ButtonStates& states, const DpiScale& scale) {
  fonts_.Trim(kMaxCachedFonts);
  // Fonts follow the resolution the menu is drawn at, not the DC's: the designer stays at 96.
  pixelsPerInch_ = scale.Dpi();
  GdiTextMeasurer measurer(dc, fonts_, pixelsPerInch_);
  const MenuProject& project = state.Project;
  // A player under a high-contrast theme draws text in the theme's colours; the designer shows
  // the menu as designed.
  SystemColours* colours = state.Env.Colours;
  const bool themed = !state.DesignerMode && colours && colours->HighContrast();
  for (size_t i = 0; i < project.Objects.size(); ++i) {
    const MenuObject& obj = *project.Objects[i];
    // Objects outside the DC's clip cost nothing: the design surface re-makes only what a drag changed.
    const RECT bounds = ToRECT(ScaledBounds(obj.Base(), scale));
    if (!::RectVisible(dc, &bounds)) continue;
    if (const LabelControl* label = obj.AsLabel(); label && obj.Kind == ObjectKind::Label) {
      const LabelControl scaled = ScaledControl(*label, scale);
      PaintLabel(dc, themed ? ThemedLabel(scaled, obj, project, colours) : scaled, measurer);
    } else if (const ButtonControl* button = obj.AsButton(); button && obj.Kind == ObjectKind::Button) {
      const ButtonControl scaled = ScaledControl(*button, scale);
      PaintButton(dc, themed ? ThemedButton(scaled, obj) : scaled, obj.Shown, LookOf(states, project, static_cast<int>(i)),
                  measurer, scale);
    } else if (const ImageControl* image = obj.AsImage(); image && obj.Kind == ObjectKind::Image) {
      PaintImage(dc, ScaledControl(*image, scale), obj.Shown, scale);
    }
  }
}

void ObjectPainter::PaintText(HDC dc, const std::string& text, const FontRecord& font, RECT rect, UINT flags) {
  if (text.empty()) return;
  SelectScope select(dc, fonts_.Get(font, pixelsPerInch_));
  const int oldMode = ::SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = ::SetTextColor(dc, GdiColour(font.Color));
  // The wide call hands the text to Windows' own layout: shaping, bidirectional order and fonts
  // that hold the characters the chosen face lacks.
  const std::wstring wide = Wide(text);
  ::DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rect, flags);
  ::SetTextColor(dc, oldColour);
  ::SetBkMode(dc, oldMode);
}

void ObjectPainter::PaintLabel(HDC dc, const LabelControl& label, TextMeasurer& measurer) {
  DcStateScope saved(dc);
  const RECT bounds{label.Left, label.Top, label.Left + label.Width, label.Top + label.Height};
  ::IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
  const LabelLayout layout = LayoutLabel(label, measurer);
  if (layout.Fill) FillSolid(dc, bounds, GdiColour(label.Color));
  // The text rectangle may have moved past the label: the label's own edges cut it, not DrawText.
  PaintText(dc, label.Caption, label.Font, ToRect(layout.Text, label.Left, label.Top),
            TextFlags(label.WordWrap, label.Caption) | AlignmentFlags(label.Alignment) | DT_NOCLIP);
}

void ObjectPainter::PaintButton(HDC dc, const ButtonControl& button, const Graphic* shown, ButtonLook look,
                                TextMeasurer& measurer, const DpiScale& scale) {
  DcStateScope saved(dc);
  RECT bounds{button.Left, button.Top, button.Left + button.Width, button.Top + button.Height};
  ::IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
  const Graphic* glyph = shown ? shown : fallback_.get();
  const int gw = glyph ? scale.Length(glyph->Width()) : 0, gh = glyph ? scale.Length(glyph->Height()) : 0;
  const ButtonPlacement p =
      LayoutButton(button, look == ButtonLook::Down, look != ButtonLook::Up, gw, gh, measurer, scale);
  switch (p.Frame) {
    case ButtonFrame::None:
      break;
    case ButtonFrame::Fill:
      // A button's Color is not stored, so it keeps the control's default, the button face.
      FillSolid(dc, bounds, GdiColour(kClBtnFace));
      break;
    case ButtonFrame::RaisedEdge:
    case ButtonFrame::SunkenEdge: {
      const UINT edge = p.Frame == ButtonFrame::RaisedEdge ? BDR_RAISEDINNER : BDR_SUNKENOUTER;
      const UINT flags = BF_RECT | (p.FillEdge ? BF_MIDDLE : 0);
      // The platform draws its edges one pixel wide at any resolution.
      if (scale.IsDesign())
        ::DrawEdge(dc, &bounds, edge, flags);
      else
        DrawWideFrame(dc, bounds, kFlatEdgeWidth, p.FrameWidth, p.FillEdge,
                      [&](HDC at, RECT& r) { ::DrawEdge(at, &r, edge, flags); });
      break;
    }
    case ButtonFrame::Push:
    case ButtonFrame::PushPressed: {
      const UINT state = DFCS_BUTTONPUSH | (p.Frame == ButtonFrame::PushPressed ? DFCS_PUSHED : 0);
      if (scale.IsDesign())
        ::DrawFrameControl(dc, &bounds, DFC_BUTTON, state);
      else
        DrawWideFrame(dc, bounds, kPushFrameWidth, p.FrameWidth, true,
                      [&](HDC at, RECT& r) { ::DrawFrameControl(at, &r, DFC_BUTTON, state); });
      break;
    }
  }
  if (const auto* g = dynamic_cast<const WinGraphic*>(glyph)) {
    const RECT at = ToRect(p.Glyph, button.Left, button.Top);
    // An opaque button shows the glyph's transparent pixels in the button face.
    if (!button.Transparent) FillSolid(dc, at, ::GetSysColor(COLOR_BTNFACE));
    if (scale.IsDesign())
      g->DrawTransparent(dc, at.left, at.top, g->TransparentColour());
    else
      g->DrawSmooth(dc, at, true, g->TransparentColour());
  }
  PaintText(dc, button.Caption, button.Font, ToRect(p.Caption, button.Left, button.Top),
            TextFlags(false, button.Caption) | DT_CENTER | DT_NOCLIP);
}

void ObjectPainter::PaintImage(HDC dc, const ImageControl& image, const Graphic* shown, const DpiScale& scale) {
  const auto* picture = dynamic_cast<const WinGraphic*>(shown);
  if (!picture) return;
  DcStateScope saved(dc);
  ::IntersectClipRect(dc, image.Left, image.Top, image.Left + image.Width, image.Top + image.Height);
  // Stretch and Center work on the picture's size in device pixels, inside the scaled bounds.
  const Rect dest = ImageDestination(image, scale.Length(picture->Width()), scale.Length(picture->Height()));
  if (scale.IsDesign())
    picture->Draw(dc, ToRect(dest, image.Left, image.Top), image.Transparent);
  else
    picture->DrawSmooth(dc, ToRect(dest, image.Left, image.Top),
                        image.Transparent && picture->Source() == WinGraphic::Kind::Bitmap, picture->TransparentColour());
}

}  // namespace corvela::win
