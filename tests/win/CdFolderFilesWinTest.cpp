// Files from outside the CD folder and the CD folder moved elsewhere, with the real dialogs: the
// folder chooser, the copy question over a property dialog, and File > Save As in the designer.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "app/DesignerCommands.h"
#include "app/win/Application.h"
#include "app/win/MainForm.h"
#include "designer/Commands.h"
#include "dialogs/win/DialogIds.h"
#include "dialogs/win/PropertyDialogs.h"
#include "platform/PathNames.h"
#include "platform/win/FolderPicker.h"
#include "platform/win/WideText.h"
#include "platform/win/Win32FileSystem.h"
#include "platform/win/Win32Services.h"
#include "project/CopyIn.h"
#include "support/FakePlatform.h"
#include "support/win/Pixels.h"
#include "support/win/WinProcess.h"

namespace corvela {
namespace {

using testing::ReadBytes;
using testing::WaitFor;
using testing::WindowText;
using testing::WriteBytes;

using Driver = testing::DialogScript;

void Press(HWND dialog, int id) {
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

// With CORVELA_TEST_SHOTS set, the window is kept as it is on screen.
void Screenshot(HWND window, const char* name) {
  if (!std::getenv("CORVELA_TEST_SHOTS")) return;
  ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  ::Sleep(300);
  RECT r;
  ::GetWindowRect(window, &r);
  testing::ReadScreen(r).Shot(name);
}

// Types a folder into the chooser's path box and presses its OK button.
void ChooseFolder(HWND chooser, const std::string& folder) {
  HWND edit = nullptr;
  WaitFor([&] { return (edit = testing::FirstVisibleEdit(chooser)) != nullptr; }, 3000);
  ASSERT_NE(edit, nullptr);
  win::SetWindowTextUtf8(edit, folder);
  Press(chooser, IDOK);
}

TEST(FolderPicker, TheItemDialogOpensWithItsTitleAndGivesTheFolderTyped) {
  testing::TempFolder folder;
  const std::string target = folder / "target";
  ::CreateDirectoryW(win::Wide(target).c_str(), nullptr);
  win::ComApartment com;
  win::FolderPickerKind kind = win::FolderPickerKind::Browser;
  Driver driver("Pick a test folder", [&](HWND chooser) { ChooseFolder(chooser, target); });
  const std::optional<std::string> chosen = win::PickFolder(nullptr, "Pick a test folder", folder.Path(), &kind);
  driver.Finish();
  ASSERT_TRUE(driver.Found());
  EXPECT_EQ(kind, win::FolderPickerKind::ItemDialog);
  ASSERT_TRUE(chosen);
  EXPECT_EQ(UpperAscii(*chosen), UpperAscii(target));
}

// The copy question shows over the property dialog whose Select... chose a file elsewhere; Yes
// copies it into the CD folder and the dialog shows the copy's stored path.
TEST(CopyIn, TheQuestionOverAPropertyDialogCopiesOnYes) {
  testing::TempFolder folder;
  const std::string cd = folder / "cd", outside = folder / "sea.bmp";
  ::CreateDirectoryW(win::Wide(cd).c_str(), nullptr);
  ASSERT_TRUE(WriteBytes(outside, "BM picture"));
  testing::FakeWorld world;
  win::Win32FileSystem files;
  win::Win32Ui ui;
  ui.Title = "Corvela";
  world.Env.Files = &files;
  world.Env.Ui = &ui;
  world.State.CDFolder = cd;
  world.Chooser.Answer = outside;
  win::PropertyDialogs boxes(world.State);
  MenuObject image(ObjectKind::Image);
  std::string question, shown;
  Driver driver("Image Properties", [&](HWND d) {
    Press(d, IDC_IMAGE_FILE_SELECT);
    HWND box = testing::WaitForDialogOf(::GetCurrentProcessId(), kCopyInTitle, 5000);
    if (!box) return;
    HWND text = ::GetDlgItem(box, 0xFFFF);  // a message box's text
    question = WindowText(text);
    Screenshot(box, "copy-question");
    Press(box, IDYES);
    WaitFor([&] { return !::IsWindow(box); }, 5000);
    shown = WindowText(::GetDlgItem(d, IDC_IMAGE_FILE));
    Press(d, IDOK);
  });
  const bool written = boxes.EditImageProperties(image);
  driver.Finish();
  EXPECT_EQ(question, "Copy \"sea.bmp\" into the CD folder?\n\nYes copies it into \"" + cd +
                          "\"; No lets you choose another place in the CD folder.");
  EXPECT_EQ(shown, "\\sea.bmp");
  ASSERT_TRUE(written);
  EXPECT_EQ(image.FileName, "\\sea.bmp");
  EXPECT_EQ(ReadBytes(cd + "\\sea.bmp"), "BM picture");
  EXPECT_EQ(ReadBytes(outside), "BM picture");
}

// File > Save As in the designer: the real folder chooser picks the target, the CD folder's files
// are copied there, the menu is published there and the designer goes on there.
TEST(SaveAs, TheDesignerCopiesItsFolderAndGoesOnInTheOneChosen) {
  testing::TempFolder folder;
  const std::string cd = folder / "cd", target = folder / "copy";
  ::CreateDirectoryW(win::Wide(cd).c_str(), nullptr);
  ::CreateDirectoryW(win::Wide(cd + "\\art").c_str(), nullptr);
  ::CreateDirectoryW(win::Wide(target).c_str(), nullptr);
  ASSERT_TRUE(WriteBytes(cd + "\\art\\sea.bmp", "BM picture"));
  ASSERT_TRUE(testing::CopyFromExeFolder("Corvela.exe", folder / "Corvela.exe"));
  ASSERT_TRUE(testing::CopyFromExeFolder("Default.ico", folder / "Default.ico"));
  ASSERT_TRUE(WriteBytes(folder / "Corvela.ini", "DefaultPath=" + cd + "\r\n"));
  win::Application app;
  ASSERT_TRUE(app.Start(folder / "Corvela.exe"));
  AppState& state = app.State();
  testing::FakeUi ui;  // a message would wait for a click no one gives: it is kept instead
  state.Env.Ui = &ui;
  state.Project.Form.Caption = "Copied menu";
  state.Modified = true;
  Driver chooser(kSaveAsFolderTitle, [&](HWND d) { ChooseFolder(d, target); });
  ::SendMessageA(app.Main()->hwnd(), WM_COMMAND, cmdSaveAs, 0);
  chooser.Finish();
  state.Modified = false;
  app.Main()->ClosingAllowed = true;

  ASSERT_TRUE(chooser.Found());
  EXPECT_TRUE(ui.Shown.empty()) << ui.Shown[0].Text;
  EXPECT_EQ(UpperAscii(state.CDFolder), UpperAscii(target));
  EXPECT_EQ(ReadBytes(target + "\\art\\sea.bmp"), "BM picture");
  EXPECT_FALSE(ReadBytes(target + "\\AutoRun.mnx").empty());
  EXPECT_FALSE(ReadBytes(target + "\\AutoRun.exe").empty());
  EXPECT_EQ(ReadBytes(cd + "\\AutoRun.mnx"), "");  // the old folder was never saved
  EXPECT_EQ(UpperAscii(WindowText(app.Main()->hwnd())), UpperAscii("Corvela - " + target));
}

}  // namespace
}  // namespace corvela
