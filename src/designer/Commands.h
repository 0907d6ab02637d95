#pragma once
// The designer's commands in one table: identifier, caption and shortcut key. The menu bar, the
// design surface's popup menu and the keyboard shortcuts are all built from it, so a shortcut a
// menu shows is always one the keyboard has.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvela {

enum CommandId : unsigned {
  cmdOpen = 1001,
  cmdSave,
  cmdSaveAndTest,
  cmdExit,
  cmdFormProperties,
  cmdStartLink,
  cmdObjectProperties,
  cmdObjectLink,
  cmdDelete,
  cmdClear,
  cmdBringToFront,
  cmdSendToBack,
  cmdSelectAll,
  cmdSelectCDIcon,
  cmdHelpContents,
  cmdTechnicalSupport,
  cmdHomePage,
  cmdAbout,
  // The tool buttons, in toolbar order; Select first, then the add tools in DesignTool order.
  cmdToolSelect,
  cmdToolLabel,
  cmdToolButton,
  cmdToolImage,
  cmdToolAvi,
  cmdToolHtml,
  cmdToolRtf,
  cmdToolMovie,
  cmdCDIconButton,
  cmdCheckDisc,
  cmdMakeIsoImage,
  // Editing commands beyond the menu's first set; the surface carries them out.
  cmdUndo,
  cmdRedo,
  cmdCopy,
  cmdPaste,
  cmdDuplicate,
  cmdSizeToFit,
  // The Align submenu, in AlignCommand order.
  cmdAlignLefts,
  cmdAlignCentres,
  cmdAlignRights,
  cmdAlignTops,
  cmdAlignMiddles,
  cmdAlignBottoms,
  cmdSameWidth,
  cmdSameHeight,
  cmdSameSize,
  cmdSpaceAcross,
  cmdSpaceDown,
  cmdCentreInWindow,
  // The arrow keys; Shift and Ctrl are read when they run. No menu shows them.
  cmdNudgeLeft,
  cmdNudgeRight,
  cmdNudgeUp,
  cmdNudgeDown,
  cmdSaveAs,
  // A checked item of the File menu: Save also writes the start page.
  cmdStartPage,
  // Not a command: where a menu layout opens the Align submenu.
  cmdAlignMenu,
};

// The editing commands, which the design surface carries out; the main window does the rest.
inline bool IsSurfaceCommand(unsigned id) {
  return (id >= cmdFormProperties && id <= cmdSelectAll) || (id >= cmdUndo && id <= cmdNudgeDown);
}

// While a mouse press is in progress on the surface only the commands that change neither the
// objects nor any file run (help and about); the rest would change the list under the drag.
inline bool RunsDuringPress(unsigned id) {
  return id == cmdHelpContents || id == cmdTechnicalSupport || id == cmdHomePage || id == cmdAbout ||
         (id >= cmdToolSelect && id <= cmdToolMovie);
}

// Keys are virtual-key codes; a letter is its capital.
inline constexpr uint16_t kKeyDelete = 0x2E;
inline constexpr uint16_t kKeyF1 = 0x70;
inline constexpr uint16_t kKeyF7 = 0x76;
inline constexpr uint16_t kKeyLeft = 0x25;
inline constexpr uint16_t kKeyUp = 0x26;
inline constexpr uint16_t kKeyRight = 0x27;
inline constexpr uint16_t kKeyDown = 0x28;

struct Shortcut {
  uint16_t Key = 0;  // 0: no shortcut
  bool Ctrl = false;
  bool Alt = false;
  bool Shift = false;
};

struct CommandInfo {
  CommandId Id;
  const char* Caption;  // as the menu bar shows it, "&" before the access key
  Shortcut Keys;
  // The menu bar's Edit menu does not show the two Ctrl+Alt shortcuts; the popup menu does.
  bool MenuBarShowsKeys = true;
  // A second shortcut the keyboard has and no menu shows (Ctrl+Shift+Z beside Ctrl+Y).
  Shortcut MoreKeys = {};
};

// Every command that has a menu item.
const std::vector<CommandInfo>& Commands();
const CommandInfo* FindCommand(unsigned id);

// "Ctrl+Alt+P", "Del", "F1", "F7"; empty without a shortcut.
std::string ShortcutText(const Shortcut& keys);

enum class MenuPlace : uint8_t { MenuBar, SurfacePopup };
// The item's text with a tab before the shortcut; the popup menu has no access keys.
std::string MenuItemText(const CommandInfo& command, MenuPlace place);

// The command of a key pressed with these modifiers, or nothing.
std::optional<CommandId> CommandForKey(uint16_t key, bool ctrl, bool alt, bool shift = false);

// The arrow keys' table entries: each arrow alone, with Shift and with Ctrl runs its nudge.
struct KeyBinding {
  Shortcut Keys;
  CommandId Id;
};
const std::vector<KeyBinding>& NudgeKeys();

// The menus, items in order; 0 is a separator.
struct MenuLayout {
  const char* Title;
  std::vector<unsigned> Items;
};
const std::vector<MenuLayout>& MenuBarLayout();
const std::vector<unsigned>& SurfacePopupLayout();
// The items of a submenu a layout names (cmdAlignMenu), or nothing for a plain item.
const MenuLayout* Submenu(unsigned id);

}  // namespace corvela
