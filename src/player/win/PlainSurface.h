#pragma once
// A child window of our own that only paints its background: the movie placeholder's raised panel
// and the web browser's host.

#include <windows.h>

#include "platform/win/Window.h"
#include "project/Model.h"

namespace corvela::win {

enum class SurfaceLook { RaisedPanel, WindowColour };

class PlainSurface : public Window {
 public:
  explicit PlainSurface(SurfaceLook look) : look_(look) {}
  // At the control's bounds on parent.
  bool Create(HWND parent, const ControlBase& bounds);
  // The raised panel's bevel, in device pixels.
  void SetBevelWidth(int width);

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void Paint(HDC dc, const RECT& rc);

  SurfaceLook look_;
  int bevelWidth_ = 1;
};

}  // namespace corvela::win
