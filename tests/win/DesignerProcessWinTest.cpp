// The designer as a whole process: a copy of the real exe beside its data files and ini.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>

#include "designer/Commands.h"
#include "dialogs/win/DialogIds.h"
#include "platform/win/WideText.h"
#include "project/ProjectFile.h"
#include "support/FakePlatform.h"
#include "support/win/Pixels.h"
#include "support/win/DesignerDriver.h"
#include "support/win/WinProcess.h"

namespace corvela {
namespace {

using testing::ChildProcess;
using testing::WaitFor;
using testing::WindowText;

class DesignerProcess : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(testing::PrepareDesignerFolder(folder, cd)); }

  // Starts the designer and waits until its windows have shown.
  void Start() {
    designer = std::make_unique<ChildProcess>(exe);
    ASSERT_TRUE(designer->Started());
    testing::DesignerWindows windows;
    ASSERT_NO_FATAL_FAILURE(testing::WaitForDesigner(*designer, cd, windows));
    main = windows.Main;
    edit = windows.Edit;
    toolbar = windows.Toolbar;
  }

  // Clicks at a point of the design surface's picture (no panel border in a new project) with the tool.
  void Place(unsigned tool, int x, int y) {
    ::SendMessageA(toolbar, TB_CHECKBUTTON, tool, TRUE);
    ::SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::SendMessageA(edit, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }

  // The saved project as the model reads it.
  const MenuProject& Saved() {
    EXPECT_EQ(ParseProject(saved.State, testing::ReadBytes(cd + "\\AutoRun.mnx")), ParseOutcome::Loaded);
    return saved.State.Project;
  }

  void Close() {
    ::PostMessageA(main, WM_CLOSE, 0, 0);
    DWORD code = 1;
    EXPECT_TRUE(designer->WaitForExit(10000, &code));
    EXPECT_EQ(code, 0u);
  }

  testing::TempFolder folder;
  std::string cd = folder / "cd", exe = folder / "Corvela.exe";
  std::unique_ptr<ChildProcess> designer;
  HWND main = nullptr, edit = nullptr, toolbar = nullptr;
  testing::FakeWorld saved;
};

TEST_F(DesignerProcess, ShowsTheToolbarOfAFreshStartAndClosesWithoutAskingWhenNothingChanged) {
  Start();
  EXPECT_TRUE(::IsWindowVisible(edit));
  EXPECT_EQ(WindowText(edit), "AutoRun [Design]");
  EXPECT_EQ(::SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), 25);
  EXPECT_TRUE(::SendMessageA(toolbar, TB_ISBUTTONCHECKED, cmdToolSelect, 0));
  EXPECT_TRUE(::SendMessageA(toolbar, TB_ISBUTTONHIDDEN, cmdToolMovie, 0));
  EXPECT_FALSE(::SendMessageA(toolbar, TB_ISBUTTONHIDDEN, cmdToolRtf, 0));
  // Only the menu bar and the toolbar show.
  RECT client;
  ::GetClientRect(main, &client);
  EXPECT_EQ(client.bottom, 42);
  // The folder was known at start-up and nothing was edited: closing asks nothing.
  Close();
}

// A CD folder named in other scripts is remembered from the settings file, named in the caption and
// published into.
TEST(DesignerProcessNames, ACdFolderNamedInGreekAndChineseOpensAndSaves) {
  testing::TempFolder folder;
  const std::string cd = folder / "Μενού 菜单";
  ASSERT_NO_FATAL_FAILURE(testing::PrepareDesignerFolder(folder, cd));
  ChildProcess designer(folder / "Corvela.exe");
  ASSERT_TRUE(designer.Started());
  testing::DesignerWindows windows;
  ASSERT_NO_FATAL_FAILURE(testing::WaitForDesigner(designer, cd, windows));
  ::SendMessageW(windows.Main, WM_COMMAND, cmdSave, 0);
  EXPECT_NE(::GetFileAttributesW((win::Wide(folder.Path()) + L"\\Μενού 菜单\\AutoRun.mnx").c_str()),
            INVALID_FILE_ATTRIBUTES);
  ::PostMessageW(windows.Main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(designer.WaitForExit(10000));
}

TEST_F(DesignerProcess, ObjectsPlacedDraggedAndOrderedWithTheMouseAreSaved) {
  Start();
  int x = 10;
  for (unsigned tool :
       {cmdToolLabel, cmdToolButton, cmdToolImage, cmdToolAvi, cmdToolHtml, cmdToolRtf}) {
    Place(tool, x, 20);
    // One use, then the Select tool is down again.
    EXPECT_TRUE(::SendMessageA(toolbar, TB_ISBUTTONCHECKED, cmdToolSelect, 0)) << tool;
    x += 60;
  }
  // The RTF pane added last is selected: drag it down by 100 in several steps, as a real drag
  // delivers them, and make the label topmost.
  ::SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(320, 30));
  for (int y = 55; y <= 130; y += 25) ::SendMessageA(edit, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(320, y));
  ::SendMessageA(edit, WM_LBUTTONUP, 0, MAKELPARAM(320, 130));
  Place(cmdToolSelect, 15, 25);
  ::SendMessageA(main, WM_COMMAND, cmdBringToFront, 0);
  ::SendMessageA(main, WM_COMMAND, cmdSave, 0);
  for (const char* name : {"AutoRun.exe", "AutoRun.ico", "autorun.inf"})
    EXPECT_NE(::GetFileAttributesA((cd + "\\" + name).c_str()), INVALID_FILE_ATTRIBUTES) << name;

  const auto& objects = Saved().Objects;
  ASSERT_EQ(objects.size(), 6u);
  const ObjectKind order[] = {ObjectKind::Button, ObjectKind::Image, ObjectKind::Avi,
                              ObjectKind::Html,   ObjectKind::Rtf,   ObjectKind::Label};
  for (size_t i = 0; i < 6; ++i) EXPECT_EQ(objects[i]->Kind, order[i]) << i;
  EXPECT_EQ(objects[0]->Base().Left, 70);
  EXPECT_EQ(objects[0]->Base().Width, 120);
  EXPECT_EQ(objects[0]->AsButton()->Caption, "New Button");
  EXPECT_EQ(objects[3]->Base().Width, 105);
  EXPECT_EQ(objects[4]->Base().Left, 310);
  EXPECT_EQ(objects[4]->Base().Top, 120);
  EXPECT_EQ(objects[5]->AsLabel()->Caption, "New Label");
  Close();
}

TEST_F(DesignerProcess, TheCloseQuestionKeepsTheDesignerOnCancelAndSavesOnYes) {
  Start();
  Place(cmdToolImage, 40, 50);
  // The surface alone refuses to close.
  ::SendMessageA(edit, WM_CLOSE, 0, 0);
  EXPECT_TRUE(::IsWindow(edit));

  for (int answer : {IDCANCEL, IDYES}) {
    ::PostMessageA(main, WM_CLOSE, 0, 0);
    HWND box = designer->WaitForDialog("Exit", 5000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(testing::MessageBoxText(box), "Save Changes to file?");
    EXPECT_EQ(::GetFileAttributesA((cd + "\\AutoRun.mnx").c_str()), INVALID_FILE_ATTRIBUTES);
    ::PostMessageA(box, WM_COMMAND, answer, 0);
    EXPECT_EQ(designer->WaitForExit(answer == IDYES ? 5000 : 2000), answer == IDYES) << answer;
  }
  ASSERT_EQ(Saved().Objects.size(), 1u);
  EXPECT_EQ(Saved().Objects[0]->Kind, ObjectKind::Image);
}

TEST_F(DesignerProcess, SaveAndTestStartsThePublishedPlayerWithTheNewObjects) {
  Start();
  Place(cmdToolButton, 200, 150);
  ::SendMessageA(main, WM_COMMAND, cmdSaveAndTest, 0);

  // The copy in the CD folder runs as the player: a visible menu window of the project's size.
  // It starts without area and takes the project's size once loaded.
  HWND player = nullptr;
  RECT rc{};
  ASSERT_TRUE(WaitFor(
      [&] {
        for (HWND w : testing::TopWindows(0, "TAutoRunForm"))
          if (::IsWindowVisible(w) && WindowText(w) == "AutoRun") player = w;
        return player && ::GetWindowRect(player, &rc) && rc.right > rc.left;
      },
      10000));
  EXPECT_EQ(rc.right - rc.left, 600);
  EXPECT_EQ(rc.bottom - rc.top, 420);
  DWORD playerPid = 0;
  ::GetWindowThreadProcessId(player, &playerPid);
  EXPECT_NE(playerPid, designer->Id());
  // The player draws the button: grey where the new button is, the blue gradient beside it.
  POINT inside{200 + 60, 150 + 20}, beside{200 + 60, 150 + 60};
  ::ClientToScreen(player, &inside);
  ::ClientToScreen(player, &beside);
  COLORREF face = 0, gradient = 0;
  EXPECT_TRUE(WaitFor(
      [&] {
        face = testing::ScreenPixel(inside.x, inside.y);
        gradient = testing::ScreenPixel(beside.x, beside.y);
        return GetRValue(face) == GetGValue(face) && GetGValue(face) == GetBValue(face) &&
               GetBValue(gradient) > GetRValue(gradient);
      },
      3000))
      << std::hex << face << " " << gradient;
  ::PostMessageA(player, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return !::IsWindow(player); }, 3000));
  Close();
}

using testing::ChooseEntry;
using testing::TypeInto;

void PressOk(HWND dialog) {
  testing::PressOk(dialog, 2000);
}

TEST_F(DesignerProcess, PropertiesAndLinksSurviveSaveAndReopen) {
  const std::string caption = "Install Édition & more";
  Start();
  Place(cmdToolLabel, 40, 60);
  ::PostMessageA(main, WM_COMMAND, cmdObjectProperties, 0);
  HWND label = designer->WaitForDialog("Label Properties", 5000);
  ASSERT_NE(label, nullptr);
  TypeInto(label, IDC_CAPTION, caption);
  PressOk(label);
  ::PostMessageA(main, WM_COMMAND, cmdObjectLink, 0);
  HWND link = designer->WaitForDialog("Edit Link", 5000);
  ASSERT_NE(link, nullptr);
  ChooseEntry(link, IDC_LINK_ACTION, 2);  // Open URL: the target is kept exactly as typed
  TypeInto(link, IDC_LINK_TARGET, "  https://corvela.example.org/get");
  PressOk(link);
  ::SendMessageA(main, WM_COMMAND, cmdSave, 0);
  Close();
  const std::string first = testing::ReadBytes(cd + "\\AutoRun.mnx");

  // Reopened, then saved again without an edit: the same project comes back.
  Start();
  EXPECT_EQ(WindowText(edit), "AutoRun [Design]");
  ::SendMessageA(main, WM_COMMAND, cmdSave, 0);
  Close();
  const auto& objects = Saved().Objects;
  ASSERT_EQ(objects.size(), 1u);
  EXPECT_EQ(objects[0]->AsLabel()->Caption, caption);
  EXPECT_EQ(objects[0]->Link.Action, LinkAction::OpenUrl);
  EXPECT_EQ(objects[0]->Link.Target, "  https://corvela.example.org/get");
  EXPECT_EQ(objects[0]->Link.ShowCommand, 1);
  // Nothing was lost on the way: the two saves differ only in the tick-count trailer.
  const std::string second = testing::ReadBytes(cd + "\\AutoRun.mnx");
  ASSERT_EQ(first.size(), second.size());
  EXPECT_EQ(first.substr(0, first.size() - 80), second.substr(0, second.size() - 80));
}

TEST_F(DesignerProcess, AboutBoxAndHelpWithoutTheGuide) {
  Start();
  ::PostMessageA(main, WM_COMMAND, cmdAbout, 0);
  HWND about = designer->WaitForDialog("About Corvela", 5000);
  ASSERT_NE(about, nullptr);
  const std::string text = testing::MessageBoxText(about);
  for (const char* part : {"Version: 2.0", "The Corvela team", "corvela.example.org", "libarchive: see Licences.txt"})
    EXPECT_NE(text.find(part), std::string::npos) << text;
  ::PostMessageA(about, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitFor([&] { return !::IsWindow(about); }, 2000));

  // Neither a help file nor the guide beside this copy of the exe: the user is told.
  ::PostMessageA(main, WM_COMMAND, cmdHelpContents, 0);
  HWND error = designer->WaitForDialog("Error", 5000);
  ASSERT_NE(error, nullptr);
  EXPECT_EQ(testing::MessageBoxText(error), "File \"" + (folder / "Corvela.html") + "\" not found");
  ::PostMessageA(error, WM_COMMAND, IDOK, 0);
  Close();
}

}  // namespace
}  // namespace corvela
