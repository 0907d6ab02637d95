// The designer as a whole process: a copy of the real exe beside its data files and ini.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "app/win/Commands.h"
#include "dialogs/win/DialogIds.h"
#include "project/ProjectFile.h"
#include "support/FakePlatform.h"
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
    // The menu window's one-shot start timer clears Modified once the designer is idle; edits
    // made before it ticks would be forgotten by the close question.
    ::Sleep(500);
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

// Clicks at a point of the design surface's picture (no panel border in a new project).
void ClickSurface(HWND edit, int x, int y, WPARAM keys = 0) {
  ::SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(x, y));
  ::SendMessageA(edit, WM_LBUTTONUP, keys, MAKELPARAM(x, y));
}

void DragSurface(HWND edit, POINT from, POINT to) {
  ::SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
  // Several steps, as a real drag delivers them.
  for (int i = 1; i <= 4; ++i) {
    int x = from.x + (to.x - from.x) * i / 4, y = from.y + (to.y - from.y) * i / 4;
    ::SendMessageA(edit, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
  }
  ::SendMessageA(edit, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
}

// The saved project as the model reads it.
struct SavedProject {
  testing::FakeWorld World;
  bool Read(const std::string& path) {
    return ParseProject(World.State, testing::ReadBytes(path)) == ParseOutcome::Loaded;
  }
};

TEST_F(DesignerProcess, ObjectsPlacedDraggedAndOrderedWithTheMouseAreSaved) {
  ChildProcess designer(exe);
  HWND main = Start(designer);
  ASSERT_NE(main, nullptr);
  HWND edit = designer.WaitForWindow("TEditForm", 5000);
  HWND toolbar = ::FindWindowExA(main, nullptr, TOOLBARCLASSNAMEA, nullptr);
  const unsigned tools[] = {win::cmdToolLabel, win::cmdToolButton, win::cmdToolImage,
                            win::cmdToolAvi,   win::cmdToolHtml,   win::cmdToolRtf};
  int x = 10;
  for (unsigned tool : tools) {
    ::SendMessageA(toolbar, TB_CHECKBUTTON, tool, TRUE);
    ClickSurface(edit, x, 20);
    // One use, then the Select tool is down again.
    EXPECT_TRUE(::SendMessageA(toolbar, TB_ISBUTTONCHECKED, win::cmdToolSelect, 0)) << tool;
    x += 60;
  }
  // The RTF pane added last is selected: drag it down by 100 and make the label topmost.
  DragSurface(edit, POINT{320, 30}, POINT{320, 130});
  ClickSurface(edit, 15, 25);
  ::SendMessageA(main, WM_COMMAND, win::cmdBringToFront, 0);
  ::SendMessageA(main, WM_COMMAND, win::cmdSave, 0);

  SavedProject saved;
  ASSERT_TRUE(saved.Read(cd + "\\AutoRun.mnx"));
  const auto& objects = saved.World.State.Project.Objects;
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
  ::PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(designer.WaitForExit(10000));
}

TEST_F(DesignerProcess, TheCloseQuestionHonoursEachAnswer) {
  ChildProcess designer(exe);
  HWND main = Start(designer);
  ASSERT_NE(main, nullptr);
  HWND edit = designer.WaitForWindow("TEditForm", 5000);
  HWND toolbar = ::FindWindowExA(main, nullptr, TOOLBARCLASSNAMEA, nullptr);
  ::SendMessageA(toolbar, TB_CHECKBUTTON, win::cmdToolLabel, TRUE);
  ClickSurface(edit, 30, 30);

  // The surface alone refuses to close.
  ::SendMessageA(edit, WM_CLOSE, 0, 0);
  EXPECT_TRUE(::IsWindow(edit));

  const struct {
    int button;
    bool ends;
  } answers[] = {{IDCANCEL, false}, {IDNO, true}};
  for (const auto& answer : answers) {
    ::PostMessageA(main, WM_CLOSE, 0, 0);
    HWND box = designer.WaitForDialog("Exit", 5000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(testing::MessageBoxText(box), "Save Changes to file?");
    ::PostMessageA(box, WM_COMMAND, answer.button, 0);
    EXPECT_EQ(designer.WaitForExit(3000), answer.ends) << answer.button;
  }
  // No means nothing was written.
  EXPECT_EQ(::GetFileAttributesA((cd + "\\AutoRun.mnx").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(DesignerProcess, YesToTheCloseQuestionSavesFirst) {
  ChildProcess designer(exe);
  HWND main = Start(designer);
  ASSERT_NE(main, nullptr);
  HWND edit = designer.WaitForWindow("TEditForm", 5000);
  ::SendMessageA(::FindWindowExA(main, nullptr, TOOLBARCLASSNAMEA, nullptr), TB_CHECKBUTTON, win::cmdToolImage, TRUE);
  ClickSurface(edit, 40, 50);
  ::PostMessageA(main, WM_CLOSE, 0, 0);
  HWND box = designer.WaitForDialog("Exit", 5000);
  ASSERT_NE(box, nullptr);
  ::PostMessageA(box, WM_COMMAND, IDYES, 0);
  EXPECT_TRUE(designer.WaitForExit(5000));
  SavedProject saved;
  ASSERT_TRUE(saved.Read(cd + "\\AutoRun.mnx"));
  ASSERT_EQ(saved.World.State.Project.Objects.size(), 1u);
  EXPECT_EQ(saved.World.State.Project.Objects[0]->Kind, ObjectKind::Image);
}

// Top-level windows of any process with the class and caption.
std::vector<HWND> WindowsOfClass(const char* className, const std::string& caption) {
  struct Search {
    const char* cls;
    std::string caption;
    std::vector<HWND> found;
  } search{className, caption, {}};
  ::EnumWindows(
      [](HWND hwnd, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        if (testing::ClassName(hwnd) == s->cls && testing::WindowText(hwnd) == s->caption) s->found.push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

TEST_F(DesignerProcess, SaveAndTestStartsThePublishedPlayerWithTheNewObjects) {
  ChildProcess designer(exe);
  HWND main = Start(designer);
  ASSERT_NE(main, nullptr);
  HWND edit = designer.WaitForWindow("TEditForm", 5000);
  HWND toolbar = ::FindWindowExA(main, nullptr, TOOLBARCLASSNAMEA, nullptr);
  ::SendMessageA(toolbar, TB_CHECKBUTTON, win::cmdToolButton, TRUE);
  ClickSurface(edit, 200, 150);
  ::SendMessageA(main, WM_COMMAND, win::cmdSaveAndTest, 0);

  // The copy in the CD folder runs as the player: a visible menu window of the project's size.
  // It starts without area and takes the project's size once loaded.
  HWND player = nullptr;
  RECT rc{0, 0, 0, 0};
  for (int i = 0; i < 250 && rc.right - rc.left == 0; ++i) {
    for (HWND w : WindowsOfClass("TAutoRunForm", "AutoRun"))
      if (::IsWindowVisible(w)) player = w;
    if (player) ::GetWindowRect(player, &rc);
    if (rc.right - rc.left == 0) ::Sleep(40);
  }
  ASSERT_NE(player, nullptr);
  EXPECT_EQ(rc.right - rc.left, 600);
  EXPECT_EQ(rc.bottom - rc.top, 420);
  DWORD playerPid = 0;
  ::GetWindowThreadProcessId(player, &playerPid);
  EXPECT_NE(playerPid, designer.Id());
  // The player draws the button: grey where the new button is, the blue gradient beside it.
  ::Sleep(300);
  POINT inside{200 + 60, 150 + 20}, beside{200 + 60, 150 + 60};
  ::ClientToScreen(player, &inside);
  ::ClientToScreen(player, &beside);
  HDC screen = ::GetDC(nullptr);
  COLORREF face = ::GetPixel(screen, inside.x, inside.y);
  COLORREF gradient = ::GetPixel(screen, beside.x, beside.y);
  ::ReleaseDC(nullptr, screen);
  EXPECT_TRUE(GetRValue(face) == GetGValue(face) && GetGValue(face) == GetBValue(face)) << std::hex << face;
  EXPECT_GT(GetBValue(gradient), GetRValue(gradient)) << std::hex << gradient;
  ::PostMessageA(player, WM_CLOSE, 0, 0);
  for (int i = 0; i < 100 && ::IsWindow(player); ++i) ::Sleep(30);
  EXPECT_FALSE(::IsWindow(player));
  ::PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(designer.WaitForExit(10000));
}

// Sets an edit box of another process's dialog and tells the dialog, as typing would.
void TypeInto(HWND dialog, int id, const std::string& text) {
  HWND edit = ::GetDlgItem(dialog, id);
  ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, EN_CHANGE), reinterpret_cast<LPARAM>(edit));
}

void ChooseEntry(HWND dialog, int id, int entry) {
  HWND list = ::GetDlgItem(dialog, id);
  ::SendMessageA(list, CB_SETCURSEL, entry, 0);
  ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

void PressOk(HWND dialog) {
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
}

TEST_F(DesignerProcess, PropertiesAndLinksSurviveSaveAndReopen) {
  {
    ChildProcess designer(exe);
    HWND main = Start(designer);
    ASSERT_NE(main, nullptr);
    HWND edit = designer.WaitForWindow("TEditForm", 5000);
    ::SendMessageA(::FindWindowExA(main, nullptr, TOOLBARCLASSNAMEA, nullptr), TB_CHECKBUTTON, win::cmdToolLabel, TRUE);
    ClickSurface(edit, 40, 60);

    ::PostMessageA(main, WM_COMMAND, win::cmdObjectProperties, 0);
    HWND label = designer.WaitForDialog("Label Properties", 5000);
    ASSERT_NE(label, nullptr);
    TypeInto(label, IDC_CAPTION, "Install \xc9" "dition & more");
    PressOk(label);
    for (int i = 0; i < 100 && ::IsWindow(label); ++i) ::Sleep(20);

    ::PostMessageA(main, WM_COMMAND, win::cmdObjectLink, 0);
    HWND link = designer.WaitForDialog("Edit Link", 5000);
    ASSERT_NE(link, nullptr);
    ChooseEntry(link, IDC_LINK_ACTION, 2);  // Open URL: the target is kept exactly as typed
    TypeInto(link, IDC_LINK_TARGET, "  https://corvela.example.org/get");
    PressOk(link);
    for (int i = 0; i < 100 && ::IsWindow(link); ++i) ::Sleep(20);

    ::SendMessageA(main, WM_COMMAND, win::cmdSave, 0);
    ::PostMessageA(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(designer.WaitForExit(10000));
  }
  const std::string saved = testing::ReadBytes(cd + "\\AutoRun.mnx");
  {
    // Reopened, then saved again without an edit: the same project comes back.
    ChildProcess designer(exe);
    HWND main = Start(designer);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(testing::WindowText(designer.WaitForWindow("TEditForm", 5000)), "AutoRun [Design]");
    ::SendMessageA(main, WM_COMMAND, win::cmdSave, 0);
    ::PostMessageA(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(designer.WaitForExit(10000));
  }
  SavedProject reopened;
  ASSERT_TRUE(reopened.Read(cd + "\\AutoRun.mnx"));
  ASSERT_EQ(reopened.World.State.Project.Objects.size(), 1u);
  const MenuObject& obj = *reopened.World.State.Project.Objects[0];
  EXPECT_EQ(obj.AsLabel()->Caption, "Install \xc9" "dition & more");
  EXPECT_EQ(obj.Link.Action, LinkAction::OpenUrl);
  EXPECT_EQ(obj.Link.Target, "  https://corvela.example.org/get");
  EXPECT_EQ(obj.Link.ShowCommand, 1);
  // Nothing was lost on the way: the two saves differ only in the tick-count trailer.
  const std::string resaved = testing::ReadBytes(cd + "\\AutoRun.mnx");
  ASSERT_EQ(saved.size(), resaved.size());
  EXPECT_EQ(saved.substr(0, saved.size() - 80), resaved.substr(0, resaved.size() - 80));
}

TEST_F(DesignerProcess, AboutBoxAndHelpWithoutTheGuide) {
  ChildProcess designer(exe);
  HWND main = Start(designer);
  ASSERT_NE(main, nullptr);
  ::PostMessageA(main, WM_COMMAND, win::cmdAbout, 0);
  HWND about = designer.WaitForDialog("About Corvela", 5000);
  ASSERT_NE(about, nullptr);
  const std::string text = testing::MessageBoxText(about);
  EXPECT_NE(text.find("Version: 2.0"), std::string::npos) << text;
  EXPECT_NE(text.find("The Corvela team"), std::string::npos) << text;
  EXPECT_NE(text.find("corvela.example.org"), std::string::npos) << text;
  ::PostMessageA(about, WM_COMMAND, IDOK, 0);
  for (int i = 0; i < 100 && ::IsWindow(about); ++i) ::Sleep(20);
  EXPECT_FALSE(::IsWindow(about));

  // Neither a help file nor the guide beside this copy of the exe: the user is told.
  ::PostMessageA(main, WM_COMMAND, win::cmdHelpContents, 0);
  HWND error = designer.WaitForDialog("Error", 5000);
  ASSERT_NE(error, nullptr);
  EXPECT_EQ(testing::MessageBoxText(error), "File \"" + (folder / "Corvela.html") + "\" not found");
  ::PostMessageA(error, WM_COMMAND, IDOK, 0);
  ::PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(designer.WaitForExit(10000));
}

}  // namespace
}  // namespace corvela
