// The designer's toolbar in a window of its own: the hints its tooltip shows.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <iterator>

#include "app/win/ToolBar.h"
#include "designer/Commands.h"
#include "platform/win/WideText.h"

namespace corvela {
namespace {

win::DesignerToolBar* bar = nullptr;

LRESULT CALLBACK Owner(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NOTIFY && bar && bar->ShowHint(reinterpret_cast<NMHDR*>(lp))) return 0;
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}

// The bar asks its wide-character owner for hints in UTF-16; answering the 8-bit request instead
// left every tooltip empty.
TEST(DesignerToolBar, TheTooltipShowsEachButtonsHint) {
  WNDCLASSW cls{};
  cls.lpfnWndProc = &Owner;
  cls.hInstance = ::GetModuleHandleW(nullptr);
  cls.lpszClassName = L"ToolBarOwner";
  ::RegisterClassW(&cls);
  win::UniqueWindow owner(::CreateWindowExW(0, cls.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 800, 100, nullptr,
                                            nullptr, cls.hInstance, nullptr));
  ASSERT_TRUE(owner);
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&icc);
  win::DesignerToolBar toolBar;
  bar = &toolBar;
  ASSERT_TRUE(toolBar.Create(owner.get()));
  HWND tip = reinterpret_cast<HWND>(::SendMessageW(toolBar.Bar(), TB_GETTOOLTIPS, 0, 0));
  ASSERT_NE(tip, nullptr);
  auto hint = [&](unsigned command) {
    wchar_t text[80] = {};
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = toolBar.Bar();
    tool.uId = command;
    tool.lpszText = text;
    ::SendMessageW(tip, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
    return win::Utf8(text);
  };
  EXPECT_EQ(hint(cmdSaveAndTest), "Save and Test");
  EXPECT_EQ(hint(cmdToolRtf), "Add RTF");
  bar = nullptr;
}

}  // namespace
}  // namespace corvela
