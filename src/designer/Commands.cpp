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
constexpr Shortcut CtrlShift(char key) {
  return Shortcut{static_cast<uint16_t>(key), true, false, true};
}
}  // namespace

const std::vector<CommandInfo>& Commands() {
  static const std::vector<CommandInfo> kCommands = {
      {cmdOpen, "&Open...", Ctrl('O')},
      {cmdSave, "&Save", Ctrl('S')},
      {cmdSaveAndTest, "Save and &Test", Ctrl('T')},
      {cmdSaveAs, "Save &As...", {}},
      {cmdCheckDisc, "Check &Disc...", Plain(kKeyF7)},
      {cmdMakeIsoImage, "Make &ISO Image...", {}},
      {cmdStartPage, "Publish a Start &Page for Other Computers", {}},
      {cmdExit, "E&xit...", Ctrl('X')},
      {cmdFormProperties, "&Form Properties...", CtrlAlt('P'), false},
      {cmdStartLink, "&Start Link...", CtrlAlt('L'), false},
      {cmdObjectProperties, "Object &Properties...", Ctrl('P')},
      {cmdObjectLink, "Object &Link...", Ctrl('L')},
      {cmdDelete, "&Delete", Plain(kKeyDelete)},
      {cmdClear, "&Clear", {}},
      {cmdBringToFront, "Bring to Fro&nt", Ctrl('F')},
      {cmdSendToBack, "Send to &Back", Ctrl('B')},
      {cmdSelectAll, "Select &All", {}},
      {cmdSelectCDIcon, "Select CD &Icon...", {}},
      {cmdHelpContents, "&Help Contents...", Plain(kKeyF1)},
      {cmdTechnicalSupport, "&Technical Support...", {}},
      {cmdHomePage, "H&ome Page...", {}},
      {cmdAbout, "&About...", {}},
      {cmdUndo, "&Undo", Ctrl('Z')},
      {cmdRedo, "&Redo", Ctrl('Y'), true, CtrlShift('Z')},
      {cmdCopy, "C&opy", Ctrl('C')},
      {cmdPaste, "Pas&te", Ctrl('V')},
      {cmdDuplicate, "Duplicat&e", Ctrl('D')},
      {cmdSizeToFit, "Si&ze to Fit", {}},
      {cmdAlignLefts, "Align &Lefts", {}},
      {cmdAlignCentres, "Align &Centres", {}},
      {cmdAlignRights, "Align &Rights", {}},
      {cmdAlignTops, "Align &Tops", {}},
      {cmdAlignMiddles, "Align &Middles", {}},
      {cmdAlignBottoms, "Align &Bottoms", {}},
      {cmdSameWidth, "Make Same &Width", {}},
      {cmdSameHeight, "Make Same &Height", {}},
      {cmdSameSize, "Make Same &Size", {}},
      {cmdSpaceAcross, "Space Evenly &Across", {}},
      {cmdSpaceDown, "Space Evenly &Down", {}},
      {cmdCentreInWindow, "Ce&ntre in Window", {}},
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
  if (keys.Shift) text += "Shift+";
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

std::optional<CommandId> CommandForKey(uint16_t key, bool ctrl, bool alt, bool shift) {
  auto matches = [&](const Shortcut& keys) {
    return keys.Key != 0 && keys.Key == key && keys.Ctrl == ctrl && keys.Alt == alt && keys.Shift == shift;
  };
  for (const CommandInfo& command : Commands())
    if (matches(command.Keys) || matches(command.MoreKeys)) return command.Id;
  for (const KeyBinding& binding : NudgeKeys())
    if (matches(binding.Keys)) return binding.Id;
  return std::nullopt;
}

const std::vector<KeyBinding>& NudgeKeys() {
  static const std::vector<KeyBinding> kKeys = [] {
    std::vector<KeyBinding> keys;
    const std::pair<uint16_t, CommandId> arrows[] = {
        {kKeyLeft, cmdNudgeLeft}, {kKeyRight, cmdNudgeRight}, {kKeyUp, cmdNudgeUp}, {kKeyDown, cmdNudgeDown}};
    for (const auto& [key, id] : arrows) {
      keys.push_back({Shortcut{key, false, false, false}, id});
      keys.push_back({Shortcut{key, false, false, true}, id});
      keys.push_back({Shortcut{key, true, false, false}, id});
    }
    return keys;
  }();
  return kKeys;
}

const std::vector<MenuLayout>& MenuBarLayout() {
  static const std::vector<MenuLayout> kMenus = {
      {"&File", {cmdOpen, cmdSave, cmdSaveAs, cmdSaveAndTest, 0, cmdCheckDisc, cmdMakeIsoImage, 0, cmdStartPage, 0, cmdExit}},
      {"&Edit",
       {cmdUndo, cmdRedo, 0, cmdCopy, cmdPaste, cmdDuplicate, 0, cmdFormProperties, cmdStartLink, cmdObjectProperties, cmdObjectLink, 0, cmdDelete, cmdClear, 0, cmdBringToFront,
        cmdSendToBack, cmdAlignMenu, cmdSizeToFit, 0, cmdSelectAll, 0, cmdSelectCDIcon}},
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
      cmdCopy,
      cmdPaste,
      cmdDuplicate,
      0,
      cmdBringToFront,
      cmdSendToBack,
      cmdSizeToFit,
      0,
      cmdSelectAll,
  };
  return kPopup;
}

const MenuLayout* Submenu(unsigned id) {
  static const MenuLayout kAlign = {"Ali&gn",
                                    {cmdAlignLefts, cmdAlignCentres, cmdAlignRights, 0, cmdAlignTops, cmdAlignMiddles,
                                     cmdAlignBottoms, 0, cmdSameWidth, cmdSameHeight, cmdSameSize, 0, cmdSpaceAcross,
                                     cmdSpaceDown, 0, cmdCentreInWindow}};
  return id == cmdAlignMenu ? &kAlign : nullptr;
}

}  // namespace corvela
