#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "project/ProjectFile.h"
#include "project/Publish.h"
#include "support/FakePlatform.h"

namespace corvela {
namespace {

using testing::FakeWorld;

const std::string kCd = "D:\\Menu CD";
const std::string kExe = "C:\\Tools\\Corvela.exe";
const std::string kDefaultIco = "C:\\Tools\\Default.ico";
const std::string kIni = "C:\\Tools\\Corvela.ini";
const std::string kAutoRunExe = kCd + "\\AutoRun.exe";
const std::string kAutoRunIco = kCd + "\\AutoRun.ico";
const std::string kInf = kCd + "\\autorun.inf";
const std::string kMnx = kCd + "\\AutoRun.mnx";
// What a publish leaves in the settings file: UTF-8 behind its mark.
const std::string kRemembered = std::string(kUtf8Mark) + "DefaultPath=D:\\Menu CD\r\n";

// A designer in C:\Tools with its Default.ico, an old ini and an edited project.
void ArrangeDesigner(FakeWorld& world) {
  world.Files.Directories = {"C:\\Tools", kCd};
  world.Files.Files[kExe] = "designer exe";
  world.Files.Files[kDefaultIco] = "default icon";
  world.Files.Files[kIni] = "DefaultPath=C:\\Old\r\n";
  world.State.ExeFileName = kExe;
  world.State.CDFolder = kCd;
  NewProject(world.State);
  world.State.Project.Objects.push_back(MakeNewObject(ObjectKind::Button));
  world.State.Modified = true;
}

TEST(PublishCDFolder, FirstPublishFillsTheFolderAndRemembersIt) {
  FakeWorld world;
  ArrangeDesigner(world);
  ASSERT_TRUE(PublishCDFolder(world.State, kCd));
  auto& files = world.Files.Files;
  EXPECT_EQ(files[kAutoRunExe], "designer exe");
  EXPECT_EQ(files[kAutoRunIco], "default icon");
  EXPECT_EQ(files[kInf], "[autorun]\r\nOPEN=AUTORUN.EXE\r\nICON=AUTORUN.ICO\r\n");
  EXPECT_EQ(files[kIni], kRemembered);
  // The project file is what the writer makes of the model, with the trailer ticks of the save.
  EXPECT_EQ(files[kMnx], SerializeProject(world.State, files[kMnx].substr(files[kMnx].size() - 80)).value());
  EXPECT_FALSE(world.State.Modified);
  EXPECT_TRUE(world.Ui.Shown.empty());
}

TEST(PublishCDFolder, SecondPublishReplacesAnotherPlayerKeepsTheIconAndRewritesTheRest) {
  FakeWorld world;
  ArrangeDesigner(world);
  ASSERT_TRUE(PublishCDFolder(world.State, kCd));
  auto& files = world.Files.Files;
  files[kAutoRunExe] = "another disc's player";
  files[kAutoRunIco] = "icon the user chose";
  files[kInf] = "edited by hand";
  files[kIni] = "";
  const std::string firstProject = files[kMnx];
  world.State.Project.Form.Caption = "Second";
  world.State.Modified = true;

  ASSERT_TRUE(PublishCDFolder(world.State, kCd));
  EXPECT_EQ(files[kAutoRunExe], "designer exe");
  EXPECT_EQ(files[kAutoRunIco], "icon the user chose");
  EXPECT_EQ(files[kInf], kAutorunInf);
  EXPECT_EQ(files[kIni], kRemembered);
  EXPECT_NE(files[kMnx], firstProject);
  EXPECT_NE(files[kMnx].find("Second"), std::string::npos);
  EXPECT_FALSE(world.State.Modified);

  // A player with the designer's bytes is left alone (a running one could not be replaced).
  world.Files.Unwritable.insert(kAutoRunExe);
  EXPECT_TRUE(PublishCDFolder(world.State, kCd));
}

// Each failure stops publishing at its step: what was written before stays, nothing after it is
// written, Corvela.ini keeps the old folder and the project stays modified.
TEST(PublishCDFolder, StopsAtTheFirstFailureWithItsMessage) {
  struct Case {
    const char* Why;
    std::function<void(testing::FakeFileSystem&)> Arrange;
    std::string Message;
    std::vector<std::string> Written;  // of AutoRun.exe, AutoRun.ico, autorun.inf, AutoRun.mnx
  };
  const Case cases[] = {
      {"CD folder deleted",
       [](testing::FakeFileSystem& fs) { fs.Directories.erase(kCd); },
       "Directory \"D:\\Menu CD\" not found",
       {}},
      {"the player cannot be written",
       [](testing::FakeFileSystem& fs) { fs.Unwritable.insert(kAutoRunExe); },
       "Cannot create file \"" + kAutoRunExe + "\".",
       {}},
      {"no Default.ico beside the designer",
       [](testing::FakeFileSystem& fs) { fs.Files.erase(kDefaultIco); },
       "IO Error",
       {kAutoRunExe}},
      {"autorun.inf cannot be created",
       [](testing::FakeFileSystem& fs) { fs.Unwritable.insert(kInf); },
       "Cannot create file \"" + kInf + "\".",
       {kAutoRunExe, kAutoRunIco}},
      {"project file cannot be created",
       [](testing::FakeFileSystem& fs) { fs.Unwritable.insert(kMnx); },
       "Cannot create file \"" + kMnx + "\".",
       {kAutoRunExe, kAutoRunIco, kInf}},
  };
  for (const Case& c : cases) {
    FakeWorld world;
    ArrangeDesigner(world);
    c.Arrange(world.Files);
    EXPECT_FALSE(PublishCDFolder(world.State, kCd)) << c.Why;
    EXPECT_EQ(world.Ui.Texts(), std::vector<std::string>{c.Message}) << c.Why;
    EXPECT_EQ(world.Ui.Shown[0].Caption, "Error") << c.Why;
    for (const std::string& path : {kAutoRunExe, kAutoRunIco, kInf, kMnx}) {
      const bool expected = std::find(c.Written.begin(), c.Written.end(), path) != c.Written.end();
      EXPECT_EQ(world.Files.FileExists(path), expected) << c.Why << ": " << path;
    }
    EXPECT_EQ(world.Files.Files[kIni], "DefaultPath=C:\\Old\r\n") << c.Why;
    EXPECT_TRUE(world.State.Modified) << c.Why;
  }
}

TEST(PublishCDFolder, AnExistingIconNeedsNoDefaultIco) {
  FakeWorld world;
  ArrangeDesigner(world);
  world.Files.Files.erase(kDefaultIco);
  world.Files.Files[kAutoRunIco] = "chosen icon";
  EXPECT_TRUE(PublishCDFolder(world.State, kCd));
  EXPECT_EQ(world.Files.Files[kAutoRunIco], "chosen icon");
}

// An install the user may not write to (Program Files): the settings go to the user's own folder,
// and settings that cannot be written anywhere never fail a save that published the folder.
TEST(PublishCDFolder, SettingsGoToTheUserFolderUnlessTheFileBesideTheExeMayBeWritten) {
  const std::string userIni = "C:\\Users\\ann\\AppData\\Corvela\\Corvela.ini";
  struct Case {
    const char* Why;
    bool IniBesideExe, IniWritable;
    std::string AppData;
    std::string WrittenTo;  // empty: nowhere
  };
  const Case cases[] = {
      {"a portable install", true, true, "C:\\Users\\ann\\AppData", kIni},
      {"no file beside the exe", false, false, "C:\\Users\\ann\\AppData", userIni},
      {"a read-only file beside the exe", true, false, "C:\\Users\\ann\\AppData", userIni},
      {"nowhere to write", true, false, "", ""},
  };
  for (const Case& c : cases) {
    FakeWorld world;
    ArrangeDesigner(world);
    if (!c.IniBesideExe) world.Files.Files.erase(kIni);
    if (!c.IniWritable) world.Files.Unwritable.insert(kIni);
    world.Files.AppData = c.AppData;
    EXPECT_TRUE(PublishCDFolder(world.State, kCd)) << c.Why;
    EXPECT_TRUE(world.Ui.Shown.empty()) << c.Why;
    EXPECT_FALSE(world.State.Modified) << c.Why;
    for (const std::string& ini : {kIni, userIni}) {
      const std::string got = world.Files.FileExists(ini) ? world.Files.Files[ini] : "";
      EXPECT_EQ(got == kRemembered, ini == c.WrittenTo) << c.Why << ": " << ini;
    }
    EXPECT_EQ(world.Files.DirectoryExists("C:\\Users\\ann\\AppData\\Corvela"), c.WrittenTo == userIni) << c.Why;
  }
}

// A save killed half-way left its temporary files; they would be burnt with the disc.
TEST(PublishCDFolder, RemovesWhatInterruptedSavesLeftButNoFileOfTheUsers) {
  FakeWorld world;
  ArrangeDesigner(world);
  const std::vector<std::string> leftovers = {kMnx + ".saving", kMnx + ".tmp", kInf + ".saving",
                                              kAutoRunExe + ".saving"};
  for (const std::string& path : leftovers) world.Files.Files[path] = "half";
  world.Files.Files[kCd + "\\notes.tmp"] = "mine";
  ASSERT_TRUE(PublishCDFolder(world.State, kCd));
  for (const std::string& path : leftovers) EXPECT_FALSE(world.Files.FileExists(path)) << path;
  EXPECT_TRUE(world.Files.FileExists(kCd + "\\notes.tmp"));
}

}  // namespace
}  // namespace corvela
