#pragma once
// The design surface's cached picture of the menu window's inner panel, and what a repaint must
// make again of it: all of it after a resize or a change, only a drag step's damage while the
// selected objects are dragged.

#include <windows.h>

#include <optional>
#include <vector>

#include "platform/Geometry.h"
#include "designer/DragDamage.h"
#include "platform/win/Handles.h"
#include "project/Model.h"

namespace corvela::win {

class SurfacePicture {
 public:
  // Makes the picture size x size (a new one when the size changed) and returns the part to make
  // again, or nothing for all of it.
  std::optional<RECT> BeginRepaint(HDC screen, Size size, const MenuProject& project, bool dragging);
  // After the repaint: the objects' bounds the next drag step is measured against.
  void EndRepaint(const MenuProject& project);
  // The next repaint makes all of it.
  void Discard() { bitmap_.reset(); }
  HBITMAP Bitmap() const { return bitmap_.get(); }

 private:
  UniqueBitmap bitmap_;
  Size size_;
  // The objects when the picture was last made, to find what a drag step changed.
  std::vector<DrawnObject> lastDrawn_;
};

}  // namespace corvela::win
