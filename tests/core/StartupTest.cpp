#include <gtest/gtest.h>

#include "app/Startup.h"
#include "support/FakePlatform.h"

namespace corvela {
namespace {

using testing::FakeWorld;

TEST(ModeSelection, OnlyTheNameAutoRunExeInAnyCaseSelectsThePlayer) {
  struct Case {
    const char* path;
    bool player;
  };
  const Case cases[] = {
      {"C:\\x\\autorun.EXE", true},
      {"C:\\x\\AUTORUN.exe", true},
      {"D:AutoRun.exe", true},
      {"AutoRun.exe", true},
      {"C:\\x\\AutoRun2.exe", false},
      {"C:\\x\\Designer.exe", false},
      {"C:\\x\\AutoRun.exe.bak", false},
      {"C:\\AutoRun.exe\\Corvela.exe", false},
      // Only a to z fold: a Latin-1 letter in the name is no match for its capital.
      {"C:\\x\\\xe1utorun.exe", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsPlayerExeName(c.path), c.player) << c.path;
}

TEST(ModeSelection, ThePlayersFolderIsTheExesWithoutATrailingBackslash) {
  const struct {
    const char* Exe;
    const char* Folder;
  } cases[] = {{"D:\\AutoRun.exe", "D:"}, {"C:\\Menus\\Disc 1\\autorun.exe", "C:\\Menus\\Disc 1"}};
  for (const auto& c : cases) {
    FakeWorld world;
    DecideStartup(world.State, c.Exe);
    EXPECT_FALSE(world.State.DesignerMode);
    EXPECT_EQ(world.State.CDFolder, c.Folder);
    EXPECT_EQ(world.State.ProjectFileName, std::string(c.Folder) + "\\AutoRun.mnx");
    EXPECT_EQ(world.State.ExeFileName, c.Exe);
  }
}

TEST(IniRules, FirstMatchingNameWinsAndTheValueIsKeptAsItIs) {
  const std::vector<std::string> lines = {"[Settings]", "Other=1", "defaultpath=C:\\Menu\\ ", "DefaultPath=C:\\Later"};
  EXPECT_EQ(IniValue(lines, "DefaultPath"), "C:\\Menu\\ ");
  EXPECT_EQ(IniValue({"DefaultPath"}, "DefaultPath"), "");     // no "=": no name
  EXPECT_EQ(IniValue({" DefaultPath=x"}, "DefaultPath"), "");  // the name is not trimmed
  EXPECT_EQ(IniValue({"DefaultPath=a=b"}, "DefaultPath"), "a=b");
  EXPECT_EQ(IniValue({}, "DefaultPath"), "");
}

TEST(IniRules, LinesSplitAtEveryKindOfLineEnd) {
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_TRUE(SplitLines("").empty());
}

TEST(DesignerStartup, TakesDefaultPathWithItsTrailingBackslash) {
  FakeWorld world;
  world.Files.Files["C:\\Tools\\Corvela.ini"] = "DefaultPath=C:\\Menu\\\r\n";
  world.Files.Directories.insert("C:\\Tools\\CDROM");
  DecideStartup(world.State, "C:\\Tools\\Corvela.exe");
  EXPECT_TRUE(world.State.DesignerMode);
  EXPECT_EQ(world.State.AppFolder, "C:\\Tools");
  EXPECT_EQ(world.State.CDFolder, "C:\\Menu\\");
  EXPECT_EQ(world.State.ProjectFileName, "");
  EXPECT_TRUE(world.Ui.Shown.empty());
}

// The designer writes its settings as UTF-8 behind a byte-order mark; a file without the mark was
// written before, in the system's code page (the fake's is ISO 8859-1).
TEST(DesignerStartup, TheSettingsAreUtf8AfterTheMarkAndInTheCodePageWithout) {
  const struct {
    std::string Bytes, CDFolder;
  } cases[] = {
      {std::string(kUtf8Mark) + "DefaultPath=C:\\Μενού 菜单\r\n", "C:\\Μενού 菜单"},
      {"DefaultPath=C:\\Caf\xE9\r\n", "C:\\Café"},
  };
  for (const auto& c : cases) {
    FakeWorld world;
    world.Files.Files["C:\\Tools\\Corvela.ini"] = c.Bytes;
    DecideStartup(world.State, "C:\\Tools\\Corvela.exe");
    EXPECT_EQ(world.State.CDFolder, c.CDFolder);
  }
}

TEST(DesignerStartup, FallsBackToCdromOnlyWhenThatFolderExists) {
  FakeWorld with;
  with.Files.Files["C:\\Tools\\Corvela.ini"] = "Other=1\r\n";
  with.Files.Directories.insert("C:\\Tools\\CDROM");
  DecideStartup(with.State, "C:\\Tools\\Corvela.exe");
  EXPECT_EQ(with.State.CDFolder, "C:\\Tools\\CDROM");

  FakeWorld without;
  DecideStartup(without.State, "C:\\Tools\\Corvela.exe");
  EXPECT_EQ(without.State.CDFolder, "");
}

TEST(DesignerStartup, AnUnreadableIniIsReportedOnceAndTreatedAsAbsent) {
  FakeWorld world;
  world.Files.Files["C:\\Tools\\Corvela.ini"] = "DefaultPath=C:\\Menu";
  world.Files.Unreadable.insert("C:\\Tools\\Corvela.ini");
  world.Files.Directories.insert("C:\\Tools\\CDROM");
  DecideStartup(world.State, "C:\\Tools\\Corvela.exe");
  ASSERT_EQ(world.Ui.Shown.size(), 1u);
  EXPECT_EQ(world.Ui.Shown[0].Caption, "Error");
  EXPECT_NE(world.Ui.Shown[0].Text.find("Corvela.ini"), std::string::npos);
  EXPECT_EQ(world.State.CDFolder, "C:\\Tools\\CDROM");
}

// A writable file beside the exe is a portable install's; otherwise the user's file is read, and a
// read-only file beside the exe only when the user has none.
TEST(DesignerStartup, ReadsTheSettingsWhereTheyAreWritten) {
  const std::string beside = "C:\\Tools\\Corvela.ini", user = "C:\\Users\\ann\\AppData\\Corvela\\Corvela.ini";
  struct Case {
    const char* Why;
    bool Beside, BesideWritable, User;
    std::string CDFolder;
  };
  const Case cases[] = {
      {"portable", true, true, true, "C:\\Beside"},
      {"read-only beside the exe", true, false, true, "C:\\User"},
      {"only the user's", false, false, true, "C:\\User"},
      {"only a read-only one beside the exe", true, false, false, "C:\\Beside"},
  };
  for (const Case& c : cases) {
    FakeWorld world;
    world.Files.AppData = "C:\\Users\\ann\\AppData";
    if (c.Beside) world.Files.Files[beside] = "DefaultPath=C:\\Beside\r\n";
    if (!c.BesideWritable) world.Files.Unwritable.insert(beside);
    if (c.User) world.Files.Files[user] = "DefaultPath=C:\\User\r\n";
    DecideStartup(world.State, "C:\\Tools\\Corvela.exe");
    EXPECT_EQ(world.State.CDFolder, c.CDFolder) << c.Why;
  }
}

}  // namespace
}  // namespace corvela
