#include "designer/win/CommandMenus.h"

#include <vector>

#include "platform/win/WideText.h"

namespace corvela::win {

namespace {
HMENU CreatePopup(const std::vector<unsigned>& items, MenuPlace place) {
  HMENU popup = ::CreatePopupMenu();
  for (unsigned id : items) {
    const CommandInfo* command = FindCommand(id);
    if (const MenuLayout* sub = Submenu(id))
      ::AppendMenuW(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopup(sub->Items, place)),
                    Wide(sub->Title).c_str());
    else if (!command)
      ::AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    else
      ::AppendMenuW(popup, MF_STRING, id, Wide(MenuItemText(*command, place)).c_str());
  }
  return popup;
}
}  // namespace

HMENU CreateMenuBar() {
  HMENU bar = ::CreateMenu();
  for (const MenuLayout& menu : MenuBarLayout())
    ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopup(menu.Items, MenuPlace::MenuBar)),
                  Wide(menu.Title).c_str());
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
  return UniqueAccelerators(::CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size())));
}

}  // namespace corvela::win
