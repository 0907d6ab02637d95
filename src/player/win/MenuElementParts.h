#pragma once
// What the menu's two kinds of UI Automation element share: the reference count, the look-ups
// of an object's node and pane, and bounds on the screen. For MenuObjectElement.cpp and
// MenuRootElement.cpp alone.

#include <windows.h>

#include <atomic>
#include <memory>

#include "player/AccessibleTree.h"
#include "player/win/MenuElements.h"

namespace corvela::win::elements {

using Source = std::shared_ptr<MenuElementSource>;

inline constexpr auto kOptions =
    static_cast<ProviderOptions>(ProviderOptions_ServerSideProvider | ProviderOptions_UseComThreading);

// The window is there to be read.
bool Alive(const MenuElementSource& s);
// The tree as the records stand now: hot looks resize AutoSize objects, so nothing is kept.
AccessibleMenu TreeOf(const MenuElementSource& s);
// The position of the object's node in the tree, or -1.
int PositionOf(const AccessibleMenu& menu, int index);
const MenuObject* ObjectAt(const MenuElementSource& s, int index);
HWND PaneWindowOf(const MenuElementSource& s, int index);
// Where the design rectangle shows on the screen, in the screen's pixels: the part inside the
// panel, which the window's monitor resolution has already scaled.
UiaRect ScreenRect(const MenuElementSource& s, const Rect& design);

// The element as the interface asked for; null (and S_OK) for no element.
template <typename Interface>
HRESULT Hand(const ComPtr<IRawElementProviderSimple>& element, REFIID iid, Interface** out) {
  *out = nullptr;
  if (!element) return S_OK;
  return element->QueryInterface(iid, reinterpret_cast<void**>(out));
}

// The reference count every element keeps; the last Release deletes it.
class RefCounted {
 protected:
  virtual ~RefCounted() = default;
  ULONG Add() { return ++refs_; }
  ULONG Drop() {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

 private:
  std::atomic<ULONG> refs_{1};
};

}  // namespace corvela::win::elements
