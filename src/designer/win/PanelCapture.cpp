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

// The vertical scroll bar of a window whose printing left it out (the rich edit control under some
// systems prints its text alone): drawn from the bar's own state, as the player shows it. The bar
// lies right of the client area; its thumb comes from the scroll range and page.
void DrawMissingScrollBar(HWND hwnd, HDC dc, const RECT& windowBounds) {
  if (!(::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_VSCROLL)) return;
  RECT client;
  ::GetClientRect(hwnd, &client);
  ::MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
  ::OffsetRect(&client, -windowBounds.left, -windowBounds.top);
  const RECT bar{client.right, client.top, client.right + ::GetSystemMetrics(SM_CXVSCROLL), client.bottom};
  const int arrow = std::min<int>(::GetSystemMetrics(SM_CYVSCROLL), (bar.bottom - bar.top) / 2);
  if (bar.right > windowBounds.right - windowBounds.left || arrow <= 0) return;
  // Printed already: the middle of the up arrow is not the face the scratch was filled with.
  if (::GetPixel(dc, (bar.left + bar.right) / 2, bar.top + arrow / 2) != ::GetSysColor(COLOR_BTNFACE)) return;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  if (!::GetScrollInfo(hwnd, SB_VERT, &info)) return;
  const int64_t range = int64_t{info.nMax} - info.nMin + 1;
  const bool active = info.nPage > 0 && range > static_cast<int64_t>(info.nPage) && ::IsWindowEnabled(hwnd);
  ::FillRect(dc, &bar, ::GetSysColorBrush(COLOR_SCROLLBAR));
  const UINT inactive = active ? 0 : DFCS_INACTIVE;
  RECT up{bar.left, bar.top, bar.right, bar.top + arrow};
  RECT down{bar.left, bar.bottom - arrow, bar.right, bar.bottom};
  ::DrawFrameControl(dc, &up, DFC_SCROLL, DFCS_SCROLLUP | inactive);
  ::DrawFrameControl(dc, &down, DFC_SCROLL, DFCS_SCROLLDOWN | inactive);
  const int track = static_cast<int>(bar.bottom - bar.top) - 2 * arrow;
  if (!active || track <= 0) return;
  const int shortest = std::min(arrow / 2 + 2, track);
  const int length = std::clamp(static_cast<int>(track * static_cast<int64_t>(info.nPage) / range), shortest, track);
  const int64_t travel = range - info.nPage;
  const int offset = static_cast<int>((track - length) * (int64_t{info.nPos} - info.nMin) / (travel > 0 ? travel : 1));
  RECT thumb{bar.left, bar.top + arrow + offset, bar.right, bar.top + arrow + offset + length};
  ::FillRect(dc, &thumb, ::GetSysColorBrush(COLOR_BTNFACE));
  ::DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT);
}

// A window with its frame and scroll bars, at 0, 0 of dc.
void PrintFramed(HWND hwnd, HDC dc, const RECT& bounds) {
  // What a window does not print itself (its frame and scroll bars, under some systems) shows as
  // a neutral face rather than whatever the DC held.
  RECT all{0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top};
  ::FillRect(dc, &all, ::GetSysColorBrush(COLOR_BTNFACE));
  {
    DcStateScope state(dc);
    ::SendMessageW(hwnd, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND | PRF_NONCLIENT);
  }
  DrawMissingScrollBar(hwnd, dc, bounds);
}

void PaintChildren(HWND root, HDC target, const std::function<bool(HWND)>& skip, const RECT* area) {
  POINT origin{0, 0};
  ::ClientToScreen(root, &origin);
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
    PrintFramed(c.Hwnd, scratch.get(), c.Bounds);
    ::BitBlt(target, c.Bounds.left - origin.x, c.Bounds.top - origin.y, w, h, scratch.get(), 0, 0, SRCCOPY);
  }
}

}  // namespace

void PaintWindowTree(HWND root, HDC target, const std::function<bool(HWND)>& skip, const RECT* area) {
  DcStateScope clipped(target);
  if (area) ::IntersectClipRect(target, area->left, area->top, area->right, area->bottom);
  {
    DcStateScope state(target);
    ::SendMessageW(root, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(target), PRF_CLIENT | PRF_ERASEBKGND);
  }
  PaintChildren(root, target, skip, area);
}

void PaintWindowWhole(HWND window, HDC target) {
  RECT bounds;
  if (!::GetWindowRect(window, &bounds)) return;
  PrintFramed(window, target, bounds);
  // Its child windows from the corner of its client area, inside the frame.
  POINT client{0, 0};
  ::ClientToScreen(window, &client);
  DcStateScope state(target);
  ::OffsetViewportOrgEx(target, client.x - bounds.left, client.y - bounds.top, nullptr);
  PaintChildren(window, target, [](HWND) { return false; }, nullptr);
}

}  // namespace corvela::win
