// Publishing into real folders through the Win32 file system: CopyFileW, the safe save of the
// project file, and what a read-only project file does to it.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "platform/TextLines.h"
#include "platform/win/Win32FileSystem.h"
#include "project/DiscCheck.h"
#include "project/ProjectFile.h"
#include "project/Publish.h"
#include "support/FakePlatform.h"
#include "support/win/WinProcess.h"

namespace corvela {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

std::set<std::string> FilesIn(const std::string& folder) {
  std::set<std::string> names;
  WIN32_FIND_DATAA found{};
  HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.insert(found.cFileName);
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
  return names;
}

// A designer folder with its exe and Default.ico, and an empty CD folder beside it, under %TEMP%.
class PublishFolders : public ::testing::Test {
 protected:
  void SetUp() override {
    ::CreateDirectoryA(Tools.c_str(), nullptr);
    ::CreateDirectoryA(Cd.c_str(), nullptr);
    ASSERT_TRUE(WriteBytes(Tools + "\\Corvela.exe", "MZ designer"));
    ASSERT_TRUE(WriteBytes(Tools + "\\Default.ico", std::string("\0\0\1\0icon", 8)));
    // A portable install: the settings stay beside the exe, out of the user's own folder.
    ASSERT_TRUE(WriteBytes(Tools + "\\Corvela.ini", ""));
    World.Env.Files = &Files;
    World.State.ExeFileName = Tools + "\\Corvela.exe";
    World.State.CDFolder = Cd;
    NewProject(World.State);
    World.State.Modified = true;
  }
  void TearDown() override {
    // A file left read-only would outlive the temp folder.
    ::SetFileAttributesA((Cd + "\\AutoRun.mnx").c_str(), FILE_ATTRIBUTE_NORMAL);
  }

  TempFolder Root;
  std::string Tools = Root / "tools";
  std::string Cd = Root / "cd";
  win::Win32FileSystem Files;
  testing::FakeWorld World;
};

TEST_F(PublishFolders, FirstAndSecondPublish) {
  ASSERT_TRUE(PublishCDFolder(World.State, Cd));
  EXPECT_TRUE(World.Ui.Shown.empty());
  EXPECT_EQ(FilesIn(Cd), (std::set<std::string>{"AutoRun.exe", "AutoRun.ico", "autorun.inf", "AutoRun.mnx"}));
  EXPECT_EQ(ReadBytes(Cd + "\\AutoRun.exe"), "MZ designer");
  EXPECT_EQ(ReadBytes(Cd + "\\AutoRun.ico"), std::string("\0\0\1\0icon", 8));
  EXPECT_EQ(ReadBytes(Cd + "\\autorun.inf"), "[autorun]\r\nOPEN=AUTORUN.EXE\r\nICON=AUTORUN.ICO\r\n");
  EXPECT_EQ(ReadBytes(Cd + "\\AutoRun.mnx").size(), 181u);
  EXPECT_EQ(ReadBytes(Tools + "\\Corvela.ini"), std::string(kUtf8Mark) + "DefaultPath=" + Cd + "\r\n");
  EXPECT_FALSE(World.State.Modified);

  ASSERT_TRUE(WriteBytes(Cd + "\\AutoRun.exe", "older player"));
  ASSERT_TRUE(WriteBytes(Cd + "\\AutoRun.ico", "chosen icon"));
  World.State.Project.Form.Caption = "Second save";
  ASSERT_TRUE(PublishCDFolder(World.State, Cd));
  EXPECT_EQ(ReadBytes(Cd + "\\AutoRun.exe"), "MZ designer");
  EXPECT_EQ(ReadBytes(Cd + "\\AutoRun.ico"), "chosen icon");
  EXPECT_EQ(ReadBytes(Cd + "\\AutoRun.mnx").size(), 181u + 4);
  // No temporary file is left behind by the safe save.
  EXPECT_EQ(FilesIn(Cd).size(), 4u);

  testing::FakeWorld reader;
  reader.Env.Files = &Files;
  ASSERT_TRUE(LoadProject(reader.State, Cd + "\\AutoRun.mnx"));
  EXPECT_EQ(reader.State.Project.Form.Caption, "Second save");
}

TEST_F(PublishFolders, AReadOnlyProjectFileIsReportedAndLeftIntact) {
  ASSERT_TRUE(PublishCDFolder(World.State, Cd));
  const std::string mnx = Cd + "\\AutoRun.mnx";
  const std::string before = ReadBytes(mnx);
  ASSERT_TRUE(::SetFileAttributesA(mnx.c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(WriteBytes(Tools + "\\Corvela.ini", "DefaultPath=elsewhere\r\n"));
  World.State.Project.Form.Caption = "Never saved";
  World.State.Modified = true;

  EXPECT_FALSE(PublishCDFolder(World.State, Cd));
  ASSERT_EQ(World.Ui.Shown.size(), 1u);
  EXPECT_EQ(World.Ui.Shown[0].Caption, "Error");
  EXPECT_EQ(World.Ui.Shown[0].Text.rfind("Cannot create file \"" + mnx + "\". ", 0), 0u) << World.Ui.Shown[0].Text;
  EXPECT_EQ(ReadBytes(mnx), before);
  EXPECT_EQ(FilesIn(Cd).size(), 4u);
  EXPECT_EQ(ReadBytes(Tools + "\\Corvela.ini"), "DefaultPath=elsewhere\r\n");
  EXPECT_TRUE(World.State.Modified);
}

TEST_F(PublishFolders, MissingDefaultIconStopsAfterTheExeCopy) {
  ASSERT_TRUE(::DeleteFileA((Tools + "\\Default.ico").c_str()));
  EXPECT_FALSE(PublishCDFolder(World.State, Cd));
  EXPECT_EQ(World.Ui.Texts(), std::vector<std::string>{"IO Error"});
  EXPECT_EQ(FilesIn(Cd), std::set<std::string>{"AutoRun.exe"});
}

TEST_F(PublishFolders, DeletedFolderWritesNothing) {
  ASSERT_TRUE(::RemoveDirectoryA(Cd.c_str()));
  EXPECT_FALSE(PublishCDFolder(World.State, Cd));
  EXPECT_EQ(World.Ui.Texts(), std::vector<std::string>{"Directory \"" + Cd + "\" not found"});
  EXPECT_EQ(FilesIn(Tools), (std::set<std::string>{"Corvela.exe", "Corvela.ini", "Default.ico"}));
  EXPECT_EQ(ReadBytes(Tools + "\\Corvela.ini"), "");
}

// The disc check walks the folder through the Win32 listing: subfolders, sizes, backslashes.
TEST_F(PublishFolders, TheDiscCheckSeesThePublishedFolder) {
  World.State.Project.Objects.push_back(MakeNewObject(ObjectKind::Button));
  World.State.Project.Objects[0]->BitmapFile = "\\Glyphs\\go.bmp";
  World.State.Project.Objects[0]->HotTrackBitmapFile = "\\Glyphs\\go_hot.bmp";
  ASSERT_TRUE(::CreateDirectoryA((Cd + "\\Glyphs").c_str(), nullptr));
  ASSERT_TRUE(WriteBytes(Cd + "\\Glyphs\\go.bmp", std::string(1000000, 'b')));
  ASSERT_TRUE(PublishCDFolder(World.State, Cd));

  const std::vector<Finding> findings = CheckDisc(Files, Cd);
  std::vector<std::string> lines;
  for (const Finding& f : findings) lines.push_back(FindingLine(f));
  // Four published files of one 2 KB block each, 489 blocks of the glyph and one of its folder.
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "error: Button #0: Hot-track glyph not found in the CD folder [\\Glyphs\\go_hot.bmp]",
                       "note: disc: Total size 1.0 MB in 5 files: fits a CD 700 MB",
                   }));
}

}  // namespace
}  // namespace corvela
