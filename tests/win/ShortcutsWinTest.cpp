// The keyboard shortcuts as Windows translates them from the table the menus are built from.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "designer/win/CommandMenus.h"

namespace corvela {
namespace {

std::vector<WPARAM> commands;

LRESULT CALLBACK Record(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COMMAND) commands.push_back(LOWORD(wp));
  return ::DefWindowProcA(hwnd, msg, wp, lp);
}

// Sends a key press with Ctrl, Alt and Shift held as the thread's keyboard state says.
bool Press(HWND target, HACCEL table, WORD key, bool alt, bool ctrl = true, bool shift = false) {
  BYTE keys[256] = {};
  ::GetKeyboardState(keys);
  keys[VK_CONTROL] = ctrl ? 0x80 : 0;
  keys[VK_MENU] = alt ? 0x80 : 0;
  keys[VK_SHIFT] = shift ? 0x80 : 0;
  ::SetKeyboardState(keys);
  MSG msg{target, WM_KEYDOWN, key, 0, 0, {0, 0}};
  const bool translated = ::TranslateAcceleratorA(target, table, &msg) != 0;
  keys[VK_CONTROL] = keys[VK_MENU] = keys[VK_SHIFT] = 0;
  ::SetKeyboardState(keys);
  return translated;
}

// The popup menu once showed Ctrl+Alt+P and Ctrl+Alt+L while no key table had them.
TEST(Shortcuts, CtrlAltPAndLReachTheirCommandsBesideCtrlPAndL) {
  WNDCLASSA cls{};
  cls.lpfnWndProc = &Record;
  cls.hInstance = ::GetModuleHandleA(nullptr);
  cls.lpszClassName = "ShortcutTarget";
  ::RegisterClassA(&cls);
  win::UniqueWindow target(::CreateWindowExA(0, "ShortcutTarget", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                             cls.hInstance, nullptr));
  ASSERT_TRUE(target);
  win::UniqueAccelerators table = win::CreateShortcuts();
  ASSERT_TRUE(table);
  commands.clear();
  EXPECT_TRUE(Press(target.get(), table.get(), 'P', true));
  EXPECT_TRUE(Press(target.get(), table.get(), 'L', true));
  EXPECT_TRUE(Press(target.get(), table.get(), 'P', false));
  EXPECT_TRUE(Press(target.get(), table.get(), 'L', false));
  EXPECT_EQ(commands, (std::vector<WPARAM>{cmdFormProperties, cmdStartLink, cmdObjectProperties, cmdObjectLink}));

  // Redo has a second key the menu does not show; the arrows work alone, with Shift and with Ctrl.
  commands.clear();
  EXPECT_TRUE(Press(target.get(), table.get(), 'Z', false, true, true));
  EXPECT_TRUE(Press(target.get(), table.get(), 'Z', false));
  EXPECT_TRUE(Press(target.get(), table.get(), VK_LEFT, false, false));
  EXPECT_TRUE(Press(target.get(), table.get(), VK_UP, false, false, true));
  EXPECT_TRUE(Press(target.get(), table.get(), VK_DOWN, false, true));
  EXPECT_EQ(commands, (std::vector<WPARAM>{cmdRedo, cmdUndo, cmdNudgeLeft, cmdNudgeUp, cmdNudgeDown}));
}

}  // namespace
}  // namespace corvela
