#include <gtest/gtest.h>

#include "app/Startup.h"
#include "platform/win/Win32FileSystem.h"
#include "platform/win/Win32Services.h"
#include "support/win/WinProcess.h"

namespace corvela {
namespace {

using testing::ChildProcess;
using testing::TempFolder;

std::string CopyExe(const TempFolder& folder, const std::string& name) {
  std::string to = folder / name;
  EXPECT_TRUE(::CopyFileA((testing::ExeFolder() + "\\Corvela.exe").c_str(), to.c_str(), FALSE));
  return to;
}

TEST(StartupProcess, AutoRunExeStartsThePlayerWithAZeroSizeMenuWindow) {
  TempFolder folder;
  ChildProcess player(CopyExe(folder, "autorun.EXE"));
  ASSERT_TRUE(player.Started());
  // Without a project the player reports it while its window still has no area, then ends.
  HWND box = player.WaitForDialog("Error", 10000);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(testing::MessageBoxText(box), "File \"" + (folder / "AutoRun.mnx") + "\" not found");
  HWND menu = player.WaitForWindow("TAutoRunForm", 0);
  ASSERT_NE(menu, nullptr);
  RECT rc;
  ::GetWindowRect(menu, &rc);
  EXPECT_EQ(rc.right - rc.left, 0);
  EXPECT_EQ(rc.bottom - rc.top, 0);
  EXPECT_TRUE(player.Windows("TMainForm").empty());
  EXPECT_TRUE(player.Windows("TEditForm").empty());
  EXPECT_FALSE(player.Windows("TGradientForm").empty());
  ::PostMessageA(box, WM_COMMAND, IDOK, 0);
  DWORD code = 1;
  EXPECT_TRUE(player.WaitForExit(10000, &code));
  EXPECT_EQ(code, 0u);
}

TEST(StartupProcess, AnyOtherNameStartsTheDesignerStripThatEndsTheProcessWhenClosed) {
  TempFolder folder;
  ::CreateDirectoryA((folder / "cd").c_str(), nullptr);
  ASSERT_TRUE(testing::WriteBytes(folder / "Corvela.ini", "DefaultPath=" + (folder / "cd") + "\r\n"));
  ChildProcess designer(CopyExe(folder, "AutoRun2.exe"));
  ASSERT_TRUE(designer.Started());
  HWND main = designer.WaitForWindow("TMainForm", 10000);
  ASSERT_NE(main, nullptr);
  // The first showing ends with the CD folder in the caption; the start timer ticks after it.
  for (int i = 0; i < 200 && testing::WindowText(main) != "Corvela - " + (folder / "cd"); ++i) ::Sleep(25);
  ::Sleep(200);
  EXPECT_EQ(testing::WindowText(main), "Corvela - " + (folder / "cd"));
  RECT rc;
  ::GetWindowRect(main, &rc);
  EXPECT_EQ(rc.left, 0);
  EXPECT_EQ(rc.top, 0);
  EXPECT_EQ(rc.right - rc.left, ::GetSystemMetrics(SM_CXSCREEN));
  EXPECT_NE(designer.WaitForWindow("TEditForm", 5000), nullptr);
  EXPECT_NE(designer.WaitForWindow("TAutoRunForm", 5000), nullptr);
  EXPECT_FALSE(::IsWindowVisible(designer.WaitForWindow("TAutoRunForm", 0)));
  ::PostMessageA(main, WM_CLOSE, 0, 0);
  DWORD code = 1;
  EXPECT_TRUE(designer.WaitForExit(10000, &code));
  EXPECT_EQ(code, 0u);
}

// The ini and CDROM rules against real files and folders.
class StartupFolders : public ::testing::Test {
 protected:
  StartupFolders() {
    env.Files = &files;
    env.Ui = &ui;
    env.Display = &screen;
  }
  win::Win32FileSystem files;
  win::Win32Ui ui;
  win::Win32Screen screen;
  Platform env;
  TempFolder folder;
};

TEST_F(StartupFolders, DefaultPathWinsOverCdromAndKeepsItsBackslash) {
  ::CreateDirectoryA((folder / "CDROM").c_str(), nullptr);
  ASSERT_TRUE(testing::WriteBytes(folder / "Corvela.ini", "x=1\r\nDEFAULTPATH=C:\\Menu\\\r\n"));
  AppState state(env);
  DecideStartup(state, folder / "Corvela.exe");
  EXPECT_TRUE(state.DesignerMode);
  EXPECT_EQ(state.AppFolder, folder.Path());
  EXPECT_EQ(state.CDFolder, "C:\\Menu\\");
}

TEST_F(StartupFolders, CdromIsTheFallbackOnlyWhenItIsAFolder) {
  AppState without(env);
  DecideStartup(without, folder / "Corvela.exe");
  EXPECT_EQ(without.CDFolder, "");
  // A file named CDROM is not a folder.
  ASSERT_TRUE(testing::WriteBytes(folder / "CDROM", "x"));
  AppState file(env);
  DecideStartup(file, folder / "Corvela.exe");
  EXPECT_EQ(file.CDFolder, "");
  ::DeleteFileA((folder / "CDROM").c_str());
  ::CreateDirectoryA((folder / "CDROM").c_str(), nullptr);
  AppState with(env);
  DecideStartup(with, folder / "Corvela.exe");
  EXPECT_EQ(with.CDFolder, folder / "CDROM");
}

}  // namespace
}  // namespace corvela
