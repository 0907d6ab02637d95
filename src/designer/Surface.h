#pragma once
// The design surface's behaviour without its window: the press, move and release of the
// mouse on the picture, the selection, dragging and resizing, and the editing commands.
// TEditForm turns its messages into these calls and draws what SurfaceHost is asked to draw.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "designer/Align.h"
#include "designer/ClipboardRecords.h"
#include "designer/DialogCommands.h"
#include "designer/History.h"
#include "designer/SurfaceGeometry.h"
#include "designer/Tools.h"
#include "project/AppState.h"

namespace corvela {

// The tool that is down on the main window's toolbar; exactly one is.

enum class MouseButton : uint8_t { Left, Right, Middle };

// DragMode of the surface. Pressed exists only inside the press handler.
enum class DragState : int8_t { Idle = -1, Band = 0, Pressed = 1, Dragging = 2 };

enum class PressOutcome : uint8_t {
  Ignored,      // not the left button: nothing happens until the release
  Pressed,      // a drag or a band began; capture the mouse until the release
  ObjectAdded,  // an add tool placed an object: put the Select tool down again
};

// What the surface needs of its window.
class SurfaceHost {
 public:
  virtual ~SurfaceHost() = default;
  // Client size of the menu window's inner panel, which the picture shares.
  virtual Size InnerPanelSize() = 0;
  // Re-make the picture: caption := Caption(); paint the inner panel with its children, HTML
  // panes left out, into the picture's bitmap (a failure is swallowed); draw Marks() over it;
  // show it. The new picture carries no band.
  virtual void RepaintSurface() = 0;
  // The band moved: erase the previous focus rectangle and draw the current one, each unless
  // it is kNoBand (drawing a focus rectangle twice erases it).
  virtual void BandChanged(const Rect& previous, const Rect& current) = 0;
  // A new object was appended as the topmost: create its control on the inner panel.
  virtual void ControlCreated(MenuObject& obj) = 0;
  // The object's control goes to the front of, or the back of, the inner panel's children;
  // after ControlSentToBack the menu background goes to the back again, behind every object.
  virtual void ControlBroughtToFront(MenuObject& obj) = 0;
  virtual void ControlSentToBack(MenuObject& obj) = 0;
  // An undo or redo replaced the whole project; the menu window has taken its settings and the
  // objects their resources: the surface takes the menu window's frame and bounds again.
  virtual void ProjectReplaced() {}
  // The size of the glyph a button shows (its own bitmap, or the built-in one without).
  virtual Size GlyphSize(const MenuObject& obj) {
    const Graphic* glyph = obj.Bitmap ? obj.Bitmap.get() : obj.Shown;
    return glyph ? Size{glyph->Width(), glyph->Height()} : Size{};
  }
};

class DesignSurface {
 public:
  DesignSurface(AppState& state, SurfaceHost& host) : state_(state), host_(host) {}
  DesignSurface(const DesignSurface&) = delete;
  DesignSurface& operator=(const DesignSurface&) = delete;

  // Image1MouseDown / Image1MouseMove / Image1MouseUp, in picture coordinates. Only Ctrl of the
  // held keys matters; the released button is not tested.
  PressOutcome MouseDown(MouseButton button, bool ctrl, Point p, DesignTool tool);
  // Returns the pointer shape to show now; it changes only while no press is in progress.
  CursorShape MouseMove(Point p);
  // False when the release ends a click that does nothing: one pressed on the panel's border
  // or bevels, or one whose drag was cancelled (no popup menu follows it either).
  bool MouseUp(bool ctrl, Point p);
  // The mouse capture was taken away mid-press (a window or box popped up): end the press
  // without selecting anything, so later moves without a button do not drag.
  void CancelPress();
  // Escape during a press: the dragged objects go back where the press found them, a band is
  // dropped, nothing is recorded, and the rest of the click does nothing.
  void AbortPress();

  // Clamp the objects onto the panel, re-make the picture and marks, renumber the tags.
  void RefreshSurface();
  std::string Caption() const;
  std::vector<SurfaceMark> Marks() const { return BuildSurfaceMarks(state_.Project); }

  void AddObject(ObjectKind kind, int32_t x, int32_t y);
  void SelectAllObjects();
  void DeleteSelectedObjects();
  void ClearAllObjects();
  void BringSelectedToFront();
  void SendSelectedToBack();

  // Every change above and below is recorded here as one step.
  History& Steps() { return history_; }
  const History& Steps() const { return history_; }
  // Undo and redo, then the catch-up: restored objects get their resources and the controls their
  // order again, a project step re-applies the window, a CD icon step writes the icon file back.
  // Nothing when there was nothing to do.
  std::optional<HistoryChange> UndoStep();
  std::optional<HistoryChange> RedoStep();
  // Form Properties, Start Link, Object Properties and Object Link, each recorded when confirmed.
  bool RunDialog(unsigned id, DialogOpener& dialogs, DesignWindow& window);
  // The clipboard's private bytes pasted as new objects (at a point, or offset from where they
  // were); false for data that is not ours or is damaged, which changes nothing.
  bool PasteRecords(const std::string& bytes, std::optional<Point> at = std::nullopt,
                    EditKind kind = EditKind::Paste);
  bool DuplicateSelection();
  bool Arrange(AlignCommand command);
  // Size to Fit for the selected labels and buttons (SizeToFit.cpp); offered when one of them can be.
  bool CanSizeSelectionToFit() const;
  bool SizeSelectionToFit();
  // One arrow key; a burst of them is one step.
  bool Nudge(ArrowKey key, bool ctrl, bool shift);
  // A double click at p: the object under it becomes the only one selected and its properties
  // open (cmdObjectProperties); on the empty panel it is Form Properties (cmdFormProperties).
  unsigned DoubleClickCommand(Point p);
  // Where the left button was last pressed, in picture coordinates.
  Point LastPress() const { return lastPress_; }


  DragState DragMode() const { return dragMode_; }
  bool PressInProgress() const { return dragMode_ != DragState::Idle; }
  int32_t HitCode() const { return hitCode_; }
  bool Moved() const { return moved_; }
  Point LastPoint() const { return lastPoint_; }
  Point BandOrigin() const { return bandOrigin_; }
  Rect BandRect() const { return bandRect_; }
  CursorShape Cursor() const { return cursor_; }

 private:
  void PressWithSelectTool(bool ctrl, Point p);
  void DragStep(Point p);
  void DrawBand(const Rect& band);
  void SelectByBand(bool ctrl);
  void SelectByClick(bool ctrl, Point p);
  void EndDrag();
  // Size commands on AutoSize labels and images that the next load would size back switch
  // AutoSize off, in the same step, so the size stays and a redo gives exactly this.
  void KeepCommandSizes(const std::vector<int>& indices);
  bool WriteIcon(const IconSnapshot& icon);
  // Records a change of objects: before as snapshotted, after read now at these positions.
  void Record(EditKind kind, std::optional<std::vector<ObjectSnapshot>> before, const std::vector<int>& after,
              uint32_t mergeKey = 0);
  std::optional<HistoryChange> CatchUp(std::optional<HistoryChange> change);

  AppState& state_;
  SurfaceHost& host_;
  DragState dragMode_ = DragState::Idle;
  int32_t hitCode_ = kHitNothing;
  bool moved_ = false;
  // The current click was pressed where nothing may happen, or its drag was cancelled.
  bool inertClick_ = false;
  Point lastPoint_{-1, -1};
  Point bandOrigin_{-1, -1};
  Rect bandRect_ = kNoBand;
  // Where the pointer was last reported during a press: a move event that does not change it
  // is no movement (Windows sends such events when windows change under the pointer).
  Point pointer_{-1, -1};
  CursorShape cursor_ = CursorShape::Arrow;
  History history_;
  // The selected objects as they were when a drag began, and whether it moves or resizes.
  std::optional<std::vector<ObjectSnapshot>> dragBefore_;
  EditKind dragKind_ = EditKind::Move;
  Point lastPress_{kPasteOffset, kPasteOffset};
};

}  // namespace corvela
