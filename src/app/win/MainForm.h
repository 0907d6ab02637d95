#pragma once
// TMainForm: the designer's main window, a strip across the top of the screen with the menu
// bar and the toolbar. It owns the project's life cycle; editing is the design surface's job.

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>

#include "app/DesignerCommands.h"
#include "app/win/Commands.h"
#include "designer/win/EditForm.h"
#include "platform/win/Handles.h"
#include "platform/win/Window.h"
#include "project/Model.h"

namespace corvela::win {

struct ImageListTraits {
  static HIMAGELIST Invalid() { return nullptr; }
  static bool IsValid(HIMAGELIST h) { return h != nullptr; }
  static void Close(HIMAGELIST h) { ::ImageList_Destroy(h); }
};
using UniqueImageList = UniqueHandle<HIMAGELIST, ImageListTraits>;

struct AcceleratorTraits {
  static HACCEL Invalid() { return nullptr; }
  static bool IsValid(HACCEL h) { return h != nullptr; }
  static void Close(HACCEL h) { ::DestroyAcceleratorTable(h); }
};
using UniqueAccelerators = UniqueHandle<HACCEL, AcceleratorTraits>;

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

  std::string BaseCaption;
  bool ClosingAllowed = false;

  // DesignerShell
  std::optional<std::string> BrowseForFolder(const std::string& title, const std::string& preselected) override;
  void FitDesignSurface() override;
  void SetMainCaption(const std::string& caption) override;
  void UpdateCDIconButton() override;
  void StartProgram(const std::string& path) override;

  // ToolPalette
  std::optional<ObjectKind> CurrentTool() override;
  void SelectTool() override;

  HWND ToolBar() const { return toolBar_; }

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void FormCreate();
  void FormResize();
  bool CreateMenuBar();
  bool CreateToolBar();
  void PaintLogo(HDC dc, const RECT& rc);
  void HelpContents();
  void About();
  LRESULT OnNotify(NMHDR* header);

  AppState& state_;
  EditForm& editForm_;
  HWND toolBar_ = nullptr;  // child windows are freed with their parent
  HWND cdIconBar_ = nullptr;
  UniqueImageList images_;
  UniqueImageList cdIconImages_;
  UniqueBitmap logo_;
  UniqueAccelerators accelerators_;
  int logoLeft_ = 0;
};

}  // namespace corvela::win
