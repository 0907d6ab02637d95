#include "designer/History.h"

#include <algorithm>
#include <exception>
#include <memory>

#include "designer/SurfaceGeometry.h"
#include "project/ProjectFile.h"

namespace corvela {

const char* EditName(EditKind kind) {
  switch (kind) {
    case EditKind::Add:
      return "Add";
    case EditKind::Delete:
      return "Delete";
    case EditKind::Clear:
      return "Clear";
    case EditKind::Move:
      return "Move";
    case EditKind::Resize:
      return "Resize";
    case EditKind::BringToFront:
      return "Bring to Front";
    case EditKind::SendToBack:
      return "Send to Back";
    case EditKind::Properties:
      return "Properties";
    case EditKind::Link:
      return "Link";
    case EditKind::StartLink:
      return "Start Link";
    case EditKind::FormProperties:
      return "Form Properties";
    case EditKind::CDIcon:
      return "CD Icon";
    case EditKind::MenuSize:
      return "Menu Size";
    case EditKind::Paste:
      return "Paste";
    case EditKind::Duplicate:
      return "Duplicate";
    case EditKind::Align:
      return "Align";
    case EditKind::Size:
      return "Size";
    case EditKind::Space:
      return "Space Evenly";
    case EditKind::Centre:
      return "Centre in Window";
    case EditKind::Nudge:
      return "Nudge";
    case EditKind::SizeToFit:
      return "Size to Fit";
    case EditKind::StartPage:
      return "Start Page";
  }
  return "";
}

EditKind EditKindForDrag(int32_t hitCode) {
  return hitCode == kHitBody ? EditKind::Move : EditKind::Resize;
}

std::optional<std::vector<ObjectSnapshot>> SnapshotObjects(const MenuProject& project,
                                                           const std::vector<int>& indices) {
  std::vector<ObjectSnapshot> shots;
  shots.reserve(indices.size());
  for (int index : indices) {
    if (index < 0 || static_cast<size_t>(index) >= project.Objects.size()) return std::nullopt;
    const MenuObject& obj = *project.Objects[static_cast<size_t>(index)];
    ByteWriter out;
    if (!WriteObject(out, obj)) return std::nullopt;
    shots.push_back({index, obj.Selected, out.Take()});
  }
  return shots;
}

std::optional<ProjectSnapshot> SnapshotProject(const AppState& state) {
  ByteWriter out;
  if (!WriteSettingsBlock(out, state)) return std::nullopt;
  ProjectSnapshot shot;
  shot.Block = out.Take();
  shot.DiscLabel = state.Project.DiscLabel;
  for (const auto& obj : state.Project.Objects) shot.Selected.push_back(obj->Selected);
  shot.StartPage = state.Project.PublishStartPage;
  return shot;
}

std::vector<int> SelectedIndices(const MenuProject& project) {
  std::vector<int> indices;
  for (size_t i = 0; i < project.Objects.size(); ++i)
    if (project.Objects[i]->Selected) indices.push_back(static_cast<int>(i));
  return indices;
}

std::vector<int> LastIndices(const MenuProject& project, size_t count) {
  const size_t n = project.Objects.size();
  std::vector<int> indices;
  for (size_t i = n - std::min(count, n); i < n; ++i) indices.push_back(static_cast<int>(i));
  return indices;
}

namespace {

bool SameIndices(const std::vector<ObjectSnapshot>& a, const std::vector<ObjectSnapshot>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](const ObjectSnapshot& x, const ObjectSnapshot& y) { return x.Index == y.Index; });
}

// Takes out the objects at the positions of `remove` and puts in those recorded in `insert`. The
// records are read and every position checked first, so a failure leaves the model as it was.
std::optional<std::vector<int>> ReplaceObjects(AppState& state, const std::vector<ObjectSnapshot>& remove,
                                               const std::vector<ObjectSnapshot>& insert) {
  auto& objects = state.Project.Objects;
  std::vector<int> removeAt;
  for (const auto& shot : remove) removeAt.push_back(shot.Index);
  std::sort(removeAt.begin(), removeAt.end());
  if (std::adjacent_find(removeAt.begin(), removeAt.end()) != removeAt.end()) return std::nullopt;
  if (!removeAt.empty() && (removeAt.front() < 0 || static_cast<size_t>(removeAt.back()) >= objects.size()))
    return std::nullopt;

  std::vector<const ObjectSnapshot*> order;
  for (const auto& shot : insert) order.push_back(&shot);
  std::sort(order.begin(), order.end(), [](const auto* a, const auto* b) { return a->Index < b->Index; });
  std::vector<std::unique_ptr<MenuObject>> made;
  size_t size = objects.size() - removeAt.size();
  for (const ObjectSnapshot* shot : order) {
    // Inserting in ascending order, each position may be at most one past the end so far.
    if (shot->Index < 0 || static_cast<size_t>(shot->Index) > size) return std::nullopt;
    ++size;
    auto obj = std::make_unique<MenuObject>();
    ByteReader in(shot->Record);
    if (!ReadObject(in, *obj) || in.Remaining() != 0) return std::nullopt;
    obj->Selected = shot->Selected;
    made.push_back(std::move(obj));
  }

  for (auto it = removeAt.rbegin(); it != removeAt.rend(); ++it) {
    std::unique_ptr<MenuObject> gone = std::move(objects[static_cast<size_t>(*it)]);
    objects.erase(objects.begin() + *it);
    DisposeObject(std::move(gone));
  }
  std::vector<int> restored;
  for (size_t i = 0; i < order.size(); ++i) {
    objects.insert(objects.begin() + order[i]->Index, std::move(made[i]));
    restored.push_back(order[i]->Index);
  }
  RenumberTags(state);
  return restored;
}

bool RestoreProject(AppState& state, const ProjectSnapshot& shot) {
  // The one reader of the file reads into a scratch model, so a failure changes nothing here and
  // the live window hears of nothing until the caller re-applies the settings.
  AppState scratch(state.Env);
  ByteReader in(shot.Block);
  SettingsReadResult result;
  if (!ReadSettingsBlock(in, scratch, result) || in.Remaining() != 0) return false;
  // Reading centres the window as a load does; the step puts back where it was.
  scratch.Project.Form.Left = result.StoredLeft;
  scratch.Project.Form.Top = result.StoredTop;
  auto& objects = scratch.Project.Objects;
  for (size_t i = 0; i < objects.size() && i < shot.Selected.size(); ++i) objects[i]->Selected = shot.Selected[i];
  // The extension entries of the loaded file are no edit and are not in the snapshot: they stay.
  scratch.Project.UnknownExtensions = std::move(state.Project.UnknownExtensions);
  scratch.Project.DiscLabel = shot.DiscLabel;
  scratch.Project.PublishStartPage = shot.StartPage;
  state.Project = std::move(scratch.Project);
  RenumberTags(state);
  return true;
}

}  // namespace

bool History::RecordObjects(EditKind kind, std::vector<ObjectSnapshot> before, std::vector<ObjectSnapshot> after,
                            uint32_t mergeKey) {
  if (mergeKey != 0 && burstKey_ == mergeKey && position_ == steps_.size() && position_ > 0) {
    Step& last = steps_.back();
    if (last.Kind == kind && last.MergeKey == mergeKey && SameIndices(last.ObjectsAfter, before)) {
      last.ObjectsAfter = std::move(after);
      // Keys that brought everything back where the burst began leave nothing to undo.
      if (last.ObjectsBefore == last.ObjectsAfter) {
        steps_.pop_back();
        --position_;
        burstKey_ = 0;
      }
      return true;
    }
  }
  if (before == after) return false;
  Step step;
  step.Kind = kind;
  step.MergeKey = mergeKey;
  step.ObjectsBefore = std::move(before);
  step.ObjectsAfter = std::move(after);
  const bool pushed = Push(std::move(step));
  burstKey_ = mergeKey;
  return pushed;
}

bool History::RecordProject(EditKind kind, ProjectSnapshot before, ProjectSnapshot after, uint32_t mergeKey) {
  if (mergeKey != 0 && burstKey_ == mergeKey && position_ == steps_.size() && position_ > 0) {
    Step& last = steps_.back();
    if (last.Kind == kind && last.MergeKey == mergeKey && last.ProjectAfter) {
      last.ProjectAfter = std::move(after);
      if (*last.ProjectBefore == *last.ProjectAfter) {
        steps_.pop_back();
        --position_;
        burstKey_ = 0;
      }
      return true;
    }
  }
  burstKey_ = mergeKey;
  if (before == after) return false;
  Step step;
  step.Kind = kind;
  step.MergeKey = mergeKey;
  step.ProjectBefore = std::move(before);
  step.ProjectAfter = std::move(after);
  return Push(std::move(step));
}

bool History::RecordIcon(IconSnapshot before, IconSnapshot after) {
  burstKey_ = 0;
  if (before == after) return false;
  Step step;
  step.Kind = EditKind::CDIcon;
  step.IconBefore = std::move(before);
  step.IconAfter = std::move(after);
  return Push(std::move(step));
}

bool History::Push(Step step) {
  steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(position_), steps_.end());
  steps_.push_back(std::move(step));
  ++position_;
  while (steps_.size() > limit_) {
    steps_.pop_front();
    --position_;
  }
  return true;
}

std::string History::UndoText() const {
  return CanUndo() ? std::string("Undo ") + EditName(steps_[position_ - 1].Kind) : "Undo";
}

std::string History::RedoText() const {
  return CanRedo() ? std::string("Redo ") + EditName(steps_[position_].Kind) : "Redo";
}

std::optional<HistoryChange> History::Apply(AppState& state, const Step& step, bool forward,
                                            const IconWriter& writeIcon) {
  HistoryChange change;
  change.Kind = step.Kind;
  if (step.ProjectBefore && step.ProjectAfter) {
    if (!RestoreProject(state, forward ? *step.ProjectAfter : *step.ProjectBefore)) return std::nullopt;
    change.ProjectReplaced = true;
    for (size_t i = 0; i < state.Project.Objects.size(); ++i) change.Restored.push_back(static_cast<int>(i));
  } else if (step.IconBefore && step.IconAfter) {
    change.Icon = forward ? *step.IconAfter : *step.IconBefore;
    if (!writeIcon || !writeIcon(*change.Icon)) return std::nullopt;
  } else {
    std::optional<std::vector<int>> restored = forward ? ReplaceObjects(state, step.ObjectsBefore, step.ObjectsAfter)
                                                       : ReplaceObjects(state, step.ObjectsAfter, step.ObjectsBefore);
    if (!restored) return std::nullopt;
    change.Restored = std::move(*restored);
  }
  return change;
}

std::optional<HistoryChange> History::Undo(AppState& state, const IconWriter& writeIcon) {
  burstKey_ = 0;
  if (!CanUndo()) return std::nullopt;
  std::optional<HistoryChange> change;
  try {
    change = Apply(state, steps_[position_ - 1], false, writeIcon);
  } catch (const std::exception&) {
    return std::nullopt;
  }
  if (!change) return std::nullopt;
  --position_;
  state.Modified = !MatchesSavedContent(state);
  return change;
}

std::optional<HistoryChange> History::Redo(AppState& state, const IconWriter& writeIcon) {
  burstKey_ = 0;
  if (!CanRedo()) return std::nullopt;
  std::optional<HistoryChange> change;
  try {
    change = Apply(state, steps_[position_], true, writeIcon);
  } catch (const std::exception&) {
    return std::nullopt;
  }
  if (!change) return std::nullopt;
  ++position_;
  state.Modified = !MatchesSavedContent(state);
  return change;
}

void History::Clear() {
  steps_.clear();
  position_ = 0;
  burstKey_ = 0;
}

}  // namespace corvela
