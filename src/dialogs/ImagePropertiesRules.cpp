#include "dialogs/ImagePropertiesRules.h"

namespace corvela {

int DisplayStyleOf(const ImageControl& image) {
  if (image.Center) return kDisplayCenter;
  if (image.Stretch) return kDisplayStretch;
  if (image.AutoSize) return kDisplayAutoSize;
  return kDisplayNormal;
}

void ApplyDisplayStyle(int entry, ImageControl& image) {
  if (entry < 0 || entry >= static_cast<int>(kDisplayStyleEntries.size())) return;
  image.Center = entry == kDisplayCenter;
  image.Stretch = entry == kDisplayStretch;
  image.AutoSize = entry == kDisplayAutoSize;
}

ImagePropertiesFields FillImageProperties(const MenuObject& obj) {
  ImagePropertiesFields f;
  const ImageControl* image = obj.AsImage();
  if (!image) return f;
  f.FileName = obj.FileName;
  f.HotTrackImageFile = obj.HotTrackImageFile;
  f.DisplayStyle = DisplayStyleOf(*image);
  f.Transparent = image->Transparent;
  f.Hint = image->Hint;
  return f;
}

bool WriteBackImageProperties(const ImagePropertiesFields& f, const DialogFlags& flags, MenuObject& obj) {
  ImageControl* image = obj.AsImage();
  if (!image || !flags.ShouldWrite()) return false;
  obj.FileName = NormalizeStoredPath(f.FileName);
  obj.HotTrackImageFile = NormalizeStoredPath(f.HotTrackImageFile);
  ApplyDisplayStyle(f.DisplayStyle, *image);
  image->Transparent = f.Transparent;
  image->Hint = f.Hint;
  return true;
}

SelectResult SelectImageFile(AppState& state, std::string& field) {
  return SelectFileInCdFolder(state, field, kPictureFilter, RefusalStyle::Plain);
}

}  // namespace corvela
