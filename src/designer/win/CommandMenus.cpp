#include "designer/win/CommandMenus.h"

#include <vector>

namespace corvela::win {

namespace {
HMENU CreatePopup(const std::vector<unsigned>& items, MenuPlace place) {
  HMENU popup = ::CreatePopupMenu();
  for (unsigned id : items) {
    const CommandInfo* command = FindCommand(id);
    if (!command)
      ::AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    else
      ::AppendMenuA(popup, MF_STRING, id, MenuItemText(*command, place).c_str());
  }
  return popup;
}
}  // namespace

HMENU CreateMenuBar() {
  HMENU bar = ::CreateMenu();
  for (const MenuLayout& menu : MenuBarLayout())
    ::AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopup(menu.Items, MenuPlace::MenuBar)), menu.Title);
  return bar;
}

UniqueMenu CreateSurfacePopup() {
  return UniqueMenu(CreatePopup(SurfacePopupLayout(), MenuPlace::SurfacePopup));
}

UniqueAccelerators CreateShortcuts() {
  std::vector<ACCEL> keys;
  for (const CommandInfo& command : Commands()) {
    if (command.Keys.Key == 0) continue;
    BYTE flags = FVIRTKEY;
    if (command.Keys.Ctrl) flags |= FCONTROL;
    if (command.Keys.Alt) flags |= FALT;
    keys.push_back(ACCEL{flags, command.Keys.Key, static_cast<WORD>(command.Id)});
  }
  return UniqueAccelerators(::CreateAcceleratorTableA(keys.data(), static_cast<int>(keys.size())));
}

}  // namespace corvela::win
