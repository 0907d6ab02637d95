#include "project/Contrast.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <utility>

#include "platform/SystemColours.h"
#include "project/Gradient.h"

namespace corvela {

namespace {

double Linear(uint32_t channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

bool HasVisibleText(const std::string& caption) {
  return std::any_of(caption.begin(), caption.end(), [](char c) { return c != '&' && c != ' ' && c != '\t'; });
}

// Every colour the panel shows inside a rectangle: its picture's pixels there, or its own colour.
class PanelBackdrop {
 public:
  PanelBackdrop(const MenuProject& project, SystemColours* colours, int32_t width, int32_t height)
      : project_(project), colours_(colours), width_(std::max(width, 0)), height_(std::max(height, 0)) {}

  // Empty when the rectangle lies wholly outside the panel.
  std::vector<uint32_t> ColoursIn(const Rect& r) {
    const Rect inside = ClippedTo(r, width_, height_);
    if (inside.IsEmpty()) return {};
    if (!rendered_) {
      rendered_ = true;
      std::optional<PixelBuffer> picture = RenderBackgroundPixels(project_, colours_, width_, height_);
      hasPicture_ = picture.has_value();
      if (hasPicture_) picture_ = std::move(*picture);
    }
    if (!hasPicture_) return {ResolveColour(project_.BackColor, colours_)};
    std::vector<uint32_t> found;
    for (int32_t y = inside.Top; y < inside.Bottom; ++y) {
      uint32_t last = picture_.At(inside.Left, y);
      found.push_back(last);
      for (int32_t x = inside.Left + 1; x < inside.Right; ++x) {
        const uint32_t c = picture_.At(x, y);
        if (c != last) found.push_back(last = c);
      }
      // A gradient has few colours: keep the list short as it grows.
      if (found.size() > 4096 || y + 1 == inside.Bottom) {
        std::sort(found.begin(), found.end());
        found.erase(std::unique(found.begin(), found.end()), found.end());
      }
    }
    return found;
  }

 private:
  const MenuProject& project_;
  SystemColours* colours_;
  int32_t width_, height_;
  bool rendered_ = false;
  bool hasPicture_ = false;
  PixelBuffer picture_;
};

Rect BoundsOf(const ControlBase& b) {
  return {b.Left, b.Top, FitInt32(int64_t{b.Left} + b.Width), FitInt32(int64_t{b.Top} + b.Height)};
}

bool Overlap(const Rect& a, const Rect& b) {
  return std::max(a.Left, b.Left) < std::min(a.Right, b.Right) && std::max(a.Top, b.Top) < std::min(a.Bottom, b.Bottom);
}

// An image drawn before the object, with a picture of its own, that shares pixels with it.
bool PictureBeneath(const MenuProject& project, size_t index, const Rect& bounds) {
  for (size_t i = 0; i < index; ++i) {
    const MenuObject& below = *project.Objects[i];
    const bool hasPicture = !below.FileName.empty() || !below.HotTrackImageFile.empty() || below.Picture;
    if (below.Kind == ObjectKind::Image && hasPicture && Overlap(BoundsOf(below.Base()), bounds)) return true;
  }
  return false;
}

}  // namespace

double RelativeLuminance(uint32_t rgb) {
  return 0.2126 * Linear(rgb & 0xFF) + 0.7152 * Linear((rgb >> 8) & 0xFF) + 0.0722 * Linear((rgb >> 16) & 0xFF);
}

double ContrastRatio(uint32_t rgbA, uint32_t rgbB) {
  const double a = RelativeLuminance(rgbA), b = RelativeLuminance(rgbB);
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

bool IsLargeText(const FontRecord& font) {
  // A negative size is a height the font was asked for in the other unit; its magnitude serves.
  const int64_t points = std::llabs(int64_t{font.Size});
  return points >= 18 || (points >= 14 && (font.Style & fsBold));
}

double MinimumContrast(const FontRecord& font) {
  return IsLargeText(font) ? 3.0 : 4.5;
}

std::vector<ContrastFinding> FindLowContrast(const MenuProject& project, SystemColours* colours, int32_t panelWidth,
                                             int32_t panelHeight) {
  std::vector<ContrastFinding> findings;
  PanelBackdrop backdrop(project, colours, panelWidth, panelHeight);
  const uint32_t buttonFace = ResolveColour(kClBtnFace, colours);
  for (size_t i = 0; i < project.Objects.size(); ++i) {
    const MenuObject& obj = *project.Objects[i];
    const LabelControl* label = obj.AsLabel();
    const ButtonControl* button = obj.AsButton();
    if (!label && !button) continue;
    const std::string& caption = label ? label->Caption : button->Caption;
    if (!HasVisibleText(caption)) continue;
    const Rect bounds = BoundsOf(obj.Base());
    if (ClippedTo(bounds, panelWidth, panelHeight).IsEmpty()) continue;
    // A push button and an opaque flat one draw their caption on the button face (their colour is
    // not stored and stays the face), an opaque label on its own colour.
    std::vector<uint32_t> behind;
    if (label && !label->Transparent)
      behind = {ResolveColour(label->Color, colours)};
    else if (button && !(button->Flat && button->Transparent))
      behind = {buttonFace};
    else if (PictureBeneath(project, i, bounds))
      continue;
    else
      behind = backdrop.ColoursIn(bounds);
    const FontRecord& shown = label ? label->Font : button->Font;
    // While the object is hot its control wears the hot font; the normal one is kept aside.
    const FontRecord& normal = obj.Hot ? obj.NormalFont : shown;
    std::optional<ContrastFinding> normalFinding;
    for (const bool hot : {false, true}) {
      const FontRecord& font = hot ? obj.HotTrackFont : normal;
      ContrastFinding finding;
      finding.ObjectIndex = static_cast<int32_t>(i);
      finding.HotFont = hot;
      finding.TextRgb = ResolveColour(font.Color, colours);
      finding.Required = MinimumContrast(font);
      finding.Ratio = 22;
      for (uint32_t c : behind) {
        const double ratio = ContrastRatio(finding.TextRgb, c);
        if (ratio < finding.Ratio) finding.Ratio = ratio, finding.BehindRgb = c;
      }
      if (finding.Ratio >= finding.Required) continue;
      // A hot font that reads the same as the normal one says nothing new.
      if (hot && normalFinding && normalFinding->TextRgb == finding.TextRgb &&
          normalFinding->Required == finding.Required)
        continue;
      if (!hot) normalFinding = finding;
      findings.push_back(finding);
    }
  }
  return findings;
}

}  // namespace corvela
