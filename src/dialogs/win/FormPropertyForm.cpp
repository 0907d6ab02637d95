#include "dialogs/win/FormPropertyForm.h"

#include "dialogs/win/DialogIds.h"
#include "platform/Platform.h"
#include "project/DiscLabel.h"

namespace corvela::win {

FormPropertyForm::FormPropertyForm(AppState& state) : ModalDialog(IDD_FORM_PROPERTIES), state_(state) {}

bool FormPropertyForm::Execute(MenuProject* project, Size& menuSize) {
  if (!project) return false;
  fields_ = FillFormProperties(*project, menuSize);
  RunModal();
  return WriteBackFormProperties(fields_, Flags, *project, &menuSize);
}

std::vector<FixedSizeControl> FormPropertyForm::FixedSizes() const {
  return {{IDC_BACK_COLOR, {41, 25}}, {IDC_GRADIENT_COLOR, {41, 25}}, {IDC_TRANSPARENT_COLOR, {41, 25}}};
}

void FormPropertyForm::OnInit() {
  SetText(IDC_FORM_CAPTION, fields_.Caption);
  SetText(IDC_FORM_ICON, fields_.FormIcon);
  SetText(IDC_START_SOUND, fields_.StartSound);
  FillList(IDC_GRADIENT_STYLE, kGradientStyleEntries, fields_.GradientStyle);
  FillList(IDC_BORDER_STYLE, kFormBorderStyleEntries, fields_.BorderStyle);
  FillList(IDC_POSITION, kPositionEntries, fields_.Position);
  Enable(IDC_POSITION, false);  // it shows the position but cannot change it
  SetChecked(IDC_TRANSPARENT, fields_.TransparentColor);
  FillList(IDC_PANEL_BORDER_STYLE, kPanelBorderStyleEntries, fields_.PanelBorderStyle);
  SetText(IDC_PANEL_BORDER_WIDTH, fields_.PanelBorderWidth);
  FillList(IDC_BEVEL_INNER, kBevelEntries, fields_.BevelInner);
  FillList(IDC_BEVEL_OUTER, kBevelEntries, fields_.BevelOuter);
  SetText(IDC_BEVEL_WIDTH, fields_.BevelWidth);
  SetText(IDC_DISC_LABEL, fields_.DiscLabel);
  SetText(IDC_MENU_WIDTH, fields_.MenuWidth);
  SetText(IDC_MENU_HEIGHT, fields_.MenuHeight);
}

bool FormPropertyForm::CanClose() {
  // A size the menu cannot take, or a label autorun.inf or the image cannot hold, is refused here,
  // where it can still be mended; the dialog keeps everything typed.
  FormPropertiesFields typed;
  typed.MenuWidth = Text(IDC_MENU_WIDTH);
  typed.MenuHeight = Text(IDC_MENU_HEIGHT);
  if (const std::optional<MenuSizeProblem> size = CheckMenuSize(typed)) {
    ShowError(state_.Env, size->Message);
    ::SetFocus(Item(size->InWidth ? IDC_MENU_WIDTH : IDC_MENU_HEIGHT));
    return false;
  }
  const std::string problem = DiscLabelProblem(Text(IDC_DISC_LABEL), state_.Env.Codes);
  if (problem.empty()) return true;
  ShowError(state_.Env, problem);
  ::SetFocus(Item(IDC_DISC_LABEL));
  return false;
}

void FormPropertyForm::OnOK() {
  // The colours are kept in fields_ as they are chosen.
  fields_.Caption = Text(IDC_FORM_CAPTION);
  fields_.FormIcon = Text(IDC_FORM_ICON);
  fields_.StartSound = Text(IDC_START_SOUND);
  fields_.GradientStyle = ListEntry(IDC_GRADIENT_STYLE);
  fields_.BorderStyle = ListEntry(IDC_BORDER_STYLE);
  fields_.Position = ListEntry(IDC_POSITION);
  fields_.TransparentColor = Checked(IDC_TRANSPARENT);
  fields_.PanelBorderStyle = ListEntry(IDC_PANEL_BORDER_STYLE);
  fields_.PanelBorderWidth = Text(IDC_PANEL_BORDER_WIDTH);
  fields_.BevelInner = ListEntry(IDC_BEVEL_INNER);
  fields_.BevelOuter = ListEntry(IDC_BEVEL_OUTER);
  fields_.BevelWidth = Text(IDC_BEVEL_WIDTH);
  fields_.DiscLabel = Text(IDC_DISC_LABEL);
  fields_.MenuWidth = Text(IDC_MENU_WIDTH);
  fields_.MenuHeight = Text(IDC_MENU_HEIGHT);
}

void FormPropertyForm::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return;  // STN_CLICKED of the swatches is the same code
  switch (id) {
    case IDC_FORM_ICON_SELECT: {
      std::string text = Text(IDC_FORM_ICON);
      if (SelectFormIcon(state_, text) == SelectResult::Changed) SetText(IDC_FORM_ICON, text);
      return;
    }
    case IDC_START_SOUND_SELECT: {
      std::string text = Text(IDC_START_SOUND);
      if (SelectStartSound(state_, text) == SelectResult::Changed) SetText(IDC_START_SOUND, text);
      return;
    }
    case IDC_BACK_COLOR:
    case IDC_BACK_COLOR_SELECT:
      PickColour(fields_.BackColor, IDC_BACK_COLOR);
      return;
    case IDC_GRADIENT_COLOR:
    case IDC_GRADIENT_COLOR_SELECT:
      PickColour(fields_.GradientColor, IDC_GRADIENT_COLOR);
      return;
    case IDC_TRANSPARENT_COLOR:
    case IDC_TRANSPARENT_COLOR_SELECT:
      PickColour(fields_.TransparentColorValue, IDC_TRANSPARENT_COLOR);
      return;
  }
}

void FormPropertyForm::PickColour(Colour& colour, int swatchId) {
  std::optional<Colour> chosen = colours_.Choose(hwnd(), colour);
  if (!chosen) return;
  colour = *chosen;
  MarkChanged();
  Redraw(swatchId);
}

bool FormPropertyForm::OnDrawItem(const DRAWITEMSTRUCT& item) {
  switch (item.CtlID) {
    case IDC_BACK_COLOR:
      DrawColourSwatch(item, fields_.BackColor);
      return true;
    case IDC_GRADIENT_COLOR:
      DrawColourSwatch(item, fields_.GradientColor);
      return true;
    case IDC_TRANSPARENT_COLOR:
      DrawColourSwatch(item, fields_.TransparentColorValue);
      return true;
  }
  return false;
}

}  // namespace corvela::win
