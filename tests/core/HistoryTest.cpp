#include <gtest/gtest.h>

#include <functional>

#include "designer/Align.h"
#include "designer/ClipboardRecords.h"
#include "designer/Commands.h"
#include "designer/History.h"
#include "designer/Surface.h"
#include "project/CdFolder.h"
#include "project/CopyIn.h"
#include "project/ProjectFile.h"
#include "support/FakePlatform.h"
#include "support/ProjectSamples.h"

namespace corvela {
namespace {

using testing::FakeWorld;

class QuietHost : public SurfaceHost {
 public:
  Size InnerPanelSize() override { return {400, 300}; }
  void RepaintSurface() override {}
  void BandChanged(const Rect&, const Rect&) override {}
  void ControlCreated(MenuObject&) override {}
  void ControlBroughtToFront(MenuObject&) override {}
  void ControlSentToBack(MenuObject&) override {}
};

struct HistoryFixture : ::testing::Test {
  FakeWorld World;
  AppState& State = World.State;
  MenuProject& Project = World.State.Project;
  QuietHost Host;
  DesignSurface Surface{World.State, Host};
  History Steps;

  HistoryFixture() {
    testing::FillEveryKind(State);
    // Steps carry the model's UTF-8, whatever the code page can hold, and no step loses what a
    // newer designer left in the file.
    Project.Objects[0]->AsLabel()->Caption = u8"菜单 Ω";
    Project.UnknownExtensions = {{ExtensionTag("XSET"), std::string("\x01\x00", 2)}};
    Surface.RefreshSurface();  // clamps the sample's negative positions once, before any step
    World.Ui.Shown.clear();
  }
  std::string Bytes() { return SerializeProject(State, "").value(); }
  void Select(std::vector<int> indices) {
    for (auto& obj : Project.Objects) obj->Selected = false;
    for (int i : indices) Project.Objects[static_cast<size_t>(i)]->Selected = true;
  }
  std::vector<ObjectSnapshot> Shots(const std::vector<int>& indices) {
    return SnapshotObjects(Project, indices).value();
  }
  // Moves the selection by dx as one recorded step, as the window layer will.
  void MoveSelection(int32_t dx, uint32_t mergeKey = 0) {
    const auto indices = SelectedIndices(Project);
    auto before = Shots(indices);
    for (auto& obj : Project.Objects)
      if (obj->Selected) ApplyDragStep(obj->Base(), kHitBody, dx, 0);
    Steps.RecordObjects(mergeKey ? EditKind::Nudge : EditKind::Move, std::move(before), Shots(indices), mergeKey);
  }
};

// Dialogs whose OK changes a field; the window around them does nothing.
class EditingDialogs : public DialogOpener {
 public:
  bool EditFormProperties(MenuProject& project, Size&) override {
    project.Form.Caption = "Other";
    project.Panel.BevelWidth = 3;
    project.BackColor = 0x123456;
    return true;
  }
  bool EditLabelProperties(MenuObject& obj) override {
    obj.AsLabel()->Caption = "Changed";
    obj.AsLabel()->Font.Size = 30;
    return true;
  }
  bool EditButtonProperties(MenuObject&) override { return false; }
  bool EditImageProperties(MenuObject&) override { return false; }
  bool EditLink(ObjectLink& link) override {
    link.Target = "edited";
    return true;
  }
  bool GetFile(std::string&, bool, const std::string&) override { return false; }
};

class StillWindow : public DesignWindow {
 public:
  Size MenuClientSize() override { return {400, 300}; }
  void CopyMenuWindowLook() override {}
  void SetClientSize(Size) override {}
  void CopyPanelBorder() override {}
  void RunResizeHandler() override {}
  void RefreshSurface() override {}
};

struct Command {
  const char* Name;  // as the Undo item shows it
  std::function<void(HistoryFixture&)> Run;
};

// The surface records each of its commands itself; undo and redo go through it as the window's do.
TEST_F(HistoryFixture, EveryCommandOfTheSurfaceUndoneAndRedoneGivesTheSameFileBytes) {
  static EditingDialogs dialogs;
  static StillWindow window;
  const std::vector<Command> commands = {
      {"Add", [](HistoryFixture& f) { f.Surface.AddObject(ObjectKind::Button, 30, 40); }},
      {"Delete",  // two objects apart in the list come back at their own places
       [](HistoryFixture& f) {
         f.Select({1, 4});
         f.Surface.DeleteSelectedObjects();
       }},
      {"Clear", [](HistoryFixture& f) { f.Surface.ClearAllObjects(); }},
      {"Move",  // a drag of the topmost object by its middle
       [](HistoryFixture& f) {
         f.Select({});
         const ControlBase& top = f.Project.Objects.back()->Base();
         const Point middle{top.Left + top.Width / 2, top.Top + top.Height / 2};
         f.Surface.MouseDown(MouseButton::Left, false, middle, DesignTool::Select);
         f.Surface.MouseMove({middle.X + 5, middle.Y + 3});
         f.Surface.MouseUp(false, {middle.X + 5, middle.Y + 3});
       }},
      {"Bring to Front",
       [](HistoryFixture& f) {
         f.Select({1});
         f.Surface.BringSelectedToFront();
       }},
      {"Send to Back",
       [](HistoryFixture& f) {
         f.Select({5});
         f.Surface.SendSelectedToBack();
       }},
      {"Properties",
       [](HistoryFixture& f) {
         f.Select({0});
         ASSERT_TRUE(f.Surface.RunDialog(cmdObjectProperties, dialogs, window));
       }},
      {"Link",
       [](HistoryFixture& f) {
         f.Select({0});
         ASSERT_TRUE(f.Surface.RunDialog(cmdObjectLink, dialogs, window));
       }},
      {"Start Link", [](HistoryFixture& f) { ASSERT_TRUE(f.Surface.RunDialog(cmdStartLink, dialogs, window)); }},
      {"Form Properties",
       [](HistoryFixture& f) { ASSERT_TRUE(f.Surface.RunDialog(cmdFormProperties, dialogs, window)); }},
      {"Paste",
       [](HistoryFixture& f) {
         f.Select({0, 1, 2});
         ASSERT_TRUE(f.Surface.PasteRecords(WriteClipboardRecords(f.Project).value()));
       }},
      {"Duplicate",
       [](HistoryFixture& f) {
         f.Select({3});
         ASSERT_TRUE(f.Surface.DuplicateSelection());
       }},
      {"Size",
       [](HistoryFixture& f) {
         f.Select({1, 3, 6});
         ASSERT_TRUE(f.Surface.Arrange(AlignCommand::SameSize));
       }},
      {"Nudge",  // a burst of Shift+arrows
       [](HistoryFixture& f) {
         f.Select({2});
         ASSERT_TRUE(f.Surface.Nudge(ArrowKey::Right, false, true));
         ASSERT_TRUE(f.Surface.Nudge(ArrowKey::Down, false, true));
       }},
  };
  History& steps = Surface.Steps();
  for (const Command& c : commands) {
    SCOPED_TRACE(c.Name);
    steps.Clear();
    const std::string before = Bytes();
    c.Run(*this);
    const std::string after = Bytes();
    // Compared as booleans: a mismatch of two whole files says nothing more when printed.
    ASSERT_TRUE(before != after);
    // One step each, whatever the command did on the way.
    ASSERT_EQ(steps.Size(), 1u);
    EXPECT_EQ(steps.UndoText(), std::string("Undo ") + c.Name);
    ASSERT_TRUE(Surface.UndoStep());
    EXPECT_TRUE(Bytes() == before);
    EXPECT_EQ(steps.RedoText(), std::string("Redo ") + c.Name);
    ASSERT_TRUE(Surface.RedoStep());
    EXPECT_TRUE(Bytes() == after);
    ASSERT_TRUE(Surface.UndoStep());
    EXPECT_TRUE(Bytes() == before);
  }
}

TEST_F(HistoryFixture, RestoredObjectsAreNamedForTheWindowAndKeepTheirSelection) {
  Select({1, 4});
  auto before = Shots({1, 4});
  Surface.DeleteSelectedObjects();
  Steps.RecordObjects(EditKind::Delete, std::move(before), {});
  const auto change = Steps.Undo(State);
  ASSERT_TRUE(change);
  EXPECT_EQ(change->Restored, (std::vector<int>{1, 4}));
  EXPECT_FALSE(change->ProjectReplaced);
  EXPECT_TRUE(Project.Objects[1]->Selected && Project.Objects[4]->Selected);
  // Tags follow the list again, as after any change of order.
  for (size_t i = 0; i < Project.Objects.size(); ++i) EXPECT_EQ(Project.Objects[i]->Base().Tag, static_cast<int>(i));
}

// The surface writes the icon file back, or removes it when there was none.
TEST_F(HistoryFixture, IconStepPutsTheIconFileBack) {
  State.CDFolder = "C:\\cd";
  const std::string icon = CdIconPath(State.CDFolder);
  auto& files = World.Files.Files;
  files[icon] = "NEW";
  History& steps = Surface.Steps();
  ASSERT_TRUE(steps.RecordIcon({std::nullopt}, {std::string("NEW")}));
  ASSERT_TRUE(steps.RecordIcon({std::string("NEW")}, {std::string("NEWER")}));
  files[icon] = "NEWER";
  EXPECT_EQ(steps.UndoText(), "Undo CD Icon");
  ASSERT_TRUE(Surface.UndoStep());
  EXPECT_EQ(files[icon], "NEW");
  auto undone = Surface.UndoStep();
  ASSERT_TRUE(undone && undone->Icon);
  EXPECT_FALSE(undone->Icon->Bytes);
  EXPECT_EQ(files.count(icon), 0u);
  ASSERT_TRUE(Surface.RedoStep());
  EXPECT_EQ(files[icon], "NEW");
}

TEST_F(HistoryFixture, UndoBackToTheSavedStateIsUnmodifiedAndAnyOtherIsModified) {
  Select({0});
  MoveSelection(5);
  RememberSavedContent(State);
  State.Modified = false;
  MoveSelection(5);
  State.Modified = true;
  ASSERT_TRUE(Steps.Undo(State));
  EXPECT_FALSE(State.Modified);
  ASSERT_TRUE(Steps.Undo(State));
  EXPECT_TRUE(State.Modified);  // undo after a save
  ASSERT_TRUE(Steps.Redo(State));
  EXPECT_FALSE(State.Modified);
  // A new step drops the redo that led back to the saved state: it can never be reached again,
  // not even by a step that lands at the same position in the list.
  ASSERT_TRUE(Steps.Undo(State));
  MoveSelection(-2);
  EXPECT_FALSE(Steps.CanRedo());
  EXPECT_EQ(Steps.RedoText(), "Redo");
  ASSERT_TRUE(Steps.Undo(State));
  EXPECT_TRUE(State.Modified);
  ASSERT_TRUE(Steps.Redo(State));
  EXPECT_TRUE(State.Modified);
}

TEST_F(HistoryFixture, OpeningAFolderClearsTheSteps) {
  Select({0});
  MoveSelection(5);
  Steps.Clear();
  EXPECT_FALSE(Steps.CanUndo());
  EXPECT_EQ(Steps.UndoText(), "Undo");
  MoveSelection(5);
  ASSERT_TRUE(Steps.Undo(State));
  EXPECT_TRUE(State.Modified);  // no file was ever loaded or saved
}

// Changes that are no step (the menu resized before the size was a step) and steps that come back
// to the saved menu another way: the flag follows what the file holds, not the step count.
TEST_F(HistoryFixture, UndoSaysSavedOnlyWhenTheModelHoldsWhatTheFileHolds) {
  Select({0});
  RememberSavedContent(State);
  Project.Form.Width += 40;
  MoveSelection(1);
  ASSERT_TRUE(Steps.Undo(State));
  EXPECT_TRUE(State.Modified);
  Project.Form.Width -= 40;
  ASSERT_TRUE(Steps.Redo(State));
  MoveSelection(-1);  // the saved menu again, two steps on from the save
  ASSERT_TRUE(Steps.Undo(State));
  EXPECT_TRUE(State.Modified);
  ASSERT_TRUE(Steps.Redo(State));
  EXPECT_FALSE(State.Modified);
  // Moving the design window is no edit.
  Project.Form.Left += 100;
  ASSERT_TRUE(Steps.Undo(State));
  ASSERT_TRUE(Steps.Redo(State));
  EXPECT_FALSE(State.Modified);
}

// A folder that cannot take the icon back: the step stays to be tried again, and the user hears.
TEST_F(HistoryFixture, AnIconThatCannotBeWrittenBackKeepsTheStep) {
  State.CDFolder = "C:\\cd";
  History& steps = Surface.Steps();
  ASSERT_TRUE(steps.RecordIcon({std::string("OLD")}, {std::string("NEW")}));
  World.Files.Files[CdIconPath(State.CDFolder)] = "NEW";
  World.Files.Unwritable.insert(CdIconPath(State.CDFolder));
  EXPECT_FALSE(Surface.UndoStep());
  EXPECT_EQ(World.Files.Files[CdIconPath(State.CDFolder)], "NEW");
  EXPECT_EQ(steps.UndoText(), "Undo CD Icon");
  EXPECT_FALSE(steps.CanRedo());
  ASSERT_EQ(World.Ui.Shown.size(), 1u);
}

TEST_F(HistoryFixture, OldestStepsAreDroppedPastTheLimit) {
  ASSERT_GE(Steps.Limit(), 100u);
  Select({0});
  const int32_t start = Project.Objects[0]->Base().Left;
  const int extra = 5;
  for (size_t i = 0; i < Steps.Limit() + extra; ++i) MoveSelection(1);
  EXPECT_EQ(Steps.Size(), Steps.Limit());
  while (Steps.Undo(State)) {
  }
  EXPECT_EQ(Project.Objects[0]->Base().Left, start + extra);
  // The saved state went with the dropped steps: the oldest state left is a modified one.
  EXPECT_TRUE(State.Modified);
}

TEST_F(HistoryFixture, ABurstOfNudgesIsOneStepUntilItEnds) {
  Select({0, 2});
  const std::string start = Bytes();
  for (int i = 0; i < 5; ++i) MoveSelection(1, kNudgeMoveBurst);
  EXPECT_EQ(Steps.Size(), 1u);
  EXPECT_EQ(Steps.UndoText(), "Undo Nudge");
  const std::string moved = Bytes();
  Steps.EndBurst();
  MoveSelection(1, kNudgeMoveBurst);
  EXPECT_EQ(Steps.Size(), 2u);
  ASSERT_TRUE(Steps.Undo(State));
  EXPECT_EQ(Bytes(), moved);
  ASSERT_TRUE(Steps.Undo(State));
  EXPECT_EQ(Bytes(), start);
}

TEST_F(HistoryFixture, ABurstThatEndsWhereItBeganLeavesNoStep) {
  Select({0});
  MoveSelection(3, kNudgeMoveBurst);
  MoveSelection(-3, kNudgeMoveBurst);
  EXPECT_FALSE(Steps.CanUndo());
}

TEST_F(HistoryFixture, ABurstDoesNotSwallowAStepOfOtherObjects) {
  Select({0});
  MoveSelection(1, kNudgeMoveBurst);
  Select({1});
  MoveSelection(1, kNudgeMoveBurst);
  EXPECT_EQ(Steps.Size(), 2u);
}

TEST_F(HistoryFixture, AStepThatChangesNothingIsNotRecorded) {
  EXPECT_FALSE(Steps.RecordObjects(EditKind::Properties, Shots({0}), Shots({0})));
  EXPECT_FALSE(Steps.CanUndo());
}

TEST_F(HistoryFixture, AStepWhoseRecordsCannotBeReadLeavesTheModelAlone) {
  const std::string start = Bytes();
  std::vector<ObjectSnapshot> damaged = Shots({0});
  damaged[0].Record.pop_back();
  ASSERT_TRUE(Steps.RecordObjects(EditKind::Properties, damaged, Shots({0, 1})));
  EXPECT_FALSE(Steps.Undo(State));
  EXPECT_EQ(Bytes(), start);
  EXPECT_TRUE(Steps.CanUndo());
}

// Objects pasted from a designer on another CD folder bring the files this one lacks, on Yes; an
// Undo of the paste takes the objects away and leaves the copied file, as Undo leaves every file.
TEST_F(HistoryFixture, APasteFromAnotherFolderCopiesItsFilesAndUndoKeepsThem) {
  State.CDFolder = "D:\\Menu";
  World.Files.Directories = {"D:\\Menu", "E:\\Other"};
  World.Files.Files["E:\\Other\\art\\sea.jpg"] = "SEA";
  auto image = MakeNewObject(ObjectKind::Image);
  image->FileName = "\\art\\sea.jpg";
  image->Selected = true;
  MenuProject other;
  other.Objects.push_back(std::move(image));
  const std::string records = WriteClipboardRecords(other, "E:\\Other").value();
  const size_t before = Project.Objects.size();

  World.Ui.Answers = {MessageResult::Yes};
  ASSERT_TRUE(Surface.PasteRecords(records));
  ASSERT_EQ(World.Ui.Shown.size(), 1u);
  EXPECT_EQ(World.Ui.Shown[0].Caption, kCopyInTitle);
  EXPECT_EQ(World.Files.Files["D:\\Menu\\art\\sea.jpg"], "SEA");
  ASSERT_TRUE(Surface.Steps().Undo(State));
  EXPECT_EQ(Project.Objects.size(), before);
  EXPECT_EQ(World.Files.Files["D:\\Menu\\art\\sea.jpg"], "SEA");
}

}  // namespace
}  // namespace corvela
