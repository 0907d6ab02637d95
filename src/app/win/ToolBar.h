#pragma once
// The designer's toolbar: the command and tool buttons with their hints, and beside them the CD
// icon button on a little bar of its own, so that its glyph can be redrawn.

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "designer/Tools.h"
#include "platform/win/Handles.h"

namespace corvela::win {

class DesignerToolBar {
 public:
  static constexpr int kButtonWidth = 39;
  static constexpr int kButtonHeight = 38;
  static constexpr int kHeight = kButtonHeight + 4;

  // Both bars as children of parent; they go with it.
  bool Create(HWND parent);
  // Places the bars at the left of the parent's client area; returns where they end.
  int Layout();
  DesignTool CurrentTool() const;
  // Back to the Select tool.
  void SelectTool();
  // The CD icon button shows this icon file, or the application's icon for an empty path.
  void ShowCDIcon(const std::string& iconPath);
  // Answers a tooltip's request for a button's hint; false for other notifications.
  bool ShowHint(NMHDR* header);
  HWND Bar() const { return bar_; }

 private:
  HWND bar_ = nullptr;  // child windows are freed with their parent
  HWND cdIconBar_ = nullptr;
  UniqueImageList images_;
  UniqueImageList cdIconImages_;
};

}  // namespace corvela::win
