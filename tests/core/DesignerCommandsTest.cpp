#include <gtest/gtest.h>

#include "app/DesignerCommands.h"
#include "designer/History.h"
#include "project/FolderCopy.h"
#include "project/ProjectFile.h"
#include "project/ProjectRescue.h"
#include "project/Resources.h"
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
  void ShowCheckDisc() override { Calls.push_back("check disc"); }
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

// Changes to save show as a mark after the folder; without a folder there is nothing to save to.
TEST(MainCaption, MarksChangesToSaveAfterTheFolder) {
  EXPECT_EQ(MainCaption("Corvela", "D:\\Menu", true), "Corvela - D:\\Menu*");
  EXPECT_EQ(MainCaption("Corvela", "D:\\Menu", false), "Corvela - D:\\Menu");
  EXPECT_EQ(MainCaption("Corvela", "", true), "Corvela");
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
      // Declined, the offer of what could be read leaves a new project as well.
      {"cut short", [](testing::FakeFileSystem& fs, const std::string& p) { fs.Files[p].resize(60); }, ""},
  };
  for (const Case& c : cases) {
    Designer d;
    d.State.Project.Objects.push_back(MakeNewObject(ObjectKind::Button));  // the previous folder's
    d.State.Project.Form.BorderStyle = static_cast<uint8_t>(FormBorderStyle::None);
    c.Spoil(d.Files, mnx);
    const std::string before = d.Files.Files[mnx];
    d.Shell.Folder = "D:\\Menu";
    std::string message = c.Message;
    if (message.empty()) {
      AppState scratch(d.Env);
      message = RescueQuestion(mnx, ReadPartialProject(scratch, before));
    }
    ASSERT_TRUE(OpenCommand(d.State, d.Shell, "Corvela")) << c.Why;
    EXPECT_EQ(d.Ui.Texts(), std::vector<std::string>{message}) << c.Why;
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

// A disc cuts a name of 65 Greek letters and refuses ';': Save says so before it writes anything.
TEST(SaveCommand, AsksBeforeWritingANameADiscCannotKeep) {
  Designer d;
  d.Shell.Folder = "D:\\Menu";
  ASSERT_TRUE(OpenCommand(d.State, d.Shell, "Corvela"));
  std::string longName;
  for (int i = 0; i < 65; ++i) longName += u8"α";
  MenuObject& label = *d.State.Project.Objects.at(0);
  label.Link.Action = LinkAction::OpenFile;
  label.Link.Target = "\\Docs\\" + longName + ".txt";
  auto& image = *d.State.Project.Objects.emplace_back(MakeNewObject(ObjectKind::Image));
  image.FileName = "\\Pictures\\a;b.jpg";
  d.State.Modified = true;
  const std::string before = d.Files.Files["D:\\Menu\\AutoRun.mnx"];

  d.Ui.Answers = {MessageResult::No};
  EXPECT_FALSE(SaveCommand(d.State));
  ASSERT_EQ(d.Ui.Shown.size(), 1u);
  EXPECT_EQ(d.Ui.Shown[0].Text, std::string(kRefusedNamesText) + "\n\n\\Docs\\" + longName +
                                    ".txt\n\\Pictures\\a;b.jpg\n\n" + kRefusedNamesQuestion);
  EXPECT_EQ(d.Files.Files["D:\\Menu\\AutoRun.mnx"], before);
  EXPECT_FALSE(d.Files.FileExists("D:\\Menu\\autorun.inf"));

  d.Ui.Answers = {MessageResult::Yes};
  EXPECT_TRUE(SaveCommand(d.State));
  EXPECT_NE(d.Files.Files["D:\\Menu\\AutoRun.mnx"], before);

  // 64 letters are within what a disc keeps: nothing is asked.
  label.Link.Target = "\\Docs\\" + longName.substr(0, 2 * 60) + ".txt";
  image.FileName = "\\Pictures\\ab.jpg";
  EXPECT_TRUE(SaveCommand(d.State));
  EXPECT_EQ(d.Ui.Shown.size(), 2u);
}

// Yes to the offer opens what could be read, marked modified; saving still asks before the
// damaged file is replaced.
TEST(UnreadableProject, ARescuedMenuIsModifiedAndStillGuardsTheDamagedFile) {
  Designer d;
  const std::string mnx = "D:\\Menu\\AutoRun.mnx";
  d.Files.Files[mnx].resize(d.Files.Files[mnx].size() - 82);  // into the reserved word
  const std::string before = d.Files.Files[mnx];
  d.Shell.Folder = "D:\\Menu";
  d.Ui.Answers = {MessageResult::Yes};
  ASSERT_TRUE(OpenCommand(d.State, d.Shell, "Corvela"));
  EXPECT_EQ(d.State.Project.Objects.size(), 1u);
  EXPECT_EQ(d.State.Project.Form.Caption, "Saved menu");
  EXPECT_TRUE(d.State.Modified);
  d.Ui.Answers = {MessageResult::No};
  EXPECT_FALSE(SaveCommand(d.State));
  EXPECT_EQ(d.Ui.Shown.back().Text, kReplaceUnreadableQuestion);
  EXPECT_EQ(d.Files.Files[mnx], before);
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

// Three missing pictures are one list with their objects, not three boxes; Yes opens Check Disc.
TEST(LoadProjectIntoDesigner, MissingFilesAreOneListThatOffersCheckDisc) {
  Designer d;
  d.State.CDFolder = "D:\\Menu";
  auto image = MakeNewObject(ObjectKind::Image);
  image->FileName = "\\art\\sea.jpg";
  image->HotTrackImageFile = "\\art\\sea-hot.jpg";
  image->Base().Name = "Sea";
  auto button = MakeNewObject(ObjectKind::Button);
  button->BitmapFile = "\\go.bmp";
  d.State.Project.Objects.push_back(std::move(image));
  d.State.Project.Objects.push_back(std::move(button));
  d.Files.Files["D:\\Menu\\AutoRun.mnx"] = *SerializeProject(d.State, std::string(80, '\0'));
  ClearObjects(d.State);
  d.Ui.Answers = {MessageResult::Yes};
  LoadProjectIntoDesigner(d.State, d.Shell, "D:\\Menu\\AutoRun.mnx", "Corvela");
  ASSERT_EQ(d.Ui.Shown.size(), 1u);
  EXPECT_EQ(d.Ui.Shown[0].Text,
            "3 files the menu names are missing:\n"
            "\nD:\\Menu\\art\\sea.jpg   (Sea #0)"
            "\nD:\\Menu\\art\\sea-hot.jpg   (Sea #0)"
            "\nD:\\Menu\\go.bmp   (Button #1)"
            "\n\nCheck Disc lists them with every other problem of the disc. Open Check Disc now?");
  EXPECT_EQ(d.Shell.Calls.back(), "check disc");
  EXPECT_EQ(d.State.CollectMissing, nullptr);
  // Afterwards a missing file is reported on its own again (a dialog's choice, a paste).
  ApplyObjectResources(d.State, *d.State.Project.Objects[1]);
  EXPECT_EQ(d.Ui.Shown.back().Text, "File \"D:\\Menu\\go.bmp\" not found");

  std::vector<MissingFile> many(kMissingListLength + 3, MissingFile{"D:\\x.bmp", "Image #0"});
  const std::string text = MissingFilesMessage(many);
  EXPECT_NE(text.find("\n... and 3 more\n"), std::string::npos);
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

// Save As from D:\Menu, which holds a picture below a folder of its own, the disc icon and the
// published files, into an E:\Copy that already has a picture of the same name.
struct SavingAs : Designer {
  SavingAs() {
    Shell.Folder = "D:\\Menu";
    OpenCommand(State, Shell, "Corvela");
    Files.Directories.insert({"D:\\Menu\\art", "E:\\Copy"});
    Files.Files["D:\\Menu\\art\\back.jpg"] = "JPG";
    Files.Files["D:\\Menu\\art\\same.gif"] = "GIF";
    Files.Files["D:\\Menu\\AutoRun.ico"] = "MINE";
    Files.Files["D:\\Menu\\AutoRun.exe"] = "OLD";
    Files.Files["D:\\Menu\\autorun.inf"] = "OLD";
    Files.Files["D:\\Menu\\AutoRun.mnx.saving"] = "HALF";
    Files.Files["E:\\Copy\\art\\back.jpg"] = "OTHER";
    Files.Files["E:\\Copy\\art\\same.gif"] = "GIF";
    Files.Files["C:\\Tools\\Corvela.ini"] = "";
    Files.Directories.insert("E:\\Copy\\art");
    State.Project.Objects.at(0)->Base().Name = "Edited";
    State.Modified = true;
    Shell.Calls.clear();
    Shell.Folder = "E:\\Copy\\";
  }
};

TEST(SaveAs, CopiesTheFolderPublishesThereAndGoesOnThere) {
  SavingAs d;
  d.Ui.Answers = {MessageResult::Yes};  // replace the other back.jpg
  ASSERT_TRUE(SaveAsCommand(d.State, d.Shell, "Corvela"));
  EXPECT_EQ(d.Ui.Texts(), std::vector<std::string>{"\"E:\\Copy\\art\\back.jpg\" is already there and holds another "
                                                    "file.\n\nReplace it with \"D:\\Menu\\art\\back.jpg\"?"});
  EXPECT_EQ(d.Files.Files["E:\\Copy\\art\\back.jpg"], "JPG");
  EXPECT_EQ(d.Files.Files["E:\\Copy\\AutoRun.ico"], "MINE");
  EXPECT_EQ(d.Files.Files["E:\\Copy\\AutoRun.exe"], "MZ");  // published, not copied
  EXPECT_FALSE(d.Files.FileExists("E:\\Copy\\AutoRun.mnx.saving"));
  EXPECT_EQ(d.State.CDFolder, "E:\\Copy");
  EXPECT_FALSE(d.State.Modified);
  EXPECT_EQ(d.Shell.Caption, "Corvela - E:\\Copy");
  EXPECT_EQ(d.Shell.Calls, (std::vector<std::string>{"browse Select the folder to save the CD files in [D:\\Menu]",
                                                     "cd icon"}));
  EXPECT_NE(d.Files.Files["C:\\Tools\\Corvela.ini"].find("DefaultPath=E:\\Copy\r\n"), std::string::npos);
  // The menu there is the one on screen; the source's project is untouched.
  AppState reread(d.Env);
  ASSERT_EQ(ParseProject(reread, d.Files.Files["E:\\Copy\\AutoRun.mnx"]), ParseOutcome::Loaded);
  EXPECT_EQ(reread.Project.Objects.at(0)->Base().Name, "Edited");
  ASSERT_EQ(ParseProject(reread, d.Files.Files["D:\\Menu\\AutoRun.mnx"]), ParseOutcome::Loaded);
  EXPECT_NE(reread.Project.Objects.at(0)->Base().Name, "Edited");
}

TEST(SaveAs, NoKeepsTheTargetsFileAndCancelStaysInTheOldFolder) {
  SavingAs keep;
  keep.Ui.Answers = {MessageResult::No};
  ASSERT_TRUE(SaveAsCommand(keep.State, keep.Shell, "Corvela"));
  EXPECT_EQ(keep.Files.Files["E:\\Copy\\art\\back.jpg"], "OTHER");

  SavingAs cancel;
  cancel.Ui.Answers = {MessageResult::Cancel};
  EXPECT_FALSE(SaveAsCommand(cancel.State, cancel.Shell, "Corvela"));
  EXPECT_EQ(cancel.State.CDFolder, "D:\\Menu");
  EXPECT_TRUE(cancel.State.Modified);
  EXPECT_FALSE(cancel.Files.FileExists("E:\\Copy\\AutoRun.mnx"));
}

// A stick pulled out: the menu on screen is not lost with it.
TEST(SaveAs, AFolderThatIsGoneStillLetsTheMenuBeSavedElsewhere) {
  SavingAs d;
  d.Files.Directories.erase("D:\\Menu");
  ASSERT_TRUE(SaveAsCommand(d.State, d.Shell, "Corvela"));
  EXPECT_EQ(d.State.CDFolder, "E:\\Copy");
  EXPECT_TRUE(d.Files.FileExists("E:\\Copy\\AutoRun.mnx"));
  ASSERT_EQ(d.Ui.Shown.size(), 1u);
  EXPECT_NE(d.Ui.Shown[0].Text.find("is not there: only the menu is saved"), std::string::npos);
}

TEST(SaveAs, AnotherMenusProjectIsReplacedOnlyOnYes) {
  SavingAs d;
  d.Files.Files["E:\\Copy\\AutoRun.mnx"] = "THEIRS";
  d.Ui.Answers = {MessageResult::No};
  EXPECT_FALSE(SaveAsCommand(d.State, d.Shell, "Corvela"));
  EXPECT_EQ(d.Ui.Shown.at(0).Buttons, MessageButtons::YesNoDefaultNo);
  EXPECT_EQ(d.Files.Files["E:\\Copy\\AutoRun.mnx"], "THEIRS");
  EXPECT_FALSE(d.Files.FileExists("E:\\Copy\\AutoRun.ico"));  // nothing copied either
  EXPECT_EQ(d.State.CDFolder, "D:\\Menu");
}

TEST(SaveAs, RefusesAFolderInsideTheCdFolderOrHoldingIt) {
  for (const char* target : {"D:\\Menu\\art", "d:\\MENU\\Sub\\Deeper", "D:\\", "D:"}) {
    SavingAs d;
    d.Shell.Folder = target;
    EXPECT_FALSE(SaveAsCommand(d.State, d.Shell, "Corvela")) << target;
    ASSERT_EQ(d.Ui.Shown.size(), 1u) << target;
    EXPECT_EQ(d.Ui.Shown[0].Caption, "Error") << target;
    EXPECT_NE(d.Ui.Shown[0].Text.find("Choose a folder outside it."), std::string::npos) << d.Ui.Shown[0].Text;
    EXPECT_EQ(d.State.CDFolder, "D:\\Menu") << target;
  }
  EXPECT_EQ(SaveAsPlaceProblem("D:\\Menu", "D:\\Menu2"), "");  // a sibling whose name only begins alike
}

// A read-only folder (a disc, a share) says where the way out is, once, before anything is written.
TEST(SaveAs, ASaveIntoAReadOnlyFolderPointsToSaveAs) {
  SavingAs d;
  d.Files.Unwritable.insert("D:\\Menu");
  EXPECT_FALSE(SaveCommand(d.State));
  ASSERT_EQ(d.Ui.Shown.size(), 1u);
  EXPECT_NE(d.Ui.Shown[0].Text.find("File > Save As..."), std::string::npos);
  EXPECT_EQ(d.Files.Files["D:\\Menu\\autorun.inf"], "OLD");
  d.Files.Unwritable.insert("E:\\Copy");
  EXPECT_FALSE(SaveAsCommand(d.State, d.Shell, "Corvela"));
  EXPECT_EQ(d.State.CDFolder, "D:\\Menu");
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
