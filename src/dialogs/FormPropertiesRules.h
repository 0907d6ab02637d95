#pragma once
// The "Form Properties" dialog without its window: what its controls show and how OK writes them
// back into the project, the menu window's settings and its outer panel.

#include <array>
#include <optional>
#include <string>

#include "dialogs/DialogRules.h"
#include "project/StoredPath.h"
#include "project/AppState.h"

namespace corvela {

// The stored value of each list is the entry's index, except for the position list.
inline constexpr std::array<const char*, 9> kGradientStyleEntries = {"TopBottom",      "BottomTop",  "LeftRight",
                                                                     "RightLeft",      "FromCenter", "FromTopLeft",
                                                                     "FromBottomLeft", "Radial",     "None"};
inline constexpr std::array<const char*, 6> kFormBorderStyleEntries = {"None",   "FixSingle",  "Sizeable",
                                                                       "Dialog", "ToolWindow", "SizeToolWin"};
inline constexpr std::array<const char*, 2> kPositionEntries = {"Screen Center", "Designed"};
inline constexpr std::array<const char*, 2> kPanelBorderStyleEntries = {"None", "Single"};
inline constexpr std::array<const char*, 4> kBevelEntries = {"None", "Lowered", "Raised", "Space"};

// Position list: entry 1 "Designed" only for poDesigned; every other position shows, and is
// written back as, "Screen Center".
int PositionEntryFor(uint8_t position);
uint8_t PositionForEntry(int entry);

// The controls' contents: edit texts exactly as the edits hold them, list entries, colours and
// the check box.
struct FormPropertiesFields {
  std::string Caption;
  std::string FormIcon;
  std::string StartSound;
  Colour BackColor = 0;
  int GradientStyle = -1;
  Colour GradientColor = 0;
  int BorderStyle = -1;
  int Position = 0;
  Colour TransparentColorValue = 0;
  bool TransparentColor = false;
  int PanelBorderStyle = -1;
  std::string PanelBorderWidth;
  int BevelInner = -1;
  int BevelOuter = -1;
  std::string BevelWidth;
  std::string DiscLabel;
  // The menu's inner area, in design pixels.
  std::string MenuWidth;
  std::string MenuHeight;
};

// The sides the menu's inner area may have, in design pixels: the design window's frame stops at
// them too. Small enough for a strip of buttons, large enough for a 4K screen.
inline constexpr int32_t kMinMenuSide = 16;
inline constexpr int32_t kMaxMenuSide = 4096;
// The size clamped into those limits.
Size ClampMenuSize(Size size);

// menuSize is the inner area's size as the design window has it now.
FormPropertiesFields FillFormProperties(const MenuProject& project, Size menuSize = {});
// Why OK cannot take the typed size, or nothing when both sides are whole numbers within the limits.
struct MenuSizeProblem {
  bool InWidth = true;  // else the height
  std::string Message;
};
std::optional<MenuSizeProblem> CheckMenuSize(const FormPropertiesFields& fields);
// Writes every field back, changed or not, when flags allow it, and returns whether it did. The
// caption is kept exactly as typed; the icon and sound paths are normalised stored paths. The
// typed size goes to menuSize, when given and the size passed MenuSizeProblem.
bool WriteBackFormProperties(const FormPropertiesFields& fields, const DialogFlags& flags, MenuProject& project,
                             Size* menuSize = nullptr);

// The two "Select..." buttons for files: plain refusal; icons only, or every file for the sound.
SelectResult SelectFormIcon(AppState& state, std::string& field);
SelectResult SelectStartSound(AppState& state, std::string& field);

}  // namespace corvela
