#include "player/ObjectLayout.h"

namespace corvela {

namespace {

Rect Shrunk(Rect r, int32_t by) {
  return {r.Left + by, r.Top + by, r.Right - by, r.Bottom - by};
}

Rect At(int32_t x, int32_t y, int32_t w, int32_t h) {
  return {x, y, FitInt32(int64_t{x} + w), FitInt32(int64_t{y} + h)};
}

constexpr uint8_t kLayoutBottom = 2;

}  // namespace

AcceleratedText ParseAccelerators(const std::string& caption) {
  AcceleratedText result;
  result.Text.reserve(caption.size());
  for (size_t i = 0; i < caption.size(); ++i) {
    const char c = caption[i];
    if (c != '&' || i + 1 == caption.size()) {
      result.Text += c;
      continue;
    }
    ++i;
    if (caption[i] != '&' && result.Underline < 0) result.Underline = static_cast<int>(result.Text.size());
    result.Text += caption[i];
  }
  return result;
}

LabelLayout LayoutLabel(const LabelControl& label, TextMeasurer& measurer) {
  LabelLayout layout;
  layout.Fill = !label.Transparent;
  layout.Text = At(0, 0, label.Width, label.Height);
  if (label.Layout == 0) return layout;
  const int32_t th = measurer.Measure(LabelMeasureText(label.Caption), label.Font, label.Width, label.WordWrap).Height;
  // Any stored value other than top and bottom centres, as the control treats it.
  const int32_t dy = label.Layout == kLayoutBottom ? label.Height - th : (label.Height - th) / 2;
  layout.Text.Top += dy;
  layout.Text.Bottom += dy;
  return layout;
}

GlyphPlacement PlaceGlyphAndCaption(uint8_t layout, int32_t clientW, int32_t clientH, int32_t glyphW, int32_t glyphH,
                                    int32_t textW, int32_t textH, int32_t margin, int32_t spacing) {
  const auto kind = layout <= 3 ? static_cast<ButtonLayout>(layout) : ButtonLayout::GlyphLeft;
  const bool horizontal = kind == ButtonLayout::GlyphLeft || kind == ButtonLayout::GlyphRight;
  GlyphPlacement p;
  // Cross axis: each part centred on its own.
  if (horizontal) {
    p.Glyph.Y = (clientH - glyphH + 1) / 2;
    p.Caption.Y = (clientH - textH + 1) / 2;
  } else {
    p.Glyph.X = (clientW - glyphW + 1) / 2;
    p.Caption.X = (clientW - textW + 1) / 2;
  }
  // Main axis.
  const int32_t s = horizontal ? clientW : clientH;
  const int32_t g = horizontal ? glyphW : glyphH;
  const int32_t t = horizontal ? textW : textH;
  // Without a caption or a glyph there is nothing to space apart (the widths decide in both axes).
  if (textW == 0 || glyphW == 0) spacing = 0;
  if (margin == -1 && spacing == -1) {
    margin = (s - (g + t)) / 3;
    spacing = margin;
  } else if (margin == -1) {
    margin = (s - (g + spacing + t) + 1) / 2;
  } else if (spacing == -1) {
    spacing = ((s - (margin + g)) - t) / 2;
  }
  int32_t glyphPos = margin;
  int32_t captionPos = margin + g + spacing;
  if (kind == ButtonLayout::GlyphRight || kind == ButtonLayout::GlyphBottom) {
    glyphPos = s - margin - g;
    captionPos = glyphPos - spacing - t;
  }
  if (horizontal) {
    p.Glyph.X = glyphPos;
    p.Caption.X = captionPos;
  } else {
    p.Glyph.Y = glyphPos;
    p.Caption.Y = captionPos;
  }
  return p;
}

ButtonPlacement LayoutButton(const ButtonControl& button, bool down, bool mouseInside, int32_t glyphW, int32_t glyphH,
                             TextMeasurer& measurer, const DpiScale& scale) {
  ButtonPlacement b;
  Rect r = At(0, 0, button.Width, button.Height);
  if (button.Flat) {
    if (down || mouseInside) {
      b.Frame = down ? ButtonFrame::SunkenEdge : ButtonFrame::RaisedEdge;
      b.FillEdge = !button.Transparent;
    } else {
      b.Frame = button.Transparent ? ButtonFrame::None : ButtonFrame::Fill;
    }
    b.FrameWidth = scale.Length(kFlatEdgeWidth);
  } else {
    b.Frame = down ? ButtonFrame::PushPressed : ButtonFrame::Push;
    b.FrameWidth = scale.Length(kPushFrameWidth);
  }
  r = Shrunk(r, b.FrameWidth);
  b.Interior = r;
  const int32_t offset = down ? scale.Length(1) : 0;
  TextExtent text;
  if (!button.Caption.empty()) text = measurer.Measure(button.Caption, button.Font, r.Width(), false);
  const GlyphPlacement p = PlaceGlyphAndCaption(button.Layout, r.Width(), r.Height(), glyphW, glyphH, text.Width,
                                                text.Height, button.Margin, button.Spacing);
  b.Glyph = At(r.Left + p.Glyph.X + offset, r.Top + p.Glyph.Y + offset, glyphW, glyphH);
  b.Caption = At(r.Left + p.Caption.X + offset, r.Top + p.Caption.Y + offset, text.Width, text.Height);
  return b;
}

Rect ImageDestination(const ImageControl& image, int32_t pictureW, int32_t pictureH) {
  Rect dest = image.Stretch ? At(0, 0, image.Width, image.Height) : At(0, 0, pictureW, pictureH);
  if (image.Center) {
    const auto dx = static_cast<int32_t>((int64_t{image.Width} - dest.Width()) / 2);
    const auto dy = static_cast<int32_t>((int64_t{image.Height} - dest.Height()) / 2);
    dest = At(dx, dy, dest.Width(), dest.Height());
  }
  return dest;
}

}  // namespace corvela
