#include "designer/Surface.h"

#include <algorithm>

#include "designer/Commands.h"
#include "designer/Selection.h"
#include "platform/Platform.h"
#include "project/AutoSize.h"
#include "project/CdFolder.h"
#include "project/CopyIn.h"
#include "project/ProjectFile.h"
#include "project/Resources.h"

namespace corvela {

std::string DesignSurface::Caption() const {
  return state_.Project.Form.Caption + " [Design]";
}

void DesignSurface::RefreshSurface() {
  ClampObjectPositions(state_.Project, host_.InnerPanelSize());
  // The picture is made afresh, so a band drawn on the old one is gone without being erased.
  bandRect_ = kNoBand;
  host_.RepaintSurface();
  RenumberTags(state_);
}

void DesignSurface::AddObject(ObjectKind kind, int32_t x, int32_t y) {
  auto& objects = state_.Project.Objects;
  for (auto& obj : objects) obj->Selected = false;
  objects.push_back(MakeNewObject(kind));
  MenuObject& added = *objects.back();
  added.Base().Left = x;
  added.Base().Top = y;
  host_.ControlCreated(added);
  ApplyObjectResources(state_, added);
  state_.Modified = true;
  RefreshSurface();
  Record(EditKind::Add, std::vector<ObjectSnapshot>{}, LastIndices(state_.Project, 1));
}

void DesignSurface::SelectAllObjects() {
  for (auto& obj : state_.Project.Objects) obj->Selected = true;
  RefreshSurface();
}

void DesignSurface::DeleteSelectedObjects() {
  auto& objects = state_.Project.Objects;
  auto before = SnapshotObjects(state_.Project, SelectedIndices(state_.Project));
  for (size_t i = objects.size(); i-- > 0;)
    if (objects[i]->Selected) RemoveObject(state_, objects[i].get());
  RefreshSurface();
  Record(EditKind::Delete, std::move(before), {});
}

void DesignSurface::ClearAllObjects() {
  std::vector<int> all;
  for (size_t i = 0; i < state_.Project.Objects.size(); ++i) all.push_back(static_cast<int>(i));
  auto before = SnapshotObjects(state_.Project, all);
  ClearObjects(state_);
  RefreshSurface();
  Record(EditKind::Clear, std::move(before), {});
}

void DesignSurface::BringSelectedToFront() {
  const int index = SingleSelectedIndex(state_.Project);
  if (index < 0) return;
  auto& objects = state_.Project.Objects;
  auto before = SnapshotObjects(state_.Project, {index});
  std::rotate(objects.begin() + index, objects.begin() + index + 1, objects.end());
  RenumberTags(state_);
  // After the move, so that the panes are restacked in the new order.
  host_.ControlBroughtToFront(*objects.back());
  state_.Modified = true;
  RefreshSurface();
  // Every other object keeps its order, so the step is this one object taken out and put back.
  Record(EditKind::BringToFront, std::move(before), LastIndices(state_.Project, 1));
}

void DesignSurface::SendSelectedToBack() {
  const int index = SingleSelectedIndex(state_.Project);
  if (index < 0) return;
  auto& objects = state_.Project.Objects;
  auto before = SnapshotObjects(state_.Project, {index});
  std::rotate(objects.begin(), objects.begin() + index, objects.begin() + index + 1);
  RenumberTags(state_);
  host_.ControlSentToBack(*objects.front());
  state_.Modified = true;
  RefreshSurface();
  Record(EditKind::SendToBack, std::move(before), {0});
}

void DesignSurface::Record(EditKind kind, std::optional<std::vector<ObjectSnapshot>> before,
                           const std::vector<int>& after, uint32_t mergeKey) {
  std::optional<std::vector<ObjectSnapshot>> now = SnapshotObjects(state_.Project, after);
  // An object the file cannot hold cannot be put back either: the step is left out.
  if (!before || !now) return;
  history_.RecordObjects(kind, std::move(*before), std::move(*now), mergeKey);
}

std::optional<HistoryChange> DesignSurface::UndoStep() {
  return CatchUp(history_.Undo(state_, [this](const IconSnapshot& icon) { return WriteIcon(icon); }));
}

std::optional<HistoryChange> DesignSurface::RedoStep() {
  return CatchUp(history_.Redo(state_, [this](const IconSnapshot& icon) { return WriteIcon(icon); }));
}

bool DesignSurface::WriteIcon(const IconSnapshot& shot) {
  const std::string icon = CdIconPath(state_.CDFolder);
  FileSystem& files = *state_.Env.Files;
  std::string error;
  const bool done = shot.Bytes ? files.WriteFile(icon, *shot.Bytes, error) : (!files.FileExists(icon) || files.RemoveFile(icon));
  // The step stays where it is, so the user can try again once the folder is writable.
  if (!done) ShowError(state_.Env, "Cannot change the CD icon " + icon + (error.empty() ? "" : ": " + error));
  return done;
}

void DesignSurface::KeepCommandSizes(const std::vector<int>& indices) {
  auto& objects = state_.Project.Objects;
  for (int index : indices) {
    MenuObject& obj = *objects[static_cast<size_t>(index)];
    bool* autoSize = obj.Kind == ObjectKind::Label   ? &obj.AsLabel()->AutoSize
                     : obj.Kind == ObjectKind::Image ? &obj.AsImage()->AutoSize
                                                     : nullptr;
    if (!autoSize || !*autoSize) continue;
    ControlBase& b = obj.Base();
    const Box chosen{b.Left, b.Top, b.Width, b.Height};
    ApplyAutoSize(obj, state_.Env.Text);
    if (Box{b.Left, b.Top, b.Width, b.Height} == chosen) continue;
    b.Left = chosen.Left;
    b.Top = chosen.Top;
    b.Width = chosen.Width;
    b.Height = chosen.Height;
    *autoSize = false;
  }
}

std::optional<HistoryChange> DesignSurface::CatchUp(std::optional<HistoryChange> change) {
  if (!change) return change;
  auto& objects = state_.Project.Objects;
  if (change->Icon) {
    // Written back by the history's icon writer.
  } else if (change->ProjectReplaced) {
    if (state_.View) state_.View->FormSettingsChanged();
    ApplyAllObjectResources(state_);
    ApplyFormSettings(state_);
    host_.ProjectReplaced();
  } else if (!change->Restored.empty()) {
    for (int index : change->Restored) ApplyObjectResources(state_, *objects[static_cast<size_t>(index)]);
    // New controls lie on top: they go back to their places in list order.
    host_.ControlCreated(*objects[static_cast<size_t>(change->Restored.back())]);
  } else if (state_.View) {
    state_.View->WireObjects();
  }
  RefreshSurface();
  // Told again once the objects have their resources and clamps back, as a save would find them.
  state_.Modified = !MatchesSavedContent(state_);
  return change;
}

bool DesignSurface::RunDialog(unsigned id, DialogOpener& dialogs, DesignWindow& window) {
  const bool whole = id == cmdFormProperties || id == cmdStartLink;
  if (whole) {
    std::optional<ProjectSnapshot> before = SnapshotProject(state_);
    EditKind kind = EditKind::StartLink;
    if (id == cmdStartLink)
      EditStartLink(state_, dialogs);
    else
      kind = EditFormProperties(state_, dialogs, window) == FormEdit::SizeOnly ? EditKind::MenuSize
                                                                                : EditKind::FormProperties;
    std::optional<ProjectSnapshot> after = SnapshotProject(state_);
    if (before && after) history_.RecordProject(kind, std::move(*before), std::move(*after));
    return true;
  }
  const int index = SingleSelectedIndex(state_.Project);
  auto before = index < 0 ? std::nullopt : SnapshotObjects(state_.Project, {index});
  if (!RunDialogCommand(id, state_, dialogs, window)) return false;
  if (index >= 0) Record(id == cmdObjectLink ? EditKind::Link : EditKind::Properties, std::move(before), {index});
  return true;
}

bool DesignSurface::PasteRecords(const std::string& bytes, std::optional<Point> at, EditKind kind) {
  std::string sourceFolder;
  auto objects = ReadClipboardRecords(bytes, &sourceFolder);
  if (!objects) return false;
  // Objects from another designer's CD folder bring their files along when the user agrees;
  // declined, they are pasted naming files this disc lacks, as Check Disc will tell.
  std::vector<const MenuObject*> incoming;
  for (const auto& obj : *objects) incoming.push_back(obj.get());
  OfferCopyOfPastedFiles(state_, sourceFolder,
                         FilesLackingAfterPaste(*state_.Env.Files, incoming, sourceFolder, state_.CDFolder));
  const std::vector<int> placed = PasteObjects(state_.Project, std::move(*objects), at);
  if (placed.empty()) return false;
  auto& list = state_.Project.Objects;
  for (int index : placed) ApplyObjectResources(state_, *list[static_cast<size_t>(index)]);
  host_.ControlCreated(*list[static_cast<size_t>(placed.back())]);
  state_.Modified = true;
  RefreshSurface();
  Record(kind, std::vector<ObjectSnapshot>{}, placed);
  return true;
}

bool DesignSurface::DuplicateSelection() {
  const std::optional<std::string> bytes = WriteClipboardRecords(state_.Project, state_.CDFolder);
  return bytes && PasteRecords(*bytes, std::nullopt, EditKind::Duplicate);
}

namespace {
EditKind KindOf(AlignCommand command) {
  switch (command) {
    case AlignCommand::SameWidth:
    case AlignCommand::SameHeight:
    case AlignCommand::SameSize:
      return EditKind::Size;
    case AlignCommand::SpaceAcross:
    case AlignCommand::SpaceDown:
      return EditKind::Space;
    case AlignCommand::CentreInWindow:
      return EditKind::Centre;
    default:
      return EditKind::Align;
  }
}
}  // namespace

bool DesignSurface::Arrange(AlignCommand command) {
  const std::vector<int> selected = SelectedIndices(state_.Project);
  auto before = SnapshotObjects(state_.Project, selected);
  if (!AlignSelection(state_.Project, command, host_.InnerPanelSize())) return false;
  if (KindOf(command) == EditKind::Size) KeepCommandSizes(selected);
  state_.Modified = true;
  RefreshSurface();
  Record(KindOf(command), std::move(before), selected);
  return true;
}

bool DesignSurface::Nudge(ArrowKey key, bool ctrl, bool shift) {
  const std::vector<int> selected = SelectedIndices(state_.Project);
  auto before = SnapshotObjects(state_.Project, selected);
  if (!NudgeSelection(state_.Project, key, ctrl, shift, host_.InnerPanelSize())) return false;
  if (shift) KeepCommandSizes(selected);
  state_.Modified = true;
  RefreshSurface();
  Record(EditKind::Nudge, std::move(before), selected, NudgeBurstKey(shift));
  return true;
}

}  // namespace corvela
