#include "dialogs/FormPropertiesRules.h"

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

FormPropertiesFields FillFormProperties(const MenuProject& project) {
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
  return f;
}

bool WriteBackFormProperties(const FormPropertiesFields& f, const DialogFlags& flags, MenuProject& project) {
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
  return true;
}

SelectResult SelectFormIcon(AppState& state, std::string& field) {
  return SelectFileInCdFolder(state, field, kIconFilter, RefusalStyle::Plain);
}

SelectResult SelectStartSound(AppState& state, std::string& field) {
  return SelectFileInCdFolder(state, field, "", RefusalStyle::Plain);
}

}  // namespace corvela
