#include "designer/Commands.h"

namespace corvela {

namespace {
constexpr Shortcut Ctrl(char key) {
  return Shortcut{static_cast<uint16_t>(key), true, false};
}
constexpr Shortcut CtrlAlt(char key) {
  return Shortcut{static_cast<uint16_t>(key), true, true};
}
constexpr Shortcut Plain(uint16_t key) {
  return Shortcut{key, false, false};
}
}  // namespace

const std::vector<CommandInfo>& Commands() {
  static const std::vector<CommandInfo> kCommands = {
      {cmdOpen, "&Open...", Ctrl('O')},
      {cmdSave, "&Save", Ctrl('S')},
      {cmdSaveAndTest, "Save and &Test", Ctrl('T')},
      {cmdCheckDisc, "Check &Disc...", Plain(kKeyF7)},
      {cmdMakeIsoImage, "Make &ISO Image...", {}},
      {cmdExit, "E&xit...", Ctrl('X')},
      {cmdFormProperties, "&Form Properties...", CtrlAlt('P'), false},
      {cmdStartLink, "&Start Link...", CtrlAlt('L'), false},
      {cmdObjectProperties, "Object &Properties...", Ctrl('P')},
      {cmdObjectLink, "Object &Link...", Ctrl('L')},
      {cmdDelete, "&Delete", Plain(kKeyDelete)},
      {cmdClear, "&Clear", {}},
      {cmdBringToFront, "Bring to &Front", Ctrl('F')},
      {cmdSendToBack, "Send to &Back", Ctrl('B')},
      {cmdSelectAll, "Select &All", {}},
      {cmdSelectCDIcon, "Select CD &Icon...", {}},
      {cmdHelpContents, "&Help Contents...", Plain(kKeyF1)},
      {cmdTechnicalSupport, "&Technical Support...", {}},
      {cmdHomePage, "H&ome Page...", {}},
      {cmdAbout, "&About...", {}},
  };
  return kCommands;
}

const CommandInfo* FindCommand(unsigned id) {
  for (const CommandInfo& command : Commands())
    if (command.Id == id) return &command;
  return nullptr;
}

std::string ShortcutText(const Shortcut& keys) {
  if (keys.Key == 0) return {};
  std::string text;
  if (keys.Ctrl) text += "Ctrl+";
  if (keys.Alt) text += "Alt+";
  if (keys.Key == kKeyDelete)
    text += "Del";
  else if (keys.Key >= kKeyF1 && keys.Key < kKeyF1 + 12)
    text += "F" + std::to_string(keys.Key - kKeyF1 + 1);
  else
    text += static_cast<char>(keys.Key);
  return text;
}

std::string MenuItemText(const CommandInfo& command, MenuPlace place) {
  std::string text;
  for (const char* c = command.Caption; *c; ++c)
    if (place == MenuPlace::MenuBar || *c != '&') text += *c;
  const bool showKeys = place == MenuPlace::SurfacePopup || command.MenuBarShowsKeys;
  if (showKeys && command.Keys.Key != 0) text += "\t" + ShortcutText(command.Keys);
  return text;
}

std::optional<CommandId> CommandForKey(uint16_t key, bool ctrl, bool alt) {
  for (const CommandInfo& command : Commands())
    if (command.Keys.Key != 0 && command.Keys.Key == key && command.Keys.Ctrl == ctrl && command.Keys.Alt == alt)
      return command.Id;
  return std::nullopt;
}

const std::vector<MenuLayout>& MenuBarLayout() {
  static const std::vector<MenuLayout> kMenus = {
      {"&File", {cmdOpen, cmdSave, cmdSaveAndTest, 0, cmdCheckDisc, cmdMakeIsoImage, 0, cmdExit}},
      {"&Edit",
       {cmdFormProperties, cmdStartLink, cmdObjectProperties, cmdObjectLink, 0, cmdDelete, cmdClear, 0, cmdBringToFront,
        cmdSendToBack, 0, cmdSelectAll, 0, cmdSelectCDIcon}},
      {"&Help", {cmdHelpContents, cmdTechnicalSupport, cmdHomePage, 0, cmdAbout}},
  };
  return kMenus;
}

const std::vector<unsigned>& SurfacePopupLayout() {
  static const std::vector<unsigned> kPopup = {
      cmdFormProperties,
      cmdStartLink,
      cmdObjectProperties,
      cmdObjectLink,
      0,
      cmdDelete,
      0,
      cmdBringToFront,
      cmdSendToBack,
      0,
      cmdSelectAll,
  };
  return kPopup;
}

}  // namespace corvela
