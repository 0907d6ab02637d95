#include "designer/SizeToFit.h"

#include <algorithm>

#include "designer/Selection.h"
#include "designer/Surface.h"
#include "player/ObjectLayout.h"
#include "project/AutoSize.h"

namespace corvela {

namespace {

// Wide enough that no caption wraps: the fitted size is one line per line of the caption.
constexpr int32_t kUnbounded = 1 << 20;

// The larger extent of the caption in the normal and the hot-track font: the object shows both.
TextExtent CaptionExtent(const std::string& text, const MenuObject& obj, const FontRecord& font,
                         TextMeasurer& measurer) {
  TextExtent e = measurer.Measure(text, font, kUnbounded, false);
  if (obj.HotTrackFont != font) {
    const TextExtent hot = measurer.Measure(text, obj.HotTrackFont, kUnbounded, false);
    e.Width = std::max(e.Width, hot.Width);
    e.Height = std::max(e.Height, hot.Height);
  }
  return e;
}

Size FittedButton(const ButtonControl& button, const MenuObject& obj, TextMeasurer& measurer, Size glyph) {
  const TextExtent text =
      button.Caption.empty() ? TextExtent{} : CaptionExtent(button.Caption, obj, button.Font, measurer);
  const bool horizontal = button.Layout == static_cast<uint8_t>(ButtonLayout::GlyphLeft) ||
                          button.Layout == static_cast<uint8_t>(ButtonLayout::GlyphRight) || button.Layout > 3;
  const int32_t g = horizontal ? glyph.Width : glyph.Height;
  const int32_t t = horizontal ? text.Width : text.Height;
  const int32_t margin = button.Margin >= 0 ? button.Margin : kFitPadding;
  const int32_t spacing = g == 0 || t == 0 ? 0 : button.Spacing >= 0 ? button.Spacing : kFitPadding;
  const int32_t along = margin + g + spacing + t + margin;
  const int32_t across =
      std::max(horizontal ? glyph.Height : glyph.Width, horizontal ? text.Height : text.Width) + 2 * kFitPadding;
  const int32_t frame = 2 * (button.Flat ? kFlatEdgeWidth : kPushFrameWidth);
  return horizontal ? Size{along + frame, across + frame} : Size{across + frame, along + frame};
}

}  // namespace

bool CanSizeToFit(const MenuObject& obj) {
  if (const LabelControl* label = obj.AsLabel()) return !label->AutoSize;
  return obj.AsButton() != nullptr;
}

Size FittedSize(const MenuObject& obj, TextMeasurer& measurer, Size glyph) {
  if (const LabelControl* label = obj.AsLabel()) {
    const TextExtent e = CaptionExtent(LabelMeasureText(label->Caption), obj, label->Font, measurer);
    return Size{e.Width, e.Height};
  }
  if (const ButtonControl* button = obj.AsButton()) return FittedButton(*button, obj, measurer, glyph);
  return Size{obj.Base().Width, obj.Base().Height};
}

bool SizeObjectToFit(MenuObject& obj, TextMeasurer& measurer, Size glyph) {
  if (!CanSizeToFit(obj)) return false;
  const Size size = FittedSize(obj, measurer, glyph);
  ControlBase& b = obj.Base();
  if (size.Width == b.Width && size.Height == b.Height) return false;
  if (const LabelControl* label = obj.AsLabel()) {
    if (label->Alignment == static_cast<uint8_t>(TextAlignment::RightJustify)) b.Left += b.Width - size.Width;
    if (label->Alignment == static_cast<uint8_t>(TextAlignment::Center)) b.Left += (b.Width - size.Width) / 2;
  }
  b.Width = size.Width;
  b.Height = size.Height;
  return true;
}

bool DesignSurface::CanSizeSelectionToFit() const {
  for (const auto& obj : state_.Project.Objects)
    if (obj->Selected && CanSizeToFit(*obj)) return true;
  return false;
}

bool DesignSurface::SizeSelectionToFit() {
  if (!state_.Env.Text) return false;
  const std::vector<int> selected = SelectedIndices(state_.Project);
  auto before = SnapshotObjects(state_.Project, selected);
  bool changed = false;
  for (int index : selected) {
    MenuObject& obj = *state_.Project.Objects[static_cast<size_t>(index)];
    changed = SizeObjectToFit(obj, *state_.Env.Text, host_.GlyphSize(obj)) || changed;
  }
  if (!changed) return false;
  state_.Modified = true;
  RefreshSurface();
  Record(EditKind::SizeToFit, std::move(before), selected);
  return true;
}

}  // namespace corvela
