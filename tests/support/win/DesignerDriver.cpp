#include "support/win/DesignerDriver.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <optional>

#include "designer/Commands.h"
#include "platform/TextLines.h"
#include "platform/win/WideText.h"

namespace corvela::testing {

void PrepareDesignerFolder(const TempFolder& folder, const std::string& cd, bool remember) {
  ::CreateDirectoryW(win::Wide(cd).c_str(), nullptr);
  ASSERT_TRUE(CopyFromExeFolder("Corvela.exe", folder / "Corvela.exe"));
  ASSERT_TRUE(CopyFromExeFolder("Default.ico", folder / "Default.ico"));
  if (remember) {
    ASSERT_TRUE(WriteBytes(folder / "Corvela.ini", std::string(kUtf8Mark) + "DefaultPath=" + cd + "\r\n"));
  }
}

namespace {

// A visible dialog box of the process, or null.
HWND VisibleDialog(const ChildProcess& process) {
  for (HWND box : process.Windows("#32770"))
    if (::IsWindowVisible(box)) return box;
  return nullptr;
}

}  // namespace

std::optional<bool> AsksAboutChanges(const ChildProcess& process, HWND main) {
  ::PostMessageA(main, WM_COMMAND, cmdOpen, 0);
  HWND box = nullptr;
  if (!WaitFor([&] { return (box = VisibleDialog(process)) != nullptr; }, 5000)) return std::nullopt;
  const bool question = WindowText(box) == "Exit";
  ::PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
  if (!WaitFor([&] { return !::IsWindow(box) || !::IsWindowVisible(box); }, 5000)) return std::nullopt;
  return question;
}

// The menu window's one-shot start clears Modified once the designer is idle; edits made before it
// runs would be forgotten by the close question. Open is tried until it no longer asks (the
// question's own message loop lets the start run), or a few questions show that the changes are
// the designer's own (a message box shown while loading).
void WaitForStartTick(const ChildProcess& process, HWND main) {
  for (int attempt = 0; attempt < 5; ++attempt) {
    const std::optional<bool> asked = AsksAboutChanges(process, main);
    ASSERT_TRUE(asked) << "File > Open showed nothing or did not close";
    if (!*asked) return;
  }
}

void WaitForDesigner(const ChildProcess& process, const std::string& cd, DesignerWindows& windows) {
  windows = {};
  windows.Main = process.WaitForWindow("TMainForm", 15000);
  ASSERT_NE(windows.Main, nullptr);
  // The first showing ends with the caption naming the CD folder; it carries the mark of changes
  // to save until the start tick clears them, or for good when loading showed a message.
  ASSERT_TRUE(WaitFor(
      [&] {
        const std::string caption = WindowText(windows.Main);
        return caption == "Corvela - " + cd || caption == "Corvela - " + cd + "*";
      },
      5000))
      << WindowText(windows.Main);
  ASSERT_NO_FATAL_FAILURE(WaitForStartTick(process, windows.Main));
  windows.Edit = process.WaitForWindow("TEditForm", 5000);
  ASSERT_NE(windows.Edit, nullptr);
  windows.Toolbar = ::FindWindowExA(windows.Main, nullptr, TOOLBARCLASSNAMEA, nullptr);
  ASSERT_NE(windows.Toolbar, nullptr);
}

void TypeInto(HWND dialog, int id, const std::string& text) {
  HWND edit = ::GetDlgItem(dialog, id);
  win::SetWindowTextUtf8(edit, text);
  ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, EN_CHANGE), reinterpret_cast<LPARAM>(edit));
}

void ChooseEntry(HWND dialog, int id, int entry) {
  HWND list = ::GetDlgItem(dialog, id);
  ::SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
  ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

void PressOk(HWND dialog, DWORD timeoutMs) {
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
  EXPECT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }, timeoutMs));
}

}  // namespace corvela::testing
