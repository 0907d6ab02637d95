// The win tier runs in-process against real Win32: COM and the common controls are set up once.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "platform/win/Handles.h"

int main(int argc, char** argv) {
  corvela::win::ComApartment com;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_ANIMATE_CLASS | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&icc);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
