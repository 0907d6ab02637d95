#pragma once
// Undo and redo over the model. Each step keeps plain copies of what a command changed: the
// records of the objects it touched with their list positions (as the project file writes them),
// the whole project, or the bytes of the CD folder's icon. Objects restored by an undo or redo are
// new objects without pictures or panes: the caller is told which, and re-applies their resources.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "project/AppState.h"
#include "project/Model.h"

namespace corvela {

// What a step did; its name goes into the menu items ("Undo Move", "Redo Delete").
enum class EditKind : uint8_t {
  Add,
  Delete,
  Clear,
  Move,
  Resize,
  BringToFront,
  SendToBack,
  Properties,
  Link,
  StartLink,
  FormProperties,
  CDIcon,
  MenuSize,
  Paste,
  Duplicate,
  Align,
  Size,
  Space,
  Centre,
  Nudge,
  SizeToFit,
  StartPage,
};
const char* EditName(EditKind kind);

// A move when the body was dragged, a resize when a handle was.
EditKind EditKindForDrag(int32_t hitCode);

// One object's stored fields as the project file writes them, where it stood in the list and
// whether it was selected.
struct ObjectSnapshot {
  int32_t Index = 0;
  bool Selected = false;
  std::string Record;
  bool operator==(const ObjectSnapshot& o) const {
    return Index == o.Index && Selected == o.Selected && Record == o.Record;
  }
};

// The whole project as the file's settings block writes it (window Left and Top included, every
// object in order), and which objects were selected.
struct ProjectSnapshot {
  std::string Block;
  std::string DiscLabel;  // kept outside the settings block, in the file's extension block
  std::vector<bool> Selected;
  // The one project option kept outside the settings block besides the label.
  bool StartPage = false;
  bool operator==(const ProjectSnapshot& o) const {
    return Block == o.Block && DiscLabel == o.DiscLabel && Selected == o.Selected && StartPage == o.StartPage;
  }
};

// The CD folder's icon file: its bytes, or nothing when there was none.
struct IconSnapshot {
  std::optional<std::string> Bytes;
  bool operator==(const IconSnapshot& o) const { return Bytes == o.Bytes; }
};

// The objects at these list positions, in the order given. Nothing for an index outside the list
// or an object the file cannot hold.
std::optional<std::vector<ObjectSnapshot>> SnapshotObjects(const MenuProject& project, const std::vector<int>& indices);
std::optional<ProjectSnapshot> SnapshotProject(const AppState& state);
// List positions of the selected objects, ascending.
std::vector<int> SelectedIndices(const MenuProject& project);
// The last count positions of the list (objects just appended by Add, Paste, Duplicate).
std::vector<int> LastIndices(const MenuProject& project, size_t count);

// What an undo or redo changed, for the window layer to catch up with.
struct HistoryChange {
  EditKind Kind = EditKind::Add;
  // The whole project was replaced: window and panel settings, background and every object.
  bool ProjectReplaced = false;
  // List positions of the objects made anew from records, ascending: each needs its control
  // created and its resources applied, and then the controls re-stacked in list order. All of
  // them when ProjectReplaced.
  std::vector<int> Restored;
  // A CD icon step: the icon file must get these bytes back (nothing: there was no icon file).
  std::optional<IconSnapshot> Icon;
};

inline constexpr size_t kDefaultHistoryLimit = 100;
// The merge key of a burst of menu size changes (the design window's frame dragged).
inline constexpr uint32_t kMenuSizeBurst = 3;

class History {
 public:
  explicit History(size_t limit = kDefaultHistoryLimit) : limit_(limit < 1 ? 1 : limit) {}

  // Records a command already done on the model. For objects, before holds the touched objects as
  // they were (the ones removed or changed) and after the touched objects as they are now (the ones
  // added or changed); every other object must have kept its record and its order. A step whose
  // before equals its after is no change and is not recorded (returns false). A new step drops
  // everything that could be redone.
  //
  // A non-zero mergeKey lets a burst of small steps (keys held down) become one: a step with the
  // same key and the same objects as the open burst extends the previous step instead of adding
  // one. The burst ends at EndBurst, at any other step and at an undo or redo.
  bool RecordObjects(EditKind kind, std::vector<ObjectSnapshot> before, std::vector<ObjectSnapshot> after,
                     uint32_t mergeKey = 0);
  // The same for the whole project; a burst (the menu window resized by dragging its frame) keeps
  // the before of its first step.
  bool RecordProject(EditKind kind, ProjectSnapshot before, ProjectSnapshot after, uint32_t mergeKey = 0);
  bool RecordIcon(IconSnapshot before, IconSnapshot after);
  void EndBurst() { burstKey_ = 0; }

  bool CanUndo() const { return position_ > 0; }
  bool CanRedo() const { return position_ < steps_.size(); }
  // "Undo Move", or "Undo" when there is nothing to undo; the same for redo.
  std::string UndoText() const;
  std::string RedoText() const;

  // Writes the CD folder's icon file back (nothing: removes it); false when that failed.
  using IconWriter = std::function<bool(const IconSnapshot&)>;

  // Puts the model back as it was before the last step, or after the next one. Modified becomes
  // true unless the model then holds what the project file was last loaded or saved with
  // (AppState::SavedContent), whichever path saved it. Nothing when there is nothing to do, the
  // records cannot be read back or the icon cannot be written (the model is then untouched and
  // the history stays where it was).
  std::optional<HistoryChange> Undo(AppState& state, const IconWriter& writeIcon = {});
  std::optional<HistoryChange> Redo(AppState& state, const IconWriter& writeIcon = {});

  // A project was opened or made: no step is left.
  void Clear();

  size_t Size() const { return steps_.size(); }
  size_t Limit() const { return limit_; }

 private:
  struct Step {
    EditKind Kind = EditKind::Add;
    uint32_t MergeKey = 0;
    std::vector<ObjectSnapshot> ObjectsBefore, ObjectsAfter;
    std::optional<ProjectSnapshot> ProjectBefore, ProjectAfter;
    std::optional<IconSnapshot> IconBefore, IconAfter;
  };
  bool Push(Step step);
  std::optional<HistoryChange> Apply(AppState& state, const Step& step, bool forward, const IconWriter& writeIcon);

  size_t limit_;
  std::deque<Step> steps_;
  // Steps before position_ are done; those from it on can be redone.
  size_t position_ = 0;
  uint32_t burstKey_ = 0;
};

}  // namespace corvela
