#include "designer/DialogCommands.h"

#include "designer/Commands.h"
#include "designer/History.h"
#include "dialogs/FormPropertiesRules.h"
#include "player/MenuFrame.h"
#include "designer/Selection.h"
#include "project/StoredPath.h"
#include "platform/Platform.h"
#include "project/Resources.h"

namespace corvela {

std::optional<FileInputRequest> FileInputRequestFor(ObjectKind kind) {
  switch (kind) {
    case ObjectKind::Avi:
      return FileInputRequest{false, kAviFilter};
    case ObjectKind::Html:
      return FileInputRequest{true, kHtmlFilter};
    case ObjectKind::Rtf:
      return FileInputRequest{false, kRtfFilter};
    default:
      return std::nullopt;
  }
}

FormEdit EditFormProperties(AppState& state, DialogOpener& dialogs, DesignWindow& window) {
  const Size editingArea = window.MenuClientSize();
  // The dialog shows the inner area's size, inside the panel's border and bevels.
  const Rect inner = LayoutMenuPanels(editingArea.Width, editingArea.Height, state.Project.Form.BorderWidth,
                                      state.Project.Panel)
                         .Inner;
  const Size shownSize{inner.Width(), inner.Height()};
  Size typedSize = shownSize;
  const std::optional<ProjectSnapshot> before = SnapshotProject(state);
  if (!dialogs.EditFormProperties(state.Project, typedSize)) return FormEdit::Nothing;
  const bool settingsKept = before && before == SnapshotProject(state);
  // The dialog wrote the window's own settings (caption, frame, transparency, panel border) into
  // the model; the menu window takes them before the form settings are applied.
  if (state.View) state.View->FormSettingsChanged();
  ApplyFormSettings(state);
  window.CopyMenuWindowLook();
  // An untouched size keeps the client area, so a new panel border narrows the inner area as it
  // always did; a typed one is the inner area's under the new border.
  const FormSettings& form = state.Project.Form;
  window.SetClientSize(typedSize == shownSize
                           ? editingArea
                           : ClientSizeForInner(ClampMenuSize(typedSize), form.BorderWidth, state.Project.Panel));
  window.CopyPanelBorder();
  if (state.View) state.View->PaintBackground();
  window.RunResizeHandler();
  state.Modified = true;
  return settingsKept && typedSize != shownSize ? FormEdit::SizeOnly : FormEdit::Settings;
}

void EditStartLink(AppState& state, DialogOpener& dialogs) {
  if (dialogs.EditLink(state.Project.StartLink)) state.Modified = true;
}

void EditObjectProperties(AppState& state, DialogOpener& dialogs, DesignWindow& window) {
  MenuObject* obj = SingleSelectedObject(state.Project);
  if (!obj) return;
  bool confirmed = false;
  switch (obj->Kind) {
    case ObjectKind::Label:
      confirmed = dialogs.EditLabelProperties(*obj);
      break;
    case ObjectKind::Button:
      confirmed = dialogs.EditButtonProperties(*obj);
      break;
    case ObjectKind::Image:
      confirmed = dialogs.EditImageProperties(*obj);
      break;
    case ObjectKind::Avi:
    case ObjectKind::Html:
    case ObjectKind::Rtf: {
      const FileInputRequest request = *FileInputRequestFor(obj->Kind);
      confirmed = dialogs.GetFile(obj->FileName, request.AllowUrl, request.Filter);
      break;
    }
    case ObjectKind::Movie:
      break;
  }
  if (!confirmed) return;
  ApplyObjectResources(state, *obj);
  state.Modified = true;
  window.RefreshSurface();
}

void EditObjectLink(AppState& state, DialogOpener& dialogs) {
  MenuObject* obj = SingleSelectedObject(state.Project);
  if (!obj) return;
  if (static_cast<uint8_t>(obj->Kind) > static_cast<uint8_t>(ObjectKind::Image)) {
    state.Env.Ui->AskUser(kNoLinkMessage, "Information", MessageIcon::Information, MessageButtons::Ok);
    return;
  }
  if (dialogs.EditLink(obj->Link)) state.Modified = true;
}

bool RunDialogCommand(unsigned id, AppState& state, DialogOpener& dialogs, DesignWindow& window) {
  switch (id) {
    case cmdFormProperties: EditFormProperties(state, dialogs, window); return true;
    case cmdStartLink: EditStartLink(state, dialogs); return true;
    case cmdObjectProperties: EditObjectProperties(state, dialogs, window); return true;
    case cmdObjectLink: EditObjectLink(state, dialogs); return true;
    default: return false;
  }
}

}  // namespace corvela
