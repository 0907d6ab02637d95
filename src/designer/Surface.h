#pragma once
// The design surface's behaviour without its window: the press, move and release of the
// mouse on the picture, the selection, dragging and resizing, and the editing commands.
// TEditForm turns its messages into these calls and draws what SurfaceHost is asked to draw.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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
  void MouseUp(bool ctrl, Point p);
  // The mouse capture was taken away mid-press (a window or box popped up): end the press
  // without selecting anything, so later moves without a button do not drag.
  void CancelPress();

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

  AppState& state_;
  SurfaceHost& host_;
  DragState dragMode_ = DragState::Idle;
  int32_t hitCode_ = kHitNothing;
  bool moved_ = false;
  Point lastPoint_{-1, -1};
  Point bandOrigin_{-1, -1};
  Rect bandRect_ = kNoBand;
  // Where the pointer was last reported during a press: a move event that does not change it
  // is no movement (Windows sends such events when windows change under the pointer).
  Point pointer_{-1, -1};
  CursorShape cursor_ = CursorShape::Arrow;
};

}  // namespace corvela
