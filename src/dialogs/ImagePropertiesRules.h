#pragma once
// The "Image Properties" dialog without its window.

#include <array>
#include <string>

#include "dialogs/DialogRules.h"
#include "project/StoredPath.h"
#include "project/AppState.h"

namespace corvela {

// The display style is no stored value: it is the image control's Center, Stretch and AutoSize.
inline constexpr std::array<const char*, 4> kDisplayStyleEntries = {"Normal", "Center", "Stretch", "Auto Size"};
enum DisplayStyleEntry : int { kDisplayNormal = 0, kDisplayCenter = 1, kDisplayStretch = 2, kDisplayAutoSize = 3 };

// The picture formats the resource loader reads: all together first, then one by one.
inline constexpr const char* kPictureFilter =
    "All (*.gif,*.jpg;*.jpeg;*.png;*.bmp;*.ico;*.emf;*.wmf)|*.gif;*.jpg;*.jpeg;*.png;*.bmp;*.ico;*.emf;*.wmf|"
    "JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg|PNG Images (*.png)|*.png|Bitmaps (*.bmp)|*.bmp|"
    "Icons (*.ico)|*.ico|Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf|GIF Files(*.gif)|*.gif";

// The first of Center, Stretch, AutoSize that is set names the entry; none set is "Normal".
int DisplayStyleOf(const ImageControl& image);
// Sets Center, Stretch and AutoSize, in that order, to the entry's combination; exactly one of
// them ends up set, or none for "Normal". An entry outside the list changes nothing.
void ApplyDisplayStyle(int entry, ImageControl& image);

struct ImagePropertiesFields {
  int DisplayStyle = kDisplayNormal;
  std::string FileName;
  std::string HotTrackImageFile;
  bool Transparent = false;
  std::string Hint;
};

ImagePropertiesFields FillImageProperties(const MenuObject& obj);
bool WriteBackImageProperties(const ImagePropertiesFields& fields, const DialogFlags& flags, MenuObject& obj);

// The "Select..." buttons of both picture rows: every picture format, plain refusal.
SelectResult SelectImageFile(AppState& state, std::string& field);

}  // namespace corvela
