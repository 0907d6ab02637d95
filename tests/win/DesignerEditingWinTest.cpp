// The designer's editing aids in whole processes: undo and redo, double clicks, the arrow keys and
// the clipboard between two designers.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "designer/Commands.h"
#include "project/ProjectFile.h"
#include "support/FakePlatform.h"
#include "support/win/DesignerDriver.h"
#include "support/win/WinProcess.h"

namespace corvela {
namespace {

using testing::ChildProcess;
using testing::WaitFor;
using testing::WindowText;

// One designer: its own copy of the exe, ini and CD folder.
struct Designer {
  testing::TempFolder folder;
  std::string cd = folder / "cd";
  std::unique_ptr<ChildProcess> process;
  HWND main = nullptr, edit = nullptr, toolbar = nullptr;
  testing::FakeWorld saved;

  void Start() {
    ASSERT_NO_FATAL_FAILURE(testing::PrepareDesignerFolder(folder, cd));
    process = std::make_unique<ChildProcess>(folder / "Corvela.exe");
    ASSERT_TRUE(process->Started());
    testing::DesignerWindows windows;
    ASSERT_NO_FATAL_FAILURE(testing::WaitForDesigner(*process, cd, windows));
    main = windows.Main;
    edit = windows.Edit;
    toolbar = windows.Toolbar;
  }
  void Place(unsigned tool, int x, int y) {
    ::SendMessageA(toolbar, TB_CHECKBUTTON, tool, TRUE);
    ::SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::SendMessageA(edit, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }
  void Command(unsigned id) { ::SendMessageA(main, WM_COMMAND, id, 0); }
  std::string Save() {
    Command(cmdSave);
    return testing::ReadBytes(cd + "\\AutoRun.mnx");
  }
  const MenuProject& Saved() {
    EXPECT_EQ(ParseProject(saved.State, testing::ReadBytes(cd + "\\AutoRun.mnx")), ParseOutcome::Loaded);
    return saved.State.Project;
  }
  // Asks to close and cancels the question if one comes; true when it came. The designer closes
  // when there is nothing to ask.
  bool AsksToSave() {
    ::PostMessageA(main, WM_CLOSE, 0, 0);
    HWND box = process->WaitForDialog("Exit", 1500);
    if (!box) return false;
    ::PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
    // Gone before the next question is looked for, or this one would be taken for it.
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(box); }, 5000));
    return true;
  }
  // Closes, answering No when the designer asks about changes; true when it asked.
  bool Close() {
    ::PostMessageA(main, WM_CLOSE, 0, 0);
    bool asked = false;
    if (HWND box = process->WaitForDialog("Exit", 1500)) {
      asked = true;
      ::PostMessageA(box, WM_COMMAND, IDNO, 0);
    }
    DWORD code = 1;
    EXPECT_TRUE(process->WaitForExit(10000, &code));
    return asked;
  }
};

// The file ends in a trailer that changes with every save.
std::string WithoutTrailer(const std::string& file) {
  return file.size() < 80 ? file : file.substr(0, file.size() - 80);
}

TEST(DesignerEditing, AddUndoRedoAndSaveGiveTheSameFile) {
  Designer d;
  d.Start();
  d.Place(cmdToolButton, 40, 50);
  const std::string added = d.Save();
  d.Command(cmdUndo);
  const std::string empty = d.Save();
  EXPECT_NE(WithoutTrailer(empty), WithoutTrailer(added));
  d.Command(cmdRedo);
  EXPECT_EQ(WithoutTrailer(d.Save()), WithoutTrailer(added));
  ASSERT_EQ(d.Saved().Objects.size(), 1u);
  EXPECT_EQ(d.Saved().Objects[0]->Base().Left, 40);
  // Undo after a save leaves changes to save; redo back to what was saved leaves none.
  d.Command(cmdUndo);
  EXPECT_TRUE(d.AsksToSave());
  d.Command(cmdRedo);
  EXPECT_FALSE(d.Close());
}

// Keys and commands while the button is held would change the list under the drag; Escape puts
// the objects back and the release then does nothing.
TEST(DesignerEditing, CommandsWaitForTheDragAndEscapeCancelsIt) {
  Designer d;
  d.Start();
  d.Place(cmdToolButton, 40, 50);
  ::SendMessageA(d.edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 60));
  ::SendMessageA(d.edit, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(90, 100));
  for (unsigned id : {cmdDelete, cmdUndo, cmdNudgeRight, cmdSave}) d.Command(id);
  ::SendMessageA(d.main, WM_CLOSE, 0, 0);
  ::SendMessageA(d.edit, WM_KEYDOWN, VK_ESCAPE, 1);
  ::SendMessageA(d.edit, WM_LBUTTONUP, 0, MAKELPARAM(90, 100));
  EXPECT_EQ(::GetFileAttributesA((d.cd + "\\AutoRun.mnx").c_str()), INVALID_FILE_ATTRIBUTES);  // so did Save
  d.Save();
  ASSERT_EQ(d.Saved().Objects.size(), 1u);
  EXPECT_EQ(d.Saved().Objects[0]->Base().Left, 40);
  EXPECT_EQ(d.Saved().Objects[0]->Base().Top, 50);
  d.Command(cmdUndo);  // the add: the drag left no step
  d.Save();
  EXPECT_TRUE(d.Saved().Objects.empty());
  d.Close();
}

// Resizing the design window resizes the menu: an edit that Undo takes back.
TEST(DesignerEditing, ResizingTheMenuIsAnUndoStep) {
  Designer d;
  d.Start();
  d.Save();
  const int32_t width = d.Saved().Form.Width;
  RECT r;
  ::GetWindowRect(d.edit, &r);
  ::SetWindowPos(d.edit, nullptr, 0, 0, r.right - r.left + 60, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
  d.Save();
  EXPECT_EQ(d.Saved().Form.Width, width + 60);
  d.Command(cmdUndo);
  d.Save();
  EXPECT_EQ(d.Saved().Form.Width, width);
  d.Close();
}

TEST(DesignerEditing, DoubleClickOpensTheDialogOfWhatIsUnderThePointer) {
  Designer d;
  d.Start();
  d.Place(cmdToolLabel, 40, 50);
  d.Place(cmdToolSelect, 300, 300);  // nothing selected
  struct Case {
    int x, y;
    const char* dialog;
  };
  for (const Case& c : {Case{45, 55, "Label Properties"}, Case{300, 300, "Form Properties"}}) {
    ::PostMessageA(d.edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.x, c.y));
    ::PostMessageA(d.edit, WM_LBUTTONUP, 0, MAKELPARAM(c.x, c.y));
    ::PostMessageA(d.edit, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(c.x, c.y));
    ::PostMessageA(d.edit, WM_LBUTTONUP, 0, MAKELPARAM(c.x, c.y));
    HWND dialog = d.process->WaitForDialog(c.dialog, 5000);
    ASSERT_NE(dialog, nullptr) << c.dialog;
    ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }, 2000));
  }
  d.Close();
}

TEST(DesignerEditing, ArrowKeysMoveTheSelectionAndABurstIsOneUndoStep) {
  Designer d;
  d.Start();
  d.Place(cmdToolButton, 40, 50);
  // Keys go through the message loop's shortcut table, as typed keys do.
  for (WPARAM key : {VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_DOWN, VK_DOWN}) {
    ::PostMessageA(d.edit, WM_KEYDOWN, key, 1);
    ::PostMessageA(d.edit, WM_KEYUP, key, 0xC0000001);
  }
  // Posted behind the keys, so the save comes after them; a save would end the burst.
  ::PostMessageA(d.main, WM_COMMAND, cmdSave, 0);
  EXPECT_TRUE(WaitFor(
      [&] {
        const std::string file = testing::ReadBytes(d.cd + "\\AutoRun.mnx");
        if (file.empty() || ParseProject(d.saved.State, file) != ParseOutcome::Loaded) return false;
        const auto& objects = d.saved.State.Project.Objects;
        return objects.size() == 1u && objects[0]->Base().Left == 43 && objects[0]->Base().Top == 52;
      },
      5000));
  d.Command(cmdUndo);
  d.Save();
  ASSERT_EQ(d.Saved().Objects.size(), 1u);
  EXPECT_EQ(d.Saved().Objects[0]->Base().Left, 40);
  EXPECT_EQ(d.Saved().Objects[0]->Base().Top, 50);
  d.Close();
}

TEST(DesignerEditing, CopyInOneDesignerPastesInAnother) {
  Designer from, to;
  from.Start();
  to.Start();
  from.Place(cmdToolButton, 40, 50);
  from.Command(cmdCopy);
  // The captions go along as Unicode text, which the system also offers as 8-bit text.
  ASSERT_TRUE(::OpenClipboard(nullptr));
  HANDLE unicode = ::GetClipboardData(CF_UNICODETEXT);
  EXPECT_EQ(unicode ? std::wstring(static_cast<const wchar_t*>(::GlobalLock(unicode))) : std::wstring(), L"New Button");
  if (unicode) ::GlobalUnlock(unicode);
  HANDLE text = ::GetClipboardData(CF_TEXT);
  EXPECT_EQ(text ? std::string(static_cast<const char*>(::GlobalLock(text))) : std::string(), "New Button");
  if (text) ::GlobalUnlock(text);
  ::CloseClipboard();

  to.Command(cmdPaste);
  to.Save();
  const auto& objects = to.Saved().Objects;
  ASSERT_EQ(objects.size(), 1u);
  EXPECT_EQ(objects[0]->AsButton()->Caption, "New Button");
  EXPECT_EQ(objects[0]->Base().Left, 48);
  EXPECT_EQ(objects[0]->Base().Top, 58);

  // Text from elsewhere is no object: Paste does nothing.
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  win::UniqueGlobal plain(::GlobalAlloc(GMEM_MOVEABLE, 6));
  std::memcpy(::GlobalLock(plain.get()), "hello", 6);
  ::GlobalUnlock(plain.get());
  if (::SetClipboardData(CF_TEXT, plain.get())) plain.release();
  ::CloseClipboard();
  to.Command(cmdPaste);
  to.Save();
  EXPECT_EQ(to.Saved().Objects.size(), 1u);
  from.Close();
  to.Close();
}

}  // namespace
}  // namespace corvela
