// The designer as a whole process: a copy of the real exe beside its data files and ini.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "app/win/Commands.h"
#include "support/win/WinProcess.h"

namespace corvela {
namespace {

using testing::ChildProcess;
using testing::TempFolder;

class DesignerProcess : public ::testing::Test {
 protected:
  void SetUp() override {
    cd = folder / "cd";
    ::CreateDirectoryA(cd.c_str(), nullptr);
    exe = folder / "Corvela.exe";
    ASSERT_TRUE(::CopyFileA((testing::ExeFolder() + "\\Corvela.exe").c_str(), exe.c_str(), FALSE));
    ASSERT_TRUE(::CopyFileA((testing::ExeFolder() + "\\Default.ico").c_str(), (folder / "Default.ico").c_str(), FALSE));
    ASSERT_TRUE(testing::WriteBytes(folder / "Corvela.ini", "DefaultPath=" + cd + "\r\n"));
  }

  // Starts the designer and waits until its main window has shown.
  HWND Start(ChildProcess& process) {
    EXPECT_TRUE(process.Started());
    HWND main = process.WaitForWindow("TMainForm", 15000);
    // The first showing ends with the caption naming the CD folder.
    for (int i = 0; i < 200 && main && testing::WindowText(main) != "Corvela - " + cd; ++i) ::Sleep(25);
    return main;
  }

  TempFolder folder;
  std::string cd, exe;
};

TEST_F(DesignerProcess, ShowsTheToolbarOfAFreshStartAndClosesWithoutAskingWhenNothingChanged) {
  ChildProcess designer(exe);
  HWND main = Start(designer);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(testing::WindowText(main), "Corvela - " + cd);
  HWND edit = designer.WaitForWindow("TEditForm", 5000);
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(::IsWindowVisible(edit));
  EXPECT_EQ(testing::WindowText(edit), "AutoRun [Design]");

  HWND toolbar = ::FindWindowExA(main, nullptr, TOOLBARCLASSNAMEA, nullptr);
  ASSERT_NE(toolbar, nullptr);
  EXPECT_EQ(::SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), 17);
  EXPECT_TRUE(::SendMessageA(toolbar, TB_ISBUTTONCHECKED, win::cmdToolSelect, 0));
  EXPECT_TRUE(::SendMessageA(toolbar, TB_ISBUTTONHIDDEN, win::cmdToolMovie, 0));
  EXPECT_FALSE(::SendMessageA(toolbar, TB_ISBUTTONHIDDEN, win::cmdToolRtf, 0));
  // Only the menu bar and the toolbar show.
  RECT client;
  ::GetClientRect(main, &client);
  EXPECT_EQ(client.bottom, 42);

  // The folder was known at start-up and nothing was edited: closing asks nothing.
  ::Sleep(200);
  ::PostMessageA(main, WM_CLOSE, 0, 0);
  DWORD code = 1;
  EXPECT_TRUE(designer.WaitForExit(10000, &code));
  EXPECT_EQ(code, 0u);
}

TEST_F(DesignerProcess, SavePublishesTheCdFolderAndRemembersIt) {
  ChildProcess designer(exe);
  HWND main = Start(designer);
  ASSERT_NE(main, nullptr);
  ::SendMessageA(main, WM_COMMAND, win::cmdSave, 0);
  for (const char* name : {"AutoRun.exe", "AutoRun.ico", "autorun.inf", "AutoRun.mnx"})
    EXPECT_NE(::GetFileAttributesA((cd + "\\" + name).c_str()), INVALID_FILE_ATTRIBUTES) << name;
  EXPECT_EQ(testing::ReadBytes(cd + "\\autorun.inf"), "[autorun]\r\nOPEN=AUTORUN.EXE\r\nICON=AUTORUN.ICO\r\n");
  EXPECT_EQ(testing::ReadBytes(folder / "Corvela.ini"), "DefaultPath=" + cd + "\r\n");
  EXPECT_EQ(testing::ReadBytes(cd + "\\AutoRun.mnx").size(), 181u);
  ::PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(designer.WaitForExit(10000));
}

}  // namespace
}  // namespace corvela
