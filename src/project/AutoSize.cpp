#include "project/AutoSize.h"

namespace corvela {

std::string LabelMeasureText(const std::string& caption) {
  if (caption.empty() || caption == "&") return caption + " ";
  return caption;
}

bool AutoSizeLabel(LabelControl& label, TextMeasurer& measurer) {
  if (!label.AutoSize) return false;
  const TextExtent e = measurer.Measure(LabelMeasureText(label.Caption), label.Font, label.Width, label.WordWrap);
  int32_t left = label.Left;
  if (label.Alignment == static_cast<uint8_t>(TextAlignment::RightJustify)) left += label.Width - e.Width;
  if (left == label.Left && e.Width == label.Width && e.Height == label.Height) return false;
  label.Left = left;
  label.Width = e.Width;
  label.Height = e.Height;
  return true;
}

bool AutoSizeImage(ImageControl& image, int32_t pictureW, int32_t pictureH) {
  if (!image.AutoSize || pictureW <= 0 || pictureH <= 0) return false;
  if (image.Width == pictureW && image.Height == pictureH) return false;
  image.Width = pictureW;
  image.Height = pictureH;
  return true;
}

bool ApplyAutoSize(MenuObject& obj, TextMeasurer* measurer) {
  if (LabelControl* label = obj.AsLabel()) return measurer && AutoSizeLabel(*label, *measurer);
  if (obj.Kind == ObjectKind::Image && obj.Shown) {
    if (ImageControl* image = obj.AsImage()) return AutoSizeImage(*image, obj.Shown->Width(), obj.Shown->Height());
  }
  return false;
}

}  // namespace corvela
