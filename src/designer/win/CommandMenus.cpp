#include "designer/win/CommandMenus.h"

#include <vector>

namespace corvela::win {

namespace {
HMENU CreatePopup(const std::vector<unsigned>& items, MenuPlace place) {
  HMENU popup = ::CreatePopupMenu();
  for (unsigned id : items) {
    const CommandInfo* command = FindCommand(id);
    if (const MenuLayout* sub = Submenu(id))
      ::AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopup(sub->Items, place)), sub->Title);
    else if (!command)
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
  auto add = [&keys](const Shortcut& shortcut, unsigned id) {
    if (shortcut.Key == 0) return;
    BYTE flags = FVIRTKEY;
    if (shortcut.Ctrl) flags |= FCONTROL;
    if (shortcut.Alt) flags |= FALT;
    if (shortcut.Shift) flags |= FSHIFT;
    keys.push_back(ACCEL{flags, shortcut.Key, static_cast<WORD>(id)});
  };
  for (const CommandInfo& command : Commands()) {
    add(command.Keys, command.Id);
    add(command.MoreKeys, command.Id);
  }
  for (const KeyBinding& binding : NudgeKeys()) add(binding.Keys, binding.Id);
  return UniqueAccelerators(::CreateAcceleratorTableA(keys.data(), static_cast<int>(keys.size())));
}

}  // namespace corvela::win
