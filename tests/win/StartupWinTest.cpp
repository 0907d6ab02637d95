// Start-up as whole processes: the exe's name picks the player or the designer.
#include <gtest/gtest.h>

#include "app/Startup.h"
#include "platform/win/Win32FileSystem.h"
#include "platform/win/Win32Services.h"
#include "support/win/WinProcess.h"

namespace corvela {
namespace {

using testing::ChildProcess;
using testing::TempFolder;

TEST(StartupProcess, AutoRunExeStartsThePlayerWithAZeroSizeMenuWindow) {
  TempFolder folder;
  ASSERT_TRUE(testing::CopyFromExeFolder("Corvela.exe", folder / "autorun.EXE"));
  ChildProcess player(folder / "autorun.EXE");
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
  // The player renders its gradient off-screen, without the designer's hidden window.
  EXPECT_TRUE(player.Windows("TGradientForm").empty());
  ::PostMessageA(box, WM_COMMAND, IDOK, 0);
  DWORD code = 1;
  EXPECT_TRUE(player.WaitForExit(10000, &code));
  EXPECT_EQ(code, 0u);
}

TEST(StartupProcess, AnyOtherNameStartsTheDesignerStripThatEndsTheProcessWhenClosed) {
  TempFolder folder;
  ::CreateDirectoryA((folder / "cd").c_str(), nullptr);
  ASSERT_TRUE(testing::WriteBytes(folder / "Corvela.ini", "DefaultPath=" + (folder / "cd") + "\r\n"));
  ASSERT_TRUE(testing::CopyFromExeFolder("Corvela.exe", folder / "AutoRun2.exe"));
  ChildProcess designer(folder / "AutoRun2.exe");
  ASSERT_TRUE(designer.Started());
  HWND main = designer.WaitForWindow("TMainForm", 10000);
  ASSERT_NE(main, nullptr);
  // The first showing ends with the CD folder in the caption.
  EXPECT_TRUE(testing::WaitFor([&] { return testing::WindowText(main) == "Corvela - " + (folder / "cd"); }, 5000));
  RECT rc;
  ::GetWindowRect(main, &rc);
  EXPECT_EQ(rc.left, 0);
  EXPECT_EQ(rc.top, 0);
  EXPECT_EQ(rc.right - rc.left, ::GetSystemMetrics(SM_CXSCREEN));
  EXPECT_NE(designer.WaitForWindow("TEditForm", 5000), nullptr);
  HWND menu = designer.WaitForWindow("TAutoRunForm", 5000);
  ASSERT_NE(menu, nullptr);
  EXPECT_FALSE(::IsWindowVisible(menu));
  // The start message comes after the first showing; a fixed pause lost that race under load.
  EXPECT_TRUE(designer.WaitForIdle(10000));
  ::PostMessageA(main, WM_CLOSE, 0, 0);
  DWORD code = 1;
  EXPECT_TRUE(designer.WaitForExit(10000, &code));
  EXPECT_EQ(code, 0u);
}

// A file named CDROM is no folder to fall back to: the real file system must tell them apart.
TEST(StartupFolders, CdromIsTheFallbackOnlyWhenItIsAFolder) {
  TempFolder folder;
  win::Win32FileSystem files;
  win::Win32Ui ui;
  Platform env;
  env.Files = &files;
  env.Ui = &ui;
  auto cdFolder = [&] {
    AppState state(env);
    DecideStartup(state, folder / "Corvela.exe");
    return state.CDFolder;
  };
  EXPECT_EQ(cdFolder(), "");
  ASSERT_TRUE(testing::WriteBytes(folder / "CDROM", "x"));
  EXPECT_EQ(cdFolder(), "");
  ::DeleteFileA((folder / "CDROM").c_str());
  ::CreateDirectoryA((folder / "CDROM").c_str(), nullptr);
  EXPECT_EQ(cdFolder(), folder / "CDROM");
}

}  // namespace
}  // namespace corvela
