#include "player/DpiLayout.h"

namespace corvela {

Rect ScaledBounds(const ControlBase& control, const DpiScale& scale) {
  return scale.Bounds(Rect{control.Left, control.Top, control.Left + control.Width, control.Top + control.Height});
}

void ScaleBounds(ControlBase& control, const DpiScale& scale) {
  const Rect r = ScaledBounds(control, scale);
  control.Left = r.Left;
  control.Top = r.Top;
  control.Width = r.Width();
  control.Height = r.Height();
}

ButtonControl ScaledControl(const ButtonControl& button, const DpiScale& scale) {
  ButtonControl scaled = button;
  ScaleBounds(scaled, scale);
  if (scaled.Margin >= 0) scaled.Margin = scale.Length(scaled.Margin);
  if (scaled.Spacing >= 0) scaled.Spacing = scale.Length(scaled.Spacing);
  return scaled;
}

PanelSettings ScaledPanel(const PanelSettings& panel, const DpiScale& scale) {
  PanelSettings scaled = panel;
  scaled.BevelWidth = scale.Length(panel.BevelWidth);
  scaled.BorderWidth = scale.Length(panel.BorderWidth);
  return scaled;
}

Rect ScaledWindow(const FormSettings& form, const DpiScale& scale, int32_t screenWidth, int32_t screenHeight) {
  const int32_t width = scale.Length(form.Width), height = scale.Length(form.Height);
  if (scale.IsDesign()) return {form.Left, form.Top, form.Left + width, form.Top + height};
  int32_t left = scale.Edge(form.Left), top = scale.Edge(form.Top);
  if (form.Position == static_cast<uint8_t>(FormPosition::ScreenCenter)) {
    left = static_cast<int32_t>((int64_t{screenWidth} - width) / 2);
    top = static_cast<int32_t>((int64_t{screenHeight} - height) / 2);
  }
  return {left, top, left + width, top + height};
}

}  // namespace corvela
