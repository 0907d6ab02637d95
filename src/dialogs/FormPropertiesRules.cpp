#include "dialogs/FormPropertiesRules.h"

#include <algorithm>
#include <optional>

namespace corvela {

namespace {
constexpr int kDesignedEntry = 1;
}

int PositionEntryFor(uint8_t position) {
  return position == static_cast<uint8_t>(FormPosition::Designed) ? kDesignedEntry : 0;
}

uint8_t PositionForEntry(int entry) {
  return static_cast<uint8_t>(entry == kDesignedEntry ? FormPosition::Designed : FormPosition::ScreenCenter);
}

Size ClampMenuSize(Size size) {
  return Size{std::clamp(size.Width, kMinMenuSide, kMaxMenuSide), std::clamp(size.Height, kMinMenuSide, kMaxMenuSide)};
}

namespace {
// A side as typed: digits with blanks around them, within the limits.
std::optional<int32_t> MenuSide(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::nullopt;
  const size_t last = text.find_last_not_of(" \t");
  int64_t value = 0;
  for (size_t i = first; i <= last; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
    if (value > kMaxMenuSide) return std::nullopt;
  }
  if (value < kMinMenuSide) return std::nullopt;
  return static_cast<int32_t>(value);
}
}  // namespace

std::optional<MenuSizeProblem> CheckMenuSize(const FormPropertiesFields& f) {
  const bool width = !MenuSide(f.MenuWidth);
  if (!width && MenuSide(f.MenuHeight)) return std::nullopt;
  return MenuSizeProblem{width, std::string("The menu's ") + (width ? "Width" : "Height") +
                                    " must be a whole number of pixels from " + std::to_string(kMinMenuSide) + " to " +
                                    std::to_string(kMaxMenuSide) + "."};
}

FormPropertiesFields FillFormProperties(const MenuProject& project, Size menuSize) {
  const FormSettings& form = project.Form;
  const PanelSettings& panel = project.Panel;
  FormPropertiesFields f;
  f.Caption = form.Caption;
  f.FormIcon = project.FormIcon;
  f.StartSound = project.StartSound;
  f.BackColor = project.BackColor;
  f.GradientStyle = ListEntryFor(project.GradientStyle, kGradientStyleEntries.size());
  f.GradientColor = project.GradientColor;
  f.BorderStyle = ListEntryFor(form.BorderStyle, kFormBorderStyleEntries.size());
  f.Position = PositionEntryFor(form.Position);
  f.TransparentColorValue = form.TransparentColorValue;
  f.TransparentColor = form.TransparentColor;
  f.PanelBorderStyle = ListEntryFor(panel.BorderStyle, kPanelBorderStyleEntries.size());
  f.PanelBorderWidth = SpinText(panel.BorderWidth);
  f.BevelInner = ListEntryFor(panel.BevelInner, kBevelEntries.size());
  f.BevelOuter = ListEntryFor(panel.BevelOuter, kBevelEntries.size());
  f.BevelWidth = SpinText(panel.BevelWidth);
  f.DiscLabel = project.DiscLabel;
  f.MenuWidth = std::to_string(menuSize.Width);
  f.MenuHeight = std::to_string(menuSize.Height);
  return f;
}

bool WriteBackFormProperties(const FormPropertiesFields& f, const DialogFlags& flags, MenuProject& project,
                             Size* menuSize) {
  if (!flags.ShouldWrite()) return false;
  FormSettings& form = project.Form;
  PanelSettings& panel = project.Panel;
  form.Caption = f.Caption;
  project.FormIcon = NormalizeStoredPath(f.FormIcon);
  project.StartSound = NormalizeStoredPath(f.StartSound);
  project.BackColor = f.BackColor;
  StoreListEntry(f.GradientStyle, kGradientStyleEntries.size(), project.GradientStyle);
  project.GradientColor = f.GradientColor;
  StoreListEntry(f.BorderStyle, kFormBorderStyleEntries.size(), form.BorderStyle);
  form.Position = PositionForEntry(f.Position);
  form.TransparentColorValue = f.TransparentColorValue;
  form.TransparentColor = f.TransparentColor;
  StoreListEntry(f.PanelBorderStyle, kPanelBorderStyleEntries.size(), panel.BorderStyle);
  panel.BorderWidth = SpinValue(f.PanelBorderWidth);
  StoreListEntry(f.BevelInner, kBevelEntries.size(), panel.BevelInner);
  StoreListEntry(f.BevelOuter, kBevelEntries.size(), panel.BevelOuter);
  panel.BevelWidth = SpinValue(f.BevelWidth);
  project.DiscLabel = f.DiscLabel;
  const std::optional<int32_t> width = MenuSide(f.MenuWidth), height = MenuSide(f.MenuHeight);
  if (menuSize && width && height) *menuSize = Size{*width, *height};
  return true;
}

SelectResult SelectFormIcon(AppState& state, std::string& field) {
  return SelectFileInCdFolder(state, field, kIconFilter, RefusalStyle::Plain);
}

SelectResult SelectStartSound(AppState& state, std::string& field) {
  return SelectFileInCdFolder(state, field, "", RefusalStyle::Plain);
}

}  // namespace corvela
