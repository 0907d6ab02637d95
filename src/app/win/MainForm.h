#pragma once
// TMainForm: the designer's main window, a strip across the top of the screen with the menu
// bar and the toolbar. It owns the project's life cycle; editing is the design surface's job.

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/DesignerCommands.h"
#include "app/win/ToolBar.h"
#include "designer/Commands.h"
#include "designer/win/EditForm.h"
#include "project/DiscCheck.h"
#include "platform/win/Handles.h"
#include "platform/win/Window.h"
#include "project/AppState.h"

namespace corvela::win {

class MainForm : public Window, public DesignerShell, public ToolPalette {
 public:
  MainForm(AppState& state, EditForm& editForm) : state_(state), editForm_(editForm) {}
  bool Create();
  // The first showing: opens the CD folder or asks for one; closes the designer without one.
  void FormShow();
  // Offers a keyboard message to the menu's shortcuts while this window or the design surface
  // is active. True when it was a shortcut.
  bool TranslateShortcut(MSG& msg);
  void Execute(unsigned id);
  // Marks the caption while the menu has changes to save. Modified changes in many places, so
  // the application calls this after each message it dispatches; the caption is set only when
  // the mark comes or goes.
  void ShowModifiedMark();

  std::string BaseCaption;
  bool ClosingAllowed = false;

  // DesignerShell
  std::optional<std::string> BrowseForFolder(const std::string& title, const std::string& preselected) override;
  void FitDesignSurface() override;
  void SetMainCaption(const std::string& caption) override;
  void UpdateCDIconButton() override;
  void StartProgram(const std::string& path, const std::string& workingFolder) override;
  bool CheckBeforeTest() override;
  void ShowCheckDisc() override;

  // ToolPalette
  DesignTool CurrentTool() override;
  void SelectTool() override;

  HWND ToolBar() const { return toolBar_.Bar(); }

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void FormCreate();
  void FormResize();
  bool CreateMenuBar();
  void PaintLogo(HDC dc, const RECT& rc);
  void HelpContents();
  // The Edit menu's items as they stand: what Undo and Redo would do, what has a selection to act on.
  void UpdateEditMenu(HMENU menu);
  // A project was opened or made: nothing of the previous one can be undone.
  void ForgetHistory();
  std::optional<std::string> CDIconBytes();
  void About();
  // File > Check Disc and File > Make ISO Image (MainFormDisc.cpp).
  void CheckDiscCommand();
  void MakeIsoImageCommand();
  bool SaveBeforeDiscTask(const char* title);
  // Checks the disc against the menu on screen, off this thread, with a progress line and Cancel
  // when it takes a while; shows the findings unless needsLook says they need none. True when the
  // task may go on: nothing needed a look, or the user chose goOnCaption's button.
  bool CheckDiscFirst(const std::string& goOnCaption,
                      const std::function<bool(const std::vector<Finding>&)>& needsLook);

  AppState& state_;
  EditForm& editForm_;
  DesignerToolBar toolBar_;
  UniqueBitmap logo_;
  UniqueAccelerators accelerators_;
  int logoLeft_ = 0;
};

}  // namespace corvela::win
