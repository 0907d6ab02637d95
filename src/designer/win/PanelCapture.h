#pragma once
// Paints a window and its visible child windows into a DC, as the design surface's picture of
// the menu window's inner panel. Each window draws into a bitmap of its own, which is then
// copied into place: printing children straight into one DC clips them wrongly.

#include <windows.h>

#include <functional>

namespace corvela::win {

// root paints at 0, 0 of target; children whose skip() says so are left out with their own
// children. Windows need not be shown: hidden top-levels print all the same. With area, only
// that part of the picture (in root client coordinates) is painted again.
void PaintWindowTree(HWND root, HDC target, const std::function<bool(HWND)>& skip, const RECT* area = nullptr);

// window itself with its frame and scroll bars, and its children, at 0, 0 of target.
void PaintWindowWhole(HWND window, HDC target);

}  // namespace corvela::win
