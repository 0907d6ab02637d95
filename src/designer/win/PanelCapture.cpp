#include "designer/win/PanelCapture.h"

#include <algorithm>
#include <vector>

#include "platform/win/Handles.h"

namespace corvela::win {

namespace {

struct Child {
  HWND Hwnd;
  RECT Bounds;  // screen coordinates
};

// Visible descendants from the bottom of the z-order up, parents before their children, so
// that upper windows cover lower ones. With reach (screen coordinates), a window outside it is
// left out with its children, which never show outside their parent: each step of the walk is
// a round trip to the window server under some systems.
void Collect(HWND parent, const std::function<bool(HWND)>& skip, const RECT* reach, std::vector<Child>& out) {
  HWND first = ::GetWindow(parent, GW_CHILD);
  if (!first) return;
  for (HWND child = ::GetWindow(first, GW_HWNDLAST); child; child = ::GetWindow(child, GW_HWNDPREV)) {
    if (!(::GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE) || skip(child)) continue;
    RECT rc, common;
    ::GetWindowRect(child, &rc);
    if (rc.right <= rc.left || rc.bottom <= rc.top || (reach && !::IntersectRect(&common, &rc, reach))) continue;
    out.push_back({child, rc});
    Collect(child, skip, reach, out);
  }
}

}  // namespace

void PaintWindowTree(HWND root, HDC target, const std::function<bool(HWND)>& skip, const RECT* area) {
  POINT origin{0, 0};
  ::ClientToScreen(root, &origin);
  DcStateScope clipped(target);
  if (area) ::IntersectClipRect(target, area->left, area->top, area->right, area->bottom);
  {
    DcStateScope state(target);
    ::SendMessageW(root, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(target), PRF_CLIENT | PRF_ERASEBKGND);
  }
  std::vector<Child> children;
  if (area) {
    // Only the panes that reach into the area.
    const RECT reach{area->left + origin.x, area->top + origin.y, area->right + origin.x, area->bottom + origin.y};
    Collect(root, skip, &reach, children);
  } else {
    Collect(root, skip, nullptr, children);
  }
  if (children.empty()) return;
  // One scratch bitmap large enough for every child, instead of one per child per picture.
  int width = 0, height = 0;
  for (const Child& c : children) {
    width = std::max<int>(width, c.Bounds.right - c.Bounds.left);
    height = std::max<int>(height, c.Bounds.bottom - c.Bounds.top);
  }
  BufferDc scratch(target, width, height);
  for (const Child& c : children) {
    const int w = c.Bounds.right - c.Bounds.left, h = c.Bounds.bottom - c.Bounds.top;
    {
      // What a window does not print itself (its frame and scroll bars, under some systems)
      // shows as a neutral face rather than the previous pane's pixels.
      RECT all{0, 0, w, h};
      ::FillRect(scratch.get(), &all, ::GetSysColorBrush(COLOR_BTNFACE));
      DcStateScope state(scratch.get());
      ::SendMessageW(c.Hwnd, WM_PRINT, reinterpret_cast<WPARAM>(scratch.get()),
                     PRF_CLIENT | PRF_ERASEBKGND | PRF_NONCLIENT);
    }
    ::BitBlt(target, c.Bounds.left - origin.x, c.Bounds.top - origin.y, w, h, scratch.get(), 0, 0, SRCCOPY);
  }
}

}  // namespace corvela::win
