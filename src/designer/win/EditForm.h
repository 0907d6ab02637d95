#pragma once
// TEditForm: the design surface, lying where the menu window would be.

#include <optional>

#include "platform/win/Window.h"
#include "project/Model.h"

namespace corvela::win {

// The tool buttons the design surface reads: an add tool, or none for Select.
class ToolPalette {
 public:
  virtual ~ToolPalette() = default;
  virtual std::optional<ObjectKind> CurrentTool() = 0;
  // Back to the Select tool after one use of an add tool.
  virtual void SelectTool() = 0;
};

class EditForm : public Window {
 public:
  explicit EditForm(AppState& state) : state_(state) {}
  bool Create();
  void SetToolPalette(ToolPalette* tools) { tools_ = tools; }
  // The editing commands of the menu and toolbar; false for a command it does not know.
  bool ExecuteCommand(unsigned id);
  // Takes the menu window's frame, icon, transparency, bounds and panel border, and redraws.
  void FitToMenuWindow();
  void RefreshSurface();
  // Set by the main window once it has agreed to close; until then closing is refused.
  bool ClosingAllowed = false;

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  AppState& state_;
  ToolPalette* tools_ = nullptr;
};

}  // namespace corvela::win
