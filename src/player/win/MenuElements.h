#pragma once
// The menu as UI Automation elements: the menu window's element is the root of a fragment tree
// with one element per node of the accessible tree (AccessibleTree.h), in reading order. A linked
// object can be invoked, which runs its link as a click would; a pane is its own window, whose
// element Windows supplies and these merge with.

#include <windows.h>

#include <memory>

#include "platform/DpiScale.h"
#include "platform/win/Handles.h"
#include "platform/win/UiAutomation.h"
#include "project/AppState.h"

namespace corvela::win {

class MenuKeyboard;

// Posted to the menu window by an invoked element: the click of the object whose Tag is wParam.
// Posted, so that the client that invoked it never waits for what the link does.
inline constexpr UINT kInvokeObjectMessage = WM_APP + 16;

// What the elements read. Clients may hold elements after the window has gone: State is then null
// and every element answers that it is no longer available.
struct MenuElementSource {
  AppState* State = nullptr;
  const DpiScale* Scale = nullptr;
  HWND Window = nullptr;
  HWND Panel = nullptr;
  MenuKeyboard* Keyboard = nullptr;
};

ComPtr<IRawElementProviderSimple> MakeMenuRootElement(const std::shared_ptr<MenuElementSource>& source);
// The element of the object at index, or null when the accessible tree leaves it out.
ComPtr<IRawElementProviderSimple> MakeMenuObjectElement(const std::shared_ptr<MenuElementSource>& source, int index);

}  // namespace corvela::win
