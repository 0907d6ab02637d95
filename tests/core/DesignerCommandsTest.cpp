#include <gtest/gtest.h>

#include "app/DesignerCommands.h"
#include "designer/History.h"
#include "project/ProjectFile.h"
#include "support/FakePlatform.h"

namespace corvela {
namespace {

using testing::FakeWorld;

class FakeShell : public DesignerShell {
 public:
  std::optional<std::string> Folder;  // the browser's answer
  std::vector<std::string> Calls;
  std::string Caption;
  std::optional<std::string> BrowseForFolder(const std::string& title, const std::string& preselected) override {
    Calls.push_back("browse " + title + " [" + preselected + "]");
    return Folder;
  }
  void FitDesignSurface() override { Calls.push_back("fit"); }
  void SetMainCaption(const std::string& caption) override { Caption = caption; }
  void UpdateCDIconButton() override { Calls.push_back("cd icon"); }
  void StartProgram(const std::string& path, const std::string& folder) override {
    Calls.push_back("start " + path + " in " + folder);
  }
  bool TestAfterCheck = true;
  bool CheckBeforeTest() override {
    Calls.push_back("check");
    return TestAfterCheck;
  }
};

// A designer at C:\Tools whose CD folder D:\Menu holds a project with one object.
struct Designer : FakeWorld {
  FakeShell Shell;
  Designer() {
    State.ExeFileName = "C:\\Tools\\Corvela.exe";
    State.AppFolder = "C:\\Tools";
    Files.Files["C:\\Tools\\Corvela.exe"] = "MZ";
    Files.Files["C:\\Tools\\Default.ico"] = "ICO";
    Files.Directories = {"C:\\Tools", "D:\\Menu", "D:\\Other", "D:\\Gone-not"};
    NewProject(State);
    State.Project.Objects.push_back(MakeNewObject(ObjectKind::Label));
    State.Project.Form.Caption = "Saved menu";
    Files.Files["D:\\Menu\\AutoRun.mnx"] = *SerializeProject(State, std::string(80, '\0'));
    ClearObjects(State);
    State.Modified = false;
  }
};

TEST(OpenCommand, LoadsTheChosenFoldersProjectUnmodified) {
  Designer d;
  d.Shell.Folder = "D:\\Menu\\";
  ASSERT_TRUE(OpenCommand(d.State, d.Shell, "Corvela"));
  EXPECT_EQ(d.State.CDFolder, "D:\\Menu");
  EXPECT_EQ(d.State.Project.Form.Caption, "Saved menu");
  EXPECT_EQ(d.State.Project.Objects.size(), 1u);
  EXPECT_FALSE(d.State.Modified);
  EXPECT_EQ(d.Shell.Caption, "Corvela - D:\\Menu");
  EXPECT_EQ(d.Shell.Calls, (std::vector<std::string>{"browse Select the folder for CD files []", "fit", "cd icon"}));
  EXPECT_EQ(MainCaption("Corvela", ""), "Corvela");
}

TEST(OpenCommand, AFolderWithoutProjectStartsANewOneAndADriveRootIsTheDriveAlone) {
  Designer d;
  d.Shell.Folder = "D:\\Other";
  OpenCommand(d.State, d.Shell, "Corvela");
  EXPECT_EQ(d.State.Project.Form.Caption, "AutoRun");
  EXPECT_TRUE(d.State.Project.Objects.empty());
  EXPECT_FALSE(d.State.Modified);
  d.Shell.Folder = "E:\\";
  OpenCommand(d.State, d.Shell, "Corvela");
  EXPECT_EQ(d.State.CDFolder, "E:");
}

TEST(OpenCommand, CancelToTheQuestionLeavesEverythingAndOpensNoBrowser) {
  Designer d;
  d.State.CDFolder = "D:\\Menu";
  d.State.Modified = true;
  d.Ui.Answers = {MessageResult::Cancel};
  d.Shell.Folder = "D:\\Other";
  EXPECT_FALSE(OpenCommand(d.State, d.Shell, "Corvela"));
  EXPECT_EQ(d.State.CDFolder, "D:\\Menu");
  EXPECT_TRUE(d.State.Modified);
  EXPECT_TRUE(d.Shell.Calls.empty());
  ASSERT_EQ(d.Ui.Shown.size(), 1u);
  EXPECT_EQ(d.Ui.Shown[0].Text, "Save Changes to file?");
  EXPECT_EQ(d.Ui.Shown[0].Caption, "Exit");
  EXPECT_EQ(d.Ui.Shown[0].Icon, MessageIcon::Question);
  EXPECT_EQ(d.Ui.Shown[0].Buttons, MessageButtons::YesNoCancel);
}

// A USB stick pulled out: the browser merely starts elsewhere, and cancelling it loses nothing.
TEST(OpenCommand, AFolderThatIsGoneOnlyMovesTheBrowserAndCancelKeepsTheWork) {
  Designer d;
  d.State.CDFolder = "D:\\Gone";
  d.State.Modified = true;
  d.Ui.Answers = {MessageResult::No};
  EXPECT_FALSE(OpenCommand(d.State, d.Shell, "Corvela"));  // cancelled
  EXPECT_EQ(d.Shell.Calls.at(0), "browse Select the folder for CD files []");
  EXPECT_EQ(d.State.CDFolder, "D:\\Gone");
  EXPECT_TRUE(d.State.Modified);
  d.Ui.Answers = {MessageResult::Cancel};
  EXPECT_FALSE(CloseQuery(d.State));
  EXPECT_EQ(d.Ui.Shown.back().Text, "Save Changes to file?");
}

// A project file that cannot be read leaves a new project instead of the previous folder's or a
// part of this one, and is replaced only when the user says so.
TEST(UnreadableProject, OpensANewProjectAndIsReplacedOnlyOnYes) {
  const std::string mnx = "D:\\Menu\\AutoRun.mnx";
  struct Case {
    const char* Why;
    void (*Spoil)(testing::FakeFileSystem& fs, const std::string& mnx);
    std::string Message;
  };
  const Case cases[] = {
      {"not a project", [](testing::FakeFileSystem& fs, const std::string& p) { fs.Files[p] = "PK\x03\x04"; },
       "File format not match"},
      {"cannot be opened", [](testing::FakeFileSystem& fs, const std::string& p) { fs.Unreadable.insert(p); },
       "Cannot open file \"" + mnx + "\"."},
      {"cut short", [](testing::FakeFileSystem& fs, const std::string& p) { fs.Files[p].resize(60); }, "IO Error"},
  };
  for (const Case& c : cases) {
    Designer d;
    d.State.Project.Objects.push_back(MakeNewObject(ObjectKind::Button));  // the previous folder's
    d.State.Project.Form.BorderStyle = static_cast<uint8_t>(FormBorderStyle::None);
    c.Spoil(d.Files, mnx);
    const std::string before = d.Files.Files[mnx];
    d.Shell.Folder = "D:\\Menu";
    ASSERT_TRUE(OpenCommand(d.State, d.Shell, "Corvela")) << c.Why;
    EXPECT_EQ(d.Ui.Texts(), std::vector<std::string>{c.Message}) << c.Why;
    EXPECT_TRUE(d.State.Project.Objects.empty()) << c.Why;
    EXPECT_EQ(d.State.Project.Form.BorderStyle, static_cast<uint8_t>(FormBorderStyle::Sizeable)) << c.Why;
    EXPECT_EQ(d.State.Project.Form.Width, 600) << c.Why;
    EXPECT_TRUE(d.State.ProjectUnreadable) << c.Why;

    // Save, Save and Test and the close question's Yes each ask; No writes nothing.
    d.State.Modified = true;
    d.Ui.Answers = {MessageResult::No};
    EXPECT_FALSE(SaveCommand(d.State)) << c.Why;
    const testing::ShownMessage& asked = d.Ui.Shown.back();
    EXPECT_EQ(asked.Text, "AutoRun.mnx in this folder could not be read. Replace it with the menu on screen?");
    EXPECT_EQ(asked.Buttons, MessageButtons::YesNoDefaultNo);
    d.Ui.Answers = {MessageResult::No};
    SaveAndTestCommand(d.State, d.Shell);
    d.Ui.Answers = {MessageResult::Yes, MessageResult::No};
    EXPECT_FALSE(CloseQuery(d.State)) << c.Why;
    EXPECT_EQ(d.Ui.Shown.size(), 5u) << c.Why;
    EXPECT_EQ(d.Shell.Calls.back(), "cd icon") << c.Why;  // nothing started
    EXPECT_EQ(d.Files.Files[mnx], before) << c.Why;
    EXPECT_FALSE(d.Files.FileExists("D:\\Menu\\autorun.inf")) << c.Why;
    EXPECT_TRUE(d.State.Modified) << c.Why;

    d.Ui.Answers = {MessageResult::Yes};
    EXPECT_TRUE(SaveCommand(d.State)) << c.Why;
    EXPECT_NE(d.Files.Files[mnx], before) << c.Why;
    EXPECT_FALSE(d.State.ProjectUnreadable) << c.Why;
    EXPECT_TRUE(SaveCommand(d.State)) << c.Why;  // asks no more
    EXPECT_EQ(d.Ui.Shown.size(), 6u) << c.Why;
  }
}

TEST(UnreadableProject, IsForgottenWhenAnotherFolderOpens) {
  Designer d;
  d.Files.Files["D:\\Menu\\AutoRun.mnx"] = "junk";
  d.Shell.Folder = "D:\\Menu";
  OpenCommand(d.State, d.Shell, "Corvela");
  ASSERT_TRUE(d.State.ProjectUnreadable);
  d.Shell.Folder = "D:\\Other";
  OpenCommand(d.State, d.Shell, "Corvela");
  EXPECT_FALSE(d.State.ProjectUnreadable);
}

TEST(CloseQuery, YesPublishesAndAFailedSaveRefusesTheClose) {
  Designer d;
  d.State.CDFolder = "D:\\Menu";
  d.State.Modified = true;
  d.Ui.Answers = {MessageResult::Yes};
  EXPECT_TRUE(CloseQuery(d.State));
  EXPECT_FALSE(d.State.Modified);
  EXPECT_TRUE(d.Files.FileExists("D:\\Menu\\autorun.inf"));

  d.State.Modified = true;
  d.State.CDFolder = "D:\\Missing";
  d.Ui.Answers = {MessageResult::Yes};
  EXPECT_FALSE(CloseQuery(d.State));
  EXPECT_TRUE(d.State.Modified);
  EXPECT_EQ(d.Ui.Shown.back().Text, "Directory \"D:\\Missing\" not found");

  // No closes and writes nothing.
  d.State.CDFolder = "D:\\Other";
  d.Ui.Answers = {MessageResult::No};
  EXPECT_TRUE(CloseQuery(d.State));
  EXPECT_FALSE(d.Files.FileExists("D:\\Other\\AutoRun.mnx"));
}

TEST(CloseQuery, NothingIsAskedWithoutChangesOrWithoutAFolder) {
  Designer d;
  d.State.CDFolder = "D:\\Menu";
  EXPECT_TRUE(CloseQuery(d.State));
  d.State.CDFolder.clear();
  d.State.Modified = true;
  EXPECT_TRUE(CloseQuery(d.State));
  EXPECT_TRUE(d.Ui.Shown.empty());
}

TEST(SaveAndTest, StartsThePublishedPlayerEvenWhenTheSaveFailed) {
  Designer d;
  d.State.CDFolder = "D:\\Missing";
  d.State.Modified = true;
  SaveAndTestCommand(d.State, d.Shell);
  EXPECT_TRUE(d.State.Modified);
  // By its full path, with the CD folder as the player's own folder.
  EXPECT_EQ(d.Shell.Calls, (std::vector<std::string>{"check", "start D:\\Missing\\AutoRun.exe in D:\\Missing"}));
}

TEST(SaveAndTest, StopsAfterTheSaveWhenTheUserDoesNotTestADiscWithErrors) {
  Designer d;
  d.State.CDFolder = "D:\\Menu";
  d.Shell.TestAfterCheck = false;
  SaveAndTestCommand(d.State, d.Shell);
  EXPECT_TRUE(d.Files.FileExists("D:\\Menu\\autorun.inf"));
  EXPECT_EQ(d.Shell.Calls, (std::vector<std::string>{"check"}));
}

TEST(SelectCDIcon, CopiesTheChoiceOverTheDiscIconUnlessItIsThatIcon) {
  Designer d;
  d.State.CDFolder = "D:\\Menu";
  d.Files.Files["C:\\icons\\disc.ico"] = "NEW";
  d.Chooser.Answer = "C:\\icons\\disc.ico";
  SelectCDIconCommand(d.State, d.Shell);
  EXPECT_EQ(d.Files.Files["D:\\Menu\\AutoRun.ico"], "NEW");
  EXPECT_EQ(d.Chooser.Requests.at(0).FileName, "D:\\Menu\\AutoRun.ico");
  EXPECT_EQ(d.Chooser.Requests.at(0).Filter, "Icons (*.ico)|*.ico");
  EXPECT_EQ(d.Shell.Calls, (std::vector<std::string>{"cd icon"}));
  EXPECT_FALSE(d.State.Modified);

  d.Chooser.Answer = "d:\\menu\\autorun.ICO";
  SelectCDIconCommand(d.State, d.Shell);
  EXPECT_EQ(d.Shell.Calls.size(), 1u);

  d.Chooser.Answer = "C:\\icons\\disc.ico";
  d.Files.FailingCopies.insert("D:\\Menu\\AutoRun.ico");
  SelectCDIconCommand(d.State, d.Shell);
  EXPECT_EQ(d.Ui.Shown.back().Text, "IO Error");
  EXPECT_EQ(d.Ui.Shown.back().Caption, "Error");
}

TEST(FirstShow, AKnownFolderIsLoadedAndAChosenOneAlsoCounts) {
  Designer known;
  known.State.CDFolder = "D:\\Menu";
  ASSERT_TRUE(FirstShow(known.State, known.Shell, "Corvela"));
  EXPECT_EQ(known.State.Project.Form.Caption, "Saved menu");
  EXPECT_TRUE(known.State.Modified);  // until the start timer ticks

  Designer none;
  EXPECT_FALSE(FirstShow(none.State, none.Shell, "Corvela"));  // browser cancelled: the designer closes
}

// The Yes of "Save Changes to file?" before Open saves as Save does, even when the browser is then
// cancelled: undoing the edit is a change again, redoing it is none. A folder known at start-up
// can be undone back to unmodified.
TEST(SavedContent, EverySaveAndTheFirstLoadAreWhatUndoComesBackTo) {
  Designer d;
  d.State.CDFolder = "D:\\Menu";
  ASSERT_TRUE(FirstShow(d.State, d.Shell, "Corvela"));
  History steps;
  auto caption = [&](const char* text) {
    auto before = SnapshotProject(d.State);
    d.State.Project.Form.Caption = text;
    d.State.Modified = true;
    steps.RecordProject(EditKind::FormProperties, *before, *SnapshotProject(d.State));
  };
  caption("Edited");
  ASSERT_TRUE(steps.Undo(d.State));
  EXPECT_FALSE(d.State.Modified);
  ASSERT_TRUE(steps.Redo(d.State));
  EXPECT_TRUE(d.State.Modified);

  d.Ui.Answers = {MessageResult::Yes};
  EXPECT_FALSE(OpenCommand(d.State, d.Shell, "Corvela"));  // browser cancelled
  EXPECT_FALSE(d.State.Modified);
  ASSERT_TRUE(steps.Undo(d.State));
  EXPECT_TRUE(d.State.Modified);
  ASSERT_TRUE(steps.Redo(d.State));
  EXPECT_FALSE(d.State.Modified);
}

}  // namespace
}  // namespace corvela

namespace corvela {
namespace {

TEST(StartPageCommand, IsOneStepOfTheHistoryAndOtherStepsKeepIt) {
  testing::FakeWorld world;
  AppState& state = world.State;
  NewProject(state);
  RememberSavedContent(state);
  History history;
  StartPageCommand(state, history);
  EXPECT_TRUE(state.Project.PublishStartPage);
  EXPECT_TRUE(state.Modified);
  EXPECT_EQ(history.UndoText(), "Undo Start Page");
  // A later step over the whole project restores its settings, not the option.
  const ProjectSnapshot before = SnapshotProject(state).value();
  state.Project.Form.Caption = "Changed";
  history.RecordProject(EditKind::FormProperties, before, SnapshotProject(state).value());
  ASSERT_TRUE(history.Undo(state));
  EXPECT_TRUE(state.Project.PublishStartPage);
  ASSERT_TRUE(history.Undo(state));
  EXPECT_FALSE(state.Project.PublishStartPage);
  // Back where the file was: nothing to save.
  EXPECT_FALSE(state.Modified);
  ASSERT_TRUE(history.Redo(state));
  EXPECT_TRUE(state.Project.PublishStartPage);
  EXPECT_TRUE(state.Modified);
}

}  // namespace
}  // namespace corvela
