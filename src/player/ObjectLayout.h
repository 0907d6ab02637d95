#pragma once
// Where labels, buttons and images put their pixels. Pure arithmetic over the control records, so
// that the Win32 painter only draws what these functions computed and the rules are checked
// natively. All rectangles are relative to the control's own top-left corner.

#include <cstdint>
#include <string>

#include "platform/DpiScale.h"
#include "platform/Geometry.h"
#include "platform/Platform.h"
#include "project/AutoSize.h"
#include "project/Model.h"

namespace corvela {

// "&" marks the next character as the accelerator: the mark is not drawn and that character is
// underlined; "&&" draws one "&". A lone "&" at the very end is drawn as it is.
struct AcceleratedText {
  std::string Text;    // what appears on screen
  int Underline = -1;  // index in Text of the underlined character, or -1
};
AcceleratedText ParseAccelerators(const std::string& caption);

// ---------------------------------------------------------------- labels

struct LabelLayout {
  bool Fill = false;  // fill 0, 0, W, H with Color first
  Rect Text;          // the rectangle the caption is drawn in; may reach past the label and is cut
};
LabelLayout LayoutLabel(const LabelControl& label, TextMeasurer& measurer);

// ---------------------------------------------------------------- buttons

// The platform's push-button frame and a flat button's edge are this wide on every side, in design
// pixels.
inline constexpr int32_t kPushFrameWidth = 2;
inline constexpr int32_t kFlatEdgeWidth = 1;

enum class ButtonFrame {
  None,        // flat, transparent, mouse elsewhere: nothing behind glyph and caption
  Fill,        // flat, opaque, mouse elsewhere: the whole rectangle in Color
  RaisedEdge,  // flat with the mouse inside
  SunkenEdge,  // flat and down
  Push,        // the push-button frame
  PushPressed  // the push-button frame, pressed
};

struct ButtonPlacement {
  ButtonFrame Frame = ButtonFrame::Push;
  bool FillEdge = false;  // the edge's interior is filled with the button face (not with Color)
  int32_t FrameWidth = 0; // of the edge or the push-button frame on every side, in device pixels
  Rect Interior;          // R after the frame
  Rect Glyph;             // where the glyph goes (its own size)
  Rect Caption;           // where the caption goes (its measured size); empty without caption
};

// Positions along both axes of glyph and caption inside a client area of size clientW x clientH,
// relative to its top-left corner and without the pressed offset. margin and spacing are the
// stored values, -1 meaning "computed".
struct GlyphPlacement {
  Point Glyph;
  Point Caption;
};
GlyphPlacement PlaceGlyphAndCaption(uint8_t layout, int32_t clientW, int32_t clientH, int32_t glyphW, int32_t glyphH,
                                    int32_t textW, int32_t textH, int32_t margin, int32_t spacing);

// down: the left button is held after a press on the button; mouseInside: the mouse is over it.
// The button comes in device pixels; scale sets the frame's width and the pressed offset, which
// are one design pixel per ring and one design pixel.
ButtonPlacement LayoutButton(const ButtonControl& button, bool down, bool mouseInside, int32_t glyphW, int32_t glyphH,
                             TextMeasurer& measurer, const DpiScale& scale = DpiScale());

// ---------------------------------------------------------------- images

// Where a picture of pictureW x pictureH is drawn, scaled into the rectangle; whatever lies outside
// the control is cut.
Rect ImageDestination(const ImageControl& image, int32_t pictureW, int32_t pictureH);

}  // namespace corvela
