#include <gtest/gtest.h>

#include "app/DesignerCommands.h"
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
  void StartProgram(const std::string& path) override { Calls.push_back("start " + path); }
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

TEST(OpenCommand, AFolderThatIsGoneIsForgottenBeforeTheBrowserOpens) {
  Designer d;
  d.State.CDFolder = "D:\\Gone";
  EXPECT_FALSE(OpenCommand(d.State, d.Shell, "Corvela"));  // cancelled
  EXPECT_EQ(d.State.CDFolder, "");
  EXPECT_EQ(d.Shell.Calls.at(0), "browse Select the folder for CD files []");
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
  EXPECT_EQ(d.Shell.Calls, (std::vector<std::string>{"check", "start D:\\Missing\\AutoRun.exe"}));
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

}  // namespace
}  // namespace corvela
