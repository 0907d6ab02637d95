#pragma once
// TEditForm: the design surface, lying where the menu window would be. It shows a picture of
// the menu window's inner panel with frames and handles over it and takes all mouse input;
// DesignSurface decides what a press, move or release does.

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "designer/DialogCommands.h"
#include "designer/Surface.h"
#include "designer/win/SurfacePicture.h"
#include "platform/win/Handles.h"
#include "platform/win/Win32Graphics.h"
#include "platform/win/Window.h"
#include "player/MenuFrame.h"
#include "project/AppState.h"

namespace corvela::win {

class AutoRunForm;

// The tool buttons the design surface reads.
class ToolPalette {
 public:
  virtual ~ToolPalette() = default;
  virtual DesignTool CurrentTool() = 0;
  // Back to the Select tool after one use of an add tool.
  virtual void SelectTool() = 0;
};

class EditForm : public Window, public SurfaceHost, public DesignWindow {
 public:
  explicit EditForm(AppState& state) : state_(state), surface_(state, *this) {}
  bool Create();
  void SetToolPalette(ToolPalette* tools) { tools_ = tools; }
  void SetMenuWindow(AutoRunForm* menu) { menu_ = menu; }
  // Commands the surface does not carry out itself go to this window (the main window).
  void SetCommandTarget(HWND target) { commandTarget_ = target; }
  void SetDialogs(DialogOpener* dialogs) { dialogs_ = dialogs; }
  // The editing commands of the menu, the toolbar and the popup menu; false for others.
  bool ExecuteCommand(unsigned id);
  // Takes the menu window's frame, icon, transparency, bounds and panel border, and redraws.
  void FitToMenuWindow();
  void RefreshSurface() override { surface_.RefreshSurface(); }
  // FormResize: the menu window takes the surface's bounds, then a new picture is made.
  void FormResize();
  // Escape while the mouse is held: the drag is undone and the rest of the click ignored.
  bool AbortPress();
  DesignSurface& Surface() { return surface_; }
  // Where the picture lies in the client area.
  POINT PictureOrigin() const;
  // A band rectangle of the picture in the window's client coordinates, at least a pixel each way.
  RECT BandOnScreen(const Rect& band) const;
  HBITMAP Picture() const { return picture_.Bitmap(); }
  // Where the readout of a drag is shown, in client coordinates; nothing while none is.
  std::optional<RECT> ReadoutBox() const { return readout_; }

  // Set by the main window once it has agreed to close; until then closing is refused.
  bool ClosingAllowed = false;
  // While set, size changes are not copied to the menu window.
  bool SuppressResizeSync = false;

  // SurfaceHost
  Size InnerPanelSize() override;
  void RepaintSurface() override;
  void BandChanged(const Rect& previous, const Rect& current) override;
  void ControlCreated(MenuObject& obj) override;
  void ControlBroughtToFront(MenuObject& obj) override;
  void ControlSentToBack(MenuObject& obj) override;
  void ProjectReplaced() override { FitToMenuWindow(); }
  Size GlyphSize(const MenuObject& obj) override;

  // DesignWindow
  Size MenuClientSize() override;
  void CopyMenuWindowLook() override { MirrorFrame(); }
  void SetClientSize(Size size) override;
  void CopyPanelBorder() override;
  void RunResizeHandler() override { FormResize(); }

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  MenuPanelLayout Layout() const;
  void Paint(HDC dc, const RECT& client);
  void DrawMarks(HDC dc);
  // The drag readout beside the pointer (client coordinates) while objects are dragged, or
  // gone otherwise; the boxes it leaves and takes are repainted.
  void UpdateReadout(POINT pointer);
  void DrawReadout(HDC dc);
  void MirrorFrame();
  void ShowPopupMenu(POINT screen, Point picture);
  void CopyToClipboard();
  // Pastes what the clipboard holds of ours, at a point of the picture or offset from the copies.
  void PasteFromClipboard(std::optional<Point> at);
  void DoubleClick(Point p);
  Point ToPicture(LPARAM lp) const;
  // The user changed the window's size: the menu's new size (and the objects it clamped) is one
  // undo step, or one per drag of the frame.
  void ResizedByUser();
  // The window's size for an inner area of this size under the current frame and panel border.
  SIZE OuterSizeForInner(Size inner) const;

  AppState& state_;
  DesignSurface surface_;
  ToolPalette* tools_ = nullptr;
  AutoRunForm* menu_ = nullptr;
  HWND commandTarget_ = nullptr;
  DialogOpener* dialogs_ = nullptr;
  SurfacePicture picture_;
  UniqueIcon icon_;
  // The glyph of a button without a bitmap of its own, for Size to Fit; loaded when first needed.
  std::unique_ptr<WinGraphic> fallbackGlyph_;
  std::optional<RECT> readout_;
  std::wstring readoutText_;
  // Inside the frame's size-move loop: its size changes merge into one step.
  bool sizing_ = false;
};

}  // namespace corvela::win
