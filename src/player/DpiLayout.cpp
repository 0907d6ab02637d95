#include "player/DpiLayout.h"

#include <algorithm>

namespace corvela {

Rect ScaledBounds(const ControlBase& control, const DpiScale& scale) {
  return {scale.Edge(control.Left), scale.Edge(control.Top), scale.Edge(int64_t{control.Left} + control.Width),
          scale.Edge(int64_t{control.Top} + control.Height)};
}

void ScaleBounds(ControlBase& control, const DpiScale& scale) {
  const Rect r = ScaledBounds(control, scale);
  control.Left = r.Left;
  control.Top = r.Top;
  // Left + Width never passes the clamped right edge, so painters may add them in 32 bits.
  control.Width = FitInt32(int64_t{r.Right} - r.Left);
  control.Height = FitInt32(int64_t{r.Bottom} - r.Top);
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

int32_t ClipLengthInPane(int32_t clipLength, int32_t paneLength, const DpiScale& scale) {
  // |paneLength - clipLength × dpi / 96| < 1, in integers.
  const int64_t apart = int64_t{paneLength} * kDesignDpi - int64_t{clipLength} * scale.Dpi();
  if (clipLength > 0 && apart > -kDesignDpi && apart < kDesignDpi) return paneLength;
  return scale.Length(clipLength);
}

namespace {

// The highest resolution, from low to high, at which a length of design pixels stays within room
// device pixels; low when none does.
int32_t FittingDpi(int32_t length, int32_t room, int32_t low, int32_t high) {
  if (length <= 0) return high;
  // Lengths round half away from zero: length × dpi / 96 rounds to room or less exactly when
  // 2 × length × dpi < (2 × room + 1) × 96.
  const int64_t dpi = ((2 * int64_t{room} + 1) * (kDesignDpi / 2) - 1) / length;
  return static_cast<int32_t>(std::clamp<int64_t>(dpi, low, high));
}

}  // namespace

MenuPlacement PlaceMenuWindow(const FormSettings& form, int32_t monitorDpi, const Rect& workArea) {
  const DpiScale monitor(monitorDpi);
  if (monitor.IsDesign())
    return {
        monitor,
        {form.Left, form.Top, FitInt32(int64_t{form.Left} + form.Width), FitInt32(int64_t{form.Top} + form.Height)}};
  const int32_t low = std::min(monitor.Dpi(), kDesignDpi), high = monitor.Dpi();
  const int32_t roomW = std::max(workArea.Width(), 0), roomH = std::max(workArea.Height(), 0);
  const DpiScale scale(std::min(FittingDpi(form.Width, roomW, low, high), FittingDpi(form.Height, roomH, low, high)));
  const int32_t width = scale.Length(form.Width), height = scale.Length(form.Height);
  // Centred, or at the work area's top-left corner when wider or higher than it.
  const int64_t left = workArea.Left + std::max<int64_t>((int64_t{roomW} - width) / 2, 0);
  const int64_t top = workArea.Top + std::max<int64_t>((int64_t{roomH} - height) / 2, 0);
  return {scale, {FitInt32(left), FitInt32(top), FitInt32(left + width), FitInt32(top + height)}};
}

}  // namespace corvela
